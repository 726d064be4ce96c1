#include "collection/unListaChaves.h"

#include "core/unUtilitarios.h"

namespace {
constexpr int ValoresPorLista = 500;
}

QString CondicaoListaTextos(const QString &expressao, const QStringList &chaves) {
  if (chaves.isEmpty())
    return QStringLiteral("(1 = 0)");
  QStringList listas;
  for (int i = 0; i < chaves.size(); i += ValoresPorLista) {
    QStringList valores;
    for (int j = i; j < qMin<int>(i + ValoresPorLista, chaves.size()); ++j)
      valores << TUtilitarios::TextoSQL(chaves.at(j));
    listas << expressao + QStringLiteral(" IN (") + valores.join(QStringLiteral(", ")) + u')';
  }
  return u'(' + listas.join(QStringLiteral(" OR ")) + u')';
}

TDataSetPtr FiltrarLinhas(const TDataSet &origem,
                          const std::function<QString(const TDataSet &, int linha)> &chaveDaLinha,
                          const QSet<QString> &chaves) {
  std::vector<TDataSet::Coluna> colunas;
  for (int c = 0; c < origem.FieldCount(); ++c)
    colunas.push_back(origem.Campo(c));
  auto destino = std::make_unique<TDataSet>(std::move(colunas));
  for (int l = 0; l < origem.RecordCount(); ++l) {
    if (!chaves.contains(chaveDaLinha(origem, l)))
      continue;
    std::vector<QVariant> valores;
    valores.reserve(origem.FieldCount());
    for (int c = 0; c < origem.FieldCount(); ++c)
      valores.push_back(origem.Valor(l, c));
    destino->AdicionarLinha(std::move(valores));
  }
  return destino;
}
