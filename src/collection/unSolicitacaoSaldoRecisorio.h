#pragma once
// The balance request: a fixed-layout file of 67-character lines that lists
// employers and their workers' links, for which the bank answers with the
// balance file. It is recorded as a sent file (kind 7) and sealed in the
// bank channel's envelope together with its business information.
#include "interchange/UnArquivo.h"
#include "interchange/unCampoArquivo.h"
#include "interchange/unRegRegistro.h"
#include "registry/unChaveVinculo.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

namespace LayoutSolicitacao {
inline constexpr int TamanhoRegistro = 67;

enum CampoCabecalho {
  scTipoRegistro,
  scTipoInscricao,
  scInscricao,
  scData,
  scServico,
  scBrancos,
  scVersao,
  scIdentificador,
  scSequencia
};
inline constexpr TCampoArquivo Cabecalho[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"TipoInscricao", 2, 1, TTipoCampoArquivo::Digitos, ""},
    {"Inscricao", 3, 14, TTipoCampoArquivo::Texto, ""}, // 14 digits, or 12 for a CEI
    {"Data", 17, 8, TTipoCampoArquivo::Data, ""},
    {"Servico", 25, 3, TTipoCampoArquivo::Texto, ""},
    {"Brancos", 28, 3, TTipoCampoArquivo::Brancos, ""},
    {"Versao", 31, 1, TTipoCampoArquivo::Digitos, ""},
    {"Identificador", 32, 30, TTipoCampoArquivo::Texto, ""},
    {"Sequencia", 62, 6, TTipoCampoArquivo::Digitos, ""},
};

enum CampoEmpresa {
  seTipoRegistro,
  seTipoInscricao,
  seInscricao,
  seBrancos1,
  seVersao,
  seBrancos2,
  seSequencia
};
inline constexpr TCampoArquivo Empresa[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"TipoInscricao", 2, 1, TTipoCampoArquivo::Digitos, ""},
    {"Inscricao", 3, 14, TTipoCampoArquivo::Digitos, ""},
    {"Brancos1", 17, 10, TTipoCampoArquivo::Brancos, ""},
    {"Versao", 27, 1, TTipoCampoArquivo::Digitos, ""},
    {"Brancos2", 28, 34, TTipoCampoArquivo::Brancos, ""},
    {"Sequencia", 62, 6, TTipoCampoArquivo::Digitos, ""},
};

enum CampoTrabalhador {
  stTipoRegistro,
  stTipoInscricao,
  stInscricao,
  stPIS,
  stCategoria,
  stAdmissao,
  stBrancos,
  stSequencia
};
inline constexpr TCampoArquivo Trabalhador[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"TipoInscricao", 2, 1, TTipoCampoArquivo::Digitos, ""},
    {"Inscricao", 3, 14, TTipoCampoArquivo::Digitos, ""},
    {"PIS", 17, 11, TTipoCampoArquivo::Digitos, ""},
    {"Categoria", 28, 2, TTipoCampoArquivo::Digitos, ""},
    {"Admissao", 30, 8, TTipoCampoArquivo::Data, ""},
    {"Brancos", 38, 24, TTipoCampoArquivo::Brancos, ""},
    {"Sequencia", 62, 6, TTipoCampoArquivo::Digitos, ""},
};

enum CampoTrailer { sxTipoRegistro, sxEmpresas, sxBrancos, sxSequencia };
inline constexpr TCampoArquivo Trailer[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"Empresas", 2, 6, TTipoCampoArquivo::Digitos, ""},
    {"Brancos", 8, 54, TTipoCampoArquivo::Brancos, ""},
    {"Sequencia", 62, 6, TTipoCampoArquivo::Digitos, ""},
};
} // namespace LayoutSolicitacao

class TSolicitacaoSaldoRecisorio : public TArquivo {
public:
  TSolicitacaoSaldoRecisorio();
  ~TSolicitacaoSaldoRecisorio() override;

  // The plain file inside the envelope.
  static constexpr const char *NomeArquivoPlano = "SolicitacaoIS.HX";

  // The request identifier of the last request built.
  QString Identificador;

  // How the request is sealed: builds the envelope `envelope` around the
  // files with the business information (name, value) in order; returns 0 on
  // success or the envelope's error code. By default the envelope layer seals
  // it; tests replace it. Left empty, the request stays as its plain file
  // beside the chosen name (see GravarSolicitacao).
  using TEnvelopar = std::function<int(const QString &envelope, const QStringList &arquivos,
                                       const QList<QPair<QString, QString>> &informacoes)>;
  static TEnvelopar Envelopar;

  // Builds the lines (header, employer and worker records, trailer) and the
  // identifier from the "40" entries of an index; other entries are ignored.
  bool MontarLinhas(const TArrRegRegistro &indice);
  // Writes, records and seals the request at the chosen envelope path; false
  // (CodigoErro set) when nothing was requested. Cancelling is the caller's:
  // an empty path gives false and writes nothing.
  bool GerarSolicitacao(const TArrRegRegistro &indice, const QString &caminhoEnvelope);
  // The protocol rows of kind 7, in one transaction: committed only when every
  // insert succeeded.
  bool RegistrarSolicitacao(const QString &identificador, const QString &nomeArquivo,
                            const TArrRegRegistro &indice);
  // Writes the plain file in the folder and seals it into the envelope.
  bool GravarSolicitacao(const QString &pasta, const QString &nomeEnvelope,
                         const QString &identificador, const QStringList &linhas,
                         const QString &nomePlano);
  // Deletes the protocol rows of a request (a request that could not be
  // written or sealed is not a sent file).
  void ExcluirRegistro(const QString &identificador);

  // The "40" entries of the stored links, by employer and then PIS,
  // admission and category: all of them, those of some employers, or some
  // links.
  static TArrRegRegistro IndiceVinculos(const QList<QPair<int, qint64>> &empresas = {},
                                        const QList<TChaveVinculo> &vinculos = {});

  // Whether the last successful request was sealed (false while no envelope
  // layer is installed: the plain file was written instead).
  bool Selada = false;
};
