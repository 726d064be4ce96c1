#include "reports/URel_Padrao_Recolhimento.h"

#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unEmpresa.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelGuiaPadrao.h"
#include "reports/unDesenho.h"

#include "core/unFBUtils.h"

#include <QHash>
#include <QPageSize>
#include <algorithm>

namespace {
constexpr double X = 100;
constexpr double L = 1900;
constexpr double H = 95;

QString Data(TDateTime d) {
  return DataDefinida(d) && d > 0 ? TUtilitarios::DataParaTexto(d) : QString();
}

QString Valor(double v) {
  return TUtilitarios::FormatarValor(v);
}

double Secao(TDesenho &d, double y, const QString &titulo) {
  static const QFont fonte = TDesenho::Fonte(9, true);
  QPainter &p = d.Pintor();
  p.fillRect(QRectF(X, y, L, 55), QColor(225, 225, 225));
  d.Texto(X + 15, y, L - 30, 55, titulo, fonte);
  return y + 55;
}
} // namespace

QString BancoAgenciaImpresso(const QString &banco, const QString &agencia) {
  const QString b = banco.trimmed().rightJustified(3, u'0');
  QString a = agencia.trimmed();
  if (!a.isEmpty())
    a.insert(a.size() - 1, u'-');
  return b + u'/' + a.rightJustified(6, u'0');
}

void PintarComprovante(QPainter &p, const TCamposComprovante &c) {
  static const QFont titulo = TDesenho::Fonte(13, true);
  static const QFont normal = TDesenho::Fonte(8);
  static const QFont negrito = TDesenho::Fonte(9, true);
  static const QFont celula = TDesenho::Fonte(8);
  TDesenho d(p);
  d.Texto(X, 80, L, 90, c.Titulo, titulo, Qt::AlignCenter);
  d.Texto(X, 180, 900, 50, QStringLiteral("Identificador:  ") + c.Identificador, negrito);
  d.Texto(X + 900, 180, 1000, 50, c.Versao, normal, Qt::AlignRight | Qt::AlignVCenter);

  double y = Secao(d, 250, QStringLiteral("Dados do Empregador"));
  d.Caixa(X, y, 1300, H, QStringLiteral("Razão social/Nome"), c.Razao);
  d.Caixa(X + 1300, y, 600, H, QStringLiteral("CNPJ/CEI"), c.Inscricao);
  y += H;
  d.Caixa(X, y, L, H, QStringLiteral("Endereço"), c.Logradouro);
  y += H;
  d.Caixa(X, y, 350, H, QStringLiteral("CEP: "), c.Cep);
  d.Caixa(X + 350, y, 550, H, QStringLiteral("Bairro/distrito"), c.Bairro);
  d.Caixa(X + 900, y, 700, H, QStringLiteral("Município"), c.Municipio);
  d.Caixa(X + 1600, y, 300, H, QStringLiteral("UF"), c.UF);
  y += H;
  d.Caixa(X, y, 350, H, QStringLiteral("FPAS"), c.FPAS);
  d.Caixa(X + 350, y, 350, H, QStringLiteral("Simples"), c.Simples);
  d.Caixa(X + 700, y, 500, H, QStringLiteral("CNAE:"), c.CNAE);
  d.Caixa(X + 1200, y, 700, H, QStringLiteral("CNPJ/CEI Tomador de serviço: "), c.Tomador);
  y += H + 30;

  y = Secao(d, y, QStringLiteral("Dados do Trabalhador"));
  d.Caixa(X, y, 1300, H, QStringLiteral("14 - Nome do Trabalhador"), c.Nome);
  d.Caixa(X + 1300, y, 600, H, QStringLiteral("17 - PIS/ PASEP"), c.PIS);
  y += H;
  d.Caixa(X, y, 475, H, QStringLiteral("15 - Data admissão"), c.Admissao);
  d.Caixa(X + 475, y, 475, H, QStringLiteral("15 - Data Opção"), c.Opcao);
  d.Caixa(X + 950, y, 475, H, QStringLiteral("18 - CTPS"), c.CTPS);
  d.Caixa(X + 1425, y, 475, H, QStringLiteral("19 - Data de nascimento"), c.Nascimento);
  y += H;
  d.Caixa(X, y, 300, H, QStringLiteral("20 - Cat"), c.Categoria);
  d.Caixa(X + 300, y, 600, H, QStringLiteral("21 - Data/ código afastamento"), c.Afastamento);
  d.Caixa(X + 900, y, 400, H, QStringLiteral("22 - Aviso Prévio"), c.AvisoPrevio);
  d.Caixa(X + 1300, y, 600, H, QStringLiteral("23 - Recolhimento dissídio/Acordo"), c.Dissidio);
  y += H + 30;

  y = Secao(d, y, QStringLiteral("Informações Financeiras"));
  static const char *const colunas[] = {"Mês Anterior a Rescisão", "Mês Rescisão",
                                        "Aviso Prévio Indenizado", "Multa Rescisória"};
  static const char *const linhas[] = {"Remuneração/Saldo", "Depósito", "JAM", "Encargos",
                                       "Contrib.Social"};
  static const QFont cabecalho = TDesenho::Fonte(7, true);
  const double rotulo = 340, col = (L - rotulo) / 4, alt = 70;
  d.Retangulo(X, y, rotulo, alt);
  for (int j = 0; j < 4; ++j) {
    d.Retangulo(X + rotulo + j * col, y, col, alt);
    d.Texto(X + rotulo + j * col, y, col, alt, QString::fromUtf8(colunas[j]), cabecalho,
            Qt::AlignCenter);
  }
  y += alt;
  for (int i = 0; i < 5; ++i) {
    d.Retangulo(X, y, rotulo, alt);
    d.Texto(X + 15, y, rotulo - 30, alt, QString::fromUtf8(linhas[i]), cabecalho);
    for (int j = 0; j < 4; ++j) {
      const double cx = X + rotulo + j * col;
      d.Retangulo(cx, y, col, alt);
      static const QFont numero = TDesenho::Fonte(5);
      d.Texto(cx + 8, y + 2, 100, 25, QString::number(24 + i * 4 + j), numero,
              Qt::AlignLeft | Qt::AlignTop);
      d.Texto(cx + 15, y, col - 30, alt, c.Valores[i][j], celula,
              Qt::AlignRight | Qt::AlignVCenter);
    }
    y += alt;
  }
  y += 30;
  d.Texto(X, y, 950, 60, QStringLiteral("Valor Trabalhador: ") + c.ValorTrabalhador, negrito);
  d.Texto(X + 950, y, 950, 60, QStringLiteral("Valor Devido pela Empresa: ") + c.ValorDevido,
          negrito, Qt::AlignRight | Qt::AlignVCenter);
  y += 60;
  d.Texto(X, y, L, 50, QStringLiteral("Cabe ao trabalhador os valores de Depósito e JAM"), normal);
  y += 80;

  if (c.Quitada) {
    y = Secao(d, y, QStringLiteral("Informações de Pagamento da Guia"));
    d.Caixa(X, y, 950, H, QStringLiteral("Banco/Agência:"), c.BancoAgencia);
    d.Caixa(X + 950, y, 950, H, QStringLiteral("Data de Quitação:"), c.DataQuitacao);
  }
}

