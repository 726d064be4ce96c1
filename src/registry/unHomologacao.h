#pragma once
// What the bank returned for each submission, as loaded from its
// identification-key occurrence file: one row per load (its header), per
// company record and per worker record. A load's rows share
// NU_IDENTIFICADOR_ARQUIVO; a worker row belongs to the company row with the
// same identifier and NU_LINHA_ARQUIVO_EMPRESA. Only the occurrence-file
// loader writes them; the occurrence query window reads and deletes them.
#include "core/unGlobal.h"
#include "core/unNegocio.h"

#include <QString>
#include <memory>

class TEmpresaHmlgo;
class TEmpregadoHmlgo;

class TResponsavelHmlgo : public TNegocio {
public:
  TResponsavelHmlgo();
  ~TResponsavelHmlgo() override;

  QString NU_IDENTIFICADOR_ARQUIVO;
  int NU_TIPO_INSCRICAO_RESPONSA = 0;
  qint64 NU_INSCRICAO_RESPONSAVEL = 0;
  QString NO_RAZAO_SOCIAL;
  TDateTime TS_RETORNO_ARQUIVO = NullDate;
  QString CO_MENSAGEM;
  QString DE_MENSAGEM;
  QString IC_ESTADO_HMLGO; // "0" no power of attorney, "1" accepted, "2" rejected

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // Every load, in no particular order; the first row is loaded.
  void CarregarTodos();
  // Draws a new identifier from the generator into NU_IDENTIFICADOR_ARQUIVO
  // and inserts the row. "0144" and false on any failure; never raises.
  bool Incluir();
  // Deletes a load (empty: the current one) with its company and worker
  // rows, in the caller's transaction or in one of its own. "0144" and the
  // database exception raised again on failure.
  bool Excluir(const QString &Identificador = {});
  // The companies of the current load, loaded on first use.
  TEmpresaHmlgo *Empresas();
  // Makes the load with this identifier current; false for an empty or
  // unknown identifier (the current row then stays).
  bool LocalizarArquivo(const QString &Identificador);
  // Replaces the owned company object (nullptr: simply releases it).
  void DefinirEmpresas(TEmpresaHmlgo *empresas);

  // The text of a state: "Sem Procuração", "Acatado", "Rejeitado".
  static QString DescricaoEstado(const QString &estado);

private:
  std::unique_ptr<TEmpresaHmlgo> empresas_;
};

class TEmpresaHmlgo : public TNegocio {
public:
  TEmpresaHmlgo();
  ~TEmpresaHmlgo() override;

  QString NU_IDENTIFICADOR_ARQUIVO;
  int NU_LINHA_ARQUIVO_EMPRESA = 0;
  qint64 NU_IDENTIFICADOR_GUIA = 0;
  int NU_TIPO_INSCRICAO_EMPRESA = 0;
  qint64 NU_INSCRICAO_EMPRESA = 0;
  QString NO_RAZAO_SOCIAL;
  qint64 NU_ESTABELECIMENTO = 0;
  QString CO_MENSAGEM;
  QString DE_MENSAGEM;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  void CarregarPorArquivo(const QString &Identificador);
  // "0144" and false on failure; never raises.
  bool Incluir();
  // The workers of the current company, loaded on first use.
  TEmpregadoHmlgo *Trabalhadores();
  bool LocalizarLinhaEmpresa(const QString &Identificador, int Linha);
  // Deletes the company row of the current load at this line with its
  // workers. "0144" and the exception raised again on failure.
  bool Excluir(int Linha);

private:
  std::unique_ptr<TEmpregadoHmlgo> trabalhadores_;
};

class TEmpregadoHmlgo : public TNegocio {
public:
  TEmpregadoHmlgo();

  QString NU_IDENTIFICADOR_ARQUIVO;
  int NU_LINHA_ARQUIVO_EMPRESA = 0;
  int NU_LINHA_ARQUIVO_EMPREGADO = 0;
  qint64 NU_IDENTIFICADOR_GUIA = 0;
  qint64 NU_ESTABELECIMENTO = 0;
  qint64 NU_PIS = 0;
  TDateTime DT_ADMISSAO = NullDate;
  int NU_CATEGORIA = 0;
  int NU_EMPREGADO = 0;
  QString NO_EMPREGADO;
  QString CO_SAQUE;
  TDateTime DT_VALIDADE_GUIA = NullDate;
  QString CO_HOMOLOGACAO_VORDA;
  QString SG_BASE_DADOS;
  QString CO_MENSAGEM;
  QString DE_MENSAGEM;
  TDateTime DT_MOVIMENTACAO = NullDate;
  QString CO_MOVIMENTACAO;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  void CarregarPorLinhaEmpresa(const QString &Identificador, int LinhaEmpresa);
  // The first worker row with this PIS: in the given load, or in any load
  // when Identificador is empty. 0 when none, else 1 (and the row is loaded).
  // Company lines repeat between loads, so a caller that then selects the
  // worker's company must name the load it shows.
  int CarregarPorPIS(const QString &PIS, const QString &Identificador = {});
  bool LocalizarLinhaTrabalhador(int Linha);
  // "0144" and false on failure; never raises.
  bool Incluir();
};
