#include "collection/unConsultaSaldo.h"

#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unFBUtils.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/unAlteracaoCadastral.h"
#include "registry/unChaveVinculo.h"
#include "registry/unTrabalhador.h"

namespace {

qint64 SomaEmpresa(int tipo, qint64 inscricao) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT CAST(COALESCE(SUM(VR_SALDO_RESCISORIO), 0) * 100 AS BIGINT) FROM "
                     "QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_TIPO_INSO_EMPRA = %1 AND "
                     "NU_INSCRICAO = %2 AND NU_SITUACAO_CONTA_EMPREGADO <> 3")
          .arg(tipo)
          .arg(inscricao));
  return ds->IsEmpty() ? 0 : ds->Fields(0).AsInt64();
}
} // namespace

QList<TSaldoEmpresa> TConsultaSaldo::Empresas() {
  QList<TSaldoEmpresa> r;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, MAX(E.NO_RAZAO_SOCIAL), "
      "CAST(SUM(C.VR_SALDO_RESCISORIO) * 100 AS BIGINT) FROM QZLTBG10_CONTA_EMPREGADO_ZELT C "
      "LEFT JOIN QZLTBG02_EMPRESA E ON E.NU_TIPO_INSO_EMPRA = C.NU_TIPO_INSO_EMPRA AND "
      "E.NU_INSCRICAO = C.NU_INSCRICAO WHERE C.NU_SITUACAO_CONTA_EMPREGADO <> 3 GROUP BY "
      "C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO ORDER BY 3"));
  for (ds->First(); !ds->Eof(); ds->Next())
    r.append({ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(),
              ds->Fields(2).AsString().trimmed(), ds->Fields(3).AsInt64()});
  return r;
}

QList<TSaldoConta> TConsultaSaldo::Contas(int tipo, qint64 inscricao) {
  QList<TSaldoConta> r;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, C.NU_PIS, C.NU_CATEGORIA, "
                     "C.DT_ADMISSAO_VINCULO, C.NO_EMPREGADO, C.DT_CREDITO_JUROS, "
                     "CAST(C.VR_SALDO_RESCISORIO * 100 AS BIGINT), C.NU_EMPREGADO_VORDA, "
                     "C.NU_SITUACAO_PIS, V.IC_ESTADO_MOVIMENTO FROM QZLTBG10_CONTA_EMPREGADO_ZELT "
                     "C JOIN QZLTBG04_VINCULO_EMPREGATICIO V ON ") +
      JuncaoVinculo(QStringLiteral("C"), QStringLiteral("V")) +
      QStringLiteral(" WHERE C.NU_TIPO_INSO_EMPRA = %1 AND C.NU_INSCRICAO = %2 AND "
                     "C.NU_SITUACAO_CONTA_EMPREGADO <> 3 ORDER BY C.NU_PIS, "
                     "C.DT_ADMISSAO_VINCULO, C.NU_CATEGORIA, C.NU_EMPREGADO_VORDA")
          .arg(tipo)
          .arg(inscricao));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TSaldoConta c;
    c.Chave = ChaveDasColunas(*ds);
    c.Nome = ds->Fields(5).AsString().trimmed();
    c.CreditoJuros = ds->Fields(6).IsNull() ? NullDate : ds->Fields(6).AsDateTime();
    c.Centavos = ds->Fields(7).AsInt64();
    c.EmpregadoVorda = ds->Fields(8).AsInt64();
    c.SituacaoPis = ds->Fields(9).AsInteger();
    c.Estado = ds->Fields(10).AsInteger();
    r.append(c);
  }
  return r;
}

TConsultaSaldo::TResultado TConsultaSaldo::ExcluirEmpresa(int tipo, qint64 inscricao,
                                                          qint64 &restante) {
  try {
    TEscopoTransacao transacao(IbxUtils);
    IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE "
                                         "NU_TIPO_INSO_EMPRA = %1 AND NU_INSCRICAO = %2 AND "
                                         "NU_TIPO_ALTERACAO = %3 AND IC_CONFIRMACAO = 'N'")
                              .arg(tipo)
                              .arg(inscricao)
                              .arg(AlteracaoNomeTrabalhador));
    TContaSaldoTrabalhador conta;
    conta.CarregarAssociados = false;
    conta.DefinirChave(tipo, inscricao, 0, 0, NullDate);
    if (!conta.Excluir(true, false, true))
      return Falhou;
    TTrabalhador t;
    t.AtualizarSaldosRescisorios();
    restante = SomaEmpresa(tipo, inscricao);
    transacao.Confirmar();
    return restante > 0 || TConsultaSaldo::Contas(tipo, inscricao).size() > 0 ? Restam : Excluido;
  } catch (const std::exception &) {
    return Falhou;
  }
}

