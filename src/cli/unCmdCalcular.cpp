// "calcular": computes the amounts of one employment link, or of every link
// marked for the open collection run, and prints them (or stores them).
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "collection/unTCalculo.h"
#include "core/unCentavos.h"
#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unChaveVinculo.h"
#include "registry/unVinculo.h"

#include <QDate>
#include <QHash>

namespace {

const char *const UsoCalcular =
    "calcular [--chave TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD] [--json] [--gravar]";

QString AjudaCalcular() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Calcula os valores devidos de um vínculo ou de todos os vínculos marcados para o\n"
             "movimento aberto, com a data de pagamento do movimento.\n\n"
             "  --chave CHAVE  vínculo a calcular: tipo de inscrição, inscrição do empregador,\n"
             "                 PIS, categoria e data de admissão (AAAA-MM-DD), separados por\n"
             "                 vírgula; sem ela, todos os vínculos marcados para o movimento\n"
             "  --json         saída em JSON: uma lista com um objeto por vínculo\n"
             "  --gravar       grava os valores calculados nas informações de rescisão\n"
             "  --ajuda, -h    mostra esta ajuda\n\n"
             "Termina com 0 quando todos os vínculos foram calculados (e gravados).\n")
      .arg(QString::fromLatin1(UsoCalcular));
}

QString DataIso(TDateTime d) {
  return d > 0 ? DataParaQDate(d).toString(QStringLiteral("yyyy-MM-dd")) : QString();
}
// Amounts are printed from their whole centavos, never from the binary value.
QString Valor2(double v) {
  return TCentavos::De(v).Texto();
}
QString Formatado(double v) {
  return TCentavos::De(v).Formatado();
}

// The text of a message of the message table, with the engine's arguments:
// for a missing index, the edition month and the payment dates covered.
QString TextoMensagem(int codigo, const TCalculo &calc) {
  QStringList args;
  if (codigo == ecIndice)
    args << DataParaQDate(calc.DataEdital()).toString(QStringLiteral("MM/yyyy"))
         << Utilitarios.PeriodoProrata(true);
  const QString cod = QStringLiteral("%1").arg(codigo, 4, 10, QLatin1Char('0'));
  return Utilitarios.MontarMensagem(cod, 1, QString(), 2, mbOK, args).Texto;
}

struct TBloco {
  const char *Nome;
  const char *Titulo;
  const TParcelaCalculo TCalculo::*Parcela;
};
const TBloco Blocos[] = {
    {"ParcelaAnterior", "Mês Anterior à Rescisão", &TCalculo::ParcelaAnterior},
    {"ParcelaRescisao", "Mês de Rescisão", &TCalculo::ParcelaRescisao},
    {"ParcelaAvisoPrevio", "Aviso Prévio Indenizado", &TCalculo::ParcelaAvisoPrevio},
    {"ParcelaMulta", "Multa Rescisória", &TCalculo::ParcelaMulta},
};

