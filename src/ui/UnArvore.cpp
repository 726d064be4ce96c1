#include "UnArvore.h"

#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"

#include <QHash>

TArvore Arvore;

int ImagemVinculo(int estado) {
  switch (estado) {
  case 1:
    return imgVinculoMarcado;
  case 2:
    return imgVinculoFechado;
  case 3:
    return imgVinculoProcessado;
  default:
    return imgVinculo;
  }
}

int ImagemEmpresa(int resumo) {
  switch (resumo) {
  case 1:
    return imgEmpresaMarcada;
  case 2:
    return imgEmpresaFechada;
  default:
    return imgEmpresa;
  }
}

int IArvoreVisual::Nivel(TNo no) const {
  int n = 0;
  for (TNo p = no ? Pai(no) : nullptr; p; p = Pai(p))
    ++n;
  return n;
}

bool TRecArvore::MesmaChave(const TRecArvore &o) const {
  return TipoInscricao == o.TipoInscricao && Inscricao == o.Inscricao && PIS == o.PIS &&
         Categoria == o.Categoria && DataAdmissao == o.DataAdmissao;
}

namespace {
// Employer, link, worker and account columns of the tree, one row per bank
// account of each link. The link key sits in the ORDER BY before the account
// state so that the rows of one link are always consecutive, even when the
// same worker has two links at the same employer.
const char *const ConsultaArvore =
    "SELECT EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO, TRIM(EMP.NO_RAZAO_SOCIAL) AS "
    "NO_RAZAO_SOCIAL, "
    "COALESCE(VINC.NU_PIS, 0) AS PIS, TRIM(TRAB.NO_EMPREGADO) AS NO_EMPREGADO, "
    "COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) AS IC_ESTADO_MOVIMENTO, EMP.IC_ESTADO_EMPRESA, "
    "VINC.NU_CATEGORIA, VINC.DT_ADMISSAO_VINCULO, VINC.IC_VALIDACAO_VINCULO, "
    "TRIM(CONEMP.NO_EMPREGADO) AS NO_EMPREGADO_ALT_CAD, CONEMP.NU_SITUACAO_CONTA_EMPRESA, "
    "CONEMP.NU_SITUACAO_CONTA_EMPREGADO, "
    "CASE WHEN EXISTS (SELECT 1 FROM QZLTBG05_ALTERACAO_CADASTRAL ALT "
    "WHERE ALT.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA AND ALT.NU_INSCRICAO = "
    "VINC.NU_INSCRICAO "
    "AND ALT.NU_PIS = VINC.NU_PIS AND ALT.NU_CATEGORIA = VINC.NU_CATEGORIA "
    "AND ALT.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO AND ALT.NU_TIPO_ALTERACAO = 406 "
    "AND ALT.IC_CONFIRMACAO = 'N' AND ALT.NU_EMPREGADO_VORDA_ALT_CDSTL = "
    "CONEMP.NU_EMPREGADO_VORDA) "
    "THEN 'N' ELSE 'S' END AS IC_CONFIRMACAO "
    "FROM QZLTBG02_EMPRESA EMP "
    "LEFT JOIN QZLTBG04_VINCULO_EMPREGATICIO VINC ON VINC.NU_TIPO_INSO_EMPRA = "
    "EMP.NU_TIPO_INSO_EMPRA "
    "AND VINC.NU_INSCRICAO = EMP.NU_INSCRICAO "
    "LEFT JOIN QZLTBG03_EMPREGADO TRAB ON TRAB.NU_PIS = VINC.NU_PIS "
    "LEFT JOIN QZLTBG10_CONTA_EMPREGADO_ZELT CONEMP ON CONEMP.NU_TIPO_INSO_EMPRA = "
    "VINC.NU_TIPO_INSO_EMPRA "
    "AND CONEMP.NU_INSCRICAO = VINC.NU_INSCRICAO AND CONEMP.NU_PIS = VINC.NU_PIS "
    "AND CONEMP.NU_CATEGORIA = VINC.NU_CATEGORIA "
    "AND CONEMP.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO "
    "ORDER BY EMP.NO_RAZAO_SOCIAL, EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO, TRAB.NO_EMPREGADO, "
    "VINC.NU_PIS, VINC.NU_CATEGORIA, VINC.DT_ADMISSAO_VINCULO, CONEMP.NU_SITUACAO_CONTA_EMPREGADO";

const char *const ConsultaTotalEmpresas =
    "SELECT COUNT(NU_INSCRICAO) AS TOTAL_EMPRESA FROM QZLTBG02_EMPRESA "
    "WHERE IC_ESTADO_EMPRESA IN ('E','A')";
const char *const ConsultaTotalAlteracoes =
    "SELECT COUNT(NU_INSCRICAO) AS TOTAL_ALTCAD FROM QZLTBG05_ALTERACAO_CADASTRAL";

QString WhereVinculo(const TRecArvore &r) {
  return QStringLiteral(" WHERE NU_TIPO_INSO_EMPRA = ") + QString::number(r.TipoInscricao) +
         QStringLiteral(" AND NU_INSCRICAO = ") + QString::number(r.Inscricao) +
         QStringLiteral(" AND NU_PIS = ") + QString::number(r.PIS) +
         QStringLiteral(" AND NU_CATEGORIA = ") + QString::number(r.Categoria) +
         QStringLiteral(" AND DT_ADMISSAO_VINCULO = ") + Utilitarios.DataSQL(r.DataAdmissao);
}

QString TextoVinculo(const QString &nome, qint64 pis) {
  // A link whose worker row is missing still needs a visible, sortable text.
  return nome.isEmpty()
             ? Utilitarios.FormatarPIS(Utilitarios.CompletarZeros(QString::number(pis), 11))
             : nome;
}
} // namespace

