#include "collection/unSolicitacaoSaldoRecisorio.h"

#include "core/unFBUtils.h"
#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "registry/unTResponsavel.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
using U = TUtilitarios;
namespace L = LayoutSolicitacao;

QString Sequencia(int n) {
  return QString::number(n);
}

bool EhVinculo(const TRegRegistro &r) {
  return r.TipoRegistro == QStringLiteral("40");
}

QString Empresa(const TRegRegistro &r) {
  return r.TipoInscricao.trimmed() + u'|' + QString::number(U::ParaInteiro64(r.Inscricao));
}

// "DDMMYYYY" of an index entry as a date literal.
QString DataSQLTexto(const QString &ddmmyyyy) {
  const QDate d = QDate::fromString(ddmmyyyy, QStringLiteral("ddMMyyyy"));
  return d.isValid() ? U::DataSQL(QDateParaData(d)) : QStringLiteral("NULL");
}
} // namespace

namespace {
// The request leaves sealed like every file sent to the bank; the plain file
// is a working copy the envelope takes in (and deletes).
int SelarSolicitacao(const QString &envelope, const QStringList &arquivos,
                     const QList<QPair<QString, QString>> &informacoes) {
  const QFileInfo destino(envelope);
  QList<TBussinessInfo> infos;
  for (const auto &[nome, valor] : informacoes)
    infos.append({nome, valor});
  QStringList nomes;
  for (const QString &a : arquivos)
    nomes << QFileInfo(a).fileName();
  if (EnvelopeArquivos(destino.absolutePath() + QDir::separator(), destino.fileName(), infos,
                       nomes))
    return 0;
  const int codigo = UltimoErro.toInt();
  return codigo > 0 ? codigo : 489;
}
} // namespace

TSolicitacaoSaldoRecisorio::TEnvelopar TSolicitacaoSaldoRecisorio::Envelopar = SelarSolicitacao;

TSolicitacaoSaldoRecisorio::TSolicitacaoSaldoRecisorio() = default;
TSolicitacaoSaldoRecisorio::~TSolicitacaoSaldoRecisorio() = default;

bool TSolicitacaoSaldoRecisorio::MontarLinhas(const TArrRegRegistro &indice) {
  Linhas.clear();
  Identificador.clear();
  TResponsavel resp;
  resp.CarregarAssociados = false;
  resp.CarregarResponsavel();
  const QString data = U::DataFormatada(QStringLiteral("ddmmyyyy"), false, U::DataServidor(false));
  // The identifier is computed from the header's first 31 positions.
  QString cabecalho =
      MontarLinha(L::Cabecalho, {QStringLiteral("0"), QString::number(resp.NU_TIPO_INSO_EMPRA),
                                 resp.InscricaoFormatada(), data, QStringLiteral("ICP"), QString(),
                                 QStringLiteral("1"), QString(), Sequencia(1)});
  Identificador = U::GerarIdentificadorArquivo(cabecalho.left(31));
  cabecalho =
      MontarLinha(L::Cabecalho, {QStringLiteral("0"), QString::number(resp.NU_TIPO_INSO_EMPRA),
                                 resp.InscricaoFormatada(), data, QStringLiteral("ICP"), QString(),
                                 QStringLiteral("1"), Identificador, Sequencia(1)});
  Linhas.append(cabecalho);
  QString anterior;
  int empresas = 0;
  for (const TRegRegistro &r : indice) {
    if (!EhVinculo(r))
      continue;
    const QString inscricao = QString::number(U::ParaInteiro64(r.Inscricao));
    if (Empresa(r) != anterior) {
      anterior = Empresa(r);
      ++empresas;
      Linhas.append(MontarLinha(L::Empresa, {QStringLiteral("1"), r.TipoInscricao.trimmed(),
                                             inscricao, QString(), QStringLiteral("1"), QString(),
                                             Sequencia(Linhas.size() + 1)}));
    }
    Linhas.append(MontarLinha(L::Trabalhador,
                              {QStringLiteral("2"), r.TipoInscricao.trimmed(), inscricao,
                               QString::number(U::ParaInteiro64(r.PIS)), r.Categoria.trimmed(),
                               r.DataAdmissao, QString(), Sequencia(Linhas.size() + 1)}));
  }
  Linhas.append(MontarLinha(L::Trailer, {QStringLiteral("9"), QString::number(empresas), QString(),
                                         Sequencia(Linhas.size() + 1)}));
  return empresas > 0;
}

