#include "unVinculo.h"

#include "UnRescisao.h"
#include "collection/UnTComplementoSaldo.h"
#include "core/UnInconsistencia.h"
#include "core/unUtilitarios.h"
#include "unEmpresa.h"
#include "unEstabelecimento.h"
#include "unTResponsavel.h"
#include "unTrabalhador.h"

#include <cmath>

namespace {

TDateTime Data(int dia, int mes, int ano) {
  return QDateParaData(QDate(ano, mes, dia));
}

// Fixed legal dates the link checks refer to.
const TDateTime Data02011900 = Data(2, 1, 1900);
const TDateTime Data01011967 = Data(1, 1, 1967);
const TDateTime Data02061981 = Data(2, 6, 1981);
const TDateTime Data05101988 = Data(5, 10, 1988);
const TDateTime Data22011998 = Data(22, 1, 1998);
const TDateTime Data16021998 = Data(16, 2, 1998);
const TDateTime Data01032000 = Data(1, 3, 2000);
const TDateTime Data20122000 = Data(20, 12, 2000);
// Start of the labour-reform termination kinds I5 and I6.
const TDateTime Data11112017 = Data(11, 11, 2017);

bool Informada(TDateTime d) {
  return d > 0;
}

// Categories that must carry an admission and an option date.
bool CategoriaComDatas(int c) {
  return c == 1 || (c >= 3 && c <= 7);
}

QString Maiusculo(const QString &s) {
  return s.trimmed().toUpper();
}

QString DoisDigitos(int n) {
  return QString::number(n).rightJustified(2, u'0');
}

int AnoMes(TDateTime d) {
  const QDate q = DataParaQDate(d);
  return q.isValid() ? q.year() * 100 + q.month() : 0;
}

QString CampoTexto(const TNegocio &n, const char *nome) {
  return n.Campo(QString::fromLatin1(nome)).AsString();
}

} // namespace

TResultadoData VerificarData(TDateTime data) {
  if (data == NullDate)
    return rdValida;
  if (data == DataNaoValida)
    return rdNaoEhData;
  return data < Data02011900 ? rdAnterior1900 : rdValida;
}

QString CondicaoVinculo(int Tipo, qint64 Inscricao, qint64 PIS, int Categoria, TDateTime DtAdmissao,
                        const QString &Alias) {
  const QString a = Alias.isEmpty() ? QString() : Alias + u'.';
  return QStringLiteral("%1NU_TIPO_INSO_EMPRA = %2 AND %1NU_INSCRICAO = %3 AND %1NU_PIS = %4 AND "
                        "%1NU_CATEGORIA = %5 AND %1DT_ADMISSAO_VINCULO = %6")
      .arg(a)
      .arg(Tipo)
      .arg(Inscricao)
      .arg(PIS)
      .arg(Categoria)
      .arg(Utilitarios.DataSQL(DtAdmissao));
}

TVinculo::TVinculo() {
  Inicializar();
}

TVinculo::~TVinculo() = default;

QString TVinculo::CondicaoChave(const QString &Alias) const {
  return CondicaoVinculo(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA,
                         DT_ADMISSAO_VINCULO, Alias);
}

void TVinculo::Inicializar() {
  NU_TIPO_INSO_EMPRA = 0;
  NU_INSCRICAO = 0;
  NU_PIS = 0;
  NU_CATEGORIA = 0;
  DT_ADMISSAO_VINCULO = NullDate;
  IC_ESTADO_MOVIMENTO = 0;
  NU_TIPO_INSO_TMDR = 0;
  NU_INSCRICAO_TMDR = 0;
  QT_HORAS_TRBS_SMNA = 0;
  IC_AVISO_PREVIO = 0;
  IC_REPOSICAO_VAGAS.clear();
  CO_CBO.clear();
  CO_MOVIMENTACAO.clear();
  CO_SAQUE.clear();
  DT_OPCAO = NullDate;
  DT_MOVIMENTACAO_VINCULO = NullDate;
  DT_INICIO_AVISO_PRVO = NullDate;
  DE_MOVIMENTACAO.clear();
  IC_VALIDACAO_VINCULO = false;
  NU_BANCO_CONTA.clear();
  NU_AGENCIA_CONTA.clear();
  NU_CONTA_BANCARIA.clear();
  IC_CONSIGNADO.clear();
  IC_VAGA_PNE.clear();
  CO_CBO_REPOSICAO.clear();
  NU_DDD_TEL_RCTDOR = 0;
  NU_TEL_RCTDOR = 0;
  IC_APP_EN_VORDA.clear();
  END_EMAIL.clear();
  DetalheErro.clear();

  // The bank columns are read too, so that the full check sees the account
  // that was stored.
  SqlSelect = QStringLiteral(
      "SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, VINC.NU_CATEGORIA, "
      "VINC.DT_ADMISSAO_VINCULO, VINC.CO_MOVIMENTACAO, VINC.CO_CBO, VINC.CO_SAQUE, VINC.DT_OPCAO, "
      "VINC.NU_TIPO_INSO_TMDR, VINC.NU_INSCRICAO_TMDR, VINC.IC_AVISO_PREVIO, "
      "VINC.DT_INICIO_AVISO_PRVO, VINC.IC_REPOSICAO_VAGAS, VINC.QT_HORAS_TRBS_SMNA, "
      "VINC.IC_ESTADO_MOVIMENTO, VINC.DT_MOVIMENTACAO_VINCULO, VINC.IC_VALIDACAO_VINCULO, "
      "VINC.IC_CONSIGNADO, VINC.NU_BANCO_CONTA, VINC.NU_AGENCIA_CONTA, VINC.NU_CONTA_BANCARIA, "
      "TIPMOV.DE_MOVIMENTACAO, EMP_REPO.IC_VAGA_PNE, EMP_REPO.CO_CBO_REPOSICAO, "
      "EMP_REPO.IC_APP_EN_VORDA, EMP_REPO.NU_DDD_TEL_RCTDOR, EMP_REPO.NU_TEL_RCTDOR, "
      "EMP_REPO.END_EMAIL");
  // A link without a (known) movement code is still a link: the movement
  // table is joined on the left so that it is loaded, checked and marked.
  SqlFrom = QStringLiteral(
      " FROM QZLTBG04_VINCULO_EMPREGATICIO VINC LEFT JOIN QZLTBT07_TIPO_MOVIMENTACAO TIPMOV ON "
      "TIPMOV.CO_MOVIMENTACAO = VINC.CO_MOVIMENTACAO LEFT JOIN QZLTBG30_REPOSICAO_VAGA EMP_REPO "
      "ON EMP_REPO.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA AND EMP_REPO.NU_INSCRICAO = "
      "VINC.NU_INSCRICAO AND EMP_REPO.NU_PIS = VINC.NU_PIS AND EMP_REPO.NU_CATEGORIA = "
      "VINC.NU_CATEGORIA AND EMP_REPO.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO ");
}

