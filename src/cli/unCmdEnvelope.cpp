// vesk-cli envelope listar|extrair|selar: the sealed envelopes without the
// database. Every step goes through the sealing library; the user's own
// files are never handed to the sealing (it deletes its inputs): copies are.
#include "cli/unComandos.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "envelope/uEnvelopadorLKW.h"
#include "envelope/uFuncoesLKW.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <zip.h>

namespace {

const char *const UsoEnvelope =
    "envelope listar ENVELOPE | envelope extrair ENVELOPE NOME [--nra ID] [--destino PASTA] | "
    "envelope selar ENVELOPE ARQUIVO... [--info NOME=VALOR]...";

QString Ajuda() {
  return QStringLiteral(
      "Uso: vesk-cli [--pasta PASTA] envelope ...\n\n"
      "  listar ENVELOPE     confere o envelope e mostra seus arquivos (tamanho, SHA-256)\n"
      "                      e as entradas do selo\n"
      "  extrair ENVELOPE NOME [--nra ID] [--destino PASTA]\n"
      "                      confere o envelope (e o identificador nra, se dado) e retira\n"
      "                      o arquivo NOME na pasta do envelope ou em PASTA\n"
      "  selar ENVELOPE ARQUIVO... [--info NOME=VALOR]...\n"
      "                      sela cópias dos arquivos em ENVELOPE, com as informações de\n"
      "                      negócio na ordem dada (os arquivos originais ficam intactos)\n\n"
      "A biblioteca de selagem é carregada da pasta do programa (--pasta) ou, se\n"
      "não estiver lá, da pasta do executável.\n"
      "Saída: 0 sucesso, 1 falha, 2 uso incorreto.\n");
}

QString Falha(const QString &codigo) {
  static const QHash<QString, QString> textos{
      {QStringLiteral("0488"), QStringLiteral("o envelope não pôde ser aberto, foi alterado ou não "
                                              "corresponde ao identificador")},
      {QStringLiteral("0489"), QStringLiteral("não foi possível colocar ou retirar o arquivo")},
      {QStringLiteral("0490"), QStringLiteral("não foi possível gravar o selo ou o envelope")},
      {QStringLiteral("0491"), QStringLiteral("não foi possível gravar o envelope")},
  };
  return QStringLiteral("Falha %1: %2.\n")
      .arg(codigo, textos.value(codigo, QStringLiteral("erro")));
}

QString Pasta(const QString &caminho) {
  return QFileInfo(caminho).absolutePath() + QLatin1Char('/');
}

// The seal text of an envelope the library has just validated, read as the
// plain text it is: one line per file ("A size sha256 name") and per entry
// ("E index name value"), names and values percent-encoded.
bool LerSelo(const QString &envelope, QStringList &linhas) {
  int erro = 0;
  zip_t *z = zip_open(QFile::encodeName(envelope).constData(), ZIP_RDONLY, &erro);
  if (!z)
    return false;
  QByteArray texto;
  zip_stat_t st;
  if (zip_stat(z, "LKWSELO/selo.txt", 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE)) {
    if (zip_file_t *f = zip_fopen(z, "LKWSELO/selo.txt", 0)) {
      texto.resize(qsizetype(st.size));
      if (zip_fread(f, texto.data(), st.size) != zip_int64_t(st.size))
        texto.clear();
      zip_fclose(f);
    }
  }
  zip_discard(z);
  if (texto.isEmpty())
    return false;
  linhas = QString::fromUtf8(texto).split(u'\n', Qt::SkipEmptyParts);
  return true;
}

QString Decodificar(const QString &campo) {
  return QString::fromUtf8(QByteArray::fromPercentEncoding(campo.toLatin1()));
}

int Listar(const QStringList &args) {
  if (args.size() != 1) {
    Erro(Ajuda());
    return 2;
  }
  const QString envelope = QFileInfo(args[0]).absoluteFilePath();
  TEnvelopadorLKW env;
  env.Pasta = envelope;
  env.PastaTrabalho = Pasta(envelope);
  env.ModoInicio = 1;
  if (!env.Iniciar() || !env.CriarHandle()) {
    Erro(QStringLiteral("A biblioteca de selagem não está disponível (%1).\n").arg(env.CodigoErro));
    return 1;
  }
  QStringList linhas;
  if (!env.Validar() || !LerSelo(envelope, linhas)) {
    Erro(Falha(QStringLiteral("0488")));
    return 1;
  }
  QString texto = QStringLiteral("Envelope: %1\n\nArquivos:\n").arg(envelope);
  QString selo;
  for (const QString &l : linhas) {
    const QStringList c = l.split(u' ');
    if (c.value(0) == QStringLiteral("A") && c.size() == 4)
      texto += QStringLiteral("  %1  %2 bytes  SHA-256 %3\n").arg(Decodificar(c[3]), c[1], c[2]);
    else if (c.value(0) == QStringLiteral("E") && c.size() == 4)
      selo += QStringLiteral("  [%1] %2 = %3\n").arg(c[1], Decodificar(c[2]), Decodificar(c[3]));
  }
  Saida(texto + QStringLiteral("\nSelo:\n") + selo);
  return 0;
}

int Extrair(QStringList args) {
  QString nra, destino;
  QStringList posicionais;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if ((a == QStringLiteral("--nra") || a == QStringLiteral("--destino")) && !args.isEmpty())
      (a == QStringLiteral("--nra") ? nra : destino) = args.takeFirst();
    else if (a.startsWith(QStringLiteral("--"))) {
      Erro(QStringLiteral("Opção desconhecida: %1\n\n").arg(a) + Ajuda());
      return 2;
    } else
      posicionais << a;
  }
  if (posicionais.size() != 2) {
    Erro(Ajuda());
    return 2;
  }
  const QFileInfo envelope(posicionais[0]);
  const QString nome = posicionais[1];
  if (!envelope.isFile()) {
    Erro(QStringLiteral("Envelope não encontrado: %1\n").arg(posicionais[0]));
    return 1;
  }
  QString pasta = envelope.absolutePath() + QLatin1Char('/');
  QString nomeEnvelope = envelope.fileName();
  // Another destination: the envelope is opened from a copy in that folder,
  // so the file comes out there and the original stays where it is.
  std::unique_ptr<QTemporaryDir> copia;
  if (!destino.isEmpty() && QFileInfo(destino).absoluteFilePath() != envelope.absolutePath()) {
    if (!QFileInfo(destino).isDir()) {
      Erro(QStringLiteral("Pasta de destino não encontrada: %1\n").arg(destino));
      return 1;
    }
    copia =
        std::make_unique<QTemporaryDir>(QDir(destino).filePath(QStringLiteral(".envelope-XXXXXX")));
    if (!copia->isValid() ||
        !QFile::copy(envelope.absoluteFilePath(), QDir(copia->path()).filePath(nomeEnvelope))) {
      Erro(QStringLiteral("Não foi possível usar a pasta de destino %1\n").arg(destino));
      return 1;
    }
    pasta = copia->path() + QLatin1Char('/');
  }
  const bool ok = AbrirEnvelope(pasta, nomeEnvelope, nra, nome);
  if (ok && copia) {
    const QString final = QDir(destino).filePath(nome);
    QFile::remove(final);
    if (!QFile::rename(pasta + nome, final)) {
      Erro(QStringLiteral("Não foi possível gravar %1\n").arg(final));
      return 1;
    }
  }
  if (!ok) {
    Erro(Falha(UltimoErro));
    return 1;
  }
  Saida(QStringLiteral("%1\n").arg(copia ? QDir(destino).filePath(nome) : pasta + nome));
  return 0;
}

