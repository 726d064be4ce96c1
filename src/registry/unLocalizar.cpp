#include "registry/unLocalizar.h"

#include "core/unUtilitarios.h"
#include "registry/unEmpresa.h"
#include "registry/unTrabalhador.h"

#include <algorithm>
#include <tuple>

namespace {
using U = TUtilitarios;

void Erro(QString *destino, const char *codigo) {
  if (destino)
    *destino = QString::fromLatin1(codigo);
}

// The rows are read straight from the result set: a name that hits every
// worker must not load each row's business attributes.
QList<TAchadoLocalizar> Empresas(const TDataSet *ds) {
  QList<TAchadoLocalizar> r;
  if (!ds)
    return r;
  const int cTipo = ds->IndiceCampo(QStringLiteral("NU_TIPO_INSO_EMPRA"));
  const int cInsc = ds->IndiceCampo(QStringLiteral("NU_INSCRICAO"));
  const int cNome = ds->IndiceCampo(QStringLiteral("NO_RAZAO_SOCIAL"));
  r.reserve(ds->RecordCount());
  for (int i = 0; i < ds->RecordCount(); ++i) {
    TAchadoLocalizar a;
    a.Chave.Tipo = ppEmpresa;
    a.Chave.TipoInscricao = static_cast<qint16>(ds->Valor(i, cTipo).toInt());
    a.Chave.Inscricao = ds->Valor(i, cInsc).toLongLong();
    a.Nome = ds->Valor(i, cNome).toString().trimmed();
    a.Documento = TLocalizacao::FormatarInscricao(a.Chave.TipoInscricao, a.Chave.Inscricao);
    r << a;
  }
  return r;
}

QList<TAchadoLocalizar> Vinculos(const TDataSet *ds) {
  QList<TAchadoLocalizar> r;
  if (!ds)
    return r;
  const int cPis = ds->IndiceCampo(QStringLiteral("PIS_EMPREGADO"));
  const int cNome = ds->IndiceCampo(QStringLiteral("NO_EMPREGADO"));
  const int cTipo = ds->IndiceCampo(QStringLiteral("TP_INSCRICAO"));
  const int cInsc = ds->IndiceCampo(QStringLiteral("NU_INSCRICAO"));
  const int cCat = ds->IndiceCampo(QStringLiteral("CATEGORIA"));
  const int cAdm = ds->IndiceCampo(QStringLiteral("DT_ADMISSAO"));
  r.reserve(ds->RecordCount());
  TDataSet &linhas = const_cast<TDataSet &>(*ds);
  for (int i = 0; i < ds->RecordCount(); ++i) {
    linhas.MoverPara(i);
    TAchadoLocalizar a;
    a.Chave.Tipo = ppTrabalhador;
    a.Chave.TipoInscricao = static_cast<qint16>(ds->Valor(i, cTipo).toInt());
    a.Chave.Inscricao = ds->Valor(i, cInsc).toLongLong();
    a.Chave.PIS = ds->Valor(i, cPis).toLongLong();
    a.Chave.Categoria = ds->Valor(i, cCat).toInt();
    a.Chave.DataAdmissao = linhas.Fields(cAdm).AsDateTime();
    a.Nome = ds->Valor(i, cNome).toString().trimmed();
    a.Documento = U::FormatarPIS(U::CompletarZeros(QString::number(a.Chave.PIS), 11));
    r << a;
  }
  return r;
}
} // namespace

QString TLocalizacao::FormatarInscricao(int Tipo, qint64 Inscricao) {
  const QString d = QString::number(Inscricao);
  return Tipo == 1 ? U::FormatarCNPJ(U::CompletarZeros(d, 14)) : U::CompletarZeros(d, 12);
}

QList<TAchadoLocalizar> TLocalizacao::Pesquisar(TChavePesquisa Chave, TProcurarPor Procura,
                                                const QString &Texto, QString *CodigoErro) {
  if (CodigoErro)
    CodigoErro->clear();
  const QString texto = Texto.trimmed();
  if (texto.isEmpty()) {
    Erro(CodigoErro, "0405");
    return {};
  }
  // A number key never searches anything but digits.
  if (Chave != cpNome && !U::SomenteNumeros(texto)) {
    Erro(CodigoErro, "0011");
    return {};
  }
  try {
    if (Chave == cpCNPJ || Chave == cpCEI) {
      // Employers only ("E", "A"): a responsible party alone has no node.
      TEmpresa e;
      e.CarregarAssociados = false;
      if (!e.CarregarEmpresa(Chave == cpCNPJ ? 1 : 2, U::ParaInteiro64(texto))) {
        Erro(CodigoErro, "0144");
        return {};
      }
      return Empresas(e.ObterDataSet());
    }
    if (Chave == cpPIS) {
      TTrabalhador t;
      t.CarregarAssociados = false;
      t.CarregarPorPIS(texto);
      if (!t.CodigoErro.isEmpty()) {
        Erro(CodigoErro, "0144");
        return {};
      }
      // One worker's links, oldest admission first.
      QList<TAchadoLocalizar> r = Vinculos(t.ObterDataSet());
      std::stable_sort(
          r.begin(), r.end(), [](const TAchadoLocalizar &a, const TAchadoLocalizar &b) {
            const TRecInscricao &x = a.Chave, &y = b.Chave;
            return std::tie(x.DataAdmissao, x.TipoInscricao, x.Inscricao, x.Categoria) <
                   std::tie(y.DataAdmissao, y.TipoInscricao, y.Inscricao, y.Categoria);
          });
      return r;
    }
    if (Procura == ppEmpresa) {
      TEmpresa e;
      e.CarregarAssociados = false;
      e.PesquisarPorNome(texto.toUpper());
      return Empresas(e.ObterDataSet());
    }
    TTrabalhador t;
    t.CarregarAssociados = false;
    t.PesquisarPorNome(texto.toUpper());
    return Vinculos(t.ObterDataSet());
  } catch (const std::exception &) {
    Erro(CodigoErro, "0144");
    return {};
  }
}
