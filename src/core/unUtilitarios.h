#pragma once
// The utility library shared by every part of the program: numbered messages,
// SQL literal builders, conversions in the program's number and date
// conventions (decimal ",", thousands ".", dd/mm/yyyy, written out explicitly,
// never taken from the system locale), text and inscription checks, the bar
// code of the collection guide, a few general queries and the clean-up of the
// payroll-loan flags.
#include "unDialogo.h"
#include "unGlobal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class TDataSet;

// One entry of a list filled from a query: the text shown and, when the query
// has a second column, its integer value.
struct TItemLista {
  QString Texto;
  QVariant Numero; // invalid when the query has one column
  bool operator==(const TItemLista &o) const { return Texto == o.Texto && Numero == o.Numero; }
};

// Stateless: every helper is static, and the one instance `Utilitarios`
// exists so that callers can write Utilitarios.Helper(...).
class TUtilitarios {
public:
  // ---------------------------------------------------------------- messages
  // Shows a numbered message and returns the button pressed (mrYes, mrNo,
  // mrOk, mrCancel...). Codigo: a screen code and 4 digits ("CT0230"), or 4
  // or 6 digits. Tipo: 0 warning, 1 error, 2 information, 3 confirmation.
  // Texto, when not blank, replaces the message of the table. Each argument
  // takes the place of the next "&" of the text. A blank code raises ENegocio.
  static int ExibirMensagem(const QString &Codigo, int Tipo, int ContextoAjuda,
                            const QString &Texto, int BotaoPadrao, int Botoes,
                            const QStringList &Args = {});
  // The dialog ExibirMensagem would show, without showing it.
  static PedidoDialogo MontarMensagem(const QString &Codigo, int Tipo, const QString &Texto,
                                      int BotaoPadrao, int Botoes, const QStringList &Args);
  static int Mensagem(const QString &Codigo, int Tipo = dtInformacao, int ContextoAjuda = 0,
                      const QString &Argumento = QString(), int BotaoPadrao = 2, int Botoes = mbOK);
  // Information with OK: 0 -> Prefixo+"0078", 1 -> "0001", 2 -> "0068".
  static void MensagemPadrao(const QString &Prefixo, int Situacao);

  // ---------------------------------------------------------- SQL literals
  static QString TextoSQL(const QString &texto); // quoted, quotes doubled; Null when blank
  static QString SimNaoSQL(bool valor);          // 'S' / 'N'
  static QString InteiroSQL(int valor);          // Null for 0
  static QString Inteiro64SQL(qint64 valor);     // Null for 0
  static QString Inteiro64OuTexto(qint64 valor, const QString &padrao); // padrao when <= 0
  static QString DecimalSQL(double valor); // 15 significant digits, "."; Null for 0
  static QString ValorSQL(double valor);   // money: 2 places, rounded, "."
  // 'yyyy-mm-dd' (SoData), 'yyyy-mm-dd hh:mm:ss' or with .zzz; NULL for
  // NullDate, for the "not a date" value and for any day count <= 0.
  static QString DataSQL(TDateTime data, bool SoData = true, bool ComMilissegundos = false);
  static QString ListaInteiros(const QList<int> &valores); // "1,2,3"

  // ------------------------------------------------------------ conversions
  static int ParaInteiro(const QString &texto);      // 0 when not a number
  static qint64 ParaInteiro64(const QString &texto); // 0 when not a number
  // "1.234,56" -> 1234.56: every "." dropped, "," is the decimal separator.
  static double ParaDecimal(const QString &texto);
  // Digits only, else UltimoErro "0011", ValorErro the text, result 0.
  static int LerInteiro(const QString &texto);
  static double LerDecimal(const QString &texto);
  // 15-character amount field: 13 integer digits and 2 decimals.
  static double LerValor15(const QString &texto);
  static QString Digitos(const QString &texto);
  static void Digitos(const QString &texto, QString &destino); // appends
  static QString SemPontos(const QString &texto);
  static QChar PrimeiroCaractere(const QString &texto); // space for an empty text
  // Sum of the character codes in the Western code page.
  static qint64 SomaCaracteres(const QString &texto);

  // The one truncation rule of every amount: the value times 10^casas written
  // with 15 significant digits, cut at the decimal separator, divided by
  // 10^casas (toward zero). 1234.56 stays 1234.56, 10.999 becomes 10.99.
  static double Truncar(int casas, double valor);
  // Whole centavos by the same rule (1234.56 -> 123456); sums: unCentavos.h.
  static qint64 ParaCentavos(double valor);
  // Rounds half away from zero on the 15-significant-digit form.
  static double Arredondar(int casas, double valor);

