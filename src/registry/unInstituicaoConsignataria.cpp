#include "unInstituicaoConsignataria.h"

#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <curl/curl.h>
#include <mutex>

namespace {
using U = TUtilitarios;

struct TDestino {
  QSaveFile *arquivo;
  qint64 bytes = 0;
  bool falhou = false;
};

size_t EscreverBloco(char *dados, size_t tamanho, size_t quantidade, void *usuario) {
  auto *d = static_cast<TDestino *>(usuario);
  const qint64 n = static_cast<qint64>(tamanho * quantidade);
  if (d->arquivo->write(dados, n) != n) {
    d->falhou = true;
    return 0; // makes curl stop with a write error
  }
  d->bytes += n;
  return static_cast<size_t>(n);
}

// Failures that mean the server was never reached.
bool SemConexao(CURLcode r) {
  return r == CURLE_COULDNT_RESOLVE_HOST || r == CURLE_COULDNT_RESOLVE_PROXY ||
         r == CURLE_COULDNT_CONNECT || r == CURLE_OPERATION_TIMEDOUT;
}
} // namespace

void TAtualizacaoInstituicoes::Avancar(const QString &texto, int posicao) {
  if (Progresso)
    Progresso(texto, posicao);
}

bool TAtualizacaoInstituicoes::Executar() {
  CodigoErro.clear();
  LinhasIgnoradas = LinhasGravadas = 0;
  Instituicoes.clear();
  Avancar(QStringLiteral("Obtendo Arquivo do Servidor da VORDA."), 10);

  QFile conf(CaminhoPrograma(QStringLiteral("confServer.txt")));
  if (!conf.open(QIODevice::ReadOnly)) {
    CodigoErro = QStringLiteral("0507");
    return false;
  }
  const QStringList linhas = DeWin1252(conf.readAll()).split(u'\n');
  const QString base = linhas.value(0).trimmed();
  const QString caminho = linhas.value(1).trimmed();
  if (base.isEmpty() || caminho.isEmpty()) {
    CodigoErro = QStringLiteral("0507");
    return false;
  }
  const QString nome = QFileInfo(caminho).fileName();
  ArquivoLocal = CaminhoPrograma(nome.isEmpty() ? QStringLiteral("instituicoes.txt") : nome);
  if (!Baixar(base + caminho))
    return false;

  Avancar(QStringLiteral("Processando Arquivo Baixado..."), 25);
  if (!Gravar())
    return false;
  Avancar(QStringLiteral("Concluindo Atualização."), 95);
  if (!RecarregarLista())
    return false;
  Avancar(QStringLiteral("Processo Finalizado com Sucesso."), 100);
  return true;
}

bool TAtualizacaoInstituicoes::Baixar(const QString &endereco) {
  static std::once_flag iniciado;
  std::call_once(iniciado, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  // The download goes to a temporary file that replaces the old copy only
  // when it is complete.
  QSaveFile arquivo(ArquivoLocal);
  if (!arquivo.open(QIODevice::WriteOnly)) {
    CodigoErro = QStringLiteral("0507");
    return false;
  }
  TDestino destino{&arquivo};
  CURL *curl = curl_easy_init();
  if (!curl) {
    CodigoErro = QStringLiteral("0507");
    return false;
  }
  const QByteArray url = endereco.toUtf8();
  curl_easy_setopt(curl, CURLOPT_URL, url.constData());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  // Only web addresses, also after a redirect, and a bounded size: the
  // address comes from a text file anyone can edit.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(TamanhoMaximo));
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, TempoConexao);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, TempoTotal);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, EscreverBloco);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &destino);
  const CURLcode r = curl_easy_perform(curl);
  long resposta = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &resposta);
  curl_easy_cleanup(curl);

  if (r != CURLE_OK) {
    arquivo.cancelWriting();
    // A timeout after the server answered is a failed download, not a
    // missing connection.
    CodigoErro = SemConexao(r) && resposta == 0 ? QStringLiteral("0505") : QStringLiteral("0507");
    return false;
  }
  if (destino.falhou || destino.bytes == 0 || !arquivo.commit()) {
    CodigoErro = QStringLiteral("0507");
    return false;
  }
  return true;
}

bool TAtualizacaoInstituicoes::Gravar() {
  QFile arquivo(ArquivoLocal);
  if (!arquivo.open(QIODevice::ReadOnly)) {
    CodigoErro = QStringLiteral("0507");
    return false;
  }
  const QStringList linhas = DeWin1252(arquivo.readAll()).split(u'\n');
  Avancar(QStringLiteral("Atualizando informações de Instituição Consignatária."), 50);
  try {
    for (QString linha : linhas) {
      if (linha.endsWith(u'\r'))
        linha.chop(1);
      if (linha.trimmed().isEmpty())
        continue;
      const QString codigo = linha.left(5).trimmed();
      const QString nome = linha.mid(5, 70).trimmed();
      if (codigo.isEmpty() || nome.isEmpty() || linha.size() <= 5) {
        ++LinhasIgnoradas;
        continue;
      }
      const QString codigoSQL = U::TextoSQL(U::CompletarZeros(codigo, 5));
      const int alteradas = IbxUtils->ExecutarSQL(
          QStringLiteral("UPDATE QZLTBT24_INSTITUICAO_CNSGTRA SET DE_INSTITUICAO_CNSGTRA = ") +
          U::TextoSQL(nome) + QStringLiteral(" WHERE CO_INSTITUICAO_CNSGTRA = ") + codigoSQL);
      if (alteradas == 0)
        IbxUtils->ExecutarSQL(QStringLiteral("INSERT INTO QZLTBT24_INSTITUICAO_CNSGTRA "
                                             "(CO_INSTITUICAO_CNSGTRA, DE_INSTITUICAO_CNSGTRA) "
                                             "VALUES (") +
                              codigoSQL + u',' + U::TextoSQL(nome) + u')');
      ++LinhasGravadas;
    }
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0506");
    return false;
  }
  Avancar(QStringLiteral("Concluindo Atualização."), 80);
  return true;
}

bool TAtualizacaoInstituicoes::RecarregarLista() {
  try {
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT CO_INSTITUICAO_CNSGTRA || ' - ' ||DE_INSTITUICAO_CNSGTRA FROM "
                       "QZLTBT24_INSTITUICAO_CNSGTRA   ORDER BY 1"));
    for (ds->First(); !ds->Eof(); ds->Next())
      Instituicoes << ds->Fields(0).AsString();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0504");
    return false;
  }
}

bool AtualizacaoInstituicoes() {
  TAtualizacaoInstituicoes atualizacao;
  const bool ok = atualizacao.Executar();
  TUtilitarios::Mensagem(ok ? QStringLiteral("0078") : atualizacao.CodigoErro,
                         ok ? dtInformacao : dtErro);
  return ok;
}
