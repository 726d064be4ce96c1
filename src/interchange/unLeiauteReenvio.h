#pragma once
// The record layouts of the resend of processed guides, declared once as
// tables of fields: the request we send (90-character lines: "0" header,
// "1" one guide, "9" trailer, each ending with its sequence number) and the
// bank's notice of refused guides (500-character lines, same record types;
// only the fields below are read, every other position is ignored).
#include "interchange/unCampoArquivo.h"

namespace LeiauteReenvio {

using K = TTipoCampoArquivo;

// ------------------------------------------------------------ the request
inline constexpr int TamanhoPedido = 90;

enum CampoPedidoCabecalho {
  pcTipoRegistro,
  pcData,
  pcServico,
  pcTipoInscricao,
  pcInscricao,
  pcNome,
  pcCertificado,
  pcIdentificador,
  pcSequencia,
};

inline constexpr TCampoArquivo PedidoCabecalho[] = {
    {"TipoRegistro", 1, 1, K::Digitos, ""},   {"Data", 2, 8, K::Data, ""},
    {"Servico", 10, 6, K::Texto, ""}, // "02ZELT"
    {"TipoInscricao", 16, 1, K::Digitos, ""}, {"Inscricao", 17, 14, K::Digitos, ""},
    {"Nome", 31, 21, K::Texto, ""},           {"Certificado", 52, 3, K::Texto, ""}, // "ICP"
    {"Identificador", 55, 30, K::Texto, ""},  {"Sequencia", 85, 6, K::Digitos, ""},
};

enum CampoPedidoGuia {
  pgTipoRegistro,
  pgTipoInscricao,
  pgInscricao,
  pgDataPagamento,
  pgCodigoBarras,
  pgBrancos,
  pgSequencia,
};

inline constexpr TCampoArquivo PedidoGuia[] = {
    {"TipoRegistro", 1, 1, K::Digitos, ""}, {"TipoInscricao", 2, 1, K::Digitos, ""},
    {"Inscricao", 3, 14, K::Digitos, ""},   {"DataPagamento", 17, 8, K::Data, ""},
    {"CodigoBarras", 25, 44, K::Texto, ""}, {"Brancos", 69, 16, K::Brancos, ""},
    {"Sequencia", 85, 6, K::Digitos, ""},
};

enum CampoPedidoTrailer {
  ptTipoRegistro,
  ptQuantidadeGuias,
  ptBrancos,
  ptSequencia,
};

inline constexpr TCampoArquivo PedidoTrailer[] = {
    {"TipoRegistro", 1, 1, K::Digitos, ""},
    {"QuantidadeGuias", 2, 8, K::Digitos, ""},
    {"Brancos", 10, 75, K::Brancos, ""},
    {"Sequencia", 85, 6, K::Digitos, ""},
};

// ------------------------------------------------------------- the notice
inline constexpr int TamanhoAviso = 500;

enum CampoAvisoCabecalho {
  acTipoRegistro,
  acData,
  acTipoInscricao,
  acInscricao,
  acNome,
  acIdentificador,
};

inline constexpr TCampoArquivo AvisoCabecalho[] = {
    {"TipoRegistro", 1, 1, K::Digitos, ""},   {"Data", 2, 8, K::Data, ""},
    {"TipoInscricao", 16, 1, K::Digitos, ""}, {"Inscricao", 17, 14, K::Digitos, ""},
    {"Nome", 31, 24, K::Texto, ""},           {"Identificador", 55, 30, K::Texto, ""},
};

enum CampoAvisoGuia {
  agTipoRegistro,
  agTipoInscricao,
  agInscricao,
  agDataPagamento,
  agCodigoBarras,
  agOcorrencia, // "00" none, "01" to "16" the reason of the refusal
};

inline constexpr TCampoArquivo AvisoGuia[] = {
    {"TipoRegistro", 1, 1, K::Digitos, ""},   {"TipoInscricao", 2, 1, K::Digitos, ""},
    {"Inscricao", 3, 14, K::Digitos, ""},     {"DataPagamento", 17, 8, K::Data, ""},
    {"CodigoBarras", 25, 44, K::Digitos, ""}, {"Ocorrencia", 91, 2, K::Digitos, ""},
};

enum CampoAvisoTrailer {
  atTipoRegistro,
  atQuantidadeGuias,
};

inline constexpr TCampoArquivo AvisoTrailer[] = {
    {"TipoRegistro", 1, 1, K::Digitos, ""},
    {"QuantidadeGuias", 2, 8, K::Digitos, ""},
};

} // namespace LeiauteReenvio