  static int MesesEntre(TDateTime a, TDateTime b); // (year a - year b) * 12 + month a - month b
  // Calendar month shift: the day is kept, clamped to the month's length.
  static TDateTime SomarMeses(TDateTime data, int meses);
  // "dd/mm/yyyy" (or "yyyymmdd" with FormatoAAAAMMDD) to a date: NullDate for
  // an empty/zero text, DataNaoValida (-600000) for anything else invalid.
  static TDateTime TextoParaData(const QString &texto, bool FormatoAAAAMMDD = false);
  // The digits laid into "00/00/0000"; mode 1 reorders a year-first date.
  static QString DataTextoDigitos(const QString &texto, int Modo = 0);
  // "dd/mm/yyyy"; "" when DataInvalida; "00/00/0000" for NullDate.
  static QString DataParaTexto(TDateTime data);
  // Formato uses the tokens yyyy yy mm m dd d hh h nn n ss s zzz; text in
  // quotes and any other character are copied. Dates <= 0 give "" or "00000000".
  static QString DataFormatada(const QString &Formato, bool VazioSeNula, TDateTime data);
  static TDateTime DataServidor(bool ComHora = true);
  static QString FormatarValor(double valor); // "#,##0.00" -> "1.234,56"
  static QString FormatarInteiro12(qint64 valor);
  static QString CompletarZeros(const QString &texto, int n); // never cuts
  static QString Completar(const QString &texto, QChar caractere, bool AEsquerda, int n);
  static QString CompletarEspacos(const QString &texto, int n, bool AEsquerda = false);
  static QString FormatarCNPJ(const QString &texto);                        // 99.999.999/9999-99
  static QString FormatarPIS(const QString &texto);                         // 999.99999.99-9
  static QString AplicarMascara(const QString &texto, const QString &Tipo); // "CNPJ" or "PIS"
  static QString SubstituirTodos(const QString &texto, const QString &Novo,
                                 const QStringList &Antigos, bool Inverso = false);

  // ----------------------------------------------------------------- checks
  static bool SomenteNumeros(const QString &texto);
  static bool SomenteLetras(const QString &texto);
  static bool TodosZeros(const QString &texto, int n);
  static bool TodosNoves(const QString &texto, int n);
  static bool Vazio(const QString &texto);
  static bool CaracteresIguais(const QString &texto);
  static bool SemEspacosDuplos(const QString &texto);
  // False when the trimmed text has `quantidade` equal characters in a row.
  static bool TextoRepetido(const QString &texto, int quantidade);
  static bool NomeValido(const QString &texto);
  static bool NomeCompleto(const QString &texto);
  static bool ContidoApos(const QString &texto, const QString &parte);
  static bool CNPJValido(qint64 numero);
  static bool CNPJValido(const QString &numero);
  static bool CEIValido(qint64 numero);
  static bool CEIValido(const QString &numero);
  static bool CPFValido(const QString &numero); // exactly 11 digits
  static bool EhDiaUtil(TDateTime data);
  // From day 10 of the month of the earliest payment date of the late-payment
  // table to day 9 of the month after it.
  static bool DentroPeriodoProrata(TDateTime data);
  static bool ProrataAlemDia10();
  // Shows Prefixo+MensagemObrigatoria / Prefixo+MensagemInvalida as errors.
  static bool ValidarData(const QString &texto, const QString &Prefixo,
                          const QString &MensagemObrigatoria, const QString &MensagemInvalida);
  // Date field of a file: "dd/mm/yyyy", or "00/00/0000" for an empty or zero
  // field; a text that is not a real date sets UltimoErro "0212".
  static QString ValidarDataTexto(const QString &texto, bool EmFormatoNumerico = false);
  static bool DataInvalida(TDateTime data);
  static bool LinhaDigitavelValida(const QString &texto);
  // Check number of an index data file's time, from its digits dd/mm/yy hh:nn,
  // as the companion file of the bank's index archive carries it.
  static qint64 NumeroConferenciaIndice(const QDate &dia, const QTime &hora);
  // True when the first line of the companion file is the check number of the
  // data file's time: Dia/Hora when given (the wall-clock time of the data
  // file's entry in the archive, as stored), else the data file's last
  // modification in local time. False when either file is missing.
  static bool ArquivoIndiceValido(const QString &Dados, const QString &Companheiro,
                                  const QDate &Dia = QDate(), const QTime &Hora = QTime());

  // -------------------------------------------------- bar code of the guide
  static int Modulo11(const QString &digitos);
  static QString GerarCodigoBarras(double valor, TDateTime pagamento, qint64 inscricao);
  // Never repeats the previous identifier: a guide of the same inscription
  // root in the same second waits for the next second.
  static QString GerarIdentificadorGuia(qint64 inscricao);
  static QString LinhaDigitavel(const QString &codigoBarras); // 48 digits, "" if not numeric
  static QString DigitosLinha(const QString &codigoBarras);   // the 4 check digits
  static QString CodigoBarrasDaLinha(const QString &linha);   // 48 -> 44 digits
  // 30 characters: server timestamp to the millisecond and the character sum.
  static QString GerarIdentificadorArquivo(const QString &texto);

  // -------------------------------------------------------- queries, lists
  static QString VersaoSistema(bool ComData = false);
  static QString PeriodoProrata(bool Curto = false);
  // The items a combo shows for a query (first column text, second column
  // number), sorted; an empty first item and "Todos" when asked.
  static QList<TItemLista> ListaCombo(const QString &sql, bool LinhaVazia = false,
                                      bool IncluirTodos = false, bool Aparar = true);
  static QList<TItemLista> ListaComboZeros(const QString &sql, int digitos);
  static QStringList Textos(const QList<TItemLista> &itens);
  // Criterio "INSCRICAO-...", "RAZAO-...", "NOME-..." or "PIS/PASEP-...".
  static bool LocalizarNoDataSet(TDataSet &ds, const QString &Prefixo, bool Parcial,
                                 const QString &Criterio);
  static QStringList LerCaminhosRegistro(const QString &Subchave, const QStringList &Nomes);
  static void ApagarArquivosPasta(const QString &pasta);

  // -------------------------------------------------------- data upkeep
  static void NormalizarConsignados();
  static void RemoverConsignados();
};

extern TUtilitarios Utilitarios;

// Result of the last parsing or checking helper that uses them: a 4-digit
// message number ("0011" not a number, "0212" not a date...) and the text
// that was rejected. Read them right after the call.
extern QString UltimoErro;
extern QString ValorErro;
