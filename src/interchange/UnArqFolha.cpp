#include "UnArqFolha.h"
#include "unCampoArquivo.h"

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

bool TArqFolha::ChecarDigitos(const QString &valor, int tamanho, const QString &rotulo) {
  // A field cut short by the end of the line is as wrong as a letter in it.
  if (valor.size() == tamanho && U::SomenteNumeros(valor))
    return true;
  Registrar(11, rotulo + valor);
  return false;
}

bool TArqFolha::ChecarData(const QString &valor, const QString &rotulo, TDateTime &data) {
  data = DataCampoArquivo(valor);
  if (data == DataNaoValida) {
    Registrar(212, rotulo + valor);
    return false;
  }
  return true;
}

void TArqFolha::ChecarBrancos(const QString &linha, int pos, int tam) {
  const QString c = CampoLinha(linha, pos, tam);
  if (!CampoEmBranco(c))
    Registrar(9, c);
}

void TArqFolha::ChecarFimRegistro(const QString &linha) {
  if (CampoLinha(linha, TamanhoRegistro, 1) != QStringLiteral("*"))
    Registrar(211, CampoLinha(linha, TamanhoRegistro, 1));
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
    r.TipoInscricao = CampoLinha(l, 55, 1);
    r.Inscricao = CampoLinha(l, 56, 14);
    r.Nome = CampoLinha(l, 70, 30);
    return;
  }
  r.TipoInscricao = CampoLinha(l, 3, 1);
  r.Inscricao = CampoLinha(l, 4, 14);
  if (tipo == rgEmpresa) {
    r.Nome = CampoLinha(l, 54, 40);
    return;
  }
  // Company name of the nearest preceding "10"; worker of the nearest "40".
  for (int j = i - 1; j >= 0; --j)
    if (Indice[static_cast<size_t>(j)].TipoRegistro == QStringLiteral("10")) {
      r.Nome = Indice[static_cast<size_t>(j)].Nome;
      break;
    }
  r.PIS = CampoLinha(l, 33, 11);
  r.Categoria = CampoLinha(l, 52, 2);
  r.DataAdmissao = CampoLinha(l, 44, 8);
  if (tipo == rgTrabalhador) {
    r.NomeTrabalhador = CampoLinha(l, 54, 70);
    r.DataNascimento = CampoLinha(l, 139, 8);
    r.Movimentacao = CampoLinha(l, 163, 2);
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
      RegistrarInconsistencia(QString(), QString(), 0, 385, CampoLinha(l, 55, 1),
                              CampoLinha(l, 56, 14), CampoLinha(l, 70, 30));
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
    const bool tipoOk = ChecarDigitos(r.TipoInscricao, 1, QStringLiteral("Tipo de Inscrição: "));
    if (tipoOk) {
      chave.NU_TIPO_INSO_EMPRA = r.TipoInscricao.toInt();
      if (!chave.ValidarTipoInscricao())
        RegistrarCodigo(chave, r.TipoInscricao);
    }
    if (ChecarDigitos(r.Inscricao, 14, QStringLiteral("Inscrição: ")) && tipoOk) {
      chave.NU_INSCRICAO = r.Inscricao;
      if (!chave.ValidarInscricao())
        RegistrarCodigo(chave, r.Inscricao);
    }
    if (EhVinculo(tipo)) {
      if (ChecarDigitos(r.PIS, 11, QStringLiteral("PIS/PASEP: "))) {
        trab.NU_PIS = r.PIS;
        if (!trab.ValidarPIS())
          RegistrarCodigo(trab, r.PIS);
      }
      TDateTime adm;
      if (ChecarData(r.DataAdmissao, QStringLiteral("Data de Admissão: "), adm) &&
          DataDefinida(adm) && adm <= QDateParaData(QDate(1900, 1, 1)))
        Registrar(43, r.DataAdmissao);
      ChecarDigitos(r.Categoria, 2, QStringLiteral("Categoria: "));
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
    const QString t = CampoLinha(l, 3, 1), insc = CampoLinha(l, 4, 14);
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
  const QString t = CampoLinha(l, 3, 1), insc = CampoLinha(l, 4, 14);
  const int tipoInsc = t.toInt();
  const qint64 inscricao = U::ParaInteiro64(insc);
  const qint64 pis = U::ParaInteiro64(CampoLinha(l, 33, 11));
  const int categoria = CampoLinha(l, 52, 2).toInt();
  const TDateTime admissao = DataCampoArquivo(CampoLinha(l, 44, 8));
  if (tipo == rgTrabalhador) {
    if (t != ultTipoEmpresa_ || insc != ultInscEmpresa_)
      Registrar(349, t + insc);
    if (RegistroValido && inscricao == ultInscricao_ && tipoInsc == ultTipo_) {
      const bool fora = pis < ultPIS_ || (pis == ultPIS_ && admissao < ultAdmissao_) ||
                        (pis == ultPIS_ && admissao == ultAdmissao_ && categoria < ultCategoria_);
      if (fora)
        Registrar(232, CampoLinha(l, 33, 11));
    }
    if (RegistroValido && tipoInsc == ultTipo_ && inscricao == ultInscricao_ && pis == ultPIS_ &&
        admissao == ultAdmissao_ && categoria == ultCategoria_)
      Registrar(359, CampoLinha(l, 33, 11));
    ultTipo_ = tipoInsc;
    ultInscricao_ = inscricao;
    ultPIS_ = pis;
    ultCategoria_ = categoria;
    ultAdmissao_ = admissao;
    return RegistroValido;
  }
  if (tipoInsc != ultTipo_ || inscricao != ultInscricao_ || pis != ultPIS_ ||
      categoria != ultCategoria_ || admissao != ultAdmissao_)
    Registrar(349, t + insc + CampoLinha(l, 33, 11));
  return RegistroValido;
}

// Fills an establishment's address and phone from the fixed positions that
// the header and the company record share in layout (only the offsets differ).
namespace {
struct TPosicoesEndereco {
  int logradouro, bairro, cep, cidade, uf, telefone;
};

void PreencherEndereco(TEstabelecimento &e, const QString &l, const TPosicoesEndereco &p) {
  TEndereco &end = e.Endereco();
  end.DE_LOGRADOURO = AparadoDireita(CampoLinha(l, p.logradouro, 50));
  end.NO_BAIRRO = AparadoDireita(CampoLinha(l, p.bairro, 20));
  end.NU_CEP = AparadoDireita(CampoLinha(l, p.cep, 8));
  end.NO_LOCALIDADE = AparadoDireita(CampoLinha(l, p.cidade, 20));
  end.SG_UF = AparadoDireita(CampoLinha(l, p.uf, 2));
  const QString fone = CampoLinha(l, p.telefone, 12);
  e.NU_DDD = fone.left(4);
  e.NU_TELEFONE = fone.mid(4, 8);
}

constexpr TPosicoesEndereco EnderecoHeader{120, 170, 190, 198, 218, 220};
constexpr TPosicoesEndereco EnderecoEmpresa{94, 144, 164, 172, 192, 194};

void PreencherResponsavel(TResponsavel &r, const QString &l) {
  r.NU_TIPO_INSO_EMPRA = CampoLinha(l, 55, 1).toInt();
  r.NU_INSCRICAO = CampoLinha(l, 56, 14);
  r.NO_RAZAO_SOCIAL = AparadoDireita(CampoLinha(l, 70, 30));
  r.NO_CONTATO = AparadoDireita(CampoLinha(l, 100, 20));
  r.CO_ENDERECO_VIRTUAL_CONTATO = AparadoDireita(CampoLinha(l, 232, 60));
  PreencherEndereco(r, l, EnderecoHeader);
}

void PreencherEmpresa(TEmpresa &e, const QString &l) {
  e.NU_TIPO_INSO_EMPRA = CampoLinha(l, 3, 1).toInt();
  e.NU_INSCRICAO = CampoLinha(l, 4, 14);
  e.NO_RAZAO_SOCIAL = AparadoDireita(CampoLinha(l, 54, 40));
  e.NO_CONTATO.clear();
  e.CO_ENDERECO_VIRTUAL_CONTATO.clear();
  PreencherEndereco(e, l, EnderecoEmpresa);
  e.NU_IBGE = CampoLinha(l, 206, 7);
  e.NU_SIMPLES = static_cast<qint16>(CampoLinha(l, 213, 1).toInt());
  e.NU_INSS = CampoLinha(l, 214, 3);
}
} // namespace

void TArqFolha::ValidarHeader(const QString &l) {
  TResponsavel &r = *responsavel_;
  PreencherResponsavel(r, l);
  ChecarBrancos(l, 3, 51);
  const QString remessa = CampoLinha(l, 54, 1);
  if (ChecarDigitos(remessa, 1, QStringLiteral("Tipo Remessa: ")) && remessa != u'2')
    Registrar(131, remessa);
  const QString tipo = CampoLinha(l, 55, 1);
  if (ChecarDigitos(tipo, 1, QStringLiteral("Tipo de Inscrição: ")) && !r.ValidarTipoInscricao())
    RegistrarCodigo(r, tipo);
  const QString insc = CampoLinha(l, 56, 14);
  if (ChecarDigitos(insc, 14, QStringLiteral("Inscrição: ")) && !r.ValidarInscricao())
    RegistrarCodigo(r, insc);
  if (!r.ValidarRazaoSocial())
    RegistrarCodigo(r, CampoLinha(l, 70, 30));
  if (!r.ValidarNomeContato())
    RegistrarCodigo(r, CampoLinha(l, 100, 20));
  ValidarEnderecoTelefone(r, l, 120);
  if (!r.ValidarEmail())
    RegistrarCodigo(r, CampoLinha(l, 232, 60));
  const QString data = CampoLinha(l, 292, 8);
  const QString conteudo = QStringLiteral("Data Recolhimento: ") + data;
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
  ChecarBrancos(l, 300, 60);
  ChecarFimRegistro(l);
}

void TArqFolha::ValidarEnderecoTelefone(TEstabelecimento &est, const QString &l, int inicio) {
  // Records 00 and 10 share this block's layout; only its starting column differs.
  TEndereco &end = est.Endereco();
  if (!end.ValidarLogradouro())
    RegistrarCodigo(end, CampoLinha(l, inicio, 50));
  if (!end.ValidarBairro())
    RegistrarCodigo(end, CampoLinha(l, inicio + 50, 20));
  const QString cep = CampoLinha(l, inicio + 70, 8);
  if (ChecarDigitos(cep, 8, QStringLiteral("CEP: ")) && !end.ValidarCEP())
    RegistrarCodigo(end, cep);
  if (!end.ValidarMunicipio())
    RegistrarCodigo(end, CampoLinha(l, inicio + 78, 20));
  if (!end.ValidarUF())
    RegistrarCodigo(end, CampoLinha(l, inicio + 98, 2));
  const QString fone = CampoLinha(l, inicio + 100, 12);
  if (ChecarDigitos(fone, 12, QStringLiteral("Telefone: "))) {
    if (!est.ValidarTelefone())
      RegistrarCodigo(est, fone);
    if (!est.ValidarDDD())
      RegistrarCodigo(est, fone);
  }
}

void TArqFolha::ValidarEmpresa(const QString &l) {
  TEmpresa &e = *empresa_;
  PreencherEmpresa(e, l);
  const QString zeros = CampoLinha(l, 18, 36);
  if (!(zeros.size() == 36 && U::TodosZeros(zeros, 36)))
    Registrar(13, zeros);
  if (!e.ValidarRazaoSocial())
    RegistrarCodigo(e, CampoLinha(l, 54, 40));
  ValidarEnderecoTelefone(e, l, 94);
  const QString cnae = CampoLinha(l, 206, 7);
  if (ChecarDigitos(cnae, 7, QStringLiteral("CNAE: ")) && !e.ValidarCNAE())
    RegistrarCodigo(e, cnae);
  const QString simples = CampoLinha(l, 213, 1);
  const QString fpas = CampoLinha(l, 214, 3);
  const bool fpasOk = fpas.size() == 3 && U::SomenteNumeros(fpas);
  if (ChecarDigitos(simples, 1, QStringLiteral("Simples: ")) && fpasOk && !e.ValidarSimples())
    RegistrarCodigo(e, simples);
  if (ChecarDigitos(fpas, 3, QStringLiteral("FPAS: ")) && !e.ValidarFPAS())
    RegistrarCodigo(e, fpas);
  ultFpas_ = fpas;
  ChecarBrancos(l, 217, 143);
  ChecarFimRegistro(l);
}

void TArqFolha::ValidarTrailer(const QString &l) {
  const QString noves = CampoLinha(l, 3, 51);
  if (!(noves.size() == 51 && U::TodosNoves(noves, 51)))
    Registrar(10, noves);
  ChecarBrancos(l, 54, 255);
  ChecarBrancos(l, 309, 51);
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
  t.Limpar();
  t.Inicializar();
  t.NU_PIS = CampoLinha(l, 33, 11);
  t.NO_EMPREGADO = AparadoDireita(CampoLinha(l, 54, 70));
  t.NU_CTPS = ZerosVazio(CampoLinha(l, 124, 7));
  t.NU_SERIE_CTPS = ZerosVazio(CampoLinha(l, 131, 5));
  t.IC_SEXO = Inteiro(CampoLinha(l, 136, 1));
  t.NU_GRAU_INSTRUCAO = CampoLinha(l, 137, 2);
  t.DT_NASCIMENTO = DataCampoArquivo(CampoLinha(l, 139, 8));
  t.NU_INSCRICAO_CPF = ZerosVazio(CampoLinha(l, 275, 11));
  t.NU_DDD_CELULAR = 0;
  t.NU_TEL_CELULAR = 0;

  TVinculo &v = t.Vinculo();
  v.CarregarAssociados = false;
  v.DefinirTrabalhador(&t);
  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(Inteiro(CampoLinha(l, 3, 1)));
  v.NU_INSCRICAO = Inteiro64(CampoLinha(l, 4, 14));
  v.NU_PIS = Inteiro64(t.NU_PIS);
  const QString cat = CampoLinha(l, 52, 2);
  v.NU_CATEGORIA = static_cast<qint8>(cat.size() == 2 && U::SomenteNumeros(cat) ? cat.toInt() : -1);
  v.DT_ADMISSAO_VINCULO = DataCampoArquivo(CampoLinha(l, 44, 8));
  v.IC_ESTADO_MOVIMENTO = 0;
  v.NU_TIPO_INSO_TMDR = static_cast<quint8>(Inteiro(CampoLinha(l, 18, 1)));
  v.NU_INSCRICAO_TMDR = Inteiro64(CampoLinha(l, 19, 14));
  v.QT_HORAS_TRBS_SMNA = Inteiro(CampoLinha(l, 147, 2));
  v.CO_CBO = AparadoDireita(CampoLinha(l, 149, 6)).toUpper();
  v.DT_OPCAO = DataCampoArquivo(CampoLinha(l, 155, 8));
  v.CO_MOVIMENTACAO = AparadoDireita(CampoLinha(l, 163, 2)).toUpper();
  v.DT_MOVIMENTACAO_VINCULO = DataCampoArquivo(CampoLinha(l, 165, 8));
  v.CO_SAQUE = AparadoDireita(CampoLinha(l, 173, 3));
  v.IC_AVISO_PREVIO = static_cast<quint8>(Inteiro(CampoLinha(l, 176, 1)));
  v.DT_INICIO_AVISO_PRVO = DataCampoArquivo(CampoLinha(l, 177, 8));
  v.IC_REPOSICAO_VAGAS = CampoLinha(l, 185, 1);
  v.NU_BANCO_CONTA = ZerosVazio(CampoLinha(l, 286, 3));
  v.NU_AGENCIA_CONTA = ZerosVazio(CampoLinha(l, 289, 4));
  v.NU_CONTA_BANCARIA = ZerosVazio(CampoLinha(l, 293, 13));
  v.IC_CONSIGNADO = QStringLiteral("N");

  TEmpresa &e = v.Empresa();
  e.CarregarAssociados = false;
  e.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  e.NU_INSCRICAO = CampoLinha(l, 4, 14);
  e.NU_INSS = fpas;

  TRescisao &r = v.Rescisao();
  r.CarregarAssociados = false;
  r.DefinirVinculo(&v);
  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.NU_PIS = v.NU_PIS;
  r.NU_CATEGORIA = v.NU_CATEGORIA;
  r.DT_ADMISSAO_VINCULO = v.DT_ADMISSAO_VINCULO;
  r.DT_DISSIDIO = DataCampoArquivo(CampoLinha(l, 186, 8));
  r.VR_DISSIDIO = Valor15(CampoLinha(l, 194, 15));
  r.VR_REMUNERACAO_ANTERIOR_RSCSO = Valor15(CampoLinha(l, 209, 15));
  r.VR_REMUNERACAO_RESCISAO = Valor15(CampoLinha(l, 224, 15));
  r.VR_AVISO_PREVIO = Valor15(CampoLinha(l, 239, 15));
  r.IC_TIPO_PNSO_ALMNA = CampoLinha(l, 254, 1).toUpper();
  const double percentual = Inteiro(CampoLinha(l, 255, 5));
  const double pensao = Valor15(CampoLinha(l, 260, 15));
  r.VR_PENSAO_ALMNA = r.IC_TIPO_PNSO_ALMNA == u'P'   ? percentual
                      : r.IC_TIPO_PNSO_ALMNA == u'V' ? pensao
                                                     : 0;
  r.VR_SALDO_RESCISORIO = Valor15(CampoLinha(l, 306, 15));
  r.IC_ORIGEM_SALDO_RESCISORIO =
      r.VR_SALDO_RESCISORIO > 0 ? QStringLiteral("E") : QStringLiteral("N");
  // Values the calculation writes later start empty.
  r.VR_DEPOSITO_CMPLO_SALDO = 0;
}
} // namespace

