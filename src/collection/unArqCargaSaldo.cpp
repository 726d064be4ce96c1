#include "collection/unArqCargaSaldo.h"

#include "collection/UnTComplementoSaldo.h"
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unCentavos.h"
#include "core/unFBUtils.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unAlteracaoCadastral.h"
#include "registry/unEmpresa.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QDate>

namespace {
using U = TUtilitarios;
namespace L = LayoutSaldo;

constexpr int rgCabecalho = 0, rgEmpresa = 1, rgConta = 2, rgTrailerEmpresa = 8, rgTrailer = 9;

// Column 1 as a record type; anything else is -1.
int TipoDaLinha(const QString &linha) {
  if (linha.isEmpty() || !linha.at(0).isDigit())
    return -1;
  const int t = linha.at(0).digitValue();
  return (t == rgCabecalho || t == rgEmpresa || t == rgConta || t == rgTrailerEmpresa ||
          t == rgTrailer)
             ? t
             : -1;
}

bool Completo(const QString &valor, const TCampoArquivo &c) {
  return valor.size() == c.Tamanho;
}

bool SoDigitos(const QString &valor, const TCampoArquivo &c) {
  return Completo(valor, c) && U::SomenteNumeros(valor);
}

// Number of a digits field read without registering anything; -1 when it is
// not one.
qint64 Numero(const QString &linha, const TCampoArquivo &c) {
  const QString v = LerCampo(linha, c);
  return SoDigitos(v, c) ? v.toLongLong() : -1;
}

QString DoisDigitos(int tipo) {
  return QString::number(tipo).rightJustified(2, u'0');
}

bool NomesIguais(const QString &a, const QString &b) {
  // The bank pads its name field with blanks; only the letters count.
  return a.trimmed().toUpper() == b.trimmed().toUpper();
}
} // namespace

void TContaCarregada::Preencher(TContaSaldoTrabalhador &conta) const {
  conta.DefinirChave(Chave.Tipo, Chave.Inscricao, Chave.PIS, Chave.Categoria, Chave.Admissao);
  conta.NU_EMPRESA_VORDA = EmpresaVorda;
  conta.NU_EMPREGADO_VORDA = EmpregadoVorda;
  // The file's whole centavos, as the amount they are.
  conta.VR_SALDO_RESCISORIO = TCentavos::DeCentavos(SaldoCentavos).Valor();
  conta.NU_SITUACAO_PIS = SituacaoPis;
  conta.NU_SITUACAO_CONTA_EMPREGADO = SituacaoConta;
  conta.AA_MAIOR_COMPETENCIA = AnoCompetencia;
  conta.MM_MAIOR_COMPETENCIA = MesCompetencia;
  conta.NU_SITUACAO_CONTA_EMPRESA = SituacaoEmpresa;
  conta.DT_CREDITO_JUROS = DataCredito;
  conta.DT_GRAVACAO_ARQUIVO = DataGravacao;
  conta.Trabalhador().NO_EMPREGADO = NomeBanco;
}

TArqCargaSaldo::TArqCargaSaldo() {
  NumeroArquivo = tiCargaSaldo;
}

TArqCargaSaldo::~TArqCargaSaldo() = default;

bool TArqCargaSaldo::ContaRegular(int SituacaoConta, int SituacaoPis, const QString &NomeBanco,
                                  const QString &NomeRegistrado) {
  if (SituacaoConta != 0)
    return false;
  const bool iguais = NomesIguais(NomeBanco, NomeRegistrado);
  if (SituacaoPis == 1 && !iguais)
    return false;
  if (SituacaoPis == 2 && iguais)
    return false;
  return true;
}

void TArqCargaSaldo::CriarObjetos() {
  conta_ = std::make_unique<TContaSaldoTrabalhador>();
  empresa_ = std::make_unique<TEmpresa>();
  trabalhador_ = std::make_unique<TTrabalhador>();
  vinculo_ = std::make_unique<TVinculo>();
  // The objects carry what the file gives: the account's worker keeps the
  // bank's name instead of loading the registered one.
  conta_->CarregarAssociados = false;
  empresa_->CarregarAssociados = false;
  trabalhador_->CarregarAssociados = false;
  vinculo_->CarregarAssociados = false;
}

void TArqCargaSaldo::LiberarObjetos() {
  vinculo_.reset();
  trabalhador_.reset();
  empresa_.reset();
  conta_.reset();
}

void TArqCargaSaldo::VerificarCancelamento() const {
  if (Cancelado())
    throw ECancelado();
}

// ------------------------------------------------------------ registration

void TArqCargaSaldo::RegistrarInconsistencia(const QString &Conteudo, const QString &Registro,
                                             int Linha, int Mensagem, const QString &TipoInscResp,
                                             const QString &InscResp, const QString &NomeResp,
                                             const QString &TipoInscEmpresa,
                                             const QString &InscEmpresa, const QString &RazaoSocial,
                                             const QString &PIS, const QString &Categoria,
                                             const QString &DtAdmissao,
                                             const QString &NomeEmpregado) {
  RegistroValido = false;
  ArquivoValido = false;
  TArquivo::RegistrarInconsistencia(Conteudo, Registro, Linha, Mensagem, TipoInscResp, InscResp,
                                    NomeResp, TipoInscEmpresa, InscEmpresa, RazaoSocial, PIS,
                                    Categoria, DtAdmissao, NomeEmpregado);
}