QStringList TArvore::ConsultasMontagem() {
  return {QString::fromLatin1(ConsultaTotalEmpresas), QString::fromLatin1(ConsultaTotalAlteracoes),
          QString::fromLatin1(ConsultaArvore)};
}

TIbxUtils &TArvore::Banco() {
  // The tree lives for the whole program, longer than any one connection.
  Ibx = IbxUtils;
  if (!Ibx)
    throw ENegocio(QStringLiteral("Banco de dados não conectado."));
  return *Ibx;
}

void TArvore::Esvaziar() {
  Nos.clear();
  Indice = -1;
  Atual = TRecArvore();
  if (Visual)
    Visual->Limpar();
}

bool TArvore::MontarArvore(IArvoreVisual &visual, const TProgressoArvore &progresso) {
  Visual = &visual;
  Esvaziar();
  visual.Limpar();
  visual.IniciarCarga();
  TNo raiz = nullptr;
  bool ok = false;
  try {
    TIbxUtils &bd = Banco();
    const int empresas =
        bd.AbrirConsulta(QString::fromLatin1(ConsultaTotalEmpresas))->Fields(0).AsInteger();
    const int alteracoes =
        bd.AbrirConsulta(QString::fromLatin1(ConsultaTotalAlteracoes))->Fields(0).AsInteger();
    AbrirDataSet(QString::fromLatin1(ConsultaArvore));
    TDataSet &ds = *DataSet;
    QuantidadeLinhas = ds.RecordCount();
    if (ds.IsEmpty()) {
      visual.TerminarCarga();
      return false;
    }
    const int cTipo = ds.IndiceCampo(QStringLiteral("NU_TIPO_INSO_EMPRA"));
    const int cInsc = ds.IndiceCampo(QStringLiteral("NU_INSCRICAO"));
    const int cRazao = ds.IndiceCampo(QStringLiteral("NO_RAZAO_SOCIAL"));
    const int cPis = ds.IndiceCampo(QStringLiteral("PIS"));
    const int cNome = ds.IndiceCampo(QStringLiteral("NO_EMPREGADO"));
    const int cEstado = ds.IndiceCampo(QStringLiteral("IC_ESTADO_MOVIMENTO"));
    const int cEstEmp = ds.IndiceCampo(QStringLiteral("IC_ESTADO_EMPRESA"));
    const int cCat = ds.IndiceCampo(QStringLiteral("NU_CATEGORIA"));
    const int cAdm = ds.IndiceCampo(QStringLiteral("DT_ADMISSAO_VINCULO"));
    const int cValid = ds.IndiceCampo(QStringLiteral("IC_VALIDACAO_VINCULO"));
    const int cNomeAlt = ds.IndiceCampo(QStringLiteral("NO_EMPREGADO_ALT_CAD"));
    const int cSitEmp = ds.IndiceCampo(QStringLiteral("NU_SITUACAO_CONTA_EMPRESA"));
    const int cSitTrab = ds.IndiceCampo(QStringLiteral("NU_SITUACAO_CONTA_EMPREGADO"));
    const int cConf = ds.IndiceCampo(QStringLiteral("IC_CONFIRMACAO"));

    auto texto = [&](int col) { return ds.Fields(col).AsString(); };
    auto estadoEmpresa = [&](int linha) {
      ds.MoverPara(linha);
      return ds.Fields(cEstEmp).AsString().trimmed();
    };

    // The root: the responsible party alone, else the one that is also an employer.
    int linhaRaiz = -1;
    for (const char *estado : {"R", "A"}) {
      for (int l = 0; l < ds.RecordCount() && linhaRaiz < 0; ++l)
        if (estadoEmpresa(l) == QLatin1String(estado))
          linhaRaiz = l;
      if (linhaRaiz >= 0)
        break;
    }
    if (linhaRaiz < 0)
      throw ENegocio(QStringLiteral("Não existe responsável cadastrado."));

    ds.MoverPara(linhaRaiz);
    const bool raizTambemEmpresa = texto(cEstEmp).trimmed() == QLatin1String("A");
    Nos.reserve(ds.RecordCount() + empresas + alteracoes + (raizTambemEmpresa ? 1 : 0));
    TRecArvore r;
    r.TipoInscricao = ds.Fields(cTipo).AsInteger();
    r.Inscricao = ds.Fields(cInsc).AsInt64();
    r.Tipo = raizTambemEmpresa ? u'A' : u'R';
    r.No = raiz = visual.Adicionar(nullptr, texto(cRazao), imgRaiz);
    Nos.push_back(r);

    TNo noEmpresa = nullptr;
    TNo noVinculo = nullptr;
    TRecArvore vinculo;
    int tipoAnterior = 0;
    qint64 inscAnterior = 0;

    auto adicionarAlteracao = [&](const TRecArvore &link) {
      TRecArvore c = link;
      c.Tipo = u'C';
      c.No = visual.Adicionar(noVinculo, texto(cNomeAlt), imgAlteracaoNome);
      Nos.push_back(c);
    };
    auto adicionarVinculo = [&]() {
      vinculo = TRecArvore();
      vinculo.TipoInscricao = ds.Fields(cTipo).AsInteger();
      vinculo.Inscricao = ds.Fields(cInsc).AsInt64();
      vinculo.PIS = ds.Fields(cPis).AsInt64();
      vinculo.Categoria = ds.Fields(cCat).AsInteger();
      vinculo.DataAdmissao = ds.Fields(cAdm).AsDateTime();
      vinculo.Estado = ds.Fields(cEstado).AsInteger();
      vinculo.SituacaoConta = ds.Fields(cSitTrab).IsNull() ? -1 : ds.Fields(cSitTrab).AsInteger();
      vinculo.Tipo = u'F';
      vinculo.Validado = texto(cValid).trimmed() == QLatin1String("S");
      vinculo.No = noVinculo = visual.Adicionar(noEmpresa, TextoVinculo(texto(cNome), vinculo.PIS),
                                                ImagemVinculo(vinculo.Estado));
      Nos.push_back(vinculo);
      if (texto(cConf) == QLatin1String("N"))
        adicionarAlteracao(vinculo);
    };

    const int total = ds.RecordCount();
    for (int l = 0; l < total; ++l) {
      ds.MoverPara(l);
      const int tipo = ds.Fields(cTipo).AsInteger();
      const qint64 insc = ds.Fields(cInsc).AsInt64();
      const qint64 pis = ds.Fields(cPis).AsInt64();
      const bool mesmaEmpresa = l > 0 && tipo == tipoAnterior && insc == inscAnterior;
      if (mesmaEmpresa) {
        if (noEmpresa && pis > 0) {
          TRecArvore chave;
          chave.TipoInscricao = tipo;
          chave.Inscricao = insc;
          chave.PIS = pis;
          chave.Categoria = ds.Fields(cCat).AsInteger();
          chave.DataAdmissao = ds.Fields(cAdm).AsDateTime();
          if (noVinculo && chave.MesmaChave(vinculo)) {
            // Another bank account of the same link.
            if (texto(cConf) == QLatin1String("N"))
              adicionarAlteracao(vinculo);
          } else {
            adicionarVinculo();
          }
        }
      } else {
        if (noEmpresa)
          AtualizarImagemEmpresa(noEmpresa);
        noEmpresa = noVinculo = nullptr;
        const QString estado = texto(cEstEmp).trimmed();
        if (estado == QLatin1String("A") || estado == QLatin1String("E")) {
          TRecArvore e;
          e.TipoInscricao = tipo;
          e.Inscricao = insc;
          e.Tipo = estado.at(0);
          e.SituacaoConta = ds.Fields(cSitEmp).IsNull() ? -1 : ds.Fields(cSitEmp).AsInteger();
          e.No = noEmpresa = visual.Adicionar(raiz, texto(cRazao), imgEmpresa);
          Nos.push_back(e);
          if (pis > 0)
            adicionarVinculo();
        }
      }
      tipoAnterior = tipo;
      inscAnterior = insc;
      if (progresso)
        progresso(l + 1, total);
    }
    if (noEmpresa)
      AtualizarImagemEmpresa(noEmpresa);
    ok = true;
  } catch (const std::exception &) {
    ok = false; // a failed build leaves whatever was built, without a message
  }
  visual.TerminarCarga();
  if (raiz)
    visual.Expandir(raiz);
  return ok;
}