int Selar(QStringList args) {
  QList<TBussinessInfo> informacoes;
  QStringList posicionais;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QStringLiteral("--info") && !args.isEmpty()) {
      const QString par = args.takeFirst();
      const int igual = par.indexOf(u'=');
      if (igual <= 0) {
        Erro(QStringLiteral("Informação inválida (use NOME=VALOR): %1\n").arg(par));
        return 2;
      }
      informacoes.append({par.left(igual), par.mid(igual + 1)});
    } else if (a.startsWith(QStringLiteral("--"))) {
      Erro(QStringLiteral("Opção desconhecida: %1\n\n").arg(a) + Ajuda());
      return 2;
    } else {
      posicionais << a;
    }
  }
  if (posicionais.size() < 2) {
    Erro(Ajuda());
    return 2;
  }
  const QFileInfo destino(posicionais.takeFirst());
  QStringList nomes;
  for (const QString &a : posicionais) {
    const QFileInfo f(a);
    if (!f.isFile()) {
      Erro(QStringLiteral("Arquivo não encontrado: %1\n").arg(a));
      return 1;
    }
    if (nomes.contains(f.fileName())) {
      Erro(QStringLiteral("Dois arquivos com o mesmo nome: %1\n").arg(f.fileName()));
      return 1;
    }
    nomes << f.fileName();
  }
  if (!QFileInfo(destino.absolutePath()).isDir()) {
    Erro(QStringLiteral("Pasta do envelope não encontrada: %1\n").arg(destino.absolutePath()));
    return 1;
  }
  // Copies in a private folder beside the envelope: the sealing deletes its
  // inputs, and the finished envelope is renamed into place.
  QTemporaryDir trabalho(QDir(destino.absolutePath()).filePath(QStringLiteral(".selar-XXXXXX")));
  if (!trabalho.isValid()) {
    Erro(QStringLiteral("Não foi possível criar a pasta de trabalho em %1\n")
             .arg(destino.absolutePath()));
    return 1;
  }
  const QString pasta = trabalho.path() + QLatin1Char('/');
  for (int i = 0; i < posicionais.size(); ++i)
    if (!QFile::copy(posicionais[i], pasta + nomes[i])) {
      Erro(QStringLiteral("Não foi possível copiar %1\n").arg(posicionais[i]));
      return 1;
    }
  const QString nomeEnvelope = QStringLiteral("envelope.tmp");
  if (!EnvelopeArquivos(pasta, nomeEnvelope, informacoes, nomes)) {
    Erro(Falha(UltimoErro));
    return 1;
  }
  QFile::remove(destino.absoluteFilePath());
  if (!QFile::rename(pasta + nomeEnvelope, destino.absoluteFilePath())) {
    Erro(QStringLiteral("Não foi possível gravar %1\n").arg(destino.absoluteFilePath()));
    return 1;
  }
  Saida(destino.absoluteFilePath() + u'\n');
  return 0;
}

int Envelope(const QStringList &args) {
  const QString sub = args.value(0);
  if (sub == QStringLiteral("listar"))
    return Listar(args.mid(1));
  if (sub == QStringLiteral("extrair"))
    return Extrair(args.mid(1));
  if (sub == QStringLiteral("selar"))
    return Selar(args.mid(1));
  if (sub == QStringLiteral("--ajuda") || sub == QStringLiteral("-h")) {
    Saida(Ajuda());
    return 0;
  }
  Erro(Ajuda());
  return 2;
}

TRegistroComando RegistroEnvelope(
    {QStringLiteral("envelope"), QString::fromLatin1(UsoEnvelope),
     QStringLiteral("lista, abre ou sela envelopes (sem o banco de dados)"), false, Envelope});

} // namespace
