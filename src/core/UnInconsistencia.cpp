#include "UnInconsistencia.h"

#include "unTexto1252.h"

#include "unUtilitarios.h"

#include <QHash>
#include <QMutex>

namespace {

const char *const Tabela = "QZLTBG18_INCONSISTENCIA_ARQUIVO";

// Width of each text column of the registry, read once per database from the
// system tables so that an over-long value is cut instead of refused.
QHash<QString, int> LargurasColunas(TIbxUtils *ibx) {
  static QMutex trava;
  static QString banco;
  static QHash<QString, int> larguras;
  QMutexLocker l(&trava);
  if (banco == ibx->NomeBanco && !larguras.isEmpty())
    return larguras;
  QHash<QString, int> lidas;
  TDataSetPtr ds = ibx->AbrirConsulta(
      QStringLiteral(
          "SELECT TRIM(RF.RDB$FIELD_NAME) AS COLUNA, F.RDB$CHARACTER_LENGTH AS LARGURA "
          "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
          "WHERE RF.RDB$RELATION_NAME = '%1' AND F.RDB$CHARACTER_LENGTH IS NOT NULL")
          .arg(QLatin1String(Tabela)));
  for (ds->First(); !ds->Eof(); ds->Next())
    lidas.insert(ds->FieldByName(QStringLiteral("COLUNA")).AsString().trimmed(),
                 ds->FieldByName(QStringLiteral("LARGURA")).AsInteger());
  banco = ibx->NomeBanco;
  larguras = lidas;
  return larguras;
}

// A text value cut to its column and then quoted (quotes doubled); an empty
// value is the empty literal ''.
QString TextoColuna(const QHash<QString, int> &larguras, const char *coluna, QString valor) {
  // File bytes reach these columns unchecked: one the code page cannot hold
  // would make the insert fail, and the file be refused without its list.
  valor = Armazenavel1252(valor);
  const int largura = larguras.value(QLatin1String(coluna), -1);
  if (largura >= 0 && valor.size() > largura)
    valor.truncate(largura);
  return u'\'' + valor.replace(u'\'', QStringLiteral("''")) + u'\'';
}

// A numeric context column: the digits of an inscription or type (its mask
// characters dropped) or Null when there is no number there.
QString NumeroColuna(const QString &valor) {
  QString t = valor.trimmed();
  t.remove(u'.').remove(u'/').remove(u'-').remove(u' ');
  if (t.isEmpty() || !TUtilitarios::SomenteNumeros(t))
    return QStringLiteral("Null");
  bool ok = false;
  const qint64 n = t.toLongLong(&ok);
  return ok ? QString::number(n) : QStringLiteral("Null");
}

const char *const ListagemSelect =
    "SELECT ARQ.NU_ARQUIVO, ARQ.CO_REGISTRO, ARQ.NU_LINHA_ERRO, ARQ.NU_MENSAGEM, "
    "ERRO.DE_MENSAGEM, ARQ.DE_CONTEUDO_CAMPO,  ARQ.NU_TIPO_INSCRICAO_EMPRESA, "
    "ARQ.NU_INSCRICAO_EMPRESA,  ARQ.NU_TIPO_INSCRICAO_RSPNL_INCNA, "
    "ARQ.NU_INSCRICAO_RSPNL_INCNA,   ARQ.CO_PIS_INCONSISTENCIA, ARQ.NO_EMPREGADO, "
    "ARQ.DT_ADMISSAO_INCONSISTENCIA, ARQ.CO_CATEGORIA_INCONSISTENCIA,   "
    "ARQ.NU_INCONSISTENCIA, ARQ.NO_RAZAO_SOCIAL_RSPNL_INCNA, ARQ.NO_RAZAO_SOCIAL ";
const char *const ListagemFrom =
    "FROM  QZLTBG18_INCONSISTENCIA_ARQUIVO ARQ LEFT JOIN  QZLTBT13_MENSAGEM_SISTEMA ERRO ON  "
    "ARQ.NU_MENSAGEM = ERRO.NU_MENSAGEM ";
const char *const ListagemOrdem =
    " ORDER BY ARQ.NU_INCONSISTENCIA, ARQ.NU_INSCRICAO_EMPRESA, ARQ.NO_EMPREGADO, "
    "ARQ.NU_ARQUIVO, ARQ.CO_REGISTRO, ARQ.NU_LINHA_ERRO";

} // namespace

TIbxUtils *ConexaoInconsistencias = nullptr;

TInconsistencia::TInconsistencia() {
  if (ConexaoInconsistencias)
    Ibx = ConexaoInconsistencias;
  Inicializar();
}

void TInconsistencia::Inicializar() {
  Limpar();
  NU_INCONSISTENCIA = 0;
  FiltroArquivo.clear();
  SqlSelect = QString::fromUtf8(ListagemSelect);
  SqlFrom = QString::fromUtf8(ListagemFrom);
}

