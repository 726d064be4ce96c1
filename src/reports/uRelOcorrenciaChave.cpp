#include "reports/uRelOcorrenciaChave.h"

#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"

#include <QApplication>

namespace {
// Characters of a printed line: header and group lines (bold, full width)
// and the detail lines of a worker.
constexpr int LarguraCabecalho = 110;
constexpr int LarguraDetalhe = 125;

QString Aspas(const QString &t) {
  return u'\'' + QString(t).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString Condicoes(const QString &coluna, const QList<int> &linhas) {
  QStringList c;
  for (int l : linhas)
    c << coluna + QStringLiteral(" = ") + QString::number(l);
  return QStringLiteral("(") + c.join(QStringLiteral(" OR ")) + QStringLiteral(")");
}

QString Texto(const TDataSet &ds, const char *campo) {
  return ds.FieldByName(QLatin1String(campo)).AsString().trimmed();
}
qint64 Numero(const TDataSet &ds, const char *campo) {
  return TUtilitarios::ParaInteiro64(Texto(ds, campo));
}
} // namespace

QString TRelOcorrenciaChaveIdentificacao::MascaraChave(const QString &chave) {
  const QString c = chave.trimmed();
  if (c.isEmpty())
    return {};
  const QString mascara = c.size() == 22 ? QStringLiteral("0-00000000000-00000000-00")
                                         : QStringLiteral("00-00000000000-00000000-00");
  QString r;
  int i = 0;
  for (QChar m : mascara) {
    if (m == u'0')
      r += i < c.size() ? c.at(i++) : QChar(u' ');
    else
      r += m;
  }
  return r + c.mid(i);
}

QStringList TRelOcorrenciaChaveIdentificacao::LinhasMensagem(const QString &texto, int largura) {
  QStringList r;
  const QString t = QString(texto).replace(QStringLiteral("MOTIVO:"), QStringLiteral("\nMOTIVO"));
  for (const QString &parte : t.split(u'\n')) {
    QString linha;
    for (const QString &palavra : parte.simplified().split(u' ', Qt::SkipEmptyParts)) {
      if (!linha.isEmpty() && linha.size() + 1 + palavra.size() > largura) {
        r << linha;
        linha.clear();
      }
      linha += (linha.isEmpty() ? QString() : QStringLiteral(" ")) + palavra;
    }
    if (!linha.isEmpty())
      r << linha;
  }
  return r;
}

QString TRelOcorrenciaChaveIdentificacao::Consulta(const TSelecaoOcorrenciaChave &s) {
  QString sql = QStringLiteral(
      "SELECT RESP.NU_IDENTIFICADOR_ARQUIVO, RESP.NU_TIPO_INSCRICAO_RESPONSA, "
      "RESP.NU_INSCRICAO_RESPONSAVEL, TRIM(RESP.NO_RAZAO_SOCIAL) AS NO_RAZAO_SOCIAL_RESP, "
      "RESP.TS_RETORNO_ARQUIVO, RESP.IC_ESTADO_HMLGO, RESP.CO_MENSAGEM, RESP.DE_MENSAGEM, "
      "EMP.NU_LINHA_ARQUIVO_EMPRESA, EMP.NU_IDENTIFICADOR_GUIA, EMP.NU_ESTABELECIMENTO, "
      "EMP.NU_TIPO_INSCRICAO_EMPRESA, EMP.NU_INSCRICAO_EMPRESA, "
      "TRIM(EMP.NO_RAZAO_SOCIAL) AS NO_RAZAO_SOCIAL_EMP, EMP.CO_MENSAGEM AS CO_MSG_EMP, "
      "EMP.DE_MENSAGEM AS DE_MSG_EMP, TRAB.NU_LINHA_ARQUIVO_EMPREGADO, TRAB.NU_PIS, "
      "TRAB.DT_ADMISSAO, TRAB.NU_CATEGORIA, TRAB.NU_EMPREGADO, TRAB.NO_EMPREGADO, TRAB.CO_SAQUE, "
      "TRAB.DT_VALIDADE_GUIA, TRAB.CO_HOMOLOGACAO_VORDA, TRAB.SG_BASE_DADOS, "
      "TRAB.CO_MENSAGEM AS CO_MSG_TRAB, TRAB.DE_MENSAGEM AS DE_MSG_TRAB, TRAB.CO_MOVIMENTACAO, "
      "TRAB.DT_MOVIMENTACAO "
      "FROM QZLTBG19_RESPONSAVEL_HMLGO RESP "
      "LEFT JOIN QZLTBG20_EMPRESA_HMLGO EMP ON EMP.NU_IDENTIFICADOR_ARQUIVO = "
      "RESP.NU_IDENTIFICADOR_ARQUIVO "
      "LEFT JOIN QZLTBG21_EMPREGADO_HMLGO TRAB ON TRAB.NU_IDENTIFICADOR_ARQUIVO = "
      "EMP.NU_IDENTIFICADOR_ARQUIVO AND TRAB.NU_LINHA_ARQUIVO_EMPRESA = "
      "EMP.NU_LINHA_ARQUIVO_EMPRESA ");
  // The load is chosen on its own row, so that a load without companies (a
  // rejected file) still prints its header and message.
  sql += QStringLiteral(" WHERE RESP.NU_IDENTIFICADOR_ARQUIVO = ") + Aspas(s.Identificador);
  if (!s.LinhasEmpregado.isEmpty())
    sql += QStringLiteral(" AND EMP.NU_LINHA_ARQUIVO_EMPRESA = ") +
           QString::number(s.LinhaEmpresa) + QStringLiteral(" AND ") +
           Condicoes(QStringLiteral("TRAB.NU_LINHA_ARQUIVO_EMPREGADO"), s.LinhasEmpregado);
  else if (!s.LinhasEmpresa.isEmpty())
    sql += QStringLiteral(" AND ") +
           Condicoes(QStringLiteral("EMP.NU_LINHA_ARQUIVO_EMPRESA"), s.LinhasEmpresa);
  sql +=
      QStringLiteral(" ORDER BY RESP.NU_IDENTIFICADOR_ARQUIVO, ") +
      (s.OrdemEmpresa.isEmpty() ? QStringLiteral("EMP.NU_INSCRICAO_EMPRESA ASC") : s.OrdemEmpresa) +
      QStringLiteral(", EMP.NU_LINHA_ARQUIVO_EMPRESA, ") +
      (s.OrdemTrabalhador.isEmpty() ? QStringLiteral("TRAB.NU_PIS ASC") : s.OrdemTrabalhador) +
      QStringLiteral(", TRAB.NU_LINHA_ARQUIVO_EMPREGADO");
  return sql;
}

bool TRelOcorrenciaChaveIdentificacao::Preparar(const TSelecaoOcorrenciaChave &s) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(Consulta(s));
  Dados = {};
  Rediagramar();
  if (ds->IsEmpty())
    return false;
  ds->First();
  const QString estado = Texto(*ds, "IC_ESTADO_HMLGO");
  Dados.Definicao = estado == QStringLiteral("1")
                        ? QStringLiteral("RELATÓRIO DE MOVIMENTAÇÕES ACATADAS")
                        : QStringLiteral("RELATÓRIO DE MOVIMENTAÇÕES REJEITADAS");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Cabecalho
      << QStringLiteral("RESPONSÁVEL: ") +
             FormatoRel::Inscricao(
                 ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_RESPONSA")).AsInteger(),
                 Numero(*ds, "NU_INSCRICAO_RESPONSAVEL")) +
             QStringLiteral(" - ") + Texto(*ds, "NO_RAZAO_SOCIAL_RESP");
  Dados.Cabecalho << LinhasMensagem(Texto(*ds, "DE_MENSAGEM"), LarguraCabecalho);
  // Each printed line of a worker band is one wide cell: the labels travel
  // with their values, as the bands are not a table.
  Dados.ColunasGrupoCsv = {QStringLiteral("CNPJ/CEI"), QStringLiteral("CÓD ESTAB"),
                           QStringLiteral("RAZAO SOCIAL EMPRESA"),
                           QStringLiteral("IDENTIFICADOR VESK")};
  const bool comTrabalhadores = estado == QStringLiteral("1") || estado == QStringLiteral("2");
  for (; !ds->Eof(); ds->Next()) {
    if (ds->FieldByName(QStringLiteral("NU_LINHA_ARQUIVO_EMPRESA")).IsNull())
      continue; // the load's own row: no company
    const QString inscricao = FormatoRel::Inscricao(
        ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_EMPRESA")).AsInteger(),
        Numero(*ds, "NU_INSCRICAO_EMPRESA"));
    const QString estab = QString::number(Numero(*ds, "NU_ESTABELECIMENTO"));
    const QString guia = QString::number(Numero(*ds, "NU_IDENTIFICADOR_GUIA"));
    QStringList cabecalho{
        QStringLiteral("CNPJ/CEI: ") + inscricao + QStringLiteral("     CÓD ESTAB: ") + estab,
        QStringLiteral("RAZAO SOCIAL EMPRESA: ") + Texto(*ds, "NO_RAZAO_SOCIAL_EMP"),
        QStringLiteral("IDENTIFICADOR VESK: ") + guia};
    cabecalho << LinhasMensagem(Texto(*ds, "DE_MSG_EMP"), LarguraCabecalho);
    TGrupoRel &g = Dados.Grupo(cabecalho, estado != QStringLiteral("0"),
                               {inscricao, estab, Texto(*ds, "NO_RAZAO_SOCIAL_EMP"), guia});
    const bool banda = comTrabalhadores &&
                       !ds->FieldByName(QStringLiteral("NU_LINHA_ARQUIVO_EMPREGADO")).IsNull() &&
                       !Texto(*ds, "CO_MSG_TRAB").isEmpty();
    if (!banda) {
      // A company prints its heading even when none of its workers has a
      // band: an entry without lines keeps the group in the report.
      if (g.Entradas.isEmpty())
        g.Entradas.append(TEntradaRel{});
      continue;
    }
    if (g.Entradas.size() == 1 && g.Entradas.first().Linhas.isEmpty())
      g.Entradas.clear();
    TEntradaRel e;
    e.Linhas << QStringList{QStringLiteral("NOME DO TRABALHADOR: ") + Texto(*ds, "NO_EMPREGADO")};
    e.Linhas << QStringList{
        QStringLiteral("PIS /PASEP/NIT: ") + FormatoRel::PIS(Texto(*ds, "NU_PIS")) +
        QStringLiteral("     CÓD. TRABALHADOR: ") + Texto(*ds, "NU_EMPREGADO") +
        QStringLiteral("     DATA ADMISSÃO: ") +
        FormatoRel::Data(ds->FieldByName(QStringLiteral("DT_ADMISSAO")).AsDateTime()) +
        QStringLiteral("     CÓD. CATEGORIA: ") + FormatoRel::Zeros(Texto(*ds, "NU_CATEGORIA"), 2)};
    e.Linhas << QStringList{
        QStringLiteral("COD. SAQUE: ") + Texto(*ds, "CO_SAQUE") +
        QStringLiteral("     DATA/COD.MOVIM: ") +
        FormatoRel::Data(ds->FieldByName(QStringLiteral("DT_MOVIMENTACAO")).AsDateTime()) +
        QStringLiteral(" - ") + Texto(*ds, "CO_MOVIMENTACAO") +
        QStringLiteral("     BASE DOMICILIO : ") + Texto(*ds, "SG_BASE_DADOS")};
    if (estado == QStringLiteral("1")) {
      for (const QString &l :
           LinhasMensagem(QStringLiteral("MENSAGEM: ") + Texto(*ds, "DE_MSG_TRAB"), LarguraDetalhe))
        e.Linhas << QStringList{l};
      e.Linhas << QStringList{
          QStringLiteral("CHAVE IDENTIFICAÇÃO: ") +
          MascaraChave(Texto(*ds, "CO_HOMOLOGACAO_VORDA")) +
          QStringLiteral("     DATA PREV. PAGTO: ") +
          FormatoRel::Data(ds->FieldByName(QStringLiteral("DT_VALIDADE_GUIA")).AsDateTime())};
    } else {
      for (const QString &l :
           LinhasMensagem(QStringLiteral("CÓDIGO/MENSAGEM DE ERRO: ") + Texto(*ds, "CO_MSG_TRAB") +
                              QStringLiteral(" / ") + Texto(*ds, "DE_MSG_TRAB"),
                          LarguraDetalhe))
        e.Linhas << QStringList{l};
    }
    // The framework prints as many lines as there are column lines.
    while (e.Linhas.size() > Dados.Colunas.size())
      Dados.Colunas << QList<TColunaRel>{{QString(), 0, 196}};
    g.Entradas.append(e);
  }
  Rediagramar();
  return true;
}

bool ImprimirOcorrenciaChave(const TSelecaoOcorrenciaChave &selecao, QWidget *pai) {
  TRelOcorrenciaChaveIdentificacao rel;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = false;
  try {
    ok = rel.Preparar(selecao);
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
  QApplication::restoreOverrideCursor();
  if (!ok) {
    TUtilitarios::Mensagem(QStringLiteral("RE0086"), dtInformacao);
    return false;
  }
  MostrarRelatorio(rel, pai);
  return true;
}
