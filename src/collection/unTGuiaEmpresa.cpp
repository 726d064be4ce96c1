#include "collection/unTGuiaEmpresa.h"

#include "collection/unListaChaves.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/unEmpresa.h"

#include <QSet>

namespace {
const char *const ColunasGuia =
    "SELECT GUIAEMP.CO_BARRAS, GUIAEMP.NU_IDENTIFICADOR_ARQUIVO, GUIAEMP.NU_BANCO, "
    "GUIAEMP.NU_AGENCIA, GUIAEMP.DT_PROCESSAMENTO, GUIAEMP.DT_QUITACAO, GUIAEMP.DT_RECOLHIMENTO, "
    "GUIAEMP.VR_TOTAL_RECOLHIDO, GUIAEMP.NU_TIPO_INSCRICAO_GUIA, GUIAEMP.NU_INSCRICAO_GUIA, "
    "GUIAEMP.NO_RAZAO_SOCIAL, GUIAEMP.DE_LOGRADOURO, GUIAEMP.NU_DDD, GUIAEMP.NU_TELEFONE, "
    "GUIAEMP.NU_CEP, GUIAEMP.NO_BAIRRO, GUIAEMP.NO_LOCALIDADE, GUIAEMP.SG_UF_GUIA_TOTALIZADORA, "
    "GUIAEMP.NU_FPAS_GUIA, GUIAEMP.NU_SIMPLES_GUIA, GUIAEMP.NU_CNAE_GUIA ";
const char *const TabelaGuia = "FROM QZLTBG08_GUIA_TOTALIZADORA GUIAEMP ";
// The company columns, in the order of TGuiaEmpresa::ValoresEmpresa.
const char *const ColunasEmpresa[] = {"NU_TIPO_INSCRICAO_GUIA",
                                      "NU_INSCRICAO_GUIA",
                                      "NO_RAZAO_SOCIAL",
                                      "DE_LOGRADOURO",
                                      "NU_DDD",
                                      "NU_TELEFONE",
                                      "NU_CEP",
                                      "NO_BAIRRO",
                                      "NO_LOCALIDADE",
                                      "SG_UF_GUIA_TOTALIZADORA",
                                      "NU_FPAS_GUIA",
                                      "NU_SIMPLES_GUIA",
                                      "NU_CNAE_GUIA"};
// Guides of a delete handled per statement: keeps every statement far below
// the engine's text limit whatever the number of codes.
constexpr int CodigosPorExclusao = 200;
constexpr int EmpresasPorReabertura = 200;

QString Texto(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : f.AsVariant().toString();
}

QString NumeroOuVazio(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : QString::number(f.AsInt64());
}

QString TextoSQL(const QString &t) {
  return TUtilitarios::TextoSQL(t);
}
} // namespace

TGuiaEmpresa::TGuiaEmpresa() {
  TGuiaEmpresa::Inicializar();
}

TGuiaEmpresa::~TGuiaEmpresa() = default;

void TGuiaEmpresa::Inicializar() {
  CodigoErro.clear();
  CO_BARRAS.clear();
  NU_IDENTIFICADOR_ARQUIVO.clear();
  NU_BANCO.clear();
  NU_AGENCIA.clear();
  DT_PROCESSAMENTO = NullDate;
  DT_QUITACAO = NullDate;
  DT_RECOLHIMENTO = NullDate;
  VR_TOTAL_RECOLHIDO = 0;
  SqlSelect = QString::fromLatin1(ColunasGuia);
  SqlFrom = QString::fromLatin1(TabelaGuia);
  empresa_.reset();
}

void TGuiaEmpresa::Limpar() {
  empresa_.reset();
}

TEmpresa &TGuiaEmpresa::Empresa() {
  if (!empresa_) {
    empresa_ = std::make_unique<TEmpresa>();
    empresa_->CarregarAssociados = false;
  }
  return *empresa_;
}

