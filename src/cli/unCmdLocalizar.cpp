// "localizar": the search of the window "Localizar Empresa/Trabalhador" on the
// command line, through the same business call.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "core/unUtilitarios.h"
#include "registry/unLocalizar.h"

namespace {

const char *const UsoLocalizar =
    "localizar (--nome TEXTO [--empresa] | --cnpj N | --cei N | --pis N) [--json]";

QString AjudaLocalizar() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Procura no cadastro, como a janela \"Localizar Empresa/Trabalhador\":\n"
             "  --nome TEXTO   trabalhadores cujo nome contém o texto (um resultado por\n"
             "                 vínculo); com --empresa, empresas cuja razão social o contém\n"
             "  --cnpj N       a empresa desse CNPJ (só dígitos)\n"
             "  --cei N        a empresa desse CEI (só dígitos)\n"
             "  --pis N        os vínculos desse PIS/PASEP (só dígitos)\n"
             "  --json         saída em JSON\n\n"
             "Termina com 0 quando encontra, 1 quando nada é encontrado ou a busca falha,\n"
             "2 em erro de uso.\n")
      .arg(QString::fromLatin1(UsoLocalizar));
}

int ErroUso(const QString &texto) {
  Erro(texto + QStringLiteral("\n\n") + AjudaLocalizar());
  return 2;
}

QString AdmissaoIso(TDateTime d) {
  return d > 0 ? DataParaQDate(d).toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString Json(const QList<TAchadoLocalizar> &achados) {
  QStringList linhas;
  for (const TAchadoLocalizar &a : achados) {
    const TRecInscricao &k = a.Chave;
    QString l = QStringLiteral("  {\"Tipo\": %1, \"Nome\": %2, \"TipoInscricao\": %3, "
                               "\"Inscricao\": %4")
                    .arg(TextoJson(k.Tipo == ppEmpresa ? QStringLiteral("empresa")
                                                       : QStringLiteral("vinculo")),
                         TextoJson(a.Nome))
                    .arg(k.TipoInscricao)
                    .arg(k.Inscricao);
    if (k.Tipo == ppTrabalhador)
      l += QStringLiteral(", \"PIS\": %1, \"Categoria\": %2, \"Admissao\": %3")
               .arg(k.PIS)
               .arg(k.Categoria)
               .arg(TextoJson(AdmissaoIso(k.DataAdmissao)));
    linhas << l + u'}';
  }
  return QStringLiteral("[\n") + linhas.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n");
}

QString Texto(const QList<TAchadoLocalizar> &achados) {
  QString t;
  for (const TAchadoLocalizar &a : achados) {
    const TRecInscricao &k = a.Chave;
    if (k.Tipo == ppEmpresa)
      t += QStringLiteral("%1  %2\n").arg(a.Documento.leftJustified(18), a.Nome);
    else
      t += QStringLiteral("%1  %2  %3  (empresa %4, categoria %5)\n")
               .arg(a.Documento, Utilitarios.DataParaTexto(k.DataAdmissao), a.Nome,
                    TLocalizacao::FormatarInscricao(k.TipoInscricao, k.Inscricao),
                    QString::number(k.Categoria).rightJustified(2, u'0'));
  }
  return t;
}

int Localizar(const QStringList &argumentos) {
  bool json = false, empresa = false;
  int chave = -1;
  QString valor;
  for (int i = 0; i < argumentos.size(); ++i) {
    const QString &a = argumentos.at(i);
    int nova = -1;
    if (a == QLatin1String("--json")) {
      json = true;
    } else if (a == QLatin1String("--empresa")) {
      empresa = true;
    } else if (a == QLatin1String("--ajuda") || a == QLatin1String("-h")) {
      Saida(AjudaLocalizar());
      return 0;
    } else if (a == QLatin1String("--nome")) {
      nova = cpNome;
    } else if (a == QLatin1String("--cnpj")) {
      nova = cpCNPJ;
    } else if (a == QLatin1String("--cei")) {
      nova = cpCEI;
    } else if (a == QLatin1String("--pis")) {
      nova = cpPIS;
    } else {
      return ErroUso(QStringLiteral("Opção desconhecida para localizar: %1").arg(a));
    }
    if (nova < 0)
      continue;
    if (chave >= 0)
      return ErroUso(QStringLiteral("Informe uma só chave de pesquisa."));
    if (i + 1 >= argumentos.size())
      return ErroUso(QStringLiteral("Falta o valor de %1.").arg(a));
    chave = nova;
    valor = argumentos.at(++i);
  }
  if (chave < 0)
    return ErroUso(QStringLiteral("Informe --nome, --cnpj, --cei ou --pis."));
  if (empresa && chave != cpNome)
    return ErroUso(QStringLiteral("--empresa só acompanha --nome."));
  if (valor.trimmed().isEmpty())
    return ErroUso(QStringLiteral("990405 - %1").arg(TextoMensagemNumero(QStringLiteral("0405"))));
  if (chave != cpNome && !Utilitarios.SomenteNumeros(valor.trimmed()))
    return ErroUso(
        QStringLiteral("O valor de uma chave numérica deve ter só dígitos: %1").arg(valor));

  const TProcurarPor procura =
      chave == cpCNPJ || chave == cpCEI || (chave == cpNome && empresa) ? ppEmpresa : ppTrabalhador;
  QString codigo;
  const QList<TAchadoLocalizar> achados =
      TLocalizacao::Pesquisar(static_cast<TChavePesquisa>(chave), procura, valor, &codigo);
  if (!codigo.isEmpty()) {
    Erro(QStringLiteral("99%1 - %2\n").arg(codigo, TextoMensagemNumero(codigo)));
    return 1;
  }
  if (json)
    Saida(Json(achados));
  else
    Saida(Texto(achados));
  if (achados.isEmpty()) {
    if (!json)
      Erro(QStringLiteral("990092 - %1\n").arg(TextoMensagemNumero(QStringLiteral("0092"))));
    return 1;
  }
  return 0;
}

TRegistroComando RegistroLocalizar({QStringLiteral("localizar"), QString::fromLatin1(UsoLocalizar),
                                    QStringLiteral("procura empresas e vínculos no cadastro"), true,
                                    Localizar});

} // namespace
