#include "registry/unHomologacao.h"

#include "core/unTransacao.h"
#include "core/unUtilitarios.h"

namespace {
// Texts of these rows are stored as they came, an empty one as '' (never
// Null), so that the window and report show what the bank sent.
QString Aspas(const QString &texto) {
  return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

qint64 Int64(const TField &f) {
  return Utilitarios.ParaInteiro64(f.AsString().trimmed());
}

// The statements that remove a load's rows, children first.
void ExcluirLinhas(TIbxUtils *ibx, const QString &condicao) {
  ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG21_EMPREGADO_HMLGO WHERE ") + condicao);
  ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG20_EMPRESA_HMLGO WHERE ") + condicao);
}

// Makes the first row that meets the condition current and loads it; when
// none does, the current row stays as it was.
template <class Condicao> bool LocalizarLinha(TNegocio &objeto, Condicao condicao) {
  TDataSet *ds = objeto.ObterDataSet();
  const int antes = ds->RecNo();
  for (int i = 0; i < ds->RecordCount(); ++i) {
    ds->MoverPara(i);
    if (condicao(*ds)) {
      objeto.CarregarAtributos();
      return true;
    }
  }
  ds->MoverPara(antes);
  return false;
}
} // namespace

// ------------------------------------------------------------------ TResponsavelHmlgo

TResponsavelHmlgo::TResponsavelHmlgo() {
  Inicializar();
}

TResponsavelHmlgo::~TResponsavelHmlgo() = default;

void TResponsavelHmlgo::Inicializar() {
  SqlSelect = QStringLiteral(
      "SELECT RESP.NU_IDENTIFICADOR_ARQUIVO, RESP.NU_TIPO_INSCRICAO_RESPONSA, "
      "RESP.NU_INSCRICAO_RESPONSAVEL  , RESP.TS_RETORNO_ARQUIVO, RESP.CO_MENSAGEM, "
      "RESP.DE_MENSAGEM, RESP.IC_ESTADO_HMLGO, TRIM(RESP.NO_RAZAO_SOCIAL) AS NO_RAZAO_SOCIAL ");
  SqlFrom = QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO RESP ");
}

void TResponsavelHmlgo::Limpar() {
  empresas_.reset();
}

void TResponsavelHmlgo::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_IDENTIFICADOR_ARQUIVO = Campo(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString().trimmed();
  NU_TIPO_INSCRICAO_RESPONSA = Campo(QStringLiteral("NU_TIPO_INSCRICAO_RESPONSA")).AsInteger();
  NU_INSCRICAO_RESPONSAVEL = Int64(Campo(QStringLiteral("NU_INSCRICAO_RESPONSAVEL")));
  NO_RAZAO_SOCIAL = Campo(QStringLiteral("NO_RAZAO_SOCIAL")).AsString();
  TS_RETORNO_ARQUIVO = Campo(QStringLiteral("TS_RETORNO_ARQUIVO")).AsDateTime();
  CO_MENSAGEM = Campo(QStringLiteral("CO_MENSAGEM")).AsString();
  DE_MENSAGEM = Campo(QStringLiteral("DE_MENSAGEM")).AsString();
  IC_ESTADO_HMLGO = Campo(QStringLiteral("IC_ESTADO_HMLGO")).AsString();
}

void TResponsavelHmlgo::CarregarTodos() {
  AbrirDataSet(SqlSelect + SqlFrom);
  if (!DataSet->IsEmpty())
    Primeiro();
}

bool TResponsavelHmlgo::Incluir() {
  CodigoErro.clear();
  try {
    // The generator is read against the one-row system table: read against
    // the loads' own table it gives no value at all while that table is empty.
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("select GEN_ID(S_QZLTBG19_RESPONSAVEL_HMLGO, 1) AS SEQ  FROM RDB$DATABASE"));
    if (ds->IsEmpty())
      throw EBancoDados(QStringLiteral("gerador sem valor"));
    NU_IDENTIFICADOR_ARQUIVO = ds->FieldByName(QStringLiteral("SEQ")).AsString().trimmed();
    Ibx->ExecutarSQL(
        QStringLiteral("  INSERT INTO QZLTBG19_RESPONSAVEL_HMLGO ( NU_IDENTIFICADOR_ARQUIVO, "
                       "NU_TIPO_INSCRICAO_RESPONSA, NU_INSCRICAO_RESPONSAVEL  , NO_RAZAO_SOCIAL, "
                       "TS_RETORNO_ARQUIVO, IC_ESTADO_HMLGO, CO_MENSAGEM, DE_MENSAGEM  )VALUES(") +
        QStringList{Aspas(NU_IDENTIFICADOR_ARQUIVO),
                    Utilitarios.InteiroSQL(NU_TIPO_INSCRICAO_RESPONSA),
                    Aspas(QString::number(NU_INSCRICAO_RESPONSAVEL)), Aspas(NO_RAZAO_SOCIAL),
                    Utilitarios.DataSQL(TS_RETORNO_ARQUIVO, true), Aspas(IC_ESTADO_HMLGO),
                    Aspas(CO_MENSAGEM), Aspas(DE_MENSAGEM)}
            .join(u',') +
        u')');
  } catch (const std::exception &) {
    CodigoErro = QStringLiteral("0144");
  }
  return CodigoErro.isEmpty();
}

