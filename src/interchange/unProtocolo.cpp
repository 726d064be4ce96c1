#include "interchange/unProtocolo.h"

#include "core/unUtilitarios.h"

namespace {
// The identifier is 30 digits: always compared as quoted text, since as a
// number it would not fit any integer type.
QString Id(const QString &identificador) {
  return u'\'' + QString(identificador).replace(u'\'', QStringLiteral("''")) + u'\'';
}
QString Aspas(const QString &texto) {
  return Id(texto);
}
} // namespace

TProtocolo::TProtocolo() {
  Inicializar();
}

void TProtocolo::Inicializar() {
  NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("1");
  CO_PROTOCOLO.clear();
  DT_ENVIO_PROTOCOLO = NullDate;
  NU_ARQUIVO = 0;
  NM_ARQUIVO.clear();
  DE_ARQUIVO.clear();
  IC_ARQUIVO_VALIDO.clear();
  IC_ARQUIVO_ATENDIDO.clear();
  DT_GERACAO_ARQUIVO = NullDate;
  SqlSelect = QStringLiteral(
      "SELECT ARQ.CO_PROTOCOLO,        ARQ.DT_ENVIO_PROTOCOLO,        ARQ.NU_IDENTIFICADOR_ARQUIVO,"
      "        ARQ.NU_ARQUIVO,        ARQ.NM_ARQUIVO,        TIPARQ.DE_ARQUIVO,"
      "        ARQ.IC_ARQUIVO_VALIDO,        ARQ.IC_ARQUIVO_ATENDIDO,        "
      "ARQ.DT_GERACAO_ARQUIVO ");
  SqlFrom = QStringLiteral("FROM QZLTBG13_ARQUIVO ARQ JOIN QZLTBT12_TIPO_ARQUIVO TIPARQ   ON "
                           "ARQ.NU_ARQUIVO = TIPARQ.NU_ARQUIVO ");
}

void TProtocolo::Limpar() {}

void TProtocolo::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_IDENTIFICADOR_ARQUIVO = Campo(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString().trimmed();
  CO_PROTOCOLO = Campo(QStringLiteral("CO_PROTOCOLO")).AsString();
  DT_ENVIO_PROTOCOLO = Campo(QStringLiteral("DT_ENVIO_PROTOCOLO")).AsDateTime();
  NU_ARQUIVO = Campo(QStringLiteral("NU_ARQUIVO")).AsInteger();
  NM_ARQUIVO = Campo(QStringLiteral("NM_ARQUIVO")).AsString();
  DE_ARQUIVO = Campo(QStringLiteral("DE_ARQUIVO")).AsString();
  IC_ARQUIVO_VALIDO = Campo(QStringLiteral("IC_ARQUIVO_VALIDO")).AsString();
  IC_ARQUIVO_ATENDIDO = Campo(QStringLiteral("IC_ARQUIVO_ATENDIDO")).AsString();
  DT_GERACAO_ARQUIVO = Campo(QStringLiteral("DT_GERACAO_ARQUIVO")).AsDateTime();
}

bool TProtocolo::CarregarPorIdentificador() {
  try {
    AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral(" WHERE ARQ.NU_IDENTIFICADOR_ARQUIVO = ") +
                 Id(NU_IDENTIFICADOR_ARQUIVO.trimmed()));
  } catch (const EBancoDados &) {
    return false;
  }
  if (DataSet->IsEmpty())
    return false;
  Primeiro();
  return true;
}

bool TProtocolo::CarregarPorTipos(const QList<int> &Tipos) {
  QStringList condicoes;
  for (int t : Tipos)
    condicoes << QStringLiteral(" ARQ.NU_ARQUIVO = ") + QString::number(t);
  QString sql = SqlSelect + SqlFrom;
  if (!condicoes.isEmpty())
    sql += QStringLiteral(" WHERE ") + condicoes.join(QStringLiteral(" OR "));
  sql += QStringLiteral(" ORDER BY TIPARQ.DE_ARQUIVO");
  try {
    AbrirDataSet(sql);
  } catch (const EBancoDados &) {
    return false;
  }
  if (!DataSet->IsEmpty())
    Primeiro();
  return true;
}