void TInconsistencia::Limpar() {
  NU_ARQUIVO = 0;
  NU_MENSAGEM = 0;
  NU_LINHA_ERRO = 0;
  DE_CONTEUDO_CAMPO.clear();
  CO_PIS_INCONSISTENCIA.clear();
  CO_REGISTRO.clear();
  NU_TIPO_INSCRICAO_EMPRESA.clear();
  NO_EMPREGADO.clear();
  NU_INSCRICAO_EMPRESA.clear();
  DT_ADMISSAO_INCONSISTENCIA.clear();
  NO_RAZAO_SOCIAL.clear();
  NO_RAZAO_SOCIAL_RSPNL_INCNA.clear();
  NU_INSCRICAO_RSPNL_INCNA.clear();
  NU_TIPO_INSCRICAO_RSPNL_INCNA.clear();
  CO_CATEGORIA_INCONSISTENCIA.clear();
  DE_MENSAGEM.clear();
}

void TInconsistencia::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  auto texto = [this](const char *c) { return Campo(QLatin1String(c)).AsString(); };
  auto inteiro = [this](const char *c) { return Campo(QLatin1String(c)).AsInteger(); };
  NU_MENSAGEM = inteiro("NU_MENSAGEM");
  NU_ARQUIVO = inteiro("NU_ARQUIVO");
  CO_REGISTRO = texto("CO_REGISTRO");
  NU_LINHA_ERRO = inteiro("NU_LINHA_ERRO");
  DE_CONTEUDO_CAMPO = texto("DE_CONTEUDO_CAMPO");
  NU_TIPO_INSCRICAO_EMPRESA = texto("NU_TIPO_INSCRICAO_EMPRESA");
  NU_INSCRICAO_EMPRESA = texto("NU_INSCRICAO_EMPRESA");
  CO_PIS_INCONSISTENCIA = texto("CO_PIS_INCONSISTENCIA");
  NO_EMPREGADO = texto("NO_EMPREGADO");
  DT_ADMISSAO_INCONSISTENCIA = texto("DT_ADMISSAO_INCONSISTENCIA");
  CO_CATEGORIA_INCONSISTENCIA = texto("CO_CATEGORIA_INCONSISTENCIA");
  NU_TIPO_INSCRICAO_RSPNL_INCNA = texto("NU_TIPO_INSCRICAO_RSPNL_INCNA");
  NU_INSCRICAO_RSPNL_INCNA = texto("NU_INSCRICAO_RSPNL_INCNA");
  NU_INCONSISTENCIA = inteiro("NU_INCONSISTENCIA");
  NO_RAZAO_SOCIAL_RSPNL_INCNA = texto("NO_RAZAO_SOCIAL_RSPNL_INCNA");
  NO_RAZAO_SOCIAL = texto("NO_RAZAO_SOCIAL");
  if (PossuiCampo(QStringLiteral("DE_MENSAGEM")))
    DE_MENSAGEM = texto("DE_MENSAGEM");
}

QString TInconsistencia::ComandoInsercao() const {
  const QHash<QString, int> larguras = LargurasColunas(Ibx);

  // The admission date arrives as "ddmmyyyy"; laid into dd/mm/yyyy it becomes
  // a date, and anything that is not one is stored as Null.
  QString data = QStringLiteral("NULL");
  if (!DT_ADMISSAO_INCONSISTENCIA.trimmed().isEmpty()) {
    const QString d = DT_ADMISSAO_INCONSISTENCIA.trimmed();
    TDateTime dia;
    if (d.size() == 10 && d.at(4) == u'-') // as loaded from the table
      dia = TUtilitarios::TextoParaData(d, true);
    else
      dia = TUtilitarios::TextoParaData(d.left(2) + u'/' + d.mid(2, 2) + u'/' + d.mid(4, 4));
    data = TUtilitarios::DataSQL(dia, true);
  }

  const QString conteudo = DE_CONTEUDO_CAMPO.leftJustified(70, u' ', true);
  QStringList v;
  v << QStringLiteral("GEN_ID(GEN_QZLTBG18_ARQUIVO_ID, 1)") << QString::number(NU_MENSAGEM)
    << QString::number(NU_ARQUIVO) << TextoColuna(larguras, "CO_REGISTRO", CO_REGISTRO)
    << (NU_LINHA_ERRO == 0 ? QStringLiteral("Null") : QString::number(NU_LINHA_ERRO))
    << TextoColuna(larguras, "DE_CONTEUDO_CAMPO", conteudo)
    << NumeroColuna(NU_TIPO_INSCRICAO_RSPNL_INCNA) << NumeroColuna(NU_INSCRICAO_RSPNL_INCNA)
    << TextoColuna(larguras, "NO_RAZAO_SOCIAL_RSPNL_INCNA", NO_RAZAO_SOCIAL_RSPNL_INCNA)
    << NumeroColuna(NU_TIPO_INSCRICAO_EMPRESA) << NumeroColuna(NU_INSCRICAO_EMPRESA)
    << TextoColuna(larguras, "NO_RAZAO_SOCIAL", NO_RAZAO_SOCIAL)
    << TextoColuna(larguras, "CO_PIS_INCONSISTENCIA", CO_PIS_INCONSISTENCIA) << data
    << TextoColuna(larguras, "CO_CATEGORIA_INCONSISTENCIA", CO_CATEGORIA_INCONSISTENCIA)
    << TextoColuna(larguras, "NO_EMPREGADO", NO_EMPREGADO);
  return QStringLiteral("INSERT INTO QZLTBG18_INCONSISTENCIA_ARQUIVO (NU_INCONSISTENCIA, "
                        "NU_MENSAGEM, NU_ARQUIVO, CO_REGISTRO, NU_LINHA_ERRO, "
                        "DE_CONTEUDO_CAMPO, NU_TIPO_INSCRICAO_RSPNL_INCNA, "
                        "NU_INSCRICAO_RSPNL_INCNA, NO_RAZAO_SOCIAL_RSPNL_INCNA, "
                        "NU_TIPO_INSCRICAO_EMPRESA, NU_INSCRICAO_EMPRESA, NO_RAZAO_SOCIAL, "
                        "CO_PIS_INCONSISTENCIA, DT_ADMISSAO_INCONSISTENCIA, "
                        "CO_CATEGORIA_INCONSISTENCIA, NO_EMPREGADO) VALUES (") +
         v.join(QStringLiteral(", ")) + u')';
}