void TArqCargaSaldo::Registrar(int Mensagem, const QString &Conteudo) {
  const TRegRegistro vazio;
  const TRegRegistro &r0 = !Indice.empty() && Indice.front().TipoRegistro == QStringLiteral("00")
                               ? Indice.front()
                               : vazio;
  const int i = linha_ - 1;
  const TRegRegistro &r = (i >= 0 && i < static_cast<int>(Indice.size())) ? Indice[i] : vazio;
  if (r.TipoRegistro == QStringLiteral("01"))
    RegistrarInconsistencia(Conteudo, r.TipoRegistro, linha_, Mensagem, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome, r.TipoInscricao, r.Inscricao, r.Nome);
  else if (r.TipoRegistro == QStringLiteral("02"))
    RegistrarInconsistencia(Conteudo, r.TipoRegistro, linha_, Mensagem, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome, r.TipoInscricao, r.Inscricao, r.Nome, r.PIS,
                            r.Categoria, r.DataAdmissao, r.NomeTrabalhador);
  else
    RegistrarInconsistencia(Conteudo, r.TipoRegistro, linha_, Mensagem, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome);
}

void TArqCargaSaldo::RegistrarCodigo(const TNegocio &objeto, const QString &Conteudo) {
  const int numero = objeto.CodigoErro.toInt();
  Registrar(numero > 0 ? numero : 396, Conteudo);
}

bool TArqCargaSaldo::ChecarDigitos(const QString &linha, const TCampoArquivo &c, qint64 &valor) {
  const QString v = LerCampo(linha, c);
  // A field cut short by the end of the line is as wrong as a letter in it.
  if (SoDigitos(v, c)) {
    valor = v.toLongLong();
    return true;
  }
  valor = 0;
  Registrar(11, QString::fromUtf8(c.Rotulo) + v);
  return false;
}

bool TArqCargaSaldo::ChecarDigitos(const QString &linha, const TCampoArquivo &c) {
  qint64 v = 0;
  return ChecarDigitos(linha, c, v);
}

bool TArqCargaSaldo::ChecarData(const QString &linha, const TCampoArquivo &c, TDateTime &data) {
  const QString v = LerCampo(linha, c);
  data = DataCampoArquivo(v);
  if (Completo(v, c)) {
    U::ValidarDataTexto(v);
    if (UltimoErro.isEmpty() && data != DataNaoValida)
      return true;
  }
  Registrar(212, QString::fromUtf8(c.Rotulo) + v);
  data = NullDate;
  return false;
}

void TArqCargaSaldo::ChecarZeros(const QString &linha, const TCampoArquivo &c) {
  const QString v = LerCampo(linha, c);
  if (!(SoDigitos(v, c) && U::TodosZeros(v, c.Tamanho)))
    Registrar(13, v);
}

void TArqCargaSaldo::ChecarBrancos(const QString &linha, const TCampoArquivo &c) {
  const QString v = LerCampo(linha, c);
  if (!Completo(v, c) || !CampoEmBranco(v))
    Registrar(9, v);
}

void TArqCargaSaldo::ChecarFimRegistro(const QString &linha) {
  // Text after the end of the record would be silently lost.
  if (linha.size() > L::TamanhoRegistro && !CampoEmBranco(linha.mid(L::TamanhoRegistro)))
    Registrar(9, linha.mid(L::TamanhoRegistro));
}

// ----------------------------------------------------------------- Importar