TREL_Padrao_Recolhimento::TREL_Padrao_Recolhimento()
    : empresa_(std::make_unique<TGuiaEmpresa>()),
      trabalhador_(std::make_unique<TGuiaTrabalhador>()) {}

TREL_Padrao_Recolhimento::~TREL_Padrao_Recolhimento() = default;

bool TREL_Padrao_Recolhimento::PrepararGuias(const QStringList &Linhas, const QString &Ordem) {
  linhas_.clear();
  inicio_.clear();
  total_ = 0;
  linhaCarregada_ = -1;
  carregada_.clear();
  ordem_ = Ordem.trimmed().isEmpty() ? QStringLiteral("NU_PIS_GUIA ASC") : Ordem;
  versao_ = QStringLiteral("Versão do Aplicativo: ") + TUtilitarios::VersaoSistema(true);
  QHash<QString, int> quantidades;
  try {
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT CO_BARRAS, COUNT(*) FROM QZLTBG09_GUIA_INDIVIDUAL GROUP BY "
                       "CO_BARRAS"));
    for (ds->First(); !ds->Eof(); ds->Next())
      quantidades.insert(ds->Fields(0).AsString().trimmed(), ds->Fields(1).AsInteger());
  } catch (const EBancoDados &) {
    return false;
  }
  for (const QString &l : Linhas) {
    const int n = quantidades.value(l.trimmed());
    if (n == 0)
      continue;
    linhas_ << l.trimmed();
    inicio_ << total_;
    total_ += n;
  }
  return true;
}

