#include "unArqGuia.h"

#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/unCentavos.h"
#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QDate>

using namespace LeiauteRescisorio;

namespace {
using U = TUtilitarios;

bool SoDigitos(const QString &s) {
  for (QChar c : s)
    if (c < u'0' || c > u'9')
      return false;
  return true;
}

// Columns 1-2 as a number; -1 when they are not two digits.
int TipoDaLinha(const QString &linha) {
  const QString t = linha.left(2);
  if (t.size() != 2 || !SoDigitos(t))
    return -1;
  return t.toInt();
}

bool TipoConhecido(int t) {
  switch (t) {
  case rgCabecalho:
  case rgEmpresa:
  case rgVinculo:
  case rgValores:
  case rgComplemento1:
  case rgComplemento2:
  case rgComplemento3:
  case rgTrailerEmpresa:
  case rgTrailer:
    return true;
  default:
    return false;
  }
}

bool EhLinhaVinculo(int t) {
  return t == rgVinculo || t == rgValores || t == rgComplemento1 || t == rgComplemento2 ||
         t == rgComplemento3;
}

int TamanhoSemBrancosFinais(const QString &s) {
  int n = s.size();
  while (n > 0 && s.at(n - 1) == u' ')
    --n;
  return n;
}

QString AparadoDireita(const QString &s) {
  return s.left(TamanhoSemBrancosFinais(s));
}

// A number field as a number; 0 when empty or not all digits.
qint64 Numero(const QString &s) {
  return !s.isEmpty() && SoDigitos(s) ? s.toLongLong() : 0;
}

// A DDMMYYYY field; the empty date when it is not one (its check reports it).
TDateTime Data(const QString &s) {
  const TDateTime d = DataCampoArquivo(s);
  return d == DataNaoValida ? NullDate : d;
}

// YYYYMMDD read through the day-first reader.
TDateTime DataAnoPrimeiroCampo(const QString &s) {
  if (s.size() != 8)
    return DataCampoArquivo(s);
  return DataCampoArquivo(s.mid(6, 2) + s.mid(4, 2) + s.left(4));
}

// A zero-filled field that holds only zeros means "not informed".
QString ZerosVazio(const QString &s) {
  for (QChar c : s)
    if (c != u'0')
      return s;
  return QString();
}

double Valor(const QString &s) {
  return TCentavos::DeCentavos(Numero(s)).Valor();
}
} // namespace

qint64 TRegistroGuia::Numero(int i) const {
  return ::Numero(Campos.at(i));
}

TArqGuia::TArqGuia()
    : responsavel_(std::make_unique<TResponsavel>()),
      guiaEmpresa_(std::make_unique<TGuiaEmpresa>()),
      guiaTrabalhador_(std::make_unique<TGuiaTrabalhador>()) {
  // The objects hold only what a line gives: nothing loads behind them.
  responsavel_->CarregarAssociados = false;
  guiaEmpresa_->CarregarAssociados = false;
  guiaTrabalhador_->CarregarAssociados = false;
  guiaTrabalhador_->Vinculo().CarregarAssociados = false;
  guiaTrabalhador_->Trabalhador().CarregarAssociados = false;
  guiaTrabalhador_->Rescisao().CarregarAssociados = false;
  guiaEmpresa_->Empresa().CarregarAssociados = false;
  Inicializar();
}

TArqGuia::~TArqGuia() = default;

double TArqGuia::TotalGuiaTrabalhador() const {
  return TCentavos::DeCentavos(TotalGuiaTrabalhadorCentavos).Valor();
}

void TArqGuia::Inicializar() {
  IdentificadorArquivo.clear();
  ultTipoEmpresa_.clear();
  ultInscEmpresa_.clear();
  ultCodigoBarras_.clear();
  ultTipo_ = 0;
  ultInscricao_ = 0;
  ultPIS_ = 0;
  ultCategoria_ = 0;
  ultAdmissao_ = NullDate;
  pisVistos_.clear();
  empresa_ = TTotaisGuia();
  arquivo_ = TTotaisGuia();
}

bool TArqGuia::Importar() {
  ArquivoValido = true;
  RegistroValido = true;
  Inicializar();
  return false;
}

void TArqGuia::VerificarCancelamento() const {
  if (Cancelado())
    throw ECancelado();
}

// ------------------------------------------------------------------ registration

void TArqGuia::RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
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

void TArqGuia::Registrar(int Mensagem, const QString &Conteudo) {
  const TRegRegistro vazio;
  const TRegRegistro &r0 = Indice.empty() ? vazio : Indice.front();
  const bool temEntrada = linha_ >= 0 && linha_ < static_cast<int>(Indice.size());
  const TRegRegistro &r = temEntrada ? Indice[static_cast<size_t>(linha_)] : vazio;
  // Without an index (a line read back by the closing) the line's own type.
  const int tipo =
      temEntrada && !r.TipoRegistro.isEmpty() ? TipoDaLinha(r.TipoRegistro) : Registro.Tipo;
  const QString registro = tipo >= 0 ? QString::number(tipo).rightJustified(2, u'0') : QString();
  if (tipo == rgEmpresa)
    RegistrarInconsistencia(Conteudo, registro, linha_ + 1, Mensagem, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome, r.TipoInscricao, r.Inscricao, r.Nome);
  else if (EhLinhaVinculo(tipo))
    RegistrarInconsistencia(Conteudo, registro, linha_ + 1, Mensagem, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome, r.TipoInscricao, r.Inscricao, r.Nome, r.PIS,
                            r.Categoria, r.DataAdmissao, r.NomeTrabalhador);
  else
    RegistrarInconsistencia(Conteudo, registro, linha_ + 1, Mensagem, r0.TipoInscricao,
                            r0.Inscricao, r0.Nome);
}

void TArqGuia::RegistrarSemTipo(int Linha, int Mensagem, const QString &Conteudo) {
  const TRegRegistro vazio;
  const TRegRegistro &r0 = Indice.empty() ? vazio : Indice.front();
  RegistrarInconsistencia(Conteudo, QString(), Linha, Mensagem, r0.TipoInscricao, r0.Inscricao,
                          r0.Nome);
}

