#include "unImportacaoIndice.h"

#include "collection/UnTComplementoSaldo.h"
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unInicializacao.h"
#include "core/unTDiaUtil.h"
#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <zip.h>

namespace {
// Data files in the order they are checked and written, with their tables.
struct TArquivoDados {
  const char *Nome;
  const char *Tabela;
};
const TArquivoDados ArquivosDados[] = {
    {"DIAUTIL", "QZLTBT15_DIA_UTIL"},
    {"GUIARESCISORIA", "QZLTBT16_INDICE_GUIA_RESCISORIA"},
    {"SIMPLIFICADO", "QZLTBT17_INDICE_SIMPLIFICADO"},
    {"PRORATA", "QZLTBT18_INDICE_PRORATA"},
};

// No index file comes near this; a larger entry is a crafted archive.
constexpr qint64 TamanhoMaximoEntrada = 256LL * 1024 * 1024;

// An entry is known only by its bare name: nothing of a stored path (folders,
// "..", a drive) ever reaches the disk.
QString NomeSemPasta(const QString &nome) {
  const int barra = std::max(nome.lastIndexOf(u'/'), nome.lastIndexOf(u'\\'));
  return nome.mid(barra + 1).toUpper();
}

quint16 L16(const QByteArray &b, qint64 p) {
  return static_cast<quint8>(b[p]) | static_cast<quint16>(static_cast<quint8>(b[p + 1])) << 8;
}
quint32 L32(const QByteArray &b, qint64 p) {
  return L16(b, p) | static_cast<quint32>(L16(b, p + 2)) << 16;
}

struct TEntradaCentral {
  QByteArray Nome;
  QDate Dia;
  QTime Hora;
};

// The entries' names and times as the central directory stores them. The
// time is the wall-clock DOS date and time of the entry, read without any
// time-zone conversion (libzip turns it into local epoch seconds, which a
// zone change or a daylight-saving gap would shift). Empty when the
// directory cannot be read.
QList<TEntradaCentral> LerDiretorioCentral(const QString &arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly) || f.size() > TamanhoMaximoEntrada)
    return {};
  const QByteArray b = f.readAll();
  const qint64 n = b.size();
  qint64 fim = -1;
  for (qint64 p = n - 22; p >= 0 && p >= n - 22 - 65535; --p)
    if (L32(b, p) == 0x06054b50) {
      fim = p;
      break;
    }
  if (fim < 0)
    return {};
  const int quantidade = L16(b, fim + 10);
  qint64 p = L32(b, fim + 16);
  QList<TEntradaCentral> entradas;
  for (int i = 0; i < quantidade; ++i) {
    if (p + 46 > n || L32(b, p) != 0x02014b50)
      return {};
    const quint16 hora = L16(b, p + 12), dia = L16(b, p + 14);
    const qint64 tamNome = L16(b, p + 28), tamExtra = L16(b, p + 30), tamComent = L16(b, p + 32);
    if (p + 46 + tamNome > n)
      return {};
    TEntradaCentral e;
    e.Nome = b.mid(p + 46, tamNome);
    e.Dia = QDate((dia >> 9) + 1980, (dia >> 5) & 15, dia & 31);
    e.Hora = QTime(hora >> 11, (hora >> 5) & 63, (hora & 31) * 2);
    entradas << e;
    p += 46 + tamNome + tamExtra + tamComent;
  }
  return entradas;
}

// Closes the archive however the import ends.
struct TZip {
  zip_t *z = nullptr;
  ~TZip() {
    if (z)
      zip_discard(z);
  }
};
} // namespace

bool TImportacaoIndice::NomeArquivoValido(const QString &caminho) {
  const QString nome = QFileInfo(caminho).fileName();
  return nome == QLatin1String("IndicesVESK.zip") ||
         nome.compare(QLatin1String("IND_VESK.ZIP"), Qt::CaseInsensitive) == 0;
}

QString TImportacaoIndice::PastaTrabalhoPadrao() {
  const QStringList caminhos =
      TUtilitarios::LerCaminhosRegistro(QStringLiteral("Ambiente\\"), {QStringLiteral("Caminho")});
  return QDir(caminhos.value(0)).filePath(QStringLiteral("TEMP"));
}

const QStringList &TImportacaoIndice::NomesEntradas() {
  static const QStringList nomes = [] {
    QStringList n;
    for (const TArquivoDados &a : ArquivosDados)
      n << QString::fromLatin1(a.Nome);
    for (const TArquivoDados &a : ArquivosDados)
      n << QString::fromLatin1(a.Nome) + QStringLiteral(".001");
    return n;
  }();
  return nomes;
}