int TArvore::IndiceDoNo(TNo no) const {
  if (!no)
    return -1;
  for (int i = 0; i < Quantidade(); ++i)
    if (Nos[i].No == no)
      return i;
  return -1;
}

void TArvore::TornarAtual(int i) {
  Indice = i;
  Atual = Nos[i];
}

bool TArvore::SelecionarNo(TNo no) {
  const int i = IndiceDoNo(no);
  if (i < 0)
    return false;
  TornarAtual(i);
  return true;
}

bool TArvore::SelecionarPorIndice(int indice) {
  if (indice < 0 || indice >= Quantidade())
    return false;
  TornarAtual(indice);
  return true;
}

void TArvore::PrimeiroNo() {
  if (Nos.empty())
    throw ENegocio(QStringLiteral("Árvore vazia."));
  TornarAtual(0);
}

bool TArvore::ProximoNo() {
  if (Nos.empty())
    throw ENegocio(QStringLiteral("Árvore vazia."));
  if (Indice + 1 >= Quantidade())
    return false;
  TornarAtual(Indice + 1);
  return true;
}

bool TArvore::LocalizarEmpresa(qint64 inscricao) {
  // The root is skipped: a responsible party that is also an employer has its
  // own employer node, which is the one a search must reach.
  for (int i = 1; i < Quantidade(); ++i)
    if (Nos[i].EhEmpresa() && Nos[i].Inscricao == inscricao) {
      TornarAtual(i);
      return true;
    }
  return false;
}