void TArqGuia::RegistrarCodigo(const TNegocio &objeto, const QString &Conteudo) {
  const int numero = objeto.CodigoErro.toInt();
  Registrar(numero > 0 ? numero : 396, Conteudo);
}

bool TArqGuia::Checar(int campo) {
  const TCampoArquivo &c = Registro.Definicao(campo);
  const QString &v = Registro.Campo(campo);
  switch (c.Tipo) {
  case TTipoCampoArquivo::Digitos:
  case TTipoCampoArquivo::Valor:
    // An empty field passes (a "10" of 500 characters has no sequence).
    if (SoDigitos(v))
      return true;
    Registrar(11, QString::fromUtf8(c.Rotulo) + v);
    return false;
  case TTipoCampoArquivo::Data:
    if (DataCampoArquivo(v) != DataNaoValida)
      return true;
    Registrar(212, QString::fromUtf8(c.Rotulo) + v);
    return false;
  case TTipoCampoArquivo::DataAnoPrimeiro: {
    const TDateTime d = DataAnoPrimeiroCampo(v);
    // The bank dates of a processed guide must be there.
    if (d != DataNaoValida && (LetraGuia.isEmpty() || DataDefinida(d)))
      return true;
    Registrar(212, QString::fromUtf8(c.Rotulo) + v);
    return false;
  }
  default:
    return true;
  }
}

void TArqGuia::ChecarBrancos(int campo) {
  const QString &v = Registro.Campo(campo);
  if (!CampoEmBranco(v))
    Registrar(9, v);
}

