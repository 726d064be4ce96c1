#pragma once
// The record layout of the termination collection file and of the bank's
// processed-guide return, declared once as tables of fields.
//
// Two forms of the same records exist:
//  - the file we send: every line 533 characters, the sequence number in
//    columns 528-533 (tables ...Enviado);
//  - the bank's return: every line 500 characters, the sequence number in
//    columns 495-500 (tables ...Retorno). The bank fills the bank, branch and
//    its two dates of the "10", shortens the consigned-loan and vacancy
//    fields of the "40" and puts 21 complement items on a line instead of 22.
//
// The guide reader takes every line, of either length, by the return tables:
// they are the positions it reads (a "10" is the exception: its sequence is
// taken from columns 527-532, which a 500-character line does not reach, so
// the field is empty there). The writer of the sent file builds its lines
// with MontarLinha over the sent tables, which cover all 533 columns.
//
// Each enumeration indexes the table of the same record; fields that both
// forms share keep the same index in both, so code that reads a shared field
// works on either form.
#include "interchange/unCampoArquivo.h"

namespace LeiauteRescisorio {

inline constexpr int TamanhoEnviado = 533;
inline constexpr int TamanhoRetorno = 500;

using K = TTipoCampoArquivo;

// ------------------------------------------------------------------ "00" header

enum CampoCabecalho {
  hdTipoRegistro,
  hdBrancos,
  hdTipoRemessa,
  hdCodigoServico,
  hdServico, // "ZELT"
  hdTipoInscricao,
  hdInscricao,
  hdNome,
  hdContato,
  hdLogradouro,
  hdBairro,
  hdCEP,
  hdMunicipio,
  hdUF,
  hdDDD,
  hdTelefone,
  hdEmail,
  hdVersao,
  hdFixo0T,
  hdDataRecolhimento,
  hdFixoMOLT,
  hdGeracao, // DDMMYYYYhhmmss
  hdZeros,
  hdIdentificador,
  hdFixoICP,
  hdBrancosFinais,
  hdReservado, // sent form: 33 blanks before the sequence
  hdSequencia,
};

inline constexpr TCampoArquivo CabecalhoEnviado[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"Brancos", 3, 51, K::Brancos, ""},
    {"TipoRemessa", 54, 1, K::Digitos, "Tipo Remessa: "},
    {"CodigoServico", 55, 2, K::Digitos, "Código de Serviço: "},
    {"Servico", 57, 4, K::Texto, ""},
    {"TipoInscricao", 61, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 62, 14, K::Digitos, "Inscrição: "},
    {"Nome", 76, 30, K::Texto, ""},
    {"Contato", 106, 20, K::Texto, ""},
    {"Logradouro", 126, 50, K::Texto, ""},
    {"Bairro", 176, 20, K::Texto, ""},
    {"CEP", 196, 8, K::Digitos, "CEP: "},
    {"Municipio", 204, 20, K::Texto, ""},
    {"UF", 224, 2, K::Texto, ""},
    {"DDD", 226, 4, K::Digitos, "Telefone: "},
    {"Telefone", 230, 8, K::Digitos, "Telefone: "},
    {"Email", 238, 60, K::Texto, ""},
    {"Versao", 298, 5, K::Digitos, ""},
    {"Fixo0T", 303, 2, K::Texto, ""},
    {"DataRecolhimento", 305, 8, K::Data, "Data Recolhimento: "},
    {"FixoMOLT", 313, 6, K::Texto, ""},
    {"Geracao", 319, 14, K::Digitos, ""},
    {"Zeros", 333, 8, K::Zeros, ""},
    {"Identificador", 341, 30, K::Texto, ""},
    {"FixoICP", 371, 3, K::Texto, ""},
    {"BrancosFinais", 374, 121, K::Brancos, ""},
    {"Reservado", 495, 33, K::Brancos, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

inline constexpr TCampoArquivo CabecalhoRetorno[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"Brancos", 3, 51, K::Brancos, ""},
    {"TipoRemessa", 54, 1, K::Digitos, "Tipo Remessa: "},
    {"CodigoServico", 55, 2, K::Digitos, "Código de Serviço: "},
    {"Servico", 57, 4, K::Texto, ""},
    {"TipoInscricao", 61, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 62, 14, K::Digitos, "Inscrição: "},
    {"Nome", 76, 30, K::Texto, ""},
    {"Contato", 106, 20, K::Texto, ""},
    {"Logradouro", 126, 50, K::Texto, ""},
    {"Bairro", 176, 20, K::Texto, ""},
    {"CEP", 196, 8, K::Digitos, "CEP: "},
    {"Municipio", 204, 20, K::Texto, ""},
    {"UF", 224, 2, K::Texto, ""},
    {"DDD", 226, 4, K::Digitos, "Telefone: "},
    {"Telefone", 230, 8, K::Digitos, "Telefone: "},
    {"Email", 238, 60, K::Texto, ""},
    {"Versao", 298, 5, K::Texto, ""}, // not examined by the reader
    {"Fixo0T", 303, 2, K::Texto, ""},
    {"DataRecolhimento", 305, 8, K::Data, "Data Recolhimento: "},
    {"FixoMOLT", 313, 6, K::Texto, ""},
    {"Geracao", 319, 14, K::Texto, ""},
    {"Zeros", 333, 8, K::Texto, ""},
    {"Identificador", 341, 30, K::Texto, ""},
    {"FixoICP", 371, 3, K::Texto, ""},
    {"BrancosFinais", 374, 121, K::Texto, ""}, // not examined
    {"Reservado", 495, 0, K::Texto, ""},       // the sent form's 33 blanks: absent
    {"Sequencia", 495, 6, K::Digitos, "Número Sequêncial: "},
};

// ------------------------------------------------------------------ "10" company guide

enum CampoEmpresa {
  emTipoRegistro,
  emTipoInscricao,
  emInscricao,
  emZeros,
  emRazaoSocial,
  emLogradouro,
  emBairro,
  emCEP,
  emMunicipio,
  emUF,
  emDDD,
  emTelefone,
  emSimples,
  emFPAS,
  emCNAE,
  emCodigoBarras,
  emBanco,
  emAgencia,
  emDataQuitacao,      // YYYYMMDD, filled by the bank
  emDataProcessamento, // YYYYMMDD, filled by the bank
  emDigitos,           // sent form: the four check digits of the bar code blocks
  emBrancos,
  emReservado,
  emSequencia,
};

inline constexpr TCampoArquivo EmpresaEnviado[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},
    {"Zeros", 18, 36, K::Zeros, ""},
    {"RazaoSocial", 54, 40, K::Texto, ""},
    {"Logradouro", 94, 50, K::Texto, ""},
    {"Bairro", 144, 20, K::Texto, ""},
    {"CEP", 164, 8, K::Digitos, "CEP: "},
    {"Municipio", 172, 20, K::Texto, ""},
    {"UF", 192, 2, K::Texto, ""},
    {"DDD", 194, 4, K::Digitos, "Telefone: "},
    {"Telefone", 198, 8, K::Digitos, "Telefone: "},
    {"Simples", 206, 1, K::Digitos, "Simples: "},
    {"FPAS", 207, 3, K::Digitos, "FPAS: "},
    {"CNAE", 210, 7, K::Digitos, "CNAE: "},
    {"CodigoBarras", 217, 44, K::Digitos, ""},
    {"Banco", 261, 3, K::Zeros, ""},
    {"Agencia", 264, 5, K::Zeros, ""},
    {"DataQuitacao", 269, 8, K::Zeros, ""},
    {"DataProcessamento", 277, 8, K::Zeros, ""},
    {"Digitos", 285, 4, K::Digitos, ""},
    {"Brancos", 289, 206, K::Brancos, ""},
    {"Reservado", 495, 33, K::Brancos, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

inline constexpr TCampoArquivo EmpresaRetorno[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},
    {"Zeros", 18, 36, K::Zeros, ""},
    {"RazaoSocial", 54, 40, K::Texto, ""},
    {"Logradouro", 94, 50, K::Texto, ""},
    {"Bairro", 144, 20, K::Texto, ""},
    {"CEP", 164, 8, K::Digitos, "CEP: "},
    {"Municipio", 172, 20, K::Texto, ""},
    {"UF", 192, 2, K::Texto, ""},
    {"DDD", 194, 4, K::Digitos, "Telefone: "},
    {"Telefone", 198, 8, K::Digitos, "Telefone: "},
    {"Simples", 206, 1, K::Digitos, "Simples: "},
    {"FPAS", 207, 3, K::Digitos, "FPAS: "},
    {"CNAE", 210, 7, K::Digitos, "CNAE: "},
    {"CodigoBarras", 217, 44, K::Digitos, ""},
    {"Banco", 261, 3, K::Digitos, "Banco: "},
    {"Agencia", 264, 5, K::Digitos, "Agência: "},
    {"DataQuitacao", 269, 8, K::DataAnoPrimeiro, "Data Recolhimento: "},
    {"DataProcessamento", 277, 8, K::DataAnoPrimeiro, "Data Processamento: "},
    {"Digitos", 285, 0, K::Texto, ""}, // the sent form's check digits: absent
    {"Brancos", 285, 210, K::Brancos, ""},
    {"Reservado", 495, 32, K::Texto, ""}, // the bank's; not examined
    // Taken from 527-532 (not 528-533); a 500-character line ends before it.
    {"Sequencia", 527, 6, K::Digitos, "Número Sequêncial: "},
};

// ------------------------------------------------------------------ "40" employment link

enum CampoVinculo {
  vnTipoRegistro,
  vnTipoInscricao,
  vnInscricao,
  vnTipoInscricaoTomador,
  vnInscricaoTomador,
  vnPIS,
  vnDataAdmissao,
  vnCategoria,
  vnNome,
  vnAlteracaoCadastral,
  vnCTPS,
  vnSerieCTPS,
  vnDataOpcao,
  vnDataNascimento,
  vnDataMovimentacao,
  vnCodigoMovimentacao,
  vnDataDissidio,
  vnAvisoPrevio,
  vnCBO,
  vnSexo,
  vnGrauInstrucao,
  vnHorasSemanais,
  vnCodigoSaque,
  vnDataInicioAviso,
  vnReposicaoVagas,
  vnValorDissidio,
  vnTipoPensao,
  vnPercentualPensao,
  vnValorPensao,
  vnCPF,
  vnBanco,
  vnAgencia,
  vnConta,
  vnDataDevidaAnterior,
  vnRemuneracaoAnterior,
  vnDataDevidaRescisao,
  vnRemuneracaoRescisao,
  vnDataDevidaAviso,
  vnAvisoIndenizado,
  vnDataDevidaMulta,
  vnBaseMulta,
  vnConsignado,
  vnReposicaoVaga,
  vnInstituicao,
  vnContrato,
  vnDataContrato, // sent form only
  vnVagaPNE,
  vnDDDRecrutador,
  vnTelefoneRecrutador,
  vnEmailVaga,
  vnCBOReposicao,
  vnDDDCelular,
  vnCelular,
  vnBrancos,
  vnSequencia,
};

// Columns 1-353 are the same in both forms.
#define LEIAUTE_RESCISORIO_VINCULO_COMUM                                                           \
  {"TipoRegistro", 1, 2, K::Digitos, ""},                                                          \
      {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},                                  \
      {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},                                             \
      {"TipoInscricaoTomador", 18, 1, K::Digitos, "Tipo Inscrição Tomador: "},                     \
      {"InscricaoTomador", 19, 14, K::Digitos, "Inscrição Tomador: "},                             \
      {"PIS", 33, 11, K::Digitos, "PIS/PASEP: "},                                                  \
      {"DataAdmissao", 44, 8, K::Data, "Data de Admissão: "},                                      \
      {"Categoria", 52, 2, K::Digitos, "Categoria: "}, {"Nome", 54, 70, K::Texto, ""},             \
      {"AlteracaoCadastral", 124, 1, K::Texto, ""}, {"CTPS", 125, 7, K::Digitos, "Número CTPS: "}, \
      {"SerieCTPS", 132, 5, K::Digitos, "Serie CTPS: "},                                           \
      {"DataOpcao", 137, 8, K::Data, "Data Opção: "},                                              \
      {"DataNascimento", 145, 8, K::Data, "Data Nascimento: "},                                    \
      {"DataMovimentacao", 153, 8, K::Data, "Data Movimento: "},                                   \
      {"CodigoMovimentacao", 161, 2, K::Texto, ""},                                                \
      {"DataDissidio", 163, 8, K::Data, "Data Dissídio: "},                                        \
      {"AvisoPrevio", 171, 1, K::Digitos, "Aviso: "}, {"CBO", 172, 6, K::Texto, ""},               \
      {"Sexo", 178, 1, K::Digitos, "Sexo: "},                                                      \
      {"GrauInstrucao", 179, 2, K::Digitos, "Grau Instrução: "},                                   \
      {"HorasSemanais", 181, 2, K::Digitos, "Horas Trabalhadas: "},                                \
      {"CodigoSaque", 183, 3, K::Texto, ""}, {"DataInicioAviso", 186, 8, K::Data, "Data Aviso: "}, \
      {"ReposicaoVagas", 194, 1, K::Texto, ""},                                                    \
      {"ValorDissidio", 195, 15, K::Valor, "Valor Dissídio: "},                                    \
      {"TipoPensao", 210, 1, K::Texto, ""},                                                        \
      {"PercentualPensao", 211, 5, K::Valor, "Valor Percentual da Pensão: "},                      \
      {"ValorPensao", 216, 15, K::Valor, "Valor da Pensão: "},                                     \
      {"CPF", 231, 11, K::Digitos, "CPF: "}, {"Banco", 242, 3, K::Digitos, "Banco: "},             \
      {"Agencia", 245, 4, K::Digitos, "Agência: "},                                                \
      {"Conta", 249, 13, K::Digitos, "Conta Corrente: "},                                          \
      {"DataDevidaAnterior", 262, 8, K::Data, "Data Recolhimento Mês Anterior: "},                 \
      {"RemuneracaoAnterior", 270, 15, K::Valor, "Valor Remuneração do Mês Anterior: "},           \
      {"DataDevidaRescisao", 285, 8, K::Data, ""},                                                 \
      {"RemuneracaoRescisao", 293, 15, K::Valor, "Valor Remuneração do Mês Rescisório: "},         \
      {"DataDevidaAviso", 308, 8, K::Data, "Data Devida Aviso Prévio Indenizado: "},               \
      {"AvisoIndenizado", 316, 15, K::Valor, "Valor Aviso Indenizado: "},                          \
      {"DataDevidaMulta", 331, 8, K::Data, ""}, {                                                  \
    "BaseMulta", 339, 15, K::Valor, ""                                                             \
  }

inline constexpr TCampoArquivo VinculoEnviado[] = {
    LEIAUTE_RESCISORIO_VINCULO_COMUM,
    {"Consignado", 354, 1, K::Texto, ""},
    {"ReposicaoVaga", 355, 1, K::Texto, ""},
    {"Instituicao", 356, 5, K::Texto, ""},
    {"Contrato", 361, 40, K::Texto, ""},
    {"DataContrato", 401, 8, K::Data, ""},
    {"VagaPNE", 409, 1, K::Texto, ""},
    {"DDDRecrutador", 410, 2, K::Digitos, ""},
    {"TelefoneRecrutador", 412, 9, K::Digitos, ""},
    {"EmailVaga", 421, 60, K::Texto, ""},
    {"CBOReposicao", 481, 6, K::Texto, ""},
    {"DDDCelular", 487, 2, K::Digitos, ""},
    {"Celular", 489, 9, K::Digitos, ""},
    {"Brancos", 498, 30, K::Brancos, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

// The bank's form of columns 354 on; the reader does not examine them.
inline constexpr TCampoArquivo VinculoRetorno[] = {
    LEIAUTE_RESCISORIO_VINCULO_COMUM,
    {"Consignado", 354, 1, K::Texto, ""},
    {"ReposicaoVaga", 355, 1, K::Texto, ""},
    {"Instituicao", 356, 5, K::Texto, ""},
    {"Contrato", 361, 15, K::Texto, ""},
    {"DataContrato", 376, 0, K::Texto, ""}, // absent from the bank's form
    {"VagaPNE", 376, 1, K::Texto, ""},
    {"DDDRecrutador", 377, 2, K::Texto, ""},
    {"TelefoneRecrutador", 379, 9, K::Texto, ""},
    {"EmailVaga", 388, 60, K::Texto, ""},
    {"CBOReposicao", 448, 6, K::Texto, ""},
    {"DDDCelular", 454, 2, K::Texto, ""},
    {"Celular", 456, 9, K::Texto, ""},
    {"Brancos", 465, 30, K::Brancos, ""},
    {"Sequencia", 495, 6, K::Digitos, "Número Sequêncial: "},
};
#undef LEIAUTE_RESCISORIO_VINCULO_COMUM

// ------------------------------------------------------------------ "42" computed amounts

inline constexpr int QuantidadeValores = 20;

// The twenty amounts are four blocks (month before the termination,
// termination month, indemnified notice, termination fine), each deposit,
// JAM, late charge, social contribution, late charge on the contribution.
enum CampoValores {
  vlTipoRegistro,
  vlTipoInscricao,
  vlInscricao,
  vlTipoInscricaoTomador,
  vlInscricaoTomador,
  vlPIS,
  vlDataAdmissao,
  vlCategoria,
  vlValor01, // first of the twenty; amount k is vlValor01 + k - 1
  vlBrancos = vlValor01 + QuantidadeValores,
  vlReservado,
  vlSequencia,
};

// What each of the five amounts of a block is.
enum ParcelaBloco { pbDeposito, pbJAM, pbMulta, pbContribuicao, pbMultaContribuicao };

#define LEIAUTE_RESCISORIO_CHAVE_VINCULO                                                           \
  {"TipoRegistro", 1, 2, K::Digitos, ""},                                                          \
      {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},                                  \
      {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},                                             \
      {"TipoInscricaoTomador", 18, 1, K::Digitos, "Tipo Inscrição Tomador: "},                     \
      {"InscricaoTomador", 19, 14, K::Digitos, "Inscrição Tomador: "},                             \
      {"PIS", 33, 11, K::Digitos, "PIS/PASEP: "},                                                  \
      {"DataAdmissao", 44, 8, K::Data, "Data de Admissão: "}, {                                    \
    "Categoria", 52, 2, K::Digitos, "Categoria: "                                                  \
  }

#define LEIAUTE_RESCISORIO_VALORES                                                                 \
  {"DepositoAnterior", 54, 13, K::Valor, "Depósito ZELT Mês Anterior: "},                          \
      {"JAMAnterior", 67, 13, K::Valor, "JAM Calculado Mês Anterior: "},                           \
      {"MultaAnterior", 80, 13, K::Valor, "Multa Mês Anterior: "},                                 \
      {"ContribuicaoAnterior", 93, 13, K::Valor, "Contribuição Social Mês Anterior: "},            \
      {"MultaContribuicaoAnterior", 106, 13, K::Valor,                                             \
       "Multa Contribuição Social Mês Anterior: "},                                                \
      {"DepositoRescisao", 119, 13, K::Valor, "Depósito ZELT Mês Rescisão: "},                     \
      {"JAMRescisao", 132, 13, K::Valor, "JAM Calculado Mês Rescisão: "},                          \
      {"MultaRescisao", 145, 13, K::Valor, "Multa Mês Rescisão: "},                                \
      {"ContribuicaoRescisao", 158, 13, K::Valor, "Contribuição Social Mês Rescisão: "},           \
      {"MultaContribuicaoRescisao", 171, 13, K::Valor,                                             \
       "Multa Contribuição Social Mês Rescisão: "},                                                \
      {"DepositoAviso", 184, 13, K::Valor, "Depósito ZELT Aviso Prévio: "},                        \
      {"JAMAviso", 197, 13, K::Valor, "JAM Calculado Aviso Prévio: "},                             \
      {"MultaAviso", 210, 13, K::Valor, "Multa Aviso Prévio: "},                                   \
      {"ContribuicaoAviso", 223, 13, K::Valor, "Contribuição Social Aviso Prévio: "},              \
      {"MultaContribuicaoAviso", 236, 13, K::Valor, "Multa Contribuição Social Aviso Prévio: "},   \
      {"DepositoMulta", 249, 13, K::Valor, "Depósito ZELT Multa Rescisória: "},                    \
      {"JAMMulta", 262, 13, K::Valor, "JAM Calculado Multa Rescisória: "},                         \
      {"MultaMulta", 275, 13, K::Valor, "Multa Multa Rescisória: "},                               \
      {"ContribuicaoMulta", 288, 13, K::Valor, "Contribuição Social Multa Rescisória: "}, {        \
    "MultaContribuicaoMulta", 301, 13, K::Valor, "Multa Contribuição Social Multa Rescisória: " \
  }

inline constexpr TCampoArquivo ValoresEnviado[] = {
    LEIAUTE_RESCISORIO_CHAVE_VINCULO,
    LEIAUTE_RESCISORIO_VALORES,
    {"Brancos", 314, 181, K::Brancos, ""},
    {"Reservado", 495, 33, K::Brancos, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

inline constexpr TCampoArquivo ValoresRetorno[] = {
    LEIAUTE_RESCISORIO_CHAVE_VINCULO,
    LEIAUTE_RESCISORIO_VALORES,
    {"Brancos", 314, 181, K::Brancos, ""},
    {"Reservado", 495, 0, K::Texto, ""},
    {"Sequencia", 495, 6, K::Digitos, "Número Sequêncial: "},
};
#undef LEIAUTE_RESCISORIO_VALORES

// ------------------------------------------------------------------ "44" to "46" balance
// complements

// The key part (columns 1-53, as in "42"), then the items: year and month
// (6) and the deposit in centavos (15) each. The sent form has room for 22
// items and fills what is left up to column 527 with zeros; the bank's form
// holds 21 items and the sequence right after them.
enum CampoComplemento {
  cpTipoRegistro,
  cpTipoInscricao,
  cpInscricao,
  cpTipoInscricaoTomador,
  cpInscricaoTomador,
  cpPIS,
  cpDataAdmissao,
  cpCategoria,
  cpItens,
  cpSequencia,
};

inline constexpr int TamanhoItemComplemento = 21;
inline constexpr int ItensComplementoEnviado = 22;
inline constexpr int ItensComplementoRetorno = 21;

inline constexpr TCampoArquivo ComplementoEnviado[] = {
    LEIAUTE_RESCISORIO_CHAVE_VINCULO,
    // the items, then zeros up to column 527
    {"Itens", 54, 474, K::Texto, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

inline constexpr TCampoArquivo ComplementoRetorno[] = {
    LEIAUTE_RESCISORIO_CHAVE_VINCULO,
    {"Itens", 54, 441, K::Texto, ""},
    {"Sequencia", 495, 6, K::Digitos, "Número Sequêncial: "},
};
#undef LEIAUTE_RESCISORIO_CHAVE_VINCULO

// One item, its columns relative to the item's first column (1 = first).
enum CampoItemComplemento { icCompetencia, icValor };
inline constexpr TCampoArquivo ItemComplemento[] = {
    {"Competencia", 1, 6, K::Digitos, "Competência: "}, // YYYYMM
    {"Valor", 7, 15, K::Valor, "Valor da Competência: "},
};

// The 1-based first column of item k (0-based) of a complement line.
inline constexpr int InicioItemComplemento(int k) {
  return 54 + TamanhoItemComplemento * k;
}

// ------------------------------------------------------------------ "80" company trailer

enum CampoTrailerEmpresa {
  teTipoRegistro,
  teTipoInscricao,
  teInscricao,
  teNoves,
  teDeposito,
  teJAM,
  teMulta,
  teContribuicao,
  teMultaContribuicao,
  teRemuneracao,
  teBaseMulta,
  teQtd40,
  teQtd42,
  teQtd44,
  teQtd45,
  teQtd46,
  teQtd50,
  teQtd51,
  teBrancos1,
  teBrancos2,
  teReservado,
  teSequencia,
};

#define LEIAUTE_RESCISORIO_TRAILER_EMPRESA                                                         \
  {"TipoRegistro", 1, 2, K::Digitos, ""}, {"TipoInscricao", 3, 1, K::Digitos, ""},                 \
      {"Inscricao", 4, 14, K::Digitos, ""}, {"Noves", 18, 36, K::Digitos, ""},                     \
      {"Deposito", 54, 15, K::Valor, "Depósito ZELT: "},                                           \
      {"JAM", 69, 15, K::Valor, "JAM Calculado: "}, {"Multa", 84, 15, K::Valor, "Multa: "},        \
      {"Contribuicao", 99, 15, K::Valor, "Contribução Social: "},                                  \
      {"MultaContribuicao", 114, 15, K::Valor, "Multa Contribução Social: "},                      \
      {"Remuneracao", 129, 15, K::Valor, "Remuneração: "},                                         \
      {"BaseMulta", 144, 15, K::Valor, "Saldo Rescisório: "},                                      \
      {"Qtd40", 159, 6, K::Digitos, "Quantidade de Registro tipo 40: "},                           \
      {"Qtd42", 165, 6, K::Digitos, "Quantidade de Registro tipo 42: "},                           \
      {"Qtd44", 171, 6, K::Digitos, "Quantidade de Registro tipo 44: "},                           \
      {"Qtd45", 177, 6, K::Digitos, "Quantidade de Registro tipo 45: "},                           \
      {"Qtd46", 183, 6, K::Digitos, "Quantidade de Registro tipo 46: "},                           \
      {"Qtd50", 189, 6, K::Digitos, "Quantidade de Registro tipo 50: "},                           \
      {"Qtd51", 195, 6, K::Digitos, "Quantidade de Registro tipo 51: "},                           \
      {"Brancos1", 201, 147, K::Brancos, ""}, {                                                    \
    "Brancos2", 348, 147, K::Brancos, ""                                                           \
  }

inline constexpr TCampoArquivo TrailerEmpresaEnviado[] = {
    LEIAUTE_RESCISORIO_TRAILER_EMPRESA,
    {"Reservado", 495, 33, K::Brancos, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

inline constexpr TCampoArquivo TrailerEmpresaRetorno[] = {
    LEIAUTE_RESCISORIO_TRAILER_EMPRESA,
    {"Reservado", 495, 0, K::Texto, ""},
    {"Sequencia", 495, 6, K::Digitos, "Número Sequêncial: "},
};
#undef LEIAUTE_RESCISORIO_TRAILER_EMPRESA

// ------------------------------------------------------------------ "90" trailer

enum CampoTrailer {
  trTipoRegistro,
  trNoves,
  trRemuneracao,
  trDeposito,
  trJAM,
  trMulta,
  trContribuicao,
  trMultaContribuicao,
  trQtd40,
  trQtd42,
  trQtd44,
  trQtd45,
  trQtd46,
  trQtd50,
  trQtd51,
  trBrancos1,
  trBrancos2,
  trReservado,
  trSequencia,
};

#define LEIAUTE_RESCISORIO_TRAILER                                                                 \
  {"TipoRegistro", 1, 2, K::Digitos, ""}, {"Noves", 3, 51, K::Digitos, ""},                        \
      {"Remuneracao", 54, 17, K::Valor, "Total Remuneração: "},                                    \
      {"Deposito", 71, 16, K::Valor, "Total Depósito ZELT: "},                                     \
      {"JAM", 87, 15, K::Valor, "Total JAM Calculado: "},                                          \
      {"Multa", 102, 15, K::Valor, "Total Multa: "},                                               \
      {"Contribuicao", 117, 15, K::Valor, "Total Contribução Social: "},                           \
      {"MultaContribuicao", 132, 15, K::Valor, "Total Multa Contribução Social: "},                \
      {"Qtd40", 147, 6, K::Digitos, "Quantidade de Registro tipo 40: "},                           \
      {"Qtd42", 153, 6, K::Digitos, "Quantidade de Registro tipo 42: "},                           \
      {"Qtd44", 159, 6, K::Digitos, "Quantidade de Registro tipo 44: "},                           \
      {"Qtd45", 165, 6, K::Digitos, "Quantidade de Registro tipo 45: "},                           \
      {"Qtd46", 171, 6, K::Digitos, "Quantidade de Registro tipo 46: "},                           \
      {"Qtd50", 177, 6, K::Digitos, "Quantidade de Registro tipo 50: "},                           \
      {"Qtd51", 183, 6, K::Digitos, "Quantidade de Registro tipo 51: "},                           \
      {"Brancos1", 189, 153, K::Brancos, ""}, {                                                    \
    "Brancos2", 342, 153, K::Brancos, ""                                                           \
  }

inline constexpr TCampoArquivo TrailerEnviado[] = {
    LEIAUTE_RESCISORIO_TRAILER,
    {"Reservado", 495, 33, K::Brancos, ""},
    {"Sequencia", 528, 6, K::Digitos, "Número Sequêncial: "},
};

inline constexpr TCampoArquivo TrailerRetorno[] = {
    LEIAUTE_RESCISORIO_TRAILER,
    {"Reservado", 495, 0, K::Texto, ""},
    {"Sequencia", 495, 6, K::Digitos, "Número Sequêncial: "},
};
#undef LEIAUTE_RESCISORIO_TRAILER

// ------------------------------------------------------------------ record types

enum TipoRegistro {
  rgCabecalho = 0,
  rgEmpresa = 10,
  rgVinculo = 40,
  rgValores = 42,
  rgComplemento1 = 44,
  rgComplemento2 = 45,
  rgComplemento3 = 46,
  rgTrailerEmpresa = 80,
  rgTrailer = 90,
};

// A record type's table in one form.
struct TTabelaRegistro {
  const TCampoArquivo *Campos = nullptr;
  int Quantidade = 0;
};

template <size_t N> constexpr TTabelaRegistro Tabela(const TCampoArquivo (&c)[N]) {
  return {c, static_cast<int>(N)};
}

// Each record type with its two forms.
struct TFormasRegistro {
  int Tipo;
  TTabelaRegistro Enviado, Retorno;
};
inline constexpr TFormasRegistro Registros[] = {
    {rgCabecalho, Tabela(CabecalhoEnviado), Tabela(CabecalhoRetorno)},
    {rgEmpresa, Tabela(EmpresaEnviado), Tabela(EmpresaRetorno)},
    {rgVinculo, Tabela(VinculoEnviado), Tabela(VinculoRetorno)},
    {rgValores, Tabela(ValoresEnviado), Tabela(ValoresRetorno)},
    {rgComplemento1, Tabela(ComplementoEnviado), Tabela(ComplementoRetorno)},
    {rgComplemento2, Tabela(ComplementoEnviado), Tabela(ComplementoRetorno)},
    {rgComplemento3, Tabela(ComplementoEnviado), Tabela(ComplementoRetorno)},
    {rgTrailerEmpresa, Tabela(TrailerEmpresaEnviado), Tabela(TrailerEmpresaRetorno)},
    {rgTrailer, Tabela(TrailerEnviado), Tabela(TrailerRetorno)},
};

// The table of a record type in one form (empty for a type outside the layout).
constexpr TTabelaRegistro TabelaRegistro(int tipo, bool Enviado) {
  for (const TFormasRegistro &r : Registros)
    if (r.Tipo == tipo)
      return Enviado ? r.Enviado : r.Retorno;
  return {};
}
constexpr TTabelaRegistro TabelaEnviado(int tipo) {
  return TabelaRegistro(tipo, true);
}
constexpr TTabelaRegistro TabelaRetorno(int tipo) {
  return TabelaRegistro(tipo, false);
}

} // namespace LeiauteRescisorio
