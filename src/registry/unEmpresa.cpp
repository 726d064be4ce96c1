#include "unEmpresa.h"

#include "core/unUtilitarios.h"
#include "unTrabalhador.h"
#include "core/unTransacao.h"

namespace {
const QString EstadosEmpresa = QStringLiteral("EMP.IC_ESTADO_EMPRESA IN ('E', 'A')");

QString Chave(int Tipo, qint64 Inscricao) {
  return QStringLiteral("NU_TIPO_INSO_EMPRA = ") + QString::number(Tipo) +
         QStringLiteral(" AND NU_INSCRICAO = ") + QString::number(Inscricao);
}
} // namespace

TEmpresa::TEmpresa() {
  TEmpresa::Inicializar();
}

void TEmpresa::Inicializar() {
  TEstabelecimento::Inicializar();
  NU_IBGE.clear();
  NU_INSS.clear();
  NO_RAZAO_SOCIAL.clear();
  NU_SIMPLES = 0;
  SALDO_EMPRESA = 0;
}

void TEmpresa::Limpar() {
  TEstabelecimento::Limpar();
}

void TEmpresa::CarregarAtributos() {
  TEstabelecimento::CarregarAtributos();
  const TField ibge = Campo(QStringLiteral("NU_IBGE"));
  NU_IBGE = ibge.IsNull() ? QString() : ibge.AsString();
  const TField fpas = Campo(QStringLiteral("FPAS"));
  NU_INSS = fpas.IsNull() ? QString() : fpas.AsString();
  NO_RAZAO_SOCIAL = Campo(QStringLiteral("NO_RAZAO_SOCIAL")).AsString();
  NU_SIMPLES = static_cast<qint16>(Campo(QStringLiteral("SIMPLES")).AsInteger());
  SALDO_EMPRESA = PossuiCampo(QStringLiteral("SALDO_EMPRESA"))
                      ? Campo(QStringLiteral("SALDO_EMPRESA")).AsFloat()
                      : 0.0;
}

// ------------------------------------------------------------------ checks --

bool TEmpresa::ValidarCNAE() {
  CodigoErro.clear();
  const QString cnae = NU_IBGE.trimmed();
  if (cnae.isEmpty()) {
    CodigoErro = QStringLiteral("0019");
    return false;
  }
  if (!TUtilitarios::SomenteNumeros(cnae) ||
      Ibx->AbrirConsulta(
             QStringLiteral(
                 "SELECT NU_IBGE FROM QZLTBT03_ATIVIDADE_CNAE_NIVEL_5 WHERE NU_IBGE = ") +
             NumeroSQL(cnae))
          ->IsEmpty()) {
    CodigoErro = QStringLiteral("0140");
    return false;
  }
  return true;
}

bool TEmpresa::ValidarFPAS() {
  CodigoErro.clear();
  const QString fpas = Fpas();
  if (fpas.isEmpty()) {
    CodigoErro = QStringLiteral("0070");
    return false;
  }
  if (!TUtilitarios::SomenteNumeros(fpas)) {
    CodigoErro = QStringLiteral("0244");
    return false;
  }
  if (Ibx->AbrirConsulta(QStringLiteral("SELECT NU_INSS FROM QZLTBT01_FPAS WHERE NU_INSS = ") +
                         TUtilitarios::TextoSQL(fpas))
          ->IsEmpty())
    CodigoErro = QStringLiteral("0244");
  const bool domestico = fpas == QLatin1String("868");
  if (domestico && NU_TIPO_INSO_EMPRA != 2)
    CodigoErro = QStringLiteral("0226");
  const qint64 inscricao = TUtilitarios::ParaInteiro64(InscricaoFormatada());
  // FPAS 868 is the one code of domestic employers: only category-6 links are
  // allowed under it, and category-6 links are allowed only under it.
  if (!domestico && ContarVinculosCategoria(NU_TIPO_INSO_EMPRA, 6, true, inscricao) > 0) {
    CodigoErro = QStringLiteral("0429");
    return false;
  }
  if (domestico && ContarVinculosCategoria(NU_TIPO_INSO_EMPRA, 6, false, inscricao) > 0)
    CodigoErro = QStringLiteral("0432");
  return CodigoErro.isEmpty();
}