bool TArqGuia::ChecarUmaVez(const QString &chave, TNegocio &objeto,
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

// ------------------------------------------------------------------ reading

bool TArqGuia::LerRegistro(const QString &Linha, int IndiceLinha) {
  return LerRegistro(Linha, IndiceLinha, Registro);
}

bool TArqGuia::LerRegistro(const QString &Linha, int IndiceLinha, TRegistroGuia &Saida) {
  linha_ = IndiceLinha;
  const int tamanho = TamanhoSemBrancosFinais(Linha);
  Saida.Tipo = TipoDaLinha(Linha);
  Saida.Linha = Linha;
  Saida.Campos.clear();
  if (tamanho != TamanhoEnviado && tamanho != TamanhoRetorno) {
    const TRegRegistro vazio;
    const TRegRegistro &r0 = Indice.empty() ? vazio : Indice.front();
    RegistrarInconsistencia(QString::number(tamanho), QStringLiteral("00"), IndiceLinha + 1, 410,
                            r0.TipoInscricao, r0.Inscricao, r0.Nome);
    return false;
  }
  if (!TipoConhecido(Saida.Tipo)) {
    RegistrarSemTipo(IndiceLinha + 1, 113, Linha.left(2));
    return false;
  }
  Saida.Tabela = TabelaRetorno(Saida.Tipo);
  Saida.Campos.reserve(Saida.Tabela.Quantidade);
  for (int i = 0; i < Saida.Tabela.Quantidade; ++i)
    Saida.Campos.append(LerCampo(Linha, Saida.Tabela.Campos[i]));
  if (Saida.Tipo == rgCabecalho)
    IdentificadorArquivo = Saida.Campos.at(hdIdentificador);
  else if (Saida.Tipo == rgEmpresa)
    pisVistos_.clear();
  return true;
}

// ------------------------------------------------------------------ fills

void TArqGuia::PreencherResponsavel() {
  const TRegistroGuia &g = Registro;
  TResponsavel &r = *responsavel_;
  r.NU_TIPO_INSO_EMPRA = static_cast<int>(g.Numero(hdTipoInscricao));
  r.NU_INSCRICAO = g.Campo(hdInscricao);
  r.NO_RAZAO_SOCIAL = AparadoDireita(g.Campo(hdNome));
  r.NU_DDD = g.Campo(hdDDD);
  r.NU_TELEFONE = g.Campo(hdTelefone);
  r.NO_CONTATO = AparadoDireita(g.Campo(hdContato));
  TEndereco &e = r.Endereco();
  e.DE_LOGRADOURO = AparadoDireita(g.Campo(hdLogradouro));
  e.NO_BAIRRO = AparadoDireita(g.Campo(hdBairro));
  e.NO_LOCALIDADE = AparadoDireita(g.Campo(hdMunicipio));
  e.SG_UF = AparadoDireita(g.Campo(hdUF));
  e.NU_CEP = g.Campo(hdCEP);
  r.CO_ENDERECO_VIRTUAL_CONTATO = AparadoDireita(g.Campo(hdEmail));
  r.DT_PAGAMENTO = Data(g.Campo(hdDataRecolhimento));
  r.IC_ESTADO_EMPRESA = QStringLiteral("R");
  guiaEmpresa_->NU_IDENTIFICADOR_ARQUIVO = IdentificadorArquivo;
}

void TArqGuia::PreencherGuiaEmpresa() {
  const TRegistroGuia &g = Registro;
  TGuiaEmpresa &ge = *guiaEmpresa_;
  TEmpresa &e = ge.Empresa();
  e.NU_TIPO_INSO_EMPRA = static_cast<int>(g.Numero(emTipoInscricao));
  e.NU_INSCRICAO = g.Campo(emInscricao);
  e.NO_RAZAO_SOCIAL = AparadoDireita(g.Campo(emRazaoSocial));
  TEndereco &end = e.Endereco();
  end.DE_LOGRADOURO = AparadoDireita(g.Campo(emLogradouro));
  end.NO_BAIRRO = AparadoDireita(g.Campo(emBairro));
  end.NU_CEP = g.Campo(emCEP);
  end.NO_LOCALIDADE = AparadoDireita(g.Campo(emMunicipio));
  end.SG_UF = AparadoDireita(g.Campo(emUF));
  e.NU_DDD = g.Campo(emDDD);
  e.NU_TELEFONE = g.Campo(emTelefone);
  e.NU_SIMPLES = static_cast<qint16>(g.Numero(emSimples));
  e.NU_INSS = g.Campo(emFPAS);
  e.NU_IBGE = g.Campo(emCNAE);
  ge.CO_BARRAS = U::LinhaDigitavel(g.Campo(emCodigoBarras));
  ge.NU_BANCO = g.Campo(emBanco);
  ge.NU_AGENCIA = g.Campo(emAgencia);
  const TDateTime quitacao = DataAnoPrimeiroCampo(g.Campo(emDataQuitacao));
  const TDateTime processamento = DataAnoPrimeiroCampo(g.Campo(emDataProcessamento));
  ge.DT_QUITACAO = quitacao == DataNaoValida ? NullDate : quitacao;
  ge.DT_PROCESSAMENTO = processamento == DataNaoValida ? NullDate : processamento;
  ge.DT_RECOLHIMENTO = responsavel_->DT_PAGAMENTO;
  ge.NU_IDENTIFICADOR_ARQUIVO = IdentificadorArquivo;
}

void TArqGuia::PreencherGuiaTrabalhador() {
  const TRegistroGuia &g = Registro;
  TGuiaTrabalhador &gt = *guiaTrabalhador_;
  TTrabalhador &t = gt.Trabalhador();
  TVinculo &v = gt.Vinculo();
  TRescisao &r = gt.Rescisao();

  t.NU_PIS = g.Campo(vnPIS);
  t.NO_EMPREGADO = AparadoDireita(g.Campo(vnNome));
  t.NU_CTPS = ZerosVazio(g.Campo(vnCTPS));
  t.NU_SERIE_CTPS = ZerosVazio(g.Campo(vnSerieCTPS));
  t.IC_SEXO = static_cast<int>(g.Numero(vnSexo));
  t.NU_GRAU_INSTRUCAO = g.Campo(vnGrauInstrucao);
  t.DT_NASCIMENTO = Data(g.Campo(vnDataNascimento));
  t.NU_INSCRICAO_CPF = ZerosVazio(g.Campo(vnCPF));

  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(g.Numero(vnTipoInscricao));
  v.NU_INSCRICAO = g.Numero(vnInscricao);
  v.NU_PIS = g.Numero(vnPIS);
  const QString &cat = g.Campo(vnCategoria);
  v.NU_CATEGORIA = static_cast<qint8>(cat.size() == 2 && SoDigitos(cat) ? cat.toInt() : -1);
  v.DT_ADMISSAO_VINCULO = Data(g.Campo(vnDataAdmissao));
  v.NU_TIPO_INSO_TMDR = static_cast<quint8>(g.Numero(vnTipoInscricaoTomador));
  v.NU_INSCRICAO_TMDR = g.Numero(vnInscricaoTomador);
  v.DT_OPCAO = Data(g.Campo(vnDataOpcao));
  v.DT_MOVIMENTACAO_VINCULO = Data(g.Campo(vnDataMovimentacao));
  v.CO_MOVIMENTACAO = AparadoDireita(g.Campo(vnCodigoMovimentacao));
  v.IC_AVISO_PREVIO = static_cast<quint8>(g.Numero(vnAvisoPrevio));
  v.CO_CBO = AparadoDireita(g.Campo(vnCBO));
  v.QT_HORAS_TRBS_SMNA = static_cast<qint32>(g.Numero(vnHorasSemanais));
  v.CO_SAQUE = AparadoDireita(g.Campo(vnCodigoSaque));
  v.DT_INICIO_AVISO_PRVO = Data(g.Campo(vnDataInicioAviso));
  v.IC_REPOSICAO_VAGAS = g.Campo(vnReposicaoVagas);
  v.NU_BANCO_CONTA = ZerosVazio(g.Campo(vnBanco));
  v.NU_AGENCIA_CONTA = ZerosVazio(g.Campo(vnAgencia));
  v.NU_CONTA_BANCARIA = ZerosVazio(g.Campo(vnConta));
  TEmpresa &e = v.Empresa();
  e.CarregarAssociados = false;
  e.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  e.NU_INSCRICAO = g.Campo(vnInscricao);

  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.NU_PIS = v.NU_PIS;
  r.NU_CATEGORIA = v.NU_CATEGORIA;
  r.DT_ADMISSAO_VINCULO = v.DT_ADMISSAO_VINCULO;
  r.DT_DISSIDIO = Data(g.Campo(vnDataDissidio));
  r.VR_DISSIDIO = Valor(g.Campo(vnValorDissidio));
  r.IC_TIPO_PNSO_ALMNA = g.Campo(vnTipoPensao).toUpper();
  r.VR_PENSAO_ALMNA = r.IC_TIPO_PNSO_ALMNA == u'V'   ? Valor(g.Campo(vnValorPensao))
                      : r.IC_TIPO_PNSO_ALMNA == u'P' ? Valor(g.Campo(vnPercentualPensao))
                                                     : 0;
  r.VR_REMUNERACAO_ANTERIOR_RSCSO = Valor(g.Campo(vnRemuneracaoAnterior));
  r.VR_REMUNERACAO_RESCISAO = Valor(g.Campo(vnRemuneracaoRescisao));
  r.VR_AVISO_PREVIO = Valor(g.Campo(vnAvisoIndenizado));
  gt.VR_MULTA_RESCISORIA = Valor(g.Campo(vnBaseMulta));
  gt.CO_BARRAS = guiaEmpresa_->CO_BARRAS;
}

namespace {
// The twenty amount columns of the termination record, in file order.
double TRescisao::*const ValoresRescisao[QuantidadeValores] = {
    &TRescisao::VR_DEPOSITO_ANTERIOR_RESCISAO,
    &TRescisao::VR_JAM_ANTERIOR_RESCISAO,
    &TRescisao::VR_MULTA_ANTERIOR_RESCISAO,
    &TRescisao::VR_CNTRO_ANTERIOR_RESCISAO,
    &TRescisao::VR_MULTA_CNTRO_ANTERIOR_RSCSO,
    &TRescisao::VR_DEPOSITO_RESCISAO,
    &TRescisao::VR_JAM_RESCISAO,
    &TRescisao::VR_MULTA_RESCISAO,
    &TRescisao::VR_CNTRO_RESCISAO,
    &TRescisao::VR_MULTA_CNTRO_RESCISAO,
    &TRescisao::VR_DEPOSITO_AVISO_PREVIO,
    &TRescisao::VR_JAM_AVISO_PREVIO,
    &TRescisao::VR_MULTA_AVISO_PREVIO,
    &TRescisao::VR_CNTRO_AVISO_PREVIO,
    &TRescisao::VR_MULTA_CNTRO_AVISO_PREVIO,
    &TRescisao::VR_DEPOSITO_MULTA_RESCISORIA,
    &TRescisao::VR_JAM_MULTA_RESCISORIA,
    &TRescisao::VR_MULTA_MULTA_RESCISORIA,
    &TRescisao::VR_CNTRO_MULTA_RESCISORIA,
    &TRescisao::VR_MULTA_CNTRO_MULTA_RESCISORIA,
};
} // namespace

void TArqGuia::PreencherValoresTrabalhador() {
  const TRegistroGuia &g = Registro;
  TGuiaTrabalhador &gt = *guiaTrabalhador_;
  TRescisao &r = gt.Rescisao();
  qint64 total = 0;
  for (int k = 0; k < QuantidadeValores; ++k) {
    const qint64 c = g.Numero(vlValor01 + k);
    r.*ValoresRescisao[k] = TCentavos::DeCentavos(c).Valor();
    total += c;
  }
  TVinculo &v = gt.Vinculo();
  v.NU_TIPO_INSO_TMDR = static_cast<quint8>(g.Numero(vlTipoInscricaoTomador));
  v.NU_INSCRICAO_TMDR = g.Numero(vlInscricaoTomador);
  TotalGuiaTrabalhadorCentavos = total;
}

// ------------------------------------------------------------------ pass 1: structure

void TArqGuia::PreencherIndice(int i, int tipo) {
  const QString &l = Linhas.at(i);
  TRegRegistro &r = Indice[static_cast<size_t>(i)];
  r = TRegRegistro();
  r.TipoRegistro = l.left(2);
  if (tipo == rgTrailerEmpresa || tipo == rgTrailer)
    return;
  if (tipo == rgCabecalho) {
    r.TipoInscricao = LerCampo(l, CabecalhoRetorno[hdTipoInscricao]);
    r.Inscricao = LerCampo(l, CabecalhoRetorno[hdInscricao]);
    r.Nome = LerCampo(l, CabecalhoRetorno[hdNome]);
    return;
  }
  r.TipoInscricao = LerCampo(l, EmpresaRetorno[emTipoInscricao]);
  r.Inscricao = LerCampo(l, EmpresaRetorno[emInscricao]);
  if (tipo == rgEmpresa) {
    r.Nome = LerCampo(l, EmpresaRetorno[emRazaoSocial]);
    return;
  }
  // Company name of the nearest preceding "10"; worker of the nearest "40".
  for (int j = i - 1; j >= 0; --j)
    if (Indice[static_cast<size_t>(j)].TipoRegistro == QLatin1String("10")) {
      r.Nome = Indice[static_cast<size_t>(j)].Nome;
      break;
    }
  r.PIS = LerCampo(l, VinculoRetorno[vnPIS]);
  r.Categoria = LerCampo(l, VinculoRetorno[vnCategoria]);
  r.DataAdmissao = LerCampo(l, VinculoRetorno[vnDataAdmissao]);
  if (tipo == rgVinculo) {
    r.NomeTrabalhador = LerCampo(l, VinculoRetorno[vnNome]);
    r.DataNascimento = LerCampo(l, VinculoRetorno[vnDataNascimento]);
    r.Movimentacao = LerCampo(l, VinculoRetorno[vnCodigoMovimentacao]);
    return;
  }
  for (int j = i - 1; j >= 0; --j) {
    const TRegRegistro &a = Indice[static_cast<size_t>(j)];
    if (a.TipoRegistro == QLatin1String("40")) {
      r.NomeTrabalhador = a.NomeTrabalhador;
      r.DataNascimento = a.DataNascimento;
      r.Movimentacao = a.Movimentacao;
      break;
    }
    if (a.TipoRegistro == QLatin1String("10"))
      break;
  }
}

bool TArqGuia::ValidarEstrutura() {
  CodigoErro.clear();
  const int n = Linhas.size();
  Indice.assign(static_cast<size_t>(n), TRegRegistro());
  const bool temCabecalho = n > 0 && Linhas.at(0).startsWith(QLatin1String("00"));
  if (n <= 3 || !temCabecalho || !Linhas.at(1).startsWith(QLatin1String("10")) ||
      !Linhas.at(2).startsWith(QLatin1String("40")) ||
      !Linhas.at(n - 1).startsWith(QLatin1String("90"))) {
    CodigoErro = QStringLiteral("0385");
    if (temCabecalho) {
      const QString &l = Linhas.at(0);
      RegistrarInconsistencia(
          QString(), QString(), 0, 385, LerCampo(l, CabecalhoRetorno[hdTipoInscricao]),
          LerCampo(l, CabecalhoRetorno[hdInscricao]), LerCampo(l, CabecalhoRetorno[hdNome]));
    } else {
      RegistrarInconsistencia(QString(), QString(), 0, 385);
    }
    return false;
  }
  // The responsible's context is known before any other line is indexed.
  PreencherIndice(0, rgCabecalho);
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const int tipo = TipoDaLinha(Linhas.at(i));
    if (!TipoConhecido(tipo)) {
      RegistrarSemTipo(i + 1, 113, Linhas.at(i).left(2));
      return false;
    }
    PreencherIndice(i, tipo);
    Avancar();
  }
  int cabecalhos = 0, trailers = 0;
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    const int tipo = TipoDaLinha(Indice[static_cast<size_t>(i)].TipoRegistro);
    if (tipo == rgTrailer && i != n - 1) {
      RegistrarSemTipo(i + 1, 135, Linhas.at(i).left(2));
      break;
    }
    if (tipo == rgCabecalho)
      ++cabecalhos;
    if (tipo == rgTrailer)
      ++trailers;
    if (cabecalhos > 1 || trailers > 1) {
      RegistrarSemTipo(i + 1, 135, Linhas.at(i).left(2));
      CodigoErro = QStringLiteral("0385");
      break;
    }
    if (i + 1 < n) {
      const int prox = TipoDaLinha(Indice[static_cast<size_t>(i + 1)].TipoRegistro);
      bool ok = true;
      if (tipo == rgEmpresa)
        ok = prox == rgVinculo;
      else if (tipo == rgVinculo)
        ok = prox == rgValores;
      else if (tipo == rgValores || tipo == rgComplemento1 || tipo == rgComplemento2 ||
               tipo == rgComplemento3)
        ok = prox == rgEmpresa || prox == rgVinculo || prox == rgComplemento1 ||
             prox == rgComplemento2 || prox == rgComplemento3 || prox == rgTrailerEmpresa;
      else if (tipo == rgTrailerEmpresa)
        ok = prox == rgEmpresa || prox == rgTrailer;
      if (!ok) {
        RegistrarSemTipo(i + 2, 135, Linhas.at(i + 1).left(2));
        break;
      }
    }
    Avancar();
  }
  return CodigoErro.isEmpty();
}

