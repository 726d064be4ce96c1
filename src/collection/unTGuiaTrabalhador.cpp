#include "collection/unTGuiaTrabalhador.h"

#include "collection/unListaChaves.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unEstabelecimento.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QSet>

namespace {
struct TColunaValor {
  const char *Coluna;
  double TRescisao::*Membro;
  bool DoTrabalhador; // deposit or JAM: the worker's part
};

// Three of the four bases (the fine base is the guide's own field), then the twenty block amounts
// in the order of the table.
const TColunaValor Bases[] = {
    {"VR_REMUNERACAO_ANTERIOR_RSCSO", &TRescisao::VR_REMUNERACAO_ANTERIOR_RSCSO, false},
    {"VR_REMUNERACAO_RESCISAO", &TRescisao::VR_REMUNERACAO_RESCISAO, false},
    {"VR_AVISO_PREVIO", &TRescisao::VR_AVISO_PREVIO, false},
};
const TColunaValor Parcelas[] = {
    {"VR_DEPOSITO_ANTERIOR_RESCISAO", &TRescisao::VR_DEPOSITO_ANTERIOR_RESCISAO, true},
    {"VR_JAM_ANTERIOR_RESCISAO", &TRescisao::VR_JAM_ANTERIOR_RESCISAO, true},
    {"VR_MULTA_ANTERIOR_RESCISAO", &TRescisao::VR_MULTA_ANTERIOR_RESCISAO, false},
    {"VR_CNTRO_ANTERIOR_RESCISAO", &TRescisao::VR_CNTRO_ANTERIOR_RESCISAO, false},
    {"VR_MULTA_CNTRO_ANTERIOR_RSCSO", &TRescisao::VR_MULTA_CNTRO_ANTERIOR_RSCSO, false},
    {"VR_DEPOSITO_RESCISAO", &TRescisao::VR_DEPOSITO_RESCISAO, true},
    {"VR_JAM_RESCISAO", &TRescisao::VR_JAM_RESCISAO, true},
    {"VR_MULTA_RESCISAO", &TRescisao::VR_MULTA_RESCISAO, false},
    {"VR_CNTRO_RESCISAO", &TRescisao::VR_CNTRO_RESCISAO, false},
    {"VR_MULTA_CNTRO_RESCISAO", &TRescisao::VR_MULTA_CNTRO_RESCISAO, false},
    {"VR_DEPOSITO_AVISO_PREVIO", &TRescisao::VR_DEPOSITO_AVISO_PREVIO, true},
    {"VR_JAM_AVISO_PREVIO", &TRescisao::VR_JAM_AVISO_PREVIO, true},
    {"VR_MULTA_AVISO_PREVIO", &TRescisao::VR_MULTA_AVISO_PREVIO, false},
    {"VR_CNTRO_AVISO_PREVIO", &TRescisao::VR_CNTRO_AVISO_PREVIO, false},
    {"VR_MULTA_CNTRO_AVISO_PREVIO", &TRescisao::VR_MULTA_CNTRO_AVISO_PREVIO, false},
    {"VR_DEPOSITO_MULTA_RESCISORIA", &TRescisao::VR_DEPOSITO_MULTA_RESCISORIA, true},
    {"VR_JAM_MULTA_RESCISORIA", &TRescisao::VR_JAM_MULTA_RESCISORIA, true},
    {"VR_MULTA_MULTA_RESCISORIA", &TRescisao::VR_MULTA_MULTA_RESCISORIA, false},
    {"VR_CNTRO_MULTA_RESCISORIA", &TRescisao::VR_CNTRO_MULTA_RESCISORIA, false},
    {"VR_MULTA_CNTRO_MULTA_RESCISORIA", &TRescisao::VR_MULTA_CNTRO_MULTA_RESCISORIA, false},
};

const char *const ColunasFixas[] = {"CO_BARRAS",
                                    "NU_PIS_GUIA",
                                    "DT_ADMISSAO_GUIA",
                                    "NU_CATEGORIA_GUIA",
                                    "NO_EMPREGADO",
                                    "DT_OPCAO",
                                    "DT_MOVIMENTACAO",
                                    "CO_MOVIMENTACAO_GUIA",
                                    "IC_AVISO_PREVIO",
                                    "DT_DISSIDIO",
                                    "DT_NASCIMENTO",
                                    "NU_CTPS",
                                    "NU_SERIE_CTPS",
                                    "NU_TIPO_INSO_TMDR_GUIA",
                                    "NU_INSCRICAO_TMDR_GUIA"};

QStringList Colunas() {
  QStringList r;
  for (const char *c : ColunasFixas)
    r << QString::fromLatin1(c);
  for (const auto &b : Bases)
    r << QString::fromLatin1(b.Coluna);
  r << QStringLiteral("VR_MULTA_RESCISORIA");
  for (const auto &p : Parcelas)
    r << QString::fromLatin1(p.Coluna);
  return r;
}

QString Selecao(const QString &alias) {
  QStringList r;
  for (const QString &c : Colunas())
    r << alias + u'.' + c;
  return QStringLiteral("SELECT ") + r.join(QStringLiteral(", ")) + u' ';
}

// The key text of a guide row, as Chave writes it.
const char *const ExpressaoChave =
    "(LPAD(CAST(NU_PIS_GUIA AS VARCHAR(11)), 11, '0') || CAST(DT_ADMISSAO_GUIA AS CHAR(10)) || "
    "LPAD(CAST(NU_CATEGORIA_GUIA AS VARCHAR(2)), 2, '0'))";

QString Texto(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : f.AsVariant().toString();
}

QString NumeroOuVazio(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : QString::number(f.AsInt64());
}
} // namespace

