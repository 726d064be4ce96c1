#pragma once
// Scope of the shared transaction for business saves that write several
// statements: it opens the transaction unless the caller already holds one,
// and only the scope that opened it commits. Leaving the scope without
// Confirmar rolls back, so an exception or an early return leaves nothing
// half-written. Inside a caller's transaction the outcome stays the caller's.
#include "core/unFBUtils.h"

class TEscopoTransacao {
public:
  explicit TEscopoTransacao(TIbxUtils *ibx) : ibx_(ibx), propria_(!ibx->EmTransacao()) {
    if (propria_)
      ibx_->IniciarTransacao();
  }
  ~TEscopoTransacao() {
    if (propria_ && ibx_->EmTransacao()) {
      try {
        ibx_->DesfazerTransacao();
      } catch (...) {
      }
    }
  }
  TEscopoTransacao(const TEscopoTransacao &) = delete;
  TEscopoTransacao &operator=(const TEscopoTransacao &) = delete;

  void Confirmar() {
    if (propria_)
      ibx_->ConfirmarTransacao();
    propria_ = false;
  }

private:
  TIbxUtils *ibx_;
  bool propria_;
};