bool TEmpresa::ValidarSimples() {
  CodigoErro.clear();
  const QString fpas = Fpas();
  if (fpas == QLatin1String("868") && NU_SIMPLES != 1)
    CodigoErro = QStringLiteral("0123");
  if ((fpas == QLatin1String("582") || fpas == QLatin1String("639")) && NU_SIMPLES != 1 &&
      NU_SIMPLES != 5)
    CodigoErro = QStringLiteral("0124");
  if (Ibx->AbrirConsulta(
             QStringLiteral(
                 "SELECT NU_SIMPLES FROM QZLTBT02_TIPO_OPCAO_SIMPLES WHERE NU_SIMPLES = ") +
             QString::number(NU_SIMPLES))
          ->IsEmpty())
    CodigoErro = QStringLiteral("0213");
  if (NU_SIMPLES == 4 && !(fpas == QLatin1String("604") && NU_TIPO_INSO_EMPRA == 2))
    CodigoErro = QStringLiteral("0126");
  return CodigoErro.isEmpty();
}

// ---------------------------------------------------------------- loading --

QString TEmpresa::OrdemPadrao() const {
  return QStringLiteral(" ORDER BY EMP.NO_RAZAO_SOCIAL, EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO");
}

bool TEmpresa::CarregarEmpresa(int Tipo, qint64 Inscricao) {
  CodigoErro.clear();
  try {
    AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral("WHERE EMP.NU_TIPO_INSO_EMPRA = ") +
                 QString::number(Tipo) + QStringLiteral(" AND EMP.NU_INSCRICAO = ") +
                 QString::number(Inscricao) + QStringLiteral(" AND ") + EstadosEmpresa);
    if (QuantidadeRegistros() > 0)
      Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

void TEmpresa::CarregarTodas() {
  AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral("WHERE ") + EstadosEmpresa + OrdemPadrao());
  if (QuantidadeRegistros() > 0)
    Primeiro();
}

void TEmpresa::CarregarComVinculos() {
  AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral("WHERE ") + EstadosEmpresa +
               QStringLiteral(" AND EXISTS (SELECT 1 FROM QZLTBG04_VINCULO_EMPREGATICIO VINC "
                              "WHERE VINC.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA "
                              "AND VINC.NU_INSCRICAO = EMP.NU_INSCRICAO)") +
               OrdemPadrao());
  if (QuantidadeRegistros() > 0)
    Primeiro();
}

void TEmpresa::PesquisarPorNome(const QString &Parte) {
  AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral("WHERE ") + EstadosEmpresa +
               QStringLiteral(" AND EMP.NO_RAZAO_SOCIAL LIKE ") +
               TUtilitarios::TextoSQL(u'%' + Parte + u'%') + OrdemPadrao());
  if (QuantidadeRegistros() > 0)
    Primeiro();
}

bool TEmpresa::LocalizarInscricao(const QString &Inscricao) {
  if (Inscricao.trimmed().isEmpty() || !DataSet)
    return false;
  const qint64 procurada = TUtilitarios::ParaInteiro64(Inscricao);
  TDataSet &ds = *DataSet;
  for (int i = 0; i < ds.RecordCount(); ++i) {
    ds.MoverPara(i);
    if (ds.FieldByName(QStringLiteral("NU_INSCRICAO")).AsInt64() == procurada) {
      CarregarAtributos();
      return true;
    }
  }
  ds.First();
  return false;
}