void TGuiaEmpresa::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  CO_BARRAS = Texto(*this, "CO_BARRAS").trimmed();
  NU_IDENTIFICADOR_ARQUIVO = Texto(*this, "NU_IDENTIFICADOR_ARQUIVO").trimmed();
  NU_BANCO = NumeroOuVazio(*this, "NU_BANCO");
  NU_AGENCIA = NumeroOuVazio(*this, "NU_AGENCIA");
  DT_PROCESSAMENTO = Campo(QStringLiteral("DT_PROCESSAMENTO")).AsDateTime();
  DT_QUITACAO = Campo(QStringLiteral("DT_QUITACAO")).AsDateTime();
  DT_RECOLHIMENTO = Campo(QStringLiteral("DT_RECOLHIMENTO")).AsDateTime();
  VR_TOTAL_RECOLHIDO = Campo(QStringLiteral("VR_TOTAL_RECOLHIDO")).AsFloat();

  TEmpresa &e = Empresa();
  e.NU_TIPO_INSO_EMPRA = Campo(QStringLiteral("NU_TIPO_INSCRICAO_GUIA")).AsInteger();
  e.NU_INSCRICAO = TUtilitarios::CompletarZeros(
      QString::number(Campo(QStringLiteral("NU_INSCRICAO_GUIA")).AsInt64()), 14);
  e.NO_RAZAO_SOCIAL = Texto(*this, "NO_RAZAO_SOCIAL").trimmed();
  e.NU_DDD = NumeroOuVazio(*this, "NU_DDD");
  e.NU_TELEFONE = NumeroOuVazio(*this, "NU_TELEFONE");
  TEndereco &end = e.Endereco();
  end.DE_LOGRADOURO = Texto(*this, "DE_LOGRADOURO").trimmed();
  end.NU_CEP = NumeroOuVazio(*this, "NU_CEP");
  end.NO_BAIRRO = Texto(*this, "NO_BAIRRO").trimmed();
  end.NO_LOCALIDADE = Texto(*this, "NO_LOCALIDADE").trimmed();
  end.SG_UF = Texto(*this, "SG_UF_GUIA_TOTALIZADORA").trimmed();
  e.NU_INSS = NumeroOuVazio(*this, "NU_FPAS_GUIA");
  e.NU_SIMPLES = static_cast<qint16>(Campo(QStringLiteral("NU_SIMPLES_GUIA")).AsInteger());
  e.NU_IBGE = NumeroOuVazio(*this, "NU_CNAE_GUIA");
}

