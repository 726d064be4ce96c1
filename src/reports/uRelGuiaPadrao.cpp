#include "reports/uRelGuiaPadrao.h"

#include "collection/unTGuiaEmpresa.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "registry/unEmpresa.h"
#include "reports/unCodigoBarras.h"
#include "reports/unDesenho.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>

namespace {
// Page and copy geometry, in 0.1 mm.
constexpr double Margem = 100;
constexpr double Largura = 1900;
constexpr double AlturaLinha = 100;
constexpr double InicioViaBanco = 1640;
constexpr double Corte = 1600;
// Narrow bar of 0.254 mm and bars 13 mm high.
constexpr double Modulo = 2.54;
constexpr double AlturaBarras = 130;

void LogoFixo(TDesenho &d, double x, double y) {
  d.Logo(x, y, 300, 140, QStringLiteral("ZELT"), 20);
}

void Via(TDesenho &d, double y0, const TCamposGuia &c, bool banco, bool comBarras,
         const QImage *logoBanco) {
  const double x = Margem;
  // The whole title must fit between the logo and the copy name (at 12 points
  // its last word was cut off).
  static const QFont titulo = TDesenho::Fonte(11, true);
  static const QFont nomeVia = TDesenho::Fonte(10, true);
  static const QFont linha = TDesenho::Fonte(12, true, true);
  static const QFont aviso = TDesenho::Fonte(8, true);
  static const QFont pequena = TDesenho::Fonte(7);

  // Header: logo, title, copy name.
  if (!banco)
    LogoFixo(d, x, y0);
  else if (logoBanco && !logoBanco->isNull())
    d.Pintor().drawImage(QRectF(x, y0, 300, 140), *logoBanco);
  d.Texto(x + 330, y0, 1170, 80, QStringLiteral("VESK - Guia de Recolhimento Rescisório do ZELT"),
          titulo);
  d.Texto(x + 330, y0 + 70, 1150, 70, QStringLiteral("Guia de Recolhimento para pagamento"),
          pequena);
  d.Texto(x + 1500, y0, 400, 140,
          banco ? QStringLiteral("Via Banco") : QStringLiteral("Via Empresa"), nomeVia,
          Qt::AlignRight | Qt::AlignVCenter);

  double y = y0 + 160;
  d.Caixa(x, y, 1300, AlturaLinha, QStringLiteral("01 - Razão social/Nome"), c.RazaoSocial);
  d.Caixa(x + 1300, y, 600, AlturaLinha, QStringLiteral("02 - CNPJ/CEI"), c.Inscricao);
  y += AlturaLinha;
  d.Caixa(x, y, 1300, AlturaLinha,
          QStringLiteral("03 - Endereço (logradouro, nº, andar, apartamento)"), c.Endereco);
  d.Caixa(x + 1300, y, 600, AlturaLinha, QStringLiteral("04 - Contato/DDD/telefone"), c.Contato);
  y += AlturaLinha;
  d.Caixa(x, y, 350, AlturaLinha, QStringLiteral("05 - CEP"), c.Cep);
  d.Caixa(x + 350, y, 550, AlturaLinha, QStringLiteral("06 - Bairro/distrito"), c.Bairro);
  d.Caixa(x + 900, y, 700, AlturaLinha, QStringLiteral("07 - Município"), c.Municipio);
  d.Caixa(x + 1600, y, 300, AlturaLinha, QStringLiteral("08 - UF"), c.UF);
  y += AlturaLinha;
  d.Caixa(x, y, 350, AlturaLinha, QStringLiteral("09 - FPAS"), c.FPAS);
  d.Caixa(x + 350, y, 350, AlturaLinha, QStringLiteral("10 - Simples"), c.Simples);
  d.Caixa(x + 700, y, 600, AlturaLinha, QStringLiteral("11- Identificador"), c.Identificador);
  d.Caixa(x + 1300, y, 600, AlturaLinha, QStringLiteral("12- Total a Recolher"), c.TotalRecolher,
          Qt::AlignRight);
  y += AlturaLinha;
  d.Caixa(x, y, 950, AlturaLinha, QStringLiteral("13- Data de Validade ="), c.Validade);
  d.Caixa(x + 950, y, 950, AlturaLinha, QStringLiteral("14 - Qtde Trabalhadores"),
          c.QuantidadeTrabalhadores, Qt::AlignRight);
  y += AlturaLinha;
  d.Caixa(x, y, Largura, 120, QStringLiteral("Linha digitável"),
          c.Grupos[0] + QStringLiteral("  ") + c.Grupos[1] + QStringLiteral("  ") + c.Grupos[2] +
              QStringLiteral("  ") + c.Grupos[3],
          Qt::AlignHCenter, &linha);
  y += 130;
  d.Texto(x, y, 950, 50, QStringLiteral("Atenção: não receber após Validade"), aviso);
  d.Texto(x + 950, y, 950, 50, c.Versao, pequena, Qt::AlignRight | Qt::AlignVCenter);
  y += 50;
  d.Texto(x + 950, y, 950, 50, c.GeradaEm, pequena, Qt::AlignRight | Qt::AlignVCenter);
  y += 70;

  // Bar-code and authentication areas.
  d.Caixa(x, y, 1250, 260, QStringLiteral("Código de Barras"), QString());
  d.Caixa(x + 1250, y, 650, 260, QStringLiteral("Autenticação mecânica"), QString());
  if (banco && comBarras) {
    const TBarrasGuia barras = BarrasInterleaved2de5(c.CodigoBarras);
    if (barras.Valido()) {
      const double bx = x + (1250 - barras.Modulos * Modulo) / 2;
      const double by = y + 80;
      QPainter &p = d.Pintor();
      for (const auto &b : barras.Barras)
        p.fillRect(QRectF(bx + b.first * Modulo, by, b.second * Modulo, AlturaBarras), Qt::black);
    }
  }
}
} // namespace