bool TResponsavelHmlgo::Excluir(const QString &Identificador) {
  const QString id = Identificador.isEmpty() ? NU_IDENTIFICADOR_ARQUIVO : Identificador;
  try {
    // The schema cascades nothing: the company and worker rows go with their
    // load, or a PIS search would keep finding workers of a deleted load.
    TEscopoTransacao transacao(Ibx);
    const QString condicao = QStringLiteral(" NU_IDENTIFICADOR_ARQUIVO = ") + Aspas(id);
    ExcluirLinhas(Ibx, condicao);
    Ibx->ExecutarSQL(
        QStringLiteral(
            "DELETE FROM QZLTBG19_RESPONSAVEL_HMLGO  WHERE  NU_IDENTIFICADOR_ARQUIVO = ") +
        Aspas(id));
    transacao.Confirmar();
  } catch (...) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  return true;
}

TEmpresaHmlgo *TResponsavelHmlgo::Empresas() {
  if (!empresas_) {
    empresas_ = std::make_unique<TEmpresaHmlgo>();
    empresas_->CarregarPorArquivo(NU_IDENTIFICADOR_ARQUIVO);
  }
  return empresas_.get();
}

bool TResponsavelHmlgo::LocalizarArquivo(const QString &Identificador) {
  if (Identificador.isEmpty() || !DataSet)
    return false;
  return Localizar(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO"), Identificador.trimmed());
}

void TResponsavelHmlgo::DefinirEmpresas(TEmpresaHmlgo *empresas) {
  empresas_.reset(empresas);
}

QString TResponsavelHmlgo::DescricaoEstado(const QString &estado) {
  if (estado == QStringLiteral("0"))
    return QStringLiteral("Sem Procuração");
  if (estado == QStringLiteral("1"))
    return QStringLiteral("Acatado");
  if (estado == QStringLiteral("2"))
    return QStringLiteral("Rejeitado");
  return {};
}

// ------------------------------------------------------------------ TEmpresaHmlgo

TEmpresaHmlgo::TEmpresaHmlgo() {
  Inicializar();
}

TEmpresaHmlgo::~TEmpresaHmlgo() = default;

void TEmpresaHmlgo::Inicializar() {
  SqlSelect = QStringLiteral(
      "SELECT EMP.NU_IDENTIFICADOR_ARQUIVO, EMP.NU_IDENTIFICADOR_GUIA, EMP.NU_ESTABELECIMENTO, "
      "EMP.NU_LINHA_ARQUIVO_EMPRESA,EMP.NU_TIPO_INSCRICAO_EMPRESA, EMP.NU_INSCRICAO_EMPRESA  , "
      "TRIM(EMP.NO_RAZAO_SOCIAL) AS NO_RAZAO_SOCIAL,EMP.CO_MENSAGEM, EMP.DE_MENSAGEM ");
  SqlFrom = QStringLiteral("FROM QZLTBG20_EMPRESA_HMLGO EMP ");
}

void TEmpresaHmlgo::Limpar() {
  trabalhadores_.reset();
}

void TEmpresaHmlgo::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_IDENTIFICADOR_ARQUIVO = Campo(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString().trimmed();
  NU_IDENTIFICADOR_GUIA = Int64(Campo(QStringLiteral("NU_IDENTIFICADOR_GUIA")));
  NU_ESTABELECIMENTO = Int64(Campo(QStringLiteral("NU_ESTABELECIMENTO")));
  NU_LINHA_ARQUIVO_EMPRESA = Campo(QStringLiteral("NU_LINHA_ARQUIVO_EMPRESA")).AsInteger();
  NU_TIPO_INSCRICAO_EMPRESA = Campo(QStringLiteral("NU_TIPO_INSCRICAO_EMPRESA")).AsInteger();
  NU_INSCRICAO_EMPRESA = Int64(Campo(QStringLiteral("NU_INSCRICAO_EMPRESA")));
  NO_RAZAO_SOCIAL = Campo(QStringLiteral("NO_RAZAO_SOCIAL")).AsString();
  CO_MENSAGEM = Campo(QStringLiteral("CO_MENSAGEM")).AsString();
  DE_MENSAGEM = Campo(QStringLiteral("DE_MENSAGEM")).AsString();
}

void TEmpresaHmlgo::CarregarPorArquivo(const QString &Identificador) {
  AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
               Aspas(Identificador));
  if (!DataSet->IsEmpty())
    Primeiro();
}

