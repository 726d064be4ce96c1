#include "unTArqRescisorio.h"

#include "collection/UnTComplementoSaldo.h"
#include "collection/unMovimento.h"
#include "collection/unTAliquotaDeposito.h"
#include "collection/unTCalculo.h"
#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/UnInconsistencia.h"
#include "core/unDialogo.h"
#include "core/unFBUtils.h"
#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unLeiauteRescisorio.h"
#include "interchange/unProtocolo.h"
#include "maintenance/unTBackup.h"
#include "registry/UnRescisao.h"
#include "registry/unAlteracaoCadastral.h"
#include "registry/unChaveVinculo.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace LeiauteRescisorio;
using U = TUtilitarios;

namespace {
// The envelope carries this version of the file's layout.
const char *const VersaoLeiaute = "24.2";
const char *const NomeArquivoPlano = "GuiaVESK.HX";
const char *const TabelaGuias = "QZLTBG08_GUIA_TOTALIZADORA";

QString Data8(TDateTime d) {
  return d > 0 ? DataParaQDate(d).toString(QStringLiteral("ddMMyyyy")) : QString();
}
QString Centavos(double v) {
  return QString::number(TCentavos::De(v).Centavos());
}
QString Maiusculo(const QString &t) {
  return t.trimmed().toUpper();
}
// A provisional bar code: the company's guide is stored under it until its
// total is known.
QString CodigoProvisorio() {
  return QString(44, u'9');
}
} // namespace

// The company being written: its "10" line, its link-line counts and sums.
struct TArqRescisorio::TEmpresaAtual {
  bool Ativa = false;
  int Tipo = 0;
  qint64 Inscricao = 0;
  QString Nome;
  int LinhaEmpresa = -1; // index of its "10" in Linhas
  TTotaisGuia Totais;
  qint64 TotalGuia = 0; // centavos: the twenty amounts of every link
};

TArqRescisorio::TArqRescisorio() : empresa_(std::make_unique<TEmpresaAtual>()) {
  NumeroArquivo = tiMovimento;
}

TArqRescisorio::~TArqRescisorio() = default;

void TArqRescisorio::RegistrarInconsistencia(const QString &Conteudo, const QString &Registro,
                                             int Linha, int Mensagem, const QString &TipoInscResp,
                                             const QString &InscResp, const QString &NomeResp,
                                             const QString &TipoInscEmpresa,
                                             const QString &InscEmpresa, const QString &RazaoSocial,
                                             const QString &PIS, const QString &Categoria,
                                             const QString &DtAdmissao,
                                             const QString &NomeEmpregado) {
  if (conexao_)
    Inconsistencia->Ibx = conexao_.get();
  TArquivo::RegistrarInconsistencia(Conteudo, Registro, Linha, Mensagem, TipoInscResp, InscResp,
                                    NomeResp, TipoInscEmpresa, InscEmpresa, RazaoSocial, PIS,
                                    Categoria, DtAdmissao, NomeEmpregado);
}

void TArqRescisorio::Avancar1() {
  Avancar();
}

// ---------------------------------------------------------------- lines

bool TArqRescisorio::EscreverLinha(int tipo, const QString &linha) {
  if (linha.size() != TamanhoEnviado) {
    RegistrarInconsistencia(linha.left(70), QStringLiteral("00"), 0, 377,
                            QString::number(responsavel_->NU_TIPO_INSO_EMPRA),
                            responsavel_->InscricaoFormatada(), responsavel_->NO_RAZAO_SOCIAL);
    return false;
  }
  Linhas << linha;
  // Every line is read back by the reader of this layout: what it reads is
  // what the guides and the protocol receive.
  if (!leitor_->LerRegistro(linha, Linhas.size() - 1)) {
    CodigoErro = leitor_->CodigoErro;
    return false;
  }
  switch (tipo) {
  case rgCabecalho:
    leitor_->PreencherResponsavel();
    break;
  case rgEmpresa:
    leitor_->PreencherGuiaEmpresa();
    break;
  case rgVinculo:
    leitor_->PreencherGuiaTrabalhador();
    break;
  case rgValores:
    leitor_->PreencherValoresTrabalhador();
    break;
  default:
    break;
  }
  return true;
}

