#include "UnArqFolha.h"
#include "unCampoArquivo.h"
#include "unLeiauteFolha.h"

#include "collection/UnTComplementoSaldo.h"
#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QDate>

namespace {
using U = TUtilitarios;
namespace L = LeiauteFolha;

// The link key sits in the same columns of the worker record and of the
// complements ("43" to "45").
const TCampoArquivo &CampoTipoInscricao = L::Trabalhador[L::ftTipoInscricao];
const TCampoArquivo &CampoInscricao = L::Trabalhador[L::ftInscricao];
const TCampoArquivo &CampoPis = L::Trabalhador[L::ftPis];
const TCampoArquivo &CampoAdmissao = L::Trabalhador[L::ftAdmissao];
const TCampoArquivo &CampoCategoria = L::Trabalhador[L::ftCategoria];

// Record types of the layout.
constexpr int rgHeader = 0, rgEmpresa = 10, rgTrabalhador = 40, rgTrailer = 90;
bool EhComplemento(int t) {
  return t == 43 || t == 44 || t == 45;
}
bool EhVinculo(int t) {
  return t == rgTrabalhador || EhComplemento(t);
}

// Columns 1-2 read as a number; anything else is -1.
int TipoDaLinha(const QString &linha) {
  const QString t = linha.left(2);
  if (t.size() != 2 || !U::SomenteNumeros(t))
    return -1;
  return t.toInt();
}

QString AparadoDireita(const QString &s) {
  int n = s.size();
  while (n > 0 && s.at(n - 1).isSpace())
    --n;
  return s.left(n);
}

// Zero-filled numeric field: empty when it holds only zeros.
QString ZerosVazio(const QString &s) {
  return U::TodosZeros(s, s.size()) ? QString() : s;
}

// The collection window: from day 10 of the month of the reference date of
// the late-payment table (today when that table is empty) to day 9 of the
// next month, both included.
bool DentroJanelaRecolhimento(TDateTime data) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT MIN(DT_RECOLHIMENTO_PRORATA) AS DATA FROM QZLTBT18_INDICE_PRORATA"));
  QDate ref;
  if (!ds->IsEmpty() && !ds->FieldByName(QStringLiteral("DATA")).IsNull())
    ref = ds->FieldByName(QStringLiteral("DATA")).AsDate();
  if (!ref.isValid())
    ref = QDate::currentDate();
  const QDate d = DataParaQDate(data);
  if (!d.isValid())
    return false;
  const QDate inicio(ref.year(), ref.month(), 10);
  const QDate seguinte = inicio.addMonths(1);
  return inicio <= d && d <= QDate(seguinte.year(), seguinte.month(), 9);
}

QString ChaveVinculo(int tipo, qint64 inscricao, qint64 pis, int categoria, TDateTime admissao) {
  return TVinculosGravados::Chave(tipo, inscricao, pis, categoria, admissao);
}

qint64 Contar(const QString &sql) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  if (ds->IsEmpty())
    return 0;
  return ds->Fields(0).AsInt64();
}
} // namespace

TArqFolha::TArqFolha() {
  NumeroArquivo = tiFolha;
}

TArqFolha::~TArqFolha() {
  LiberarObjetos();
}

void TArqFolha::CriarObjetos() {
  responsavel_ = std::make_unique<TResponsavel>();
  empresa_ = std::make_unique<TEmpresa>();
  trabalhador_ = std::make_unique<TTrabalhador>();
  complemento_ = std::make_unique<TComplementoSaldo>();
  // The objects carry only what the file gives: nothing is loaded behind them.
  responsavel_->CarregarAssociados = false;
  empresa_->CarregarAssociados = false;
  trabalhador_->CarregarAssociados = false;
  trabalhador_->Vinculo().CarregarAssociados = false;
  complemento_->CarregarAssociados = false;
}

void TArqFolha::LiberarObjetos() {
  complemento_.reset();
  trabalhador_.reset();
  empresa_.reset();
  responsavel_.reset();
}

void TArqFolha::ReiniciarChaves() {
  ultTipoEmpresa_.clear();
  ultInscEmpresa_.clear();
  ultTipo_ = 0;
  ultInscricao_ = 0;
  ultPIS_ = 0;
  ultCategoria_ = 0;
  ultAdmissao_ = NullDate;
  ultNascimento_ = NullDate;
  ultDissidio_ = NullDate;
  ultOpcao_ = NullDate;
  ultMovimentacao_ = NullDate;
  ultCodMovimentacao_.clear();
  ultFpas_.clear();
  dataRecolhimento_ = NullDate;
  competenciasVistas_.clear();
}

void TArqFolha::VerificarCancelamento() const {
  if (Cancelado())
    throw ECancelado();
}

// ------------------------------------------------------------ registration

void TArqFolha::RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                                        int Mensagem, const QString &TipoInscResp,
                                        const QString &InscResp, const QString &NomeResp,
                                        const QString &TipoInscEmpresa, const QString &InscEmpresa,
                                        const QString &RazaoSocial, const QString &PIS,
                                        const QString &Categoria, const QString &DtAdmissao,
                                        const QString &NomeEmpregado) {
  RegistroValido = false;
  ArquivoValido = false;
  TArquivo::RegistrarInconsistencia(Conteudo, Registro, Linha, Mensagem, TipoInscResp, InscResp,
                                    NomeResp, TipoInscEmpresa, InscEmpresa, RazaoSocial, PIS,
                                    Categoria, DtAdmissao, NomeEmpregado);
}

void TArqFolha::Registrar(int Mensagem, const QString &Conteudo) {
  const int i = linha_ - 1;
  const TRegRegistro vazio;
  const TRegRegistro &r0 = Indice.empty() ? vazio : Indice.front();
  const TRegRegistro &r = (i >= 0 && i < static_cast<int>(Indice.size())) ? Indice[i] : vazio;
  const int tipo = TipoDaLinha(r.TipoRegistro);
  const QString registro = r.TipoRegistro;
  if (tipo == rgEmpresa) {
    RegistrarInconsistencia(Conteudo, registro, linha_, Mensagem, r0.TipoInscricao, r0.Inscricao,
                            r0.Nome, r.TipoInscricao, r.Inscricao, r.Nome);
  } else if (EhVinculo(tipo)) {
    RegistrarInconsistencia(Conteudo, registro, linha_, Mensagem, r0.TipoInscricao, r0.Inscricao,
                            r0.Nome, r.TipoInscricao, r.Inscricao, r.Nome, r.PIS, r.Categoria,
                            r.DataAdmissao, r.NomeTrabalhador);
  } else {
    RegistrarInconsistencia(Conteudo, registro, linha_, Mensagem, r0.TipoInscricao, r0.Inscricao,
                            r0.Nome);
  }
}

void TArqFolha::RegistrarSemTipo(int Linha, int Mensagem, const QString &Conteudo) {
  const TRegRegistro vazio;
  const TRegRegistro &r0 = Indice.empty() ? vazio : Indice.front();
  RegistrarInconsistencia(Conteudo, QString(), Linha, Mensagem, r0.TipoInscricao, r0.Inscricao,
                          r0.Nome);
}

void TArqFolha::RegistrarCodigo(const TNegocio &objeto, const QString &Conteudo) {
  const int numero = objeto.CodigoErro.toInt();
  // A check that failed without a number cannot be reported; the message
  // table has no message 0.
  Registrar(numero > 0 ? numero : 396, Conteudo);
}