// ------------------------------------------------------------------ pass 2: keys

bool TArqGuia::ValidarChaves() {
  CodigoErro.clear();
  const int n = static_cast<int>(Indice.size());
  TEmpresa chave;
  chave.CarregarAssociados = false;
  TTrabalhador trab;
  trab.CarregarAssociados = false;
  auto digitos = [this](const QString &v, const QString &rotulo) {
    if (SoDigitos(v))
      return true;
    Registrar(11, rotulo + v);
    return false;
  };
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    linha_ = i;
    const TRegRegistro &r = Indice[static_cast<size_t>(i)];
    const int tipo = TipoDaLinha(r.TipoRegistro);
    if (tipo == rgTrailerEmpresa || tipo == rgTrailer) {
      Avancar();
      continue;
    }
    const bool tipoOk = digitos(r.TipoInscricao, QStringLiteral("Tipo de Inscrição: "));
    if (tipoOk) {
      chave.NU_TIPO_INSO_EMPRA = r.TipoInscricao.toInt();
      if (!chave.ValidarTipoInscricao())
        RegistrarCodigo(chave, r.TipoInscricao);
    }
    if (digitos(r.Inscricao, QStringLiteral("Inscrição: ")) && tipoOk) {
      chave.NU_INSCRICAO = r.Inscricao;
      if (!chave.ValidarInscricao())
        RegistrarCodigo(chave, r.Inscricao);
    }
    if (EhLinhaVinculo(tipo)) {
      if (digitos(r.PIS, QStringLiteral("PIS/PASEP: "))) {
        trab.NU_PIS = r.PIS;
        if (!trab.ValidarPIS())
          RegistrarCodigo(trab, r.PIS);
      }
      const TDateTime adm = DataCampoArquivo(r.DataAdmissao);
      if (adm == DataNaoValida)
        Registrar(212, QStringLiteral("Data de Admissão: ") + r.DataAdmissao);
      else if (DataDefinida(adm) && adm <= QDateParaData(QDate(1900, 1, 1)))
        Registrar(43, r.DataAdmissao);
      digitos(r.Categoria, QStringLiteral("Categoria: "));
    }
    Avancar();
  }
  return CodigoErro.isEmpty() && ArquivoValido;
}

