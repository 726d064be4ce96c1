#include "reports/uRelArquivosEnviados.h"

#include "core/unDialogo.h"
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "registry/unTResponsavel.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"

#include <QApplication>

namespace {
using U = TUtilitarios;

QString Texto(const TDataSet &ds, const char *coluna) {
  const TField f = ds.FieldByName(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : f.AsVariant().toString().trimmed();
}

QString Data(const TDataSet &ds, const char *coluna) {
  return FormatoRel::Data(ds.FieldByName(QString::fromLatin1(coluna)).AsDateTime());
}

QString Valor(const TDataSet &ds, const char *coluna) {
  const TField f = ds.FieldByName(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : U::FormatarValor(f.AsFloat());
}

QString Inscricao(const TDataSet &ds) {
  return FormatoRel::Inscricao(
      ds.FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_ENVIO")).AsInteger(),
      U::ParaInteiro64(Texto(ds, "NU_INSCRICAO_ENVIO")));
}

QString Categoria(const TDataSet &ds) {
  const TField f = ds.FieldByName(QStringLiteral("NU_CATEGORIA_ENVIO"));
  return f.IsNull() ? QString() : U::CompletarZeros(QString::number(f.AsInteger()), 2);
}

QString Cabecalho(const TDataSet &ds, bool comProtocolo) {
  QString r = QStringLiteral("DATA ENVIO: ") + Data(ds, "DT_ENVIO_PROTOCOLO");
  if (comProtocolo)
    r += QStringLiteral("     PROTOCOLO: ") + ProtocoloComPontos(Texto(ds, "CO_PROTOCOLO"));
  return r;
}

const QString TipoTexto = QStringLiteral(
    "CASE EMP.NU_TIPO_INSCRICAO_ENVIO WHEN 1 THEN 'CNPJ' WHEN 2 THEN 'CEI' END AS TP_INSCRICAO");

// The file's companies with their workers (a company without workers too).
const QString EmpresasETrabalhadores = QStringLiteral(
    " FROM QZLTBG15_ENVIO_EMPRESA EMP JOIN QZLTBG13_ARQUIVO ARQ ON "
    "ARQ.NU_IDENTIFICADOR_ARQUIVO = EMP.NU_IDENTIFICADOR_ARQUIVO LEFT JOIN "
    "QZLTBG16_ENVIO_EMPREGADO TRAB ON TRAB.NU_IDENTIFICADOR_ARQUIVO = "
    "EMP.NU_IDENTIFICADOR_ARQUIVO AND TRAB.NU_TIPO_INSCRICAO_ENVIO = "
    "EMP.NU_TIPO_INSCRICAO_ENVIO AND TRAB.NU_INSCRICAO_ENVIO = EMP.NU_INSCRICAO_ENVIO");

QString Ordem(const QString &inicio, const QString &ordem) {
  QString r = inicio;
  if (!ordem.trimmed().isEmpty())
    r += (r.trimmed().isEmpty() ? QString() : QStringLiteral(",")) + ordem;
  return r.trimmed().isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + r;
}
} // namespace

QString ProtocoloComPontos(const QString &protocolo) {
  const QString p = U::SemPontos(protocolo.trimmed());
  if (p.isEmpty())
    return {};
  return QStringList{p.mid(0, 8), p.mid(8, 8), p.mid(16, 8), p.mid(24, 8)}.join(u'.');
}

QString CondicoesArquivoEnviado(const TFiltroArquivoEnviado &f) {
  QString r = QStringLiteral(" WHERE ARQ.NU_ARQUIVO = ") + QString::number(f.Tipo) +
              QStringLiteral(" and ARQ.NU_IDENTIFICADOR_ARQUIVO = ") +
              U::TextoSQL(f.Identificador.trimmed());
  if (!f.Protocolo.trimmed().isEmpty())
    r += QStringLiteral(" and ARQ.CO_PROTOCOLO = ") + U::TextoSQL(f.Protocolo.trimmed());
  QStringList empresas;
  for (const QString &e : f.Empresas)
    if (U::SomenteNumeros(e) && !e.isEmpty())
      empresas << QStringLiteral("EMP.NU_INSCRICAO_ENVIO = ") +
                      QString::number(U::ParaInteiro64(e));
  if (!empresas.isEmpty())
    r += QStringLiteral(" and (") + empresas.join(QStringLiteral(" or ")) + QStringLiteral(") ");
  return r;
}

// ------------------------------------------------- kinds 3 and 9

QString TRelArquivosEnviados::Consulta(const TFiltroArquivoEnviado &f) {
  return QStringLiteral(
             "SELECT ARQ.CO_PROTOCOLO, ARQ.NU_IDENTIFICADOR_ARQUIVO, EMP.NU_TIPO_INSCRICAO_ENVIO, "
             "ARQ.DT_ENVIO_PROTOCOLO, CAST(EMP.NU_INSCRICAO_ENVIO AS VARCHAR(18)) AS "
             "NU_INSCRICAO_ENVIO, EMP.NO_RAZAO_SOCIAL, EMP.VR_TOTAL_RECOLHIDO, "
             "TRAB.CO_MOVIMENTACAO, TRAB.NO_EMPREGADO, TRAB.NU_PIS_ENVIO, TRAB.DT_ADMISSAO_ENVIO, "
             "TRAB.NU_CATEGORIA_ENVIO, TRAB.DT_MOVIMENTACAO, TRAB.VR_TOTAL_RECOLHIDO AS "
             "VR_RECOLHIDO, ") +
         TipoTexto + EmpresasETrabalhadores + CondicoesArquivoEnviado(f) +
         Ordem(QStringLiteral("ARQ.DT_ENVIO_PROTOCOLO, ARQ.CO_PROTOCOLO"), f.Ordem);
}

bool TRelArquivosEnviados::Preparar(const TFiltroArquivoEnviado &f) {
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(Consulta(f));
  Dados = {};
  if (ds->IsEmpty())
    return false;
  ds->First();
  const bool comProtocolo = !Texto(*ds, "CO_PROTOCOLO").isEmpty();
  Dados.Definicao = comProtocolo
                        ? QStringLiteral("RELAÇÃO DOS ARQUIVOS RESCISÓRIOS ENVIADOS ")
                        : QStringLiteral("RELAÇÃO DOS ARQUIVOS RESCISÓRIOS A SEREM ENVIADOS ");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Cabecalho = {Cabecalho(*ds, true)};
  Dados.Colunas = {{{QStringLiteral("TRABALHADOR"), 0, 95},
                    {QStringLiteral("PIS/PASEP"), 97, 32},
                    {QStringLiteral("ADMISSÃO"), 131, 24},
                    {QStringLiteral("CAT"), 157, 10},
                    {QStringLiteral("MOVIMENTAÇÃO"), 169, 40},
                    {QStringLiteral("TOTAL RECOLHIDO"), 230, 45, Qt::AlignRight}}};
  Dados.ColunasGrupoCsv = {QStringLiteral("PROTOCOLO"), QStringLiteral("INSCRIÇÃO EMPRESA"),
                           QStringLiteral("RAZÃO SOCIAL"), QStringLiteral("TOTAL EMPRESA")};
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const QString inscricao = Inscricao(*ds), nome = Texto(*ds, "NO_RAZAO_SOCIAL"),
                  total = Valor(*ds, "VR_TOTAL_RECOLHIDO"),
                  protocolo = ProtocoloComPontos(Texto(*ds, "CO_PROTOCOLO"));
    TGrupoRel &g =
        Dados.Grupo({QStringLiteral("EMPRESA: %1 - %2     TOTAL: %3").arg(inscricao, nome, total)},
                    false, {protocolo, inscricao, nome, total});
    // A company without workers in the file prints its heading alone.
    if (ds->FieldByName(QStringLiteral("NU_PIS_ENVIO")).IsNull())
      continue;
    QString movimento = Data(*ds, "DT_MOVIMENTACAO");
    const QString codigo = Texto(*ds, "CO_MOVIMENTACAO");
    if (!codigo.isEmpty())
      movimento += QStringLiteral(" - ") + codigo;
    TEntradaRel e;
    e.Linhas = {{Texto(*ds, "NO_EMPREGADO"), FormatoRel::PIS(Texto(*ds, "NU_PIS_ENVIO")),
                 Data(*ds, "DT_ADMISSAO_ENVIO"), Categoria(*ds), movimento,
                 Valor(*ds, "VR_RECOLHIDO")}};
    g.Entradas.append(e);
  }
  Rediagramar();
  return true;
}

// ------------------------------------------------------------ kind 6

QString TRelArqSolicitaReenvio::Consulta(const TFiltroArquivoEnviado &f) {
  return QStringLiteral("SELECT ARQ.CO_PROTOCOLO, ARQ.DT_ENVIO_PROTOCOLO, "
                        "EMP.NU_TIPO_INSCRICAO_ENVIO, EMP.CO_BARRAS_ENVIO_EMPRESA, "
                        "CAST(EMP.NU_INSCRICAO_ENVIO AS VARCHAR(18)) AS NU_INSCRICAO_ENVIO, "
                        "EMP.DT_RECOLHIMENTO_ENVIO_EMPRESA, ") +
         TipoTexto +
         QStringLiteral(" FROM QZLTBG15_ENVIO_EMPRESA EMP JOIN QZLTBG13_ARQUIVO ARQ ON "
                        "ARQ.NU_IDENTIFICADOR_ARQUIVO = EMP.NU_IDENTIFICADOR_ARQUIVO") +
         CondicoesArquivoEnviado(f) + Ordem(QString(), f.Ordem);
}

bool TRelArqSolicitaReenvio::Preparar(const TFiltroArquivoEnviado &f) {
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(Consulta(f));
  Dados = {};
  if (ds->IsEmpty())
    return false;
  ds->First();
  TResponsavel resp;
  resp.CarregarResponsavel();
  const QString inscResp =
      resp.NU_TIPO_INSO_EMPRA == 1
          ? U::FormatarCNPJ(U::CompletarZeros(QString::number(resp.InscricaoNumero()), 14))
          : U::CompletarZeros(QString::number(resp.InscricaoNumero()), 12);
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Cabecalho = {QStringLiteral("RESPONSÁVEL: ") + inscResp + QStringLiteral(" - ") +
                         resp.NO_RAZAO_SOCIAL.trimmed(),
                     Cabecalho(*ds, false)};
  Dados.Colunas = {{{QStringLiteral("INSCRIÇÃO"), 0, 45},
                    {QStringLiteral("DATA PAGAMENTO"), 50, 35},
                    {QStringLiteral("CÓDIGO DE BARRAS"), 90, 150}}};
  TGrupoRel &g = Dados.Grupo({}, false);
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const QString linha = U::Digitos(Texto(*ds, "CO_BARRAS_ENVIO_EMPRESA"));
    // "00000000000 0 00000000000 0 00000000000 0 00000000000 0"
    QStringList blocos;
    for (int i = 0; i < 4; ++i)
      blocos << linha.mid(i * 12, 11) + u' ' + linha.mid(i * 12 + 11, 1);
    TEntradaRel e;
    e.Linhas = {{Inscricao(*ds), Data(*ds, "DT_RECOLHIMENTO_ENVIO_EMPRESA"),
                 linha.size() == 48 ? blocos.join(u' ') : linha}};
    g.Entradas.append(e);
  }
  Rediagramar();
  return true;
}