bool TArqCargaSaldo::Importar() {
  CriarObjetos();
  RegistroValido = true;
  ArquivoValido = true;
  ContaGravada = false;
  ContasPendentes = false;
  AlteracaoRegistrada = false;
  RegistroAlterado = false;
  ContasGravadas = 0;
  NumeroArquivo = tiCargaSaldo;
  CodigoErro.clear();
  Pendentes.clear();
  Identificador.clear();
  contas_.clear();
  acoes_.clear();
  Indice.clear();
  bool cancelado = false, semMensagem = false, estruturaValida = false, protocolo = false;
  bool validando = false;
  try {
    // The previous list of this file kind is replaced in the transaction that
    // writes the new one: a load that is cancelled or dies keeps the old list.
    if (!IbxUtils->EmTransacao())
      IbxUtils->IniciarTransacao();
    validando = true;
    LimparInconsistencias();
    if (!Abrir()) {
      RegistrarInconsistencia(NomeArquivo, QString(), 0, ErroAbertura ? ErroAbertura : 151);
    } else {
      Etapa(1);
      // Blank lines after the trailer are not records.
      while (!Linhas.isEmpty() && Linhas.last().trimmed().isEmpty())
        Linhas.removeLast();
      Indice.assign(static_cast<size_t>(Linhas.size()), TRegRegistro());
      DefinirMaximo(4 * static_cast<int>(Linhas.size()));
      Etapa(5);
      estruturaValida = ValidarEstrutura();
      if (estruturaValida) {
        ValidarTotais();
        ValidarConteudo();
      }
    }
    // A clean file replaces the old list with an empty one here, with the checks.
    ConcluirInconsistencias();
    IbxUtils->ConfirmarTransacao();
    validando = false;
    if (estruturaValida) {
      protocolo = true;
      GravarContas();
    }
  } catch (const ECancelado &) {
    cancelado = true;
  } catch (const EMensagemInexistente &) {
    semMensagem = true;
    // What was recorded before the missing message stays for the report.
    if (validando && IbxUtils->EmTransacao())
      IbxUtils->ConfirmarTransacao();
  } catch (const std::exception &) {
    if (IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    LiberarObjetos();
    Fechar();
    // The caller is told: never a silent failure.
    if (CodigoErro.isEmpty() || CodigoErro == QStringLiteral("0000"))
      CodigoErro = QStringLiteral("0402");
    throw;
  }
  if (IbxUtils->EmTransacao())
    IbxUtils->DesfazerTransacao();
  LiberarObjetos();
  Fechar();
  if (!cancelado && !protocolo && !semMensagem && !Identificador.isEmpty()) {
    try {
      AtualizarProtocolo(false);
    } catch (const std::exception &) {
    }
  }
  if (!cancelado && (RegistroAlterado || AlteracaoRegistrada)) {
    Etapa(4);
    if (AtualizarArvore)
      AtualizarArvore();
    Etapa(8);
  }
  if (semMensagem)
    CodigoErro = QStringLiteral("0396");
  else
    CodigoErro = ContaGravada && !ArquivoValido ? QStringLiteral("0253") : QStringLiteral("0402");
  return ArquivoValido && !cancelado && !semMensagem;
}

// ------------------------------------------------------------ structure

void TArqCargaSaldo::PreencherIndice(int i, int tipo) {
  const QString &l = Linhas.at(i);
  TRegRegistro &r = Indice[static_cast<size_t>(i)];
  r = TRegRegistro();
  r.TipoRegistro = DoisDigitos(tipo);
  switch (tipo) {
  case rgCabecalho:
    r.TipoInscricao = LerCampo(l, L::Cabecalho[L::cbTipoInscricao]);
    r.Inscricao = LerCampo(l, L::Cabecalho[L::cbInscricao]);
    r.Nome = LerCampo(l, L::Cabecalho[L::cbNome]);
    break;
  case rgEmpresa:
    r.TipoInscricao = LerCampo(l, L::Empresa[L::emTipoInscricao]);
    r.Inscricao = LerCampo(l, L::Empresa[L::emInscricao]);
    r.Nome = LerCampo(l, L::Empresa[L::emNome]);
    break;
  case rgConta:
    r.TipoInscricao = LerCampo(l, L::Conta[L::ctTipoInscricao]);
    r.Inscricao = LerCampo(l, L::Conta[L::ctInscricao]);
    // The company name of the employer record read last.
    for (int j = i - 1; j >= 0; --j)
      if (Indice[static_cast<size_t>(j)].TipoRegistro == QStringLiteral("01")) {
        r.Nome = Indice[static_cast<size_t>(j)].Nome;
        break;
      }
    r.PIS = LerCampo(l, L::Conta[L::ctPIS]);
    r.Categoria = LerCampo(l, L::Conta[L::ctCategoria]);
    r.DataAdmissao = LerCampo(l, L::Conta[L::ctDataAdmissao]);
    r.NomeTrabalhador = LerCampo(l, L::Conta[L::ctNome]);
    break;
  default:
    break;
  }
}

bool TArqCargaSaldo::ValidarEstrutura() {
  Etapa(2);
  const int n = Linhas.size();
  if (Indice.size() != static_cast<size_t>(n))
    Indice.assign(static_cast<size_t>(n), TRegRegistro());
  // The employer situation of an employer record, read without checks (the
  // contents pass reports a bad one).
  auto situacao = [this](int i) {
    const qint64 s = Numero(Linhas.at(i), L::Empresa[L::emSituacao]);
    return s < 0 ? 0 : static_cast<int>(s);
  };
  if (n > 0 && TipoDaLinha(Linhas.at(0)) == rgCabecalho)
    PreencherIndice(0, rgCabecalho);
  if (n <= 2 || TipoDaLinha(Linhas.at(0)) != rgCabecalho ||
      TipoDaLinha(Linhas.at(1)) != rgEmpresa ||
      (TipoDaLinha(Linhas.at(2)) != rgConta && situacao(1) == 0) ||
      TipoDaLinha(Linhas.at(n - 1)) != rgTrailer) {
    linha_ = 0;
    Registrar(401, QString());
    return false;
  }
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const int tipo = TipoDaLinha(Linhas.at(i));
    if (tipo < 0) {
      linha_ = i + 1;
      Registrar(113, Linhas.at(i).left(1));
      return false;
    }
    PreencherIndice(i, tipo);
    Avancar();
  }
  int cabecalhos = 0, trailers = 0, situacaoAtual = 0;
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const int tipo = TipoDaLinha(Linhas.at(i));
    if (tipo == rgCabecalho)
      ++cabecalhos;
    if (tipo == rgTrailer)
      ++trailers;
    if (cabecalhos > 1 || trailers > 1 || (tipo == rgTrailer && i != n - 1)) {
      linha_ = i + 1;
      Registrar(135, Linhas.at(i).left(1));
      return false;
    }
    if (tipo == rgEmpresa)
      situacaoAtual = situacao(i);
    if (i + 1 < n) {
      const int prox = TipoDaLinha(Linhas.at(i + 1));
      bool ok = true;
      if (tipo == rgEmpresa)
        ok = prox == rgConta || situacaoAtual != 0;
      else if (tipo == rgConta)
        ok = prox == rgConta || prox == rgTrailerEmpresa || situacaoAtual != 0;
      else if (tipo == rgTrailerEmpresa)
        ok = prox == rgEmpresa || prox == rgTrailer;
      if (!ok) {
        linha_ = i + 2;
        Registrar(135, Linhas.at(i + 1).left(1));
        return false;
      }
    }
    Avancar();
  }
  Etapa(6);
  return true;
}