bool TArqFolha::ChecarDigitos(const QString &valor, const TCampoArquivo &campo) {
  // A field cut short by the end of the line is as wrong as a letter in it.
  if (valor.size() == campo.Tamanho && U::SomenteNumeros(valor))
    return true;
  Registrar(11, QString::fromUtf8(campo.Rotulo) + valor);
  return false;
}

bool TArqFolha::ChecarData(const QString &valor, const TCampoArquivo &campo, TDateTime &data) {
  data = DataCampoArquivo(valor);
  if (data == DataNaoValida) {
    Registrar(212, QString::fromUtf8(campo.Rotulo) + valor);
    return false;
  }
  return true;
}

void TArqFolha::ChecarBrancos(const QString &linha, const TCampoArquivo &campo) {
  const QString c = LerCampo(linha, campo);
  if (!CampoEmBranco(c))
    Registrar(9, c);
}

void TArqFolha::ChecarFimRegistro(const QString &linha) {
  // "*" in the last column of every record.
  const QString fim = CampoLinha(linha, TamanhoRegistro, 1);
  if (fim != QStringLiteral("*"))
    Registrar(211, fim);
  else if (linha.size() > TamanhoRegistro && !CampoEmBranco(linha.mid(TamanhoRegistro)))
    // Text after the end of the record would be silently lost.
    Registrar(9, linha.mid(TamanhoRegistro));
}

// ----------------------------------------------------------------- Importar

bool TArqFolha::Importar() {
  CriarObjetos();
  RegistroValido = true;
  ArquivoValido = true;
  NumeroArquivo = tiFolha;
  CodigoErro.clear();
  bool resultado = false;
  bool validando = false;
  try {
    LimparInconsistencias();
    ReiniciarChaves();
    if (!Abrir()) {
      RegistrarInconsistencia(NomeArquivo, QString(), 0, ErroAbertura ? ErroAbertura : 151);
      LiberarObjetos();
      return false;
    }
    // Blank lines after the trailer are not records.
    while (!Linhas.isEmpty() && Linhas.last().trimmed().isEmpty())
      Linhas.removeLast();
    Indice.assign(static_cast<size_t>(Linhas.size()), TRegRegistro());
    const qint64 nos = Contar(QStringLiteral("SELECT COUNT(*) FROM QZLTBG02_EMPRESA")) +
                       Contar(QStringLiteral("SELECT COUNT(*) FROM QZLTBG04_VINCULO_EMPREGATICIO"));
    DefinirMaximo(static_cast<int>(5 * Linhas.size() + nos));

    // The checks read reference tables line after line and record their
    // inconsistencies: inside one transaction, instead of one commit (and
    // one disk flush) per statement. Their rows are committed before the
    // writing pass opens its own transaction.
    if (!IbxUtils->EmTransacao())
      IbxUtils->IniciarTransacao();
    validando = true;
    const bool valido = ValidarEstrutura() && ValidarChaves() && ValidarConteudo();
    IbxUtils->ConfirmarTransacao();
    validando = false;
    resultado = valido && GravarInformacoes();
  } catch (const ECancelado &) {
    resultado = false;
  } catch (const EMensagemInexistente &) {
    resultado = false; // CodigoErro already "0396"
    // What was recorded before the missing message stays for the report.
    if (validando && IbxUtils->EmTransacao())
      IbxUtils->ConfirmarTransacao();
  } catch (...) {
    LiberarObjetos();
    Fechar();
    if (IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    throw;
  }
  LiberarObjetos();
  Fechar();
  if (IbxUtils->EmTransacao())
    IbxUtils->DesfazerTransacao();
  if (resultado) {
    Etapa(4);
    if (AtualizarArvore)
      AtualizarArvore();
    Etapa(8);
  }
  return resultado;
}

// ------------------------------------------------------------------- pass 1

void TArqFolha::PreencherIndice(int i, int tipo) {
  const QString &l = Linhas.at(i);
  TRegRegistro &r = Indice[static_cast<size_t>(i)];
  r = TRegRegistro();
  r.TipoRegistro = l.left(2);
  if (tipo == rgTrailer)
    return;
  if (tipo == rgHeader) {
    r.TipoInscricao = LerCampo(l, L::Cabecalho[L::fcTipoInscricao]);
    r.Inscricao = LerCampo(l, L::Cabecalho[L::fcInscricao]);
    r.Nome = LerCampo(l, L::Cabecalho[L::fcNome]);
    return;
  }
  // Company, worker and complement records: the inscription in the same columns.
  r.TipoInscricao = LerCampo(l, L::Empresa[L::feTipoInscricao]);
  r.Inscricao = LerCampo(l, L::Empresa[L::feInscricao]);
  if (tipo == rgEmpresa) {
    r.Nome = LerCampo(l, L::Empresa[L::feNome]);
    return;
  }
  // Company name of the nearest preceding "10"; worker of the nearest "40".
  for (int j = i - 1; j >= 0; --j)
    if (Indice[static_cast<size_t>(j)].TipoRegistro == QStringLiteral("10")) {
      r.Nome = Indice[static_cast<size_t>(j)].Nome;
      break;
    }
  r.PIS = LerCampo(l, CampoPis);
  r.Categoria = LerCampo(l, CampoCategoria);
  r.DataAdmissao = LerCampo(l, CampoAdmissao);
  if (tipo == rgTrabalhador) {
    r.NomeTrabalhador = LerCampo(l, L::Trabalhador[L::ftNome]);
    r.DataNascimento = LerCampo(l, L::Trabalhador[L::ftNascimento]);
    r.Movimentacao = LerCampo(l, L::Trabalhador[L::ftMovimentacao]);
    return;
  }
  for (int j = i - 1; j >= 0; --j) {
    const TRegRegistro &a = Indice[static_cast<size_t>(j)];
    if (a.TipoRegistro == QStringLiteral("40")) {
      r.NomeTrabalhador = a.NomeTrabalhador;
      r.DataNascimento = a.DataNascimento;
      r.Movimentacao = a.Movimentacao;
      break;
    }
    if (a.TipoRegistro == QStringLiteral("10"))
      break;
  }
}

bool TArqFolha::ValidarEstrutura() {
  Etapa(1);
  CodigoErro.clear();
  const int n = Linhas.size();
  const bool temHeader = n > 0 && Linhas.at(0).startsWith(QStringLiteral("00"));
  if (n <= 3 || !temHeader || !Linhas.at(1).startsWith(QStringLiteral("10")) ||
      !Linhas.at(2).startsWith(QStringLiteral("40")) ||
      !Linhas.at(n - 1).startsWith(QStringLiteral("90"))) {
    CodigoErro = QStringLiteral("0385");
    if (temHeader) {
      const QString &l = Linhas.at(0);
      RegistrarInconsistencia(
          QString(), QString(), 0, 385, LerCampo(l, L::Cabecalho[L::fcTipoInscricao]),
          LerCampo(l, L::Cabecalho[L::fcInscricao]), LerCampo(l, L::Cabecalho[L::fcNome]));
    } else {
      RegistrarInconsistencia(QString(), QString(), 0, 385);
    }
    return false;
  }
  // The header's context is known before any line is indexed.
  PreencherIndice(0, rgHeader);
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const int tipo = TipoDaLinha(Linhas.at(i));
    if (tipo == rgHeader || tipo == rgEmpresa || EhVinculo(tipo) || tipo == rgTrailer) {
      PreencherIndice(i, tipo);
      Avancar();
      continue;
    }
    RegistrarSemTipo(i + 1, 113, Linhas.at(i).left(2));
    return false;
  }
  int headers = 0, trailers = 0;
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const int tipo = TipoDaLinha(Indice[static_cast<size_t>(i)].TipoRegistro);
    if (tipo == rgTrailer && i != n - 1) {
      RegistrarSemTipo(i + 1, 135, Linhas.at(i).left(2));
      break;
    }
    if (tipo == rgHeader)
      ++headers;
    if (tipo == rgTrailer)
      ++trailers;
    if (headers > 1 || trailers > 1) {
      CodigoErro = QStringLiteral("0385");
      RegistrarSemTipo(i + 1, 135, Linhas.at(i).left(2));
      break;
    }
    if (i + 1 < n) {
      const int prox = TipoDaLinha(Indice[static_cast<size_t>(i + 1)].TipoRegistro);
      bool ok = true;
      if (tipo == rgEmpresa)
        ok = prox == rgTrabalhador;
      else if (EhVinculo(tipo))
        ok = prox == rgEmpresa || EhVinculo(prox) || prox == rgTrailer;
      if (!ok) {
        RegistrarSemTipo(i + 2, 135, Linhas.at(i + 1).left(2));
        break;
      }
    }
    Avancar();
  }
  return CodigoErro.isEmpty();
}

