#include "interchange/unArqReeenvioRejeitado.h"

#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "interchange/unLeiauteReenvio.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"

#include <QDate>
#include <QDateTime>
#include <QFile>

namespace {
namespace L = LeiauteReenvio;

bool DataDDMMAAAA(const QString &t) {
  return Utilitarios.SomenteNumeros(t) && t.size() == 8 &&
         QDate::fromString(t, QStringLiteral("ddMMyyyy")).isValid();
}
QString RTrim(const QString &t) {
  int n = int(t.size());
  while (n > 0 && t[n - 1].isSpace())
    --n;
  return t.left(n);
}
} // namespace

TArqReeenvioRejeitado::TArqReeenvioRejeitado() {
  NumeroArquivo = 5;
}

TArqReeenvioRejeitado::~TArqReeenvioRejeitado() = default;

int TArqReeenvioRejeitado::MensagemOcorrencia(int codigo) {
  static const int mensagens[] = {456, 457, 458, 459, 460, 461, 462, 463,
                                  464, 296, 465, 466, 467, 468, 469, 470};
  return codigo >= 1 && codigo <= 16 ? mensagens[codigo - 1] : 0;
}

void TArqReeenvioRejeitado::RegistrarInconsistencia(
    const QString &Conteudo, const QString &Registro, int Linha, int Mensagem,
    const QString &TipoInscResp, const QString &InscResp, const QString &NomeResp,
    const QString &TipoInscEmpresa, const QString &InscEmpresa, const QString &RazaoSocial,
    const QString &PIS, const QString &Categoria, const QString &DtAdmissao,
    const QString &NomeEmpregado) {
  ArquivoValido = false;
  RegistroValido = false;
  TArquivo::RegistrarInconsistencia(Conteudo, Registro, Linha, Mensagem, TipoInscResp, InscResp,
                                    NomeResp, TipoInscEmpresa, InscEmpresa, RazaoSocial, PIS,
                                    Categoria, DtAdmissao, NomeEmpregado);
}

void TArqReeenvioRejeitado::Registrar(const QString &Conteudo, const QString &Registro, int Linha,
                                      int Mensagem) {
  RegistrarInconsistencia(Conteudo, Registro, Linha, Mensagem, tipoResp_, inscResp_, nomeResp_);
}

bool TArqReeenvioRejeitado::InscricaoValida(const QString &Tipo, const QString &Inscricao) {
  if (!Utilitarios.SomenteNumeros(Tipo) || !Utilitarios.SomenteNumeros(Inscricao))
    return false;
  empresa_->NU_TIPO_INSO_EMPRA = Tipo.toInt();
  empresa_->NU_INSCRICAO = Inscricao;
  return empresa_->ValidarTipoInscricao() && empresa_->ValidarInscricao();
}

bool TArqReeenvioRejeitado::Importar() {
  ArquivoValido = RegistroValido = true;
  identificador_.clear();
  detalhes_ = 0;
  responsavel_ = std::make_unique<TResponsavel>();
  empresa_ = std::make_unique<TEmpresa>();
  bool resultado = false;
  try {
    LimparInconsistencias();
    Etapa(1);
    indice_ = TArrRegRegistroReenv(Linhas.size());
    DefinirMaximo(int(Linhas.size()) * 5);
    if (Configuracao.GravaArquivo) {
      QFile copia(PastaPrograma() + QStringLiteral("/GUIA_PROCESSADO_REJEITADO") +
                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")) +
                  QStringLiteral(".txt"));
      if (copia.open(QIODevice::WriteOnly))
        for (const QString &l : Linhas)
          copia.write(ParaWin1252(l) + "\r\n");
    }
    resultado = Passo1Estrutura() && Passo2Inscricoes() && Passo3Conteudo() && Passo4Ocorrencias();
  } catch (const EMensagemInexistente &) {
    resultado = false;
  } catch (const ECancelado &) {
    resultado = false;
  }
  responsavel_.reset();
  empresa_.reset();
  return resultado;
}

