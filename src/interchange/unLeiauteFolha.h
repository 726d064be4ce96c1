#pragma once
// The record layout of the payroll file, declared once as tables of fields:
// 360-character lines ending in "*", "00" header (the responsible party and
// the collection date), "10" company, "40" worker with link and termination,
// "43" to "45" remuneration complements, "90" trailer. The label of a field
// opens the content of its digits or date failure. The import cuts its
// lines through these tables.
#include "interchange/unCampoArquivo.h"

namespace LeiauteFolha {

inline constexpr int Tamanho = 360;

using K = TTipoCampoArquivo;

// ------------------------------------------------------------------ "00" header
enum CampoCabecalho {
  fcTipoRegistro,
  fcBrancos1,
  fcRemessa,
  fcTipoInscricao,
  fcInscricao,
  fcNome,
  fcContato,
  fcLogradouro,
  fcBairro,
  fcCep,
  fcCidade,
  fcUF,
  fcTelefone, // area code (first 4) and number (last 8)
  fcEmail,
  fcDataRecolhimento,
  fcBrancos2,
  fcFim,
};

inline constexpr TCampoArquivo Cabecalho[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"Brancos1", 3, 51, K::Brancos, ""},
    {"Remessa", 54, 1, K::Digitos, "Tipo Remessa: "},
    {"TipoInscricao", 55, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 56, 14, K::Digitos, "Inscrição: "},
    {"Nome", 70, 30, K::Texto, ""},
    {"Contato", 100, 20, K::Texto, ""},
    {"Logradouro", 120, 50, K::Texto, ""},
    {"Bairro", 170, 20, K::Texto, ""},
    {"Cep", 190, 8, K::Digitos, "CEP: "},
    {"Cidade", 198, 20, K::Texto, ""},
    {"UF", 218, 2, K::Texto, ""},
    {"Telefone", 220, 12, K::Digitos, "Telefone: "},
    {"Email", 232, 60, K::Texto, ""},
    {"DataRecolhimento", 292, 8, K::Data, "Data Recolhimento: "},
    {"Brancos2", 300, 60, K::Brancos, ""},
    {"Fim", 360, 1, K::Texto, ""},
};

// ------------------------------------------------------------------ "10" company
enum CampoEmpresa {
  feTipoRegistro,
  feTipoInscricao,
  feInscricao,
  feZeros,
  feNome,
  feLogradouro,
  feBairro,
  feCep,
  feCidade,
  feUF,
  feTelefone,
  feCnae,
  feSimples,
  feFpas,
  feBrancos,
  feFim,
};

inline constexpr TCampoArquivo Empresa[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},
    {"Zeros", 18, 36, K::Zeros, ""},
    {"Nome", 54, 40, K::Texto, ""},
    {"Logradouro", 94, 50, K::Texto, ""},
    {"Bairro", 144, 20, K::Texto, ""},
    {"Cep", 164, 8, K::Digitos, "CEP: "},
    {"Cidade", 172, 20, K::Texto, ""},
    {"UF", 192, 2, K::Texto, ""},
    {"Telefone", 194, 12, K::Digitos, "Telefone: "},
    {"Cnae", 206, 7, K::Digitos, "CNAE: "},
    {"Simples", 213, 1, K::Digitos, "Simples: "},
    {"Fpas", 214, 3, K::Digitos, "FPAS: "},
    {"Brancos", 217, 143, K::Brancos, ""},
    {"Fim", 360, 1, K::Texto, ""},
};

// The address block that the header and the company record share (only its
// first column differs), as indexes into each table.
struct TEndereco {
  int Logradouro, Bairro, Cep, Cidade, UF, Telefone;
};
inline constexpr TEndereco EnderecoCabecalho{fcLogradouro, fcBairro, fcCep,
                                             fcCidade,     fcUF,     fcTelefone};
inline constexpr TEndereco EnderecoEmpresa{feLogradouro, feBairro, feCep,
                                           feCidade,     feUF,     feTelefone};

// ------------------------------------------------------------------ "40" worker
enum CampoTrabalhador {
  ftTipoRegistro,
  ftTipoInscricao,
  ftInscricao,
  ftTipoInscricaoTomador,
  ftInscricaoTomador,
  ftPis,
  ftAdmissao,
  ftCategoria,
  ftNome,
  ftCtps,
  ftSerieCtps,
  ftSexo,
  ftGrauInstrucao,
  ftNascimento,
  ftHoras,
  ftCbo,
  ftOpcao,
  ftMovimentacao,
  ftDataMovimentacao,
  ftSaque,
  ftAviso,
  ftInicioAviso,
  ftReposicaoVagas,
  ftDataDissidio,
  ftValorDissidio,
  ftRemuneracaoAnterior,
  ftRemuneracaoRescisao,
  ftAvisoIndenizado,
  ftTipoPensao, // "P" percentage, "V" value, "N" none
  ftPercentualPensao,
  ftValorPensao,
  ftCpf,
  ftBanco,
  ftAgencia,
  ftConta,
  ftSaldoInformado,
  ftBrancos,
  ftFim,
};