QString Json(const TVinculo &v, const TCalculo &c, bool calculado) {
  QString j = QStringLiteral("  {\"NU_TIPO_INSO_EMPRA\": %1, \"NU_INSCRICAO\": %2, \"NU_PIS\": %3, "
                             "\"NU_CATEGORIA\": %4, \"DT_ADMISSAO_VINCULO\": \"%5\", "
                             "\"Calculado\": %6, \"CodigoErro\": %7")
                  .arg(v.NU_TIPO_INSO_EMPRA)
                  .arg(v.NU_INSCRICAO)
                  .arg(v.NU_PIS)
                  .arg(v.NU_CATEGORIA)
                  .arg(DataIso(v.DT_ADMISSAO_VINCULO))
                  .arg(calculado ? QStringLiteral("true") : QStringLiteral("false"))
                  .arg(c.CodigoErro);
  if (!calculado)
    j += QStringLiteral(", \"Mensagem\": ") + TextoJson(TextoMensagem(c.CodigoErro, c));
  j += QStringLiteral(", \"VrJamSaldo\": %1, \"ValorTotal\": %2")
           .arg(Valor2(c.ParcelaMulta.VrJamSaldo),
                calculado ? c.TotalCentavos().Texto() : Valor2(0));
  for (const TBloco &b : Blocos) {
    const TParcelaCalculo &p = c.*(b.Parcela);
    const QString data = DataIso(p.DtDevida);
    j += QStringLiteral(",\n    \"%1\": {\"DtDevida\": %2, \"VrDeposito\": %3, \"VrJam\": %4, "
                        "\"VrMulta\": %5, \"VrContribuicao\": %6, \"VrMultaContribuicao\": %7, "
                        "\"VrBase\": %8, \"VrBaseMulta\": %9}")
             .arg(QString::fromLatin1(b.Nome),
                  data.isEmpty() ? QStringLiteral("null") : TextoJson(data), Valor2(p.VrDeposito),
                  Valor2(p.VrJam), Valor2(p.VrMulta), Valor2(p.VrContribuicao),
                  Valor2(p.VrMultaContribuicao), Valor2(p.VrBase), Valor2(p.VrBaseMulta));
  }
  return j + QStringLiteral("}");
}

QString Tabela(const TVinculo &v, const TCalculo &c, bool calculado) {
  QString t = QStringLiteral("Vínculo %1 / %2 / PIS %3 / categoria %4 / admissão %5\n")
                  .arg(v.NU_TIPO_INSO_EMPRA)
                  .arg(v.NU_INSCRICAO)
                  .arg(v.NU_PIS)
                  .arg(v.NU_CATEGORIA, 2, 10, QLatin1Char('0'))
                  .arg(Utilitarios.DataParaTexto(v.DT_ADMISSAO_VINCULO));
  if (!calculado) {
    t += QStringLiteral("  Não calculado: %1 - %2\n\n")
             .arg(c.CodigoErro, 4, 10, QLatin1Char('0'))
             .arg(TextoMensagem(c.CodigoErro, c));
    return t;
  }
  auto col = [](const QString &s, int n) { return s.rightJustified(n); };
  t += QStringLiteral("  %1 %2 %3 %4 %5 %6 %7\n")
           .arg(QStringLiteral("Parcela").leftJustified(24), col(QStringLiteral("Vencimento"), 10),
                col(QStringLiteral("Depósito"), 14), col(QStringLiteral("JAM"), 12),
                col(QStringLiteral("Multa"), 12), col(QStringLiteral("Contribuição"), 14),
                col(QStringLiteral("Multa contrib."), 14));
  for (const TBloco &b : Blocos) {
    const TParcelaCalculo &p = c.*(b.Parcela);
    t += QStringLiteral("  %1 %2 %3 %4 %5 %6 %7\n")
             .arg(QString::fromUtf8(b.Titulo).leftJustified(24),
                  col(p.DtDevida > 0 ? Utilitarios.DataParaTexto(p.DtDevida) : QStringLiteral("-"),
                      10),
                  col(Formatado(p.VrDeposito), 14), col(Formatado(p.VrJam), 12),
                  col(Formatado(p.VrMulta), 12), col(Formatado(p.VrContribuicao), 14),
                  col(Formatado(p.VrMultaContribuicao), 14));
  }
  t += QStringLiteral("  Base da multa: %1   JAM sobre o saldo: %2   Total: %3\n\n")
           .arg(Formatado(c.ParcelaMulta.VrBaseMulta), Formatado(c.ParcelaMulta.VrJamSaldo),
                c.TotalCentavos().Formatado());
  return t;
}

