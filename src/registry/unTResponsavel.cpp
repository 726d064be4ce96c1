#include "unTResponsavel.h"

#include "core/unUtilitarios.h"
#include "core/unTransacao.h"

namespace {
QString Chave(int Tipo, qint64 Inscricao) {
  return QStringLiteral(" WHERE NU_TIPO_INSO_EMPRA = ") + QString::number(Tipo) +
         QStringLiteral(" AND NU_INSCRICAO = ") + QString::number(Inscricao);
}

// Contact and e-mail of the responsible party are written as text even when
// blank.
QString TextoOuVazio(const QString &texto) {
  return texto.trimmed().isEmpty() ? QStringLiteral("''") : TUtilitarios::TextoSQL(texto);
}
} // namespace

TResponsavel::TResponsavel() {
  TResponsavel::Inicializar();
}

void TResponsavel::Inicializar() {
  TEstabelecimento::Inicializar();
  CodigoErro.clear();
}

void TResponsavel::Limpar() {
  TEstabelecimento::Limpar();
}

void TResponsavel::CarregarAtributos() {
  TEstabelecimento::CarregarAtributos();
  const TField contato = Campo(QStringLiteral("NO_CONTATO"));
  NO_CONTATO = contato.IsNull() ? QString() : contato.AsString();
  const TField email = Campo(QStringLiteral("CO_ENDERECO_VIRTUAL_CONTATO"));
  CO_ENDERECO_VIRTUAL_CONTATO = email.IsNull() ? QString() : email.AsString();
}

bool TResponsavel::ValidarNomeContato() {
  CodigoErro.clear();
  if (!TUtilitarios::NomeValido(NO_CONTATO) || !TUtilitarios::SomenteLetras(NO_CONTATO)) {
    CodigoErro = QStringLiteral("0097");
    return false;
  }
  NO_CONTATO = NO_CONTATO.trimmed();
  if (TresLetrasIguaisSeguidas(NO_CONTATO) || NO_CONTATO.contains(QStringLiteral("  "))) {
    CodigoErro = QStringLiteral("0177");
    return false;
  }
  return true;
}

void TResponsavel::CarregarResponsavel() {
  AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral("WHERE EMP.IC_ESTADO_EMPRESA IN ('R', 'A')"));
  if (QuantidadeRegistros() > 0) {
    Primeiro();
  } else {
    Limpar();
    Inicializar();
    NO_CONTATO.clear();
    NU_TELEFONE.clear();
    NU_DDD.clear();
    CO_ENDERECO_VIRTUAL_CONTATO.clear();
    IC_ESTADO_EMPRESA.clear();
  }
}

void TResponsavel::IncluirResponsavel() {
  try {
    Ibx->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, SG_UF, "
                       "NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, NU_DDD, "
                       "NU_TELEFONE, NO_CONTATO, CO_ENDERECO_VIRTUAL_CONTATO, IC_ESTADO_EMPRESA) "
                       "VALUES (") +
        QString::number(NU_TIPO_INSO_EMPRA) + u',' + QString::number(InscricaoNumero()) + u',' +
        UfSQL() + u',' + TUtilitarios::TextoSQL(NO_RAZAO_SOCIAL) + u',' + LogradouroSQL() + u',' +
        BairroSQL() + u',' + CepSQL() + u',' + LocalidadeSQL() + u',' + NumeroSQL(NU_DDD) + u',' +
        NumeroSQL(NU_TELEFONE) + u',' + TextoOuVazio(NO_CONTATO) + u',' +
        TextoOuVazio(CO_ENDERECO_VIRTUAL_CONTATO) + QStringLiteral(", 'R')"));
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

void TResponsavel::AlterarDados() {
  Ibx->ExecutarSQL(
      QStringLiteral("UPDATE QZLTBG02_EMPRESA SET NU_TIPO_INSO_EMPRA = ") +
      QString::number(NU_TIPO_INSO_EMPRA) + QStringLiteral(", NU_INSCRICAO = ") +
      QString::number(InscricaoNumero()) + QStringLiteral(", SG_UF = ") + UfSQL() +
      QStringLiteral(", NO_RAZAO_SOCIAL = ") + TUtilitarios::TextoSQL(NO_RAZAO_SOCIAL) +
      QStringLiteral(", DE_LOGRADOURO = ") + LogradouroSQL() + QStringLiteral(", NO_BAIRRO = ") +
      BairroSQL() + QStringLiteral(", NU_CEP = ") + CepSQL() +
      QStringLiteral(", NO_LOCALIDADE = ") + LocalidadeSQL() + QStringLiteral(", NU_DDD = ") +
      NumeroSQL(NU_DDD) + QStringLiteral(", NU_TELEFONE = ") + NumeroSQL(NU_TELEFONE) +
      QStringLiteral(", NO_CONTATO = ") + TextoOuVazio(NO_CONTATO) +
      QStringLiteral(", CO_ENDERECO_VIRTUAL_CONTATO = ") +
      TextoOuVazio(CO_ENDERECO_VIRTUAL_CONTATO) + Chave(NU_TIPO_INSO_EMPRA, InscricaoNumero()));
}