// ------------------------------------------------------------------- pass 2

bool TArqFolha::ValidarChaves() {
  CodigoErro.clear();
  const int n = static_cast<int>(Indice.size());
  TEmpresa chave;
  chave.CarregarAssociados = false;
  TTrabalhador trab;
  trab.CarregarAssociados = false;
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const TRegRegistro &r = Indice[static_cast<size_t>(i)];
    const int tipo = TipoDaLinha(r.TipoRegistro);
    linha_ = i + 1;
    if (tipo == rgTrailer) {
      Avancar();
      continue;
    }
    // The inscription has the same width and label in every record.
    const bool tipoOk = ChecarDigitos(r.TipoInscricao, CampoTipoInscricao);
    if (tipoOk) {
      chave.NU_TIPO_INSO_EMPRA = r.TipoInscricao.toInt();
      if (!chave.ValidarTipoInscricao())
        RegistrarCodigo(chave, r.TipoInscricao);
    }
    if (ChecarDigitos(r.Inscricao, CampoInscricao) && tipoOk) {
      chave.NU_INSCRICAO = r.Inscricao;
      if (!chave.ValidarInscricao())
        RegistrarCodigo(chave, r.Inscricao);
    }
    if (EhVinculo(tipo)) {
      if (ChecarDigitos(r.PIS, CampoPis)) {
        trab.NU_PIS = r.PIS;
        if (!trab.ValidarPIS())
          RegistrarCodigo(trab, r.PIS);
      }
      TDateTime adm;
      if (ChecarData(r.DataAdmissao, CampoAdmissao, adm) && DataDefinida(adm) &&
          adm <= QDateParaData(QDate(1900, 1, 1)))
        Registrar(43, r.DataAdmissao);
      ChecarDigitos(r.Categoria, CampoCategoria);
    }
    Avancar();
  }
  return ArquivoValido && CodigoErro.isEmpty();
}

// ------------------------------------------------------------------- pass 3

bool TArqFolha::ValidarConteudo() {
  Etapa(5);
  Etapa(2);
  ReiniciarChaves();
  trabalhadoresPorPis_.clear();
  for (const TRegRegistro &r : Indice)
    if (r.TipoRegistro == QStringLiteral("40"))
      trabalhadoresPorPis_[r.PIS].push_back(r);
  CarregarGravadosValidacao();
  const int n = Linhas.size();
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    linha_ = i + 1;
    RegistroValido = true;
    const QString &l = Linhas.at(i);
    const int tipo = TipoDaLinha(l);
    if (!ValidarOrdem(tipo, l))
      return false;
    switch (tipo) {
    case rgHeader:
      ValidarHeader(l);
      break;
    case rgEmpresa:
      ValidarEmpresa(l);
      break;
    case rgTrabalhador:
      ValidarTrabalhador(l);
      competenciasVistas_.clear();
      break;
    case rgTrailer:
      ValidarTrailer(l);
      break;
    default:
      if (EhComplemento(tipo))
        ValidarComplemento(tipo, l);
    }
    Avancar();
  }
  Etapa(6);
  return ArquivoValido;
}

void TArqFolha::CarregarGravadosValidacao() {
  gravados_.Carregar(IbxUtils);
}

bool TArqFolha::ChecarUmaVez(const QString &chave, TNegocio &objeto,
                             const std::function<bool()> &check) {
  const auto it = resultados_.constFind(chave);
  if (it != resultados_.constEnd()) {
    objeto.CodigoErro = *it;
    return it->isEmpty();
  }
  const bool ok = check();
  resultados_.insert(chave, objeto.CodigoErro);
  return ok;
}

bool TArqFolha::ValidarOrdem(int tipo, const QString &l) {
  if (tipo == rgEmpresa) {
    const QString t = LerCampo(l, L::Empresa[L::feTipoInscricao]),
                  insc = LerCampo(l, L::Empresa[L::feInscricao]);
    const qint64 chave = U::ParaInteiro64(t + insc);
    const qint64 ultima = U::ParaInteiro64(ultTipoEmpresa_ + ultInscEmpresa_);
    if (chave < ultima)
      Registrar(232, t + insc);
    if (RegistroValido && t == ultTipoEmpresa_ && insc == ultInscEmpresa_)
      Registrar(386, t + insc);
    ultTipoEmpresa_ = t;
    ultInscEmpresa_ = insc;
    return RegistroValido;
  }
  if (!EhVinculo(tipo))
    return true;
  const QString t = LerCampo(l, CampoTipoInscricao), insc = LerCampo(l, CampoInscricao);
  const QString textoPis = LerCampo(l, CampoPis);
  const int tipoInsc = t.toInt();
  const qint64 inscricao = U::ParaInteiro64(insc);
  const qint64 pis = U::ParaInteiro64(textoPis);
  const int categoria = LerCampo(l, CampoCategoria).toInt();
  const TDateTime admissao = DataCampoArquivo(LerCampo(l, CampoAdmissao));
  if (tipo == rgTrabalhador) {
    if (t != ultTipoEmpresa_ || insc != ultInscEmpresa_)
      Registrar(349, t + insc);
    if (RegistroValido && inscricao == ultInscricao_ && tipoInsc == ultTipo_) {
      const bool fora = pis < ultPIS_ || (pis == ultPIS_ && admissao < ultAdmissao_) ||
                        (pis == ultPIS_ && admissao == ultAdmissao_ && categoria < ultCategoria_);
      if (fora)
        Registrar(232, textoPis);
    }
    if (RegistroValido && tipoInsc == ultTipo_ && inscricao == ultInscricao_ && pis == ultPIS_ &&
        admissao == ultAdmissao_ && categoria == ultCategoria_)
      Registrar(359, textoPis);
    ultTipo_ = tipoInsc;
    ultInscricao_ = inscricao;
    ultPIS_ = pis;
    ultCategoria_ = categoria;
    ultAdmissao_ = admissao;
    return RegistroValido;
  }
  if (tipoInsc != ultTipo_ || inscricao != ultInscricao_ || pis != ultPIS_ ||
      categoria != ultCategoria_ || admissao != ultAdmissao_)
    Registrar(349, t + insc + textoPis);
  return RegistroValido;
}