int TREL_Padrao_Recolhimento::LinhaDaPagina(int pagina) {
  if (linhas_.isEmpty())
    return pagina;
  const int g =
      int(std::upper_bound(inicio_.cbegin(), inicio_.cend(), pagina) - inicio_.cbegin()) - 1;
  if (g != linhaCarregada_) {
    trabalhador_->CO_BARRAS = linhas_.at(g);
    if (!trabalhador_->CarregarDaGuia({}, ordem_))
      return -1;
    linhaCarregada_ = g;
  }
  return pagina - inicio_.at(g);
}

bool TREL_Padrao_Recolhimento::Preparar(const QString &Linha, const QStringList &Chaves,
                                        const TGuiaTrabalhador *Trabalhador, const QString &Ordem) {
  linhas_.clear();
  inicio_.clear();
  carregada_.clear();
  empresa_->CO_BARRAS = Linha;
  if (!empresa_->CarregarPorCodigo() || empresa_->QuantidadeRegistros() == 0)
    return false;
  carregada_ = empresa_->CO_BARRAS;
  versao_ = QStringLiteral("Versão do Aplicativo: ") + TUtilitarios::VersaoSistema(true);
  QStringList chaves = Chaves;
  if (Trabalhador) {
    // The one given guide, read again by its key so that this report owns its row.
    auto &t = const_cast<TGuiaTrabalhador &>(*Trabalhador);
    chaves = {TGuiaTrabalhador::Chave(t.Vinculo().NU_PIS, t.Vinculo().DT_ADMISSAO_VINCULO,
                                      t.Vinculo().NU_CATEGORIA)};
  }
  trabalhador_->CO_BARRAS = Linha;
  return trabalhador_->CarregarDaGuia(
      chaves, Ordem.trimmed().isEmpty() ? QStringLiteral("NU_PIS_GUIA ASC") : Ordem);
}

bool TREL_Padrao_Recolhimento::ImprimirComprovante(const QString &Linha, const QStringList &Chaves,
                                                   const TGuiaTrabalhador *Trabalhador,
                                                   const QString &Ordem, QWidget *pai) {
  if (!Preparar(Linha, Chaves, Trabalhador, Ordem))
    return false;
  MostrarRelatorio(*this, pai);
  return true;
}