bool TImportacaoIndice::Recusar(const QString &detalhe) {
  CodigoErro = QStringLiteral("0192");
  Detalhe = detalhe;
  return false;
}

void TImportacaoIndice::EsvaziarPasta() const {
  // Only the archive's names: a companion left behind by an earlier import
  // must never validate the next one, and the folder's other files are not ours.
  const QDir pasta(PastaTrabalho);
  const QSet<QString> nossos(NomesEntradas().begin(), NomesEntradas().end());
  for (const QString &nome : pasta.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (nossos.contains(nome.toUpper()))
      QFile::remove(pasta.filePath(nome));
}

bool TImportacaoIndice::LerEntradas(const QString &arquivo, QList<TEntrada> &entradas) {
  const QList<TEntradaCentral> central = LerDiretorioCentral(arquivo);
  const QSet<QString> esperados(NomesEntradas().begin(), NomesEntradas().end());
  QSet<QString> vistos;
  for (int i = 0; i < central.size(); ++i) {
    TEntrada e;
    e.Nome = NomeSemPasta(QString::fromLatin1(central[i].Nome));
    e.Indice = i;
    e.Dia = central[i].Dia;
    e.Hora = central[i].Hora;
    if (!esperados.contains(e.Nome))
      return Recusar(
          QStringLiteral("entrada inesperada: %1").arg(QString::fromLatin1(central[i].Nome)));
    if (vistos.contains(e.Nome))
      return Recusar(QStringLiteral("entrada repetida: %1").arg(e.Nome));
    vistos.insert(e.Nome);
    entradas << e;
  }
  if (central.size() != esperados.size())
    return Recusar(QStringLiteral("o arquivo tem %1 entradas; são esperadas %2")
                       .arg(central.size())
                       .arg(esperados.size()));
  return true;
}

bool TImportacaoIndice::Extrair(const QString &arquivo, const QList<TEntrada> &entradas) {
  int erro = 0;
  TZip zip;
  zip.z = zip_open(QFile::encodeName(arquivo).constData(), ZIP_RDONLY, &erro);
  if (!zip.z)
    return Recusar(QStringLiteral("não é um arquivo zip legível"));
  if (zip_get_num_entries(zip.z, 0) != entradas.size())
    return Recusar(QStringLiteral("o diretório do arquivo zip não confere"));
  const QDir pasta(PastaTrabalho);
  QByteArray bloco(64 * 1024, Qt::Uninitialized);
  for (const TEntrada &e : entradas) {
    // libzip and the directory read here must see the same entry at each index.
    const char *nome = zip_get_name(zip.z, e.Indice, ZIP_FL_ENC_RAW);
    if (!nome || NomeSemPasta(QString::fromLatin1(nome)) != e.Nome)
      return Recusar(QStringLiteral("o diretório do arquivo zip não confere"));
    zip_file_t *origem = zip_fopen_index(zip.z, e.Indice, 0);
    if (!origem)
      return Recusar(QStringLiteral("entrada ilegível: %1").arg(e.Nome));
    QFile destino(pasta.filePath(e.Nome));
    bool ok = destino.open(QIODevice::WriteOnly | QIODevice::Truncate);
    qint64 total = 0;
    while (ok) {
      const zip_int64_t lidos = zip_fread(origem, bloco.data(), bloco.size());
      if (lidos < 0)
        ok = false;
      if (lidos <= 0)
        break;
      total += lidos;
      ok = total <= TamanhoMaximoEntrada && destino.write(bloco.constData(), lidos) == lidos;
    }
    zip_fclose(origem);
    destino.close();
    if (!ok)
      return Recusar(QStringLiteral("entrada ilegível ou grande demais: %1").arg(e.Nome));
    // The file keeps the entry's time, as the bank's own extraction does; the
    // check below takes the time from the entry itself, not from the disk.
    QFile(pasta.filePath(e.Nome))
        .setFileTime(QDateTime(e.Dia, e.Hora), QFileDevice::FileModificationTime);
  }
  return true;
}

bool TImportacaoIndice::LerComandos(QList<QStringList> &comandos) {
  const QDir pasta(PastaTrabalho);
  for (const TArquivoDados &a : ArquivosDados) {
    QFile f(pasta.filePath(QString::fromLatin1(a.Nome)));
    if (!f.open(QIODevice::ReadOnly))
      return Recusar(QStringLiteral("%1 ilegível").arg(QString::fromLatin1(a.Nome)));
    // Each line must add rows to this file's own table and nothing else: the
    // import runs the lines as they stand.
    const QRegularExpression insercao(QStringLiteral("^\\s*INSERT\\s+INTO\\s+\"?%1\"?(\\s|\\()")
                                          .arg(QString::fromLatin1(a.Tabela)),
                                      QRegularExpression::CaseInsensitiveOption);
    QStringList linhas;
    int numero = 0;
    const QStringList todas =
        DeWin1252(f.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (QString linha : todas) {
      ++numero;
      if (linha.trimmed().isEmpty())
        continue;
      if (!insercao.match(linha).hasMatch())
        return Recusar(QStringLiteral("%1, linha %2: não é uma inclusão em %3")
                           .arg(QString::fromLatin1(a.Nome))
                           .arg(numero)
                           .arg(QString::fromLatin1(a.Tabela)));
      // A statement end is what a script would have; the database takes the
      // statement without it.
      linha = linha.trimmed();
      if (linha.endsWith(u';'))
        linha.chop(1);
      linhas << linha;
    }
    comandos << linhas;
  }
  return true;
}

bool TImportacaoIndice::Gravar(const QList<QStringList> &comandos) {
  int total = 0, feitos = 0;
  for (const QStringList &c : comandos)
    total += c.size();
  const TDateTime editalAnterior = DataEditalProrata;
  try {
    TEscopoTransacao transacao(IbxUtils);
    for (const TArquivoDados &a : ArquivosDados)
      IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM ") + QString::fromLatin1(a.Tabela));
    for (const QStringList &linhas : comandos)
      for (const QString &linha : linhas) {
        IbxUtils->ExecutarSQL(linha);
        if (Progresso && ++feitos % 500 == 0)
          Progresso(feitos, total);
      }
    // The complements of the open links are worth what the new edition says;
    // the recompute reads the edition date from the cache, so the cache takes
    // the new date now and gets the old one back if anything fails.
    CarregarDataEditalProrata();
    TComplementoSaldo complementos;
    if (!complementos.RecalcularAbertos()) {
      DataEditalProrata = editalAnterior;
      return Recusar(QStringLiteral("um complemento de saldo não pôde ser recalculado (%1)")
                         .arg(complementos.CodigoErro));
    }
    complementos.AtualizarTotais();
    transacao.Confirmar();
  } catch (const std::exception &e) {
    DataEditalProrata = editalAnterior;
    return Recusar(QString::fromUtf8(e.what()));
  }
  if (Progresso)
    Progresso(total, total);
  return true;
}

bool TImportacaoIndice::Importar(const QString &arquivo) {
  CodigoErro.clear();
  Detalhe.clear();
  if (PastaTrabalho.isEmpty())
    PastaTrabalho = PastaTrabalhoPadrao();
  if (!QDir().mkpath(PastaTrabalho) || !QFileInfo(PastaTrabalho).isDir()) {
    CodigoErro = QStringLiteral("0227");
    Detalhe = PastaTrabalho;
    return false;
  }
  QList<TEntrada> entradas;
  if (!QFileInfo(arquivo).isFile())
    return Recusar(QStringLiteral("arquivo não encontrado: %1").arg(arquivo));
  if (!LerEntradas(arquivo, entradas))
    return false;

  EsvaziarPasta();
  struct TLimpeza {
    const TImportacaoIndice *i;
    ~TLimpeza() { i->EsvaziarPasta(); }
  } limpeza{this};
  if (!Extrair(arquivo, entradas))
    return false;

  const QDir pasta(PastaTrabalho);
  for (const TArquivoDados &a : ArquivosDados) {
    const QString nome = QString::fromLatin1(a.Nome);
    const TEntrada *dados = nullptr;
    for (const TEntrada &e : entradas)
      if (e.Nome == nome)
        dados = &e;
    if (!dados || !TUtilitarios::ArquivoIndiceValido(pasta.filePath(nome),
                                                     pasta.filePath(nome + QStringLiteral(".001")),
                                                     dados->Dia, dados->Hora))
      return Recusar(QStringLiteral("%1 não confere com %1.001").arg(nome));
  }

  QList<QStringList> comandos;
  if (!LerComandos(comandos) || !Gravar(comandos))
    return false;

  // Only what was committed is cached and shown.
  CarregarDataEditalProrata();
  RecarregarDiaUtil();
  if (AposConfirmar)
    AposConfirmar();
  return true;
}