// ------------------------------------------------------------------ pass 3: contents

bool TArqGuia::ValidarOrdem() {
  const TRegistroGuia &g = Registro;
  RegistroValido = true;
  if (g.Tipo == rgEmpresa) {
    const QString &t = g.Campo(emTipoInscricao), &insc = g.Campo(emInscricao);
    const QString &barras = g.Campo(emCodigoBarras);
    const qint64 chave = Numero(t + insc);
    if (!ultTipoEmpresa_.isEmpty() && chave < Numero(ultTipoEmpresa_ + ultInscEmpresa_))
      Registrar(232, t + insc);
    if (RegistroValido && !ultCodigoBarras_.isEmpty() && barras == ultCodigoBarras_)
      Registrar(386, barras);
    ultTipoEmpresa_ = t;
    ultInscEmpresa_ = insc;
    ultCodigoBarras_ = barras;
    return RegistroValido;
  }
  if (!EhLinhaVinculo(g.Tipo))
    return true;
  // The key columns are the same in "40" to "46".
  const QString &t = g.Campo(vnTipoInscricao), &insc = g.Campo(vnInscricao);
  const int tipoInsc = static_cast<int>(Numero(t));
  const qint64 inscricao = Numero(insc);
  const QString &pisTexto = g.Campo(vnPIS);
  const qint64 pis = Numero(pisTexto);
  const int categoria = static_cast<int>(Numero(g.Campo(vnCategoria)));
  const TDateTime admissao = Data(g.Campo(vnDataAdmissao));
  if (g.Tipo == rgVinculo) {
    if (t != ultTipoEmpresa_ || insc != ultInscEmpresa_)
      Registrar(349, t + insc);
    if (RegistroValido && inscricao == ultInscricao_ && pis == ultPIS_ &&
        (admissao < ultAdmissao_ || (admissao == ultAdmissao_ && categoria < ultCategoria_)))
      Registrar(232, pisTexto);
    if (RegistroValido && pisVistos_.contains(pisTexto))
      Registrar(359, pisTexto);
    pisVistos_.insert(pisTexto);
    ultTipo_ = tipoInsc;
    ultInscricao_ = inscricao;
    ultPIS_ = pis;
    ultCategoria_ = categoria;
    ultAdmissao_ = admissao;
    return RegistroValido;
  }
  if (tipoInsc != ultTipo_ || inscricao != ultInscricao_ || pis != ultPIS_ ||
      categoria != ultCategoria_ || admissao != ultAdmissao_)
    Registrar(349, t + insc + pisTexto);
  return RegistroValido;
}