QString TArqRescisorio::LinhaCabecalho() {
  TResponsavel &r = *responsavel_;
  TEndereco &e = r.Endereco();
  QString versao = Utilitarios.VersaoSistema().trimmed();
  versao.remove(u'.');
  const QString geracao = QDateTime::currentDateTime().toString(QStringLiteral("ddMMyyyyHHmmss"));
  QStringList v{QStringLiteral("00"),
                QString(),
                QStringLiteral("1"),
                QStringLiteral("02"),
                QStringLiteral("ZELT"),
                QString::number(r.NU_TIPO_INSO_EMPRA),
                QString::number(r.InscricaoNumero()),
                Maiusculo(r.NO_RAZAO_SOCIAL),
                Maiusculo(r.NO_CONTATO),
                Maiusculo(e.DE_LOGRADOURO),
                Maiusculo(e.NO_BAIRRO),
                U::Digitos(e.NU_CEP),
                Maiusculo(e.NO_LOCALIDADE),
                Maiusculo(e.SG_UF),
                U::Digitos(r.NU_DDD),
                U::Digitos(r.NU_TELEFONE),
                Maiusculo(r.CO_ENDERECO_VIRTUAL_CONTATO),
                versao,
                QStringLiteral("0T"),
                Data8(DataRecolhimento),
                QStringLiteral("MOLT01"),
                geracao,
                QString(),
                QString(), // the identifier, computed from what comes before it
                QStringLiteral("ICP"),
                QString(),
                QString(),
                QString::number(++SequenciaLinha)};
  const QString antes =
      MontarLinha(CabecalhoEnviado, v).left(CabecalhoEnviado[hdIdentificador].Inicio - 1);
  // The server's moment and the byte sum of the header so far, modulo 65536.
  Identificador = U::GerarIdentificadorArquivo(antes).left(17) +
                  QString::number(U::SomaCaracteres(antes) % 65536).rightJustified(13, u'0');
  v[hdIdentificador] = Identificador;
  return MontarLinha(CabecalhoEnviado, v);
}

bool TArqRescisorio::EscreverEmpresa(TVinculo &v) {
  TEmpresa &e = v.Empresa();
  TEndereco &end = e.Endereco();
  empresa_->Ativa = true;
  empresa_->Tipo = v.NU_TIPO_INSO_EMPRA;
  empresa_->Inscricao = v.NU_INSCRICAO;
  empresa_->Nome = Maiusculo(e.NO_RAZAO_SOCIAL);
  empresa_->Totais = TTotaisGuia();
  empresa_->TotalGuia = 0;
  const QStringList valores{QStringLiteral("10"),
                            QString::number(v.NU_TIPO_INSO_EMPRA),
                            QString::number(v.NU_INSCRICAO),
                            QString(),
                            empresa_->Nome,
                            Maiusculo(end.DE_LOGRADOURO),
                            Maiusculo(end.NO_BAIRRO),
                            U::Digitos(end.NU_CEP),
                            Maiusculo(end.NO_LOCALIDADE),
                            Maiusculo(end.SG_UF),
                            U::Digitos(e.NU_DDD),
                            U::Digitos(e.NU_TELEFONE),
                            QString::number(e.NU_SIMPLES),
                            U::Digitos(e.NU_INSS),
                            U::Digitos(e.NU_IBGE),
                            CodigoProvisorio(),
                            QString(),
                            QString(),
                            QString(),
                            QString(),
                            QStringLiteral("0000"),
                            QString(),
                            QString(),
                            QString::number(++SequenciaLinha)};
  if (!EscreverLinha(rgEmpresa, MontarLinha(EmpresaEnviado, valores)))
    return false;
  empresa_->LinhaEmpresa = Linhas.size() - 1;
  TGuiaEmpresa &guia = leitor_->GuiaEmpresa();
  guia.NU_IDENTIFICADOR_ARQUIVO = Identificador;
  guia.DT_RECOLHIMENTO = DataRecolhimento;
  guia.VR_TOTAL_RECOLHIDO = 0;
  if (!guia.GravarGeracao() ||
      !protocolo_->IncluirEmpresa(Identificador, v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO,
                                  empresa_->Nome, 0, QString(), DataRecolhimento)) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}