bool TEmpresaHmlgo::Incluir() {
  CodigoErro.clear();
  try {
    Ibx->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG20_EMPRESA_HMLGO ( NU_IDENTIFICADOR_ARQUIVO, "
                       "NU_LINHA_ARQUIVO_EMPRESA, NU_IDENTIFICADOR_GUIA, NU_ESTABELECIMENTO , "
                       "NU_TIPO_INSCRICAO_EMPRESA, NU_INSCRICAO_EMPRESA, NO_RAZAO_SOCIAL "
                       ",CO_MENSAGEM, DE_MENSAGEM )VALUES(") +
        QStringList{Aspas(NU_IDENTIFICADOR_ARQUIVO),
                    Utilitarios.InteiroSQL(NU_LINHA_ARQUIVO_EMPRESA),
                    Utilitarios.Inteiro64SQL(NU_IDENTIFICADOR_GUIA),
                    Utilitarios.Inteiro64SQL(NU_ESTABELECIMENTO),
                    Utilitarios.InteiroSQL(NU_TIPO_INSCRICAO_EMPRESA),
                    Utilitarios.Inteiro64SQL(NU_INSCRICAO_EMPRESA), Aspas(NO_RAZAO_SOCIAL),
                    Aspas(CO_MENSAGEM), Aspas(DE_MENSAGEM)}
            .join(u',') +
        u')');
  } catch (const std::exception &) {
    CodigoErro = QStringLiteral("0144");
  }
  return CodigoErro.isEmpty();
}

TEmpregadoHmlgo *TEmpresaHmlgo::Trabalhadores() {
  if (!trabalhadores_) {
    trabalhadores_ = std::make_unique<TEmpregadoHmlgo>();
    trabalhadores_->CarregarPorLinhaEmpresa(NU_IDENTIFICADOR_ARQUIVO, NU_LINHA_ARQUIVO_EMPRESA);
  }
  return trabalhadores_.get();
}

