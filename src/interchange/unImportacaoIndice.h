#pragma once
// Import of the index tables the bank publishes as one zip archive: four data
// files (business days, guide indices, simplified indices, late-payment
// indices), each with a companion holding its check number. The four tables
// are replaced as a whole, with the balance complements of the open links
// recomputed under the new edition, or not at all.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>

class TImportacaoIndice {
public:
  // The archive names the bank uses: "IndicesVESK.zip" exactly, or
  // "IND_VESK.ZIP" in any case.
  static bool NomeArquivoValido(const QString &caminho);
  // The working folder: "TEMP" below the "Caminho" of the registry subkey
  // "Ambiente\".
  static QString PastaTrabalhoPadrao();
  // The eight entry names (data files, then their companions).
  static const QStringList &NomesEntradas();

  // Where the archive is extracted; PastaTrabalhoPadrao() unless set.
  QString PastaTrabalho;
  // Called every few hundred statements while the tables are written.
  std::function<void(int feitos, int total)> Progresso;
  // Called after the commit (the windows refresh the tree and the current view).
  std::function<void()> AposConfirmar;

  // Empty after a successful import; "0227" when the working folder cannot be
  // created; "0192" for a refused archive or a database failure (nothing
  // changed).
  QString CodigoErro;
  // What went wrong, for the log and the command line (not shown in windows).
  QString Detalhe;

  bool Importar(const QString &arquivo);

private:
  struct TEntrada {
    QString Nome; // upper-case bare name
    int Indice = -1;
    QDate Dia;
    QTime Hora;
  };
  bool Recusar(const QString &detalhe);
  bool LerEntradas(const QString &arquivo, QList<TEntrada> &entradas);
  bool Extrair(const QString &arquivo, const QList<TEntrada> &entradas);
  bool LerComandos(QList<QStringList> &comandos);
  bool Gravar(const QList<QStringList> &comandos);
  void EsvaziarPasta() const;
};
