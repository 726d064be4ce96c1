#include "unAlteracaoCadastral.h"

#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "registry/unChaveVinculo.h"
#include "unEstabelecimento.h"
#include "unTrabalhador.h"
#include "unVinculo.h"

namespace {
// The key parts are held as text; they are written as numbers, and a text
// that is not one becomes Null (refused by the key columns) instead of
// reaching the statement as typed.
QString NumeroTextoSQL(const QString &texto) {
  return NumeroSQL(texto);
}
} // namespace

TAlteracaoCadastral::TAlteracaoCadastral() {
  Inicializar();
}

TAlteracaoCadastral::~TAlteracaoCadastral() = default;

void TAlteracaoCadastral::Inicializar() {
  IC_CONFIRMACAO.clear();
  NU_PIS.clear();
  DE_CONTEUDO_ANTERIOR.clear();
  NU_INSCRICAO.clear();
  NU_TIPO_ALTERACAO.clear();
  NU_CATEGORIA.clear();
  NU_TIPO_INSO_EMPRA.clear();
  DT_ADMISSAO_VINCULO = NullDate;
  NU_EMPREGADO_VORDA_ALT_CDSTL.clear();
  NU_EMPRESA_VORDA_ALT_CADASTRAL.clear();
  SqlSelect = QStringLiteral(
      "SELECT ALTCAD.IC_CONFIRMACAO, ALTCAD.NU_PIS, ALTCAD.DE_CONTEUDO_ANTERIOR, "
      "ALTCAD.NU_INSCRICAO, ALTCAD.NU_TIPO_ALTERACAO, ALTCAD.NU_CATEGORIA, "
      "ALTCAD.NU_TIPO_INSO_EMPRA, ALTCAD.DT_ADMISSAO_VINCULO, ALTCAD.NU_EMPREGADO_VORDA_ALT_CDSTL, "
      "ALTCAD.NU_EMPRESA_VORDA_ALT_CADASTRAL");
  SqlFrom = QStringLiteral(" FROM QZLTBG05_ALTERACAO_CADASTRAL ALTCAD ");
}

void TAlteracaoCadastral::Limpar() {
  FTrabalhador.reset();
}

void TAlteracaoCadastral::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  IC_CONFIRMACAO = Campo(QStringLiteral("IC_CONFIRMACAO")).AsString().trimmed();
  NU_PIS = Campo(QStringLiteral("NU_PIS")).AsString();
  DE_CONTEUDO_ANTERIOR = Campo(QStringLiteral("DE_CONTEUDO_ANTERIOR")).AsString();
  NU_INSCRICAO = Campo(QStringLiteral("NU_INSCRICAO")).AsString();
  NU_TIPO_ALTERACAO = Campo(QStringLiteral("NU_TIPO_ALTERACAO")).AsString();
  NU_CATEGORIA = Campo(QStringLiteral("NU_CATEGORIA")).AsString();
  NU_TIPO_INSO_EMPRA = Campo(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsString();
  DT_ADMISSAO_VINCULO = Campo(QStringLiteral("DT_ADMISSAO_VINCULO")).AsDateTime();
  NU_EMPREGADO_VORDA_ALT_CDSTL = Campo(QStringLiteral("NU_EMPREGADO_VORDA_ALT_CDSTL")).AsString();
  NU_EMPRESA_VORDA_ALT_CADASTRAL =
      Campo(QStringLiteral("NU_EMPRESA_VORDA_ALT_CADASTRAL")).AsString();
}

TTrabalhador &TAlteracaoCadastral::Trabalhador() {
  if (!FTrabalhador) {
    FTrabalhador = std::make_unique<TTrabalhador>();
    if (CarregarAssociados)
      FTrabalhador->CarregarPorPIS(NU_PIS.trimmed());
  }
  return *FTrabalhador;
}

bool TAlteracaoCadastral::CarregarPorVinculo(int Tipo, int Categoria, TDateTime DtAdmissao,
                                             qint64 PIS, qint64 Inscricao) {
  CodigoErro.clear();
  try {
    AbrirDataSet(
        SqlSelect + SqlFrom + QStringLiteral(" WHERE ") +
        CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao, QStringLiteral("ALTCAD")) +
        QStringLiteral(" ORDER BY ALTCAD.NU_TIPO_ALTERACAO"));
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  if (DataSet->IsEmpty())
    return false;
  Primeiro();
  return true;
}