void TArqFolha::ValidarTrabalhador(const QString &l) {
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

  const QString tipoTmdr = CampoLinha(l, 18, 1), inscTmdr = CampoLinha(l, 19, 14);
  if (ChecarDigitos(tipoTmdr, 1, QStringLiteral("Tipo Inscrição Tomador: ")))
    codigo(v, v.ValidarTomador(), tipoTmdr);
  if (ChecarDigitos(inscTmdr, 14, QStringLiteral("Inscrição Tomador: ")))
    codigo(v, v.ValidarInscricaoTomador(), inscTmdr);

  const QString adm = CampoLinha(l, 44, 8);
  const auto doPis = trabalhadoresPorPis_.constFind(t.NU_PIS);
  static const TArrRegRegistro nenhum;
  if (!v.ValidarDataAdmissao(true, doPis != trabalhadoresPorPis_.constEnd() ? &*doPis : &nenhum,
                             gravados_.PrimeiraAdmissao(v.NU_PIS)))
    RegistrarCodigo(v, v.CodigoErro == QStringLiteral("0443") ? CampoLinha(l, 139, 8) : adm);
  const QString cat = CampoLinha(l, 52, 2);
  const QString categoria = QString::number(v.NU_CATEGORIA);
  codigo(v,
         ChecarUmaVez(QStringLiteral("cat|%1|%2|%3|%4")
                          .arg(categoria, QString::number(v.NU_TIPO_INSO_EMPRA), v.CO_MOVIMENTACAO,
                               ultFpas_),
                      v, [&v] { return v.ValidarCategoria(false); }),
         cat);
  codigo(t, t.ValidarNome(), CampoLinha(l, 54, 70));

  const QString ctps = CampoLinha(l, 124, 7);
  if (ChecarDigitos(ctps, 7, QStringLiteral("Número CTPS: ")))
    codigo(t, t.ValidarCTPS(false), ctps);
  const QString serie = CampoLinha(l, 131, 5);
  if (ChecarDigitos(serie, 5, QStringLiteral("Serie CTPS: ")))
    codigo(t, t.ValidarSerieCTPS(false), serie);
  const QString sexo = CampoLinha(l, 136, 1);
  if (ChecarDigitos(sexo, 1, QStringLiteral("Sexo: ")))
    codigo(t, t.ValidarSexo(), sexo);
  const QString grau = CampoLinha(l, 137, 2);
  if (ChecarDigitos(grau, 2, QStringLiteral("Grau Instrução: ")))
    codigo(t,
           ChecarUmaVez(QStringLiteral("grau|") + t.NU_GRAU_INSTRUCAO, t,
                        [&t] { return t.ValidarGrauInstrucao(); }),
           grau);
  const QString nasc = CampoLinha(l, 139, 8);
  if (ChecarData(nasc, QStringLiteral("Data Nascimento: "), d))
    codigo(t, t.ValidarDataNascimento(), nasc);
  const QString horas = CampoLinha(l, 147, 2);
  if (ChecarDigitos(horas, 2, QStringLiteral("Horas Trabalhadas: ")))
    codigo(v, v.ValidarHorasSemanais(), horas);
  codigo(v,
         ChecarUmaVez(QStringLiteral("cbo|%1|%2").arg(categoria, v.CO_CBO), v,
                      [&v] { return v.ValidarCBO(); }),
         CampoLinha(l, 149, 6));
  const QString opcao = CampoLinha(l, 155, 8);
  if (ChecarData(opcao, QStringLiteral("Data Opção: "), d))
    codigo(v, v.ValidarDataOpcao(), opcao);
  const QString mov = CampoLinha(l, 163, 2);
  codigo(v,
         ChecarUmaVez(QStringLiteral("mov|%1|%2")
                          .arg(v.CO_MOVIMENTACAO, r.VR_SALDO_RESCISORIO > 0 ? u'+' : u'0'),
                      v, [&v] { return v.ValidarMovimentacao(); }),
         mov);
  const QString dtMov = CampoLinha(l, 165, 8);
  if (ChecarData(dtMov, QStringLiteral("Data Movimento: "), d)) {
    codigo(v, v.ValidarDataMovimentacao(gravados_.UltimoComplemento(v)), dtMov);
  }
  codigo(
      v,
      ChecarUmaVez(QStringLiteral("saque|%1|%2|%3").arg(v.CO_SAQUE, v.CO_MOVIMENTACAO, categoria),
                   v, [&v] { return v.ValidarSaque(); }),
      CampoLinha(l, 173, 3));

  const QString aviso = CampoLinha(l, 176, 1);
  bool avisoOk = ChecarDigitos(aviso, 1, QStringLiteral("Aviso: "));
  if (avisoOk && !v.ValidarAvisoPrevio()) {
    RegistrarCodigo(v, aviso);
    avisoOk = false;
  }
  if (avisoOk) {
    const QString inicio = CampoLinha(l, 177, 8);
    if (ChecarData(inicio, QStringLiteral("Data Aviso: "), d))
      codigo(v, v.ValidarInicioAvisoPrevio(), inicio);
  }
  codigo(v, v.ValidarReposicaoVagas(), CampoLinha(l, 185, 1));

  const QString dtDiss = CampoLinha(l, 186, 8);
  bool dissOk = ChecarData(dtDiss, QStringLiteral("Data Dissídio: "), d);
  if (dissOk && !r.ValidarDataDissidio()) {
    RegistrarCodigo(r, dtDiss);
    dissOk = false;
  }
  if (dissOk) {
    const QString vrDiss = CampoLinha(l, 194, 15);
    if (ChecarDigitos(vrDiss, 15, QStringLiteral("Valor Dissídio: ")))
      codigo(r, r.ValidarValorDissidio(), vrDiss);
  }

  const QString remAnt = CampoLinha(l, 209, 15);
  if (ChecarDigitos(remAnt, 15, QStringLiteral("Valor Remuneração do Mês Anterior a Rescisão: "))) {
    if (!v.ValidarMovimentacaoPeriodo())
      RegistrarCodigo(v, QStringLiteral("Informações Rescisão - Reforma Trabalhista: ") +
                             v.DetalheErro);
    codigo(r, r.ValidarRemuneracaoAnterior(), remAnt);
  }
  const QString remResc = CampoLinha(l, 224, 15);
  if (ChecarDigitos(remResc, 15, QStringLiteral("Valor Remuneração do Mês da Rescisão: ")))
    codigo(r, r.ValidarRemuneracaoRescisao(), remResc);
  const QString vrAviso = CampoLinha(l, 239, 15);
  if (ChecarDigitos(vrAviso, 15, QStringLiteral("Valor Aviso Indenizado: "))) {
    codigo(r, r.ValidarAvisoPrevioIndenizado(), vrAviso);
    codigo(r, r.ValidarValoresSemRemuneracao(true), mov);
  }

  // Alimony: the type decides which of the two amounts may be filled.
  codigo(r, r.ValidarTipoPensao(), CampoLinha(l, 254, 1));
  const QString tipoPensao = r.IC_TIPO_PNSO_ALMNA;
  const QString pct = CampoLinha(l, 255, 5), vrPensao = CampoLinha(l, 260, 15);
  const bool pctOk = ChecarDigitos(pct, 5, QStringLiteral("Valor Percentual da Pensão: "));
  const bool vrOk = ChecarDigitos(vrPensao, 15, QStringLiteral("Valor da Pensão: "));
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

  const QString cpf = CampoLinha(l, 275, 11);
  if (ChecarDigitos(cpf, 11, QStringLiteral("CPF: ")))
    codigo(t, t.ValidarCPF(), cpf);
  const QString banco = CampoLinha(l, 286, 3);
  if (ChecarDigitos(banco, 3, QStringLiteral("Banco: ")) && v.ValidarBanco()) {
    const QString agencia = CampoLinha(l, 289, 4);
    if (ChecarDigitos(agencia, 4, QStringLiteral("Agência: ")) && v.ValidarAgencia()) {
      const QString conta = CampoLinha(l, 293, 13);
      if (ChecarDigitos(conta, 13, QStringLiteral("Conta Corrente: ")))
        codigo(v, v.ValidarConta(), conta);
    } else if (!v.CodigoErro.isEmpty()) {
      RegistrarCodigo(v, agencia);
    }
  } else if (!v.CodigoErro.isEmpty() && banco.size() == 3 && U::SomenteNumeros(banco)) {
    RegistrarCodigo(v, banco);
  }
  ChecarDigitos(CampoLinha(l, 306, 15), 15,
                QStringLiteral("Valor de Saldo Informado pela Empresa: "));
  ChecarBrancos(l, 321, 39);
  ChecarFimRegistro(l);
}

