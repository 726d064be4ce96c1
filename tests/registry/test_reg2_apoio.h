#pragma once
// Shared data of the link, termination and registration-change tests: one
// consistent link typed by hand (no database lookups of associated objects)
// and the rows that store a small registry.
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unEmpresa.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"
#include "support/BancoTeste.h"

#include <QDate>
#include <QString>

namespace reg2 {

inline TDateTime D(int dia, int mes, int ano) {
  return QDateParaData(QDate(ano, mes, dia));
}

// Valid PIS numbers (check digit right).
inline constexpr qint64 Pis1 = 12000000012;
inline constexpr qint64 Pis2 = 20000000013;
inline constexpr qint64 Pis3 = 11111111124;
inline constexpr qint64 CnpjEmpresa = 11222333000181;
inline constexpr qint64 CnpjResponsavel = 11444777000161;

// A category-1 link that passes every check: admitted 05/01/2015 (option the
// same day), dismissed without cause (I1, withdrawal 01) on 15/03/2020, prior
// notice worked, 44 hours, no bank account.
inline void PreencherVinculo(TVinculo &v) {
  v.CarregarAssociados = false;
  v.NU_TIPO_INSO_EMPRA = 1;
  v.NU_INSCRICAO = CnpjEmpresa;
  v.NU_PIS = Pis1;
  v.NU_CATEGORIA = 1;
  v.DT_ADMISSAO_VINCULO = D(5, 1, 2015);
  v.DT_OPCAO = D(5, 1, 2015);
  v.DT_MOVIMENTACAO_VINCULO = D(15, 3, 2020);
  v.CO_MOVIMENTACAO = QStringLiteral("I1");
  v.CO_SAQUE = QStringLiteral("01");
  v.CO_CBO = QStringLiteral("004110");
  v.IC_AVISO_PREVIO = 1;
  v.QT_HORAS_TRBS_SMNA = 44;
  v.IC_REPOSICAO_VAGAS = QStringLiteral("N");
  v.IC_CONSIGNADO = QStringLiteral("N");
  v.Empresa().NU_INSS = QStringLiteral("507");
  v.Trabalhador().DT_NASCIMENTO = D(1, 1, 1980);
  v.Trabalhador().NU_PIS = QString::number(Pis1);
  TRescisao &r = v.Rescisao();
  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.NU_PIS = v.NU_PIS;
  r.NU_CATEGORIA = v.NU_CATEGORIA;
  r.DT_ADMISSAO_VINCULO = v.DT_ADMISSAO_VINCULO;
  r.IC_TIPO_PNSO_ALMNA = QStringLiteral("N");
  r.IC_ORIGEM_SALDO_RESCISORIO = QStringLiteral("N");
  r.VR_REMUNERACAO_ANTERIOR_RSCSO = 2000;
  r.VR_REMUNERACAO_RESCISAO = 1000;
}

// Statements that store the registry pieces the database tests need.
class Cadastro {
public:
  explicit Cadastro(TIbxUtils *ibx) : ibx_(ibx) {}

  void Empresa(int tipo, qint64 inscricao, const QString &nome, const QString &estado,
               int fpas = 507) {
    ibx_->ExecutarSQL(QStringLiteral("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, "
                                     "NU_INSCRICAO, NU_INSS, NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA, "
                                     "SG_UF) VALUES (%1, %2, %3, %4, %5, 'SP')")
                          .arg(QString::number(tipo), QString::number(inscricao),
                               QString::number(fpas), TUtilitarios::TextoSQL(nome),
                               TUtilitarios::TextoSQL(estado)));
  }

  void Trabalhador(qint64 pis, const QString &nome, TDateTime nascimento = D(1, 1, 1980)) {
    ibx_->ExecutarSQL(QStringLiteral("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, "
                                     "NO_EMPREGADO, NU_CTPS, NU_SERIE_CTPS, IC_SEXO, "
                                     "DT_NASCIMENTO) VALUES (%1, 7, %2, 1234567, 12345, 1, %3)")
                          .arg(QString::number(pis), TUtilitarios::TextoSQL(nome),
                               TUtilitarios::DataSQL(nascimento)));
  }

  // A consistent link (as PreencherVinculo) with its termination row; the
  // caller may change columns afterwards.
  void Vinculo(qint64 pis, int categoria = 1, TDateTime admissao = D(5, 1, 2015), int estado = 0,
               qint64 inscricao = CnpjEmpresa) {
    const QString chave = QStringLiteral("1, %1, %2, %3, %4")
                              .arg(QString::number(inscricao), QString::number(pis),
                                   QString::number(categoria), TUtilitarios::DataSQL(admissao));
    ibx_->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                       "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, "
                       "CO_CBO, CO_SAQUE, DT_OPCAO, NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR, "
                       "IC_AVISO_PREVIO, IC_REPOSICAO_VAGAS, QT_HORAS_TRBS_SMNA, "
                       "IC_ESTADO_MOVIMENTO, DT_MOVIMENTACAO_VINCULO, IC_CONSIGNADO, "
                       "IC_VALIDACAO_VINCULO) VALUES (%1, 'I1', '004110', '01', %2, 0, 0, 1, 'N', "
                       "44, %3, '2020-03-15', 'N', 'N')")
            .arg(chave, TUtilitarios::DataSQL(admissao), QString::number(estado)));
    ibx_->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, "
                       "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                       "VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, "
                       "IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA, IC_ORIGEM_SALDO_RESCISORIO, "
                       "VR_SALDO_RESCISORIO, VR_DISSIDIO) VALUES (%1, 2000, 1000, 0, 'N', 0, 'N', "
                       "0, 0)")
            .arg(chave));
  }

private:
  TIbxUtils *ibx_;
};

} // namespace reg2