bool TInconsistencia::MensagemCadastrada() const {
  TDataSetPtr msg = Ibx->AbrirConsulta(
      QStringLiteral("SELECT NU_MENSAGEM FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = ") +
      QString::number(NU_MENSAGEM));
  return !msg->IsEmpty();
}

int TInconsistencia::Gravar() {
  try {
    if (!Ibx)
      return 0;
    if (!MensagemCadastrada())
      return 396;
    Ibx->ExecutarSQL(ComandoInsercao());
    return 1;
  } catch (...) {
    return 0;
  }
}

bool TInconsistencia::ExcluirPorArquivo() {
  try {
    if (!Ibx)
      return false;
    Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE "
                                    "NU_ARQUIVO = ") +
                     QString::number(NU_ARQUIVO));
    return true;
  } catch (...) {
    return false;
  }
}

bool TInconsistencia::Listar() {
  QString sql = SqlSelect + SqlFrom;
  const QString filtro = FiltroArquivo.trimmed();
  if (!filtro.isEmpty()) {
    // The filter is a kind number; nothing else may reach the SQL text.
    bool ok = false;
    const int tipo = filtro.toInt(&ok);
    sql += QStringLiteral("WHERE ARQ.NU_ARQUIVO = ") + (ok ? QString::number(tipo) : "-1");
  }
  sql += QLatin1String(ListagemOrdem);
  AbrirDataSet(sql);
  Primeiro();
  return QuantidadeRegistros() > 0;
}

bool TInconsistencia::ListarPorArquivo(int tipo) {
  FiltroArquivo = QString::number(tipo);
  return Listar();
}

bool TInconsistencia::RegistrarMovimento(const QString &Mensagem, const QString &TipoInscResp,
                                         const QString &NomeEmpregado, const QString &DtAdmissao,
                                         const QString &Categoria, const QString &PIS,
                                         const QString &RazaoSocial, const QString &InscEmpresa,
                                         const QString &TipoInscEmpresa, const QString &NomeResp,
                                         const QString &InscResp) {
  Limpar();
  NU_MENSAGEM = TUtilitarios::ParaInteiro(Mensagem);
  NU_ARQUIVO = tiMovimento;
  NU_TIPO_INSCRICAO_RSPNL_INCNA = TipoInscResp;
  NO_EMPREGADO = NomeEmpregado;
  DT_ADMISSAO_INCONSISTENCIA = TUtilitarios::Digitos(DtAdmissao);
  CO_CATEGORIA_INCONSISTENCIA = Categoria;
  CO_PIS_INCONSISTENCIA = PIS;
  NO_RAZAO_SOCIAL = RazaoSocial;
  NU_INSCRICAO_EMPRESA = InscEmpresa;
  NU_TIPO_INSCRICAO_EMPRESA = TipoInscEmpresa;
  NO_RAZAO_SOCIAL_RSPNL_INCNA = NomeResp;
  NU_INSCRICAO_RSPNL_INCNA = InscResp;
  return Gravar() == 1;
}

void ExcluirInconsistencias(int tipo) {
  TInconsistencia i;
  i.Limpar();
  i.NU_ARQUIVO = tipo;
  i.ExcluirPorArquivo();
}