QPageLayout TREL_Padrao_Recolhimento::LayoutPagina() const {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

int TREL_Padrao_Recolhimento::QuantidadePaginas() {
  if (!linhas_.isEmpty())
    return total_;
  return trabalhador_->ObterDataSet() ? trabalhador_->QuantidadeRegistros() : 0;
}

void TREL_Padrao_Recolhimento::PintarPagina(QPainter &p, int pagina) {
  if (pagina < 0 || pagina >= QuantidadePaginas())
    return;
  const int linha = LinhaDaPagina(pagina);
  TDataSet *ds = trabalhador_->ObterDataSet();
  if (!ds || linha < 0 || linha >= ds->RecordCount())
    return;
  ds->MoverPara(linha);
  trabalhador_->CarregarAtributos();
  PintarComprovante(p, Campos());
}

TCamposComprovante TREL_Padrao_Recolhimento::Campos() {
  TGuiaTrabalhador &t = *trabalhador_;
  if (t.CO_BARRAS != carregada_) {
    empresa_->CO_BARRAS = t.CO_BARRAS;
    empresa_->CarregarPorCodigo();
    carregada_ = t.CO_BARRAS;
  }
  TGuiaEmpresa &g = *empresa_;
  TEmpresa &e = g.Empresa();
  TVinculo &v = t.Vinculo();
  TTrabalhador &w = t.Trabalhador();
  TRescisao &r = t.Rescisao();
  TCamposComprovante c;
  c.Quitada = DataDefinida(g.DT_QUITACAO) && g.DT_QUITACAO > 0;
  c.Titulo = c.Quitada
                 ? QStringLiteral("Comprovante do Trabalhador de Recolhimento ZELT Rescisório")
                 : QStringLiteral("Demonstrativo do Trabalhador de Recolhimento ZELT Rescisório");
  c.Identificador = TUtilitarios::CodigoBarrasDaLinha(g.CO_BARRAS).mid(27, 17).trimmed();
  c.Versao = versao_;
  c.Razao = e.NO_RAZAO_SOCIAL;
  c.Inscricao = InscricaoImpressa(e.NU_TIPO_INSO_EMPRA, e.NU_INSCRICAO);
  c.Logradouro = e.Endereco().DE_LOGRADOURO;
  c.Cep = FormatarCEP(e.Endereco().NU_CEP);
  c.Bairro = e.Endereco().NO_BAIRRO;
  c.Municipio = e.Endereco().NO_LOCALIDADE;
  c.UF = e.Endereco().SG_UF;
  c.FPAS = e.NU_INSS;
  c.Simples = QString::number(e.NU_SIMPLES);
  c.CNAE = e.NU_IBGE;
  if (v.NU_INSCRICAO_TMDR > 0)
    c.Tomador =
        InscricaoImpressa(v.NU_TIPO_INSO_TMDR == 1 ? 1 : 2, QString::number(v.NU_INSCRICAO_TMDR));

  c.Nome = w.NO_EMPREGADO;
  c.Admissao = Data(v.DT_ADMISSAO_VINCULO);
  c.Opcao = Data(v.DT_OPCAO);
  c.PIS = TUtilitarios::FormatarPIS(w.NU_PIS);
  const qint64 ctps = TUtilitarios::ParaInteiro64(w.NU_CTPS);
  if (ctps > 0 && TUtilitarios::SomenteNumeros(w.NU_CTPS.trimmed()))
    c.CTPS = QString::number(ctps).rightJustified(7, u'0') + u'/' +
             QString::number(TUtilitarios::ParaInteiro64(w.NU_SERIE_CTPS)).rightJustified(5, u'0');
  c.Nascimento = Data(w.DT_NASCIMENTO);
  c.Categoria = QString::number(int(v.NU_CATEGORIA)).rightJustified(2, u'0');
  c.Afastamento = Data(v.DT_MOVIMENTACAO_VINCULO) + QStringLiteral(" - ") + v.CO_MOVIMENTACAO;
  c.AvisoPrevio = QString::number(int(v.IC_AVISO_PREVIO));
  c.Dissidio = Data(r.DT_DISSIDIO);

  const double base[4] = {r.VR_REMUNERACAO_ANTERIOR_RSCSO, r.VR_REMUNERACAO_RESCISAO,
                          r.VR_AVISO_PREVIO, t.VR_MULTA_RESCISORIA};
  const double deposito[4] = {r.VR_DEPOSITO_ANTERIOR_RESCISAO, r.VR_DEPOSITO_RESCISAO,
                              r.VR_DEPOSITO_AVISO_PREVIO, r.VR_DEPOSITO_MULTA_RESCISORIA};
  const double jam[4] = {r.VR_JAM_ANTERIOR_RESCISAO, r.VR_JAM_RESCISAO, r.VR_JAM_AVISO_PREVIO,
                         r.VR_JAM_MULTA_RESCISORIA};
  const double multa[4][2] = {{r.VR_MULTA_ANTERIOR_RESCISAO, r.VR_MULTA_CNTRO_ANTERIOR_RSCSO},
                              {r.VR_MULTA_RESCISAO, r.VR_MULTA_CNTRO_RESCISAO},
                              {r.VR_MULTA_AVISO_PREVIO, r.VR_MULTA_CNTRO_AVISO_PREVIO},
                              {r.VR_MULTA_MULTA_RESCISORIA, r.VR_MULTA_CNTRO_MULTA_RESCISORIA}};
  const double contribuicao[4] = {r.VR_CNTRO_ANTERIOR_RESCISAO, r.VR_CNTRO_RESCISAO,
                                  r.VR_CNTRO_AVISO_PREVIO, r.VR_CNTRO_MULTA_RESCISORIA};
  for (int j = 0; j < 4; ++j) {
    c.Valores[0][j] = Valor(base[j]);
    c.Valores[1][j] = Valor(deposito[j]);
    c.Valores[2][j] = Valor(jam[j]);
    c.Valores[3][j] = TCentavos::Soma({multa[j][0], multa[j][1]}).Formatado();
    c.Valores[4][j] = Valor(contribuicao[j]);
  }
  c.ValorTrabalhador = t.ValorTrabalhador().Formatado();
  c.ValorDevido = t.ValorDevido().Formatado();
  if (c.Quitada) {
    c.BancoAgencia = BancoAgenciaImpresso(g.NU_BANCO, g.NU_AGENCIA);
    c.DataQuitacao = Data(g.DT_QUITACAO);
  }
  return c;
}