inline constexpr TCampoArquivo Trabalhador[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""},
    {"TipoInscricao", 3, 1, K::Digitos, "Tipo de Inscrição: "},
    {"Inscricao", 4, 14, K::Digitos, "Inscrição: "},
    {"TipoInscricaoTomador", 18, 1, K::Digitos, "Tipo Inscrição Tomador: "},
    {"InscricaoTomador", 19, 14, K::Digitos, "Inscrição Tomador: "},
    {"Pis", 33, 11, K::Digitos, "PIS/PASEP: "},
    {"Admissao", 44, 8, K::Data, "Data de Admissão: "},
    {"Categoria", 52, 2, K::Digitos, "Categoria: "},
    {"Nome", 54, 70, K::Texto, ""},
    {"Ctps", 124, 7, K::Digitos, "Número CTPS: "},
    {"SerieCtps", 131, 5, K::Digitos, "Serie CTPS: "},
    {"Sexo", 136, 1, K::Digitos, "Sexo: "},
    {"GrauInstrucao", 137, 2, K::Digitos, "Grau Instrução: "},
    {"Nascimento", 139, 8, K::Data, "Data Nascimento: "},
    {"Horas", 147, 2, K::Digitos, "Horas Trabalhadas: "},
    {"Cbo", 149, 6, K::Texto, ""},
    {"Opcao", 155, 8, K::Data, "Data Opção: "},
    {"Movimentacao", 163, 2, K::Texto, ""},
    {"DataMovimentacao", 165, 8, K::Data, "Data Movimento: "},
    {"Saque", 173, 3, K::Texto, ""},
    {"Aviso", 176, 1, K::Digitos, "Aviso: "},
    {"InicioAviso", 177, 8, K::Data, "Data Aviso: "},
    {"ReposicaoVagas", 185, 1, K::Texto, ""},
    {"DataDissidio", 186, 8, K::Data, "Data Dissídio: "},
    {"ValorDissidio", 194, 15, K::Valor, "Valor Dissídio: "},
    {"RemuneracaoAnterior", 209, 15, K::Valor, "Valor Remuneração do Mês Anterior a Rescisão: "},
    {"RemuneracaoRescisao", 224, 15, K::Valor, "Valor Remuneração do Mês da Rescisão: "},
    {"AvisoIndenizado", 239, 15, K::Valor, "Valor Aviso Indenizado: "},
    {"TipoPensao", 254, 1, K::Texto, ""},
    {"PercentualPensao", 255, 5, K::Digitos, "Valor Percentual da Pensão: "},
    {"ValorPensao", 260, 15, K::Valor, "Valor da Pensão: "},
    {"Cpf", 275, 11, K::Digitos, "CPF: "},
    {"Banco", 286, 3, K::Digitos, "Banco: "},
    {"Agencia", 289, 4, K::Digitos, "Agência: "},
    {"Conta", 293, 13, K::Digitos, "Conta Corrente: "},
    {"SaldoInformado", 306, 15, K::Valor, "Valor de Saldo Informado pela Empresa: "},
    {"Brancos", 321, 39, K::Brancos, ""},
    {"Fim", 360, 1, K::Texto, ""},
};

// ----------------------------------------------------- "43" to "45" complements
enum CampoComplemento {
  fmTipoRegistro,
  fmTipoInscricao,
  fmInscricao,
  fmZero,
  fmZeros,
  fmPis,
  fmAdmissao,
  fmCategoria,
  fmBrancos,
  fmFim,
};

// The fixed fields; the fourteen competence and value pairs between column
// 54 and column 347 come from Competencia(k) and ValorCompetencia(k).
inline constexpr TCampoArquivo Complemento[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""}, {"TipoInscricao", 3, 1, K::Digitos, ""},
    {"Inscricao", 4, 14, K::Digitos, ""},   {"Zero", 18, 1, K::Zeros, ""},
    {"Zeros", 19, 14, K::Zeros, ""},        {"Pis", 33, 11, K::Digitos, ""},
    {"Admissao", 44, 8, K::Data, ""},       {"Categoria", 52, 2, K::Digitos, ""},
    {"Brancos", 348, 12, K::Brancos, ""},   {"Fim", 360, 1, K::Texto, ""},
};

inline constexpr int ParesComplemento = 14;

// Competence k (1 to 14) as YYYYMM; 000000 when not used.
constexpr TCampoArquivo Competencia(int k) {
  return {"Competencia", 54 + 21 * (k - 1), 6, K::Digitos, ""};
}
// Remuneration of competence k.
constexpr TCampoArquivo ValorCompetencia(int k) {
  return {"ValorCompetencia", 60 + 21 * (k - 1), 15, K::Valor, "Valor da Competência: "};
}

// ----------------------------------------------------------------- "90" trailer
enum CampoTrailer {
  fpTipoRegistro,
  fpNoves,
  fpBrancos1,
  fpBrancos2,
  fpFim,
};

inline constexpr TCampoArquivo Trailer[] = {
    {"TipoRegistro", 1, 2, K::Digitos, ""}, {"Noves", 3, 51, K::Digitos, ""},
    {"Brancos1", 54, 255, K::Brancos, ""},  {"Brancos2", 309, 51, K::Brancos, ""},
    {"Fim", 360, 1, K::Texto, ""},
};

} // namespace LeiauteFolha