// ------------------------------------------------------------ kind 7

QString TRelArqSolicitaSaldo::Consulta(const TFiltroArquivoEnviado &f) {
  return QStringLiteral(
             "SELECT ARQ.CO_PROTOCOLO, EMP.NU_TIPO_INSCRICAO_ENVIO, ARQ.DT_ENVIO_PROTOCOLO, "
             "CAST(EMP.NU_INSCRICAO_ENVIO AS VARCHAR(18)) AS NU_INSCRICAO_ENVIO, "
             "EMP.NO_RAZAO_SOCIAL, EMP.VR_TOTAL_RECOLHIDO, TRAB.NO_EMPREGADO, TRAB.NU_PIS_ENVIO, "
             "TRAB.DT_ADMISSAO_ENVIO, TRAB.NU_CATEGORIA_ENVIO, TRAB.DT_MOVIMENTACAO, "
             "TRAB.VR_TOTAL_RECOLHIDO AS VR_RECOLHIDO, ") +
         TipoTexto + EmpresasETrabalhadores + CondicoesArquivoEnviado(f) +
         Ordem(QStringLiteral("   ARQ.DT_ENVIO_PROTOCOLO,ARQ.CO_PROTOCOLO "), f.Ordem);
}

bool TRelArqSolicitaSaldo::Preparar(const TFiltroArquivoEnviado &f) {
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(Consulta(f));
  Dados = {};
  if (ds->IsEmpty())
    return false;
  ds->First();
  Dados.Definicao =
      QStringLiteral("RELAÇÃO DOS ARQUIVOS DE SOLICITAÇÃO DE SALDO RESCISÓRIO ENVIADOS");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Cabecalho = {QStringLiteral("PROTOCOLO: ") + ProtocoloComPontos(Texto(*ds, "CO_PROTOCOLO")),
                     Cabecalho(*ds, false)};
  Dados.Colunas = {{{QStringLiteral("TRABALHADOR"), 0, 110},
                    {QStringLiteral("PIS/PASEP"), 115, 32},
                    {QStringLiteral("ADMISSÃO"), 150, 24},
                    {QStringLiteral("CAT"), 178, 10}}};
  Dados.ColunasGrupoCsv = {QStringLiteral("INSCRIÇÃO EMPRESA"), QStringLiteral("RAZÃO SOCIAL")};
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const QString inscricao = Inscricao(*ds), nome = Texto(*ds, "NO_RAZAO_SOCIAL");
    TGrupoRel &g = Dados.Grupo({QStringLiteral("EMPRESA: %1 - %2").arg(inscricao, nome)}, false,
                               {inscricao, nome});
    if (ds->FieldByName(QStringLiteral("NU_PIS_ENVIO")).IsNull())
      continue;
    TEntradaRel e;
    e.Linhas = {{Texto(*ds, "NO_EMPREGADO"), FormatoRel::PIS(Texto(*ds, "NU_PIS_ENVIO")),
                 Data(*ds, "DT_ADMISSAO_ENVIO"), Categoria(*ds)}};
    g.Entradas.append(e);
  }
  Rediagramar();
  return true;
}

