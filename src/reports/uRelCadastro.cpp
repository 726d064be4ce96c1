#include "reports/uRelCadastro.h"

#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"

#include <QRegularExpression>

namespace {
QString Texto(const TDataSet &ds, const char *campo) {
  const TField f = ds.FieldByName(QLatin1String(campo));
  return f.IsNull() ? QString() : f.AsString().trimmed();
}

TDateTime Data(const TDataSet &ds, const char *campo) {
  const TField f = ds.FieldByName(QLatin1String(campo));
  return f.IsNull() ? NullDate : f.AsDateTime();
}

QString Telefone(const QString &ddd, const QString &telefone) {
  const QString d = FormatoRel::Zeros(ddd, 4);
  const QString t = telefone.trimmed();
  if (d.isEmpty())
    return t;
  return QStringLiteral("(") + d + QStringLiteral(") ") + t;
}

QString Cep(const QString &cep) {
  const QString d = FormatoRel::Zeros(cep, 8);
  return d.isEmpty() ? d : d.left(2) + u'.' + d.mid(2, 3) + u'-' + d.mid(5);
}

QString GrupoEmpresa(const QString &inscricao, const QString &nome) {
  QString r = QStringLiteral("EMPRESA: ") + inscricao;
  if (!nome.isEmpty())
    r += QStringLiteral(" - ") + nome;
  return r;
}
} // namespace

// ------------------------------------------------------------------ formats

QString FormatoRel::Inscricao(int tipo, qint64 numero) {
  if (tipo == 1)
    return TUtilitarios::FormatarCNPJ(QString::number(numero));
  if (tipo == 2)
    return TUtilitarios::CompletarZeros(QString::number(numero), 12);
  return numero > 0 ? QString::number(numero) : QString();
}

QString FormatoRel::PIS(const QString &pis) {
  const QString d = TUtilitarios::Digitos(pis);
  if (d.isEmpty() || TUtilitarios::ParaInteiro64(d) == 0)
    return QString();
  return TUtilitarios::FormatarPIS(TUtilitarios::CompletarZeros(d, 11));
}

QString FormatoRel::Data(TDateTime data) {
  if (data == NullDate || TUtilitarios::DataInvalida(data))
    return QString();
  return TUtilitarios::DataParaTexto(data);
}

QString FormatoRel::Zeros(const QString &numero, int digitos) {
  const QString d = TUtilitarios::Digitos(numero);
  return d.isEmpty() ? d : TUtilitarios::CompletarZeros(d, digitos);
}

// ---------------------------------------------------------------- employers

bool TRelEmpresas::Preparar() {
  TEmpresa empresas;
  empresas.CarregarTodas();
  if (empresas.QuantidadeRegistros() == 0)
    return false;
  TResponsavel resp;
  resp.CarregarResponsavel();

  Dados = {};
  Dados.Definicao = QStringLiteral("RELATÓRIO PARA CONFERÊNCIA");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Titulos = {QStringLiteral("RELAÇÃO DAS EMPRESAS CONSTANTES NA BASE")};
  // No responsible party registered yet: its lines stay empty.
  const QString inscResp =
      resp.NU_TIPO_INSO_EMPRA == 1 ? TUtilitarios::FormatarCNPJ(resp.NU_INSCRICAO)
      : resp.NU_TIPO_INSO_EMPRA == 0
          ? QString()
          : TUtilitarios::CompletarZeros(QString::number(resp.InscricaoNumero()), 12);
  Dados.Cabecalho = {QStringLiteral("RESPONSÁVEL: ") + inscResp + QStringLiteral(" - ") +
                         resp.NO_RAZAO_SOCIAL,
                     QStringLiteral("NOME CONTATO: ") + resp.NO_CONTATO.trimmed(),
                     QStringLiteral("TELEFONE: ") + Telefone(resp.NU_DDD, resp.NU_TELEFONE),
                     QStringLiteral("INTERNET: ") + resp.CO_ENDERECO_VIRTUAL_CONTATO.trimmed()};
  Dados.Colunas = {{{QStringLiteral("EMPRESA"), 0, 100},
                    {QStringLiteral("INSCRIÇÃO"), 102, 38},
                    {QStringLiteral("CNAE"), 142, 22},
                    {QStringLiteral("FPAS"), 166, 16},
                    {QStringLiteral("SIMPLES"), 184, 16},
                    {QStringLiteral("TELEFONE"), 202, 50}},
                   {{QStringLiteral("ENDEREÇO"), 0, 100},
                    {QStringLiteral("BAIRRO"), 102, 62},
                    {QStringLiteral("CIDADE"), 166, 60},
                    {QStringLiteral("UF"), 228, 8},
                    {QStringLiteral("CEP"), 238, 30}}};
  TGrupoRel &g = Dados.Grupo({}, false);
  for (empresas.Primeiro(); !empresas.FimDados(); empresas.Proximo()) {
    const TEndereco &e = empresas.Endereco();
    TEntradaRel l;
    l.Linhas = {{empresas.NO_RAZAO_SOCIAL.trimmed(),
                 FormatoRel::Inscricao(empresas.NU_TIPO_INSO_EMPRA, empresas.InscricaoNumero()),
                 empresas.NU_IBGE.trimmed(), empresas.NU_INSS.trimmed(),
                 empresas.NU_SIMPLES ? QString::number(empresas.NU_SIMPLES) : QString(),
                 Telefone(empresas.NU_DDD, empresas.NU_TELEFONE)},
                {e.DE_LOGRADOURO.trimmed(), e.NO_BAIRRO.trimmed(), e.NO_LOCALIDADE.trimmed(),
                 e.SG_UF.trimmed(), Cep(e.NU_CEP)}};
    g.Entradas.append(l);
  }
  Rediagramar();
  return true;
}