bool TAlteracaoCadastral::Incluir() {
  const QString sql =
      QStringLiteral("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (IC_CONFIRMACAO, NU_PIS, "
                     "DE_CONTEUDO_ANTERIOR, NU_INSCRICAO, NU_TIPO_ALTERACAO, NU_CATEGORIA, "
                     "NU_TIPO_INSO_EMPRA, DT_ADMISSAO_VINCULO, NU_EMPREGADO_VORDA_ALT_CDSTL, "
                     "NU_EMPRESA_VORDA_ALT_CADASTRAL) VALUES (") +
      QStringList{Utilitarios.TextoSQL(IC_CONFIRMACAO),
                  NumeroTextoSQL(NU_PIS),
                  Utilitarios.TextoSQL(DE_CONTEUDO_ANTERIOR),
                  NumeroTextoSQL(NU_INSCRICAO),
                  NumeroTextoSQL(NU_TIPO_ALTERACAO),
                  NumeroTextoSQL(NU_CATEGORIA),
                  NumeroTextoSQL(NU_TIPO_INSO_EMPRA),
                  Utilitarios.DataSQL(DT_ADMISSAO_VINCULO),
                  NumeroTextoSQL(NU_EMPREGADO_VORDA_ALT_CDSTL),
                  NumeroTextoSQL(NU_EMPRESA_VORDA_ALT_CADASTRAL)}
          .join(QStringLiteral(", ")) +
      QStringLiteral(")");
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

namespace {
QString CondicaoTextos(const TAlteracaoCadastral &a) {
  return QStringLiteral("NU_TIPO_INSO_EMPRA = %1 AND NU_INSCRICAO = %2 AND NU_PIS = %3 AND "
                        "NU_CATEGORIA = %4 AND DT_ADMISSAO_VINCULO = %5")
      .arg(NumeroTextoSQL(a.NU_TIPO_INSO_EMPRA), NumeroTextoSQL(a.NU_INSCRICAO),
           NumeroTextoSQL(a.NU_PIS), NumeroTextoSQL(a.NU_CATEGORIA),
           Utilitarios.DataSQL(a.DT_ADMISSAO_VINCULO));
}
} // namespace

bool TAlteracaoCadastral::Alterar() {
  QString sql =
      QStringLiteral("UPDATE QZLTBG05_ALTERACAO_CADASTRAL SET DE_CONTEUDO_ANTERIOR = %1, "
                     "IC_CONFIRMACAO = %2, NU_EMPRESA_VORDA_ALT_CADASTRAL = %3, "
                     "NU_EMPREGADO_VORDA_ALT_CDSTL = %4 WHERE ")
          .arg(Utilitarios.TextoSQL(DE_CONTEUDO_ANTERIOR), Utilitarios.TextoSQL(IC_CONFIRMACAO),
               NumeroTextoSQL(NU_EMPRESA_VORDA_ALT_CADASTRAL),
               NumeroTextoSQL(NU_EMPREGADO_VORDA_ALT_CDSTL)) +
      CondicaoTextos(*this) + QStringLiteral(" AND NU_TIPO_ALTERACAO = ") +
      NumeroTextoSQL(NU_TIPO_ALTERACAO);
  // The same rows ExisteDivergenciaNome finds: without a bank worker number
  // any row of the kind is the one to update ("= NULL" would match none and
  // the change would be lost while reported as saved).
  if (!NU_EMPREGADO_VORDA_ALT_CDSTL.trimmed().isEmpty())
    sql += QStringLiteral(" AND NU_EMPREGADO_VORDA_ALT_CDSTL = ") +
           NumeroTextoSQL(NU_EMPREGADO_VORDA_ALT_CDSTL);
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TAlteracaoCadastral::Excluir(bool Todas) {
  QString sql = QStringLiteral("DELETE FROM QZLTBG05_ALTERACAO_CADASTRAL");
  if (!Todas) {
    sql += QStringLiteral(" WHERE NU_TIPO_INSO_EMPRA = %1 AND NU_INSCRICAO = %2")
               .arg(NumeroTextoSQL(NU_TIPO_INSO_EMPRA), NumeroTextoSQL(NU_INSCRICAO));
    if (!NU_PIS.trimmed().isEmpty())
      sql += QStringLiteral(" AND NU_PIS = ") + NumeroTextoSQL(NU_PIS);
    if (!NU_CATEGORIA.trimmed().isEmpty())
      sql += QStringLiteral(" AND NU_CATEGORIA = ") + NumeroTextoSQL(NU_CATEGORIA);
    if (DT_ADMISSAO_VINCULO > 0)
      sql +=
          QStringLiteral(" AND DT_ADMISSAO_VINCULO = ") + Utilitarios.DataSQL(DT_ADMISSAO_VINCULO);
    if (!NU_TIPO_ALTERACAO.trimmed().isEmpty())
      sql += QStringLiteral(" AND NU_TIPO_ALTERACAO = ") + NumeroTextoSQL(NU_TIPO_ALTERACAO);
  }
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    return false;
  }
  return true;
}

bool TAlteracaoCadastral::NomeConfere(const QString &Nome, qint64 PIS) {
  const TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = %1").arg(PIS));
  const QString registrado =
      ds->IsEmpty() ? QString() : ds->FieldByName(QStringLiteral("NO_EMPREGADO")).AsString();
  // The bank's file pads its name field with blanks; only the letters count.
  return registrado.trimmed().toUpper() == Nome.trimmed().toUpper();
}

bool TAlteracaoCadastral::ExisteDivergenciaNome() {
  QString sql =
      QStringLiteral("SELECT COUNT(*) AS TOTAL FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE ") +
      CondicaoTextos(*this) +
      QStringLiteral(" AND NU_TIPO_ALTERACAO = %1").arg(AlteracaoNomeTrabalhador);
  if (!NU_EMPREGADO_VORDA_ALT_CDSTL.trimmed().isEmpty())
    sql += QStringLiteral(" AND NU_EMPREGADO_VORDA_ALT_CDSTL = ") +
           NumeroTextoSQL(NU_EMPREGADO_VORDA_ALT_CDSTL);
  const TDataSetPtr ds = Ibx->AbrirConsulta(sql);
  return !ds->IsEmpty() && ds->Fields(0).AsInteger() > 0;
}

QSet<TChaveVinculo>
TAlteracaoCadastral::VinculosComDivergenciaNome(const QString &condicaoVinculo) {
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT DISTINCT ALTCAD.NU_TIPO_INSO_EMPRA, ALTCAD.NU_INSCRICAO, "
                     "ALTCAD.NU_PIS, ALTCAD.NU_CATEGORIA, ALTCAD.DT_ADMISSAO_VINCULO FROM "
                     "QZLTBG05_ALTERACAO_CADASTRAL ALTCAD JOIN QZLTBG04_VINCULO_EMPREGATICIO "
                     "VINC ON ") +
      JuncaoVinculo(QStringLiteral("ALTCAD"), QStringLiteral("VINC")) +
      QStringLiteral(" WHERE ALTCAD.NU_TIPO_ALTERACAO = %1 AND (").arg(AlteracaoNomeTrabalhador) +
      condicaoVinculo + u')');
  QSet<TChaveVinculo> r;
  for (ds->First(); !ds->Eof(); ds->Next())
    r.insert(ChaveDasColunas(*ds));
  return r;
}