// Fills an establishment's address and phone from the block that the header
// and the company record share (at other columns).
namespace {
void PreencherEndereco(TEstabelecimento &e, const QString &l, const TCampoArquivo *campos,
                       const L::TEndereco &b) {
  TEndereco &end = e.Endereco();
  end.DE_LOGRADOURO = AparadoDireita(LerCampo(l, campos[b.Logradouro]));
  end.NO_BAIRRO = AparadoDireita(LerCampo(l, campos[b.Bairro]));
  end.NU_CEP = AparadoDireita(LerCampo(l, campos[b.Cep]));
  end.NO_LOCALIDADE = AparadoDireita(LerCampo(l, campos[b.Cidade]));
  end.SG_UF = AparadoDireita(LerCampo(l, campos[b.UF]));
  const QString fone = LerCampo(l, campos[b.Telefone]);
  e.NU_DDD = fone.left(4);
  e.NU_TELEFONE = fone.mid(4, 8);
}

void PreencherResponsavel(TResponsavel &r, const QString &l) {
  const auto &c = L::Cabecalho;
  r.NU_TIPO_INSO_EMPRA = LerCampo(l, c[L::fcTipoInscricao]).toInt();
  r.NU_INSCRICAO = LerCampo(l, c[L::fcInscricao]);
  r.NO_RAZAO_SOCIAL = AparadoDireita(LerCampo(l, c[L::fcNome]));
  r.NO_CONTATO = AparadoDireita(LerCampo(l, c[L::fcContato]));
  r.CO_ENDERECO_VIRTUAL_CONTATO = AparadoDireita(LerCampo(l, c[L::fcEmail]));
  PreencherEndereco(r, l, c, L::EnderecoCabecalho);
}

void PreencherEmpresa(TEmpresa &e, const QString &l) {
  const auto &c = L::Empresa;
  e.NU_TIPO_INSO_EMPRA = LerCampo(l, c[L::feTipoInscricao]).toInt();
  e.NU_INSCRICAO = LerCampo(l, c[L::feInscricao]);
  e.NO_RAZAO_SOCIAL = AparadoDireita(LerCampo(l, c[L::feNome]));
  e.NO_CONTATO.clear();
  e.CO_ENDERECO_VIRTUAL_CONTATO.clear();
  PreencherEndereco(e, l, c, L::EnderecoEmpresa);
  e.NU_IBGE = LerCampo(l, c[L::feCnae]);
  e.NU_SIMPLES = static_cast<qint16>(LerCampo(l, c[L::feSimples]).toInt());
  e.NU_INSS = LerCampo(l, c[L::feFpas]);
}
} // namespace

void TArqFolha::ValidarHeader(const QString &l) {
  const auto &c = L::Cabecalho;
  TResponsavel &r = *responsavel_;
  PreencherResponsavel(r, l);
  ChecarBrancos(l, c[L::fcBrancos1]);
  const QString remessa = LerCampo(l, c[L::fcRemessa]);
  if (ChecarDigitos(remessa, c[L::fcRemessa]) && remessa != u'2')
    Registrar(131, remessa);
  const QString tipo = LerCampo(l, c[L::fcTipoInscricao]);
  if (ChecarDigitos(tipo, c[L::fcTipoInscricao]) && !r.ValidarTipoInscricao())
    RegistrarCodigo(r, tipo);
  const QString insc = LerCampo(l, c[L::fcInscricao]);
  if (ChecarDigitos(insc, c[L::fcInscricao]) && !r.ValidarInscricao())
    RegistrarCodigo(r, insc);
  if (!r.ValidarRazaoSocial())
    RegistrarCodigo(r, LerCampo(l, c[L::fcNome]));
  if (!r.ValidarNomeContato())
    RegistrarCodigo(r, LerCampo(l, c[L::fcContato]));
  ValidarEnderecoTelefone(r, l, c, L::EnderecoCabecalho);
  if (!r.ValidarEmail())
    RegistrarCodigo(r, LerCampo(l, c[L::fcEmail]));
  const QString data = LerCampo(l, c[L::fcDataRecolhimento]);
  const QString conteudo = QString::fromUtf8(c[L::fcDataRecolhimento].Rotulo) + data;
  dataRecolhimento_ = DataCampoArquivo(data);
  if (dataRecolhimento_ == NullDate)
    Registrar(62, conteudo);
  else if (dataRecolhimento_ == DataNaoValida)
    Registrar(63, conteudo);
  else {
    if (!DentroJanelaRecolhimento(dataRecolhimento_))
      Registrar(201, conteudo);
    if (!U::EhDiaUtil(dataRecolhimento_))
      Registrar(397, conteudo);
  }
  ChecarBrancos(l, c[L::fcBrancos2]);
  ChecarFimRegistro(l);
}

void TArqFolha::ValidarEnderecoTelefone(TEstabelecimento &est, const QString &l,
                                        const TCampoArquivo *campos, const L::TEndereco &b) {
  TEndereco &end = est.Endereco();
  if (!end.ValidarLogradouro())
    RegistrarCodigo(end, LerCampo(l, campos[b.Logradouro]));
  if (!end.ValidarBairro())
    RegistrarCodigo(end, LerCampo(l, campos[b.Bairro]));
  const QString cep = LerCampo(l, campos[b.Cep]);
  if (ChecarDigitos(cep, campos[b.Cep]) && !end.ValidarCEP())
    RegistrarCodigo(end, cep);
  if (!end.ValidarMunicipio())
    RegistrarCodigo(end, LerCampo(l, campos[b.Cidade]));
  if (!end.ValidarUF())
    RegistrarCodigo(end, LerCampo(l, campos[b.UF]));
  const QString fone = LerCampo(l, campos[b.Telefone]);
  if (ChecarDigitos(fone, campos[b.Telefone])) {
    if (!est.ValidarTelefone())
      RegistrarCodigo(est, fone);
    if (!est.ValidarDDD())
      RegistrarCodigo(est, fone);
  }
}

void TArqFolha::ValidarEmpresa(const QString &l) {
  const auto &c = L::Empresa;
  TEmpresa &e = *empresa_;
  PreencherEmpresa(e, l);
  const QString zeros = LerCampo(l, c[L::feZeros]);
  if (!(zeros.size() == c[L::feZeros].Tamanho && U::TodosZeros(zeros, c[L::feZeros].Tamanho)))
    Registrar(13, zeros);
  if (!e.ValidarRazaoSocial())
    RegistrarCodigo(e, LerCampo(l, c[L::feNome]));
  ValidarEnderecoTelefone(e, l, c, L::EnderecoEmpresa);
  const QString cnae = LerCampo(l, c[L::feCnae]);
  if (ChecarDigitos(cnae, c[L::feCnae]) && !e.ValidarCNAE())
    RegistrarCodigo(e, cnae);
  const QString simples = LerCampo(l, c[L::feSimples]);
  const QString fpas = LerCampo(l, c[L::feFpas]);
  const bool fpasOk = fpas.size() == c[L::feFpas].Tamanho && U::SomenteNumeros(fpas);
  if (ChecarDigitos(simples, c[L::feSimples]) && fpasOk && !e.ValidarSimples())
    RegistrarCodigo(e, simples);
  if (ChecarDigitos(fpas, c[L::feFpas]) && !e.ValidarFPAS())
    RegistrarCodigo(e, fpas);
  ultFpas_ = fpas;
  ChecarBrancos(l, c[L::feBrancos]);
  ChecarFimRegistro(l);
}

void TArqFolha::ValidarTrailer(const QString &l) {
  const auto &c = L::Trailer;
  const QString noves = LerCampo(l, c[L::fpNoves]);
  if (!(noves.size() == c[L::fpNoves].Tamanho && U::TodosNoves(noves, c[L::fpNoves].Tamanho)))
    Registrar(10, noves);
  ChecarBrancos(l, c[L::fpBrancos1]);
  ChecarBrancos(l, c[L::fpBrancos2]);
  ChecarFimRegistro(l);
}