bool TProtocolo::Incluir() {
  try {
    if (NU_ARQUIVO <= 0) {
      TDataSetPtr ds = Ibx->AbrirConsulta(
          QStringLiteral("SELECT NU_ARQUIVO FROM QZLTBT12_TIPO_ARQUIVO WHERE DE_ARQUIVO = ") +
          Aspas(DE_ARQUIVO));
      if (ds->IsEmpty())
        return false; // a kind that does not exist cannot be recorded
      NU_ARQUIVO = ds->Fields(0).AsInteger();
    }
    Ibx->ExecutarSQL(
        QStringLiteral(
            "INSERT INTO QZLTBG13_ARQUIVO(   NU_IDENTIFICADOR_ARQUIVO,   CO_PROTOCOLO,   "
            "DT_ENVIO_PROTOCOLO,   NU_ARQUIVO,   NM_ARQUIVO,   DT_GERACAO_ARQUIVO) VALUES(") +
        QStringList{Utilitarios.TextoSQL(NU_IDENTIFICADOR_ARQUIVO), Aspas(CO_PROTOCOLO),
                    Utilitarios.DataSQL(DT_ENVIO_PROTOCOLO, false), QString::number(NU_ARQUIVO),
                    Utilitarios.TextoSQL(NM_ARQUIVO),
                    Utilitarios.DataSQL(DT_GERACAO_ARQUIVO, false)}
            .join(u',') +
        u')');
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TProtocolo::Alterar() {
  const QString sql =
      QStringLiteral("UPDATE QZLTBG13_ARQUIVO SET   CO_PROTOCOLO        = ") +
      Utilitarios.TextoSQL(CO_PROTOCOLO) + QStringLiteral(",  DT_ENVIO_PROTOCOLO  = ") +
      Utilitarios.DataSQL(DT_ENVIO_PROTOCOLO) + QStringLiteral(",  NM_ARQUIVO          = ") +
      Utilitarios.TextoSQL(NM_ARQUIVO) + QStringLiteral(",  NU_ARQUIVO          = ") +
      Utilitarios.InteiroSQL(NU_ARQUIVO) + QStringLiteral(",  DT_GERACAO_ARQUIVO  = ") +
      Utilitarios.DataSQL(DT_GERACAO_ARQUIVO, false) + QStringLiteral(",  IC_ARQUIVO_VALIDO   = ") +
      Utilitarios.TextoSQL(IC_ARQUIVO_VALIDO) + QStringLiteral(",  IC_ARQUIVO_ATENDIDO = ") +
      Utilitarios.TextoSQL(IC_ARQUIVO_ATENDIDO) +
      QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO = ") + Id(NU_IDENTIFICADOR_ARQUIVO.trimmed());
  try {
    return Ibx->ExecutarSQL(sql) > 0;
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TProtocolo::Excluir() {
  try {
    return Ibx->ExecutarSQL(
               QStringLiteral("DELETE FROM QZLTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
               Id(NU_IDENTIFICADOR_ARQUIVO.trimmed())) > 0;
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TProtocolo::MarcarValidade(bool Valido, TDateTime Data) {
  if (!CarregarPorIdentificador())
    return false;
  IC_ARQUIVO_VALIDO = Valido ? QStringLiteral("S") : QStringLiteral("N");
  try {
    DT_GERACAO_ARQUIVO = Data > 0 ? Data : Utilitarios.DataServidor();
  } catch (const EBancoDados &) {
    return false;
  }
  return Alterar();
}

bool TProtocolo::GravarProcessamento(TDateTime Data) {
  try {
    Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG15_ENVIO_EMPRESA SET   DT_PROCESSAMENTO = ") +
                     Utilitarios.DataSQL(Data) +
                     QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
                     Id(NU_IDENTIFICADOR_ARQUIVO.trimmed()));
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TProtocolo::GravarLinha(const QString &Identificador, int Linha, const QString &Texto) {
  try {
    Ibx->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG14_OCORRENCIA_GUIA(   NU_IDENTIFICADOR_ARQUIVO, "
                       "NU_LINHA, DE_LINHA_ARQUIVO) VALUES(") +
        Id(Identificador) + u',' + QString::number(Linha) + u',' + Utilitarios.TextoSQL(Texto) +
        u')');
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TProtocolo::ValidarLinhas(const QString &Identificador) {
  TDataSetPtr ds;
  try {
    ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT NU_IDENTIFICADOR_ARQUIVO,NU_LINHA,DE_LINHA_ARQUIVO FROM "
                       "QZLTBG14_OCORRENCIA_GUIA  WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
        Id(Identificador) + QStringLiteral(" ORDER BY NU_LINHA ASC"));
  } catch (const EBancoDados &) {
    return false;
  }
  if (ds->IsEmpty())
    return false;
  ds->First();
  const bool primeira = ds->FieldByName(QStringLiteral("DE_LINHA_ARQUIVO"))
                            .AsString()
                            .startsWith(QStringLiteral("00"));
  ds->MoverPara(ds->RecordCount() - 1);
  const bool ultima = ds->FieldByName(QStringLiteral("DE_LINHA_ARQUIVO"))
                          .AsString()
                          .startsWith(QStringLiteral("90"));
  return primeira && ultima;
}

bool TProtocolo::IncluirEmpresa(const QString &Identificador, int TipoInscricao, qint64 Inscricao,
                                const QString &Nome, double Total, const QString &CodigoBarras,
                                TDateTime DataRecolhimento) {
  QString colunas =
      QStringLiteral("NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO ");
  QStringList valores{Id(Identificador), QString::number(TipoInscricao),
                      QString::number(Inscricao)};
  if (!Nome.isEmpty()) {
    colunas += QStringLiteral(",NO_RAZAO_SOCIAL ");
    valores << Utilitarios.TextoSQL(Nome);
  }
  if (Total != 0) {
    colunas += QStringLiteral(",VR_TOTAL_RECOLHIDO ");
    valores << Utilitarios.DecimalSQL(Total);
  }
  if (!CodigoBarras.isEmpty()) {
    colunas += QStringLiteral(",CO_BARRAS_ENVIO_EMPRESA ");
    valores << Utilitarios.TextoSQL(CodigoBarras);
  }
  if (DataRecolhimento != 0 && DataDefinida(DataRecolhimento)) {
    colunas += QStringLiteral(",DT_RECOLHIMENTO_ENVIO_EMPRESA ");
    valores << Utilitarios.DataSQL(DataRecolhimento);
  }
  try {
    Ibx->ExecutarSQL(QStringLiteral("INSERT INTO QZLTBG15_ENVIO_EMPRESA( ") + colunas +
                     QStringLiteral(" )VALUES(") + valores.join(u',') + u')');
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TProtocolo::AlterarEmpresa(const QString &Identificador, int TipoInscricao, qint64 Inscricao,
                                const QString &Nome, double Total, const QString &CodigoBarras,
                                TDateTime DataRecolhimento) {
  QStringList sets;
  if (!Nome.isEmpty())
    sets << QStringLiteral(" NO_RAZAO_SOCIAL = ") + Utilitarios.TextoSQL(Nome);
  if (Total != 0)
    sets << QStringLiteral(" VR_TOTAL_RECOLHIDO = ") + Utilitarios.DecimalSQL(Total);
  if (!CodigoBarras.isEmpty())
    sets << QStringLiteral(" CO_BARRAS_ENVIO_EMPRESA = ") + Utilitarios.TextoSQL(CodigoBarras);
  if (DataRecolhimento != 0 && DataDefinida(DataRecolhimento))
    sets << QStringLiteral(" DT_RECOLHIMENTO_ENVIO_EMPRESA = ") +
                Utilitarios.DataSQL(DataRecolhimento);
  if (sets.isEmpty())
    return true; // nothing to change
  try {
    Ibx->ExecutarSQL(
        QStringLiteral("UPDATE QZLTBG15_ENVIO_EMPRESA SET ") + sets.join(u',') +
        QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO    = ") + Id(Identificador) +
        QStringLiteral(" AND NU_TIPO_INSCRICAO_ENVIO = ") + Aspas(QString::number(TipoInscricao)) +
        QStringLiteral(" AND NU_INSCRICAO_ENVIO      = ") + Aspas(QString::number(Inscricao)));
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TProtocolo::IncluirTrabalhador(const QString &Identificador, int TipoInscricao,
                                    qint64 Inscricao, qint64 PIS, int Categoria, TDateTime Admissao,
                                    const QString &Nome, double Total,
                                    const QString &CodigoMovimentacao, TDateTime DataMovimentacao) {
  QString colunas = QStringLiteral("NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, "
                                   "NU_INSCRICAO_ENVIO, NU_PIS_ENVIO, NU_CATEGORIA_ENVIO, "
                                   "DT_ADMISSAO_ENVIO ");
  QStringList valores{Id(Identificador),          QString::number(TipoInscricao),
                      QString::number(Inscricao), QString::number(PIS),
                      QString::number(Categoria), Utilitarios.DataSQL(Admissao)};
  if (!Nome.isEmpty()) {
    colunas += QStringLiteral(",NO_EMPREGADO ");
    valores << Utilitarios.TextoSQL(Nome);
  }
  if (Total != 0) {
    colunas += QStringLiteral(",VR_TOTAL_RECOLHIDO ");
    valores << Utilitarios.ValorSQL(Total);
  }
  if (!CodigoMovimentacao.isEmpty()) {
    colunas += QStringLiteral(",CO_MOVIMENTACAO ");
    valores << Utilitarios.TextoSQL(CodigoMovimentacao);
  }
  if (DataMovimentacao != 0 && DataDefinida(DataMovimentacao)) {
    colunas += QStringLiteral(",DT_MOVIMENTACAO ");
    valores << Utilitarios.DataSQL(DataMovimentacao);
  }
  try {
    Ibx->ExecutarSQL(QStringLiteral("INSERT INTO QZLTBG16_ENVIO_EMPREGADO( ") + colunas +
                     QStringLiteral(" ) VALUES(") + valores.join(u',') + u')');
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TProtocolo::TotalizarEmpresas() {
  TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral(
          "SELECT E.NU_IDENTIFICADOR_ARQUIVO, E.NU_TIPO_INSCRICAO_ENVIO, E.NU_INSCRICAO_ENVIO, "
          "E.NU_ENVIO_EMPRESA, SUM(T.VR_TOTAL_RECOLHIDO) AS TOT_RECOLHIDO_EMP "
          "FROM QZLTBG15_ENVIO_EMPRESA E JOIN QZLTBG16_ENVIO_EMPREGADO T "
          "ON T.NU_IDENTIFICADOR_ARQUIVO = E.NU_IDENTIFICADOR_ARQUIVO "
          "AND T.NU_TIPO_INSCRICAO_ENVIO = E.NU_TIPO_INSCRICAO_ENVIO "
          "AND T.NU_INSCRICAO_ENVIO = E.NU_INSCRICAO_ENVIO "
          "AND T.NU_ENVIO_EMPRESA = E.NU_ENVIO_EMPRESA "
          "WHERE E.NU_IDENTIFICADOR_ARQUIVO = ") +
      Id(NU_IDENTIFICADOR_ARQUIVO.trimmed()) +
      QStringLiteral(" GROUP BY E.NU_IDENTIFICADOR_ARQUIVO, E.NU_TIPO_INSCRICAO_ENVIO, "
                     "E.NU_INSCRICAO_ENVIO, E.NU_ENVIO_EMPRESA"));
  bool algum = false;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    // Each company row of the file gets its own workers' sum (the row number
    // keeps two rows of one company apart).
    Ibx->ExecutarSQL(
        QStringLiteral(" UPDATE QZLTBG15_ENVIO_EMPRESA  SET VR_TOTAL_RECOLHIDO = ") +
        Utilitarios.DecimalSQL(ds->FieldByName(QStringLiteral("TOT_RECOLHIDO_EMP")).AsFloat()) +
        QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
        Id(ds->FieldByName(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString()) +
        QStringLiteral(" AND NU_TIPO_INSCRICAO_ENVIO  = ") +
        QString::number(ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_ENVIO")).AsInteger()) +
        QStringLiteral(" AND NU_INSCRICAO_ENVIO       = ") +
        QString::number(ds->FieldByName(QStringLiteral("NU_INSCRICAO_ENVIO")).AsInt64()) +
        QStringLiteral(" AND NU_ENVIO_EMPRESA = ") +
        QString::number(ds->FieldByName(QStringLiteral("NU_ENVIO_EMPRESA")).AsInteger()));
    algum = true;
  }
  return algum;
}

TDataSetPtr TProtocolo::ListarEmpresas(const QString &Identificador) {
  try {
    return Ibx->AbrirConsulta(
        QStringLiteral(
            "SELECT NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NO_RAZAO_SOCIAL,        "
            "VR_TOTAL_RECOLHIDO, CO_BARRAS_ENVIO_EMPRESA,        "
            "DT_RECOLHIMENTO_ENVIO_EMPRESA, DT_PROCESSAMENTO FROM QZLTBG15_ENVIO_EMPRESA  "
            "WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
        Id(Identificador));
  } catch (const EBancoDados &) {
    return nullptr;
  }
}

TDataSetPtr TProtocolo::ListarTrabalhadores(const QString &Identificador, qint64 Inscricao) {
  try {
    return Ibx->AbrirConsulta(
        QStringLiteral("SELECT DISTINCT NU_PIS_ENVIO, DT_ADMISSAO_ENVIO, NO_EMPREGADO,   "
                       "VR_TOTAL_RECOLHIDO, NU_TIPO_INSCRICAO_ENVIO,   NU_INSCRICAO_ENVIO  FROM "
                       "QZLTBG16_ENVIO_EMPREGADO  WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
        Id(Identificador) + QStringLiteral(" AND   NU_INSCRICAO_ENVIO       = ") +
        QString::number(Inscricao));
  } catch (const EBancoDados &) {
    return nullptr;
  }
}