void TVinculo::Limpar() {
  FEmpresa.reset();
  FTrabalhador.reset();
  FRescisao.reset();
}

void TVinculo::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_TIPO_INSO_EMPRA = static_cast<quint8>(Campo(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsInteger());
  NU_INSCRICAO = Campo(QStringLiteral("NU_INSCRICAO")).AsInt64();
  NU_PIS = Campo(QStringLiteral("NU_PIS")).AsInt64();
  NU_CATEGORIA = static_cast<qint8>(Campo(QStringLiteral("NU_CATEGORIA")).AsInteger());
  DT_ADMISSAO_VINCULO = Campo(QStringLiteral("DT_ADMISSAO_VINCULO")).AsDateTime();
  CO_MOVIMENTACAO = CampoTexto(*this, "CO_MOVIMENTACAO").trimmed();
  CO_CBO = CampoTexto(*this, "CO_CBO").trimmed();
  CO_SAQUE = CampoTexto(*this, "CO_SAQUE").trimmed();
  DT_OPCAO = Campo(QStringLiteral("DT_OPCAO")).AsDateTime();
  NU_TIPO_INSO_TMDR = static_cast<quint8>(Campo(QStringLiteral("NU_TIPO_INSO_TMDR")).AsInteger());
  NU_INSCRICAO_TMDR = Campo(QStringLiteral("NU_INSCRICAO_TMDR")).AsInt64();
  IC_AVISO_PREVIO = static_cast<quint8>(Campo(QStringLiteral("IC_AVISO_PREVIO")).AsInteger());
  DT_INICIO_AVISO_PRVO = Campo(QStringLiteral("DT_INICIO_AVISO_PRVO")).AsDateTime();
  // Whether a vacancy is replaced is told by its QZLTBG30 row, not this column.
  IC_REPOSICAO_VAGAS = QStringLiteral("N");
  QT_HORAS_TRBS_SMNA = Campo(QStringLiteral("QT_HORAS_TRBS_SMNA")).AsInteger();
  IC_ESTADO_MOVIMENTO =
      static_cast<quint8>(Campo(QStringLiteral("IC_ESTADO_MOVIMENTO")).AsInteger());
  DT_MOVIMENTACAO_VINCULO = Campo(QStringLiteral("DT_MOVIMENTACAO_VINCULO")).AsDateTime();
  IC_VALIDACAO_VINCULO = Maiusculo(CampoTexto(*this, "IC_VALIDACAO_VINCULO")) == QLatin1String("S");
  IC_CONSIGNADO = CampoTexto(*this, "IC_CONSIGNADO").trimmed();
  if (IC_CONSIGNADO.isEmpty())
    IC_CONSIGNADO = QStringLiteral("N");
  // The bank number is shown with its three digits; a stored 0 means none.
  const qint64 banco = Campo(QStringLiteral("NU_BANCO_CONTA")).AsInt64();
  NU_BANCO_CONTA = banco == 0 ? QString() : QString::number(banco).rightJustified(3, u'0');
  NU_AGENCIA_CONTA = CampoTexto(*this, "NU_AGENCIA_CONTA");
  NU_CONTA_BANCARIA = CampoTexto(*this, "NU_CONTA_BANCARIA");
  DE_MOVIMENTACAO = CampoTexto(*this, "DE_MOVIMENTACAO");
  IC_VAGA_PNE = CampoTexto(*this, "IC_VAGA_PNE").trimmed();
  CO_CBO_REPOSICAO = CampoTexto(*this, "CO_CBO_REPOSICAO").trimmed();
  IC_APP_EN_VORDA = CampoTexto(*this, "IC_APP_EN_VORDA").trimmed();
  NU_DDD_TEL_RCTDOR = Campo(QStringLiteral("NU_DDD_TEL_RCTDOR")).AsInteger();
  NU_TEL_RCTDOR = Campo(QStringLiteral("NU_TEL_RCTDOR")).AsInteger();
  END_EMAIL = CampoTexto(*this, "END_EMAIL");
}

// ------------------------------------------------------- associated objects

TEmpresa &TVinculo::Empresa() {
  if (!FEmpresa) {
    FEmpresa = std::make_unique<TEmpresa>();
    if (CarregarAssociados)
      FEmpresa->CarregarEmpresa(NU_TIPO_INSO_EMPRA, NU_INSCRICAO);
  }
  return *FEmpresa;
}