// ------------------------------------------------------- worker record (40)

namespace {
// Numeric field read as a number; 0 when it is not one (the digits check
// reports it).
int Inteiro(const QString &s) {
  return U::SomenteNumeros(s) && !s.isEmpty() ? s.toInt() : 0;
}
qint64 Inteiro64(const QString &s) {
  return U::SomenteNumeros(s) && !s.isEmpty() ? s.toLongLong() : 0;
}
double Valor15(const QString &s) {
  if (s.size() != 15 || !U::SomenteNumeros(s))
    return 0;
  return s.toLongLong() / 100.0;
}

// Fills worker, link and termination information from a "40" line exactly as
// they are stored.
void PreencherTrabalhador(TTrabalhador &t, const QString &l, const QString &fpas) {
  const auto &T = L::Trabalhador;
  t.Limpar();
  t.Inicializar();
  t.NU_PIS = LerCampo(l, T[L::ftPis]);
  t.NO_EMPREGADO = AparadoDireita(LerCampo(l, T[L::ftNome]));
  t.NU_CTPS = ZerosVazio(LerCampo(l, T[L::ftCtps]));
  t.NU_SERIE_CTPS = ZerosVazio(LerCampo(l, T[L::ftSerieCtps]));
  t.IC_SEXO = Inteiro(LerCampo(l, T[L::ftSexo]));
  t.NU_GRAU_INSTRUCAO = LerCampo(l, T[L::ftGrauInstrucao]);
  t.DT_NASCIMENTO = DataCampoArquivo(LerCampo(l, T[L::ftNascimento]));
  t.NU_INSCRICAO_CPF = ZerosVazio(LerCampo(l, T[L::ftCpf]));
  t.NU_DDD_CELULAR = 0;
  t.NU_TEL_CELULAR = 0;

  TVinculo &v = t.Vinculo();
  v.CarregarAssociados = false;
  v.DefinirTrabalhador(&t);
  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(Inteiro(LerCampo(l, T[L::ftTipoInscricao])));
  v.NU_INSCRICAO = Inteiro64(LerCampo(l, T[L::ftInscricao]));
  v.NU_PIS = Inteiro64(t.NU_PIS);
  const QString cat = LerCampo(l, T[L::ftCategoria]);
  v.NU_CATEGORIA = static_cast<qint8>(cat.size() == 2 && U::SomenteNumeros(cat) ? cat.toInt() : -1);
  v.DT_ADMISSAO_VINCULO = DataCampoArquivo(LerCampo(l, T[L::ftAdmissao]));
  v.IC_ESTADO_MOVIMENTO = 0;
  v.NU_TIPO_INSO_TMDR = static_cast<quint8>(Inteiro(LerCampo(l, T[L::ftTipoInscricaoTomador])));
  v.NU_INSCRICAO_TMDR = Inteiro64(LerCampo(l, T[L::ftInscricaoTomador]));
  v.QT_HORAS_TRBS_SMNA = Inteiro(LerCampo(l, T[L::ftHoras]));
  v.CO_CBO = AparadoDireita(LerCampo(l, T[L::ftCbo])).toUpper();
  v.DT_OPCAO = DataCampoArquivo(LerCampo(l, T[L::ftOpcao]));
  v.CO_MOVIMENTACAO = AparadoDireita(LerCampo(l, T[L::ftMovimentacao])).toUpper();
  v.DT_MOVIMENTACAO_VINCULO = DataCampoArquivo(LerCampo(l, T[L::ftDataMovimentacao]));
  v.CO_SAQUE = AparadoDireita(LerCampo(l, T[L::ftSaque]));
  v.IC_AVISO_PREVIO = static_cast<quint8>(Inteiro(LerCampo(l, T[L::ftAviso])));
  v.DT_INICIO_AVISO_PRVO = DataCampoArquivo(LerCampo(l, T[L::ftInicioAviso]));
  v.IC_REPOSICAO_VAGAS = LerCampo(l, T[L::ftReposicaoVagas]);
  v.NU_BANCO_CONTA = ZerosVazio(LerCampo(l, T[L::ftBanco]));
  v.NU_AGENCIA_CONTA = ZerosVazio(LerCampo(l, T[L::ftAgencia]));
  v.NU_CONTA_BANCARIA = ZerosVazio(LerCampo(l, T[L::ftConta]));
  v.IC_CONSIGNADO = QStringLiteral("N");

  TEmpresa &e = v.Empresa();
  e.CarregarAssociados = false;
  e.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  e.NU_INSCRICAO = LerCampo(l, T[L::ftInscricao]);
  e.NU_INSS = fpas;

  TRescisao &r = v.Rescisao();
  r.CarregarAssociados = false;
  r.DefinirVinculo(&v);
  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.NU_PIS = v.NU_PIS;
  r.NU_CATEGORIA = v.NU_CATEGORIA;
  r.DT_ADMISSAO_VINCULO = v.DT_ADMISSAO_VINCULO;
  r.DT_DISSIDIO = DataCampoArquivo(LerCampo(l, T[L::ftDataDissidio]));
  r.VR_DISSIDIO = Valor15(LerCampo(l, T[L::ftValorDissidio]));
  r.VR_REMUNERACAO_ANTERIOR_RSCSO = Valor15(LerCampo(l, T[L::ftRemuneracaoAnterior]));
  r.VR_REMUNERACAO_RESCISAO = Valor15(LerCampo(l, T[L::ftRemuneracaoRescisao]));
  r.VR_AVISO_PREVIO = Valor15(LerCampo(l, T[L::ftAvisoIndenizado]));
  r.IC_TIPO_PNSO_ALMNA = LerCampo(l, T[L::ftTipoPensao]).toUpper();
  const double percentual = Inteiro(LerCampo(l, T[L::ftPercentualPensao]));
  const double pensao = Valor15(LerCampo(l, T[L::ftValorPensao]));
  r.VR_PENSAO_ALMNA = r.IC_TIPO_PNSO_ALMNA == u'P'   ? percentual
                      : r.IC_TIPO_PNSO_ALMNA == u'V' ? pensao
                                                     : 0;
  r.VR_SALDO_RESCISORIO = Valor15(LerCampo(l, T[L::ftSaldoInformado]));
  r.IC_ORIGEM_SALDO_RESCISORIO =
      r.VR_SALDO_RESCISORIO > 0 ? QStringLiteral("E") : QStringLiteral("N");
  // Values the calculation writes later start empty.
  r.VR_DEPOSITO_CMPLO_SALDO = 0;
}
} // namespace