bool TArqRescisorio::FecharEmpresa() {
  TEmpresaAtual &emp = *empresa_;
  const TCentavos total = TCentavos::DeCentavos(emp.TotalGuia);
  codigoBarras_ = U::GerarCodigoBarras(total.Valor(), DataRecolhimento, emp.Inscricao);
  const QString linhaDigitavel = U::LinhaDigitavel(codigoBarras_);
  QString &dez = Linhas[emp.LinhaEmpresa];
  const TCampoArquivo &cb = EmpresaEnviado[emCodigoBarras];
  const TCampoArquivo &dg = EmpresaEnviado[emDigitos];
  dez.replace(cb.Inicio - 1, cb.Tamanho, codigoBarras_);
  dez.replace(dg.Inicio - 1, dg.Tamanho, U::DigitosLinha(codigoBarras_));
  if (!protocolo_->AlterarEmpresa(Identificador, emp.Tipo, emp.Inscricao, emp.Nome, total.Valor(),
                                  linhaDigitavel, DataRecolhimento)) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  const TTotaisGuia &t = emp.Totais;
  const QStringList valores{QStringLiteral("80"),
                            QString::number(emp.Tipo),
                            QString::number(emp.Inscricao),
                            QString(36, u'9'),
                            QString::number(t.Deposito),
                            QString::number(t.JAM),
                            QString::number(t.Multa),
                            QString::number(t.Contribuicao),
                            QString::number(t.MultaContribuicao),
                            QString::number(t.Remuneracao),
                            QString::number(t.BaseMulta),
                            QString::number(t.Qtd40),
                            QString::number(t.Qtd42),
                            QString::number(t.Qtd44),
                            QString::number(t.Qtd45),
                            QString::number(t.Qtd46),
                            QStringLiteral("0"),
                            QStringLiteral("0"),
                            QString(),
                            QString(),
                            QString(),
                            QString::number(++SequenciaLinha)};
  if (!EscreverLinha(rgTrailerEmpresa, MontarLinha(TrailerEmpresaEnviado, valores)))
    return false;
  TTotaisGuia &a = totaisArquivo_;
  a.Qtd40 += t.Qtd40;
  a.Qtd42 += t.Qtd42;
  a.Qtd44 += t.Qtd44;
  a.Qtd45 += t.Qtd45;
  a.Qtd46 += t.Qtd46;
  a.Deposito += t.Deposito;
  a.JAM += t.JAM;
  a.Multa += t.Multa;
  a.Contribuicao += t.Contribuicao;
  a.MultaContribuicao += t.MultaContribuicao;
  a.Remuneracao += t.Remuneracao;
  a.BaseMulta += t.BaseMulta;
  ++QtdEmpresas;
  // The guide and its workers' guides leave the provisional key for the
  // digitable line of the real bar code.
  TGuiaEmpresa guia;
  if (!guia.TrocarCodigo(U::LinhaDigitavel(CodigoProvisorio()), linhaDigitavel, total.Valor())) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  Guias << TGuiaGerada{emp.Tipo, emp.Inscricao, emp.Nome, total, linhaDigitavel};
  emp = TEmpresaAtual();
  return true;
}

void TArqRescisorio::RegistrarVinculo(TVinculo &v, int mensagem, const QString &conteudo) {
  RegistrarInconsistencia(conteudo, QStringLiteral("40"), 0, mensagem,
                          QString::number(responsavel_->NU_TIPO_INSO_EMPRA),
                          responsavel_->InscricaoFormatada(), responsavel_->NO_RAZAO_SOCIAL,
                          QString::number(v.NU_TIPO_INSO_EMPRA), QString::number(v.NU_INSCRICAO),
                          v.Empresa().NO_RAZAO_SOCIAL,
                          QString::number(v.NU_PIS).rightJustified(11, u'0'),
                          QString::number(v.NU_CATEGORIA).rightJustified(2, u'0'),
                          Data8(v.DT_ADMISSAO_VINCULO), v.Trabalhador().NO_EMPREGADO);
}