TTrabalhador &TVinculo::Trabalhador() {
  if (TrabalhadorExterno)
    return *TrabalhadorExterno;
  if (!FTrabalhador) {
    FTrabalhador = std::make_unique<TTrabalhador>();
    FTrabalhador->CarregarAssociados = CarregarAssociados;
    if (CarregarAssociados)
      FTrabalhador->CarregarPorVinculo(NU_TIPO_INSO_EMPRA, QString::number(NU_INSCRICAO),
                                       DT_ADMISSAO_VINCULO, NU_CATEGORIA,
                                       QString::number(NU_PIS).rightJustified(11, u'0'));
  }
  return *FTrabalhador;
}

void TVinculo::DefinirTrabalhador(TTrabalhador *Externo) {
  TrabalhadorExterno = Externo;
  if (Externo)
    FTrabalhador.reset();
}

TRescisao &TVinculo::Rescisao() {
  if (!FRescisao) {
    FRescisao = std::make_unique<TRescisao>();
    // The termination checks read this link's own data, typed or loaded.
    FRescisao->DefinirVinculo(this);
    FRescisao->CarregarAssociados = CarregarAssociados;
    if (CarregarAssociados)
      FRescisao->CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                                  NU_INSCRICAO);
  }
  return *FRescisao;
}

// ------------------------------------------------------------------- queries

bool TVinculo::ContagemPositiva(const QString &sql) {
  try {
    const TDataSetPtr ds = Ibx->AbrirConsulta(sql);
    return !ds->IsEmpty() && ds->Fields(0).AsInt64() > 0;
  } catch (const EBancoDados &) {
    // A lookup that cannot be made is a failed check.
    return false;
  }
}

// -------------------------------------------------------------------- checks