void TArqFolha::ValidarTrabalhador(const QString &l) {
  const auto &T = L::Trabalhador;
  TTrabalhador &t = *trabalhador_;
  PreencherTrabalhador(t, l, ultFpas_);
  TVinculo &v = t.Vinculo();
  TRescisao &r = v.Rescisao();
  r.DefinirAliquotas(&gravados_.Aliquotas());
  ultNascimento_ = t.DT_NASCIMENTO;
  ultDissidio_ = r.DT_DISSIDIO;
  ultOpcao_ = v.DT_OPCAO;
  ultMovimentacao_ = v.DT_MOVIMENTACAO_VINCULO;
  ultCodMovimentacao_ = v.CO_MOVIMENTACAO;

  auto codigo = [this](const TNegocio &o, bool ok, const QString &conteudo) {
    if (!ok)
      RegistrarCodigo(o, conteudo);
  };
  TDateTime d;

  const QString tipoTmdr = LerCampo(l, T[L::ftTipoInscricaoTomador]),
                inscTmdr = LerCampo(l, T[L::ftInscricaoTomador]);
  if (ChecarDigitos(tipoTmdr, T[L::ftTipoInscricaoTomador]))
    codigo(v, v.ValidarTomador(), tipoTmdr);
  if (ChecarDigitos(inscTmdr, T[L::ftInscricaoTomador]))
    codigo(v, v.ValidarInscricaoTomador(), inscTmdr);

  const QString adm = LerCampo(l, T[L::ftAdmissao]);
  const auto doPis = trabalhadoresPorPis_.constFind(t.NU_PIS);
  static const TArrRegRegistro nenhum;
  if (!v.ValidarDataAdmissao(true, doPis != trabalhadoresPorPis_.constEnd() ? &*doPis : &nenhum,
                             gravados_.PrimeiraAdmissao(v.NU_PIS)))
    RegistrarCodigo(v,
                    v.CodigoErro == QStringLiteral("0443") ? LerCampo(l, T[L::ftNascimento]) : adm);
  const QString cat = LerCampo(l, T[L::ftCategoria]);
  const QString categoria = QString::number(v.NU_CATEGORIA);
  codigo(v,
         ChecarUmaVez(QStringLiteral("cat|%1|%2|%3|%4")
                          .arg(categoria, QString::number(v.NU_TIPO_INSO_EMPRA), v.CO_MOVIMENTACAO,
                               ultFpas_),
                      v, [&v] { return v.ValidarCategoria(false); }),
         cat);
  codigo(t, t.ValidarNome(), LerCampo(l, T[L::ftNome]));

  const QString ctps = LerCampo(l, T[L::ftCtps]);
  if (ChecarDigitos(ctps, T[L::ftCtps]))
    codigo(t, t.ValidarCTPS(false), ctps);
  const QString serie = LerCampo(l, T[L::ftSerieCtps]);
  if (ChecarDigitos(serie, T[L::ftSerieCtps]))
    codigo(t, t.ValidarSerieCTPS(false), serie);
  const QString sexo = LerCampo(l, T[L::ftSexo]);
  if (ChecarDigitos(sexo, T[L::ftSexo]))
    codigo(t, t.ValidarSexo(), sexo);
  const QString grau = LerCampo(l, T[L::ftGrauInstrucao]);
  if (ChecarDigitos(grau, T[L::ftGrauInstrucao]))
    codigo(t,
           ChecarUmaVez(QStringLiteral("grau|") + t.NU_GRAU_INSTRUCAO, t,
                        [&t] { return t.ValidarGrauInstrucao(); }),
           grau);
  const QString nasc = LerCampo(l, T[L::ftNascimento]);
  if (ChecarData(nasc, T[L::ftNascimento], d))
    codigo(t, t.ValidarDataNascimento(), nasc);
  const QString horas = LerCampo(l, T[L::ftHoras]);
  if (ChecarDigitos(horas, T[L::ftHoras]))
    codigo(v, v.ValidarHorasSemanais(), horas);
  codigo(v,
         ChecarUmaVez(QStringLiteral("cbo|%1|%2").arg(categoria, v.CO_CBO), v,
                      [&v] { return v.ValidarCBO(); }),
         LerCampo(l, T[L::ftCbo]));
  const QString opcao = LerCampo(l, T[L::ftOpcao]);
  if (ChecarData(opcao, T[L::ftOpcao], d))
    codigo(v, v.ValidarDataOpcao(), opcao);
  const QString mov = LerCampo(l, T[L::ftMovimentacao]);
  codigo(v,
         ChecarUmaVez(QStringLiteral("mov|%1|%2")
                          .arg(v.CO_MOVIMENTACAO, r.VR_SALDO_RESCISORIO > 0 ? u'+' : u'0'),
                      v, [&v] { return v.ValidarMovimentacao(); }),
         mov);
  const QString dtMov = LerCampo(l, T[L::ftDataMovimentacao]);
  if (ChecarData(dtMov, T[L::ftDataMovimentacao], d)) {
    codigo(v, v.ValidarDataMovimentacao(gravados_.UltimoComplemento(v)), dtMov);
  }
  codigo(
      v,
      ChecarUmaVez(QStringLiteral("saque|%1|%2|%3").arg(v.CO_SAQUE, v.CO_MOVIMENTACAO, categoria),
                   v, [&v] { return v.ValidarSaque(); }),
      LerCampo(l, T[L::ftSaque]));

  const QString aviso = LerCampo(l, T[L::ftAviso]);
  bool avisoOk = ChecarDigitos(aviso, T[L::ftAviso]);
  if (avisoOk && !v.ValidarAvisoPrevio()) {
    RegistrarCodigo(v, aviso);
    avisoOk = false;
  }
  if (avisoOk) {
    const QString inicio = LerCampo(l, T[L::ftInicioAviso]);
    if (ChecarData(inicio, T[L::ftInicioAviso], d))
      codigo(v, v.ValidarInicioAvisoPrevio(), inicio);
  }
  codigo(v, v.ValidarReposicaoVagas(), LerCampo(l, T[L::ftReposicaoVagas]));

  const QString dtDiss = LerCampo(l, T[L::ftDataDissidio]);
  bool dissOk = ChecarData(dtDiss, T[L::ftDataDissidio], d);
  if (dissOk && !r.ValidarDataDissidio()) {
    RegistrarCodigo(r, dtDiss);
    dissOk = false;
  }
  if (dissOk) {
    const QString vrDiss = LerCampo(l, T[L::ftValorDissidio]);
    if (ChecarDigitos(vrDiss, T[L::ftValorDissidio]))
      codigo(r, r.ValidarValorDissidio(), vrDiss);
  }

  const QString remAnt = LerCampo(l, T[L::ftRemuneracaoAnterior]);
  if (ChecarDigitos(remAnt, T[L::ftRemuneracaoAnterior])) {
    if (!v.ValidarMovimentacaoPeriodo())
      RegistrarCodigo(v, QStringLiteral("Informações Rescisão - Reforma Trabalhista: ") +
                             v.DetalheErro);
    codigo(r, r.ValidarRemuneracaoAnterior(), remAnt);
  }
  const QString remResc = LerCampo(l, T[L::ftRemuneracaoRescisao]);
  if (ChecarDigitos(remResc, T[L::ftRemuneracaoRescisao]))
    codigo(r, r.ValidarRemuneracaoRescisao(), remResc);
  const QString vrAviso = LerCampo(l, T[L::ftAvisoIndenizado]);
  if (ChecarDigitos(vrAviso, T[L::ftAvisoIndenizado])) {
    codigo(r, r.ValidarAvisoPrevioIndenizado(), vrAviso);
    codigo(r, r.ValidarValoresSemRemuneracao(true), mov);
  }

  // Alimony: the type decides which of the two amounts may be filled.
  codigo(r, r.ValidarTipoPensao(), LerCampo(l, T[L::ftTipoPensao]));
  const QString tipoPensao = r.IC_TIPO_PNSO_ALMNA;
  const QString pct = LerCampo(l, T[L::ftPercentualPensao]),
                vrPensao = LerCampo(l, T[L::ftValorPensao]);
  const bool pctOk = ChecarDigitos(pct, T[L::ftPercentualPensao]);
  const bool vrOk = ChecarDigitos(vrPensao, T[L::ftValorPensao]);
  const double guardado = r.VR_PENSAO_ALMNA;
  if (pctOk) {
    if ((tipoPensao == u'P' || tipoPensao == u'N') && vrOk && Valor15(vrPensao) != 0)
      Registrar(334, vrPensao);
    if (tipoPensao == u'P') {
      r.VR_PENSAO_ALMNA = Inteiro(pct);
      codigo(r, r.ValidarPensaoPercentualLimite(), pct);
    }
  }
  if (vrOk) {
    if ((tipoPensao == u'V' || tipoPensao == u'N') && pctOk && Inteiro(pct) != 0)
      Registrar(335, pct);
    if (tipoPensao == u'V') {
      r.VR_PENSAO_ALMNA = Valor15(vrPensao);
      codigo(r, r.ValidarPensaoValorInformado(), vrPensao);
    }
  }
  r.VR_PENSAO_ALMNA = guardado;

  const QString cpf = LerCampo(l, T[L::ftCpf]);
  if (ChecarDigitos(cpf, T[L::ftCpf]))
    codigo(t, t.ValidarCPF(), cpf);
  const QString banco = LerCampo(l, T[L::ftBanco]);
  if (ChecarDigitos(banco, T[L::ftBanco]) && v.ValidarBanco()) {
    const QString agencia = LerCampo(l, T[L::ftAgencia]);
    if (ChecarDigitos(agencia, T[L::ftAgencia]) && v.ValidarAgencia()) {
      const QString conta = LerCampo(l, T[L::ftConta]);
      if (ChecarDigitos(conta, T[L::ftConta]))
        codigo(v, v.ValidarConta(), conta);
    } else if (!v.CodigoErro.isEmpty()) {
      RegistrarCodigo(v, agencia);
    }
  } else if (!v.CodigoErro.isEmpty() && banco.size() == 3 && U::SomenteNumeros(banco)) {
    RegistrarCodigo(v, banco);
  }
  ChecarDigitos(LerCampo(l, T[L::ftSaldoInformado]), T[L::ftSaldoInformado]);
  ChecarBrancos(l, T[L::ftBrancos]);
  ChecarFimRegistro(l);
}

