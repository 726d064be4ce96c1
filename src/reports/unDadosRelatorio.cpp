#include "reports/unDadosRelatorio.h"

#include <QFileInfo>
#include <QSaveFile>

int TDadosRelatorio::QuantidadeEntradas() const {
  int n = 0;
  for (const TGrupoRel &g : Grupos)
    n += int(g.Entradas.size());
  return n;
}

TGrupoRel &TDadosRelatorio::Grupo(const QStringList &cabecalho, bool novaPagina,
                                  const QStringList &valoresCsv) {
  if (Grupos.isEmpty() || Grupos.last().Cabecalho != cabecalho ||
      Grupos.last().ValoresCsv != valoresCsv) {
    TGrupoRel g;
    g.Cabecalho = cabecalho;
    g.NovaPagina = novaPagina;
    g.ValoresCsv = valoresCsv;
    Grupos.append(g);
  }
  return Grupos.last();
}

namespace {
QString CampoCsv(QString v) {
  if (v.contains(u';') || v.contains(u'"') || v.contains(u'\n') || v.contains(u'\r'))
    return u'"' + v.replace(u'"', QStringLiteral("\"\"")) + u'"';
  return v;
}
} // namespace

QStringList LinhasCSV(const TDadosRelatorio &dados) {
  QStringList linhas;
  QStringList titulos;
  for (const QString &t : dados.ColunasGrupoCsv)
    titulos << CampoCsv(t);
  int colunas = 0;
  for (const auto &linha : dados.Colunas)
    for (const TColunaRel &c : linha) {
      titulos << CampoCsv(c.Titulo);
      ++colunas;
    }
  linhas << titulos.join(u';');
  for (const TGrupoRel &g : dados.Grupos)
    for (const TEntradaRel &e : g.Entradas) {
      QStringList campos;
      for (int i = 0; i < dados.ColunasGrupoCsv.size(); ++i)
        campos << CampoCsv(g.ValoresCsv.value(i));
      for (int l = 0; l < dados.Colunas.size(); ++l) {
        const QStringList celulas = e.Linhas.value(l);
        for (int c = 0; c < dados.Colunas[l].size(); ++c)
          campos << CampoCsv(celulas.value(c));
      }
      linhas << campos.join(u';');
    }
  return linhas;
}

bool ExportarCSV(const TDadosRelatorio &dados, const QString &arquivo, QString *erro) {
  // QSaveFile writes beside the target and renames only after every byte was
  // written: a full disk or a failed write never leaves half a listing.
  QSaveFile f(arquivo);
  bool ok = f.open(QIODevice::WriteOnly);
  if (ok) {
    const QByteArray texto =
        (LinhasCSV(dados).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    ok = f.write(texto) == texto.size() && f.commit();
  }
  if (!ok) {
    if (erro)
      *erro = QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                  .arg(QFileInfo(arquivo).absoluteFilePath(), f.errorString());
    f.cancelWriting();
    return false;
  }
  return true;
}