void TResponsavel::AlterarEstado(int Tipo, qint64 Inscricao, const QString &NovoEstado,
                                 const QString &EstadoAtual) {
  Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG02_EMPRESA SET IC_ESTADO_EMPRESA = ") +
                   TUtilitarios::TextoSQL(NovoEstado) + Chave(Tipo, Inscricao) +
                   QStringLiteral(" AND IC_ESTADO_EMPRESA = ") +
                   TUtilitarios::TextoSQL(EstadoAtual));
}

void TResponsavel::ExcluirRegistro(int Tipo, qint64 Inscricao) {
  Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG02_EMPRESA") + Chave(Tipo, Inscricao));
}

void TResponsavel::AtualizarChaveAbertura(int Tipo, qint64 Inscricao) {
  Ibx->ExecutarSQL(
      QStringLiteral("UPDATE QZLTBG01_ABERTURA_RECOLHIMENTO SET NU_TIPO_INSO_EMPRA = ") +
      QString::number(Tipo) + QStringLiteral(", NU_INSCRICAO = ") + QString::number(Inscricao));
}

bool TResponsavel::Gravar() {
  CodigoErro.clear();
  const int tipo = NU_TIPO_INSO_EMPRA;
  const qint64 inscricao = InscricaoNumero();
  try {
    TEscopoTransacao transacao(Ibx);
    // The previous party is read from the database itself, inside the
    // transaction, so the role moves from the row that really holds it.
    TDataSetPtr anterior = Ibx->AbrirConsulta(
        QStringLiteral("SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, IC_ESTADO_EMPRESA FROM "
                       "QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA IN ('R', 'A')"));
    const bool haAnterior = !anterior->IsEmpty();
    const int tipoAnt =
        haAnterior ? anterior->FieldByName(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsInteger() : 0;
    const qint64 inscAnt =
        haAnterior ? anterior->FieldByName(QStringLiteral("NU_INSCRICAO")).AsInt64() : 0;
    const QString estadoAnt =
        haAnterior ? anterior->FieldByName(QStringLiteral("IC_ESTADO_EMPRESA")).AsString().trimmed()
                   : QString();
    const bool mesmaChave = haAnterior && tipoAnt == tipo && inscAnt == inscricao;

    TDataSetPtr atual = Ibx->AbrirConsulta(
        QStringLiteral("SELECT IC_ESTADO_EMPRESA FROM QZLTBG02_EMPRESA") + Chave(tipo, inscricao));
    if (atual->IsEmpty()) {
      IncluirResponsavel();
      AtualizarChaveAbertura(tipo, inscricao);
      if (haAnterior) {
        if (estadoAnt == QLatin1String("R"))
          ExcluirRegistro(tipoAnt, inscAnt);
        else
          AlterarEstado(tipoAnt, inscAnt, QStringLiteral("E"), estadoAnt);
      }
    } else {
      if (!mesmaChave) {
        AtualizarChaveAbertura(tipo, inscricao);
        if (haAnterior) {
          if (estadoAnt == QLatin1String("R"))
            ExcluirRegistro(tipoAnt, inscAnt);
          else
            AlterarEstado(tipoAnt, inscAnt, QStringLiteral("E"), QStringLiteral("A"));
        }
        AlterarEstado(tipo, inscricao, QStringLiteral("A"), QStringLiteral("E"));
      }
      AlterarDados();
    }
    transacao.Confirmar();
    IC_ESTADO_EMPRESA = atual->IsEmpty() ? QStringLiteral("R")
                        : mesmaChave     ? estadoAnt
                                         : QStringLiteral("A");
    return true;
  } catch (const EBancoDados &) {
    const bool naInclusao = CodigoErro == QLatin1String("0144");
    CodigoErro = QStringLiteral("0144");
    if (naInclusao)
      throw;
    return false;
  }
}

bool TResponsavel::GravarAbertura() {
  CodigoErro.clear();
  try {
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT NU_TIPO_INSO_EMPRA FROM QZLTBG01_ABERTURA_RECOLHIMENTO"));
    if (ds->IsEmpty())
      Ibx->ExecutarSQL(QStringLiteral("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO "
                                      "(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, DT_PAGAMENTO) VALUES (") +
                       QString::number(NU_TIPO_INSO_EMPRA) + u',' +
                       QString::number(InscricaoNumero()) + u',' +
                       TUtilitarios::DataSQL(DT_PAGAMENTO) + u')');
    else
      Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG01_ABERTURA_RECOLHIMENTO SET DT_PAGAMENTO = ") +
                       TUtilitarios::DataSQL(DT_PAGAMENTO) +
                       QStringLiteral(", NU_TIPO_INSO_EMPRA = ") +
                       QString::number(NU_TIPO_INSO_EMPRA) + QStringLiteral(", NU_INSCRICAO = ") +
                       QString::number(InscricaoNumero()));
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
  }
  return CodigoErro.isEmpty();
}