// --------------------------------------------------------------- totals

void TArqCargaSaldo::ValidarTotais() {
  const int n = Linhas.size();
  qint64 empresas = 0, contas = 0, trailersEmpresa = 0, total = 0;
  qint64 contasEmpresa = 0, totalEmpresa = 0;
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    linha_ = i + 1;
    RegistroValido = true;
    const QString &l = Linhas.at(i);
    switch (TipoDaLinha(l)) {
    case rgEmpresa:
      ++empresas;
      contasEmpresa = 0;
      totalEmpresa = 0;
      break;
    case rgConta: {
      ++contas;
      ++contasEmpresa;
      qint64 saldo = 0;
      if (ChecarDigitos(l, L::Conta[L::ctSaldo], saldo)) {
        totalEmpresa += saldo;
        total += saldo;
      }
      break;
    }
    case rgTrailerEmpresa: {
      ++trailersEmpresa;
      qint64 v = 0;
      if (ChecarDigitos(l, L::TrailerEmpresa[L::teQuantidade], v) && v != contasEmpresa)
        Registrar(357, LerCampo(l, L::TrailerEmpresa[L::teQuantidade]));
      if (ChecarDigitos(l, L::TrailerEmpresa[L::teTotal], v) && v != totalEmpresa)
        Registrar(358, LerCampo(l, L::TrailerEmpresa[L::teTotal]));
      break;
    }
    case rgTrailer: {
      const struct {
        int campo;
        qint64 contado;
        int mensagem;
      } verificacoes[] = {{L::trEmpresas, empresas, 295},
                          {L::trContas, contas, 343},
                          {L::trTrailersEmpresa, trailersEmpresa, 344},
                          {L::trTotal, total, 330}};
      for (const auto &v : verificacoes) {
        qint64 lido = 0;
        if (ChecarDigitos(l, L::Trailer[v.campo], lido) && lido != v.contado)
          Registrar(v.mensagem, LerCampo(l, L::Trailer[v.campo]));
      }
      break;
    }
    default:
      break;
    }
    Avancar();
  }
}

// ------------------------------------------------------------- contents

void TArqCargaSaldo::CarregarVinculos() {
  // What the registry holds of every link, read once: the state, the
  // movement and collective-agreement amount that decide the balance
  // refresh, and the registered worker name the bank's name is compared with.
  vinculos_.clear();
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT V.NU_TIPO_INSO_EMPRA, V.NU_INSCRICAO, V.NU_PIS, V.NU_CATEGORIA, "
      "V.DT_ADMISSAO_VINCULO, V.IC_ESTADO_MOVIMENTO, V.CO_MOVIMENTACAO, R.VR_DISSIDIO, "
      "E.NO_EMPREGADO FROM QZLTBG04_VINCULO_EMPREGATICIO V LEFT JOIN QZLTBG06_INFORMACAO_RESCISAO "
      "R ON R.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND R.NU_INSCRICAO = V.NU_INSCRICAO AND "
      "R.NU_PIS = V.NU_PIS AND R.NU_CATEGORIA = V.NU_CATEGORIA AND R.DT_ADMISSAO_VINCULO = "
      "V.DT_ADMISSAO_VINCULO LEFT JOIN QZLTBG03_EMPREGADO E ON E.NU_PIS = V.NU_PIS"));
  vinculos_.reserve(ds->RecordCount());
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TChaveVinculo c{ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(), ds->Fields(2).AsInt64(),
                    ds->Fields(3).AsInteger(), ds->Fields(4).AsDateTime()};
    TVinculoGravado g;
    g.Estado = ds->Fields(5).AsInteger();
    g.Movimentacao = ds->Fields(6).AsString().trimmed().toUpper();
    g.ComDissidio = !ds->Fields(7).IsNull() && ds->Fields(7).AsFloat() > 0;
    g.Nome = ds->Fields(8).AsString();
    vinculos_.insert(c, g);
  }
}

void TArqCargaSaldo::ValidarConteudo() {
  CarregarVinculos();
  categorias_.clear();
  cabecalhoValido_ = false;
  empresaValida_ = false;
  const int n = Linhas.size();
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    linha_ = i + 1;
    RegistroValido = true;
    const QString &l = Linhas.at(i);
    switch (TipoDaLinha(l)) {
    case rgCabecalho:
      cabecalhoValido_ = ValidarCabecalho(l);
      break;
    case rgEmpresa:
      // Without a valid header nothing of the file is taken.
      if (!cabecalhoValido_)
        return;
      empresaValida_ = ValidarEmpresa(l);
      break;
    case rgConta:
      if (cabecalhoValido_ && empresaValida_)
        ValidarRegistroConta(l);
      break;
    default:
      break;
    }
    Avancar();
  }
}