bool TArqGuia::ValidarConteudo() {
  Etapa(5);
  Etapa(2);
  CodigoErro.clear();
  Inicializar();
  resultados_.clear();
  gravados_.Carregar(IbxUtils);
  const int n = Linhas.size();
  for (int i = 0; i < n; ++i) {
    VerificarCancelamento();
    if (!LerRegistro(Linhas.at(i), i))
      return false;
    if (!ValidarOrdem())
      return false;
    RegistroValido = true;
    switch (Registro.Tipo) {
    case rgCabecalho:
      PreencherResponsavel();
      ValidarCabecalho();
      break;
    case rgEmpresa:
      empresa_ = TTotaisGuia();
      PreencherGuiaEmpresa();
      ValidarEmpresa();
      break;
    case rgVinculo:
      ++empresa_.Qtd40;
      PreencherGuiaTrabalhador();
      ValidarVinculo();
      empresa_.Remuneracao += Registro.Numero(vnRemuneracaoAnterior) +
                              Registro.Numero(vnRemuneracaoRescisao) +
                              Registro.Numero(vnAvisoIndenizado);
      empresa_.BaseMulta += Registro.Numero(vnBaseMulta);
      break;
    case rgValores: {
      ++empresa_.Qtd42;
      PreencherValoresTrabalhador();
      ValidarValores();
      for (int bloco = 0; bloco < 4; ++bloco) {
        const int b = vlValor01 + 5 * bloco;
        empresa_.Deposito += Registro.Numero(b + pbDeposito);
        empresa_.JAM += Registro.Numero(b + pbJAM);
        empresa_.Multa += Registro.Numero(b + pbMulta);
        empresa_.Contribuicao += Registro.Numero(b + pbContribuicao);
        empresa_.MultaContribuicao += Registro.Numero(b + pbMultaContribuicao);
      }
      break;
    }
    case rgComplemento1:
    case rgComplemento2:
    case rgComplemento3:
      ++(Registro.Tipo == rgComplemento1   ? empresa_.Qtd44
         : Registro.Tipo == rgComplemento2 ? empresa_.Qtd45
                                           : empresa_.Qtd46);
      ValidarComplemento();
      break;
    case rgTrailerEmpresa:
      arquivo_.Qtd40 += empresa_.Qtd40;
      arquivo_.Qtd42 += empresa_.Qtd42;
      arquivo_.Qtd44 += empresa_.Qtd44;
      arquivo_.Qtd45 += empresa_.Qtd45;
      arquivo_.Qtd46 += empresa_.Qtd46;
      arquivo_.Deposito += empresa_.Deposito;
      arquivo_.JAM += empresa_.JAM;
      arquivo_.Multa += empresa_.Multa;
      arquivo_.Contribuicao += empresa_.Contribuicao;
      arquivo_.MultaContribuicao += empresa_.MultaContribuicao;
      arquivo_.Remuneracao += empresa_.Remuneracao;
      ValidarTrailerEmpresa();
      break;
    case rgTrailer:
      ValidarTrailer();
      break;
    }
    Avancar();
  }
  Etapa(6);
  return ArquivoValido;
}

void TArqGuia::ValidarCabecalho() {
  TResponsavel &r = *responsavel_;
  const TRegistroGuia &g = Registro;
  ChecarBrancos(hdBrancos);
  if (Checar(hdTipoRemessa) && g.Numero(hdTipoRemessa) != 1)
    Registrar(131, g.Campo(hdTipoRemessa));
  if (Checar(hdCodigoServico) && g.Numero(hdCodigoServico) != 2)
    Registrar(246, g.Campo(hdCodigoServico));
  if (g.Campo(hdServico).toUpper() != QLatin1String("ZELT"))
    Registrar(247, g.Campo(hdServico));
  if (!r.ValidarRazaoSocial())
    RegistrarCodigo(r, g.Campo(hdNome));
  if (!r.ValidarNomeContato())
    RegistrarCodigo(r, g.Campo(hdContato));
  TEndereco &e = r.Endereco();
  if (!e.ValidarLogradouro())
    RegistrarCodigo(e, g.Campo(hdLogradouro));
  if (!e.ValidarBairro())
    RegistrarCodigo(e, g.Campo(hdBairro));
  if (Checar(hdCEP) && !e.ValidarCEP())
    RegistrarCodigo(e, g.Campo(hdCEP));
  if (!e.ValidarMunicipio())
    RegistrarCodigo(e, g.Campo(hdMunicipio));
  if (!e.ValidarUF())
    RegistrarCodigo(e, g.Campo(hdUF));
  const QString fone = g.Campo(hdDDD) + g.Campo(hdTelefone);
  if (SoDigitos(fone)) {
    if (!r.ValidarTelefone())
      RegistrarCodigo(r, g.Campo(hdTelefone));
    if (!r.ValidarDDD())
      RegistrarCodigo(r, g.Campo(hdDDD));
  } else {
    Registrar(11, QStringLiteral("Telefone: ") + fone);
  }
  if (!r.ValidarEmail())
    RegistrarCodigo(r, g.Campo(hdEmail));
  const QString &data = g.Campo(hdDataRecolhimento);
  const QString conteudo = QStringLiteral("Data Recolhimento: ") + data;
  const TDateTime d = DataCampoArquivo(data);
  if (d == NullDate)
    Registrar(62, conteudo);
  else if (d == DataNaoValida)
    Registrar(63, conteudo);
  else if (U::DentroPeriodoProrata(d) && !U::EhDiaUtil(d))
    Registrar(397, conteudo);
  const QString &id = g.Campo(hdIdentificador);
  if (id.trimmed().isEmpty() || (id.size() == 30 && U::TodosZeros(id, 30)))
    Registrar(451, id);
  Checar(hdSequencia);
}