bool TArqRescisorio::EscreverVinculo(TVinculo &v) {
  const TChaveVinculo chave = ChaveDe(v);
  TRescisao *lida = nullptr;
  if (const auto it = linhaRescisao_.constFind(chave); it != linhaRescisao_.constEnd()) {
    rescisoes_->ObterDataSet()->MoverPara(*it);
    rescisoes_->CarregarAtributos();
    rescisoes_->DefinirVinculo(&v);
    lida = rescisoes_.get();
  }
  if (const auto it = linhaTrabalhador_.constFind(chave); it != linhaTrabalhador_.constEnd()) {
    trabalhadores_->ObterDataSet()->MoverPara(*it);
    trabalhadores_->CarregarAtributos();
    v.DefinirTrabalhador(trabalhadores_.get());
  } else {
    v.DefinirTrabalhador(nullptr);
  }
  TRescisao &r = lida ? *lida : v.Rescisao();
  TTrabalhador &t = v.Trabalhador();
  // 1. The link's amounts, computed and stored once for all its lines.
  const double total = calculo_->GravarCalculo(&v, &r);
  if (total < 0) {
    RegistrarVinculo(v, 422);
    return false;
  }
  const double base = calculo_->ParcelaMulta.VrBaseMulta;
  if (base > 0 && TCentavos::De(SaldoMinimoCategoria(v.NU_CATEGORIA, v.DT_MOVIMENTACAO_VINCULO,
                                                     aliquotas_.get())) > TCentavos::De(base)) {
    RegistrarVinculo(v, 449);
    return false;
  }
  // 2. The consigned-loan contracts: one "40" each.
  QList<QStringList> contratos;
  const bool consignado = v.IC_CONSIGNADO.trimmed().toUpper() == QLatin1String("S");
  if (consignado) {
    const TDataSetPtr ds = t.ConsultarConsignacoes(
        v.NU_TIPO_INSO_EMPRA, QString::number(v.NU_INSCRICAO), v.DT_ADMISSAO_VINCULO,
        v.NU_CATEGORIA, QString::number(v.NU_PIS).rightJustified(11, u'0'));
    if (ds)
      for (ds->First(); !ds->Eof(); ds->Next())
        contratos << QStringList{
            ds->FieldByName(QStringLiteral("CO_INSTITUICAO_CNSGTRA")).AsString().trimmed(),
            ds->FieldByName(QStringLiteral("NU_CONTRATO")).AsString().trimmed(),
            Data8(ds->FieldByName(QStringLiteral("DT_NU_CONTRATO")).AsDateTime())};
    if (contratos.isEmpty())
      contratos << QStringList{QString(), QString(), QString()};
  } else {
    contratos << QStringList{QString(), QString(), QString()};
  }
  const QString alterado =
      divergencias_.contains(chave) ? QStringLiteral("S") : QStringLiteral("N");
  const QString tipoPensao = Maiusculo(r.IC_TIPO_PNSO_ALMNA);
  const QString vaga = Maiusculo(v.IC_REPOSICAO_VAGAS);
  const QString remuneracaoAnterior = Centavos(r.VR_REMUNERACAO_ANTERIOR_RSCSO);
  const QString remuneracaoRescisao = Centavos(r.VR_REMUNERACAO_RESCISAO);
  const QString avisoIndenizado = Centavos(r.VR_AVISO_PREVIO);
  const QString baseMulta = Centavos(base);
  const bool semCtps = v.NU_CATEGORIA == 5;
  bool primeiro = true;
  for (const QStringList &c : contratos) {
    if (consignado) {
      int erro = 0;
      if (v.NU_CATEGORIA != 1)
        erro = 518;
      else if (c[2].isEmpty())
        erro = 519;
      else if (c[1].isEmpty())
        erro = 494;
      else if (c[0].isEmpty())
        erro = 495;
      if (erro) {
        RegistrarVinculo(v, erro);
        return false;
      }
    }
    const QStringList valores{
        QStringLiteral("40"),
        QString::number(v.NU_TIPO_INSO_EMPRA),
        QString::number(v.NU_INSCRICAO),
        QString::number(v.NU_TIPO_INSO_TMDR),
        QString::number(v.NU_INSCRICAO_TMDR),
        QString::number(v.NU_PIS),
        Data8(v.DT_ADMISSAO_VINCULO),
        QString::number(v.NU_CATEGORIA),
        Maiusculo(t.NO_EMPREGADO),
        alterado,
        semCtps ? QString() : U::Digitos(t.NU_CTPS),
        semCtps ? QString() : U::Digitos(t.NU_SERIE_CTPS),
        Data8(v.DT_OPCAO),
        Data8(t.DT_NASCIMENTO),
        Data8(v.DT_MOVIMENTACAO_VINCULO),
        Maiusculo(v.CO_MOVIMENTACAO),
        Data8(r.DT_DISSIDIO),
        QString::number(v.IC_AVISO_PREVIO),
        v.CO_CBO.trimmed(),
        QString::number(t.IC_SEXO),
        U::Digitos(t.NU_GRAU_INSTRUCAO),
        QString::number(v.QT_HORAS_TRBS_SMNA),
        v.CO_SAQUE.trimmed(),
        Data8(v.DT_INICIO_AVISO_PRVO),
        vaga,
        Centavos(r.VR_DISSIDIO),
        tipoPensao,
        tipoPensao == QLatin1String("P") ? Centavos(r.VR_PENSAO_ALMNA) : QString(),
        tipoPensao == QLatin1String("V") ? Centavos(r.VR_PENSAO_ALMNA) : QString(),
        U::Digitos(t.NU_INSCRICAO_CPF),
        U::Digitos(v.NU_BANCO_CONTA),
        U::Digitos(v.NU_AGENCIA_CONTA),
        U::Digitos(v.NU_CONTA_BANCARIA),
        Data8(r.DT_DEVIDA_ANTERIOR_RESCISAO),
        remuneracaoAnterior,
        Data8(r.DT_DEVIDA_RESCISAO),
        remuneracaoRescisao,
        Data8(r.DT_DEVIDA_AVISO_PREVIO),
        avisoIndenizado,
        Data8(r.DT_DEVIDA_MULTA_RESCISORIA),
        baseMulta,
        consignado ? QStringLiteral("S") : QStringLiteral("N"),
        vaga.isEmpty() ? QStringLiteral("N") : vaga,
        c[0],
        c[1],
        c[2],
        v.IC_VAGA_PNE.trimmed().isEmpty() ? QStringLiteral("N") : Maiusculo(v.IC_VAGA_PNE),
        v.NU_DDD_TEL_RCTDOR ? QString::number(v.NU_DDD_TEL_RCTDOR) : QString(),
        v.NU_TEL_RCTDOR ? QString::number(v.NU_TEL_RCTDOR) : QString(),
        v.END_EMAIL.trimmed(),
        v.CO_CBO_REPOSICAO.trimmed(),
        t.NU_DDD_CELULAR ? QString::number(t.NU_DDD_CELULAR) : QString(),
        t.NU_TEL_CELULAR ? QString::number(t.NU_TEL_CELULAR) : QString(),
        QString(),
        QString::number(++SequenciaLinha)};
    if (!EscreverLinha(rgVinculo, MontarLinha(VinculoEnviado, valores)))
      return false;
    TTotaisGuia &tot = empresa_->Totais;
    ++tot.Qtd40;
    // The trailer counts these per "40" line, as the bank's reader does.
    tot.Remuneracao += remuneracaoAnterior.toLongLong() + remuneracaoRescisao.toLongLong() +
                       avisoIndenizado.toLongLong();
    tot.BaseMulta += baseMulta.toLongLong();
    if (primeiro && !protocolo_->IncluirTrabalhador(
                        Identificador, v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS,
                        v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO, Maiusculo(t.NO_EMPREGADO), total,
                        Maiusculo(v.CO_MOVIMENTACAO), v.DT_MOVIMENTACAO_VINCULO)) {
      CodigoErro = QStringLiteral("0144");
      return false;
    }
    primeiro = false;
  }

  // 3. The computed amounts ("42").
  QStringList valores{QStringLiteral("42"),
                      QString::number(v.NU_TIPO_INSO_EMPRA),
                      QString::number(v.NU_INSCRICAO),
                      QString::number(v.NU_TIPO_INSO_TMDR),
                      QString::number(v.NU_INSCRICAO_TMDR),
                      QString::number(v.NU_PIS),
                      Data8(v.DT_ADMISSAO_VINCULO),
                      QString::number(v.NU_CATEGORIA)};
  TTotaisGuia &tot = empresa_->Totais;
  for (const TParcelaCalculo *p : {&calculo_->ParcelaAnterior, &calculo_->ParcelaRescisao,
                                   &calculo_->ParcelaAvisoPrevio, &calculo_->ParcelaMulta}) {
    const qint64 partes[] = {
        TCentavos::De(p->VrDeposito).Centavos(), TCentavos::De(p->VrJam).Centavos(),
        TCentavos::De(p->VrMulta).Centavos(), TCentavos::De(p->VrContribuicao).Centavos(),
        TCentavos::De(p->VrMultaContribuicao).Centavos()};
    for (qint64 c : partes)
      valores << QString::number(c);
    tot.Deposito += partes[pbDeposito];
    tot.JAM += partes[pbJAM];
    tot.Multa += partes[pbMulta];
    tot.Contribuicao += partes[pbContribuicao];
    tot.MultaContribuicao += partes[pbMultaContribuicao];
  }
  valores << QString() << QString() << QString::number(++SequenciaLinha);
  if (!EscreverLinha(rgValores, MontarLinha(ValoresEnviado, valores)))
    return false;
  ++tot.Qtd42;
  TGuiaTrabalhador &guia = leitor_->GuiaTrabalhador();
  if (!guia.Gravar()) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  empresa_->TotalGuia += leitor_->TotalGuiaTrabalhadorCentavos;
  // 4. The balance complements by number.
  const int numeros = complementos_.value(chave);
  for (int numero = 1; numero <= 3; ++numero)
    if ((numeros & (1 << (numero - 1))) && !EscreverComplementos(v, numero))
      return false;
  return true;
}

