#include "unNegocio.h"

namespace {
const char *const SemDataSet = "DataSet não inicializado";
}

TNegocio::TNegocio() : Ibx(IbxUtils) {}

TNegocio::~TNegocio() = default;

void TNegocio::Inicializar() {
  throw ENegocio(QStringLiteral("Operação Inicializar não implementada."));
}

void TNegocio::Limpar() {
  throw ENegocio(QStringLiteral("Operação Limpar não implementada."));
}

void TNegocio::CarregarAtributos() {
  Limpar();
}

void TNegocio::AtribuirDataSet(TDataSetPtr ds) {
  if (DataSet) {
    Limpar();
    DataSet.reset();
  }
  DataSet = std::move(ds);
  AlemDoFim = false;
}

void TNegocio::AbrirDataSet(const QString &sql) {
  if (!Ibx)
    throw ENegocio(QStringLiteral("Banco de dados não conectado."));
  AtribuirDataSet(Ibx->AbrirConsulta(sql));
}

TDataSet &TNegocio::DataSetValido() const {
  if (!DataSet)
    throw ENegocio(QString::fromUtf8(SemDataSet));
  return *DataSet;
}

TField TNegocio::Campo(const QString &nome) const {
  return DataSetValido().FieldByName(nome);
}

bool TNegocio::PossuiCampo(const QString &nome) const {
  const TDataSet &ds = DataSetValido();
  for (int i = 0; i < ds.FieldCount(); ++i)
    if (ds.Campo(i).Nome == nome)
      return true;
  return false;
}

void TNegocio::Primeiro() {
  TDataSet &ds = DataSetValido();
  ds.First();
  AlemDoFim = false;
  Limpar();
  if (!ds.IsEmpty())
    CarregarAtributos();
}

void TNegocio::Proximo() {
  TDataSet &ds = DataSetValido();
  // Moving past the last row keeps it current (its columns stay readable)
  // and only marks the end, as callers test FimDados before reading.
  if (ds.RecNo() >= ds.RecordCount() - 1)
    AlemDoFim = true;
  else
    ds.Next();
  Limpar();
  if (!ds.IsEmpty())
    CarregarAtributos();
}

bool TNegocio::FimDados() const {
  const TDataSet &ds = DataSetValido();
  return AlemDoFim || ds.Eof();
}

int TNegocio::QuantidadeRegistros() const {
  return DataSetValido().RecordCount();
}

bool TNegocio::Localizar(const QString &campo, const QString &valor) {
  TDataSet &ds = DataSetValido();
  const int coluna = ds.IndiceCampo(campo);
  if (coluna < 0)
    ds.FieldByName(campo); // raises the result set's own error
  const int antes = ds.RecNo();
  for (int i = 0; i < ds.RecordCount(); ++i) {
    ds.MoverPara(i);
    if (ds.Fields(coluna).AsString() == valor) {
      AlemDoFim = false;
      CarregarAtributos();
      return true;
    }
  }
  ds.MoverPara(antes);
  return false;
}