bool TEmpresaHmlgo::LocalizarLinhaEmpresa(const QString &Identificador, int Linha) {
  if (!DataSet)
    return false;
  const QString linha = QString::number(Linha);
  return LocalizarLinha(*this, [&](TDataSet &ds) {
    return ds.FieldByName(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString().trimmed() ==
               Identificador.trimmed() &&
           ds.FieldByName(QStringLiteral("NU_LINHA_ARQUIVO_EMPRESA")).AsString().trimmed() == linha;
  });
}

bool TEmpresaHmlgo::Excluir(int Linha) {
  try {
    TEscopoTransacao transacao(Ibx);
    const QString condicao =
        QStringLiteral(" NU_IDENTIFICADOR_ARQUIVO = ") + Aspas(NU_IDENTIFICADOR_ARQUIVO) +
        QStringLiteral(" AND    NU_LINHA_ARQUIVO_EMPRESA = ") + QString::number(Linha);
    Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG21_EMPREGADO_HMLGO WHERE ") + condicao);
    Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG20_EMPRESA_HMLGO  WHERE ") + condicao);
    transacao.Confirmar();
  } catch (...) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  return true;
}

// ------------------------------------------------------------------ TEmpregadoHmlgo

TEmpregadoHmlgo::TEmpregadoHmlgo() {
  Inicializar();
}

void TEmpregadoHmlgo::Inicializar() {
  SqlSelect = QStringLiteral(
      "SELECT TRAB.NU_IDENTIFICADOR_ARQUIVO, TRAB.NU_IDENTIFICADOR_GUIA, "
      "TRAB.NU_LINHA_ARQUIVO_EMPRESA,TRAB.NU_ESTABELECIMENTO, TRAB.NU_PIS , TRAB.DT_ADMISSAO , "
      "TRAB.NU_CATEGORIA, TRAB.NU_EMPREGADO, TRAB.NU_LINHA_ARQUIVO_EMPREGADO,TRAB.NO_EMPREGADO, "
      "TRAB.CO_SAQUE, TRAB.DT_VALIDADE_GUIA, TRAB.CO_HOMOLOGACAO_VORDA, TRAB.SG_BASE_DADOS, "
      "TRAB.CO_MENSAGEM, TRAB.DE_MENSAGEM, TRAB.CO_MOVIMENTACAO, TRAB.DT_MOVIMENTACAO ");
  SqlFrom = QStringLiteral("FROM QZLTBG21_EMPREGADO_HMLGO TRAB ");
}

void TEmpregadoHmlgo::Limpar() {}

void TEmpregadoHmlgo::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_IDENTIFICADOR_ARQUIVO = Campo(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString().trimmed();
  NU_IDENTIFICADOR_GUIA = Int64(Campo(QStringLiteral("NU_IDENTIFICADOR_GUIA")));
  NU_LINHA_ARQUIVO_EMPRESA = Campo(QStringLiteral("NU_LINHA_ARQUIVO_EMPRESA")).AsInteger();
  NU_ESTABELECIMENTO = Int64(Campo(QStringLiteral("NU_ESTABELECIMENTO")));
  NU_PIS = Int64(Campo(QStringLiteral("NU_PIS")));
  DT_ADMISSAO = Campo(QStringLiteral("DT_ADMISSAO")).AsDateTime();
  NU_CATEGORIA = Campo(QStringLiteral("NU_CATEGORIA")).AsInteger();
  NU_EMPREGADO = Campo(QStringLiteral("NU_EMPREGADO")).AsInteger();
  NU_LINHA_ARQUIVO_EMPREGADO = Campo(QStringLiteral("NU_LINHA_ARQUIVO_EMPREGADO")).AsInteger();
  NO_EMPREGADO = Campo(QStringLiteral("NO_EMPREGADO")).AsString();
  CO_SAQUE = Campo(QStringLiteral("CO_SAQUE")).AsString();
  DT_VALIDADE_GUIA = Campo(QStringLiteral("DT_VALIDADE_GUIA")).AsDateTime();
  CO_HOMOLOGACAO_VORDA = Campo(QStringLiteral("CO_HOMOLOGACAO_VORDA")).AsString();
  SG_BASE_DADOS = Campo(QStringLiteral("SG_BASE_DADOS")).AsString();
  CO_MENSAGEM = Campo(QStringLiteral("CO_MENSAGEM")).AsString();
  DE_MENSAGEM = Campo(QStringLiteral("DE_MENSAGEM")).AsString();
  CO_MOVIMENTACAO = Campo(QStringLiteral("CO_MOVIMENTACAO")).AsString();
  DT_MOVIMENTACAO = Campo(QStringLiteral("DT_MOVIMENTACAO")).AsDateTime();
}

void TEmpregadoHmlgo::CarregarPorLinhaEmpresa(const QString &Identificador, int LinhaEmpresa) {
  AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO  = ") +
               Aspas(Identificador) + QStringLiteral(" AND   NU_LINHA_ARQUIVO_EMPRESA  = ") +
               Utilitarios.InteiroSQL(LinhaEmpresa));
  if (!DataSet->IsEmpty())
    Primeiro();
}

