#include "unInicializacao.h"

#include "unConfiguracao.h"
#include "unDialogo.h"
#include "unFBUtils.h"
#include "unInstalacao.h"
#include "unSinais.h"
#include "unTexto1252.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <memory>
#include <sys/stat.h>
#include <typeinfo>
#include <unistd.h>

namespace {
std::function<TContextoJanela()> FonteContexto;
} // namespace

void AplicarFormatos() {
  // pt-BR gives "," decimals, "." thousands and dd/MM/yyyy dates to every
  // locale-aware conversion; the program's own helpers never depend on it.
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

QString GarantirPastaBloqueioPrivada(const QString &base, unsigned uid) {
  // Named by the user id: the USER variable is missing under cron and env -i,
  // and every such user would share one folder.
  const QString pasta = QDir(base).filePath(QStringLiteral("firebird-%1").arg(uid));
  const QByteArray nome = QFile::encodeName(pasta);
  auto recusar = [&pasta](const QString &motivo) {
    throw EPastaBloqueio(
        QStringLiteral("A pasta de bloqueio do banco de dados %1 não pode ser usada: %2. "
                       "Apague-a ou corrija-a e tente novamente.")
            .arg(pasta, motivo));
  };
  if (::mkdir(nome.constData(), 0700) != 0 && errno != EEXIST)
    recusar(QStringLiteral("não foi possível criá-la (%1)")
                .arg(QString::fromLocal8Bit(std::strerror(errno))));
  // A name in a shared folder that someone else may have made first: trusted
  // only as a real folder (not a link) of this user closed to everyone else.
  struct stat st {};
  if (::lstat(nome.constData(), &st) != 0)
    recusar(QString::fromLocal8Bit(std::strerror(errno)));
  if (!S_ISDIR(st.st_mode))
    recusar(QStringLiteral("não é uma pasta"));
  if (st.st_uid != uid)
    recusar(QStringLiteral("pertence a outro usuário"));
  if ((st.st_mode & 077) != 0)
    recusar(QStringLiteral("outros usuários têm acesso a ela"));
  return pasta;
}

void PrepararPastaBloqueio() {
  if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
    return;
  // The engine's default lock folder is shared by all users; when this user
  // cannot write there, use a private one instead of failing to open.
  const QString padrao = QStringLiteral("/tmp/firebird");
  QFileInfo info(padrao);
  if (!info.exists() ? QFileInfo(QStringLiteral("/tmp")).isWritable() : info.isWritable())
    return;
  const QString propria = GarantirPastaBloqueioPrivada(QDir::tempPath(), ::geteuid());
  qputenv("FIREBIRD_LOCK", QFile::encodeName(propria));
}

namespace {
TDateTime PrimeiraData(const QString &sql, const QString &coluna) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  if (ds->IsEmpty())
    return NullDate;
  return ds->FieldByName(coluna).AsDateTime();
}
} // namespace

void CarregarDataEditalProrata() {
  DataEditalProrata = PrimeiraData(
      QStringLiteral("SELECT DISTINCT DT_EDITAL_PRORATA AS DATA_EDITAL FROM QZLTBT18_INDICE_PRORATA"),
      QStringLiteral("DATA_EDITAL"));
}