bool TArvore::LocalizarVinculosEmpresa(int tipo, qint64 inscricao) {
  for (int i = 1; i < Quantidade(); ++i)
    if (Nos[i].EhVinculoOuAlteracao() && Nos[i].TipoInscricao == tipo &&
        Nos[i].Inscricao == inscricao) {
      TornarAtual(i);
      return true;
    }
  return false;
}

bool TArvore::LocalizarVinculo(int tipo, qint64 inscricao, qint64 pis, int categoria,
                               TDateTime admissao, QChar tipoNo) {
  TRecArvore chave;
  chave.TipoInscricao = tipo;
  chave.Inscricao = inscricao;
  chave.PIS = pis;
  chave.Categoria = categoria;
  chave.DataAdmissao = admissao;
  for (int i = 1; i < Quantidade(); ++i)
    if (Nos[i].Tipo == tipoNo && Nos[i].MesmaChave(chave)) {
      TornarAtual(i);
      return true;
    }
  return false;
}

int TArvore::IndiceEmpresa(TNo empresa) const {
  const int i = IndiceDoNo(empresa);
  return i > 0 && Nos[i].EhEmpresa() ? i : -1;
}

int TArvore::IndiceEmpresaDe(int i) const {
  while (i > 0 && !Nos[i].EhEmpresa())
    --i;
  return i > 0 ? i : -1;
}