// ---------------------------------------------------------------- show

namespace {
template <class R> bool Mostrar(R &rel, const TFiltroArquivoEnviado &f, QWidget *pai) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = false;
  try {
    ok = rel.Preparar(f);
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
  QApplication::restoreOverrideCursor();
  if (ok)
    MostrarRelatorio(rel, pai);
  return ok;
}

void SemDados() {
  PedidoDialogo p;
  p.Tipo = dtInformacao;
  p.Titulo = QString::fromUtf8(NomeProduto);
  p.Texto = QStringLiteral("Não há dados para gerar o relatório");
  p.Botoes = mbOK;
  MostrarDialogo(p);
}
} // namespace

bool ImprimirArquivoEnviado(const TFiltroArquivoEnviado &f, QWidget *pai) {
  if (f.Tipo == 6) {
    TRelArqSolicitaReenvio rel;
    if (!Mostrar(rel, f, pai)) {
      SemDados();
      return false;
    }
    return true;
  }
  if (f.Tipo == 7) {
    TRelArqSolicitaSaldo rel;
    if (!Mostrar(rel, f, pai)) {
      SemDados();
      return false;
    }
    return true;
  }
  TRelArquivosEnviados rel;
  if (!Mostrar(rel, f, pai)) {
    U::Mensagem(QStringLiteral("RE0086"), dtErro);
    return false;
  }
  return true;
}
