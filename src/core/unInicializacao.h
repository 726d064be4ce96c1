#pragma once
// The program's entry sequence without any window: formats, configuration,
// connection, cached dates, working folders, the global error handler and the
// choice between the first-run window and the main window.
#include "unConfiguracao.h"
#include "unGlobal.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <stdexcept>

inline constexpr const char *MensagemErroBanco = "Ocorreu um erro ao tentar acessar o banco de dados.";

// Fixes the number and date conventions for the whole process.
void AplicarFormatos();

// Steps of the connection: creates IbxUtils, reads MOLT.ini, connects, loads
// the cached dates and switches the SQL log. Shows the message and returns
// false on any failure.
bool ConectarBancoPrograma();
// The error box of the start-up: the message and the product's name.
void MostrarErroInicio(const QString &texto);
// The connection of a program (the desktop or the command line) to the
// database that Configuracao names: creates IbxUtils when missing, attaches,
// takes the exclusive lock on a server, refuses a database of another version
// than the program's (EInstalacao), loads the cached dates and writes the
// database's name (never the password) to MOLTBD.log when it is on. Raises on
// failure.
void AbrirBancoPrograma();
// Reloads DataEditalProrata and DataPagamento from the database.
void CarregarDataEditalProrata();
void CarregarDataPagamento();
// Creates the working folders below the program folder, parents first.
void CriarPastasTrabalho();
QStringList PastasTrabalho();
// True when at least one employer is registered.
bool ExisteEmpregador();
// Points the embedded engine's lock files at a folder the user can write,
// unless the environment already chose one. Raises EPastaBloqueio when the
// private folder it needs cannot be trusted.
void PrepararPastaBloqueio();
class EPastaBloqueio : public std::runtime_error {
public:
  explicit EPastaBloqueio(const QString &mensagem)
      : std::runtime_error(mensagem.toStdString()), Mensagem(mensagem) {}
  QString Mensagem;
};
// The private lock folder of user `uid` below `base` ("firebird-<uid>"),
// created with mode 0700 when missing; an existing one must be a real folder
// (not a link) owned by `uid` with no access for others. Returns its path or
// raises EPastaBloqueio.
QString GarantirPastaBloqueioPrivada(const QString &base, unsigned uid);

// Where the global handler finds the active window and focused control names.
struct TContextoJanela {
  QString Form;
  QString Controle;
};
void DefinirFonteContextoJanela(std::function<TContextoJanela()> fonte);

// The global handler: writes LogErro.log and shows the standard message.
void TratarExcecao(const std::exception &e);
// The same with another message for the user (the log keeps the exception's
// own text as the technical one).
void TratarExcecao(const std::exception &e, const QString &mensagemUsuario);
void TratarExcecaoDesconhecida();
QString NomeClasseExcecao(const std::exception &e);

// What the start-up shows after connecting; the desktop program passes its
// windows, the tests pass stand-ins.
struct TJanelasIniciais {
  std::function<void()> MostrarEntrada;    // first run: modal, returns when closed
  std::function<void()> MostrarPrincipal;  // modal, returns when the user leaves
};
// The whole sequence after the formats; returns the process exit status.
int ExecutarPrograma(const TJanelasIniciais &janelas);
// Disconnects and frees IbxUtils; failures are silent.
void EncerrarBanco();
