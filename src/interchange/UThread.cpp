#include "UThread.h"

#include "UnArqFolha.h"
#include "collection/unArqCargaSaldo.h"
#include "core/unFBUtils.h"
#include "core/unSinais.h"
#include "registry/unArqOcorrenciaChaveIdentificacao.h"
#include "unTArqRescisorio.h"
#include "unTArqRetornoGuia.h"

#include <exception>

namespace {
std::map<int, TFabricaOperacao> &Fabricas() {
  static std::map<int, TFabricaOperacao> f;
  return f;
}

// Operations 3 and 4 report one generic code unless the message table
// itself failed them.
QString TraduzirCodigo(const QString &codigo) {
  if (codigo.isEmpty())
    return {};
  if (codigo == QStringLiteral("0396"))
    return codigo;
  return QStringLiteral("0209");
}
} // namespace

void RegistrarOperacaoArquivo(int operacao, TFabricaOperacao fabrica) {
  Fabricas()[operacao] = std::move(fabrica);
}

void TExecucaoArquivo::Executar() {
  if (Iniciada)
    return;
  Iniciada = true;
  // A signal stops the operation between lines instead of ending the
  // process under it.
  TOperacaoCooperativa cooperativa;
  Sucesso = false;
  CodigoErro.clear();
  try {
    if (Operacao == opImportarFolha) {
      auto folha = std::make_unique<TArqFolha>();
      TArqFolha *f = folha.get();
      Objeto = std::move(folha);
      f->NomeArquivo = NomeArquivo;
      f->Progresso = Progresso;
      f->AtualizarArvore = AtualizarArvore;
      Sucesso = f->Importar();
      CodigoErro = f->CodigoErro;
    } else if (Operacao == opCargaSaldo) {
      auto carga = std::make_unique<TArqCargaSaldo>();
      TArqCargaSaldo *c = carga.get();
      Objeto = std::move(carga);
      c->NomeArquivo = NomeArquivo;
      c->Progresso = Progresso;
      c->AtualizarArvore = AtualizarArvore;
      c->DataCarga = Hoje();
      Sucesso = c->Importar();
      if (!Sucesso)
        CodigoErro = c->CodigoErro;
    } else if (Operacao == opOcorrenciaChave) {
      auto chave = std::make_unique<TArqChaveIdentificacao>();
      TArqChaveIdentificacao *c = chave.get();
      Objeto = std::move(chave);
      c->NomeArquivo = NomeArquivo;
      c->Progresso = Progresso;
      c->DataRetorno = Hoje();
      Sucesso = c->Processar() && !Cancelado();
      CodigoErro = TraduzirCodigo(c->CodigoErro);
    } else if (Operacao == opRetornoGuia) {
      auto retorno = std::make_unique<TArqRetornoGuia>(tiGuiaProcessada);
      TArqRetornoGuia *r = retorno.get();
      Objeto = std::move(retorno);
      r->NomeArquivo = NomeArquivo;
      r->Progresso = Progresso;
      r->AtualizarArvore = AtualizarArvore;
      Sucesso = r->Importar() && !Cancelado();
      CodigoErro = TraduzirCodigo(r->CodigoErro);
    } else if (Operacao == opArquivoRescisorio) {
      auto arquivo = std::make_unique<TArqRescisorio>();
      TArqRescisorio *a = arquivo.get();
      Objeto = std::move(arquivo);
      a->Progresso = Progresso;
      Sucesso = a->Processar();
      if (!Sucesso)
        CodigoErro = a->CodigoErro;
    } else {
      auto it = Fabricas().find(Operacao);
      if (it == Fabricas().end())
        throw ENegocio(QStringLiteral("Operação de arquivo desconhecida: ") +
                       QString::number(Operacao));
      const bool ok = it->second(*this);
      switch (Operacao) {
      case opOcorrenciaChave:
      case opRetornoGuia:
        Sucesso = ok && !Cancelado();
        CodigoErro = Objeto ? TraduzirCodigo(Objeto->CodigoErro) : QString();
        break;
      default:
        Sucesso = ok;
        if (!ok && Objeto)
          CodigoErro = Objeto->CodigoErro;
      }
    }
  } catch (const std::exception &e) {
    Sucesso = false;
    ErroInesperado = QString::fromStdString(e.what());
    if (Objeto) {
      if (Operacao == opOcorrenciaChave || Operacao == opRetornoGuia)
        CodigoErro = TraduzirCodigo(Objeto->CodigoErro);
      else
        CodigoErro = Objeto->CodigoErro;
    }
  } catch (...) {
    Sucesso = false;
    if (Objeto)
      CodigoErro = Objeto->CodigoErro;
  }
  if (Objeto)
    MensagemInexistente = Objeto->MensagemInexistente;
  // Nothing of a failed or cancelled operation may stay pending in the one
  // shared transaction.
  try {
    if (IbxUtils && IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
  } catch (...) {
  }
  // A reader that ended well without touching its list still replaces the
  // previous one (with an empty list); most do it inside their own commit.
  if (Sucesso && Objeto && Objeto->LimpezaPendente()) {
    try {
      Objeto->ConcluirInconsistencias();
    } catch (...) {
    }
  }
}

bool TExecucaoArquivo::Cancelado() const {
  return (Progresso && Progresso->Cancelado()) || SinalRecebido() != 0;
}

void TMyThread::run() {
  if (execucao_)
    execucao_->Executar();
}