void TArqGuia::ValidarEmpresa() {
  TEmpresa &e = guiaEmpresa_->Empresa();
  const TRegistroGuia &g = Registro;
  const QString &zeros = g.Campo(emZeros);
  if (!(zeros.size() == 36 && U::TodosZeros(zeros, 36)))
    Registrar(13, zeros);
  if (!e.ValidarRazaoSocial())
    RegistrarCodigo(e, g.Campo(emRazaoSocial));
  TEndereco &end = e.Endereco();
  if (!end.ValidarLogradouro())
    RegistrarCodigo(end, g.Campo(emLogradouro));
  if (!end.ValidarBairro())
    RegistrarCodigo(end, g.Campo(emBairro));
  if (Checar(emCEP) && !end.ValidarCEP())
    RegistrarCodigo(end, g.Campo(emCEP));
  if (!end.ValidarMunicipio())
    RegistrarCodigo(end, g.Campo(emMunicipio));
  if (!end.ValidarUF())
    RegistrarCodigo(end, g.Campo(emUF));
  const QString fone = g.Campo(emDDD) + g.Campo(emTelefone);
  if (SoDigitos(fone)) {
    if (!e.ValidarTelefone())
      RegistrarCodigo(e, g.Campo(emTelefone));
    if (!e.ValidarDDD())
      RegistrarCodigo(e, g.Campo(emDDD));
  } else {
    Registrar(11, QStringLiteral("Telefone: ") + fone);
  }
  const bool fpasOk = SoDigitos(g.Campo(emFPAS));
  if (Checar(emSimples) && fpasOk &&
      !ChecarUmaVez(QStringLiteral("simples|%1|%2").arg(g.Campo(emSimples), g.Campo(emFPAS)), e,
                    [&e] { return e.ValidarSimples(); }))
    RegistrarCodigo(e, g.Campo(emSimples));
  if (Checar(emFPAS) &&
      !ChecarUmaVez(QStringLiteral("fpas|") + g.Campo(emFPAS), e, [&e] { return e.ValidarFPAS(); }))
    RegistrarCodigo(e, g.Campo(emFPAS));
  if (Checar(emCNAE) &&
      !ChecarUmaVez(QStringLiteral("cnae|") + g.Campo(emCNAE), e, [&e] { return e.ValidarCNAE(); }))
    RegistrarCodigo(e, g.Campo(emCNAE));
  Checar(emBanco);
  Checar(emAgencia);
  Checar(emDataQuitacao);
  Checar(emDataProcessamento);
  ChecarBrancos(emBrancos);
  Checar(emSequencia);
}

void TArqGuia::ValidarVinculo() {
  TGuiaTrabalhador &gt = *guiaTrabalhador_;
  TTrabalhador &t = gt.Trabalhador();
  TVinculo &v = gt.Vinculo();
  TRescisao &r = gt.Rescisao();
  const TRegistroGuia &g = Registro;
  auto codigo = [this](const TNegocio &o, bool ok, const QString &conteudo) {
    if (!ok)
      RegistrarCodigo(o, conteudo);
  };
  const QString categoria = QString::number(v.NU_CATEGORIA);

  if (Checar(vnTipoInscricaoTomador))
    codigo(v, v.ValidarTomador(), g.Campo(vnTipoInscricaoTomador));
  if (Checar(vnInscricaoTomador))
    codigo(v, v.ValidarInscricaoTomador(), g.Campo(vnInscricaoTomador));
  // The link's admission against the worker's stored data, without the index
  // of a payroll file.
  // The guide's three objects are separate; the checks of one read the others.
  v.DefinirTrabalhador(&t);
  r.DefinirVinculo(&v);
  r.DefinirAliquotas(&gravados_.Aliquotas());
  if (!v.ValidarDataAdmissao(true, nullptr, gravados_.PrimeiraAdmissao(v.NU_PIS)))
    RegistrarCodigo(v, v.CodigoErro == QLatin1String("0443") ? g.Campo(vnDataNascimento)
                                                             : g.Campo(vnDataAdmissao));
  codigo(v,
         ChecarUmaVez(QStringLiteral("cat|%1|%2|%3")
                          .arg(categoria, QString::number(v.NU_TIPO_INSO_EMPRA), v.CO_MOVIMENTACAO),
                      v, [&v] { return v.ValidarCategoria(false); }),
         g.Campo(vnCategoria));
  codigo(t, t.ValidarNome(), g.Campo(vnNome));
  if (Checar(vnCTPS))
    codigo(t, t.ValidarCTPS(false), g.Campo(vnCTPS));
  if (Checar(vnSerieCTPS))
    codigo(t, t.ValidarSerieCTPS(false), g.Campo(vnSerieCTPS));
  if (Checar(vnDataOpcao))
    codigo(v, v.ValidarDataOpcao(), g.Campo(vnDataOpcao));
  if (Checar(vnDataNascimento))
    codigo(t, t.ValidarDataNascimento(), g.Campo(vnDataNascimento));
  if (Checar(vnDataMovimentacao))
    codigo(v, v.ValidarDataMovimentacao(gravados_.UltimoComplemento(v)),
           g.Campo(vnDataMovimentacao));
  codigo(v,
         ChecarUmaVez(QStringLiteral("mov|%1|%2")
                          .arg(v.CO_MOVIMENTACAO, r.VR_SALDO_RESCISORIO > 0 ? u'+' : u'0'),
                      v, [&v] { return v.ValidarMovimentacao(); }),
         g.Campo(vnCodigoMovimentacao));
  if (Checar(vnDataDissidio))
    codigo(r, r.ValidarDataDissidio(), g.Campo(vnDataDissidio));
  if (Checar(vnAvisoPrevio))
    codigo(v, v.ValidarAvisoPrevio(), g.Campo(vnAvisoPrevio));
  codigo(v,
         ChecarUmaVez(QStringLiteral("cbo|%1|%2").arg(categoria, v.CO_CBO), v,
                      [&v] { return v.ValidarCBO(); }),
         g.Campo(vnCBO));
  if (Checar(vnSexo))
    codigo(t, t.ValidarSexo(), g.Campo(vnSexo));
  if (Checar(vnGrauInstrucao))
    codigo(t,
           ChecarUmaVez(QStringLiteral("grau|") + t.NU_GRAU_INSTRUCAO, t,
                        [&t] { return t.ValidarGrauInstrucao(); }),
           g.Campo(vnGrauInstrucao));
  if (Checar(vnHorasSemanais))
    codigo(v, v.ValidarHorasSemanais(), g.Campo(vnHorasSemanais));
  codigo(
      v,
      ChecarUmaVez(QStringLiteral("saque|%1|%2|%3").arg(v.CO_SAQUE, v.CO_MOVIMENTACAO, categoria),
                   v, [&v] { return v.ValidarSaque(); }),
      g.Campo(vnCodigoSaque));
  if (Checar(vnDataInicioAviso))
    codigo(v, v.ValidarInicioAvisoPrevio(), g.Campo(vnDataInicioAviso));
  codigo(v, v.ValidarReposicaoVagas(), g.Campo(vnReposicaoVagas));
  if (Checar(vnValorDissidio))
    codigo(r, r.ValidarValorDissidio(), g.Campo(vnValorDissidio));

  // Alimony: the type decides which of the two amounts may be filled.
  codigo(r, r.ValidarTipoPensao(), g.Campo(vnTipoPensao));
  const QString tipo = r.IC_TIPO_PNSO_ALMNA;
  const bool porPercentual = tipo == u'P' || tipo == u'N';
  const bool porValor = tipo == u'V' || tipo == u'N';
  if (Checar(vnPercentualPensao)) {
    if (porPercentual && g.Numero(vnValorPensao) > 0)
      Registrar(334, g.Campo(vnValorPensao));
    else
      codigo(r, r.ValidarPensaoPercentualLimite(), g.Campo(vnPercentualPensao));
  }
  if (Checar(vnValorPensao)) {
    if (porValor && g.Numero(vnPercentualPensao) > 0)
      Registrar(335, g.Campo(vnPercentualPensao));
    else
      codigo(r, r.ValidarPensaoValorInformado(), g.Campo(vnValorPensao));
  }

  if (Checar(vnCPF))
    codigo(t, t.ValidarCPF(), g.Campo(vnCPF));
  if (Checar(vnBanco))
    codigo(v, v.ValidarBanco(), g.Campo(vnBanco));
  if (Checar(vnAgencia))
    codigo(v, v.ValidarAgencia(), g.Campo(vnAgencia));
  if (Checar(vnConta))
    codigo(v, v.ValidarConta(), g.Campo(vnConta));
  Checar(vnDataDevidaAnterior);
  if (Checar(vnRemuneracaoAnterior))
    codigo(r, r.ValidarRemuneracaoAnterior(), g.Campo(vnRemuneracaoAnterior));
  if (Checar(vnRemuneracaoRescisao))
    codigo(r, r.ValidarRemuneracaoRescisao(), g.Campo(vnRemuneracaoRescisao));
  Checar(vnDataDevidaAviso);
  if (Checar(vnAvisoIndenizado))
    codigo(r, r.ValidarAvisoPrevioIndenizado(), g.Campo(vnAvisoIndenizado));
  ChecarBrancos(vnBrancos);
  Checar(vnSequencia);
}