void TAlteracaoCadastral::ResolverDivergenciaNome(int Tipo, int Categoria, QChar Escolha,
                                                  const QString &Nome, TDateTime DtAdmissao,
                                                  qint64 PIS, qint64 Inscricao) {
  const QString condicao = CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao);
  if (Escolha.toUpper() == u'N') {
    // The bank's name becomes the registered one; nothing is left to resolve.
    Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG03_EMPREGADO SET NO_EMPREGADO = %1 WHERE "
                                    "NU_PIS = %2")
                         .arg(Utilitarios.TextoSQL(Nome), QString::number(PIS)));
    Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE ") + condicao);
    return;
  }
  // The registered name stays: the change of the bank account that reports
  // this name is kept as confirmed, so it is not asked again.
  Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG05_ALTERACAO_CADASTRAL SET IC_CONFIRMACAO = 'S' "
                                  "WHERE ") +
                   condicao +
                   QStringLiteral(" AND NU_EMPREGADO_VORDA_ALT_CDSTL IN (SELECT "
                                  "NU_EMPREGADO_VORDA FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE ") +
                   condicao + QStringLiteral(" AND NO_EMPREGADO = ") + Utilitarios.TextoSQL(Nome) +
                   QStringLiteral(")"));
  Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE ") + condicao +
                   QStringLiteral(" AND IC_CONFIRMACAO = 'N'"));
}