int TArvore::ContarVinculosEmpresa(TNo empresa) const {
  const int i = IndiceEmpresa(empresa);
  if (i < 0)
    return 0;
  int n = 0;
  for (int j = i + 1; j < Quantidade() && Nos[j].EhVinculoOuAlteracao(); ++j)
    ++n;
  return n;
}

int TArvore::ContarPorEstado(const QSet<int> &estados, bool pararNoPrimeiro) const {
  int n = 0;
  for (const TRecArvore &r : Nos)
    if (r.EhVinculoOuAlteracao() && estados.contains(r.Estado)) {
      ++n;
      if (pararNoPrimeiro)
        break;
    }
  return n;
}

int TArvore::ContarPorEstadoEmpresa(TNo empresa, const QSet<int> &estados) const {
  const int i = IndiceEmpresa(empresa);
  if (i < 0)
    return 0;
  int n = 0;
  for (int j = i + 1; j < Quantidade() && Nos[j].EhVinculoOuAlteracao(); ++j)
    if (estados.contains(Nos[j].Estado))
      ++n;
  return n;
}

int TArvore::ContarMarcados() const {
  // Links only: an employer's summary 1 is a consequence of its marked links,
  // not one more marked item.
  int n = 0;
  for (const TRecArvore &r : Nos)
    if (r.Tipo == u'F' && r.Estado == 1)
      ++n;
  return n;
}

QString TArvore::NomeEmpresaAtual() {
  TDataSetPtr ds = Banco().AbrirConsulta(
      QStringLiteral("SELECT NO_RAZAO_SOCIAL FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = ") +
      QString::number(Atual.TipoInscricao) + QStringLiteral(" AND NU_INSCRICAO = ") +
      QString::number(Atual.Inscricao));
  return ds->IsEmpty() ? QString() : ds->Fields(0).AsString().trimmed().toUpper();
}

QString TArvore::NomeTrabalhadorAtual() {
  TDataSetPtr ds = Banco().AbrirConsulta(
      QStringLiteral("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = ") +
      QString::number(Atual.PIS));
  return ds->IsEmpty() ? QString() : ds->Fields(0).AsString().trimmed().toUpper();
}

void TArvore::RemoverElementos(int inicio, int fim) {
  Nos.erase(Nos.begin() + inicio, Nos.begin() + fim);
  if (Indice >= fim)
    Indice -= fim - inicio;
  else if (Indice >= inicio)
    Indice = -1;
  if (Indice >= 0)
    Atual = Nos[Indice];
}

void TArvore::ExcluirNo(IArvoreVisual &visual, TNo no) {
  const int i = IndiceDoNo(no);
  if (i < 0)
    return;
  const QChar tipo = Nos[i].Tipo;
  // The element goes with the elements of every child node, so the array keeps
  // mirroring the visual tree.
  int fim = i + 1;
  if (i > 0 && Nos[i].EhEmpresa()) {
    while (fim < Quantidade() && Nos[fim].EhVinculoOuAlteracao())
      ++fim;
  } else if (tipo == u'F') {
    while (fim < Quantidade() && Nos[fim].Tipo == u'C')
      ++fim;
  }
  const int empresa = tipo == u'F' ? IndiceEmpresaDe(i) : -1;
  const TNo noEmpresa = empresa > 0 ? Nos[empresa].No : nullptr;
  RemoverElementos(i, fim);
  visual.Remover(no);
  if (noEmpresa)
    AtualizarImagemEmpresa(noEmpresa);
}

