#include "UnArquivo.h"

#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"

#include <QDir>
#include <QFileInfo>

TArquivo::TArquivo() : Inconsistencia(std::make_unique<TInconsistencia>()) {}

TArquivo::~TArquivo() {
  Fechar();
  Linhas.clear();
}

bool TArquivo::ValidarCaminho(bool ExigirFechado) {
  if (NomeArquivo.trimmed().isEmpty())
    throw EArquivo(QStringLiteral("Caminho e Nome do Arquivo não informado."));
  const QString pasta = QFileInfo(NomeArquivo).absolutePath();
  if (pasta.isEmpty() || !QDir(pasta).exists())
    throw EArquivo(
        QStringLiteral("Caminho não existe ou é inválido. Verifique se o caminho está correto"));
  if (ExigirFechado && Aberto)
    throw EArquivo(QStringLiteral("Arquivo já aberto para leitura ou gravação."));
  return true;
}

bool TArquivo::Abrir() {
  try {
    ValidarCaminho(true);
    arquivo_.setFileName(NomeArquivo);
    if (!arquivo_.open(QIODevice::ReadOnly))
      throw EArquivo(arquivo_.errorString());
    Modo = u'L';
    Aberto = true;
    Linhas.clear();
    if (!CarregarLinhas())
      throw EArquivo(QStringLiteral("Falha na leitura do arquivo."));
    return true;
  } catch (...) {
    if (arquivo_.isOpen())
      arquivo_.close();
    Aberto = false;
    return false;
  }
}

bool TArquivo::CarregarLinhas() {
  if (!Aberto)
    throw EArquivo(QStringLiteral("Arquivo não aberto para Leitura."));
  if (Modo != u'L')
    throw EArquivo(
        QStringLiteral("Execução não permitida pois o Arquivo não está aberto para Leitura."));
  arquivo_.seek(0);
  const QByteArray dados = arquivo_.readAll();
  if (arquivo_.error() != QFileDevice::NoError)
    return false;
  // A line ends at CR LF, LF or a lone CR; the end of the file closes the
  // last line without adding an empty one.
  Linhas.clear();
  qsizetype inicio = 0;
  const qsizetype n = dados.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = dados.at(i);
    if (c != '\n' && c != '\r')
      continue;
    Linhas.append(DeWin1252(dados.mid(inicio, i - inicio)));
    if (c == '\r' && i + 1 < n && dados.at(i + 1) == '\n')
      ++i;
    inicio = i + 1;
  }
  if (inicio < n)
    Linhas.append(DeWin1252(dados.mid(inicio)));
  return true;
}

void TArquivo::Fechar() {
  if (!Aberto)
    return;
  arquivo_.close();
  Aberto = arquivo_.isOpen();
}

void TArquivo::ExcluirArquivo() {
  if (!NomeArquivo.isEmpty() && QFile::exists(NomeArquivo))
    QFile::remove(NomeArquivo);
}

bool TArquivo::LimparInconsistencias() {
  Inconsistencia->Limpar();
  Inconsistencia->NU_ARQUIVO = NumeroArquivo;
  return Inconsistencia->ExcluirPorArquivo();
}

void TArquivo::RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                                       int Mensagem, const QString &TipoInscResp,
                                       const QString &InscResp, const QString &NomeResp,
                                       const QString &TipoInscEmpresa, const QString &InscEmpresa,
                                       const QString &RazaoSocial, const QString &PIS,
                                       const QString &Categoria, const QString &DtAdmissao,
                                       const QString &NomeEmpregado) {
  TInconsistencia &i = *Inconsistencia;
  i.Limpar();
  i.NU_MENSAGEM = Mensagem;
  i.NU_ARQUIVO = NumeroArquivo;
  i.CO_REGISTRO = Registro;
  i.NU_LINHA_ERRO = Linha;
  i.DE_CONTEUDO_CAMPO = Conteudo;
  i.NU_TIPO_INSCRICAO_RSPNL_INCNA = TipoInscResp;
  i.NU_INSCRICAO_RSPNL_INCNA = InscResp;
  i.NO_RAZAO_SOCIAL_RSPNL_INCNA = NomeResp;
  i.NU_TIPO_INSCRICAO_EMPRESA = TipoInscEmpresa;
  i.NU_INSCRICAO_EMPRESA = InscEmpresa;
  i.NO_RAZAO_SOCIAL = RazaoSocial;
  i.CO_PIS_INCONSISTENCIA = PIS;
  i.CO_CATEGORIA_INCONSISTENCIA = Categoria;
  i.DT_ADMISSAO_INCONSISTENCIA = DtAdmissao; // stored as Null when not a date
  i.NO_EMPREGADO = NomeEmpregado;
  if (i.Gravar() == 396) {
    CodigoErro = QStringLiteral("0396");
    MensagemInexistente = Mensagem;
    throw EMensagemInexistente();
  }
  CodigoErro = QString::number(Mensagem).rightJustified(4, u'0');
}

bool TArquivo::Importar() {
  throw ENegocio(QStringLiteral("Importar não implementado."));
}

bool TArquivo::Processar() {
  throw ENegocio(QStringLiteral("Processar não implementado."));
}

void TArquivo::DefinirMaximo(int maximo) {
  if (Progresso)
    Progresso->DefinirMaximo(maximo);
}

void TArquivo::Avancar(bool AumentarMaximo) {
  if (Progresso)
    Progresso->Avancar(AumentarMaximo);
}

void TArquivo::Etapa(int codigo) {
  if (Progresso)
    Progresso->Etapa(codigo);
}