TGuiaTrabalhador::TGuiaTrabalhador() {
  TGuiaTrabalhador::Inicializar();
}

TGuiaTrabalhador::~TGuiaTrabalhador() = default;

void TGuiaTrabalhador::Inicializar() {
  CodigoErro.clear();
  CO_BARRAS.clear();
  VR_MULTA_RESCISORIA = 0;
  SqlSelect = Selecao(QStringLiteral("GUIATRB"));
  SqlFrom = QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL GUIATRB ");
}

void TGuiaTrabalhador::Limpar() {
  // The owned objects stay: CarregarAtributos overwrites every field they hold.
}

TTrabalhador &TGuiaTrabalhador::Trabalhador() {
  if (!trabalhador_) {
    trabalhador_ = std::make_unique<TTrabalhador>();
    trabalhador_->CarregarAssociados = false;
  }
  return *trabalhador_;
}

TVinculo &TGuiaTrabalhador::Vinculo() {
  if (!vinculo_) {
    vinculo_ = std::make_unique<TVinculo>();
    vinculo_->CarregarAssociados = false;
  }
  return *vinculo_;
}

TRescisao &TGuiaTrabalhador::Rescisao() {
  if (!rescisao_) {
    rescisao_ = std::make_unique<TRescisao>();
    rescisao_->CarregarAssociados = false;
  }
  return *rescisao_;
}