bool TArqCargaSaldo::ValidarCabecalho(const QString &l) {
  const QString id = LerCampo(l, L::Cabecalho[L::cbIdentificador]);
  Identificador = id.trimmed();
  if (Identificador.isEmpty() || (U::SomenteNumeros(id) && U::TodosZeros(id, id.size())))
    Registrar(450, id);
  qint64 v = 0;
  if (ChecarDigitos(l, L::Cabecalho[L::cbTipoRemessa], v) && v != 3)
    Registrar(131, LerCampo(l, L::Cabecalho[L::cbTipoRemessa]));
  if (ChecarDigitos(l, L::Cabecalho[L::cbCodigoServico], v) && v != 2)
    Registrar(246, LerCampo(l, L::Cabecalho[L::cbCodigoServico]));
  const QString servico = LerCampo(l, L::Cabecalho[L::cbServico]);
  if (servico.toUpper() != QStringLiteral("ZELT"))
    Registrar(247, servico);
  TEmpresa &e = *empresa_;
  const bool tipoOk = ChecarDigitos(l, L::Cabecalho[L::cbTipoInscricao], v);
  if (tipoOk) {
    e.NU_TIPO_INSO_EMPRA = static_cast<int>(v);
    if (!e.ValidarTipoInscricao())
      RegistrarCodigo(e, LerCampo(l, L::Cabecalho[L::cbTipoInscricao]));
  }
  if (ChecarDigitos(l, L::Cabecalho[L::cbInscricao], v) && tipoOk) {
    e.NU_INSCRICAO = LerCampo(l, L::Cabecalho[L::cbInscricao]);
    if (!e.ValidarInscricao())
      RegistrarCodigo(e, e.NU_INSCRICAO);
  }
  ChecarData(l, L::Cabecalho[L::cbDataGravacao], dataGravacao_);
  ChecarBrancos(l, L::Cabecalho[L::cbBrancos]);
  ChecarZeros(l, L::Cabecalho[L::cbZeros]);
  ChecarDigitos(l, L::Cabecalho[L::cbSequencia]);
  ChecarFimRegistro(l);
  return RegistroValido;
}

bool TArqCargaSaldo::ValidarEmpresa(const QString &l) {
  TEmpresa &e = *empresa_;
  qint64 v = 0;
  const bool tipoOk = ChecarDigitos(l, L::Empresa[L::emTipoInscricao], v);
  const int tipo = static_cast<int>(v);
  if (tipoOk) {
    e.NU_TIPO_INSO_EMPRA = tipo;
    if (!e.ValidarTipoInscricao())
      RegistrarCodigo(e, LerCampo(l, L::Empresa[L::emTipoInscricao]));
  }
  qint64 inscricao = 0;
  if (ChecarDigitos(l, L::Empresa[L::emInscricao], inscricao) && tipoOk) {
    e.NU_INSCRICAO = LerCampo(l, L::Empresa[L::emInscricao]);
    if (!e.ValidarInscricao())
      RegistrarCodigo(e, e.NU_INSCRICAO);
  }
  const qint64 lida = Numero(l, L::Empresa[L::emSituacao]);
  const int situacao = lida < 0 ? 0 : static_cast<int>(lida);
  const QString nome = LerCampo(l, L::Empresa[L::emNome]);
  if (situacao != 0 && !nome.trimmed().isEmpty())
    Registrar(281, nome);
  qint64 vorda = 0;
  if (ChecarDigitos(l, L::Empresa[L::emEmpresaVorda], vorda) && situacao != 0 && vorda != 0)
    Registrar(280, LerCampo(l, L::Empresa[L::emEmpresaVorda]));
  TDateTime credito = NullDate;
  if (ChecarData(l, L::Empresa[L::emDataCredito], credito)) {
    TContaSaldoTrabalhador &c = *conta_;
    c.NU_SITUACAO_CONTA_EMPRESA = situacao;
    c.DT_CREDITO_JUROS = credito;
    if (!c.ValidarDataCreditoJuros())
      RegistrarCodigo(c, LerCampo(l, L::Empresa[L::emDataCredito]));
  }
  TDateTime contabil = NullDate;
  if (ChecarData(l, L::Empresa[L::emDataContabil], contabil)) {
    const QString texto = LerCampo(l, L::Empresa[L::emDataContabil]);
    if (situacao != 0 && contabil > 0)
      Registrar(347, texto);
    else if (situacao == 0 && !(contabil > 0 && contabil >= QDateParaData(QDate(1967, 1, 1))))
      Registrar(370, texto);
  }
  if (ChecarDigitos(l, L::Empresa[L::emSituacao], v) && v > 3)
    Registrar(248, LerCampo(l, L::Empresa[L::emSituacao]));
  ChecarZeros(l, L::Empresa[L::emZeros]);
  ChecarDigitos(l, L::Empresa[L::emSequencia]);
  ChecarFimRegistro(l);

  situacaoEmpresa_ = situacao;
  empresaVorda_ = vorda;
  dataCredito_ = credito;
  if (RegistroValido) {
    if (situacao != 0)
      ArquivoValido = false;
    if (situacao == 1)
      Registrar(439, QStringLiteral("Ocorrência:"));
    else if (situacao == 2)
      Registrar(440, QStringLiteral("Ocorrência:"));
  }
  // An employer whose account the bank closed loses its stored accounts,
  // except those of closed links.
  if (RegistroValido && situacao == 3)
    acoes_.push_back({TAcao::ExcluirEmpresa, tipo, inscricao, -1, linha_});
  return RegistroValido && (situacao == 0 || situacao == 3);
}

