#include "collection/unConsultaGuias.h"

#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"

#include <QStringList>

QString SqlGuiasEmpresa(const QString &Modo, const QString &Arquivo, bool ExigirProtocolo,
                        const QString &Ordem) {
  const QString protocolo = QStringLiteral(
      "EXISTS (SELECT 1 FROM QZLTBG13_ARQUIVO ARQ WHERE ARQ.NU_IDENTIFICADOR_ARQUIVO = "
      "TOT.NU_IDENTIFICADOR_ARQUIVO AND ARQ.CO_PROTOCOLO IS NOT NULL AND "
      "TRIM(ARQ.CO_PROTOCOLO) <> '')");
  QStringList onde;
  if (Modo == ModoProcessadas)
    onde << QStringLiteral("TOT.DT_PROCESSAMENTO IS NOT NULL");
  else if (Modo == ModoInformativas) {
    onde << QStringLiteral("TOT.DT_PROCESSAMENTO IS NULL");
    if (ExigirProtocolo)
      onde << protocolo;
  } else if (ExigirProtocolo)
    onde << QStringLiteral("(") + protocolo +
                QStringLiteral(" OR TOT.DT_PROCESSAMENTO IS NOT NULL)");
  if (!Arquivo.trimmed().isEmpty())
    // The identifier has 30 digits: it only ever travels as text.
    onde << QStringLiteral("TOT.NU_IDENTIFICADOR_ARQUIVO = ") +
                TUtilitarios::TextoSQL(Arquivo.trimmed());
  QString sql = QStringLiteral(
      "SELECT TOT.CO_BARRAS, TOT.NU_TIPO_INSCRICAO_GUIA, TOT.NU_INSCRICAO_GUIA, "
      "TOT.NO_RAZAO_SOCIAL, TOT.DT_QUITACAO, TOT.DT_RECOLHIMENTO, TOT.VR_TOTAL_RECOLHIDO AS "
      "VALOR_TOTAL, (SELECT COUNT(*) FROM QZLTBG09_GUIA_INDIVIDUAL IND WHERE IND.CO_BARRAS = "
      "TOT.CO_BARRAS) AS QTD_TRABALHADORES FROM QZLTBG08_GUIA_TOTALIZADORA TOT");
  if (!onde.isEmpty())
    sql += QStringLiteral(" WHERE ") + onde.join(QStringLiteral(" AND "));
  const QString ordem = Ordem.trimmed().isEmpty() ? QStringLiteral("NO_RAZAO_SOCIAL") : Ordem;
  // Equal names or inscriptions keep one stable order.
  return sql + QStringLiteral(" ORDER BY TOT.") + ordem.trimmed() +
         QStringLiteral(", TOT.CO_BARRAS");
}

TDataSetPtr ConsultarGuiasEmpresa(const QString &Modo, const QString &Arquivo, bool ExigirProtocolo,
                                  const QString &Ordem) {
  return IbxUtils->AbrirConsulta(SqlGuiasEmpresa(Modo, Arquivo, ExigirProtocolo, Ordem));
}

TDataSetPtr ConsultarTrabalhadoresGuia(const QString &CodigoBarras, const QString &Ordem) {
  QStringList soma;
  for (const char *p : ColunasParcelas)
    soma << QStringLiteral("COALESCE(%1, 0)").arg(QString::fromLatin1(p));
  // Ties broken by the rest of the key; a column is never listed twice (the
  // engine then sorts a grouped query wrongly).
  const QString ordem =
      Ordem.trimmed().isEmpty() ? QStringLiteral("NO_EMPREGADO") : Ordem.trimmed();
  QStringList ordens{ordem};
  for (const char *c : {"NU_PIS_GUIA", "DT_ADMISSAO_GUIA", "NU_CATEGORIA_GUIA"})
    if (ordem.section(u' ', 0, 0) != QLatin1String(c))
      ordens << QString::fromLatin1(c);
  return IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT NU_PIS_GUIA, NO_EMPREGADO, DT_ADMISSAO_GUIA, NU_CATEGORIA_GUIA, "
                     "CO_BARRAS, SUM(") +
      soma.join(QStringLiteral(" + ")) +
      QStringLiteral(") AS VALOR_TOTAL FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS = ") +
      TUtilitarios::TextoSQL(CodigoBarras.trimmed()) +
      QStringLiteral(" GROUP BY NU_PIS_GUIA, NO_EMPREGADO, DT_ADMISSAO_GUIA, NU_CATEGORIA_GUIA, "
                     "CO_BARRAS ORDER BY ") +
      ordens.join(QStringLiteral(", ")));
}
