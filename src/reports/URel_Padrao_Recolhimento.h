#pragma once
// The worker's statement of one individual guide: one A4 page per worker
// with the employer, the worker and link data and the twenty stored amounts
// of the four calculation blocks. Titled "Comprovante" when the company guide
// is settled, else "Demonstrativo" and without the payment block.
#include "reports/URelPaginado.h"

#include <QStringList>
#include <memory>

class QWidget;
class TGuiaEmpresa;
class TGuiaTrabalhador;

struct TCamposComprovante {
  QString Titulo, Identificador, Versao;
  // Employer.
  QString Razao, Inscricao, Logradouro, Cep, Bairro, Municipio, UF, FPAS, Simples, CNAE, Tomador;
  // Worker and link.
  QString Nome, Admissao, Opcao, PIS, CTPS, Nascimento, Categoria, Afastamento, AvisoPrevio,
      Dissidio;
  // Rows Remuneração/Saldo, Depósito, JAM, Encargos, Contrib.Social; columns
  // previous month, termination month, prior notice, termination fine.
  QString Valores[5][4];
  QString ValorTrabalhador, ValorDevido;
  bool Quitada = false;
  QString BancoAgencia, DataQuitacao;
};

void PintarComprovante(QPainter &p, const TCamposComprovante &c);

// "001/0123-4": bank with 3 digits, branch with a hyphen before its last
// digit and 6 characters.
QString BancoAgenciaImpresso(const QString &banco, const QString &agencia);

class TREL_Padrao_Recolhimento : public TRelatorioPaginado {
public:
  TREL_Padrao_Recolhimento();
  ~TREL_Padrao_Recolhimento() override;

  TGuiaEmpresa &GuiaEmpresa() { return *empresa_; }
  TGuiaTrabalhador &GuiaTrabalhador() { return *trabalhador_; }

  // Loads the company guide of Linha and its worker guides (limited to Chaves,
  // see TGuiaTrabalhador::Chave, ordered by Ordem, "NU_PIS_GUIA ASC" by
  // default), or takes over the one given worker guide's current row. False
  // on a database error or when the company guide does not exist.
  bool Preparar(const QString &Linha, const QStringList &Chaves,
                const TGuiaTrabalhador *Trabalhador, const QString &Ordem);
  // The statements of every worker of several company guides, guide after
  // guide in the order given, each guide's workers by Ordem. The worker rows
  // are read one guide at a time, so memory does not grow with the count.
  bool PrepararGuias(const QStringList &Linhas, const QString &Ordem);
  // Preparar, then the modal preview.
  bool ImprimirComprovante(const QString &Linha, const QStringList &Chaves,
                           const TGuiaTrabalhador *Trabalhador, const QString &Ordem,
                           QWidget *pai = nullptr);

  QPageLayout LayoutPagina() const override;
  int QuantidadePaginas() override;
  void PintarPagina(QPainter &p, int pagina) override;
  QString Titulo() const override { return QStringLiteral("Comprovante do Trabalhador"); }

  // The printed texts of the current worker row (its company guide loaded).
  TCamposComprovante Campos();

private:
  std::unique_ptr<TGuiaEmpresa> empresa_;
  std::unique_ptr<TGuiaTrabalhador> trabalhador_;
  QString versao_;
  QString carregada_; // bar code of the company guide in empresa_
  // The guides of the report with the first page of each (PrepararGuias);
  // empty when one guide's rows are loaded by Preparar.
  QStringList linhas_;
  QList<int> inicio_;
  int total_ = 0;
  int linhaCarregada_ = -1;
  QString ordem_;
  // Loads the rows of the guide holding that page; the row index in it.
  int LinhaDaPagina(int pagina);
};