bool TArqReeenvioRejeitado::Passo1Estrutura() {
  CodigoErro.clear();
  const QString primeira = Linhas.value(0);
  const bool comCabecalho = primeira.startsWith(u'0');
  tipoResp_ = LerCampo(primeira, L::AvisoCabecalho[L::acTipoInscricao]);
  inscResp_ = LerCampo(primeira, L::AvisoCabecalho[L::acInscricao]);
  nomeResp_ = RTrim(LerCampo(primeira, L::AvisoCabecalho[L::acNome]));
  if (Linhas.size() <= 2 || !comCabecalho || !Linhas[1].startsWith(u'1') ||
      !Linhas.last().startsWith(u'9')) {
    CodigoErro = QStringLiteral("0385");
    if (comCabecalho)
      Registrar(QString(), QString(), 0, 385);
    else
      RegistrarInconsistencia(QString(), QString(), 0, 385);
    return false;
  }
  for (int i = 0; i < Linhas.size(); ++i) {
    if (Cancelado())
      throw ECancelado();
    const QString &l = Linhas[i];
    const QString tipo = l.left(1);
    if (tipo == QStringLiteral("0")) {
      indice_[i] = {tipo, LerCampo(l, L::AvisoCabecalho[L::acTipoInscricao]),
                    LerCampo(l, L::AvisoCabecalho[L::acInscricao]),
                    RTrim(LerCampo(l, L::AvisoCabecalho[L::acNome]))};
    } else if (tipo == QStringLiteral("1")) {
      indice_[i] = {tipo, LerCampo(l, L::AvisoGuia[L::agTipoInscricao]),
                    LerCampo(l, L::AvisoGuia[L::agInscricao]), QString()};
    } else if (tipo == QStringLiteral("9")) {
      indice_[i] = {tipo, QString(), QString(), QString()};
    } else {
      Registrar(tipo, tipo, i + 1, 113);
      return false;
    }
    Avancar();
  }
  bool cabecalho = false, trailer = false;
  for (int i = 0; i < indice_.size(); ++i) {
    const QString &t = indice_[i].Tipo;
    if (t == QStringLiteral("9") && i != indice_.size() - 1) {
      Registrar(QString(), t, i + 1, 135);
      break;
    }
    if ((t == QStringLiteral("0") && cabecalho) || (t == QStringLiteral("9") && trailer)) {
      CodigoErro = QStringLiteral("0385");
      Registrar(QString(), t, i + 1, 135);
      break;
    }
    cabecalho = cabecalho || t == QStringLiteral("0");
    trailer = trailer || t == QStringLiteral("9");
    if (t == QStringLiteral("1") && i + 1 < indice_.size() &&
        indice_[i + 1].Tipo != QStringLiteral("1") && indice_[i + 1].Tipo != QStringLiteral("9")) {
      Registrar(QString(), indice_[i + 1].Tipo, i + 2, 135);
      break;
    }
  }
  Etapa(5);
  return CodigoErro.isEmpty();
}

bool TArqReeenvioRejeitado::Passo2Inscricoes() {
  Etapa(2);
  for (int i = 0; i < indice_.size(); ++i) {
    if (Cancelado())
      throw ECancelado();
    const TRegRegistroReenv &r = indice_[i];
    if (r.Tipo != QStringLiteral("0") && r.Tipo != QStringLiteral("1"))
      continue;
    if (!InscricaoValida(r.TipoInscricao, r.Inscricao))
      Registrar(QString(), r.Tipo, i + 1, 385);
    Avancar();
  }
  return ArquivoValido;
}