void TArvore::RenomearNos(const QString &texto, IArvoreVisual &visual, QChar tipo, TNo no) {
  const int i = IndiceDoNo(no);
  if (i < 0)
    return;
  visual.DefinirTexto(no, texto);
  if (tipo == u'A') {
    // Root and employer node of the same inscription show the same company.
    for (int j = 0; j < Quantidade(); ++j)
      if ((j == 0 || Nos[j].EhEmpresa()) && Nos[j].Inscricao == Nos[i].Inscricao)
        visual.DefinirTexto(Nos[j].No, texto);
  }
  if ((tipo == u'E' || tipo == u'R' || tipo == u'A') && visual.Nivel(no) == 1) {
    // After an inscription change the links follow the employer's key.
    TRecArvore &e = Nos[i];
    if (Atual.No == no) {
      e.TipoInscricao = Atual.TipoInscricao;
      e.Inscricao = Atual.Inscricao;
    }
    for (int j = i + 1; j < Quantidade() && Nos[j].EhVinculoOuAlteracao(); ++j) {
      Nos[j].TipoInscricao = e.TipoInscricao;
      Nos[j].Inscricao = e.Inscricao;
    }
  }
  if (tipo == u'F') {
    const qint64 pis = Nos[i].PIS;
    for (TRecArvore &r : Nos)
      if (r.Tipo == u'F' && r.PIS == pis)
        visual.DefinirTexto(r.No, texto);
  }
  if (Indice >= 0)
    Atual = Nos[Indice];
}

TNo TArvore::AdicionarNo(IArvoreVisual &visual, TNo pai, int imagem, const TRecArvore &dados,
                         const QString &texto) {
  Visual = &visual;
  TRecArvore r = dados;
  if (Nos.empty()) {
    r.No = visual.Adicionar(nullptr, texto, imagem);
    Nos.push_back(r);
    return r.No;
  }
  int posicao = Quantidade();
  if (r.Tipo == u'F') {
    int e = -1;
    for (int i = 1; i < Quantidade() && e < 0; ++i)
      if (Nos[i].EhEmpresa() && Nos[i].TipoInscricao == r.TipoInscricao &&
          Nos[i].Inscricao == r.Inscricao)
        e = i;
    if (e < 0)
      e = IndiceEmpresa(pai);
    if (e < 0)
      throw ENegocio(QStringLiteral("Empresa do vínculo não está na árvore."));
    pai = Nos[e].No;
    posicao = e + 1;
    while (posicao < Quantidade() && Nos[posicao].EhVinculoOuAlteracao())
      ++posicao;
  } else if (r.Tipo == u'C') {
    posicao = IndiceDoNo(pai) + 1;
    if (posicao <= 0)
      throw ENegocio(QStringLiteral("Vínculo da alteração não está na árvore."));
    while (posicao < Quantidade() && Nos[posicao].Tipo == u'C')
      ++posicao;
  } else {
    pai = Nos[0].No;
  }
  r.No = visual.Adicionar(pai, texto, imagem);
  Nos.insert(Nos.begin() + posicao, r);
  if (Indice >= posicao)
    ++Indice;
  if (r.Tipo == u'F') {
    // Every node of the same worker shows the worker's current name.
    for (const TRecArvore &o : Nos)
      if (o.Tipo == u'F' && o.PIS == r.PIS)
        visual.DefinirTexto(o.No, texto);
    AtualizarImagemEmpresa(pai);
  }
  return r.No;
}

int TArvore::ResumoEmpresa(int tipo, qint64 inscricao) {
  TDataSetPtr ds = Banco().AbrirConsulta(
      QStringLiteral("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO "
                     "WHERE NU_TIPO_INSO_EMPRA = ") +
      QString::number(tipo) + QStringLiteral(" AND NU_INSCRICAO = ") + QString::number(inscricao) +
      QStringLiteral(" AND IC_ESTADO_MOVIMENTO IN (0, 1, 2, 3)"));
  bool algumZero = false;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const int e = ds->Fields(0).AsInteger();
    if (e == 1)
      return 1;
    if (e == 0)
      algumZero = true;
  }
  return !ds->IsEmpty() && !algumZero ? 2 : 0;
}