bool TEmpresa::CarregarComSaldo(bool SemFiltro, int Tipo, qint64 Inscricao, qint64 PIS,
                                const QString &Ordem) {
  CodigoErro.clear();
  const QString colunas = ColunasEmpresa();
  QString sql = QStringLiteral("SELECT ") + colunas +
                QStringLiteral(", SUM(CONTA.VR_SALDO_RESCISORIO) AS SALDO_EMPRESA "
                               "FROM QZLTBG02_EMPRESA EMP LEFT JOIN QZLTBG10_CONTA_EMPREGADO_ZELT "
                               "CONTA ON CONTA.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA AND "
                               "CONTA.NU_INSCRICAO = EMP.NU_INSCRICAO WHERE ") +
                EstadosEmpresa + QStringLiteral(" AND CONTA.NU_SITUACAO_CONTA_EMPREGADO <> 3");
  if (!SemFiltro) {
    if (Tipo > 0)
      sql += QStringLiteral(" AND EMP.NU_TIPO_INSO_EMPRA = ") + QString::number(Tipo);
    if (Inscricao > 0)
      sql += QStringLiteral(" AND EMP.NU_INSCRICAO = ") + QString::number(Inscricao);
    if (PIS > 0)
      sql += QStringLiteral(" AND CONTA.NU_PIS = ") + QString::number(PIS);
  }
  // Group by every company column (the list without its aliases).
  QString grupo = colunas;
  grupo.replace(QStringLiteral(" AS SIMPLES"), QString())
      .replace(QStringLiteral(" AS FPAS"), QString())
      .replace(QStringLiteral(" AS NO_RAZAO_SOCIAL"), QString());
  sql += QStringLiteral(" GROUP BY ") + grupo +
         QStringLiteral(" HAVING SUM(CONTA.VR_SALDO_RESCISORIO) >= 0");
  if (!Ordem.trimmed().isEmpty())
    sql += QStringLiteral(" ORDER BY ") + Ordem;
  try {
    AbrirDataSet(sql);
    if (QuantidadeRegistros() > 0)
      Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

int TEmpresa::ContarVinculosCategoria(int Tipo, int Categoria, bool MesmaCategoria,
                                      qint64 Inscricao) {
  TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral("SELECT COUNT(*) AS CONTA FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE ") +
      Chave(Tipo, Inscricao) + QStringLiteral(" AND NU_CATEGORIA ") +
      (MesmaCategoria ? QStringLiteral("= ") : QStringLiteral("<> ")) + QString::number(Categoria));
  return ds->IsEmpty() ? 0 : ds->FieldByName(QStringLiteral("CONTA")).AsInteger();
}

// ----------------------------------------------------------------- saving --

bool TEmpresa::Incluir() {
  CodigoErro.clear();
  try {
    TDataSetPtr ds =
        Ibx->AbrirConsulta(QStringLiteral("SELECT IC_ESTADO_EMPRESA FROM QZLTBG02_EMPRESA WHERE ") +
                           Chave(NU_TIPO_INSO_EMPRA, InscricaoNumero()));
    const QString estado =
        ds->IsEmpty() ? QString()
                      : ds->FieldByName(QStringLiteral("IC_ESTADO_EMPRESA")).AsString().trimmed();
    if (estado == QLatin1String("E") || estado == QLatin1String("A")) {
      CodigoErro = QStringLiteral("0207");
      return false;
    }
    if (estado == QLatin1String("R")) {
      TEscopoTransacao transacao(Ibx);
      if (!Alterar())
        return false;
      PromoverResponsavel();
      transacao.Confirmar();
      return CodigoErro.isEmpty();
    }
    Ibx->ExecutarSQL(
        QStringLiteral(
            "INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, "
            "SG_UF, NU_IBGE, NU_INSS, NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, "
            "NO_LOCALIDADE, NU_DDD, NU_TELEFONE, NO_CONTATO, "
            "CO_ENDERECO_VIRTUAL_CONTATO, IC_ESTADO_EMPRESA) VALUES (") +
        QString::number(NU_TIPO_INSO_EMPRA) + u',' + QString::number(InscricaoNumero()) + u',' +
        QString::number(NU_SIMPLES) + u',' + UfSQL() + u',' + NumeroSQL(NU_IBGE) + u',' +
        NumeroSQL(NU_INSS) + u',' + TUtilitarios::TextoSQL(NO_RAZAO_SOCIAL) + u',' +
        LogradouroSQL() + u',' + BairroSQL() + u',' + CepSQL() + u',' + LocalidadeSQL() + u',' +
        NumeroSQL(NU_DDD) + u',' + NumeroSQL(NU_TELEFONE) + QStringLiteral(", NULL, ") +
        TUtilitarios::TextoSQL(CO_ENDERECO_VIRTUAL_CONTATO) + QStringLiteral(", 'E')"));
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
  }
  return CodigoErro.isEmpty();
}

bool TEmpresa::Alterar() {
  CodigoErro.clear();
  try {
    Ibx->ExecutarSQL(
        QStringLiteral("UPDATE QZLTBG02_EMPRESA SET NU_SIMPLES = ") + QString::number(NU_SIMPLES) +
        QStringLiteral(", SG_UF = ") + UfSQL() + QStringLiteral(", NU_IBGE = ") +
        NumeroSQL(NU_IBGE) + QStringLiteral(", NU_INSS = ") + NumeroSQL(NU_INSS) +
        QStringLiteral(", NO_RAZAO_SOCIAL = ") + TUtilitarios::TextoSQL(NO_RAZAO_SOCIAL) +
        QStringLiteral(", DE_LOGRADOURO = ") + LogradouroSQL() + QStringLiteral(", NO_BAIRRO = ") +
        BairroSQL() + QStringLiteral(", NU_CEP = ") + CepSQL() +
        QStringLiteral(", NO_LOCALIDADE = ") + LocalidadeSQL() + QStringLiteral(", NU_DDD = ") +
        NumeroSQL(NU_DDD) + QStringLiteral(", NU_TELEFONE = ") + NumeroSQL(NU_TELEFONE) +
        QStringLiteral(" WHERE ") + Chave(NU_TIPO_INSO_EMPRA, InscricaoNumero()));
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

void TEmpresa::PromoverResponsavel() {
  Ibx->ExecutarSQL(QStringLiteral(
      "UPDATE QZLTBG02_EMPRESA SET IC_ESTADO_EMPRESA = 'A' WHERE IC_ESTADO_EMPRESA = 'R'"));
  IC_ESTADO_EMPRESA = QStringLiteral("A");
}

void TEmpresa::RebaixarParaResponsavel() {
  Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG02_EMPRESA SET IC_ESTADO_EMPRESA = 'R', "
                                  "NU_SIMPLES = NULL, NU_IBGE = NULL, NU_INSS = NULL "
                                  "WHERE IC_ESTADO_EMPRESA = 'A'"));
  IC_ESTADO_EMPRESA = QStringLiteral("R");
}

bool TEmpresa::Excluir() {
  CodigoErro.clear();
  const qint64 inscricao = InscricaoNumero();
  try {
    TEscopoTransacao transacao(Ibx);
    TDataSetPtr ds =
        Ibx->AbrirConsulta(QStringLiteral("SELECT IC_ESTADO_EMPRESA FROM QZLTBG02_EMPRESA WHERE ") +
                           Chave(NU_TIPO_INSO_EMPRA, inscricao));
    const QString estado =
        ds->IsEmpty() ? QString()
                      : ds->FieldByName(QStringLiteral("IC_ESTADO_EMPRESA")).AsString().trimmed();
    TTrabalhador::ExcluirVinculosDaChave(Ibx, NU_TIPO_INSO_EMPRA, inscricao, 0, 0, NullDate, true);
    if (estado == QLatin1String("E"))
      Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG02_EMPRESA WHERE ") +
                       Chave(NU_TIPO_INSO_EMPRA, inscricao) +
                       QStringLiteral(" AND IC_ESTADO_EMPRESA = 'E'"));
    else if (estado == QLatin1String("A"))
      RebaixarParaResponsavel();
    transacao.Confirmar();
    if (estado == QLatin1String("A") && AoRebaixarResponsavel)
      AoRebaixarResponsavel(IC_ESTADO_EMPRESA);
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}