TConsultaSaldo::TResultado TConsultaSaldo::ExcluirConta(const TSaldoConta &c) {
  if (c.Estado == 2 || c.Estado == 3)
    return VinculoFechado;
  try {
    TEscopoTransacao transacao(IbxUtils);
    TContaSaldoTrabalhador conta;
    conta.CarregarAssociados = false;
    conta.DefinirChave(c.Chave.Tipo, c.Chave.Inscricao, c.Chave.PIS, c.Chave.Categoria,
                       c.Chave.Admissao);
    conta.NU_EMPREGADO_VORDA = c.EmpregadoVorda;
    if (!conta.Excluir(false, true, true))
      return Falhou;
    if (c.SituacaoPis == 2)
      IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE ") +
                            c.Chave.Condicao() +
                            QStringLiteral(" AND NU_TIPO_ALTERACAO = %1 AND "
                                           "NU_EMPREGADO_VORDA_ALT_CDSTL = %2")
                                .arg(AlteracaoNomeTrabalhador)
                                .arg(c.EmpregadoVorda));
    TTrabalhador t;
    t.AtualizarSaldoRescisorio(c.Chave.Tipo, c.Chave.Categoria, c.Chave.Admissao, c.Chave.PIS,
                               c.Chave.Inscricao);
    transacao.Confirmar();
    return Excluido;
  } catch (const std::exception &) {
    return Falhou;
  }
}

QList<TOcorrenciaSaldo> TConsultaSaldo::Ocorrencias(const TChaveVinculo *vinculo) {
  QList<TOcorrenciaSaldo> r;
  // The names are compared as the load compares them: trimmed, upper case.
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral(
          "SELECT C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, E.NO_RAZAO_SOCIAL, C.NU_EMPRESA_VORDA, "
          "C.NU_SITUACAO_CONTA_EMPRESA, S.DE_SITUACAO_CONTA_EMPRESA, C.NU_PIS, T.NO_EMPREGADO, "
          "C.NU_EMPREGADO_VORDA, CASE WHEN C.NU_SITUACAO_CONTA_EMPREGADO = 1 THEN 235 WHEN "
          "C.NU_SITUACAO_CONTA_EMPREGADO = 2 THEN 236 WHEN C.NU_SITUACAO_CONTA_EMPREGADO = 3 THEN "
          "237 "
          "WHEN C.NU_SITUACAO_PIS = 2 AND UPPER(TRIM(C.NO_EMPREGADO)) = "
          "UPPER(TRIM(T.NO_EMPREGADO)) "
          "THEN 234 WHEN C.NU_SITUACAO_PIS = 1 AND UPPER(TRIM(C.NO_EMPREGADO)) IS DISTINCT FROM "
          "UPPER(TRIM(T.NO_EMPREGADO)) THEN 233 ELSE 0 END FROM QZLTBG10_CONTA_EMPREGADO_ZELT C "
          "JOIN QZLTBG04_VINCULO_EMPREGATICIO V ON ") +
      JuncaoVinculo(QStringLiteral("C"), QStringLiteral("V")) +
      QStringLiteral(
          " LEFT JOIN QZLTBG02_EMPRESA E ON E.NU_TIPO_INSO_EMPRA = C.NU_TIPO_INSO_EMPRA AND "
          "E.NU_INSCRICAO = C.NU_INSCRICAO LEFT JOIN QZLTBG03_EMPREGADO T ON T.NU_PIS = C.NU_PIS "
          "LEFT JOIN QZLTBT19_TPO_STCO_CONTA_EMPRESA S ON S.NU_SITUACAO_CONTA_EMPRESA = "
          "C.NU_SITUACAO_CONTA_EMPRESA WHERE V.IC_ESTADO_MOVIMENTO NOT IN (2, 3) AND ("
          "(COALESCE(C.NU_SITUACAO_CONTA_EMPRESA, 0) = 0 AND C.NU_SITUACAO_PIS = 1 AND "
          "UPPER(TRIM(C.NO_EMPREGADO)) IS DISTINCT FROM UPPER(TRIM(T.NO_EMPREGADO))) OR "
          "(C.NU_SITUACAO_PIS = 2 AND UPPER(TRIM(C.NO_EMPREGADO)) = UPPER(TRIM(T.NO_EMPREGADO))) "
          "OR C.NU_SITUACAO_CONTA_EMPREGADO IN (1, 2, 3) OR C.NU_SITUACAO_CONTA_EMPRESA > 0) ") +
      (vinculo ? QStringLiteral("AND ") + vinculo->Condicao(QStringLiteral("C")) + u' '
               : QString()) +
      QStringLiteral("ORDER BY C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, C.NU_PIS"));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TOcorrenciaSaldo o;
    o.Tipo = ds->Fields(0).AsInteger();
    o.Inscricao = ds->Fields(1).AsInt64();
    o.RazaoSocial = ds->Fields(2).AsString().trimmed();
    o.EmpresaVorda = ds->Fields(3).AsInt64();
    o.SituacaoEmpresa = ds->Fields(4).AsInteger();
    o.DescricaoSituacaoEmpresa = ds->Fields(5).AsString().trimmed();
    o.PIS = ds->Fields(6).AsInt64();
    o.Nome = ds->Fields(7).AsString().trimmed();
    o.EmpregadoVorda = ds->Fields(8).AsInt64();
    o.Mensagem = ds->Fields(9).AsInteger();
    r.append(o);
  }
  return r;
}
