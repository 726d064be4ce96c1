#include "registry/unArqOcorrenciaChaveIdentificacao.h"

#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "interchange/unLeiauteChave.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "registry/unTrabalhador.h"

#include <QDate>
#include <QFile>

using namespace LeiauteChave;

namespace {
QString RTrim(const QString &t) {
  int n = int(t.size());
  while (n > 0 && t[n - 1] == u' ')
    --n;
  return t.left(n);
}

int TipoLinha(const QString &linha) {
  const QString t = CampoLinha(linha, 1, 2);
  return t.size() == 2 && Utilitarios.SomenteNumeros(t) ? t.toInt() : -1;
}

// "yyyymmdd" as the inconsistency context wants an admission date: ddmmyyyy.
QString DataContexto(const QString &aaaammdd) {
  return aaaammdd.mid(6, 2) + aaaammdd.mid(4, 2) + aaaammdd.left(4);
}

// A date of the file that must not lie before 2 January 1900.
enum class TData { Valida, Anterior1900, NaoData };
TData ConferirData(const QString &texto, bool VaziaValida) {
  const TDateTime d = Utilitarios.TextoParaData(texto, true);
  if (d == NullDate)
    return VaziaValida ? TData::Valida : TData::Anterior1900;
  if (d == DataNaoValida)
    return TData::NaoData;
  return DataParaQDate(d) <= QDate(1900, 1, 1) ? TData::Anterior1900 : TData::Valida;
}

QString Mensagem(const TRegChaveIdentificacao &r, int parte1, int parte2) {
  return (r.Campo(parte1) + r.Campo(parte2)).trimmed();
}
} // namespace

bool TRegChaveIdentificacao::Cortar(const QString &linha) {
  Tipo = TipoLinha(linha);
  int n = 0;
  switch (Tipo) {
  case 0:
    Tabela = LinhaCabecalho, n = int(std::size(LinhaCabecalho));
    break;
  case 10:
    Tabela = LinhaEmpresa, n = int(std::size(LinhaEmpresa));
    break;
  case 40:
    Tabela = LinhaTrabalhador, n = int(std::size(LinhaTrabalhador));
    break;
  default:
    Tabela = nullptr;
    Campos.clear();
    return false;
  }
  Campos.clear();
  Campos.reserve(n);
  for (int i = 0; i < n; ++i)
    Campos << LerCampo(linha, Tabela[i]);
  return true;
}

TArqChaveIdentificacao::TArqChaveIdentificacao()
    : Responsavel(std::make_unique<TResponsavel>()), Empresa(std::make_unique<TEmpresa>()),
      Trabalhador(std::make_unique<TTrabalhador>()),
      ResponsavelHmlgo(std::make_unique<TResponsavelHmlgo>()),
      EmpresaHmlgo(std::make_unique<TEmpresaHmlgo>()),
      EmpregadoHmlgo(std::make_unique<TEmpregadoHmlgo>()) {
  NumeroArquivo = 4;
}

TArqChaveIdentificacao::~TArqChaveIdentificacao() {
  Indice.clear();
}

void TArqChaveIdentificacao::RegistrarInconsistencia(
    const QString &Conteudo, const QString &Registro, int Linha, int Mensagem,
    const QString &TipoInscResp, const QString &InscResp, const QString &NomeResp,
    const QString &TipoInscEmpresa, const QString &InscEmpresa, const QString &RazaoSocial,
    const QString &PIS, const QString &Categoria, const QString &DtAdmissao,
    const QString &NomeEmpregado) {
  RegistroValido = false;
  ArquivoValido = false;
  CodigoErro = QString::number(Mensagem).rightJustified(4, u'0');
  TArquivo::RegistrarInconsistencia(Conteudo, Registro, Linha, Mensagem, TipoInscResp, InscResp,
                                    NomeResp, TipoInscEmpresa, InscEmpresa, RazaoSocial, PIS,
                                    Categoria, DtAdmissao, NomeEmpregado);
}