// ---------------------------------------------------- complements (43-45)

namespace {
void DefinirChaveComplemento(TComplementoSaldo &c, const QString &l) {
  const auto &C = L::Complemento;
  c.DefinirChave(Inteiro(LerCampo(l, C[L::fmTipoInscricao])),
                 Inteiro64(LerCampo(l, C[L::fmInscricao])), Inteiro64(LerCampo(l, C[L::fmPis])),
                 Inteiro(LerCampo(l, C[L::fmCategoria])),
                 DataCampoArquivo(LerCampo(l, C[L::fmAdmissao])));
}
} // namespace

void TArqFolha::ValidarComplemento(int tipo, const QString &l) {
  TComplementoSaldo &c = *complemento_;
  const auto &C = L::Complemento;
  DefinirChaveComplemento(c, l);
  c.NU_COMPLEMENTO = QString::number(tipo - 42);
  // The link's dates are those of the preceding worker record.
  TVinculo &v = c.Vinculo();
  v.DT_OPCAO = ultOpcao_;
  v.DT_MOVIMENTACAO_VINCULO = ultMovimentacao_;
  v.CO_MOVIMENTACAO = ultCodMovimentacao_;
  c.Rescisao().DT_DISSIDIO = ultDissidio_;

  if (!c.ValidarComplementoPermitido()) {
    Registrar(710, QString());
    return;
  }
  const QString zero = LerCampo(l, C[L::fmZero]), zeros = LerCampo(l, C[L::fmZeros]);
  if (zero != QStringLiteral("0"))
    Registrar(13, zero);
  if (!(zeros.size() == C[L::fmZeros].Tamanho && U::TodosZeros(zeros, C[L::fmZeros].Tamanho)))
    Registrar(13, zeros);

  auto competencia = [&](int k) { return LerCampo(l, L::Competencia(k)); };
  auto valor = [&](int k) { return LerCampo(l, L::ValorCompetencia(k)); };
  auto vazio = [&](int k) { return Inteiro(competencia(k)) == 0 && Valor15(valor(k)) == 0; };
  bool todosVazios = true;
  for (int k = 1; k <= L::ParesComplemento; ++k)
    if (!(U::TodosZeros(competencia(k), 6) && U::TodosZeros(valor(k), 15)))
      todosVazios = false;
  if (todosVazios)
    Registrar(360, U::DataParaTexto(ultDissidio_));
  for (int k = 2; k <= L::ParesComplemento; ++k)
    if (Inteiro(competencia(k)) > 0 && Valor15(valor(k)) > 0 && vazio(k - 1))
      Registrar(361, competencia(k) + valor(k));

  for (int k = 1; k <= L::ParesComplemento; ++k) {
    const QString comp = competencia(k);
    const QString ano = comp.left(4), mes = comp.mid(4, 2);
    const QString chave = LerCampo(l, C[L::fmTipoRegistro]) + ano + mes;
    if (comp != QStringLiteral("000000") && competenciasVistas_.contains(chave))
      Registrar(292, ano + mes);
    else
      competenciasVistas_.insert(chave);
    c.AA_COMPETENCIA = ano;
    c.MM_COMPETENCIA = mes;
    if (!c.ValidarCompetencia(true))
      RegistrarCodigo(c, mes + ano);
    const QString vr = valor(k);
    if (ChecarDigitos(vr, L::ValorCompetencia(k))) {
      c.VR_REMUNERACAO = Valor15(vr);
      if (!c.ValidarRemuneracao())
        RegistrarCodigo(c, vr);
    }
  }
  ChecarBrancos(l, C[L::fmBrancos]);
  ChecarFimRegistro(l);
}

// ------------------------------------------------------------------- pass 4

bool TArqFolha::GravarInformacoes() {
  Etapa(3);
  if (!IbxUtils->EmTransacao())
    IbxUtils->IniciarTransacao();
  ReiniciarChaves();
  const int n = Linhas.size();
  int falha = 0; // line of the first failed write
  // The states are read once, before anything of this import is written.
  estadosAnteriores_.clear();
  {
    TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
        "SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
        "IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO"));
    for (ds->First(); !ds->Eof(); ds->Next())
      estadosAnteriores_.insert(ChaveVinculo(ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(),
                                             ds->Fields(2).AsInt64(), ds->Fields(3).AsInteger(),
                                             ds->Fields(4).AsDateTime()),
                                ds->Fields(5).AsInteger());
  }
  CarregarGravadosGravacao();
  QString codigoFalha;   // message code of the object that failed
  QString conteudoFalha; // content for 372
  try {
    for (int i = 0; i < n; ++i) {
      VerificarCancelamento();
      linha_ = i + 1;
      NovoNo = false;
      const QString &l = Linhas.at(i);
      const int tipo = TipoDaLinha(l);
      bool ok = true;
      TNegocio *objeto = nullptr;
      try {
        switch (tipo) {
        case rgHeader:
          objeto = responsavel_.get();
          ok = GravarHeader();
          break;
        case rgEmpresa:
          objeto = empresa_.get();
          ok = GravarEmpresa();
          break;
        case rgTrabalhador:
          objeto = trabalhador_.get();
          ok = GravarTrabalhador();
          break;
        default:
          if (EhComplemento(tipo)) {
            objeto = complemento_.get();
            ok = GravarComplemento(tipo, l);
            if (!ok && complemento_->CodigoErro == QStringLiteral("0372"))
              conteudoFalha = complemento_->MM_COMPETENCIA + complemento_->AA_COMPETENCIA;
          }
        }
      } catch (const ECancelado &) {
        throw;
      } catch (const std::exception &) {
        ok = false;
      }
      if (!ok) {
        falha = i + 1;
        codigoFalha = objeto ? objeto->CodigoErro : QString();
        break;
      }
      Avancar(NovoNo);
    }
    if (!falha) {
      VerificarCancelamento();
      complemento_->AtualizarTotais();
      // The list of an earlier refused file goes with this file's data.
      if (!ConcluirInconsistencias())
        throw ENegocio(QStringLiteral("Falha ao excluir as inconsistências anteriores."));
      IbxUtils->ConfirmarTransacao();
      Etapa(7);
      return true;
    }
  } catch (const ECancelado &) {
    if (IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    throw;
  } catch (const std::exception &) {
    if (!falha)
      falha = n; // the closing totals failed
  }
  if (IbxUtils->EmTransacao())
    IbxUtils->DesfazerTransacao();
  // The failure is recorded after the rollback so that it stays.
  linha_ = falha;
  const TRegRegistro vazio;
  const TRegRegistro &r0 = Indice.empty() ? vazio : Indice.front();
  if (codigoFalha == QStringLiteral("0372"))
    RegistrarInconsistencia(conteudoFalha, QStringLiteral("00"), falha, 372, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome);
  else
    RegistrarInconsistencia(QString(), QStringLiteral("00"), falha, 250, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome);
  return false;
}

