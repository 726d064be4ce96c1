#pragma once
// The company guide as printed: one page of 210 x 320 mm per guide with the
// company copy ("Via Empresa") above and the bank copy ("Via Banco", with the
// bar code) below. TCamposGuia holds every printed text, so the page painter
// needs nothing but them; TRelGuiaPadrao fills them from the stored guides.
#include "reports/URelPaginado.h"

#include <QImage>
#include <QString>
#include <memory>

class TGuiaEmpresa;

struct TCamposGuia {
  QString RazaoSocial, Inscricao, Endereco, Contato, Cep, Bairro, Municipio, UF, FPAS, Simples;
  QString Identificador, TotalRecolher, Validade, QuantidadeTrabalhadores;
  QString Grupos[4];    // the digitable line in four groups of 12
  QString CodigoBarras; // the 44 digits drawn on the bank copy
  QString Versao;       // "Versão do Aplicativo: ..."
  QString GeradaEm;     // "Gerada em dd/mm/yyyy hh:mm:ss"
};

// Paints one guide page (both copies). Without bar code (ComBarras false)
// the bank copy keeps only its empty area. LogoBanco may be null.
void PintarGuia(QPainter &p, const TCamposGuia &c, bool ComBarras, const QImage *LogoBanco);

// CEP digits laid into "00.000-000" (a number that lost its leading zero gets
// it back); empty when there are no digits.
QString FormatarCEP(const QString &cep);
// The printed inscription: the CNPJ mask for type 1, else the 12 digits.
QString InscricaoImpressa(int tipo, const QString &inscricao);

class TRelGuiaPadrao : public TRelatorioPaginado {
public:
  TRelGuiaPadrao();
  ~TRelGuiaPadrao() override;

  // The loaded guides drive the report: one page per row.
  TGuiaEmpresa &Guia() { return *guia_; }

  QPageLayout LayoutPagina() const override;
  int QuantidadePaginas() override;
  void PintarPagina(QPainter &p, int pagina) override;
  QString Titulo() const override { return QStringLiteral("Guia de Recolhimento Rescisório"); }

  // The printed texts of the current row of Guia().
  TCamposGuia Campos();

protected:
  // Total and worker count of the guide being printed.
  virtual void CompletarCampos(TCamposGuia &c) { Q_UNUSED(c); }

private:
  std::unique_ptr<TGuiaEmpresa> guia_;
  QString versao_, geradaEm_;
  QImage logoBanco_;
  bool preparado_ = false;
  void Preparar();
};