void TArqChaveIdentificacao::Reportar(int linha, int mensagem, const QString &conteudo,
                                      bool SoResponsavel) {
  const int i = linha - 1;
  const TRegRegistro vazio;
  const TRegRegistro &resp =
      !Indice.empty() && Indice[0].TipoRegistro == QStringLiteral("00") ? Indice[0] : vazio;
  const TRegRegistro &e = i >= 0 && i < int(Indice.size()) ? Indice[i] : vazio;
  const QString registro = i >= 0 && i < Linhas.size() ? CampoLinha(Linhas[i], 1, 2) : QString();
  QString tipoEmp, inscEmp, nomeEmp, pis, categoria, admissao, trabalhador;
  if (!SoResponsavel &&
      (e.TipoRegistro == QStringLiteral("10") || e.TipoRegistro == QStringLiteral("40"))) {
    tipoEmp = e.TipoInscricao;
    inscEmp = e.Inscricao;
    nomeEmp = e.Nome;
    if (e.TipoRegistro == QStringLiteral("40")) {
      pis = e.PIS;
      categoria = e.Categoria;
      admissao = e.DataAdmissao;
      trabalhador = e.NomeTrabalhador;
    }
  }
  RegistrarInconsistencia(conteudo, registro, linha, mensagem, resp.TipoInscricao, resp.Inscricao,
                          resp.Nome, tipoEmp, inscEmp, nomeEmp, pis, categoria, admissao,
                          trabalhador);
}

void TArqChaveIdentificacao::ValidarDigitos(const TRegChaveIdentificacao &r, int campo, int linha,
                                            bool SoResponsavel) {
  const QString valor = r.Campo(campo);
  Utilitarios.LerInteiro(valor);
  if (!UltimoErro.isEmpty())
    Reportar(linha, 11, QString::fromUtf8(r.Tabela[campo].Rotulo) + valor, SoResponsavel);
}

void TArqChaveIdentificacao::ProximaLinha() {
  if (Cancelado())
    throw ECancelado();
}

bool TArqChaveIdentificacao::Processar() {
  ArquivoValido = RegistroValido = true;
  NumeroArquivo = 4;
  CargasGravadas.clear();
  CodigoErro.clear();
  bool resultado = false;
  try {
    LimparInconsistencias();
    Etapa(1);
    if (!Abrir()) {
      RegistrarInconsistencia(NomeArquivo, QString(), 0, ErroAbertura ? ErroAbertura : 151);
      Fechar();
      return false;
    }
    // Blank lines after the last record are the end of the file, not records.
    while (!Linhas.isEmpty() && Linhas.last().trimmed().isEmpty())
      Linhas.removeLast();
    Indice.assign(Linhas.size(), TRegRegistro());
    DefinirMaximo(int(Linhas.size()) * 4);
    if (Configuracao.GravaArquivo) {
      QFile copia(PastaPrograma() + QStringLiteral("/TESTE_OCORRENCIA_CHAVE.txt"));
      if (copia.open(QIODevice::WriteOnly))
        for (const QString &l : Linhas)
          copia.write(ParaWin1252(l) + "\r\n");
    }
    resultado = ValidarEstrutura() && ValidarConteudo() && GravarBanco();
  } catch (const EMensagemInexistente &) {
    resultado = false;
  } catch (const ECancelado &) {
    resultado = false;
  }
  Fechar();
  return resultado;
}

bool TArqChaveIdentificacao::MontarIndice() {
  CodigoErro.clear();
  for (int i = 0; i < Linhas.size(); ++i) {
    ProximaLinha();
    const QString &l = Linhas[i];
    TRegRegistro &e = Indice[i];
    switch (TipoLinha(l)) {
    case 0:
      e.TipoRegistro = CampoLinha(l, 1, 2);
      e.TipoInscricao = LerCampo(l, LinhaCabecalho[chTipoInscricao]);
      e.Inscricao = LerCampo(l, LinhaCabecalho[chInscricao]);
      e.Nome = RTrim(LerCampo(l, LinhaCabecalho[chNome]));
      break;
    case 10:
      e.TipoRegistro = CampoLinha(l, 1, 2);
      e.TipoInscricao = LerCampo(l, LinhaEmpresa[ceTipoInscricao]);
      e.Inscricao = LerCampo(l, LinhaEmpresa[ceInscricao]);
      e.Nome = RTrim(LerCampo(l, LinhaEmpresa[ceNome]));
      break;
    case 40:
      e.TipoRegistro = CampoLinha(l, 1, 2);
      e.TipoInscricao = LerCampo(l, LinhaTrabalhador[ctTipoInscricao]);
      e.Inscricao = LerCampo(l, LinhaTrabalhador[ctInscricao]);
      e.PIS = LerCampo(l, LinhaTrabalhador[ctPIS]);
      e.Categoria = LerCampo(l, LinhaTrabalhador[ctCategoria]);
      e.DataAdmissao = DataContexto(LerCampo(l, LinhaTrabalhador[ctAdmissao]));
      e.NomeTrabalhador = RTrim(LerCampo(l, LinhaTrabalhador[ctNome]));
      break;
    default:
      // The context of the responsible party comes from the first line only
      // when that line is a header.
      Reportar(i + 1, 113, CampoLinha(l, 1, 2), true);
      return false;
    }
    Avancar();
  }
  return CodigoErro.isEmpty();
}