// ------------------------------------------------------------------ workers

const QStringList TRelTrabalhadores::Chaves = {
    QStringLiteral("PIS_EMPREGADO"), QStringLiteral("NO_EMPREGADO"), QStringLiteral("DT_ADMISSAO"),
    QStringLiteral("CATEGORIA")};

QString TRelTrabalhadores::OrdemPorInscricao(const QString &chave) {
  return QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,") + chave;
}

QString TRelTrabalhadores::OrdemPorNome(const QString &chave) {
  // Two employers of one name keep their own pages: the name, then the key
  // of the employer, then the chosen key.
  return QStringLiteral("NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO,") + chave;
}

QString TRelTrabalhadores::Consulta(const QString &Ordem) {
  // The employer's columns are the table's (the inscription sorts as a
  // number, not as text); the PIS key sorts as a number too. The last terms
  // make the order of equal keys the same on every run.
  QStringList termos;
  for (QString t : Ordem.split(u',', Qt::SkipEmptyParts)) {
    t = t.trimmed();
    if (t == QLatin1String("NU_TIPO_INSO_EMPRA") || t == QLatin1String("NU_INSCRICAO") ||
        t == QLatin1String("NO_RAZAO_SOCIAL"))
      t = QStringLiteral("EMP.") + t;
    else if (t == QLatin1String("PIS_EMPREGADO"))
      t = QStringLiteral("TRAB.NU_PIS");
    else if (!Chaves.contains(t))
      continue; // nothing but known names reaches the SQL
    termos << t;
  }
  termos << QStringLiteral("TRAB.NO_EMPREGADO") << QStringLiteral("TRAB.NU_PIS")
         << QStringLiteral("VINC.DT_ADMISSAO_VINCULO") << QStringLiteral("VINC.NU_CATEGORIA");
  termos.removeDuplicates();
  return QStringLiteral(
             "SELECT DISTINCT EMP.NU_TIPO_INSO_EMPRA AS TP_INSCRICAO, EMP.NU_TIPO_INSO_EMPRA, "
             "EMP.NU_INSCRICAO, EMP.NO_RAZAO_SOCIAL, TRAB.NU_PIS, "
             "TRAB.NO_EMPREGADO AS NO_EMPREGADO, TRAB.NU_CTPS AS NU_CTPS_EMPREGADO, "
             "TRAB.NU_SERIE_CTPS AS NU_SERIE_CTPS_EMPREGADO, "
             "TRAB.DT_NASCIMENTO AS DT_NASCIMENTO_EMPREGADO, VINC.NU_CATEGORIA AS CATEGORIA, "
             "VINC.NU_CATEGORIA, VINC.NU_TIPO_INSO_TMDR AS NU_TIPO_INSO_TMDR_VINCULO, "
             "VINC.DT_ADMISSAO_VINCULO AS DT_ADMISSAO, VINC.DT_ADMISSAO_VINCULO, "
             "VINC.CO_MOVIMENTACAO AS CO_MOVIMENTACAO_VINCULO, VINC.DT_OPCAO AS DT_OPCAO_VINCULO, "
             "VINC.NU_INSCRICAO_TMDR AS NU_INSCRICAO_TMDR_VINCULO, "
             "VINC.IC_AVISO_PREVIO AS IC_AVISO_PREVIO, "
             "VINC.DT_MOVIMENTACAO_VINCULO AS DT_MOVIMENTACAO_VINCULO "
             "FROM QZLTBG02_EMPRESA EMP INNER JOIN QZLTBG04_VINCULO_EMPREGATICIO VINC ON "
             "VINC.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA AND "
             "VINC.NU_INSCRICAO = EMP.NU_INSCRICAO "
             "RIGHT OUTER JOIN QZLTBG03_EMPREGADO TRAB ON VINC.NU_PIS = TRAB.NU_PIS ORDER BY ") +
         termos.join(QStringLiteral(", "));
}