void TArqFolha::CarregarGravadosGravacao() {
  trabalhadoresGravados_.clear();
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral("SELECT NU_PIS FROM QZLTBG03_EMPREGADO"));
  for (ds->First(); !ds->Eof(); ds->Next())
    trabalhadoresGravados_.insert(ds->Fields(0).AsInt64());
  chavesComDependentes_.clear();
  ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO FROM "
      "QZLTBG22_EMPREGADO_CNSGTRA UNION SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
      "NU_CATEGORIA, DT_ADMISSAO_VINCULO FROM QZLTBG30_REPOSICAO_VAGA"));
  for (ds->First(); !ds->Eof(); ds->Next())
    chavesComDependentes_.insert(ChaveVinculo(ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(),
                                              ds->Fields(2).AsInt64(), ds->Fields(3).AsInteger(),
                                              ds->Fields(4).AsDateTime()));
}

bool TArqFolha::GravarHeader() {
  TResponsavel &r = *responsavel_;
  const QString &l = Linhas.at(linha_ - 1);
  r.Limpar();
  r.Inicializar();
  PreencherResponsavel(r, l);
  dataRecolhimento_ = DataCampoArquivo(LerCampo(l, L::Cabecalho[L::fcDataRecolhimento]));
  r.DT_PAGAMENTO = dataRecolhimento_;
  if (Contar(QStringLiteral("SELECT COUNT(*) FROM QZLTBG02_EMPRESA")) == 0)
    NovoNo = true;
  if (!r.Gravar())
    return false;
  return r.GravarAbertura();
}

bool TArqFolha::GravarEmpresa() {
  TEmpresa &e = *empresa_;
  const QString &l = Linhas.at(linha_ - 1);
  e.Limpar();
  e.Inicializar();
  PreencherEmpresa(e, l);
  ultFpas_ = e.NU_INSS;
  const int tipo = e.NU_TIPO_INSO_EMPRA;
  const qint64 insc = Inteiro64(e.NU_INSCRICAO);
  const bool existe =
      Contar(QStringLiteral("SELECT COUNT(*) FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = ") +
             QString::number(tipo) + QStringLiteral(" AND NU_INSCRICAO = ") +
             QString::number(insc) + QStringLiteral(" AND IC_ESTADO_EMPRESA IN ('E', 'A')")) > 0;
  if (existe) {
    if (!e.Alterar())
      return false;
    const TRegRegistro &r0 = Indice.front();
    if (Inteiro(r0.TipoInscricao) == tipo && Inteiro64(r0.Inscricao) == insc)
      e.PromoverResponsavel();
    return true;
  }
  NovoNo = true;
  return e.Incluir();
}

bool TArqFolha::GravarTrabalhador() {
  TTrabalhador &t = *trabalhador_;
  const QString &l = Linhas.at(linha_ - 1);
  PreencherTrabalhador(t, l, ultFpas_);
  TVinculo &v = t.Vinculo();
  ultOpcao_ = v.DT_OPCAO;
  ultMovimentacao_ = v.DT_MOVIMENTACAO_VINCULO;
  ultCodMovimentacao_ = v.CO_MOVIMENTACAO;
  ultDissidio_ = v.Rescisao().DT_DISSIDIO;
  const QString chave = CondicaoVinculo(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS,
                                        v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO);
  const QString chaveVinculo = ChaveVinculo(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS,
                                            v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO);
  // The state the link had before this import decides what is kept.
  const auto estado = estadosAnteriores_.constFind(chaveVinculo);
  if (estado == estadosAnteriores_.constEnd()) {
    NovoNo = true;
    // The file holds each link once (the checks refuse repeated keys), so a
    // link not stored before the import is not stored now either.
    TTrabalhador::TSituacaoGravada situacao;
    situacao.TrabalhadorGravado = trabalhadoresGravados_.contains(v.NU_PIS);
    situacao.DependentesGravados = chavesComDependentes_.contains(chaveVinculo);
    if (!t.Incluir(situacao))
      return false;
    trabalhadoresGravados_.insert(v.NU_PIS);
    return true;
  }
  const int anterior = *estado;
  // A link of a closed run goes back to the next run with its new data.
  v.IC_ESTADO_MOVIMENTO = static_cast<quint8>(anterior == 2 ? 0 : anterior);
  if (!t.Alterar(false))
    return false;
  IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE ") + chave);
  IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG07_COMPLEMENTO_SALDO WHERE ") + chave);
  if (anterior != 2 && anterior != 3)
    IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE ") +
                          chave);
  if (v.Rescisao().IC_ORIGEM_SALDO_RESCISORIO == u'N')
    t.AtualizarSaldoRescisorio(v.NU_TIPO_INSO_EMPRA, v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO,
                               v.NU_PIS, v.NU_INSCRICAO);
  return true;
}

bool TArqFolha::GravarComplemento(int tipo, const QString &l) {
  TComplementoSaldo &c = *complemento_;
  DefinirChaveComplemento(c, l);
  c.NU_COMPLEMENTO = QString::number(tipo - 42);
  TVinculo &v = c.Vinculo();
  v.NU_CATEGORIA = static_cast<qint8>(c.NU_CATEGORIA);
  v.DT_OPCAO = ultOpcao_;
  v.DT_MOVIMENTACAO_VINCULO = ultMovimentacao_;
  v.CO_MOVIMENTACAO = ultCodMovimentacao_;
  c.Rescisao().DT_DISSIDIO = ultDissidio_;
  bool primeiro = false;
  for (int k = 1; k <= L::ParesComplemento; ++k) {
    const QString comp = LerCampo(l, L::Competencia(k));
    if (Inteiro(comp) <= 0)
      continue;
    c.AA_COMPETENCIA = comp.left(4);
    c.MM_COMPETENCIA = comp.mid(4, 2);
    c.VR_REMUNERACAO = Valor15(LerCampo(l, L::ValorCompetencia(k)));
    if (!c.Incluir())
      return false;
    if (k == 1)
      primeiro = true;
  }
  if (!primeiro && c.CodigoErro.isEmpty())
    c.CodigoErro = QStringLiteral("0250");
  return primeiro;
}