bool TArqRescisorio::EscreverComplementos(TVinculo &v, int numero) {
  TComplementoSaldo comp;
  comp.CarregarAssociados = false;
  comp.DefinirChave(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                    v.DT_ADMISSAO_VINCULO);
  comp.NU_COMPLEMENTO = QString::number(numero);
  if (!comp.CarregarComplemento()) {
    if (!comp.CodigoErro.isEmpty()) {
      CodigoErro = comp.CodigoErro;
      return false;
    }
    return true;
  }
  QStringList itens;
  for (comp.Primeiro(); !comp.FimDados(); comp.Proximo()) {
    if (comp.NU_COMPLEMENTO.trimmed().isEmpty())
      continue;
    itens << comp.AA_COMPETENCIA.trimmed().rightJustified(4, u'0') +
                 comp.MM_COMPETENCIA.trimmed().rightJustified(2, u'0') +
                 Centavos(comp.VR_DEPOSITO).rightJustified(15, u'0');
  }
  const int tipo = rgComplemento1 + numero - 1;
  const TCampoArquivo &campoItens = ComplementoEnviado[cpItens];
  for (int i = 0; i < itens.size(); i += ItensComplementoEnviado) {
    const QString parte = itens.mid(i, ItensComplementoEnviado)
                              .join(QString())
                              .leftJustified(campoItens.Tamanho, u'0');
    const QStringList valores{QString::number(tipo),
                              QString::number(v.NU_TIPO_INSO_EMPRA),
                              QString::number(v.NU_INSCRICAO),
                              QString::number(v.NU_TIPO_INSO_TMDR),
                              QString::number(v.NU_INSCRICAO_TMDR),
                              QString::number(v.NU_PIS),
                              Data8(v.DT_ADMISSAO_VINCULO),
                              QString::number(v.NU_CATEGORIA),
                              parte,
                              QString::number(++SequenciaLinha)};
    if (!EscreverLinha(tipo, MontarLinha(ComplementoEnviado, valores)))
      return false;
    TTotaisGuia &tot = empresa_->Totais;
    (tipo == rgComplemento1 ? tot.Qtd44 : tipo == rgComplemento2 ? tot.Qtd45 : tot.Qtd46) += 1;
  }
  return true;
}