QString FormatarCEP(const QString &cep) {
  const QString d = TUtilitarios::Digitos(cep);
  if (d.isEmpty() || TUtilitarios::ParaInteiro64(d) == 0)
    return QString();
  const QString z = d.right(8).rightJustified(8, u'0');
  return z.left(2) + u'.' + z.mid(2, 3) + u'-' + z.mid(5, 3);
}

QString InscricaoImpressa(int tipo, const QString &inscricao) {
  const qint64 n = TUtilitarios::ParaInteiro64(TUtilitarios::Digitos(inscricao));
  if (tipo == 1)
    return TUtilitarios::FormatarCNPJ(QString::number(n).rightJustified(14, u'0'));
  return QString::number(n).rightJustified(12, u'0');
}

void PintarGuia(QPainter &p, const TCamposGuia &c, bool ComBarras, const QImage *LogoBanco) {
  TDesenho d(p);
  Via(d, 30, c, false, ComBarras, LogoBanco);
  d.LinhaTracejada(Margem, Corte, Margem + Largura);
  Via(d, InicioViaBanco, c, true, ComBarras, LogoBanco);
}

TRelGuiaPadrao::TRelGuiaPadrao() : guia_(std::make_unique<TGuiaEmpresa>()) {}

TRelGuiaPadrao::~TRelGuiaPadrao() = default;

QPageLayout TRelGuiaPadrao::LayoutPagina() const {
  return QPageLayout(QPageSize(QSizeF(210, 320), QPageSize::Millimeter,
                               QStringLiteral("Guia 210 x 320 mm"), QPageSize::ExactMatch),
                     QPageLayout::Portrait, QMarginsF());
}

int TRelGuiaPadrao::QuantidadePaginas() {
  return guia_->ObterDataSet() ? guia_->QuantidadeRegistros() : 0;
}

void TRelGuiaPadrao::Preparar() {
  if (preparado_)
    return;
  preparado_ = true;
  versao_ = QStringLiteral("Versão do Aplicativo: ") + TUtilitarios::VersaoSistema(true);
  geradaEm_ = QStringLiteral("Gerada em ") +
              QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
  const QString logo = QDir(PastaPrograma()).filePath(QStringLiteral("MOLT/_img/ZELT.bmp"));
  if (QFileInfo::exists(logo))
    logoBanco_.load(logo);
}

TCamposGuia TRelGuiaPadrao::Campos() {
  Preparar();
  TGuiaEmpresa &g = *guia_;
  TEmpresa &e = g.Empresa();
  TCamposGuia c;
  c.RazaoSocial = e.NO_RAZAO_SOCIAL;
  c.Inscricao = InscricaoImpressa(e.NU_TIPO_INSO_EMPRA, e.NU_INSCRICAO);
  c.Endereco = e.Endereco().DE_LOGRADOURO;
  c.Contato = e.NU_DDD + u'-' + e.NU_TELEFONE;
  c.Cep = FormatarCEP(e.Endereco().NU_CEP);
  c.Bairro = e.Endereco().NO_BAIRRO;
  c.Municipio = e.Endereco().NO_LOCALIDADE;
  c.UF = e.Endereco().SG_UF;
  c.FPAS = e.NU_INSS;
  c.Simples = QString::number(e.NU_SIMPLES);
  c.CodigoBarras = TUtilitarios::CodigoBarrasDaLinha(g.CO_BARRAS);
  c.Identificador = c.CodigoBarras.mid(27, 17).trimmed();
  for (int i = 0; i < 4; ++i)
    c.Grupos[i] = g.CO_BARRAS.mid(i * 12, 12);
  c.Validade = DataDefinida(g.DT_RECOLHIMENTO) && g.DT_RECOLHIMENTO > 0
                   ? TUtilitarios::DataParaTexto(g.DT_RECOLHIMENTO)
                   : QString();
  c.TotalRecolher = TUtilitarios::FormatarValor(0);
  c.QuantidadeTrabalhadores = QStringLiteral("0");
  c.Versao = versao_;
  c.GeradaEm = geradaEm_;
  CompletarCampos(c);
  return c;
}

void TRelGuiaPadrao::PintarPagina(QPainter &p, int pagina) {
  TDataSet *ds = guia_->ObterDataSet();
  if (!ds || pagina < 0 || pagina >= ds->RecordCount())
    return;
  ds->MoverPara(pagina);
  guia_->CarregarAtributos();
  const TCamposGuia c = Campos();
  PintarGuia(p, c, true, logoBanco_.isNull() ? nullptr : &logoBanco_);
}