void TGuiaTrabalhador::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  CO_BARRAS = Texto(*this, "CO_BARRAS").trimmed();
  const qint64 pis = Campo(QStringLiteral("NU_PIS_GUIA")).AsInt64();
  const TDateTime admissao = Campo(QStringLiteral("DT_ADMISSAO_GUIA")).AsDateTime();
  const int categoria = Campo(QStringLiteral("NU_CATEGORIA_GUIA")).AsInteger();

  TTrabalhador &t = Trabalhador();
  t.NU_PIS = TUtilitarios::CompletarZeros(QString::number(pis), 11);
  t.NO_EMPREGADO = Texto(*this, "NO_EMPREGADO").trimmed();
  t.DT_NASCIMENTO = Campo(QStringLiteral("DT_NASCIMENTO")).AsDateTime();
  t.NU_CTPS = NumeroOuVazio(*this, "NU_CTPS");
  t.NU_SERIE_CTPS = NumeroOuVazio(*this, "NU_SERIE_CTPS");

  TVinculo &v = Vinculo();
  v.NU_PIS = pis;
  v.DT_ADMISSAO_VINCULO = admissao;
  v.NU_CATEGORIA = static_cast<qint8>(categoria);
  v.DT_OPCAO = Campo(QStringLiteral("DT_OPCAO")).AsDateTime();
  v.DT_MOVIMENTACAO_VINCULO = Campo(QStringLiteral("DT_MOVIMENTACAO")).AsDateTime();
  v.CO_MOVIMENTACAO = Texto(*this, "CO_MOVIMENTACAO_GUIA").trimmed();
  v.IC_AVISO_PREVIO = static_cast<quint8>(Campo(QStringLiteral("IC_AVISO_PREVIO")).AsInteger());
  v.NU_TIPO_INSO_TMDR =
      static_cast<quint8>(Campo(QStringLiteral("NU_TIPO_INSO_TMDR_GUIA")).AsInteger());
  v.NU_INSCRICAO_TMDR = Campo(QStringLiteral("NU_INSCRICAO_TMDR_GUIA")).AsInt64();

  TRescisao &r = Rescisao();
  r.NU_PIS = pis;
  r.DT_ADMISSAO_VINCULO = admissao;
  r.NU_CATEGORIA = static_cast<qint8>(categoria);
  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.DT_DISSIDIO = Campo(QStringLiteral("DT_DISSIDIO")).AsDateTime();
  for (const auto &b : Bases)
    r.*b.Membro = Campo(QString::fromLatin1(b.Coluna)).AsFloat();
  VR_MULTA_RESCISORIA = Campo(QStringLiteral("VR_MULTA_RESCISORIA")).AsFloat();
  for (const auto &p : Parcelas)
    r.*p.Membro = Campo(QString::fromLatin1(p.Coluna)).AsFloat();
}

QString TGuiaTrabalhador::Chave(qint64 PIS, TDateTime Admissao, int Categoria) {
  return QString::number(PIS).rightJustified(11, u'0') +
         DataParaQDate(Admissao).toString(QStringLiteral("yyyy-MM-dd")) +
         QString::number(Categoria).rightJustified(2, u'0');
}

