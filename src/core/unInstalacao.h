#pragma once
// Where the program keeps its data, and whether a database may be opened by
// this version of the program.
//
// A copy whose own folder is writable (the build tree, a folder copied to a
// USB stick) keeps everything beside the executable, as it always did. An
// installed copy cannot: its folder belongs to the system, and a package
// upgrade replaces whatever is there. It keeps each user's database, MOLT.ini,
// logs and working folders in the user's data folder instead, started from
// the database and MOLT.ini delivered beside the executable.
#include <QString>
#include <stdexcept>

// The file an installation puts beside the executable. With it, the folder is
// never used for data, even by a user who could write there (root): the next
// upgrade would replace the database in it.
inline constexpr const char *MarcaInstalacao = "vesk.instalado";

// A failure the user can act on, with its message ready to show.
class EInstalacao : public std::runtime_error {
public:
  explicit EInstalacao(const QString &mensagem)
      : std::runtime_error(mensagem.toStdString()), Mensagem(mensagem) {}
  QString Mensagem;
};

// The folder of the executable itself, where the files delivered with the
// program are (the sealing library; an installed copy's first database and
// MOLT.ini). The program folder (PastaPrograma) is this one until start-up or
// the caller chooses another.
QString PastaExecutavel();
// True when `pastaExecutavel` is an installed copy: it holds the marker, or
// this user cannot write there.
bool CopiaInstalada(const QString &pastaExecutavel);
// The user's data folder for the program (~/.local/share/vesk, or
// $XDG_DATA_HOME/vesk, or the platform's equivalent).
QString PastaDadosUsuario();
// Creates `destino` (closed to other users when it is new) and copies into it
// the delivered BD/VESK.FDB and MOLT.ini of `origem` that it lacks. A file
// already there is never replaced; a copy is made under a temporary name and
// renamed at the end, so an interrupted first start leaves no half database.
// Raises EInstalacao.
void CopiarArquivosEntregues(const QString &origem, const QString &destino);
// Chooses the program folder at start-up, before MOLT.ini is read (not called
// when the user chose one, as with vesk-cli --pasta): a portable copy uses the
// executable's folder; an installed copy uses the user's data folder,
// prepared by CopiarArquivosEntregues. Raises EInstalacao.
void PrepararPastaPrograma();

// The version of this program and of the database it was built with: the
// newest version row of the database scripts, given by the build.
QString VersaoPrograma();

// The text that refuses a database of version `versaoBanco` (the newest of its
// version rows) to this program of version `versaoPrograma`; empty when the
// versions are the same. An older database is never changed in place: the
// upgrade of stored data is not done by this version.
QString MensagemVersaoBanco(const QString &nomeBanco, const QString &versaoBanco,
                            const QString &versaoPrograma);
// Reads the connected database's version and raises EInstalacao with the
// message above when it is not this program's.
void VerificarVersaoBanco();