void TArqCargaSaldo::ValidarRegistroConta(const QString &l) {
  TContaCarregada c;
  c.Linha = linha_;
  c.SituacaoEmpresa = situacaoEmpresa_;
  c.EmpresaVorda = empresaVorda_;
  c.DataCredito = dataCredito_;
  c.DataGravacao = dataGravacao_;
  c.NomeBanco = LerCampo(l, L::Conta[L::ctNome]).trimmed();
  qint64 v = 0;

  TEmpresa &e = *empresa_;
  const bool tipoOk = ChecarDigitos(l, L::Conta[L::ctTipoInscricao], v);
  c.Chave.Tipo = static_cast<int>(v);
  if (tipoOk) {
    e.NU_TIPO_INSO_EMPRA = c.Chave.Tipo;
    if (!e.ValidarTipoInscricao())
      RegistrarCodigo(e, LerCampo(l, L::Conta[L::ctTipoInscricao]));
  }
  if (ChecarDigitos(l, L::Conta[L::ctInscricao], c.Chave.Inscricao) && tipoOk) {
    e.NU_INSCRICAO = LerCampo(l, L::Conta[L::ctInscricao]);
    if (!e.ValidarInscricao())
      RegistrarCodigo(e, e.NU_INSCRICAO);
  }
  TVinculo &vin = *vinculo_;
  if (ChecarDigitos(l, L::Conta[L::ctCategoria], v)) {
    c.Chave.Categoria = static_cast<int>(v);
    vin.NU_CATEGORIA = static_cast<qint8>(v > 99 ? -1 : v);
    // Thousands of accounts share a handful of categories.
    auto it = categorias_.constFind(c.Chave.Categoria);
    if (it == categorias_.constEnd())
      it = categorias_.insert(c.Chave.Categoria, vin.ValidarCategoria(true));
    if (!*it) {
      vin.ValidarCategoria(true);
      RegistrarCodigo(vin, LerCampo(l, L::Conta[L::ctCategoria]));
    }
  }
  if (ChecarDigitos(l, L::Conta[L::ctPIS], c.Chave.PIS)) {
    TTrabalhador &t = *trabalhador_;
    t.NU_PIS = LerCampo(l, L::Conta[L::ctPIS]);
    if (!t.ValidarPIS())
      RegistrarCodigo(t, t.NU_PIS);
  }
  if (ChecarData(l, L::Conta[L::ctDataAdmissao], c.Chave.Admissao)) {
    vin.DT_ADMISSAO_VINCULO = c.Chave.Admissao;
    vin.NU_CATEGORIA = static_cast<qint8>(c.Chave.Categoria);
    if (!vin.ValidarDataAdmissao(false))
      RegistrarCodigo(vin, LerCampo(l, L::Conta[L::ctDataAdmissao]));
  }
  const qint64 situacaoLida = Numero(l, L::Conta[L::ctSituacaoConta]);
  c.SituacaoConta = situacaoLida < 0 ? 0 : static_cast<int>(situacaoLida);
  TContaSaldoTrabalhador &conta = *conta_;
  conta.NU_SITUACAO_CONTA_EMPREGADO = c.SituacaoConta;
  if (ChecarDigitos(l, L::Conta[L::ctEmpresaVorda], v) && c.SituacaoConta == 3 && v != 0)
    Registrar(215, LerCampo(l, L::Conta[L::ctEmpresaVorda]));
  if (ChecarDigitos(l, L::Conta[L::ctEmpregadoVorda], c.EmpregadoVorda)) {
    conta.NU_EMPREGADO_VORDA = c.EmpregadoVorda;
    if (!conta.ValidarContaExcluida())
      RegistrarCodigo(conta, LerCampo(l, L::Conta[L::ctEmpregadoVorda]));
  }
  if (ChecarDigitos(l, L::Conta[L::ctSituacaoPis], v)) {
    c.SituacaoPis = static_cast<int>(v);
    conta.NU_SITUACAO_PIS = c.SituacaoPis;
    if (!conta.ValidarSituacaoPis())
      RegistrarCodigo(conta, LerCampo(l, L::Conta[L::ctSituacaoPis]));
  }
  if (c.SituacaoConta == 3 && !c.NomeBanco.isEmpty())
    Registrar(283, LerCampo(l, L::Conta[L::ctNome]));
  if (ChecarDigitos(l, L::Conta[L::ctSituacaoConta]) && !conta.ValidarSituacaoConta())
    RegistrarCodigo(conta, LerCampo(l, L::Conta[L::ctSituacaoConta]));
  // Year and month are one field for the checks: "YYYYMM".
  const QString ano = LerCampo(l, L::Conta[L::ctAnoCompetencia]);
  const QString mes = LerCampo(l, L::Conta[L::ctMesCompetencia]);
  if (SoDigitos(ano, L::Conta[L::ctAnoCompetencia]) &&
      SoDigitos(mes, L::Conta[L::ctMesCompetencia])) {
    c.AnoCompetencia = ano.toInt();
    c.MesCompetencia = mes.toInt();
    conta.AA_MAIOR_COMPETENCIA = c.AnoCompetencia;
    conta.MM_MAIOR_COMPETENCIA = c.MesCompetencia;
    if (!conta.ValidarMaiorCompetencia())
      RegistrarCodigo(conta, ano + mes);
  } else {
    Registrar(11, QString::fromUtf8(L::Conta[L::ctAnoCompetencia].Rotulo) + ano + mes);
  }
  const QString saldo = LerCampo(l, L::Conta[L::ctSaldo]);
  const bool saldoOk = SoDigitos(saldo, L::Conta[L::ctSaldo]);
  if (saldoOk) {
    c.SaldoCentavos = saldo.toLongLong();
    conta.VR_SALDO_RESCISORIO = TCentavos::DeCentavos(c.SaldoCentavos).Valor();
    if (!conta.ValidarSaldoContaInativa())
      RegistrarCodigo(conta, saldo);
  }
  ChecarZeros(l, L::Conta[L::ctZeros]);
  ChecarDigitos(l, L::Conta[L::ctSequencia]);
  ChecarFimRegistro(l);
  // A balance that is not a number was reported by the totals pass; the
  // account is not taken with a made-up balance.
  if (RegistroValido && saldoOk)
    SepararConta(c);
}