bool TRelTrabalhadores::Preparar(const QString &Ordem, const QStringList &Empresas, bool Todas) {
  QSet<qint64> escolhidas;
  for (const QString &e : Empresas)
    escolhidas.insert(TUtilitarios::ParaInteiro64(TUtilitarios::Digitos(e)));
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(Consulta(Ordem));

  Dados = {};
  Dados.Definicao = QStringLiteral("RELATÓRIO PARA CONFERÊNCIA ");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Titulos = {QStringLiteral("RELAÇÃO DOS TRABALHADORES CONSTANTES NA BASE")};
  Dados.Colunas = {{{QStringLiteral("NOME TRABALHADOR"), 0, 110},
                    {QStringLiteral("ADMISSÃO"), 112, 24},
                    {QStringLiteral("DATA OPÇÃO"), 138, 24},
                    {QStringLiteral("CART  TRAB"), 164, 32},
                    {QStringLiteral("DATA NASC"), 198, 24}},
                   {{QStringLiteral("PIS/PASEP"), 0, 40},
                    {QStringLiteral("CATEGORIA"), 42, 22},
                    {QStringLiteral("MOVIMENTAÇÃO"), 66, 44},
                    {QStringLiteral("AVISO PRÉVIO"), 112, 24},
                    {QStringLiteral("TOMADOR"), 138, 40}}};
  Dados.ColunasGrupoCsv = {QStringLiteral("INSCRIÇÃO EMPRESA"), QStringLiteral("RAZÃO SOCIAL")};

  const int cTipo = ds->IndiceCampo(QStringLiteral("NU_TIPO_INSO_EMPRA"));
  const int cInsc = ds->IndiceCampo(QStringLiteral("NU_INSCRICAO"));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const bool semEmpresa = ds->Fields(cInsc).IsNull();
    const qint64 inscricao = semEmpresa ? 0 : ds->Fields(cInsc).AsInt64();
    // The selection decides before layout, so pages and their count are
    // those printed; a worker without links belongs to no selected employer.
    if (!Todas && (semEmpresa || !escolhidas.contains(inscricao)))
      continue;
    const int tipo = semEmpresa ? 0 : ds->Fields(cTipo).AsInteger();
    const QString inscTexto = semEmpresa  ? QString()
                              : tipo == 1 ? TUtilitarios::FormatarCNPJ(QString::number(inscricao))
                                          : QString::number(inscricao);
    const QString nomeEmpresa = Texto(*ds, "NO_RAZAO_SOCIAL");
    TGrupoRel &g =
        Dados.Grupo({GrupoEmpresa(inscTexto, nomeEmpresa)}, true, {inscTexto, nomeEmpresa});

    const int categoria = ds->FieldByName(QStringLiteral("CATEGORIA")).AsInteger();
    const bool semCategoria = ds->FieldByName(QStringLiteral("CATEGORIA")).IsNull();
    QString carteira;
    const QString ctps = Texto(*ds, "NU_CTPS_EMPREGADO");
    if (categoria != 5 && !ctps.isEmpty())
      carteira = FormatoRel::Zeros(ctps, 7) + u'/' +
                 FormatoRel::Zeros(Texto(*ds, "NU_SERIE_CTPS_EMPREGADO"), 5);
    QString movimentacao = FormatoRel::Data(Data(*ds, "DT_MOVIMENTACAO_VINCULO"));
    const QString codigo = Texto(*ds, "CO_MOVIMENTACAO_VINCULO");
    if (!codigo.isEmpty())
      movimentacao += QStringLiteral(" - ") + codigo;
    const qint64 tomador = ds->FieldByName(QStringLiteral("NU_INSCRICAO_TMDR_VINCULO")).AsInt64();
    const int tipoTomador =
        ds->FieldByName(QStringLiteral("NU_TIPO_INSO_TMDR_VINCULO")).AsInteger();
    TEntradaRel l;
    l.Linhas = {{Texto(*ds, "NO_EMPREGADO"), FormatoRel::Data(Data(*ds, "DT_ADMISSAO")),
                 FormatoRel::Data(Data(*ds, "DT_OPCAO_VINCULO")), carteira,
                 FormatoRel::Data(Data(*ds, "DT_NASCIMENTO_EMPREGADO"))},
                {FormatoRel::PIS(Texto(*ds, "NU_PIS")),
                 semCategoria ? QString() : FormatoRel::Zeros(QString::number(categoria), 2),
                 movimentacao, Texto(*ds, "IC_AVISO_PREVIO"),
                 tomador > 0
                     ? (tipoTomador == 1 ? TUtilitarios::FormatarCNPJ(QString::number(tomador))
                                         : QString::number(tomador))
                     : QString()}};
    g.Entradas.append(l);
  }
  Rediagramar();
  return !Dados.Vazio();
}

