#include "interchange/unReciboEnvio.h"

#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unProtocolo.h"
#include "maintenance/unTBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {
// Text of an element made only of text and CDATA; anything else (an entity
// reference, a child element) makes the field unreadable, hence empty.
QString TextoElemento(xmlNode *e) {
  QByteArray t;
  for (xmlNode *f = e->children; f; f = f->next) {
    if (f->type == XML_TEXT_NODE || f->type == XML_CDATA_SECTION_NODE) {
      if (f->content)
        t += reinterpret_cast<const char *>(f->content);
    } else if (f->type != XML_COMMENT_NODE) {
      return QString();
    }
  }
  return QString::fromUtf8(t).trimmed();
}

xmlNode *Filho(xmlNode *pai, const char *nome) {
  if (!pai)
    return nullptr;
  for (xmlNode *f = pai->children; f; f = f->next)
    if (f->type == XML_ELEMENT_NODE && xmlStrEqual(f->name, BAD_CAST nome))
      return f;
  return nullptr;
}

QString TextoFilho(xmlNode *pai, const char *nome) {
  xmlNode *e = Filho(pai, nome);
  return e ? TextoElemento(e) : QString();
}
} // namespace

bool LerReciboEnvio(const QString &Arquivo, TReciboEnvio &Recibo) {
  Recibo = TReciboEnvio();
  QFile f(Arquivo);
  if (!f.open(QIODevice::ReadOnly))
    return false;
  const QByteArray dados = f.readAll();
  // No network, no entity substitution, no external DTD: the receipt is
  // read as it stands.
  xmlDoc *doc = xmlReadMemory(dados.constData(), int(dados.size()), nullptr, nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc)
    return false;
  xmlNode *raiz = xmlDocGetRootElement(doc);
  xmlNode *rodape = Filho(raiz, "footer");
  Recibo.Assinatura = TextoFilho(rodape, "signature");
  Recibo.Identificador = TextoFilho(rodape, "content_id");
  Recibo.Protocolo = TextoFilho(rodape, "protocol_id");
  Recibo.DataTexto = TextoFilho(rodape, "protocol_date");
  Recibo.Info = TextoFilho(Filho(raiz, "body"), "info");
  xmlFreeDoc(doc);
  static const QRegularExpression formato(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\d\\d$"));
  if (formato.match(Recibo.DataTexto).hasMatch()) {
    const QDate d = QDate::fromString(Recibo.DataTexto, QStringLiteral("dd/MM/yyyy"));
    if (d.isValid())
      Recibo.Data = QDateParaData(d);
  }
  return true;
}

namespace {
// The name of the company-guide dump inside a termination file's envelope.
QString NomeDumpGuias() {
  return TBackup::NomeArquivoTabela(QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"));
}

bool ExistemGuias(const QString &identificador) {
  TDataSetPtr guias = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT FIRST 1 CO_BARRAS FROM QZLTBG08_GUIA_TOTALIZADORA WHERE "
                     "NU_IDENTIFICADOR_ARQUIVO = ") +
      Utilitarios.TextoSQL(identificador));
  return !guias->IsEmpty();
}
} // namespace

bool TImportacaoRecibo::Importar(const QString &Arquivo) {
  CodigoErro.clear();
  GuiasRecuperaveis = false;
  if (!LerReciboEnvio(Arquivo, Recibo) || Recibo.Assinatura.isEmpty() ||
      Recibo.Identificador.isEmpty() || Recibo.Protocolo.isEmpty() || !DataDefinida(Recibo.Data) ||
      Recibo.Protocolo.size() > LarguraProtocolo || Recibo.Identificador.size() > 30) {
    CodigoErro = QStringLiteral("0385");
    return false;
  }
  if (!VerificarAssinatura(Recibo.Assinatura)) {
    CodigoErro = UltimoErro;
    return false;
  }
  try {
    // Only termination collection files have company guides.
    if (!ExistemGuias(Recibo.Identificador)) {
      CodigoErro = QStringLiteral("0486");
      TProtocolo registro;
      registro.NU_IDENTIFICADOR_ARQUIVO = Recibo.Identificador;
      GuiasRecuperaveis = registro.CarregarPorIdentificador() && registro.NU_ARQUIVO == 3;
      return false;
    }
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  TProtocolo protocolo;
  protocolo.NU_IDENTIFICADOR_ARQUIVO = Recibo.Identificador;
  if (!protocolo.CarregarPorIdentificador()) {
    CodigoErro = QStringLiteral("0487");
    return false;
  }
  protocolo.CO_PROTOCOLO = Recibo.Protocolo;
  protocolo.DT_ENVIO_PROTOCOLO = Recibo.Data;
  if (!protocolo.Alterar()) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}

QString TImportacaoRecibo::EnvelopeProposto() const {
  if (!Recibo.Info.isEmpty() && QFileInfo(Recibo.Info).isFile())
    return Recibo.Info;
  TProtocolo registro;
  registro.NU_IDENTIFICADOR_ARQUIVO = Recibo.Identificador;
  if (registro.CarregarPorIdentificador() && !registro.NM_ARQUIVO.isEmpty() &&
      QFileInfo(registro.NM_ARQUIVO).isFile())
    return registro.NM_ARQUIVO;
  return QString();
}

bool TImportacaoRecibo::RecuperarGuias(const QString &Envelope) {
  CodigoErro.clear();
  // The envelope is opened from a private copy: opening writes beside it.
  QTemporaryDir pasta;
  const QString nome = QFileInfo(Envelope).fileName();
  if (!pasta.isValid() || nome.isEmpty() || !QFile::copy(Envelope, pasta.filePath(nome))) {
    CodigoErro = QStringLiteral("0488");
    return false;
  }
  if (!AbrirEnvelope(pasta.path() + QDir::separator(), nome, Recibo.Identificador,
                     NomeDumpGuias())) {
    CodigoErro = UltimoErro.isEmpty() ? QStringLiteral("0488") : UltimoErro;
    return false;
  }
  TBackup tabela = TBackup::CreateTabela(QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"),
                                         TBackup::CondicaoIdentificador(Recibo.Identificador));
  if (!tabela.Restaurar(pasta.path())) {
    CodigoErro = QStringLiteral("0104");
    return false;
  }
  try {
    if (!ExistemGuias(Recibo.Identificador)) {
      CodigoErro = QStringLiteral("0486");
      return false;
    }
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}