bool TVinculo::ValidarCategoria(bool SomenteTabela) {
  CodigoErro.clear();
  if (NU_CATEGORIA == -1) {
    CodigoErro = QStringLiteral("0014");
    return false;
  }
  if (NU_CATEGORIA == 0) {
    CodigoErro = QStringLiteral("0015");
    return false;
  }
  if (!ContagemPositiva(QStringLiteral("SELECT COUNT(*) FROM QZLTBT04_CATEGORIA_EMPREGADO WHERE "
                                       "NU_CATEGORIA = %1")
                            .arg(static_cast<int>(NU_CATEGORIA))))
    CodigoErro = QStringLiteral("0336");
  if (SomenteTabela)
    return CodigoErro.isEmpty();

  const QString mov = Maiusculo(CO_MOVIMENTACAO);
  if (NU_TIPO_INSO_EMPRA == 1 && NU_CATEGORIA == 6) {
    CodigoErro = QStringLiteral("0412");
  } else {
    if (NU_CATEGORIA != 6 && mov == QLatin1String("I4")) {
      CodigoErro = QStringLiteral("0406");
      return false;
    }
    const int fpas = Utilitarios.ParaInteiro(Empresa().NU_INSS.trimmed());
    if (fpas == 868 && NU_CATEGORIA != 6)
      CodigoErro = QStringLiteral("0431");
    if (fpas == 868 && NU_CATEGORIA == 6 && mov == QLatin1String("I1"))
      CodigoErro = QStringLiteral("0433");
    if (fpas != 868 && NU_CATEGORIA == 6)
      CodigoErro = QStringLiteral("0424");
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarCBO() {
  CodigoErro.clear();
  const QString cbo = CO_CBO.trimmed();
  const QString domestico = QStringLiteral("005121");
  if (NU_CATEGORIA == 6 && cbo != domestico) {
    CodigoErro = QStringLiteral("0016");
    return false;
  }
  if (NU_CATEGORIA != 6 && cbo == domestico) {
    CodigoErro = QStringLiteral("0390");
    return false;
  }
  if (cbo.isEmpty() || cbo == QLatin1String("000000"))
    CodigoErro = QStringLiteral("0017");
  else if (!ContagemPositiva(
               QStringLiteral("SELECT COUNT(*) FROM QZLTBT05_OCUPACAO_NIVEL_4 WHERE CO_CBO = ") +
               Utilitarios.TextoSQL(cbo)))
    CodigoErro = QStringLiteral("0337");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarMovimentacao() {
  CodigoErro.clear();
  const QString mov = Maiusculo(CO_MOVIMENTACAO);
  if (mov.isEmpty()) {
    CodigoErro = QStringLiteral("0027");
    return false;
  }
  if (mov == QLatin1String("I3") && Rescisao().VR_SALDO_RESCISORIO > 0)
    CodigoErro = QStringLiteral("0483");
  if (!ContagemPositiva(QStringLiteral("SELECT COUNT(*) FROM QZLTBT07_TIPO_MOVIMENTACAO WHERE "
                                       "CO_MOVIMENTACAO = ") +
                        Utilitarios.TextoSQL(mov)))
    CodigoErro = QStringLiteral("0338");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarSaque() {
  CodigoErro.clear();
  const QString saque = CO_SAQUE.trimmed();
  if (saque.isEmpty()) {
    CodigoErro = QStringLiteral("0029");
    return false;
  }
  if (!ContagemPositiva(
          QStringLiteral("SELECT COUNT(*) FROM QZLTBT06_MOTIVO_SAQUE WHERE CO_SAQUE = ") +
          Utilitarios.TextoSQL(saque)))
    CodigoErro = QStringLiteral("0030");
  // The allowed combinations are only asked about a known withdrawal code.
  else if (!ContagemPositiva(QStringLiteral("SELECT COUNT(*) AS COUNT_SAQUE FROM "
                                            "QZLTBT23_SAQUE_MVMNO_CATEGORIA WHERE CO_SAQUE = %1 "
                                            "AND CO_MOVIMENTACAO = %2 AND NU_CATEGORIA = %3")
                                 .arg(Utilitarios.TextoSQL(saque),
                                      Utilitarios.TextoSQL(Maiusculo(CO_MOVIMENTACAO)),
                                      QString::number(NU_CATEGORIA))))
    CodigoErro = QStringLiteral("0480");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarDataAdmissao(bool VerificarTrabalhador, const TArrRegRegistro *Registros,
                                   std::optional<TDateTime> PrimeiraAdmissaoGravada) {
  CodigoErro.clear();
  const TDateTime adm = DT_ADMISSAO_VINCULO;
  const TResultadoData r = VerificarData(adm);
  if (r == rdAnterior1900) {
    CodigoErro = QStringLiteral("0043");
    return false;
  }
  if (CategoriaComDatas(NU_CATEGORIA) && adm == NullDate) {
    CodigoErro = QStringLiteral("0039");
    return false;
  }
  if (r == rdNaoEhData) {
    CodigoErro = QStringLiteral("0046");
    return false;
  }
  if (!Informada(adm))
    return true;
  if (NU_CATEGORIA == 4 && adm < Data22011998)
    CodigoErro = QStringLiteral("0041");
  else if (NU_CATEGORIA == 7 && adm < Data20122000)
    CodigoErro = QStringLiteral("0040");

  if (VerificarTrabalhador) {
    const TDateTime nasc = Trabalhador().DT_NASCIMENTO;
    if (Informada(nasc) && VerificarData(nasc) == rdValida) {
      if (nasc >= adm)
        CodigoErro = QStringLiteral("0044");
      if (Registros) {
        for (const TRegRegistro &reg : *Registros) {
          if (reg.TipoRegistro != QLatin1String("40") ||
              Utilitarios.ParaInteiro64(reg.PIS) != NU_PIS)
            continue;
          const QDate q = QDate::fromString(reg.DataAdmissao.trimmed(), QStringLiteral("ddMMyyyy"));
          if (q.isValid() && QDateParaData(q) < nasc) {
            CodigoErro = QStringLiteral("0443");
            break;
          }
        }
      }
      // Some stored link of the worker began before the birth (days compared).
      const bool gravadaAntes =
          PrimeiraAdmissaoGravada
              ? *PrimeiraAdmissaoGravada != NullDate &&
                    std::floor(*PrimeiraAdmissaoGravada) < std::floor(nasc)
              : ContagemPositiva(
                    QStringLiteral("SELECT COUNT(*) AS TOTAL_PIS FROM "
                                   "QZLTBG04_VINCULO_EMPREGATICIO VINC JOIN "
                                   "QZLTBG03_EMPREGADO EMPREG ON EMPREG.NU_PIS = VINC.NU_PIS "
                                   "WHERE VINC.NU_PIS = %1 AND VINC.DT_ADMISSAO_VINCULO < %2")
                        .arg(NU_PIS)
                        .arg(Utilitarios.DataSQL(nasc)));
      if (gravadaAntes)
        CodigoErro = QStringLiteral("0443");
    }
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarDataOpcao() {
  CodigoErro.clear();
  const TDateTime opc = DT_OPCAO, adm = DT_ADMISSAO_VINCULO;
  const int cat = NU_CATEGORIA;
  const bool cat13 = cat == 1 || cat == 3;
  auto falha = [this](const char *codigo) {
    CodigoErro = QString::fromLatin1(codigo);
    return false;
  };
  switch (VerificarData(opc)) {
  case rdNaoEhData:
    return falha("0060");
  case rdAnterior1900:
    return falha("0382");
  default:
    break;
  }
  if (CategoriaComDatas(cat) && opc == NullDate)
    return falha("0057");
  if (!Informada(opc))
    return true;
  if (Informada(adm) && opc < adm)
    return falha("0059");
  if (cat13 && opc < Data01011967)
    return falha("0061");
  if (cat == 5 && opc < Data02061981)
    return falha("0394");
  if (Informada(adm) && adm < Data05101988 && opc > Data05101988 && cat13)
    return falha("0058");
  if (cat == 4 && opc < Data22011998)
    return falha("0180");
  if (cat == 6 && opc < Data01032000)
    return falha("0182");
  if (cat == 7 && opc < Data20122000)
    return falha("0181");
  // From the 1988 constitution on, the option is the admission itself.
  if (Informada(adm) && adm >= Data05101988 && opc != adm &&
      (cat == 1 || cat == 3 || cat == 4 || cat == 7))
    return falha("0056");
  return true;
}

bool TVinculo::ValidarDataMovimentacao(std::optional<int> UltimoComplementoGravado) {
  CodigoErro.clear();
  const TDateTime mov = DT_MOVIMENTACAO_VINCULO;
  switch (VerificarData(mov)) {
  case rdNaoEhData:
    CodigoErro = QStringLiteral("0051");
    return false;
  case rdAnterior1900:
    CodigoErro = QStringLiteral("0383");
    return false;
  default:
    break;
  }
  if (!Informada(mov)) {
    CodigoErro = QStringLiteral("0050");
    return false;
  }
  if (Informada(DT_OPCAO) && mov < DT_OPCAO)
    CodigoErro = QStringLiteral("0426");
  if (Informada(DT_ADMISSAO_VINCULO) && mov < DT_ADMISSAO_VINCULO)
    CodigoErro = QStringLiteral("0175");
  if (mov < Data16021998)
    CodigoErro = QStringLiteral("0393");

  // No balance complement may refer to a month after the termination.
  if (UltimoComplementoGravado) {
    if (*UltimoComplementoGravado > 0 && *UltimoComplementoGravado > AnoMes(mov))
      CodigoErro = QStringLiteral("0441");
    return CodigoErro.isEmpty();
  }
  try {
    TComplementoSaldo complemento;
    complemento.DefinirChave(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA,
                             DT_ADMISSAO_VINCULO);
    if (complemento.CarregarPorVinculo()) {
      const int mesMov = AnoMes(mov);
      for (complemento.Primeiro(); !complemento.FimDados(); complemento.Proximo()) {
        const int competencia = Utilitarios.ParaInteiro(complemento.AA_COMPETENCIA) * 100 +
                                Utilitarios.ParaInteiro(complemento.MM_COMPETENCIA);
        if (competencia > 0 && competencia > mesMov) {
          CodigoErro = QStringLiteral("0441");
          break;
        }
      }
    }
  } catch (const EBancoDados &) {
    // Checks never raise: complements that cannot be read leave the dates'
    // own result.
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarInicioAvisoPrevio() {
  CodigoErro.clear();
  const TDateTime ini = DT_INICIO_AVISO_PRVO;
  const TResultadoData r = VerificarData(ini);
  if (r == rdNaoEhData)
    CodigoErro = QStringLiteral("0331");
  if (Informada(ini) && IC_AVISO_PREVIO == 2)
    CodigoErro = QStringLiteral("0145");
  if (r == rdAnterior1900)
    CodigoErro = QStringLiteral("0384");
  if (Informada(ini) && r == rdValida &&
      ((Informada(DT_ADMISSAO_VINCULO) && ini < DT_ADMISSAO_VINCULO) ||
       (Informada(DT_MOVIMENTACAO_VINCULO) && ini > DT_MOVIMENTACAO_VINCULO)))
    CodigoErro = QStringLiteral("0399");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarAvisoPrevio() {
  CodigoErro.clear();
  if (NU_CATEGORIA == 5) {
    if (IC_AVISO_PREVIO != 3)
      CodigoErro = QStringLiteral("0512");
  } else if (Maiusculo(CO_MOVIMENTACAO) == QLatin1String("I3") && IC_AVISO_PREVIO == 2) {
    CodigoErro = QStringLiteral("0423");
  } else if (IC_AVISO_PREVIO < 1 || IC_AVISO_PREVIO > 3) {
    CodigoErro = QStringLiteral("0080");
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarHorasSemanais() {
  CodigoErro.clear();
  if (QT_HORAS_TRBS_SMNA == 0)
    CodigoErro = QStringLiteral("0111");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarReposicaoVagas() {
  CodigoErro.clear();
  const QString r = Maiusculo(IC_REPOSICAO_VAGAS);
  if (r.isEmpty())
    CodigoErro = QStringLiteral("0114");
  else if (r != QLatin1String("S") && r != QLatin1String("N"))
    CodigoErro = QStringLiteral("0115");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarTomador() {
  CodigoErro.clear();
  if (NU_TIPO_INSO_TMDR > 2 || (NU_TIPO_INSO_TMDR == 0 && NU_INSCRICAO_TMDR != 0))
    CodigoErro = QStringLiteral("0148");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarInscricaoTomador() {
  CodigoErro.clear();
  if (NU_TIPO_INSO_TMDR == 1 && !Utilitarios.CNPJValido(NU_INSCRICAO_TMDR))
    CodigoErro = QStringLiteral("0069");
  else if (NU_TIPO_INSO_TMDR == 2 && !Utilitarios.CEIValido(NU_INSCRICAO_TMDR))
    CodigoErro = QStringLiteral("0054");
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarBanco() {
  CodigoErro.clear();
  const QString banco = NU_BANCO_CONTA.trimmed();
  if (!banco.isEmpty()) {
    if (!Utilitarios.SomenteNumeros(banco) || banco.size() != 3 ||
        Utilitarios.ParaInteiro(banco) == 0)
      CodigoErro = QStringLiteral("0032");
  } else if (!NU_AGENCIA_CONTA.trimmed().isEmpty() || !NU_CONTA_BANCARIA.trimmed().isEmpty()) {
    CodigoErro = QStringLiteral("0031");
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarAgencia() {
  CodigoErro.clear();
  const QString agencia = NU_AGENCIA_CONTA.trimmed();
  if (!agencia.isEmpty()) {
    if (!Utilitarios.SomenteNumeros(agencia) || Utilitarios.ParaInteiro64(agencia) == 0)
      CodigoErro = QStringLiteral("0023");
  } else if (!NU_BANCO_CONTA.trimmed().isEmpty() || !NU_CONTA_BANCARIA.trimmed().isEmpty()) {
    CodigoErro = QStringLiteral("0022");
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarConta() {
  CodigoErro.clear();
  const QString conta = NU_CONTA_BANCARIA.trimmed();
  if (!conta.isEmpty()) {
    if (Utilitarios.ParaDecimal(conta) == 0)
      CodigoErro = QStringLiteral("0150");
    else if (NU_BANCO_CONTA.trimmed().isEmpty())
      CodigoErro = QStringLiteral("0032");
    else if (NU_AGENCIA_CONTA.trimmed().isEmpty())
      CodigoErro = QStringLiteral("0023");
  } else if (!NU_BANCO_CONTA.trimmed().isEmpty() || !NU_AGENCIA_CONTA.trimmed().isEmpty()) {
    CodigoErro = QStringLiteral("0150");
  }
  return CodigoErro.isEmpty();
}

bool TVinculo::ValidarMovimentacaoPeriodo() {
  CodigoErro.clear();
  DetalheErro.clear();
  const QString mov = Maiusculo(CO_MOVIMENTACAO);
  const bool reforma = mov == QLatin1String("I5") || mov == QLatin1String("I6");
  const QString separador = QStringLiteral("  -  ");
  if (reforma && DT_MOVIMENTACAO_VINCULO < Data11112017) {
    CodigoErro = QStringLiteral("0509");
    DetalheErro = Utilitarios.DataParaTexto(DT_MOVIMENTACAO_VINCULO) + separador + mov;
    return false;
  }
  if (NU_CATEGORIA != 4 && mov == QLatin1String("I6")) {
    CodigoErro = QStringLiteral("0510");
    DetalheErro = mov + separador + DoisDigitos(NU_CATEGORIA);
    return false;
  }
  if (CategoriaComDatas(NU_CATEGORIA) && CO_SAQUE.trimmed() != QLatin1String("07") && reforma) {
    CodigoErro = QStringLiteral("0511");
    DetalheErro = mov + separador + DoisDigitos(NU_CATEGORIA);
    return false;
  }
  return true;
}

bool TVinculo::ValidarConsignacoesInformadas() {
  CodigoErro.clear();
  if (ListaConsignacoes.size() < 2) {
    CodigoErro = QStringLiteral("0514");
    return false;
  }
  for (int i = 1; i < ListaConsignacoes.size(); ++i)
    if (ListaConsignacoes.at(i).value(ccInstituicao).trimmed().isEmpty()) {
      CodigoErro = QStringLiteral("0514");
      return false;
    }
  return true;
}

bool TVinculo::ValidarContratosConsignacao() {
  CodigoErro.clear();
  for (int i = 1; i < ListaConsignacoes.size(); ++i) {
    const QString contrato = Maiusculo(ListaConsignacoes.at(i).value(ccContrato));
    if (contrato.isEmpty()) {
      CodigoErro = QStringLiteral("0494");
      return false;
    }
    if (Utilitarios.CaracteresIguais(contrato)) {
      CodigoErro = QStringLiteral("0490");
      return false;
    }
  }
  return true;
}

bool TVinculo::ValidarInstituicoesConsignacao() {
  CodigoErro.clear();
  if (ListaConsignacoes.size() - 1 < 2)
    return true;
  for (int i = 1; i < ListaConsignacoes.size(); ++i) {
    const QString instituicao = ListaConsignacoes.at(i).value(ccInstituicao).trimmed();
    // A blank code is reported as missing, not as unknown.
    if (instituicao.isEmpty()) {
      CodigoErro = QStringLiteral("0495");
      return false;
    }
    if (!ContagemPositiva(QStringLiteral("SELECT COUNT(*) AS COUNT_INSTUICAO FROM "
                                         "QZLTBT24_INSTITUICAO_CNSGTRA WHERE "
                                         "CO_INSTITUICAO_CNSGTRA = ") +
                          Utilitarios.TextoSQL(instituicao))) {
      CodigoErro = QStringLiteral("0491");
      return false;
    }
  }
  return true;
}

bool TVinculo::ValidarDatasConsignacao() {
  CodigoErro.clear();
  for (int i = 1; i < ListaConsignacoes.size(); ++i) {
    QString data = ListaConsignacoes.at(i).value(ccData);
    data.remove(u'/').remove(u' ');
    if (data.isEmpty()) {
      CodigoErro = QStringLiteral("0516");
      return false;
    }
  }
  return true;
}

bool TVinculo::ValidarEmailReposicao() {
  CodigoErro.clear();
  if (!TEstabelecimento::EmailValido(END_EMAIL))
    CodigoErro = QStringLiteral("0065");
  return CodigoErro.isEmpty();
}

// ------------------------------------------------------------- full check

void TVinculo::ValidarVinculos(bool RegistrarInconsistencias, TResponsavel *Responsavel,
                               TRetValidaCadastro &Resultado) {
  std::unique_ptr<TResponsavel> proprio;
  if (!Responsavel) {
    proprio = std::make_unique<TResponsavel>();
    proprio->CarregarResponsavel();
    Responsavel = proprio.get();
  }
  Resultado = TRetValidaCadastro();
  if (!DataSet || DataSet->IsEmpty())
    return;

  TInconsistencia inconsistencia;
  while (!FimDados()) {
    TTrabalhador &trab = Trabalhador();
    TRescisao &resc = Rescisao();

    // The booklet as the bank's layout holds it; category 5 has none.
    if (NU_CATEGORIA == 5) {
      trab.NU_CTPS.clear();
      trab.NU_SERIE_CTPS.clear();
    } else {
      trab.NU_CTPS = trab.NU_CTPS.left(7).rightJustified(7, u'0');
      trab.NU_SERIE_CTPS = trab.NU_SERIE_CTPS.left(5).rightJustified(5, u'0');
    }
    if (DT_INICIO_AVISO_PRVO == 0)
      DT_INICIO_AVISO_PRVO = NullDate;

    // The first failing check names the link's problem.
    QString codigo;
    auto passa = [&codigo](bool ok, const TNegocio &quem) {
      if (!ok)
        codigo = quem.CodigoErro;
      return ok;
    };
    const bool valido =
        passa(trab.ValidarPIS(), trab) && passa(trab.ValidarCPF(), trab) &&
        passa(ValidarCategoria(false), *this) && passa(trab.ValidarNome(), trab) &&
        passa(trab.ValidarSexo(), trab) && passa(trab.ValidarGrauInstrucao(), trab) &&
        passa(ValidarCBO(), *this) && passa(trab.ValidarCTPS(true), trab) &&
        passa(trab.ValidarSerieCTPS(true), trab) && passa(trab.ValidarDataNascimento(), trab) &&
        passa(ValidarDataAdmissao(true, nullptr), *this) && passa(ValidarDataOpcao(), *this) &&
        passa(ValidarDataMovimentacao(), *this) && passa(ValidarMovimentacao(), *this) &&
        passa(ValidarAvisoPrevio(), *this) && passa(ValidarInicioAvisoPrevio(), *this) &&
        passa(ValidarHorasSemanais(), *this) && passa(ValidarReposicaoVagas(), *this) &&
        passa(ValidarSaque(), *this) && passa(ValidarTomador(), *this) &&
        passa(ValidarInscricaoTomador(), *this) && passa(ValidarBanco(), *this) &&
        passa(ValidarAgencia(), *this) && passa(ValidarConta(), *this) &&
        (!Informada(resc.DT_DISSIDIO) || passa(resc.ValidarDataDissidio(), resc)) &&
        passa(resc.ValidarValorDissidio(), resc) &&
        passa(resc.ValidarValoresSemRemuneracao(false), resc) &&
        passa(resc.ValidarRemuneracaoAnterior(), resc) &&
        passa(resc.ValidarRemuneracaoRescisao(), resc) &&
        passa(resc.ValidarAvisoPrevioIndenizado(), resc) && passa(resc.ValidarTipoPensao(), resc) &&
        passa(resc.ValidarPensaoPercentual(), resc) && passa(resc.ValidarPensaoValor(), resc);
    if (valido)
      codigo.clear();

    if (!codigo.isEmpty() && RegistrarInconsistencias) {
      inconsistencia.RegistrarMovimento(
          codigo, QString::number(Responsavel->NU_TIPO_INSO_EMPRA), trab.NO_EMPREGADO,
          Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), true, DT_ADMISSAO_VINCULO),
          DoisDigitos(NU_CATEGORIA), QString::number(NU_PIS).rightJustified(11, u'0'),
          Empresa().NO_RAZAO_SOCIAL, QString::number(NU_INSCRICAO),
          QString::number(NU_TIPO_INSO_EMPRA), Responsavel->NO_RAZAO_SOCIAL,
          Responsavel->InscricaoFormatada());
      Resultado.HouveInconsistencia = true;
    }
    MarcarValidacao(false, !codigo.isEmpty());
    Resultado.Codigo = codigo;
    Proximo();
  }
}

bool TVinculo::MarcarValidacao(bool Todos, bool Inconsistente) {
  CodigoErro.clear();
  IC_VALIDACAO_VINCULO = Inconsistente;
  const QString marca = Utilitarios.SimNaoSQL(Inconsistente);
  try {
    if (Todos) {
      Ibx->ExecutarSQL(
          QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = ") +
          marca);
      Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET "
                                      "IC_ESTADO_MOVIMENTO = 0 WHERE IC_VALIDACAO_VINCULO = 'S' "
                                      "AND IC_ESTADO_MOVIMENTO = 1"));
      if (Inconsistente && IC_ESTADO_MOVIMENTO == 1)
        IC_ESTADO_MOVIMENTO = 0;
    } else {
      // An inconsistent link leaves the open collection run.
      const bool sair = Inconsistente && IC_ESTADO_MOVIMENTO == 1;
      Ibx->ExecutarSQL(
          QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = ") +
          marca + (sair ? QStringLiteral(", IC_ESTADO_MOVIMENTO = 0") : QString()) +
          QStringLiteral(" WHERE ") + CondicaoChave());
      if (sair)
        IC_ESTADO_MOVIMENTO = 0;
    }
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}

// ------------------------------------------------------------------- loading

bool TVinculo::CarregarSQL(const QString &sql) {
  CodigoErro.clear();
  try {
    AbrirDataSet(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  if (DataSet->IsEmpty())
    return false;
  Primeiro();
  return true;
}

bool TVinculo::CarregarPorChave(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                qint64 Inscricao) {
  return CarregarSQL(
      SqlSelect + SqlFrom + QStringLiteral(" WHERE ") +
      CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao, QStringLiteral("VINC")));
}

bool TVinculo::Recarregar() {
  return CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                          NU_INSCRICAO);
}

bool TVinculo::CarregarTodos() {
  return CarregarSQL(SqlSelect + SqlFrom +
                     QStringLiteral(" ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, "
                                    "VINC.NU_PIS, VINC.DT_ADMISSAO_VINCULO, VINC.NU_CATEGORIA"));
}

bool TVinculo::CarregarParticipantes(bool SemFiltro, int Tipo, TDateTime DtAdmissao, int Categoria,
                                     qint64 PIS, qint64 Inscricao) {
  QString where = QStringLiteral(" WHERE VINC.IC_ESTADO_MOVIMENTO = 1");
  if (!SemFiltro) {
    if (Tipo > 0)
      where += QStringLiteral(" AND VINC.NU_TIPO_INSO_EMPRA = %1").arg(Tipo);
    if (Inscricao > 0)
      where += QStringLiteral(" AND VINC.NU_INSCRICAO = %1").arg(Inscricao);
    if (PIS > 0)
      where += QStringLiteral(" AND VINC.NU_PIS = %1").arg(PIS);
    if (Categoria > 0)
      where += QStringLiteral(" AND VINC.NU_CATEGORIA = %1").arg(Categoria);
    if (Informada(DtAdmissao))
      where += QStringLiteral(" AND VINC.DT_ADMISSAO_VINCULO = ") + Utilitarios.DataSQL(DtAdmissao);
  }
  return CarregarSQL(SqlSelect + SqlFrom + where +
                     QStringLiteral(" ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, "
                                    "VINC.NU_PIS, VINC.DT_ADMISSAO_VINCULO, VINC.NU_CATEGORIA"));
}

QString TVinculo::ConsultarMovimentacao(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                        qint64 Inscricao) {
  CodigoErro.clear();
  try {
    const TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT CO_MOVIMENTACAO FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE ") +
        CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao));
    return ds->IsEmpty() ? QString() : ds->Fields(0).AsString().trimmed();
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return QString();
  }
}

double TVinculo::ConsultarValorDissidio(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                        qint64 Inscricao) {
  CodigoErro.clear();
  try {
    const TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT VR_DISSIDIO FROM QZLTBG06_INFORMACAO_RESCISAO WHERE ") +
        CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao));
    return ds->IsEmpty() ? 0.0 : ds->Fields(0).AsFloat();
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return 0.0;
  }
}

QString TVinculo::DescricaoAvisoPrevio() const {
  switch (IC_AVISO_PREVIO) {
  case 1:
    return QStringLiteral("1 - Trabalhado");
  case 2:
    return QStringLiteral("2 - Indenizado");
  case 3:
    return QStringLiteral("3 - Ausência/Dispensa");
  default:
    return QString();
  }
}

// -------------------------------------------------------------------- saving

namespace {
QString Inteiro64OuNulo(qint64 v) {
  return v == 0 ? QStringLiteral("NULL") : QString::number(v);
}
} // namespace

bool TVinculo::Incluir() {
  CodigoErro.clear();
  if (IC_CONSIGNADO.trimmed().isEmpty())
    IC_CONSIGNADO = QStringLiteral("N");
  const QString sql =
      QStringLiteral(
          "INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
          "NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, CO_CBO, CO_SAQUE, DT_OPCAO, "
          "NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR, IC_AVISO_PREVIO, DT_INICIO_AVISO_PRVO, "
          "IC_REPOSICAO_VAGAS, QT_HORAS_TRBS_SMNA, IC_ESTADO_MOVIMENTO, DT_MOVIMENTACAO_VINCULO, "
          "NU_BANCO_CONTA, NU_AGENCIA_CONTA, NU_CONTA_BANCARIA, IC_CONSIGNADO) VALUES (") +
      QStringList{QString::number(NU_TIPO_INSO_EMPRA),
                  QString::number(NU_INSCRICAO),
                  QString::number(NU_PIS),
                  QString::number(NU_CATEGORIA),
                  Utilitarios.DataSQL(DT_ADMISSAO_VINCULO),
                  Utilitarios.TextoSQL(CO_MOVIMENTACAO.trimmed()),
                  Utilitarios.TextoSQL(CO_CBO.trimmed()),
                  Utilitarios.TextoSQL(CO_SAQUE.trimmed()),
                  Utilitarios.DataSQL(DT_OPCAO),
                  Inteiro64OuNulo(NU_TIPO_INSO_TMDR),
                  Inteiro64OuNulo(NU_INSCRICAO_TMDR),
                  QString::number(IC_AVISO_PREVIO),
                  Utilitarios.DataSQL(DT_INICIO_AVISO_PRVO),
                  QStringLiteral("'N'"),
                  QString::number(QT_HORAS_TRBS_SMNA),
                  QStringLiteral("0"),
                  Utilitarios.DataSQL(DT_MOVIMENTACAO_VINCULO),
                  NumeroSQL(NU_BANCO_CONTA),
                  NumeroSQL(NU_AGENCIA_CONTA),
                  NumeroSQL(NU_CONTA_BANCARIA),
                  Utilitarios.TextoSQL(IC_CONSIGNADO)}
          .join(QStringLiteral(", ")) +
      QStringLiteral(")");
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  IC_ESTADO_MOVIMENTO = 0;
  IC_REPOSICAO_VAGAS = QStringLiteral("N");
  return true;
}

bool TVinculo::Alterar() {
  CodigoErro.clear();
  if (IC_CONSIGNADO.trimmed().isEmpty())
    IC_CONSIGNADO = QStringLiteral("N");
  // Each value is placed once, so that no typed text is read again as a
  // placeholder.
  const QStringList valores = {
      QStringLiteral("CO_MOVIMENTACAO = ") + Utilitarios.TextoSQL(CO_MOVIMENTACAO.trimmed()),
      QStringLiteral("CO_CBO = ") + Utilitarios.TextoSQL(CO_CBO.trimmed()),
      QStringLiteral("CO_SAQUE = ") + Utilitarios.TextoSQL(CO_SAQUE.trimmed()),
      QStringLiteral("DT_OPCAO = ") + Utilitarios.DataSQL(DT_OPCAO),
      QStringLiteral("NU_TIPO_INSO_TMDR = ") + QString::number(NU_TIPO_INSO_TMDR),
      QStringLiteral("NU_INSCRICAO_TMDR = ") + QString::number(NU_INSCRICAO_TMDR),
      QStringLiteral("IC_AVISO_PREVIO = ") + QString::number(IC_AVISO_PREVIO),
      QStringLiteral("DT_INICIO_AVISO_PRVO = ") + Utilitarios.DataSQL(DT_INICIO_AVISO_PRVO),
      QStringLiteral("IC_REPOSICAO_VAGAS = 'N'"),
      QStringLiteral("QT_HORAS_TRBS_SMNA = ") + QString::number(QT_HORAS_TRBS_SMNA),
      QStringLiteral("IC_ESTADO_MOVIMENTO = ") + QString::number(IC_ESTADO_MOVIMENTO),
      QStringLiteral("DT_MOVIMENTACAO_VINCULO = ") + Utilitarios.DataSQL(DT_MOVIMENTACAO_VINCULO),
      QStringLiteral("NU_BANCO_CONTA = ") + NumeroSQL(NU_BANCO_CONTA),
      QStringLiteral("NU_AGENCIA_CONTA = ") + NumeroSQL(NU_AGENCIA_CONTA),
      QStringLiteral("NU_CONTA_BANCARIA = ") + NumeroSQL(NU_CONTA_BANCARIA),
      QStringLiteral("IC_VALIDACAO_VINCULO = 'N'"),
      QStringLiteral("IC_CONSIGNADO = ") + Utilitarios.TextoSQL(IC_CONSIGNADO),
  };
  const QString sql = QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET ") +
                      valores.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                      CondicaoChave();
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  IC_VALIDACAO_VINCULO = false;
  IC_REPOSICAO_VAGAS = QStringLiteral("N");
  return true;
}

bool TVinculo::GravarEstadoMovimento(int NovoEstado) {
  CodigoErro.clear();
  try {
    Ibx->ExecutarSQL(
        QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = %1 WHERE ")
            .arg(NovoEstado) +
        CondicaoChave());
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  IC_ESTADO_MOVIMENTO = static_cast<quint8>(NovoEstado);
  return true;
}