// ---------------------------------------------------- complements (43-45)

namespace {
constexpr int ParesComplemento = 14;
int PosCompetencia(int k) {
  return 54 + 21 * (k - 1);
}
int PosValor(int k) {
  return 60 + 21 * (k - 1);
}
} // namespace

void TArqFolha::ValidarComplemento(int tipo, const QString &l) {
  TComplementoSaldo &c = *complemento_;
  c.DefinirChave(Inteiro(CampoLinha(l, 3, 1)), Inteiro64(CampoLinha(l, 4, 14)),
                 Inteiro64(CampoLinha(l, 33, 11)), Inteiro(CampoLinha(l, 52, 2)),
                 DataCampoArquivo(CampoLinha(l, 44, 8)));
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
  const QString zero = CampoLinha(l, 18, 1), zeros = CampoLinha(l, 19, 14);
  if (zero != QStringLiteral("0"))
    Registrar(13, zero);
  if (!(zeros.size() == 14 && U::TodosZeros(zeros, 14)))
    Registrar(13, zeros);

  auto competencia = [&](int k) { return CampoLinha(l, PosCompetencia(k), 6); };
  auto valor = [&](int k) { return CampoLinha(l, PosValor(k), 15); };
  auto vazio = [&](int k) { return Inteiro(competencia(k)) == 0 && Valor15(valor(k)) == 0; };
  bool todosVazios = true;
  for (int k = 1; k <= ParesComplemento; ++k)
    if (!(U::TodosZeros(competencia(k), 6) && U::TodosZeros(valor(k), 15)))
      todosVazios = false;
  if (todosVazios)
    Registrar(360, U::DataParaTexto(ultDissidio_));
  for (int k = 2; k <= ParesComplemento; ++k)
    if (Inteiro(competencia(k)) > 0 && Valor15(valor(k)) > 0 && vazio(k - 1))
      Registrar(361, competencia(k) + valor(k));

  for (int k = 1; k <= ParesComplemento; ++k) {
    const QString comp = competencia(k);
    const QString ano = comp.left(4), mes = comp.mid(4, 2);
    const QString chave = CampoLinha(l, 1, 2) + ano + mes;
    if (comp != QStringLiteral("000000") && competenciasVistas_.contains(chave))
      Registrar(292, ano + mes);
    else
      competenciasVistas_.insert(chave);
    c.AA_COMPETENCIA = ano;
    c.MM_COMPETENCIA = mes;
    if (!c.ValidarCompetencia(true))
      RegistrarCodigo(c, mes + ano);
    const QString vr = valor(k);
    if (ChecarDigitos(vr, 15, QStringLiteral("Valor da Competência: "))) {
      c.VR_REMUNERACAO = Valor15(vr);
      if (!c.ValidarRemuneracao())
        RegistrarCodigo(c, vr);
    }
  }
  ChecarBrancos(l, 348, 12);
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
  dataRecolhimento_ = DataCampoArquivo(CampoLinha(l, 292, 8));
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
  c.DefinirChave(Inteiro(CampoLinha(l, 3, 1)), Inteiro64(CampoLinha(l, 4, 14)),
                 Inteiro64(CampoLinha(l, 33, 11)), Inteiro(CampoLinha(l, 52, 2)),
                 DataCampoArquivo(CampoLinha(l, 44, 8)));
  c.NU_COMPLEMENTO = QString::number(tipo - 42);
  TVinculo &v = c.Vinculo();
  v.NU_CATEGORIA = static_cast<qint8>(c.NU_CATEGORIA);
  v.DT_OPCAO = ultOpcao_;
  v.DT_MOVIMENTACAO_VINCULO = ultMovimentacao_;
  v.CO_MOVIMENTACAO = ultCodMovimentacao_;
  c.Rescisao().DT_DISSIDIO = ultDissidio_;
  bool primeiro = false;
  for (int k = 1; k <= ParesComplemento; ++k) {
    const QString comp = CampoLinha(l, PosCompetencia(k), 6);
    if (Inteiro(comp) <= 0)
      continue;
    c.AA_COMPETENCIA = comp.left(4);
    c.MM_COMPETENCIA = comp.mid(4, 2);
    c.VR_REMUNERACAO = Valor15(CampoLinha(l, PosValor(k), 15));
    if (!c.Incluir())
      return false;
    if (k == 1)
      primeiro = true;
  }
  if (!primeiro && c.CodigoErro.isEmpty())
    c.CodigoErro = QStringLiteral("0250");
  return primeiro;
}