bool TArqChaveIdentificacao::ValidarOrdem() {
  // A load is made of its header's records: a file that does not open with
  // a header, or a worker with no company before it under its header, has
  // nothing to attach its rows to.
  if (Linhas.isEmpty()) {
    RegistrarInconsistencia(QString(), QString(), 0, 385);
    return false;
  }
  bool ok = true;
  bool empresa = false;
  for (int i = 0; i < int(Indice.size()); ++i) {
    const QString &t = Indice[i].TipoRegistro;
    if (i == 0 && t != QStringLiteral("00")) {
      Reportar(1, 385, QString());
      return false;
    }
    if (t == QStringLiteral("00"))
      empresa = false;
    else if (t == QStringLiteral("10"))
      empresa = true;
    else if (!empresa) {
      Reportar(i + 1, 385, QString());
      ok = false;
    }
  }
  return ok;
}

bool TArqChaveIdentificacao::ValidarEstrutura() {
  if (!MontarIndice() || !ValidarOrdem())
    return false;
  CodigoErro.clear();
  for (int i = 0; i < Linhas.size(); ++i) {
    ProximaLinha();
    const QString &l = Linhas[i];
    const TRegRegistro &e = Indice[i];
    const int n = i + 1;
    if (RTrim(l).size() != Tamanho) {
      Reportar(n, 410, QString());
      break;
    }
    // Inscription type and inscription of the line's establishment.
    bool tipoFalhou = false;
    if (e.TipoRegistro == QStringLiteral("10")) {
      Utilitarios.LerInteiro(e.TipoInscricao);
      if (!UltimoErro.isEmpty()) {
        Reportar(n, 11, QStringLiteral("Tipo de Inscrição: ") + e.TipoInscricao);
        tipoFalhou = true;
      }
    }
    Empresa->NU_TIPO_INSO_EMPRA = Utilitarios.ParaInteiro(e.TipoInscricao);
    if (!Empresa->ValidarTipoInscricao()) {
      if (!tipoFalhou)
        Reportar(n, Empresa->CodigoErro.toInt(), e.TipoInscricao);
      tipoFalhou = true;
    }
    Utilitarios.LerDecimal(e.Inscricao);
    if (!UltimoErro.isEmpty()) {
      Reportar(n, 11, QStringLiteral("Inscrição: ") + e.Inscricao);
    } else if (!tipoFalhou) {
      Empresa->NU_INSCRICAO = e.Inscricao;
      if (!Empresa->ValidarInscricao())
        Reportar(n, Empresa->CodigoErro.toInt(), e.Inscricao);
    }
    if (e.TipoRegistro == QStringLiteral("40")) {
      Utilitarios.LerDecimal(e.PIS);
      if (!UltimoErro.isEmpty()) {
        Reportar(n, 11, QStringLiteral("PIS/PASEP: ") + e.PIS);
      } else {
        Trabalhador->NU_PIS = e.PIS;
        if (!Trabalhador->ValidarPIS())
          Reportar(n, 109, e.PIS);
      }
      const QString admissao = LerCampo(l, LinhaTrabalhador[ctAdmissao]);
      switch (ConferirData(admissao, false)) {
      case TData::Anterior1900:
        Reportar(n, 43, admissao);
        break;
      case TData::NaoData:
        Reportar(n, 212, QString::fromUtf8(LinhaTrabalhador[ctAdmissao].Rotulo) + admissao);
        break;
      case TData::Valida:
        break;
      }
      Utilitarios.LerInteiro(e.Categoria);
      if (!UltimoErro.isEmpty())
        Reportar(n, 11, QStringLiteral("Categoria: ") + e.Categoria);
    }
    Avancar();
  }
  return CodigoErro.isEmpty();
}