int Calcular(const QStringList &argumentos) {
  QStringList args = argumentos;
  bool json = false, gravar = false, temChave = false;
  TChaveVinculo chave;
  while (!args.isEmpty()) {
    const QString op = args.takeFirst();
    if (op == QStringLiteral("--json")) {
      json = true;
    } else if (op == QStringLiteral("--gravar")) {
      gravar = true;
    } else if (op == QStringLiteral("--chave") && !args.isEmpty()) {
      if (!LerChaveVinculo(args.takeFirst(), chave)) {
        Erro(QStringLiteral("Chave de vínculo inválida: use TIPO,INSCRICAO,PIS,CATEGORIA,"
                            "AAAA-MM-DD.\n"));
        return 2;
      }
      temChave = true;
    } else if (op == QStringLiteral("--ajuda") || op == QStringLiteral("-h")) {
      Saida(AjudaCalcular());
      return 0;
    } else {
      Erro(QStringLiteral("Opção desconhecida para calcular: %1\n\n").arg(op) + AjudaCalcular());
      return 2;
    }
  }

  TVinculo vinculo;
  bool achou;
  if (temChave)
    achou = vinculo.CarregarPorChave(chave.Tipo, chave.Categoria, chave.Admissao, chave.PIS,
                                     chave.Inscricao) &&
            vinculo.QuantidadeRegistros() > 0;
  else
    achou = vinculo.CarregarParticipantes(true, 0, NullDate, 0, 0, 0) &&
            vinculo.QuantidadeRegistros() > 0;
  if (!vinculo.CodigoErro.isEmpty()) {
    Erro(QStringLiteral("Não foi possível ler os vínculos (%1).\n").arg(vinculo.CodigoErro));
    return 1;
  }
  if (temChave && !achou) {
    Erro(QStringLiteral("Vínculo não encontrado.\n"));
    return 1;
  }

  // The termination data of every marked link in one query: a run has
  // thousands of links, and one query per link would dominate the run.
  TRescisao rescisoes;
  QHash<TChaveVinculo, int> linhaRescisao;
  if (!temChave && achou)
    rescisoes.CarregarMarcados(linhaRescisao);
  // The link's own termination data when the bulk read does not have it.
  auto rescisaoDe = [&](const TVinculo &v) -> TRescisao * {
    const auto it = linhaRescisao.constFind(ChaveDe(v));
    if (it == linhaRescisao.constEnd())
      return nullptr;
    rescisoes.ObterDataSet()->MoverPara(*it);
    rescisoes.CarregarAtributos();
    return &rescisoes;
  };

  TCalculo calc;
  int falhas = 0, total = 0;
  QStringList objetos;
  QString texto;
  // One transaction for the whole run: what is stored is stored together.
  if (gravar)
    IbxUtils->IniciarTransacao();
  try {
    if (achou) {
      for (vinculo.Primeiro(); !vinculo.FimDados(); vinculo.Proximo()) {
        ++total;
        TRescisao *resc = rescisaoDe(vinculo);
        const bool ok =
            gravar ? calc.GravarCalculo(&vinculo, resc) >= 0 : calc.CalcularVinculo(&vinculo, resc);
        if (!ok)
          ++falhas;
        if (json)
          objetos << Json(vinculo, calc, ok);
        else
          texto += Tabela(vinculo, calc, ok);
        if (temChave)
          break;
      }
    }
    if (gravar)
      IbxUtils->ConfirmarTransacao();
  } catch (...) {
    if (gravar && IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    throw;
  }

  if (json) {
    Saida(objetos.isEmpty() ? QStringLiteral("[]\n")
                            : QStringLiteral("[\n") + objetos.join(QStringLiteral(",\n")) +
                                  QStringLiteral("\n]\n"));
  } else {
    if (total == 0)
      texto = QStringLiteral("Nenhum vínculo marcado para o movimento.\n");
    else
      texto += QStringLiteral("%1 vínculo(s) calculado(s), %2 não calculado(s)%3.\n")
                   .arg(total - falhas)
                   .arg(falhas)
                   .arg(gravar ? QStringLiteral("; valores gravados") : QString());
    Saida(texto);
  }
  return falhas == 0 ? 0 : 1;
}

TRegistroComando RegistroCalcular({QStringLiteral("calcular"), QString::fromLatin1(UsoCalcular),
                                   QStringLiteral("calcula os valores devidos de um vínculo ou "
                                                  "dos vínculos marcados para o movimento"),
                                   true, Calcular});

} // namespace
