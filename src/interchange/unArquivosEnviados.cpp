#include "interchange/unArquivosEnviados.h"

#include "collection/unTGuiaEmpresa.h"
#include "core/unFBUtils.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "interchange/unProtocolo.h"
#include "interchange/unTArqRescisorio.h"

namespace {
using U = TUtilitarios;
}

QList<TArquivoComRegistro> TArquivosEnviados::Procurar(const QString &Chave, const QString &Valor) {
  const QString valor = Valor.trimmed();
  const bool pis = Chave == QLatin1String("PIS/PASEP");
  if ((!pis && Chave != QLatin1String("INSCRICAO")) || valor.isEmpty() ||
      !U::SomenteNumeros(valor) || valor.size() > 18)
    return {};
  const QString sql =
      pis ? QStringLiteral(
                "SELECT DISTINCT TIPARQ.DE_ARQUIVO, ARQ.CO_PROTOCOLO, ARQ.DT_ENVIO_PROTOCOLO, "
                "ARQ.NU_IDENTIFICADOR_ARQUIVO, "
                "ENVEMPR.NU_TIPO_INSCRICAO_ENVIO, ENVEMPR.NU_INSCRICAO_ENVIO, ENVEMPR.NU_PIS_ENVIO "
                "FROM QZLTBG16_ENVIO_EMPREGADO ENVEMPR JOIN QZLTBG13_ARQUIVO ARQ ON "
                "ARQ.NU_IDENTIFICADOR_ARQUIVO = ENVEMPR.NU_IDENTIFICADOR_ARQUIVO JOIN "
                "QZLTBT12_TIPO_ARQUIVO TIPARQ ON TIPARQ.NU_ARQUIVO = ARQ.NU_ARQUIVO "
                "WHERE ENVEMPR.NU_PIS_ENVIO = ")
          : QStringLiteral(
                "SELECT DISTINCT TIPARQ.DE_ARQUIVO, ARQ.CO_PROTOCOLO, ARQ.DT_ENVIO_PROTOCOLO, "
                "ARQ.NU_IDENTIFICADOR_ARQUIVO, "
                "ENVEMP.NU_TIPO_INSCRICAO_ENVIO, ENVEMP.NU_INSCRICAO_ENVIO "
                "FROM QZLTBG15_ENVIO_EMPRESA ENVEMP JOIN QZLTBG13_ARQUIVO ARQ ON "
                "ARQ.NU_IDENTIFICADOR_ARQUIVO = ENVEMP.NU_IDENTIFICADOR_ARQUIVO JOIN "
                "QZLTBT12_TIPO_ARQUIVO TIPARQ ON TIPARQ.NU_ARQUIVO = ARQ.NU_ARQUIVO "
                "WHERE ENVEMP.NU_INSCRICAO_ENVIO = ");
  QList<TArquivoComRegistro> r;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      sql + QString::number(U::ParaInteiro64(valor)) +
      QStringLiteral(
          " ORDER BY TIPARQ.DE_ARQUIVO, ARQ.CO_PROTOCOLO, ARQ.NU_IDENTIFICADOR_ARQUIVO"));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TArquivoComRegistro a;
    a.DeArquivo = ds->Fields(0).AsString().trimmed();
    a.Protocolo = ds->Fields(1).AsString().trimmed();
    a.DataEnvio = ds->Fields(2).AsDateTime();
    a.Identificador = ds->Fields(3).AsString().trimmed();
    a.TipoInscricao = ds->Fields(4).AsInteger();
    a.Inscricao = ds->Fields(5).AsInt64();
    if (pis)
      a.PIS = ds->Fields(6).AsInt64();
    r << a;
  }
  return r;
}

bool TArquivosEnviados::Excluir(const QString &Identificador, QList<TChaveVinculo> *Reabertos) {
  const QString id = Identificador.trimmed();
  if (id.isEmpty())
    return false;
  try {
    TEscopoTransacao escopo(IbxUtils);
    TGuiaEmpresa guias;
    if (!guias.ExcluirPorArquivo(id))
      return false;
    // Nothing reads these rows once the file's record is gone: they go with it.
    for (const char *tabela :
         {"QZLTBG14_OCORRENCIA_GUIA", "QZLTBG16_ENVIO_EMPREGADO", "QZLTBG15_ENVIO_EMPRESA"})
      IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM %1 WHERE NU_IDENTIFICADOR_ARQUIVO = %2")
                                .arg(QString::fromLatin1(tabela), U::TextoSQL(id)));
    TProtocolo protocolo;
    protocolo.NU_IDENTIFICADOR_ARQUIVO = id;
    if (!protocolo.Excluir())
      return false;
    escopo.Confirmar();
    if (Reabertos)
      *Reabertos = guias.VinculosReabertos;
    return true;
  } catch (const std::exception &) {
    return false;
  }
}

TArquivosEnviados::TResultadoSalvar
TArquivosEnviados::SalvarArquivo(const QString &Identificador, QString &Caminho, QString &Codigo) {
  Caminho.clear();
  Codigo.clear();
  const QString id = Identificador.trimmed();
  TGuiaEmpresa guia;
  const TDataSetPtr ds = guia.LinhasOcorrencia(id);
  if (!ds || ds->IsEmpty()) {
    Codigo = ds ? QStringLiteral("0306") : QStringLiteral("0144");
    return Falhou;
  }
  QStringList linhas;
  for (ds->First(); !ds->Eof(); ds->Next())
    linhas << ds->Fields(0).AsString();
  TProtocolo protocolo;
  protocolo.NU_IDENTIFICADOR_ARQUIVO = id;
  if (!protocolo.CarregarPorIdentificador()) {
    Codigo = QStringLiteral("0144");
    return Falhou;
  }
  guia.NU_IDENTIFICADOR_ARQUIVO = id;
  const TDateTime recolhimento = guia.CarregarPorArquivo() ? guia.DT_RECOLHIMENTO : NullDate;
  // Every path that does not commit rolls back and ends the transaction.
  const bool propria = !IbxUtils->EmTransacao();
  auto desfazer = [&] {
    if (IbxUtils->EmTransacao())
      try {
        IbxUtils->DesfazerTransacao();
      } catch (...) {
      }
  };
  try {
    if (propria)
      IbxUtils->IniciarTransacao();
    TArqRescisorio arquivo;
    if (!arquivo.SalvarEnvelope(linhas, id, true, recolhimento)) {
      desfazer();
      Codigo = arquivo.CodigoErro;
      return Codigo.isEmpty() ? Cancelado : Falhou;
    }
    protocolo.NM_ARQUIVO = arquivo.NomeArquivo;
    if (!protocolo.Alterar()) {
      desfazer();
      Codigo = QStringLiteral("0144");
      return Falhou;
    }
    IbxUtils->ConfirmarTransacao();
    Caminho = arquivo.NomeArquivo;
    return Salvo;
  } catch (const std::exception &) {
    desfazer();
    Codigo = QStringLiteral("0144");
    return Falhou;
  }
}