bool TArqChaveIdentificacao::ValidarConteudo() {
  CodigoErro.clear();
  Etapa(5);
  Etapa(2);
  TRegChaveIdentificacao r;
  for (int i = 0; i < Linhas.size(); ++i) {
    ProximaLinha();
    const int n = i + 1;
    if (!r.Cortar(Linhas[i])) {
      ArquivoValido = false;
      break;
    }
    RegistroValido = true;
    switch (r.Tipo) {
    case 0:
      Responsavel->NU_TIPO_INSO_EMPRA = Utilitarios.ParaInteiro(r.Campo(chTipoInscricao));
      Responsavel->NU_INSCRICAO = r.Campo(chInscricao);
      Responsavel->NO_RAZAO_SOCIAL = RTrim(r.Campo(chNome));
      Responsavel->IC_ESTADO_EMPRESA = QStringLiteral("R");
      if (!Responsavel->ValidarRazaoSocial())
        Reportar(n, Responsavel->CodigoErro.toInt(), r.Campo(chNome));
      ValidarDigitos(r, chAplicativo, n);
      ValidarDigitos(r, chCodigoMensagem, n);
      ValidarDigitos(r, chSequencia, n);
      break;
    case 10:
      Empresa->NU_TIPO_INSO_EMPRA = Utilitarios.ParaInteiro(r.Campo(ceTipoInscricao));
      Empresa->NU_INSCRICAO = r.Campo(ceInscricao);
      Empresa->NO_RAZAO_SOCIAL = RTrim(r.Campo(ceNome));
      if (!Empresa->ValidarRazaoSocial())
        Reportar(n, Empresa->CodigoErro.toInt(), r.Campo(ceNome));
      ValidarDigitos(r, ceEstabelecimento, n);
      ValidarDigitos(r, ceIdentificadorGuia, n);
      ValidarDigitos(r, ceCodigoMensagem, n);
      ValidarDigitos(r, ceSequencia, n);
      break;
    case 40: {
      Trabalhador->NU_PIS = r.Campo(ctPIS);
      Trabalhador->NO_EMPREGADO = RTrim(r.Campo(ctNome));
      if (!Trabalhador->ValidarNome())
        Reportar(n, 93, r.Campo(ctNome));
      const QString movimento = r.Campo(ctDataMovimentacao);
      const QString rotulo = QString::fromUtf8(LinhaTrabalhador[ctDataMovimentacao].Rotulo);
      switch (ConferirData(movimento, true)) {
      case TData::Anterior1900:
        Reportar(n, 43, rotulo + movimento);
        break;
      case TData::NaoData:
        Reportar(n, 212, rotulo + movimento);
        break;
      case TData::Valida:
        break;
      }
      ValidarDigitos(r, ctCodigoMensagem, n, true);
      ValidarDigitos(r, ctSequencia, n);
      break;
    }
    }
    Avancar();
  }
  Etapa(6);
  return ArquivoValido;
}