void TArqGuia::ValidarValores() {
  TVinculo &v = guiaTrabalhador_->Vinculo();
  const TRegistroGuia &g = Registro;
  if (Checar(vlTipoInscricaoTomador) && !v.ValidarTomador())
    RegistrarCodigo(v, g.Campo(vlTipoInscricaoTomador));
  if (Checar(vlInscricaoTomador) && !v.ValidarInscricaoTomador())
    RegistrarCodigo(v, g.Campo(vlInscricaoTomador));
  for (int k = 0; k < QuantidadeValores; ++k)
    Checar(vlValor01 + k);
  ChecarBrancos(vlBrancos);
  Checar(vlSequencia);
}

void TArqGuia::ValidarComplemento() {
  const QString &l = Registro.Linha;
  for (int k = 0; k < ItensComplementoRetorno; ++k) {
    const int inicio = InicioItemComplemento(k);
    for (const TCampoArquivo &c : ItemComplemento) {
      const QString v = CampoLinha(l, inicio + c.Inicio - 1, c.Tamanho);
      if (!SoDigitos(v))
        Registrar(11, QString::fromUtf8(c.Rotulo) + v);
    }
  }
  Checar(cpSequencia);
}

void TArqGuia::CompararTotais(const TTotaisGuia &e, const std::array<int, 12> &c) {
  // c: deposit, JAM, late charges, contributions, late charges on
  // contributions, remuneration, fine base (-1: not compared), then the
  // counts of 40, 42, 44, 45, 46.
  const qint64 esperado[12] = {
      e.Deposito,    e.JAM,       e.Multa, e.Contribuicao, e.MultaContribuicao,
      e.Remuneracao, e.BaseMulta, e.Qtd40, e.Qtd42,        e.Qtd44,
      e.Qtd45,       e.Qtd46};
  const int mensagem[12] = {315, 316, 317, 318, 319, 320, 321, 322, 323, 324, 325, 326};
  for (int i = 0; i < 12; ++i) {
    if (c[i] < 0)
      continue;
    if (Checar(c[i]) && Registro.Numero(c[i]) != esperado[i])
      Registrar(mensagem[i], Registro.Campo(c[i]));
  }
}

void TArqGuia::ValidarTrailerEmpresa() {
  const TRegistroGuia &g = Registro;
  const QString &noves = g.Campo(teNoves);
  if (!(noves.size() == 36 && U::TodosNoves(noves, 36)))
    Registrar(9, noves);
  CompararTotais(empresa_,
                 {teDeposito, teJAM, teMulta, teContribuicao, teMultaContribuicao, teRemuneracao,
                  teBaseMulta, teQtd40, teQtd42, teQtd44, teQtd45, teQtd46});
  if (Checar(teQtd50) && g.Numero(teQtd50) != 0)
    Registrar(327, g.Campo(teQtd50));
  if (Checar(teQtd51) && g.Numero(teQtd51) != 0)
    Registrar(328, g.Campo(teQtd51));
  ChecarBrancos(teBrancos1);
  ChecarBrancos(teBrancos2);
  Checar(teSequencia);
}

void TArqGuia::ValidarTrailer() {
  const TRegistroGuia &g = Registro;
  const QString &noves = g.Campo(trNoves);
  if (!(noves.size() == 51 && U::TodosNoves(noves, 51)))
    Registrar(9, noves);
  CompararTotais(arquivo_, {trDeposito, trJAM, trMulta, trContribuicao, trMultaContribuicao,
                            trRemuneracao, -1, trQtd40, trQtd42, trQtd44, trQtd45, trQtd46});
  if (Checar(trQtd50) && g.Numero(trQtd50) != 0)
    Registrar(327, g.Campo(trQtd50));
  if (Checar(trQtd51) && g.Numero(trQtd51) != 0)
    Registrar(328, g.Campo(trQtd51));
  if (!CampoEmBranco(g.Campo(trBrancos1)) || !CampoEmBranco(g.Campo(trBrancos2)))
    Registrar(9, g.Campo(trBrancos1) + g.Campo(trBrancos2));
  Checar(trSequencia);
}