bool TGuiaTrabalhador::Carregar(const QString &sql) {
  CodigoErro.clear();
  try {
    AbrirDataSet(sql);
    if (QuantidadeRegistros() > 0)
      Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TGuiaTrabalhador::CarregarQuitada() {
  TVinculo &v = Vinculo();
  const int tipo = v.NU_TIPO_INSO_EMPRA;
  const qint64 inscricao = v.NU_INSCRICAO;
  const QString sql =
      SqlSelect +
      QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL GUIATRB JOIN QZLTBG08_GUIA_TOTALIZADORA "
                     "GUIAEMP ON GUIAEMP.CO_BARRAS = GUIATRB.CO_BARRAS WHERE "
                     "GUIAEMP.NU_TIPO_INSCRICAO_GUIA = %1 AND GUIAEMP.NU_INSCRICAO_GUIA = %2 AND "
                     "GUIATRB.NU_PIS_GUIA = %3 AND GUIATRB.NU_CATEGORIA_GUIA = %4 AND "
                     "GUIATRB.DT_ADMISSAO_GUIA = %5 AND GUIAEMP.DT_QUITACAO IS NOT NULL AND "
                     "GUIAEMP.DT_PROCESSAMENTO IS NOT NULL ORDER BY GUIAEMP.DT_PROCESSAMENTO "
                     "DESC, GUIAEMP.DT_QUITACAO DESC")
          .arg(tipo)
          .arg(inscricao)
          .arg(v.NU_PIS)
          .arg(int(v.NU_CATEGORIA))
          .arg(TUtilitarios::DataSQL(v.DT_ADMISSAO_VINCULO));
  if (!Carregar(sql) || QuantidadeRegistros() == 0)
    return false;
  // The row holds no company columns: the caller's company stays in the link.
  Vinculo().NU_TIPO_INSO_EMPRA = static_cast<quint8>(tipo);
  Vinculo().NU_INSCRICAO = inscricao;
  return true;
}

bool TGuiaTrabalhador::CarregarDaGuia(const QStringList &Chaves, const QString &Coluna) {
  QString sql = SqlSelect + SqlFrom + QStringLiteral("WHERE GUIATRB.CO_BARRAS = ") +
                TUtilitarios::TextoSQL(CO_BARRAS.trimmed());
  const bool filtrarNaConsulta = !Chaves.isEmpty() && Chaves.size() <= MaximoChavesNaConsulta;
  if (filtrarNaConsulta)
    sql += QStringLiteral(" AND ") +
           CondicaoListaTextos(QString::fromLatin1(ExpressaoChave)
                                   .replace(QStringLiteral("(NU_"), QStringLiteral("(GUIATRB.NU_")),
                               Chaves);
  if (!Coluna.trimmed().isEmpty())
    sql += QStringLiteral(" ORDER BY GUIATRB.") + Coluna.trimmed();
  if (!Carregar(sql))
    return false;
  if (Chaves.isEmpty() || filtrarNaConsulta)
    return true;
  // A very long list: the guide's rows in the requested order, keeping the listed ones.
  const QSet<QString> chaves(Chaves.cbegin(), Chaves.cend());
  const int cPis = DataSet->IndiceCampo(QStringLiteral("NU_PIS_GUIA"));
  const int cAdm = DataSet->IndiceCampo(QStringLiteral("DT_ADMISSAO_GUIA"));
  const int cCat = DataSet->IndiceCampo(QStringLiteral("NU_CATEGORIA_GUIA"));
  AtribuirDataSet(FiltrarLinhas(
      *DataSet,
      [=](const TDataSet &ds, int l) {
        return Chave(ds.Valor(l, cPis).toLongLong(), QDateParaData(ds.Valor(l, cAdm).toDate()),
                     ds.Valor(l, cCat).toInt());
      },
      chaves));
  if (QuantidadeRegistros() > 0)
    Primeiro();
  return true;
}

bool TGuiaTrabalhador::Gravar() {
  CodigoErro.clear();
  TTrabalhador &t = Trabalhador();
  TVinculo &v = Vinculo();
  TRescisao &r = Rescisao();
  QStringList valores{TUtilitarios::TextoSQL(CO_BARRAS.trimmed()),
                      QString::number(v.NU_PIS),
                      TUtilitarios::DataSQL(v.DT_ADMISSAO_VINCULO),
                      QString::number(int(v.NU_CATEGORIA)),
                      TUtilitarios::TextoSQL(t.NO_EMPREGADO.trimmed()),
                      TUtilitarios::DataSQL(v.DT_OPCAO),
                      TUtilitarios::DataSQL(v.DT_MOVIMENTACAO_VINCULO),
                      TUtilitarios::TextoSQL(v.CO_MOVIMENTACAO.trimmed()),
                      QString::number(int(v.IC_AVISO_PREVIO)),
                      TUtilitarios::DataSQL(r.DT_DISSIDIO),
                      TUtilitarios::DataSQL(t.DT_NASCIMENTO),
                      NumeroSQL(t.NU_CTPS),
                      NumeroSQL(t.NU_SERIE_CTPS),
                      QString::number(int(v.NU_TIPO_INSO_TMDR)),
                      QString::number(v.NU_INSCRICAO_TMDR)};
  for (const auto &b : Bases)
    valores << TUtilitarios::ValorSQL(r.*b.Membro);
  valores << TUtilitarios::ValorSQL(VR_MULTA_RESCISORIA);
  for (const auto &p : Parcelas)
    valores << TUtilitarios::ValorSQL(r.*p.Membro);
  try {
    // The primary key is bar code, PIS, admission and category: one statement
    // inserts a new guide or rewrites the stored one.
    Ibx->ExecutarSQL(QStringLiteral("UPDATE OR INSERT INTO QZLTBG09_GUIA_INDIVIDUAL (") +
                     Colunas().join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                     valores.join(QStringLiteral(", ")) +
                     QStringLiteral(") MATCHING (CO_BARRAS, NU_PIS_GUIA, DT_ADMISSAO_GUIA, "
                                    "NU_CATEGORIA_GUIA)"));
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

TCentavos TGuiaTrabalhador::ValorTrabalhador() {
  TCentavos soma;
  for (const auto &p : Parcelas)
    if (p.DoTrabalhador)
      soma += TCentavos::De(Rescisao().*p.Membro);
  return soma;
}

TCentavos TGuiaTrabalhador::ValorDevido() {
  TCentavos soma;
  for (const auto &p : Parcelas)
    soma += TCentavos::De(Rescisao().*p.Membro);
  return soma;
}