void TArqCargaSaldo::SepararConta(TContaCarregada &c) {
  const auto it = vinculos_.constFind(c.Chave);
  if (it == vinculos_.constEnd()) {
    Registrar(289, LerCampo(Linhas.at(linha_ - 1), L::Conta[L::ctPIS]));
    return;
  }
  c.Estado = it->Estado;
  c.NomeRegistrado = it->Nome;
  c.AtualizarSaldo = it->Movimentacao != QStringLiteral("I3") && !it->ComDissidio;
  c.Regular = ContaRegular(c.SituacaoConta, c.SituacaoPis, c.NomeBanco, c.NomeRegistrado);
  if (c.Estado == 0) {
    ArquivoValido = ArquivoValido && c.Regular;
    acoes_.push_back({TAcao::GravarConta, 0, 0, static_cast<int>(contas_.size()), linha_});
    contas_.push_back(c);
    return;
  }
  // A link that takes part in a run, or was closed, waits for the user.
  Pendentes.append(c);
  ContasPendentes = true;
}

// -------------------------------------------------------------- storing

bool TArqCargaSaldo::GravarContas() {
  int gravadas = 0;
  int linhaFalha = 0;
  TEscopoTransacao transacao(IbxUtils);
  try {
    // A link's stored accounts are replaced once per load, before its first
    // account of the file, wherever its records are.
    QSet<TChaveVinculo> substituidos;
    QList<TChaveVinculo> atualizar;
    QSet<TChaveVinculo> atualizarVistos;
    TContaSaldoTrabalhador &conta = *conta_;
    for (const TAcao &a : acoes_) {
      VerificarCancelamento();
      linhaFalha = a.Linha;
      if (a.tipo == TAcao::ExcluirEmpresa) {
        conta.DefinirChave(a.Tipo_, a.Inscricao, 0, 0, NullDate);
        if (!conta.Excluir(true, false, true))
          throw ENegocio(conta.CodigoErro);
        RegistroAlterado = true;
        continue;
      }
      const TContaCarregada &c = contas_[static_cast<size_t>(a.Indice)];
      if (gravadas == 0)
        Etapa(3);
      c.Preencher(conta);
      if (!substituidos.contains(c.Chave)) {
        if (!conta.Excluir(false, false, true))
          throw ENegocio(conta.CodigoErro);
        substituidos.insert(c.Chave);
      }
      if (!conta.Incluir(false))
        throw ENegocio(conta.CodigoErro);
      ++gravadas;
      if (c.AtualizarSaldo && !atualizarVistos.contains(c.Chave)) {
        atualizarVistos.insert(c.Chave);
        atualizar.append(c.Chave);
      }
      if (c.SituacaoPis == 2 && !NomesIguais(c.NomeBanco, c.NomeRegistrado)) {
        TAlteracaoCadastral alt;
        alt.CarregarAssociados = false;
        alt.NU_TIPO_INSO_EMPRA = QString::number(c.Chave.Tipo);
        alt.NU_INSCRICAO = QString::number(c.Chave.Inscricao);
        alt.NU_PIS = QString::number(c.Chave.PIS);
        alt.NU_CATEGORIA = QString::number(c.Chave.Categoria);
        alt.DT_ADMISSAO_VINCULO = c.Chave.Admissao;
        alt.NU_EMPRESA_VORDA_ALT_CADASTRAL = QString::number(c.EmpresaVorda);
        alt.NU_EMPREGADO_VORDA_ALT_CDSTL = QString::number(c.EmpregadoVorda);
        alt.NU_TIPO_ALTERACAO = QString::number(AlteracaoNomeTrabalhador);
        alt.DE_CONTEUDO_ANTERIOR = c.NomeBanco;
        alt.IC_CONFIRMACAO = QStringLiteral("N");
        if (!(alt.ExisteDivergenciaNome() ? alt.Alterar() : alt.Incluir()))
          throw ENegocio(QStringLiteral("0144"));
        AlteracaoRegistrada = true;
      }
      Avancar(true);
    }
    // The termination balance is the sum of the link's accounts: refreshed
    // once per link, after all of its accounts are in.
    linhaFalha = Linhas.size();
    TTrabalhador t;
    for (const TChaveVinculo &k : atualizar) {
      VerificarCancelamento();
      t.AtualizarSaldoRescisorio(k.Tipo, k.Categoria, k.Admissao, k.PIS, k.Inscricao);
    }
    AtualizarProtocolo(gravadas > 0);
    VerificarCancelamento();
    transacao.Confirmar();
  } catch (const ECancelado &) {
    throw;
  } catch (const std::exception &) {
    // Nothing of the file was stored; the failure is recorded after the
    // rollback so that it stays.
    AlteracaoRegistrada = false;
    RegistroAlterado = false;
    if (IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    linha_ = linhaFalha;
    Registrar(250, QString());
    return false;
  }
  ContasGravadas = gravadas;
  ContaGravada = gravadas > 0;
  if (ContaGravada) {
    RegistroAlterado = true;
    Etapa(7);
  }
  return true;
}

bool TArqCargaSaldo::AtualizarProtocolo(bool Atendido) {
  if (Identificador.trimmed().isEmpty())
    return false;
  const TDateTime data = DataCarga > 0 ? DataCarga : U::DataServidor(true);
  return IbxUtils->ExecutarSQL(
             QStringLiteral("UPDATE QZLTBG13_ARQUIVO SET IC_ARQUIVO_VALIDO = %1, "
                            "DT_GERACAO_ARQUIVO = %2 WHERE NU_IDENTIFICADOR_ARQUIVO = %3")
                 .arg(U::SimNaoSQL(Atendido), U::DataSQL(data, false),
                      U::TextoSQL(Identificador.trimmed()))) > 0;
}

// --------------------------------------------------------- confirmation

QList<TContaCarregada> TArqCargaSaldo::VinculosPendentes() const {
  QList<TContaCarregada> r;
  QSet<TChaveVinculo> vistos;
  for (const TContaCarregada &c : Pendentes)
    if (!vistos.contains(c.Chave)) {
      vistos.insert(c.Chave);
      r.append(c);
    }
  return r;
}

bool TArqCargaSaldo::AplicarPendentes(const QList<TChaveVinculo> &escolhidos,
                                      bool &TodasRegulares) {
  CodigoErro.clear();
  if (escolhidos.isEmpty()) {
    CodigoErro = QStringLiteral("0230");
    return false;
  }
  TEscopoTransacao transacao(IbxUtils);
  try {
    TContaSaldoTrabalhador conta;
    conta.CarregarAssociados = false;
    for (const TChaveVinculo &k : escolhidos) {
      conta.DefinirChave(k.Tipo, k.Inscricao, k.PIS, k.Categoria, k.Admissao);
      if (!conta.Excluir(false, false, false))
        throw ENegocio(conta.CodigoErro);
    }
    bool regulares = true;
    TComplementoSaldo complementos;
    for (const TChaveVinculo &k : escolhidos) {
      TVinculo v;
      v.CarregarAssociados = false;
      if (!v.CarregarPorChave(k.Tipo, k.Categoria, k.Admissao, k.PIS, k.Inscricao) || v.FimDados())
        throw ENegocio(QStringLiteral("0144"));
      const int estado = v.IC_ESTADO_MOVIMENTO;
      // The refresh rule reads the link as it is stored now.
      TDataSetPtr ds = IbxUtils->AbrirConsulta(
          QStringLiteral(
              "SELECT V.CO_MOVIMENTACAO, R.VR_DISSIDIO FROM "
              "QZLTBG04_VINCULO_EMPREGATICIO V LEFT JOIN QZLTBG06_INFORMACAO_RESCISAO R "
              "ON R.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND R.NU_INSCRICAO = "
              "V.NU_INSCRICAO AND R.NU_PIS = V.NU_PIS AND R.NU_CATEGORIA = V.NU_CATEGORIA "
              "AND R.DT_ADMISSAO_VINCULO = V.DT_ADMISSAO_VINCULO WHERE ") +
          k.Condicao(QStringLiteral("V")));
      const bool atualizar =
          ds->IsEmpty() || (ds->Fields(0).AsString().trimmed().toUpper() != QStringLiteral("I3") &&
                            !(ds->Fields(1).AsFloat() > 0));
      if (estado == 2 || estado == 3) {
        TRescisao r;
        r.CarregarAssociados = false;
        if (!r.LimparCalculos(k.Tipo, k.Inscricao, k.Admissao, k.Categoria, k.PIS))
          throw ENegocio(QStringLiteral("0144"));
      }
      // Every put-aside account of the link, under the registered name.
      for (const TContaCarregada &c : Pendentes) {
        if (c.Chave != k)
          continue;
        c.Preencher(conta);
        conta.Trabalhador().NO_EMPREGADO = c.NomeRegistrado;
        if (!conta.Incluir(false))
          throw ENegocio(conta.CodigoErro);
        if (!c.Regular)
          regulares = false;
      }
      if (atualizar) {
        TTrabalhador t;
        t.AtualizarSaldoRescisorio(k.Tipo, k.Categoria, k.Admissao, k.PIS, k.Inscricao);
      }
      if (!v.GravarEstadoMovimento(0))
        throw ENegocio(v.CodigoErro);
      // The complements of an open link follow the current indices; the
      // totals are taken after they are recomputed.
      if (!complementos.RecalcularAbertos(k.Tipo, k.Inscricao, k.PIS))
        throw ENegocio(QStringLiteral("0372"));
      complementos.AtualizarTotais(k.Tipo, k.Inscricao, k.PIS, k.Categoria, k.Admissao);
    }
    transacao.Confirmar();
    if (!regulares)
      TodasRegulares = false;
    return true;
  } catch (const std::exception &) {
    if (CodigoErro.isEmpty())
      CodigoErro = QStringLiteral("0144");
    return false;
  }
}