bool TArqChaveIdentificacao::GravarBanco() {
  Etapa(3); // the content pass has already marked its step done (6)
  int linhaFalha = 0;
  QString conteudoFalha;
  QStringList gravadas;
  {
    TEscopoTransacao transacao(Ibx);
    TRegChaveIdentificacao r;
    for (int i = 0; i < Linhas.size() && linhaFalha == 0; ++i) {
      ProximaLinha();
      if (!r.Cortar(Linhas[i])) {
        linhaFalha = i + 1;
        break;
      }
      bool ok = true;
      switch (r.Tipo) {
      case 0: {
        TResponsavelHmlgo &h = *ResponsavelHmlgo;
        h.NU_TIPO_INSCRICAO_RESPONSA = Utilitarios.ParaInteiro(r.Campo(chTipoInscricao));
        h.NU_INSCRICAO_RESPONSAVEL = Utilitarios.ParaInteiro64(r.Campo(chInscricao));
        h.NO_RAZAO_SOCIAL = RTrim(r.Campo(chNome));
        h.IC_ESTADO_HMLGO = r.Campo(chEstado);
        h.TS_RETORNO_ARQUIVO = DataRetorno;
        h.CO_MENSAGEM = r.Campo(chCodigoMensagem);
        h.DE_MENSAGEM = Mensagem(r, chMensagem1, chMensagem2);
        ok = h.Incluir();
        if (ok)
          gravadas << h.NU_IDENTIFICADOR_ARQUIVO;
        break;
      }
      case 10: {
        TEmpresaHmlgo &e = *EmpresaHmlgo;
        e.NU_IDENTIFICADOR_ARQUIVO = ResponsavelHmlgo->NU_IDENTIFICADOR_ARQUIVO;
        e.NU_IDENTIFICADOR_GUIA = Utilitarios.ParaInteiro64(r.Campo(ceIdentificadorGuia));
        e.NU_TIPO_INSCRICAO_EMPRESA = Utilitarios.ParaInteiro(r.Campo(ceTipoInscricao));
        e.NU_INSCRICAO_EMPRESA = Utilitarios.ParaInteiro64(r.Campo(ceInscricao));
        e.NO_RAZAO_SOCIAL = RTrim(r.Campo(ceNome));
        e.NU_ESTABELECIMENTO = Utilitarios.ParaInteiro64(r.Campo(ceEstabelecimento));
        e.CO_MENSAGEM = r.Campo(ceCodigoMensagem);
        e.DE_MENSAGEM = Mensagem(r, ceMensagem1, ceMensagem2);
        e.NU_LINHA_ARQUIVO_EMPRESA = Utilitarios.ParaInteiro(r.Campo(ceSequencia));
        ok = e.Incluir();
        break;
      }
      case 40: {
        TEmpregadoHmlgo &t = *EmpregadoHmlgo;
        t.NU_IDENTIFICADOR_ARQUIVO = EmpresaHmlgo->NU_IDENTIFICADOR_ARQUIVO;
        t.NU_IDENTIFICADOR_GUIA = EmpresaHmlgo->NU_IDENTIFICADOR_GUIA;
        t.NU_ESTABELECIMENTO = EmpresaHmlgo->NU_ESTABELECIMENTO;
        t.NU_LINHA_ARQUIVO_EMPRESA = EmpresaHmlgo->NU_LINHA_ARQUIVO_EMPRESA;
        t.NU_PIS = Utilitarios.ParaInteiro64(r.Campo(ctPIS));
        t.DT_ADMISSAO = Utilitarios.TextoParaData(r.Campo(ctAdmissao), true);
        t.NU_CATEGORIA = Utilitarios.ParaInteiro(r.Campo(ctCategoria));
        t.NU_EMPREGADO = Utilitarios.ParaInteiro(r.Campo(ctCodigoTrabalhador));
        t.NU_LINHA_ARQUIVO_EMPREGADO = Utilitarios.ParaInteiro(r.Campo(ctSequencia));
        t.NO_EMPREGADO = RTrim(r.Campo(ctNome));
        t.CO_SAQUE = r.Campo(ctSaque);
        t.CO_HOMOLOGACAO_VORDA = r.Campo(ctChave);
        t.SG_BASE_DADOS = r.Campo(ctBase);
        t.CO_MENSAGEM = r.Campo(ctCodigoMensagem);
        t.DE_MENSAGEM = Mensagem(r, ctMensagem1, ctMensagem2);
        t.CO_MOVIMENTACAO = r.Campo(ctMovimentacao);
        t.DT_MOVIMENTACAO = Utilitarios.TextoParaData(r.Campo(ctDataMovimentacao), true);
        t.DT_VALIDADE_GUIA = Utilitarios.TextoParaData(r.Campo(ctValidadeGuia), true);
        ok = t.Incluir();
        break;
      }
      }
      if (!ok) {
        linhaFalha = i + 1;
        const int seq = r.Tipo == 0    ? int(chSequencia)
                        : r.Tipo == 10 ? int(ceSequencia)
                                       : int(ctSequencia);
        conteudoFalha = QString::fromUtf8(r.Tabela[seq].Rotulo) + r.Campo(seq);
        break;
      }
      Avancar();
    }
    if (linhaFalha == 0) {
      Etapa(7);
      // The previous list of inconsistencies goes in the same commit.
      ConcluirInconsistencias();
      transacao.Confirmar();
      CargasGravadas = gravadas;
      return true;
    }
  }
  // Rolled back: the row that could not be stored is reported after the
  // rollback, so that the report survives it.
  Reportar(linhaFalha, 144, conteudoFalha);
  CodigoErro = QStringLiteral("0144");
  return false;
}
