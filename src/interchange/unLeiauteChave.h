#pragma once
// The record layout of the bank's identification-key occurrence file,
// declared once as tables of fields: 500-character lines, "00" header (the
// responsible party and the outcome of the file), "10" company, "40" worker.
// Dates are the bank's YYYYMMDD. The reader cuts its lines through these
// tables and the tests build theirs with MontarLinha over them.
#include "interchange/unCampoArquivo.h"

namespace LeiauteChave {

inline constexpr int Tamanho = 500;

using K = TTipoCampoArquivo;

// ------------------------------------------------------------------ "00" header
enum CampoCabecalho {
  chTipoRegistro,
  chTipoInscricao,
  chInscricao,
  chNome,
  chIdentificacao,
  chAplicativo,
  chNaoUsado,
  chEstado, // "0" no power of attorney, "1" accepted, "2" rejected
  chCodigoMensagem,
  chMensagem1,
  chMensagem2,
  chSequencia,
};

inline constexpr TCampoArquivo LinhaCabecalho[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},
    {"Nome", 18, 30, K::Texto, ""},
    {"Identificacao", 48, 20, K::Texto, "Identificação do Arquivo: "},
    {"Aplicativo", 68, 1, K::Digitos, "Código do Aplicativo: "},
    {"NaoUsado", 69, 81, K::Texto, ""},
    {"Estado", 150, 1, K::Texto, ""},
    {"CodigoMensagem", 151, 4, K::Digitos, "Código da Mensagem: "},
    {"Mensagem1", 155, 250, K::Texto, "Descrição da Mensagem: "},
    {"Mensagem2", 405, 91, K::Texto, "Descrição da Mensagem: "},
    {"Sequencia", 496, 5, K::Digitos, "Número Sequêncial: "},
};

// ------------------------------------------------------------------ "10" company
enum CampoEmpresa {
  ceTipoRegistro,
  ceTipoInscricaoResp,
  ceInscricaoResp,
  ceTipoInscricao,
  ceInscricao,
  ceNome,
  ceEstabelecimento,
  ceIdentificadorGuia,
  ceNaoUsado,
  ceCodigoMensagem,
  ceMensagem1,
  ceMensagem2,
  ceSequencia,
};

inline constexpr TCampoArquivo LinhaEmpresa[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricaoResp", 3, 1, K::Texto, ""},
    {"InscricaoResp", 4, 14, K::Texto, ""},
    {"TipoInscricao", 18, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 19, 14, K::Digitos, "Inscrição: "},
    {"Nome", 33, 40, K::Texto, ""},
    {"Estabelecimento", 73, 14, K::Digitos, "Código do Estabelecimento: "},
    {"IdentificadorGuia", 87, 17, K::Digitos, "Identificador VESK: "},
    {"NaoUsado", 104, 47, K::Texto, ""},
    {"CodigoMensagem", 151, 4, K::Digitos, "Código da Mensagem: "},
    {"Mensagem1", 155, 250, K::Texto, "Descrição da Mensagem: "},
    {"Mensagem2", 405, 91, K::Texto, "Descrição da Mensagem: "},
    {"Sequencia", 496, 5, K::Digitos, "Número Sequêncial: "},
};

// ------------------------------------------------------------------ "40" worker
enum CampoTrabalhador {
  ctTipoRegistro,
  ctTipoInscricaoResp,
  ctInscricaoResp,
  ctTipoInscricao,
  ctInscricao,
  ctPIS,
  ctAdmissao,
  ctCategoria,
  ctNome,
  ctCodigoTrabalhador,
  ctMovimentacao,
  ctDataMovimentacao,
  ctSaque,
  ctNaoUsado1,
  ctPensao,
  ctChave,
  ctValidadeGuia,
  ctNaoUsado2,
  ctBase,
  ctCodigoMensagem,
  ctMensagem1,
  ctMensagem2,
  ctSequencia,
};

inline constexpr TCampoArquivo LinhaTrabalhador[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricaoResp", 3, 1, K::Texto, ""},
    {"InscricaoResp", 4, 14, K::Texto, ""},
    {"TipoInscricao", 18, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 19, 14, K::Digitos, "Inscrição: "},
    {"PIS", 33, 11, K::Digitos, "PIS/PASEP: "},
    {"Admissao", 44, 8, K::DataAnoPrimeiro, "Data de Admissão: "},
    {"Categoria", 52, 2, K::Digitos, "Categoria: "},
    {"Nome", 54, 40, K::Texto, ""},
    {"CodigoTrabalhador", 94, 11, K::Texto, "Código do Trabalhador: "},
    {"Movimentacao", 105, 2, K::Texto, "Código de Movimentação: "},
    {"DataMovimentacao", 107, 8, K::DataAnoPrimeiro, "Data de Movimentação: "},
    {"Saque", 115, 2, K::Texto, "Código do Saque: "},
    {"NaoUsado1", 117, 1, K::Texto, ""},
    {"Pensao", 118, 1, K::Texto, "Indicativo de Pensão Alimenticia: "},
    {"Chave", 119, 23, K::Texto, "Chave de Identificação: "},
    {"ValidadeGuia", 142, 8, K::DataAnoPrimeiro, ""},
    {"NaoUsado2", 150, 1, K::Texto, ""},
    {"Base", 151, 2, K::Texto, ""},
    {"CodigoMensagem", 153, 4, K::Digitos, "Código da Mensagem: "},
    {"Mensagem1", 157, 250, K::Texto, "Descrição da Mensagem: "},
    {"Mensagem2", 407, 89, K::Texto, "Descrição da Mensagem: "},
    {"Sequencia", 496, 5, K::Digitos, "Número Sequêncial: "},
};

} // namespace LeiauteChave