void TArvore::GravarEstadoVinculo(const TRecArvore &vinculo, int estado) {
  Banco().ExecutarSQL(
      QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = ") +
      QString::number(estado) + WhereVinculo(vinculo));
}

void TArvore::EncerrarAbertura() {
  Banco().ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO"));
  DataPagamento = NullDate;
}

void TArvore::AtualizarImagemEmpresa(TNo empresa) {
  const int i = IndiceEmpresa(empresa);
  if (i < 0)
    return;
  bool algumMarcado = false, algumAberto = false, algumVinculo = false;
  for (int j = i + 1; j < Quantidade() && Nos[j].EhVinculoOuAlteracao(); ++j) {
    if (Nos[j].Tipo != u'F')
      continue;
    algumVinculo = true;
    algumMarcado = algumMarcado || Nos[j].Estado == 1;
    algumAberto = algumAberto || Nos[j].Estado == 0;
  }
  const int resumo = algumMarcado ? 1 : (algumVinculo && !algumAberto ? 2 : 0);
  Nos[i].Estado = resumo;
  if (Indice == i)
    Atual.Estado = resumo;
  if (Visual)
    Visual->DefinirImagem(empresa, ImagemEmpresa(resumo));
}

namespace {
// Identity of a node across rebuilds: position (root or not), kind, key and,
// for name changes, the text. The root of a responsible party that is also an
// employer has the same key as that employer's node, hence the position.
QString ChaveNo(const TRecArvore &r, bool raiz, const QString &texto) {
  QString c = (raiz ? QStringLiteral("0|") : QStringLiteral("1|")) + QString(r.Tipo) + u'|' +
              QString::number(r.TipoInscricao) + u'|' + QString::number(r.Inscricao) + u'|' +
              QString::number(r.PIS) + u'|' + QString::number(r.Categoria) + u'|' +
              QString::number(r.DataAdmissao, 'f', 0);
  if (r.Tipo == u'C')
    c += u'|' + texto;
  return c;
}
} // namespace

bool AtualizarArvore(const TProgressoArvore &progresso) {
  CarregarDataPagamento();
  IArvoreVisual *v = Arvore.Visual;
  if (!v)
    return false;
  const TArrArvore &nos = Arvore.Nos;
  // Only the root, employers and links with name changes can be expanded.
  auto expansivel = [&nos](int i) {
    return i == 0 || nos[i].EhEmpresa() ||
           (nos[i].Tipo == u'F' && i + 1 < static_cast<int>(nos.size()) && nos[i + 1].Tipo == u'C');
  };
  QSet<QString> expandidos;
  QString selecionado;
  const TNo atual = v->Selecionado();
  for (int i = 0; i < Arvore.Quantidade(); ++i) {
    if (expansivel(i) && v->Expandido(nos[i].No))
      expandidos.insert(ChaveNo(nos[i], i == 0, QString()));
    if (nos[i].No == atual)
      selecionado = ChaveNo(nos[i], i == 0, v->Texto(nos[i].No));
  }
  if (!Arvore.MontarArvore(*v, progresso))
    return false;
  TNo escolhido = nullptr;
  const QChar tipoSelecionado = selecionado.isEmpty() ? QChar() : selecionado.at(2);
  for (int i = 0; i < Arvore.Quantidade(); ++i) {
    const TRecArvore &r = nos[i];
    if (expansivel(i) && expandidos.contains(ChaveNo(r, i == 0, QString())))
      v->Expandir(r.No);
    if (!escolhido && r.Tipo == tipoSelecionado &&
        ChaveNo(r, i == 0, r.Tipo == u'C' ? v->Texto(r.No) : QString()) == selecionado)
      escolhido = r.No;
  }
  if (!escolhido && !nos.empty())
    escolhido = nos.front().No;
  if (escolhido) {
    v->Selecionar(escolhido);
    Arvore.SelecionarNo(escolhido);
  }
  return true;
}