// ------------------------------------------------------------- generation

void TArqRescisorio::ExcluirProtocolo() {
  // The protocol and everything recorded under it, together.
  const QString id = U::TextoSQL(Identificador);
  try {
    TEscopoTransacao escopo(IbxUtils);
    for (const char *t : {"QZLTBG14_OCORRENCIA_GUIA", "QZLTBG16_ENVIO_EMPREGADO",
                          "QZLTBG15_ENVIO_EMPRESA", "QZLTBG13_ARQUIVO"})
      IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM %1 WHERE NU_IDENTIFICADOR_ARQUIVO = %2")
                                .arg(QString::fromLatin1(t), id));
    escopo.Confirmar();
  } catch (const std::exception &) {
  }
}

bool TArqRescisorio::LerMarcados() {
  try {
    trabalhadores_ = std::make_unique<TTrabalhador>();
    trabalhadores_->CarregarAssociados = false; // the company is the run's own, already read
    trabalhadores_->CarregarMarcados(linhaTrabalhador_);
    rescisoes_ = std::make_unique<TRescisao>();
    rescisoes_->CarregarMarcados(linhaRescisao_);
    aliquotas_ = std::make_unique<TTabelaAliquotas>();
    aliquotas_->Carregar(IbxUtils);
    TComplementoSaldo().NumerosDosMarcados(complementos_);
    const QString marcados = QStringLiteral("VINC.IC_ESTADO_MOVIMENTO = 1");
    contas_ = TContaSaldoTrabalhador::ResumirPorVinculo(marcados);
    calculo_->Contas = &contas_;
    divergencias_ = TAlteracaoCadastral::VinculosComDivergenciaNome(marcados);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}

bool TArqRescisorio::Gerar() {
  TVinculo v;
  IbxUtils->IniciarTransacao();
  if (!v.CarregarParticipantes(true, 0, NullDate, 0, 0, 0)) {
    CodigoErro = v.CodigoErro.isEmpty() ? QStringLiteral("0108") : v.CodigoErro;
    return false;
  }
  if (!LerMarcados())
    return false;
  Avancar1();
  if (!EscreverLinha(rgCabecalho, LinhaCabecalho()))
    return false;
  Avancar1();
  protocolo_->NU_IDENTIFICADOR_ARQUIVO = Identificador;
  protocolo_->NU_ARQUIVO = ArquivoGuiaRescisoria;
  protocolo_->DT_GERACAO_ARQUIVO = Utilitarios.DataServidor(true);
  if (!protocolo_->Incluir()) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  Avancar1();

  for (; !v.FimDados(); v.Proximo()) {
    if (Cancelado())
      return false;
    if (empresa_->Ativa &&
        (empresa_->Tipo != v.NU_TIPO_INSO_EMPRA || empresa_->Inscricao != v.NU_INSCRICAO))
      if (!FecharEmpresa())
        return false;
    if (!empresa_->Ativa && !EscreverEmpresa(v))
      return false;
    if (!EscreverVinculo(v))
      return false;
    Avancar1();
    if (!CodigoErro.isEmpty())
      return false;
  }
  if (empresa_->Ativa && !FecharEmpresa())
    return false;
  const TTotaisGuia &a = totaisArquivo_;
  const QStringList valores{QStringLiteral("90"),
                            QString(51, u'9'),
                            QString::number(a.Remuneracao),
                            QString::number(a.Deposito),
                            QString::number(a.JAM),
                            QString::number(a.Multa),
                            QString::number(a.Contribuicao),
                            QString::number(a.MultaContribuicao),
                            QString::number(a.Qtd40),
                            QString::number(a.Qtd42),
                            QString::number(a.Qtd44),
                            QString::number(a.Qtd45),
                            QString::number(a.Qtd46),
                            QStringLiteral("0"),
                            QStringLiteral("0"),
                            QString(),
                            QString(),
                            QString(),
                            QString::number(++SequenciaLinha)};
  if (!EscreverLinha(rgTrailer, MontarLinha(TrailerEnviado, valores)))
    return false;

  // The protocol: company totals from their workers, then every line.
  protocolo_->TotalizarEmpresas();
  for (int i = 0; i < Linhas.size(); ++i)
    if (!protocolo_->GravarLinha(Identificador, i + 1, Linhas.at(i))) {
      CodigoErro = QStringLiteral("0144");
      return false;
    }
  Etapa(5);
  if (Cancelado())
    return false;
  if (!protocolo_->ValidarLinhas(Identificador)) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}

bool TArqRescisorio::Processar() {
  CodigoErro.clear();
  Guias.clear();
  Linhas.clear();
  SequenciaLinha = 0;
  QtdEmpresas = 0;
  Confirmado = false;
  totaisArquivo_ = TTotaisGuia();
  *empresa_ = TEmpresaAtual();
  // A connection of its own for the inconsistencies: they must outlive the
  // rollback of a failed generation.
  conexao_ = std::make_unique<TIbxUtils>();
  conexao_->NomeBanco = IbxUtils->NomeBanco;
  conexao_->Usuario = IbxUtils->Usuario;
  conexao_->Senha = IbxUtils->Senha;
  bool ok = false;
  try {
    conexao_->Conectar();
    TConexaoInconsistencias redirecao(conexao_.get());
    Inconsistencia->Ibx = conexao_.get();
    NumeroArquivo = tiMovimento;
    leitor_ = std::make_unique<TArqGuia>();
    leitor_->NumeroArquivo = tiMovimento;
    leitor_->Inconsistencia->Ibx = conexao_.get();
    LimparInconsistencias();
    ConcluirInconsistencias();
    responsavel_ = std::make_unique<TResponsavel>();
    responsavel_->CarregarResponsavel();
    calculo_ = std::make_unique<TCalculo>();
    protocolo_ = std::make_unique<TProtocolo>();
    DataRecolhimento = calculo_->DataPagamentoUsada();
    if (!(DataRecolhimento > 0))
      DataRecolhimento = DataPagamento;
    {
      const TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
          "SELECT COUNT(*) FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO = 1"));
      DefinirMaximo(static_cast<int>(ds->Fields(0).AsInt64()) + 3);
    }
    Etapa(1);
    if (!Gerar()) {
      if (IbxUtils->EmTransacao())
        IbxUtils->DesfazerTransacao();
      conexao_.reset();
      return false;
    }
    IbxUtils->ConfirmarTransacao();
    // From here on the computed amounts and the guides stay; what fails
    // takes the saved envelope and the protocol away.
    Confirmado = true;
    Etapa(EtapaSemCancelamento);
    try {
      if (!SalvarEnvelope(Linhas, Identificador, true, DataRecolhimento)) {
        ExcluirProtocolo();
      } else {
        protocolo_->NM_ARQUIVO = NomeArquivo;
        if (protocolo_->Alterar()) {
          ok = true;
        } else {
          CodigoErro = QStringLiteral("0144");
          QFile::remove(NomeArquivo);
          ExcluirProtocolo();
        }
      }
    } catch (const std::exception &) {
      if (CodigoErro.isEmpty())
        CodigoErro = QStringLiteral("0144");
      if (!NomeArquivo.isEmpty())
        QFile::remove(NomeArquivo);
      ExcluirProtocolo();
    }
  } catch (const std::exception &) {
    if (IbxUtils && IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    if (CodigoErro.isEmpty())
      CodigoErro = QStringLiteral("0144");
    if (Confirmado) {
      if (!NomeArquivo.isEmpty())
        QFile::remove(NomeArquivo);
      ExcluirProtocolo();
    }
    ok = false;
  }
  conexao_.reset();
  if (!ok)
    Guias.clear();
  return ok;
}