bool TArqReeenvioRejeitado::Passo3Conteudo() {
  for (int i = 0; i < Linhas.size(); ++i) {
    if (Cancelado())
      throw ECancelado();
    const QString &l = Linhas[i];
    const int n = i + 1;
    if (l.size() != L::TamanhoAviso) {
      Registrar(QString(), QStringLiteral("0"), n, 385);
      return false;
    }
    const QString tipo = l.left(1);
    if (tipo == QStringLiteral("0")) {
      const QString tipoInscricao = LerCampo(l, L::AvisoCabecalho[L::acTipoInscricao]);
      const QString inscricao = LerCampo(l, L::AvisoCabecalho[L::acInscricao]);
      responsavel_->NU_TIPO_INSO_EMPRA = tipoInscricao.toInt();
      responsavel_->NU_INSCRICAO = inscricao;
      responsavel_->NO_RAZAO_SOCIAL = RTrim(LerCampo(l, L::AvisoCabecalho[L::acNome]));
      responsavel_->IC_ESTADO_EMPRESA = QStringLiteral("R");
      identificador_ = LerCampo(l, L::AvisoCabecalho[L::acIdentificador]);
      if (!DataDDMMAAAA(LerCampo(l, L::AvisoCabecalho[L::acData])))
        Registrar(QString(), tipo, n, 385);
      if (!InscricaoValida(tipoInscricao, inscricao))
        Registrar(QString(), tipo, n, 385);
      if (!responsavel_->ValidarRazaoSocial() ||
          !Utilitarios.SemEspacosDuplos(responsavel_->NO_RAZAO_SOCIAL))
        Registrar(QString(), tipo, n, 385);
      if (identificador_.trimmed().isEmpty() || Utilitarios.TodosZeros(identificador_, 30))
        Registrar(QString(), tipo, n, 385);
    } else if (tipo == QStringLiteral("1")) {
      ++detalhes_;
      const QString tipoInscricao = LerCampo(l, L::AvisoGuia[L::agTipoInscricao]);
      const QString inscricao = LerCampo(l, L::AvisoGuia[L::agInscricao]);
      const QString codigoBarras = LerCampo(l, L::AvisoGuia[L::agCodigoBarras]);
      empresa_->NU_TIPO_INSO_EMPRA = tipoInscricao.toInt();
      empresa_->NU_INSCRICAO = inscricao;
      if (!InscricaoValida(tipoInscricao, inscricao))
        Registrar(QString(), tipo, n, 385);
      if (!DataDDMMAAAA(LerCampo(l, L::AvisoGuia[L::agDataPagamento])))
        Registrar(QString(), tipo, n, 385);
      if (!Utilitarios.SomenteNumeros(codigoBarras) ||
          codigoBarras.size() != L::AvisoGuia[L::agCodigoBarras].Tamanho)
        Registrar(QString(), tipo, n, 385);
      if (!Utilitarios.SomenteNumeros(LerCampo(l, L::AvisoGuia[L::agOcorrencia])))
        Registrar(QString(), tipo, n, 385);
    } else if (tipo == QStringLiteral("9")) {
      const QString contagem = LerCampo(l, L::AvisoTrailer[L::atQuantidadeGuias]);
      if (!Utilitarios.SomenteNumeros(contagem) || contagem.toInt() != detalhes_)
        Registrar(QString(), tipo, n, 385);
    }
    Avancar();
  }
  Etapa(6);
  return ArquivoValido;
}

bool TArqReeenvioRejeitado::Passo4Ocorrencias() {
  TEscopoTransacao transacao(Ibx);
  for (int i = 0; i < Linhas.size(); ++i) {
    if (Cancelado())
      throw ECancelado();
    const QString &l = Linhas[i];
    if (!l.startsWith(u'1'))
      continue;
    const int codigo = Utilitarios.ParaInteiro(LerCampo(l, L::AvisoGuia[L::agOcorrencia]));
    if (codigo <= 0)
      continue;
    // A code outside the table has no message: the registration fails with
    // 0396 and the scope rolls every occurrence back.
    Registrar(QString(), QStringLiteral("1"), i + 1, MensagemOcorrencia(codigo));
    Avancar();
  }
  transacao.Confirmar();
  return true;
}
