#include "unTArqRetornoGuia.h"

#include <QSet>

#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/unFBUtils.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "interchange/unArqReeenvioRejeitado.h"
#include "interchange/unProtocolo.h"
#include "registry/unVinculo.h"

using namespace LeiauteRescisorio;

TArqRetornoGuia::TArqRetornoGuia(int Tipo) : TipoGuia(Tipo) {
  if (Tipo <= 0)
    throw ENegocio(QStringLiteral("Tipo de Guia não definido."));
  if (Tipo == tiGuiaProcessada)
    LetraGuia = QStringLiteral("P");
}

bool TArqRetornoGuia::Importar() {
  TArqGuia::Importar();
  NumeroArquivo = TipoGuia;
  CodigoErro.clear();
  GuiasEmpresaGravadas = GuiasTrabalhadorGravadas = 0;
  VinculosProcessados.clear();
  ReenvioRejeitado = false;
  bool resultado = false;
  try {
    LimparInconsistencias();
    Etapa(1);
    if (!Abrir()) {
      RegistrarInconsistencia(NomeArquivo, QString(), 0, ErroAbertura ? ErroAbertura : 151);
    } else if (!Linhas.isEmpty() && Linhas.first().mid(90).trimmed().isEmpty() &&
               TipoGuia == tiGuiaProcessada) {
      ReenvioRejeitado = true;
      ImportarReenvioRejeitado();
    } else {
      // Blank lines after the trailer are not records.
      while (!Linhas.isEmpty() && Linhas.last().trimmed().isEmpty())
        Linhas.removeLast();
      DefinirMaximo(5 * static_cast<int>(Linhas.size()));
      // The sent file is named by the header even when a pass fails before
      // the contents are read: its protocol must learn the refusal.
      if (!Linhas.isEmpty() && Linhas.first().startsWith(QLatin1String("00")))
        IdentificadorArquivo = LerCampo(Linhas.first(), CabecalhoRetorno[hdIdentificador]);
      // The checks read reference tables and record their inconsistencies
      // line after line: one transaction instead of a commit per statement.
      // What they recorded is kept before the storing pass opens its own.
      IbxUtils->IniciarTransacao();
      const bool valido = ValidarEstrutura() && ValidarChaves() && ValidarConteudo();
      IbxUtils->ConfirmarTransacao();
      if (valido) {
        resultado = GravarGuias();
        if (!resultado && !Cancelado())
          RegistrarInconsistencia(QString(), QString(), 0, 442);
      }
    }
  } catch (const ECancelado &) {
    resultado = false;
  } catch (const EMensagemInexistente &) {
    resultado = false; // CodigoErro already "0396"
    // What was recorded before the missing message stays for the report.
    if (IbxUtils->EmTransacao())
      IbxUtils->ConfirmarTransacao();
  } catch (...) {
    if (IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    try {
      AtualizarProtocolo(false);
    } catch (...) {
    }
    Fechar();
    throw;
  }
  if (IbxUtils->EmTransacao())
    IbxUtils->DesfazerTransacao();
  AtualizarProtocolo(resultado);
  Fechar();
  return resultado;
}

bool TArqRetornoGuia::ImportarReenvioRejeitado() {
  TArqReeenvioRejeitado aviso;
  aviso.NumeroArquivo = NumeroArquivo;
  aviso.Progresso = Progresso;
  aviso.Linhas = Linhas;
  if (aviso.Importar()) {
    IdentificadorArquivo = aviso.IdentificadorArquivo();
    // The refusals are rows of the report: the runner must offer it, so the
    // import ends with a message code even though the notice was read well.
    CodigoErro = aviso.CodigoErro.isEmpty() ? QStringLiteral("0209") : aviso.CodigoErro;
    MensagemInexistente = aviso.MensagemInexistente;
    return true;
  }
  CodigoErro = aviso.CodigoErro;
  MensagemInexistente = aviso.MensagemInexistente;
  if (CodigoErro == QLatin1String("0396"))
    throw EMensagemInexistente();
  return false;
}

namespace {
// The links' states are read and written for lists of keys: every statement
// the engine prepares costs more than the rows it touches.
constexpr int VinculosPorComando = 25;
} // namespace

bool TArqRetornoGuia::GravarGuias() {
  Etapa(6);
  Etapa(3);
  CodigoErro.clear();
  TEscopoTransacao transacao(IbxUtils);
  const int n = Linhas.size();
  TGuiaEmpresa &ge = GuiaEmpresa();
  TGuiaTrabalhador &gt = GuiaTrabalhador();
  ge.Ibx = IbxUtils;
  gt.Ibx = IbxUtils;
  int empresas = 0, trabalhadores = 0;
  try {
    for (int i = 0; i < n; ++i) {
      VerificarCancelamento();
      if (!LerRegistro(Linhas.at(i), i))
        return false;
      switch (Registro.Tipo) {
      case rgCabecalho:
        PreencherResponsavel();
        break;
      case rgEmpresa:
        PreencherGuiaEmpresa();
        if (!ge.GravarRetorno())
          return false;
        ++empresas;
        break;
      case rgVinculo:
        PreencherGuiaTrabalhador();
        break;
      case rgValores:
        PreencherValoresTrabalhador();
        if (!gt.Gravar())
          return false;
        ++trabalhadores;
        break;
      default:
        break;
      }
      Avancar();
    }
    AtualizarVinculosProcessados();
  } catch (const EBancoDados &) {
    return false;
  }
  VerificarCancelamento();
  // The previous inconsistency list of this kind goes with this commit.
  if (!ConcluirInconsistencias())
    return false;
  transacao.Confirmar();
  GuiasEmpresaGravadas = empresas;
  GuiasTrabalhadorGravadas = trabalhadores;
  Etapa(7);
  // The tree reads the new states from the database on the main thread.
  if (AtualizarArvore && !VinculosProcessados.isEmpty())
    AtualizarArvore();
  return true;
}

void TArqRetornoGuia::AtualizarVinculosProcessados() {
  VinculosProcessados.clear();
  QList<TChaveVinculo> chaves;
  QSet<TChaveVinculo> vistas;
  const int n = Linhas.size();
  TRegistroGuia r;
  for (int i = 0; i < n; ++i) {
    const QString &l = Linhas.at(i);
    if (!l.startsWith(QLatin1String("40")) || !LerRegistro(l, i, r))
      continue;
    TChaveVinculo c;
    c.Tipo = static_cast<int>(r.Numero(vnTipoInscricao));
    c.Inscricao = r.Numero(vnInscricao);
    c.PIS = r.Numero(vnPIS);
    c.Categoria = static_cast<int>(r.Numero(vnCategoria));
    c.Admissao = DataCampoArquivo(r.Campo(vnDataAdmissao));
    if (!vistas.contains(c)) {
      vistas.insert(c);
      chaves.append(c);
    }
  }
  // Only a closed link becomes processed; one in another state, or not
  // registered here, is left as it is.
  for (int inicio = 0; inicio < chaves.size(); inicio += VinculosPorComando) {
    VerificarCancelamento();
    const QList<TChaveVinculo> parte = chaves.mid(inicio, VinculosPorComando);
    QStringList condicoes;
    for (const TChaveVinculo &c : parte)
      condicoes << u'(' + c.Condicao() + u')';
    const QString onde = QStringLiteral(" WHERE IC_ESTADO_MOVIMENTO = 2 AND (") +
                         condicoes.join(QStringLiteral(" OR ")) + u')';
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                       "DT_ADMISSAO_VINCULO FROM QZLTBG04_VINCULO_EMPREGATICIO") +
        onde);
    QSet<TChaveVinculo> fechados;
    for (ds->First(); !ds->Eof(); ds->Next()) {
      TChaveVinculo c;
      c.Tipo = ds->Fields(0).AsInteger();
      c.Inscricao = ds->Fields(1).AsInt64();
      c.PIS = ds->Fields(2).AsInt64();
      c.Categoria = ds->Fields(3).AsInteger();
      c.Admissao = ds->Fields(4).AsDateTime();
      fechados.insert(c);
    }
    if (fechados.isEmpty())
      continue;
    IbxUtils->ExecutarSQL(
        QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 3") + onde);
    for (const TChaveVinculo &c : parte)
      if (fechados.contains(c))
        VinculosProcessados.append(c);
  }
}

void TArqRetornoGuia::AtualizarProtocolo(bool Resultado) {
  if (IdentificadorArquivo.trimmed().isEmpty())
    return;
  TProtocolo p;
  p.Ibx = IbxUtils;
  p.NU_IDENTIFICADOR_ARQUIVO = IdentificadorArquivo;
  p.MarcarValidade(Resultado, 0);
  // A refused file must not stamp (or clear) the processing date of the
  // sent file's companies.
  if (Resultado && TipoGuia == tiGuiaProcessada)
    p.GravarProcessamento(GuiaEmpresa().DT_PROCESSAMENTO);
}