void CarregarDataPagamento() {
  DataPagamento = PrimeiraData(QStringLiteral("SELECT DT_PAGAMENTO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
                               QStringLiteral("DT_PAGAMENTO"));
}

void AbrirBancoPrograma() {
  if (!IbxUtils)
    IbxUtils = new TIbxUtils();
  ConfigurarConexaoBanco(*IbxUtils, Configuracao);
  PrepararPastaBloqueio();
  // Before the attach too: a signal that comes while the engine attaches
  // reaches its handler, which then passes it on to ours.
  InstalarTratamentoSinais();
  IbxUtils->Conectar();
  IbxUtils->BloquearUsoExclusivo();
  VerificarVersaoBanco();
  // After the attach, so that these handlers replace the engine's.
  InstalarTratamentoSinais();
  CarregarDataEditalProrata();
  CarregarDataPagamento();
  IbxUtils->DefinirLogSQL(Configuracao.LogSQL);
  if (IbxUtils->LogSQL)
    IbxUtils->GravarLog(QStringLiteral("Banco de dados: ") + IbxUtils->NomeBanco);
}

void MostrarErroInicio(const QString &texto) {
  PedidoDialogo p;
  p.Tipo = dtErro;
  p.Titulo = QString::fromUtf8(NomeProduto);
  p.Texto = texto;
  MostrarDialogo(p);
}

bool ConectarBancoPrograma() {
  try {
    QStringList linhas;
    if (!LerArquivoConfiguracao(linhas)) {
      if (!IbxUtils)
        IbxUtils = new TIbxUtils();
      PedidoDialogo p;
      p.Tipo = dtErro;
      p.Titulo = QStringLiteral("VESK Eletrônica - Arquivo não encontrado");
      p.Texto = QStringLiteral("Arquivo MOLT.ini não existente.");
      MostrarDialogo(p);
      return false;
    }
    Configuracao = LerConfiguracao(linhas);
    AbrirBancoPrograma();
    return true;
  } catch (const EPastaBloqueio &e) {
    MostrarErroInicio(e.Mensagem);
    return false;
  } catch (const EInstalacao &e) {
    MostrarErroInicio(e.Mensagem);
    return false;
  } catch (const EBancoDados &e) {
    // A server the user can set right (password, address, encryption,
    // path) gets its own message; anything else the standard one.
    const QString mensagem = IbxUtils ? MensagemFalhaConexao(e, IbxUtils->NomeBanco) : QString();
    if (mensagem.isEmpty())
      TratarExcecao(e);
    else
      TratarExcecao(e, mensagem);
    return false;
  } catch (const std::exception &e) {
    TratarExcecao(e);
    return false;
  }
}

QStringList PastasTrabalho() {
  return {QStringLiteral("Arquivos"),
          QStringLiteral("Arquivos/Solicitacao de Saldo"),
          QStringLiteral("Arquivos/Solicitacao de Reenvio"),
          QStringLiteral("Arquivos/Saldo Rescisorio"),
          QStringLiteral("Arquivos/Guia Processada"),
          QStringLiteral("Arquivos/Guia Rescisoria"),
          QStringLiteral("Arquivos/Arquivo de Ocorrencia")};
}

void CriarPastasTrabalho() {
  QDir base(PastaPrograma());
  for (const QString &p : PastasTrabalho())
    if (!base.exists(p))
      base.mkdir(p); // a folder that cannot be made shows up where it is used
}

bool ExisteEmpregador() {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral("SELECT NU_INSCRICAO FROM QZLTBG02_EMPRESA"));
  return !ds->IsEmpty();
}

void DefinirFonteContextoJanela(std::function<TContextoJanela()> fonte) {
  FonteContexto = std::move(fonte);
}

QString NomeClasseExcecao(const std::exception &e) {
  const char *bruto = typeid(e).name();
  int estado = 0;
  std::unique_ptr<char, void (*)(void *)> nome(abi::__cxa_demangle(bruto, nullptr, nullptr, &estado),
                                               std::free);
  return QString::fromLatin1(estado == 0 && nome ? nome.get() : bruto);
}

namespace {
void RegistrarEMostrar(const QString &usuario, const QString &tecnico, const QString &classe) {
  try {
    const QString linha(68, u'-');
    QStringList l;
    l << QString() << linha
      << QStringLiteral("Data e Hora: ") +
             QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
      << QStringLiteral("Erro: ") + usuario << QStringLiteral("Erro Técnico: ") + tecnico
      << QStringLiteral("Tipo de Erro: ") + classe;
    if (FonteContexto) {
      const TContextoJanela c = FonteContexto();
      if (!c.Form.isEmpty())
        l << QStringLiteral("Form: ") + c.Form;
      if (!c.Controle.isEmpty())
        l << QStringLiteral("Controle: ") + c.Controle;
    }
    l << linha << QString();
    AcrescentarLinhas1252(CaminhoPrograma(QStringLiteral("LogErro.log")), l);
  } catch (...) {
    // the log is a help, never a second failure
  }
  PedidoDialogo p;
  p.Tipo = dtErro;
  p.Titulo = QString::fromUtf8(NomeProduto);
  p.Texto = usuario;
  MostrarDialogo(p);
}
} // namespace

void TratarExcecao(const std::exception &e) {
  TratarExcecao(e, QString::fromUtf8(MensagemErroBanco));
}

void TratarExcecao(const std::exception &e, const QString &mensagemUsuario) {
  RegistrarEMostrar(mensagemUsuario, QString::fromUtf8(e.what()), NomeClasseExcecao(e));
}

void TratarExcecaoDesconhecida() {
  RegistrarEMostrar(QString::fromUtf8(MensagemErroBanco), QStringLiteral("exceção desconhecida"),
                    QStringLiteral("desconhecida"));
}

void EncerrarBanco() {
  try {
    if (IbxUtils) {
      IbxUtils->Desconectar();
      delete IbxUtils;
      IbxUtils = nullptr;
    }
  } catch (...) {
  }
}

int ExecutarPrograma(const TJanelasIniciais &janelas) {
  if (!ConectarBancoPrograma()) {
    EncerrarBanco();
    return 1;
  }
  CriarPastasTrabalho();
  try {
    if (!ExisteEmpregador() && janelas.MostrarEntrada)
      janelas.MostrarEntrada();
    if (ExisteEmpregador() && janelas.MostrarPrincipal)
      janelas.MostrarPrincipal();
  } catch (const std::exception &e) {
    TratarExcecao(e);
  }
  EncerrarBanco();
  return 0;
}