// ---------------------------------------------------------- saving, sealing

bool TArqRescisorio::SalvarEnvelope(QStringList Linhas, const QString &Id, bool IncluirGuias,
                                    TDateTime DataRec) {
  PedidoArquivo pedido;
  pedido.Salvar = true;
  pedido.Titulo = QStringLiteral("Salvar Arquivo Rescisório");
  pedido.Filtro = QStringLiteral("Arquivo Rescisório (*.HXF)");
  pedido.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Guia Rescisoria"));
  pedido.Nome = QStringLiteral("GuiaVESK.HXF");
  const QString escolhido = EscolherArquivo(pedido);
  if (escolhido.isEmpty())
    return false;
  NomeArquivo = escolhido;
  const QFileInfo info(escolhido);
  const QString pasta = info.absolutePath() + u'/';
  const QString plano = pasta + QString::fromLatin1(NomeArquivoPlano);
  const QString dump = pasta + TBackup::NomeArquivoTabela(QString::fromLatin1(TabelaGuias));
  auto limpar = [&] {
    this->Linhas.clear();
    QFile::remove(plano);
    if (IncluirGuias)
      QFile::remove(dump);
  };
  bool ok = false;
  try {
    {
      QSaveFile f(plano);
      if (!f.open(QIODevice::WriteOnly)) {
        CodigoErro = QStringLiteral("0489");
        limpar();
        return false;
      }
      QByteArray dados;
      for (const QString &l : Linhas)
        dados += ParaWin1252(l) + "\r\n";
      f.write(dados);
      if (!f.commit()) {
        CodigoErro = QStringLiteral("0489");
        limpar();
        return false;
      }
    }
    const TResponsavel *resp = responsavel_.get();
    std::unique_ptr<TResponsavel> proprio;
    if (!resp) {
      proprio = std::make_unique<TResponsavel>();
      proprio->CarregarResponsavel();
      resp = proprio.get();
    }
    // Every company guide of this file with an activity code of the range.
    QString cnae = QStringLiteral("N");
    {
      const TDataSetPtr ds = IbxUtils->AbrirConsulta(
          QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN NU_CNAE_GUIA > 8399999 AND "
                         "NU_CNAE_GUIA < 8500001 THEN 1 ELSE 0 END) FROM %1 WHERE "
                         "NU_IDENTIFICADOR_ARQUIVO = %2")
              .arg(QString::fromLatin1(TabelaGuias), U::TextoSQL(Id)));
      const qint64 todas = ds->Fields(0).AsInt64();
      if (todas > 0 && ds->Fields(1).AsInt64() == todas)
        cnae = QStringLiteral("S");
    }
    // The companies the file carries are its company records: a file written
    // again from its stored lines describes itself to the bank as the first
    // time did.
    int empresas = 0, tipoEmpresa = 0;
    qint64 inscricaoEmpresa = 0;
    for (const QString &l : Linhas)
      if (LerCampo(l, EmpresaEnviado[emTipoRegistro]) == QLatin1String("10")) {
        if (++empresas == 1) {
          tipoEmpresa = LerCampo(l, EmpresaEnviado[emTipoInscricao]).toInt();
          inscricaoEmpresa = LerCampo(l, EmpresaEnviado[emInscricao]).toLongLong();
        }
      }
    QList<TBussinessInfo> infos{
        {QStringLiteral("tparquivo"), QString::number(ArquivoGuiaRescisoria)},
        {QStringLiteral("tpresponsavel"), QString::number(resp->NU_TIPO_INSO_EMPRA)},
        {QStringLiteral("inscresponsavel"), resp->InscricaoFormatada()},
        {QStringLiteral("nomeresponsavel"), resp->NO_RAZAO_SOCIAL.trimmed()},
        {QStringLiteral("datarecolhimento"), Utilitarios.DataParaTexto(DataRec)},
        {QStringLiteral("nra"), Id},
        {QStringLiteral("versaovesk"), QString::fromLatin1(VersaoLeiaute)},
        {QStringLiteral("qtdempresas"), QString::number(empresas)},
        {QStringLiteral("CNAE"), cnae}};
    if (empresas == 1) {
      infos << TBussinessInfo{QStringLiteral("tpinscempresa"), QString::number(tipoEmpresa)};
      infos << TBussinessInfo{QStringLiteral("inscempresa"), QString::number(inscricaoEmpresa)};
    }
    QStringList arquivos;
    if (IncluirGuias) {
      TBackup b(QString::fromLatin1(TabelaGuias), TBackup::CondicaoIdentificador(Id));
      b.ComVersao = false;
      b.Exportar(pasta);
      arquivos << QFileInfo(dump).fileName();
    }
    arquivos << QString::fromLatin1(NomeArquivoPlano);
    ok = EnvelopeArquivos(pasta, info.fileName(), infos, arquivos);
    if (!ok)
      CodigoErro = UltimoErro.isEmpty() ? QStringLiteral("0491") : UltimoErro;
  } catch (const std::exception &) {
    CodigoErro = QStringLiteral("0490");
    ok = false;
  }
  limpar();
  return ok;
}