bool TSolicitacaoSaldoRecisorio::GerarSolicitacao(const TArrRegRegistro &indice,
                                                  const QString &caminhoEnvelope) {
  CodigoErro.clear();
  Selada = false;
  if (caminhoEnvelope.trimmed().isEmpty())
    return false;
  if (!MontarLinhas(indice)) {
    CodigoErro = QStringLiteral("0116");
    Linhas.clear();
    return false;
  }
  const QFileInfo destino(caminhoEnvelope);
  if (!RegistrarSolicitacao(Identificador, destino.absoluteFilePath(), indice)) {
    Linhas.clear();
    return false;
  }
  const bool ok = GravarSolicitacao(destino.absolutePath(), destino.fileName(), Identificador,
                                    Linhas, QString::fromLatin1(NomeArquivoPlano));
  if (!ok) {
    // A request that did not reach its file is not a sent file.
    try {
      ExcluirRegistro(Identificador);
    } catch (const std::exception &) {
    }
  }
  return ok;
}

bool TSolicitacaoSaldoRecisorio::RegistrarSolicitacao(const QString &identificador,
                                                      const QString &nomeArquivo,
                                                      const TArrRegRegistro &indice) {
  CodigoErro.clear();
  try {
    TEscopoTransacao transacao(IbxUtils);
    IbxUtils->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, NU_ARQUIVO, "
                       "NM_ARQUIVO, DT_GERACAO_ARQUIVO) VALUES (%1, 7, %2, %3)")
            .arg(U::TextoSQL(identificador), U::TextoSQL(nomeArquivo),
                 U::DataSQL(U::DataServidor(true), false)));
    QString anterior;
    for (const TRegRegistro &r : indice) {
      if (!EhVinculo(r))
        continue;
      const QString tipo = QString::number(U::ParaInteiro(r.TipoInscricao.trimmed()));
      const QString inscricao = QString::number(U::ParaInteiro64(r.Inscricao));
      if (Empresa(r) != anterior) {
        anterior = Empresa(r);
        IbxUtils->ExecutarSQL(
            QStringLiteral("INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, "
                           "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NO_RAZAO_SOCIAL) VALUES "
                           "(%1, %2, %3, %4)")
                .arg(U::TextoSQL(identificador), tipo, inscricao, U::TextoSQL(r.Nome.trimmed())));
      }
      IbxUtils->ExecutarSQL(
          QStringLiteral("INSERT INTO QZLTBG16_ENVIO_EMPREGADO (NU_IDENTIFICADOR_ARQUIVO, "
                         "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_PIS_ENVIO, "
                         "NU_CATEGORIA_ENVIO, DT_ADMISSAO_ENVIO, NO_EMPREGADO, "
                         "VR_TOTAL_RECOLHIDO) VALUES (%1, %2, %3, %4, %5, %6, %7, 0)")
              .arg(U::TextoSQL(identificador), tipo, inscricao,
                   QString::number(U::ParaInteiro64(r.PIS)),
                   QString::number(U::ParaInteiro(r.Categoria.trimmed())),
                   DataSQLTexto(r.DataAdmissao), U::TextoSQL(r.NomeTrabalhador.trimmed())));
    }
    transacao.Confirmar();
    return true;
  } catch (const std::exception &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TSolicitacaoSaldoRecisorio::GravarSolicitacao(const QString &pasta,
                                                   const QString &nomeEnvelope,
                                                   const QString &identificador,
                                                   const QStringList &linhas,
                                                   const QString &nomePlano) {
  CodigoErro.clear();
  const QString plano = QDir(pasta).filePath(nomePlano);
  QByteArray dados;
  for (const QString &l : linhas)
    dados += ParaWin1252(l) + "\r\n";
  QSaveFile f(plano);
  if (!f.open(QIODevice::WriteOnly) || f.write(dados) != dados.size() || !f.commit()) {
    CodigoErro = QStringLiteral("0489");
    Linhas.clear();
    return false;
  }
  bool ok = true;
  if (Envelopar) {
    TResponsavel resp;
    resp.CarregarAssociados = false;
    resp.CarregarResponsavel();
    const int codigo =
        Envelopar(QDir(pasta).filePath(nomeEnvelope), {plano},
                  {{QStringLiteral("tparquivo"), QStringLiteral("7")},
                   {QStringLiteral("tpresponsavel"), QString::number(resp.NU_TIPO_INSO_EMPRA)},
                   {QStringLiteral("inscresponsavel"), resp.InscricaoFormatada()},
                   {QStringLiteral("nomeresponsavel"), resp.NO_RAZAO_SOCIAL},
                   {QStringLiteral("nra"), identificador}});
    ok = codigo == 0;
    Selada = ok;
    if (!ok)
      CodigoErro = QString::number(codigo).rightJustified(4, u'0');
  }
  Linhas.clear();
  return ok;
}

void TSolicitacaoSaldoRecisorio::ExcluirRegistro(const QString &identificador) {
  TEscopoTransacao transacao(IbxUtils);
  const QString id = U::TextoSQL(identificador);
  IbxUtils->ExecutarSQL(
      QStringLiteral("DELETE FROM QZLTBG16_ENVIO_EMPREGADO WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
      id);
  IbxUtils->ExecutarSQL(
      QStringLiteral("DELETE FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = ") + id);
  IbxUtils->ExecutarSQL(
      QStringLiteral("DELETE FROM QZLTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = ") + id);
  transacao.Confirmar();
}

TArrRegRegistro
TSolicitacaoSaldoRecisorio::IndiceVinculos(const QList<QPair<int, qint64>> &empresas,
                                           const QList<TChaveVinculo> &vinculos) {
  QString sql = QStringLiteral(
      "SELECT V.NU_TIPO_INSO_EMPRA, V.NU_INSCRICAO, E.NO_RAZAO_SOCIAL, V.NU_PIS, V.NU_CATEGORIA, "
      "V.DT_ADMISSAO_VINCULO, T.NO_EMPREGADO FROM QZLTBG04_VINCULO_EMPREGATICIO V JOIN "
      "QZLTBG02_EMPRESA E ON E.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND E.NU_INSCRICAO = "
      "V.NU_INSCRICAO LEFT JOIN QZLTBG03_EMPREGADO T ON T.NU_PIS = V.NU_PIS");
  QStringList filtros;
  for (const auto &[tipo, inscricao] : empresas)
    filtros << QStringLiteral("(V.NU_TIPO_INSO_EMPRA = %1 AND V.NU_INSCRICAO = %2)")
                   .arg(tipo)
                   .arg(inscricao);
  for (const TChaveVinculo &k : vinculos)
    filtros << u'(' + k.Condicao(QStringLiteral("V")) + u')';
  if (!filtros.isEmpty())
    sql += QStringLiteral(" WHERE ") + filtros.join(QStringLiteral(" OR "));
  sql += QStringLiteral(" ORDER BY V.NU_TIPO_INSO_EMPRA, V.NU_INSCRICAO, V.NU_PIS, "
                        "V.DT_ADMISSAO_VINCULO, V.NU_CATEGORIA");
  TArrRegRegistro r;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TRegRegistro e;
    e.TipoRegistro = QStringLiteral("40");
    e.TipoInscricao = QString::number(ds->Fields(0).AsInteger());
    e.Inscricao = QString::number(ds->Fields(1).AsInt64()).rightJustified(14, u'0');
    e.Nome = ds->Fields(2).AsString().trimmed();
    e.PIS = QString::number(ds->Fields(3).AsInt64()).rightJustified(11, u'0');
    e.Categoria = QString::number(ds->Fields(4).AsInteger()).rightJustified(2, u'0');
    e.DataAdmissao =
        U::DataFormatada(QStringLiteral("ddmmyyyy"), false, ds->Fields(5).AsDateTime());
    e.NomeTrabalhador = ds->Fields(6).AsString().trimmed();
    r.push_back(e);
  }
  return r;
}
