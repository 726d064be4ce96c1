#pragma once
// Backup and restore of the registry and movement data: every listed table is
// dumped into a text file of INSERT statements (one file per table, in the
// Western code page with CR LF ends), a one-line VERSAO.txt records the
// database version, and the files travel in a password-protected zip. A
// restore checks the whole archive first, then empties and reloads the tables
// in one transaction. The same dump and load work on a single table with a
// row condition (the company-guide dump that travels in the envelope).
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

// A failed export or restore step; the text says what failed (for the logs
// and the command line; windows show their numbered message instead).
class EBackup : public std::runtime_error {
public:
  explicit EBackup(const QString &texto) : std::runtime_error(texto.toStdString()), Texto(texto) {}
  QString Texto;
};

// The fixed password of the backup archives.
inline constexpr const char *SenhaBackup = "plom1976";

class TBackup {
public:
  // Every table of a full backup, in load order.
  TBackup();
  // One table; Condicao ("WHERE ...", may be empty) selects the rows that
  // the export writes and that the restore replaces.
  TBackup(const QString &Tabela, const QString &Condicao);
  static TBackup CreateTabela(const QString &Tabela, const QString &Condicao) {
    return TBackup(Tabela, Condicao);
  }
  // "WHERE NU_IDENTIFICADOR_ARQUIVO = '<id>'": the condition of one sent
  // file's rows, the identifier as SQL text (a 30-digit number compared
  // with the text column would go through a double and match other files).
  static QString CondicaoIdentificador(const QString &Identificador);

  QStringList Tabelas;
  QString Condicao;
  // False: Exportar writes the table files only, without VERSAO.txt (the
  // company-guide dump that travels in an envelope).
  bool ComVersao = true;
  bool MesmaVersao = false;
  bool EstruturaAlterada = false;
  bool RevalidarVinculos = false;
  bool InconsistenciasEncontradas = false;
  QString VersaoBackup;
  bool ArquivosFaltando = false;
  // Why the last Restaurar or Descompactar failed (not shown by windows).
  QString Erro;
  // Files written by the last Exportar (bare names), the ones Compactar packs.
  QStringList ArquivosGravados;

  // Optional reports of progress: a step's text, and rows done of a total.
  std::function<void(const QString &)> AoEtapa;
  std::function<void(qint64 feitas, qint64 total)> AoAvancar;

  static QStringList MontarListaTabelas();
  static QString NomeArquivoTabela(const QString &Tabela) {
    return Tabela + QStringLiteral(".txt");
  }
  // The 24 table files and VERSAO.txt: the names a backup archive may hold.
  QStringList NomesEsperados() const;

  bool GravarVersao(const QString &Pasta);
  bool LerVersao(const QString &Pasta);
  void ApagarArquivos(const QString &Pasta);
  // Writes the table files and VERSAO.txt; raises EBackup on any failure
  // (folder missing, a table unreadable, a file not completely written).
  bool Exportar(const QString &Pasta);
  // Empties and reloads the tables from the folder's files in one
  // transaction; false (with Erro) when anything fails, nothing changed.
  bool Restaurar(const QString &Pasta);
  // True when a column of the table is missing from the column list of the
  // statement Linha (whole names compared).
  bool EstruturaDiferente(const QString &Tabela, const QString &Linha);
  // True for a version below 3.3.15; raises EBackup when the version without
  // its dots is not an integer.
  static bool ConsignadosAntigos(const QString &Versao);

  // The archive: packs the files of the last export into Arquivo (written
  // under a temporary name and renamed when complete, so an existing file of
  // that name is untouched on failure); raises EBackup on failure.
  void Compactar(const QString &Pasta, const QString &Arquivo);
  // Reads every entry of the archive and checks it (password, CRC) before
  // writing the expected names into the folder; false with Erro otherwise.
  bool Descompactar(const QString &Arquivo, const QString &Pasta);

  // The statement a dump line holds, split into table and column names;
  // false when the line is not one INSERT ... VALUES statement.
  static bool AnalisarInsercao(const QString &Linha, QString &Tabela, QStringList *Colunas);

private:
  void Etapa(const QString &texto) {
    if (AoEtapa)
      AoEtapa(texto);
  }
  void ExportarTabela(class TLeituraBruta &leitura, const QString &Tabela, const QString &Pasta);
  QStringList ColunasTabela(const QString &Tabela, bool SomenteDados);
  void ConferirArquivos(const QString &Pasta, qint64 &TotalLinhas);
  void ElevarGeradores();
  bool completo_ = true; // built by the full-list constructor
  bool pularConsignados_ = false;
};

// The whole backup of the windows and of the command line: exports into the
// working folder, packs into Arquivo and cleans the folder. Returns the
// message to show: "0252" written, "0107" failed (Erro tells why), "" when
// the database is not connected.
QString FazerBackup(TBackup &Backup, const QString &PastaTemp, const QString &Arquivo,
                    QString *Erro = nullptr);

// The whole restore: unpacks, reads the version, asks (PerguntarRevalidar:
// true re-validates every link) when it is another version, loads, and
// reloads the cached dates. Returns the message to show: "0251" archive not
// found, "0104" refused or failed (nothing changed), "0479" a current column
// missing from a file, "0478" restored with inconsistencies, "0255" restored.
QString RestaurarBackup(TBackup &Backup, const QString &PastaTemp, const QString &Arquivo,
                        const std::function<bool()> &PerguntarRevalidar);
