#include "UnArquivo.h"

#include "core/unSinais.h"
#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TArquivo::TArquivo() : Inconsistencia(std::make_unique<TInconsistencia>()) {}

TArquivo::~TArquivo() {
  Fechar();
  Linhas.clear();
}

bool TArquivo::ValidarCaminho(bool ExigirFechado) {
  if (NomeArquivo.trimmed().isEmpty())
    throw EArquivo(QStringLiteral("Caminho e Nome do Arquivo não informado."));
  const QString pasta = QFileInfo(NomeArquivo).absolutePath();
  if (pasta.isEmpty() || !QDir(pasta).exists())
    throw EArquivo(
        QStringLiteral("Caminho não existe ou é inválido. Verifique se o caminho está correto"));
  if (ExigirFechado && Aberto)
    throw EArquivo(QStringLiteral("Arquivo já aberto para leitura ou gravação."));
  return true;
}

bool TArquivo::Abrir() {
  ErroAbertura = 151;
  Linhas.clear(); // nothing of an earlier file survives a failed open
  try {
    ValidarCaminho(true);
    // Opened without waiting and checked on the handle itself: a named pipe
    // would otherwise block the open for ever, and a name checked before the
    // open could be swapped for another kind of file in between.
    const int fd =
        ::open(QFile::encodeName(NomeArquivo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
      throw EArquivo(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      throw EArquivo(QStringLiteral("Não é um arquivo comum."));
    }
    if (st.st_size > TamanhoMaximo) {
      ::close(fd);
      ErroAbertura = 651;
      throw EArquivo(QStringLiteral("Arquivo maior que o limite."));
    }
    if (!arquivo_.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
      ::close(fd);
      throw EArquivo(arquivo_.errorString());
    }
    Modo = u'L';
    Aberto = true;
    Linhas.clear();
    if (!CarregarLinhas())
      throw EArquivo(QStringLiteral("Falha na leitura do arquivo."));
    ErroAbertura = 0;
    return true;
  } catch (...) {
    if (arquivo_.isOpen())
      arquivo_.close();
    Aberto = false;
    return false;
  }
}

bool TArquivo::CarregarLinhas() {
  if (!Aberto)
    throw EArquivo(QStringLiteral("Arquivo não aberto para Leitura."));
  if (Modo != u'L')
    throw EArquivo(
        QStringLiteral("Execução não permitida pois o Arquivo não está aberto para Leitura."));
  arquivo_.seek(0);
  // Read in blocks up to the limit, which also holds for a file that grew
  // after it was opened.
  QByteArray dados;
  dados.reserve(static_cast<qsizetype>(qBound<qint64>(0, arquivo_.size(), TamanhoMaximo)));
  char bloco[64 * 1024];
  while (true) {
    const qint64 lidos = arquivo_.read(bloco, sizeof bloco);
    if (lidos < 0)
      return false;
    if (lidos == 0)
      break;
    if (dados.size() + lidos > TamanhoMaximo) {
      ErroAbertura = 651;
      return false;
    }
    dados.append(bloco, static_cast<qsizetype>(lidos));
  }
  // A line ends at CR LF, LF or a lone CR; the end of the file closes the
  // last line without adding an empty one.
  Linhas.clear();
  qsizetype inicio = 0;
  const qsizetype n = dados.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = dados.at(i);
    if (c != '\n' && c != '\r')
      continue;
    Linhas.append(DeWin1252(dados.mid(inicio, i - inicio)));
    if (c == '\r' && i + 1 < n && dados.at(i + 1) == '\n')
      ++i;
    inicio = i + 1;
  }
  if (inicio < n)
    Linhas.append(DeWin1252(dados.mid(inicio)));
  return true;
}

void TArquivo::Fechar() {
  if (!Aberto)
    return;
  arquivo_.close();
  Aberto = arquivo_.isOpen();
}

void TArquivo::ExcluirArquivo() {
  if (!NomeArquivo.isEmpty() && QFile::exists(NomeArquivo))
    QFile::remove(NomeArquivo);
}

bool TArquivo::LimparInconsistencias() {
  limpezaPendente_ = true;
  return true;
}

bool TArquivo::ConcluirInconsistencias() {
  if (!limpezaPendente_)
    return true;
  Inconsistencia->Limpar();
  Inconsistencia->NU_ARQUIVO = NumeroArquivo;
  if (!Inconsistencia->ExcluirPorArquivo())
    return false;
  limpezaPendente_ = false;
  return true;
}

void TArquivo::RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                                       int Mensagem, const QString &TipoInscResp,
                                       const QString &InscResp, const QString &NomeResp,
                                       const QString &TipoInscEmpresa, const QString &InscEmpresa,
                                       const QString &RazaoSocial, const QString &PIS,
                                       const QString &Categoria, const QString &DtAdmissao,
                                       const QString &NomeEmpregado) {
  TInconsistencia &i = *Inconsistencia;
  i.Limpar();
  i.NU_MENSAGEM = Mensagem;
  i.NU_ARQUIVO = NumeroArquivo;
  i.CO_REGISTRO = Registro;
  i.NU_LINHA_ERRO = Linha;
  i.DE_CONTEUDO_CAMPO = Conteudo;
  i.NU_TIPO_INSCRICAO_RSPNL_INCNA = TipoInscResp;
  i.NU_INSCRICAO_RSPNL_INCNA = InscResp;
  i.NO_RAZAO_SOCIAL_RSPNL_INCNA = NomeResp;
  i.NU_TIPO_INSCRICAO_EMPRESA = TipoInscEmpresa;
  i.NU_INSCRICAO_EMPRESA = InscEmpresa;
  i.NO_RAZAO_SOCIAL = RazaoSocial;
  i.CO_PIS_INCONSISTENCIA = PIS;
  i.CO_CATEGORIA_INCONSISTENCIA = Categoria;
  i.DT_ADMISSAO_INCONSISTENCIA = DtAdmissao; // stored as Null when not a date
  i.NO_EMPREGADO = NomeEmpregado;
  int gravado;
  if (limpezaPendente_ && i.Ibx && !i.MensagemCadastrada()) {
    gravado = 396; // nothing can replace the old list
  } else if (limpezaPendente_ && i.Ibx) {
    // The old list goes together with the first row of the new one.
    TEscopoTransacao escopo(i.Ibx);
    if (!i.ExcluirPorArquivo())
      throw ENegocio(QStringLiteral("Falha ao substituir a lista de inconsistências."));
    gravado = i.Gravar();
    if (gravado == 1) {
      escopo.Confirmar();
      limpezaPendente_ = false;
    }
  } else {
    gravado = i.Gravar();
  }
  if (gravado == 396) {
    CodigoErro = QStringLiteral("0396");
    MensagemInexistente = Mensagem;
    throw EMensagemInexistente();
  }
  CodigoErro = QString::number(Mensagem).rightJustified(4, u'0');
}

bool TArquivo::Importar() {
  throw ENegocio(QStringLiteral("Importar não implementado."));
}

bool TArquivo::Processar() {
  throw ENegocio(QStringLiteral("Processar não implementado."));
}

bool TArquivo::Cancelado() const {
  return (Progresso && Progresso->Cancelado()) || SinalRecebido() != 0;
}

void TArquivo::DefinirMaximo(int maximo) {
  if (Progresso)
    Progresso->DefinirMaximo(maximo);
}

void TArquivo::Avancar(bool AumentarMaximo) {
  if (Progresso)
    Progresso->Avancar(AumentarMaximo);
}

void TArquivo::Etapa(int codigo) {
  if (Progresso)
    Progresso->Etapa(codigo);
}