// ---------------------------------------------------- registration changes

bool TRelAlteracaoCadastral::Preparar() {
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT EMP.NO_RAZAO_SOCIAL, TRAB.NO_EMPREGADO AS DE_CONTEUDO_NOVO, AC.NU_TIPO_INSO_EMPRA, "
      "CAST(AC.NU_INSCRICAO AS VARCHAR(14)) AS NU_INSCRICAO, "
      "CAST(AC.NU_PIS AS VARCHAR(14)) AS NU_PIS, AC.NU_CATEGORIA, AC.DT_ADMISSAO_VINCULO, "
      "AC.NU_TIPO_ALTERACAO, AC.DE_CONTEUDO_ANTERIOR, AC.IC_CONFIRMACAO, "
      "CAST(AC.NU_EMPRESA_VORDA_ALT_CADASTRAL AS VARCHAR(14)) AS NU_EMPRESA_VORDA_ALT_CADASTRAL, "
      "CAST(AC.NU_EMPREGADO_VORDA_ALT_CDSTL AS VARCHAR(14)) AS NU_EMPREGADO_VORDA_ALT_CDSTL "
      "FROM QZLTBG05_ALTERACAO_CADASTRAL AC INNER JOIN QZLTBG02_EMPRESA EMP ON "
      "EMP.NU_TIPO_INSO_EMPRA = AC.NU_TIPO_INSO_EMPRA AND EMP.NU_INSCRICAO = AC.NU_INSCRICAO "
      "INNER JOIN QZLTBG03_EMPREGADO TRAB ON TRAB.NU_PIS = AC.NU_PIS "
      "WHERE AC.IC_CONFIRMACAO = 'S' ORDER BY AC.NU_INSCRICAO, TRAB.NO_EMPREGADO"));
  if (ds->IsEmpty())
    return false;
  Dados = {};
  Dados.Definicao = QStringLiteral("RELATÓRIO DE ALTERAÇÕES CADASTRAIS DO TRABALHADOR");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Colunas = {{{QStringLiteral("EMPREGADO"), 0, 110},
                    {QStringLiteral("PIS/PASEP"), 112, 40},
                    {QStringLiteral("CÓDIGO DO EMPREGADO NA VORDA"), 154, 60}},
                   {{QStringLiteral("CONTEÚDO ALTERADO"), 0, 110},
                    {QStringLiteral("NOVO CONTEÚDO DO CAMPO"), 112, 110}}};
  Dados.ColunasGrupoCsv = {QStringLiteral("INSCRIÇÃO EMPRESA"), QStringLiteral("RAZÃO SOCIAL"),
                           QStringLiteral("CÓDIGO DA EMPRESA NA VORDA")};
  QString inscricaoAtual;
  TGrupoRel *g = nullptr;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const QString insc = Texto(*ds, "NU_INSCRICAO");
    if (!g || insc != inscricaoAtual) {
      inscricaoAtual = insc;
      const QString inscTexto =
          FormatoRel::Inscricao(ds->FieldByName(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsInteger(),
                                TUtilitarios::ParaInteiro64(insc));
      const QString nome = Texto(*ds, "NO_RAZAO_SOCIAL");
      const QString vorda = Texto(*ds, "NU_EMPRESA_VORDA_ALT_CADASTRAL");
      TGrupoRel novo;
      novo.Cabecalho = {GrupoEmpresa(inscTexto, nome),
                        QStringLiteral("CÓDIGO DA EMPRESA NA VORDA: ") + vorda};
      novo.NovaPagina = true;
      novo.ValoresCsv = {inscTexto, nome, vorda};
      Dados.Grupos.append(novo);
      g = &Dados.Grupos.last();
    }
    const QString nome = Texto(*ds, "DE_CONTEUDO_NOVO");
    TEntradaRel l;
    l.Linhas = {{nome, FormatoRel::PIS(Texto(*ds, "NU_PIS")),
                 FormatoRel::Zeros(Texto(*ds, "NU_EMPREGADO_VORDA_ALT_CDSTL"), 11)},
                {Texto(*ds, "DE_CONTEUDO_ANTERIOR"), nome}};
    g->Entradas.append(l);
  }
  Rediagramar();
  return true;
}