int TEmpregadoHmlgo::CarregarPorPIS(const QString &PIS, const QString &Identificador) {
  QString sql =
      SqlSelect + SqlFrom + QStringLiteral(" WHERE NU_PIS  = ") + Aspas(Utilitarios.Digitos(PIS));
  if (!Identificador.isEmpty())
    sql += QStringLiteral(" AND NU_IDENTIFICADOR_ARQUIVO = ") + Aspas(Identificador);
  AbrirDataSet(sql);
  if (DataSet->IsEmpty())
    return 0;
  Primeiro();
  return 1;
}

bool TEmpregadoHmlgo::LocalizarLinhaTrabalhador(int Linha) {
  if (Linha < 0 || !DataSet)
    return false;
  return LocalizarLinha(*this, [&](TDataSet &ds) {
    return ds.FieldByName(QStringLiteral("NU_LINHA_ARQUIVO_EMPREGADO")).AsInteger() == Linha;
  });
}

bool TEmpregadoHmlgo::Incluir() {
  CodigoErro.clear();
  try {
    Ibx->ExecutarSQL(
        QStringLiteral(
            "INSERT INTO QZLTBG21_EMPREGADO_HMLGO ( NU_IDENTIFICADOR_ARQUIVO, "
            "NU_IDENTIFICADOR_GUIA, NU_ESTABELECIMENTO, NU_LINHA_ARQUIVO_EMPRESA, NU_PIS , "
            "DT_ADMISSAO , NU_CATEGORIA, NU_EMPREGADO, NU_LINHA_ARQUIVO_EMPREGADO, NO_EMPREGADO, "
            "CO_SAQUE, DT_VALIDADE_GUIA, CO_HOMOLOGACAO_VORDA, SG_BASE_DADOS, CO_MENSAGEM, "
            "DE_MENSAGEM, CO_MOVIMENTACAO, DT_MOVIMENTACAO )VALUES(") +
        QStringList{
            Aspas(NU_IDENTIFICADOR_ARQUIVO), Utilitarios.Inteiro64SQL(NU_IDENTIFICADOR_GUIA),
            QString::number(NU_ESTABELECIMENTO), Utilitarios.InteiroSQL(NU_LINHA_ARQUIVO_EMPRESA),
            Utilitarios.Inteiro64SQL(NU_PIS), Utilitarios.DataSQL(DT_ADMISSAO, true),
            Utilitarios.InteiroSQL(NU_CATEGORIA), Utilitarios.InteiroSQL(NU_EMPREGADO),
            Utilitarios.InteiroSQL(NU_LINHA_ARQUIVO_EMPREGADO), Aspas(NO_EMPREGADO),
            Aspas(CO_SAQUE), Utilitarios.DataSQL(DT_VALIDADE_GUIA, true),
            Aspas(CO_HOMOLOGACAO_VORDA), Aspas(SG_BASE_DADOS), Aspas(CO_MENSAGEM),
            Aspas(DE_MENSAGEM), Aspas(CO_MOVIMENTACAO), Utilitarios.DataSQL(DT_MOVIMENTACAO, true)}
            .join(u',') +
        u')');
  } catch (const std::exception &) {
    CodigoErro = QStringLiteral("0144");
  }
  return CodigoErro.isEmpty();
}