bool TGuiaEmpresa::Carregar(const QString &condicao, const QString &ordem) {
  try {
    QString sql = SqlSelect + SqlFrom + QStringLiteral("WHERE ") + condicao;
    if (!ordem.trimmed().isEmpty())
      sql += QStringLiteral(" ORDER BY GUIAEMP.") + ordem.trimmed();
    AbrirDataSet(sql);
    if (QuantidadeRegistros() > 0)
      Primeiro();
    return true;
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TGuiaEmpresa::CarregarPorCodigo() {
  return Carregar(QStringLiteral("GUIAEMP.CO_BARRAS = ") + TextoSQL(CO_BARRAS));
}

bool TGuiaEmpresa::CarregarLista(const QStringList &Codigos, const QString &Coluna) {
  if (Codigos.size() <= MaximoChavesNaConsulta)
    return Carregar(CondicaoListaTextos(QStringLiteral("GUIAEMP.CO_BARRAS"), Codigos), Coluna);
  // A very long list: every guide in the requested order, then the listed ones.
  if (!Carregar(QStringLiteral("1 = 1"), Coluna))
    return false;
  const QSet<QString> chaves(Codigos.cbegin(), Codigos.cend());
  const int col = DataSet->IndiceCampo(QStringLiteral("CO_BARRAS"));
  AtribuirDataSet(FiltrarLinhas(
      *DataSet,
      [col](const TDataSet &ds, int linha) { return ds.Valor(linha, col).toString().trimmed(); },
      chaves));
  if (QuantidadeRegistros() > 0)
    Primeiro();
  return true;
}

bool TGuiaEmpresa::CarregarPorArquivo() {
  if (NU_IDENTIFICADOR_ARQUIVO.trimmed().isEmpty())
    return false;
  return Carregar(QStringLiteral("GUIAEMP.NU_IDENTIFICADOR_ARQUIVO = ") +
                  TextoSQL(NU_IDENTIFICADOR_ARQUIVO.trimmed())) &&
         QuantidadeRegistros() > 0;
}

TDataSetPtr TGuiaEmpresa::LinhasOcorrencia(const QString &Identificador) {
  if (Identificador.trimmed().isEmpty())
    return nullptr;
  try {
    return Ibx->AbrirConsulta(QStringLiteral("SELECT DE_LINHA_ARQUIVO FROM "
                                             "QZLTBG14_OCORRENCIA_GUIA WHERE "
                                             "NU_IDENTIFICADOR_ARQUIVO = ") +
                              TextoSQL(Identificador.trimmed()) +
                              QStringLiteral(" ORDER BY NU_LINHA"));
  } catch (const EBancoDados &) {
    return nullptr;
  }
}

QStringList TGuiaEmpresa::LiteraisEmpresa() {
  TEmpresa &e = Empresa();
  TEndereco &end = e.Endereco();
  return {QString::number(e.NU_TIPO_INSO_EMPRA),
          NumeroSQL(e.NU_INSCRICAO),
          TextoSQL(e.NO_RAZAO_SOCIAL.trimmed()),
          TextoSQL(end.DE_LOGRADOURO.trimmed()),
          NumeroSQL(e.NU_DDD),
          NumeroSQL(e.NU_TELEFONE),
          NumeroSQL(end.NU_CEP),
          TextoSQL(end.NO_BAIRRO.trimmed()),
          TextoSQL(end.NO_LOCALIDADE.trimmed()),
          TextoSQL(end.SG_UF.trimmed()),
          NumeroSQL(e.NU_INSS),
          QString::number(e.NU_SIMPLES),
          NumeroSQL(e.NU_IBGE)};
}

QString TGuiaEmpresa::InsercaoSQL(bool ComTotal) {
  QStringList colunas{QStringLiteral("CO_BARRAS"),       QStringLiteral("NU_IDENTIFICADOR_ARQUIVO"),
                      QStringLiteral("NU_BANCO"),        QStringLiteral("NU_AGENCIA"),
                      QStringLiteral("DT_RECOLHIMENTO"), QStringLiteral("DT_QUITACAO"),
                      QStringLiteral("DT_PROCESSAMENTO")};
  QStringList valores{TextoSQL(CO_BARRAS.trimmed()),
                      TextoSQL(NU_IDENTIFICADOR_ARQUIVO.trimmed()),
                      NumeroSQL(NU_BANCO),
                      NumeroSQL(NU_AGENCIA),
                      TUtilitarios::DataSQL(DT_RECOLHIMENTO),
                      TUtilitarios::DataSQL(DT_QUITACAO),
                      TUtilitarios::DataSQL(DT_PROCESSAMENTO)};
  if (ComTotal) {
    colunas << QStringLiteral("VR_TOTAL_RECOLHIDO");
    valores << TUtilitarios::ValorSQL(VR_TOTAL_RECOLHIDO);
  }
  for (const char *c : ColunasEmpresa)
    colunas << QString::fromLatin1(c);
  valores << LiteraisEmpresa();
  return QStringLiteral("INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (") +
         colunas.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
         valores.join(QStringLiteral(", ")) + u')';
}

QString TGuiaEmpresa::CondicaoCodigo() const {
  return QStringLiteral("CO_BARRAS = ") + TextoSQL(CO_BARRAS.trimmed());
}

bool TGuiaEmpresa::GravarGeracao() {
  if (CO_BARRAS.trimmed().isEmpty())
    return false;
  try {
    const QStringList literais = LiteraisEmpresa();
    QStringList sets;
    for (int i = 0; i < literais.size(); ++i)
      sets << QString::fromLatin1(ColunasEmpresa[i]) + QStringLiteral(" = ") + literais.at(i);
    sets << QStringLiteral("DT_RECOLHIMENTO = ") + TUtilitarios::DataSQL(DT_RECOLHIMENTO)
         << QStringLiteral("DT_QUITACAO = ") + TUtilitarios::DataSQL(DT_QUITACAO)
         << QStringLiteral("DT_PROCESSAMENTO = ") + TUtilitarios::DataSQL(DT_PROCESSAMENTO)
         << QStringLiteral("VR_TOTAL_RECOLHIDO = ") + TUtilitarios::ValorSQL(VR_TOTAL_RECOLHIDO)
         << QStringLiteral("NU_BANCO = NULL") << QStringLiteral("NU_AGENCIA = NULL");
    if (Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG08_GUIA_TOTALIZADORA SET ") +
                         sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                         CondicaoCodigo()) > 0)
      return true;
    // A new guide never carries bank data.
    const QString banco = NU_BANCO, agencia = NU_AGENCIA;
    NU_BANCO.clear();
    NU_AGENCIA.clear();
    const QString sql = InsercaoSQL(true);
    NU_BANCO = banco;
    NU_AGENCIA = agencia;
    Ibx->ExecutarSQL(sql);
    return true;
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TGuiaEmpresa::GravarRetorno() {
  if (CO_BARRAS.trimmed().isEmpty())
    return false;
  try {
    if (Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG08_GUIA_TOTALIZADORA SET NU_BANCO = %1, "
                                        "NU_AGENCIA = %2, DT_RECOLHIMENTO = %3, DT_QUITACAO = "
                                        "%4, DT_PROCESSAMENTO = %5 WHERE ")
                             .arg(NumeroSQL(NU_BANCO), NumeroSQL(NU_AGENCIA),
                                  TUtilitarios::DataSQL(DT_RECOLHIMENTO),
                                  TUtilitarios::DataSQL(DT_QUITACAO),
                                  TUtilitarios::DataSQL(DT_PROCESSAMENTO)) +
                         CondicaoCodigo()) > 0)
      return true;
    Ibx->ExecutarSQL(InsercaoSQL(false));
    return true;
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TGuiaEmpresa::TrocarCodigo(const QString &Antigo, const QString &Novo, double Total) {
  try {
    TEscopoTransacao escopo(Ibx);
    if (Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG08_GUIA_TOTALIZADORA SET CO_BARRAS = %1, "
                                        "VR_TOTAL_RECOLHIDO = %2 WHERE CO_BARRAS = %3")
                             .arg(TextoSQL(Novo.trimmed()), TUtilitarios::ValorSQL(Total),
                                  TextoSQL(Antigo.trimmed()))) == 0)
      return false;
    // The individual guides written under the placeholder follow their company guide.
    Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG09_GUIA_INDIVIDUAL SET CO_BARRAS = %1 WHERE "
                                    "CO_BARRAS = %2")
                         .arg(TextoSQL(Novo.trimmed()), TextoSQL(Antigo.trimmed())));
    escopo.Confirmar();
    return true;
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TGuiaEmpresa::ExcluirPorCodigo() {
  return Excluir({CondicaoCodigo()});
}

bool TGuiaEmpresa::ExcluirPorArquivo(const QString &Identificador) {
  return Excluir(
      {QStringLiteral("NU_IDENTIFICADOR_ARQUIVO = ") + TextoSQL(Identificador.trimmed())});
}

bool TGuiaEmpresa::ExcluirCodigos(const QStringList &Codigos) {
  QStringList condicoes;
  for (int i = 0; i < Codigos.size(); i += CodigosPorExclusao)
    condicoes << CondicaoListaTextos(QStringLiteral("CO_BARRAS"),
                                     Codigos.mid(i, CodigosPorExclusao));
  return Excluir(condicoes);
}

bool TGuiaEmpresa::Excluir(const QStringList &Condicoes) {
  VinculosReabertos.clear();
  try {
    TEscopoTransacao escopo(Ibx);
    QSet<QPair<int, qint64>> empresas;
    for (const QString &cond : Condicoes) {
      TDataSetPtr ds = Ibx->AbrirConsulta(
          QStringLiteral("SELECT DISTINCT NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA FROM "
                         "QZLTBG08_GUIA_TOTALIZADORA WHERE ") +
          cond);
      for (ds->First(); !ds->Eof(); ds->Next())
        empresas.insert({ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64()});
      Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS IN "
                                      "(SELECT CO_BARRAS FROM QZLTBG08_GUIA_TOTALIZADORA WHERE ") +
                       cond + u')');
      Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA WHERE ") + cond);
    }
    const QList<QPair<int, qint64>> lista(empresas.cbegin(), empresas.cend());
    for (int i = 0; i < lista.size(); i += EmpresasPorReabertura) {
      QStringList chaves;
      for (const auto &e : lista.mid(i, EmpresasPorReabertura))
        chaves << QStringLiteral("(V.NU_TIPO_INSO_EMPRA = %1 AND V.NU_INSCRICAO = %2)")
                      .arg(e.first)
                      .arg(e.second);
      // A processed link stays processed only while a settled and processed
      // guide of it is still stored.
      const QString onde =
          QStringLiteral(" WHERE V.IC_ESTADO_MOVIMENTO = 3 AND (") +
          chaves.join(QStringLiteral(" OR ")) +
          QStringLiteral(") AND NOT EXISTS (SELECT 1 FROM QZLTBG09_GUIA_INDIVIDUAL GI JOIN "
                         "QZLTBG08_GUIA_TOTALIZADORA GT ON GT.CO_BARRAS = GI.CO_BARRAS WHERE "
                         "GT.NU_TIPO_INSCRICAO_GUIA = V.NU_TIPO_INSO_EMPRA AND "
                         "GT.NU_INSCRICAO_GUIA = V.NU_INSCRICAO AND GI.NU_PIS_GUIA = V.NU_PIS "
                         "AND GI.NU_CATEGORIA_GUIA = V.NU_CATEGORIA AND GI.DT_ADMISSAO_GUIA = "
                         "V.DT_ADMISSAO_VINCULO AND GT.DT_QUITACAO IS NOT NULL AND "
                         "GT.DT_PROCESSAMENTO IS NOT NULL)");
      TDataSetPtr ds = Ibx->AbrirConsulta(
          QStringLiteral("SELECT V.NU_TIPO_INSO_EMPRA, V.NU_INSCRICAO, V.NU_PIS, V.NU_CATEGORIA, "
                         "V.DT_ADMISSAO_VINCULO FROM QZLTBG04_VINCULO_EMPREGATICIO V") +
          onde);
      for (ds->First(); !ds->Eof(); ds->Next())
        VinculosReabertos << ChaveDasColunas(*ds);
      if (!ds->IsEmpty())
        Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO V SET "
                                        "V.IC_ESTADO_MOVIMENTO = 2") +
                         onde);
    }
    escopo.Confirmar();
    return true;
  } catch (const EBancoDados &) {
    VinculosReabertos.clear();
    return false;
  }
}
