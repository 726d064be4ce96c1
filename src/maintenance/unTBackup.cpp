#include "unTBackup.h"

#include "core/UnInconsistencia.h"
#include "core/unFBUtils.h"
#include "core/unInicializacao.h"
#include "core/unLeituraBruta.h"
#include "core/unTDiaUtil.h"
#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"
#include "registry/unVinculo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <filesystem>
#include <zip.h>

namespace {

const QString Versao = QStringLiteral("VERSAO.txt");
const QString TabelaConsignados = QStringLiteral("QZLTBG22_EMPREGADO_CNSGTRA");

QString Identificador(const QString &nome) {
  return u'"' + QString(nome).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString Caminho(const QString &pasta, const QString &nome) {
  return QDir(pasta).filePath(nome);
}

// ---------------------------------------------------------------- values ---

void AcrescentarDecimal(QByteArray &s, qint64 v, int escala) {
  const bool negativo = v < 0;
  const quint64 u = negativo ? 0 - static_cast<quint64>(v) : static_cast<quint64>(v);
  QByteArray d = QByteArray::number(u);
  if (escala > 0) {
    if (d.size() <= escala)
      d.prepend(QByteArray(escala + 1 - d.size(), '0'));
    d.insert(d.size() - escala, '.');
  }
  if (negativo)
    s += '-';
  s += d;
}

void AcrescentarDoisDigitos(QByteArray &s, int v) {
  s += static_cast<char>('0' + v / 10);
  s += static_cast<char>('0' + v % 10);
}

void AcrescentarData(QByteArray &s, const QDate &d) {
  AcrescentarDoisDigitos(s, d.month());
  s += '/';
  AcrescentarDoisDigitos(s, d.day());
  s += '/';
  s += QByteArray::number(d.year()).rightJustified(4, '0');
}

// hh:mm:ss, and the fraction of a second (ten-thousandths) only when there is one.
void AcrescentarHora(QByteArray &s, quint32 t) {
  const quint32 seg = t / 10000, fracao = t % 10000;
  AcrescentarDoisDigitos(s, static_cast<int>(seg / 3600));
  s += ':';
  AcrescentarDoisDigitos(s, static_cast<int>(seg / 60 % 60));
  s += ':';
  AcrescentarDoisDigitos(s, static_cast<int>(seg % 60));
  if (fracao) {
    s += '.';
    s += QByteArray::number(fracao).rightJustified(4, '0');
  }
}

// A text in single quotes, in the Western code page, inner quotes doubled; a
// line break is concatenated as ASCII_CHAR so that each row stays one line.
void AcrescentarTexto(QByteArray &s, const QByteArray &utf8) {
  // Plain ASCII is the same in both code pages: most texts need no conversion.
  bool ascii = true;
  for (char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  const QByteArray b = ascii ? utf8 : ParaWin1252(QString::fromUtf8(utf8));
  s += '\'';
  for (char c : b) {
    if (c == '\'') {
      s += "''";
    } else if (c == '\r' || c == '\n') {
      s += "' || ASCII_CHAR(";
      s += c == '\r' ? "13" : "10";
      s += ") || '";
    } else {
      s += c;
    }
  }
  s += '\'';
}

void AcrescentarValor(QByteArray &s, const TLeituraBruta::Linha &l, int i,
                      const TDataSet::Coluna &c) {
  if (l.Nulo(i)) {
    s += "NULL";
    return;
  }
  switch (c.Tipo) {
  case TTipoCampo::Inteiro:
  case TTipoCampo::Inteiro64:
  case TTipoCampo::Decimal:
    AcrescentarDecimal(s, l.Inteiro(i), c.Tipo == TTipoCampo::Decimal ? c.Escala : 0);
    break;
  case TTipoCampo::Real:
    s += QByteArray::number(l.Real(i), 'g', 17);
    break;
  case TTipoCampo::Data:
    s += '\'';
    AcrescentarData(s, l.Data(i));
    s += '\'';
    break;
  case TTipoCampo::Hora:
    s += '\'';
    AcrescentarHora(s, l.Hora(i));
    s += '\'';
    break;
  case TTipoCampo::DataHora:
    s += '\'';
    AcrescentarData(s, l.Data(i));
    s += ' ';
    AcrescentarHora(s, l.Hora(i));
    s += '\'';
    break;
  case TTipoCampo::Booleano:
    s += l.Booleano(i) ? "TRUE" : "FALSE";
    break;
  default:
    AcrescentarTexto(s, l.Texto(i));
  }
}

// Writes a file in large pieces and fails loudly: a table file that is not
// completely on disk must fail the backup.
class TGravador {
public:
  explicit TGravador(const QString &caminho) : arq_(caminho) {
    if (!arq_.open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw EBackup(QStringLiteral("Não foi possível criar o arquivo %1: %2")
                        .arg(caminho, arq_.errorString()));
    buf_.reserve(Limite + 4096);
  }
  void Linha(const QByteArray &l) {
    buf_ += l;
    buf_ += "\r\n";
    if (buf_.size() >= Limite)
      Descarregar();
  }
  void Fechar() {
    Descarregar();
    if (!arq_.flush())
      Falhou();
    arq_.close();
    if (arq_.error() != QFileDevice::NoError)
      Falhou();
  }

private:
  static constexpr int Limite = 1 << 20;
  void Descarregar() {
    if (!buf_.isEmpty() && arq_.write(buf_) != buf_.size())
      Falhou();
    buf_.clear();
  }
  [[noreturn]] void Falhou() {
    throw EBackup(
        QStringLiteral("Erro ao gravar o arquivo %1: %2").arg(arq_.fileName(), arq_.errorString()));
  }
  QFile arq_;
  QByteArray buf_;
};

// ------------------------------------------------------ statement parsing ---

class TLeitor {
public:
  explicit TLeitor(const QString &s) : s_(s) {}
  void Espacos() {
    while (p_ < s_.size() && s_.at(p_).isSpace())
      ++p_;
  }
  bool Fim() const { return p_ >= s_.size(); }
  QChar Atual() const { return Fim() ? QChar() : s_.at(p_); }
  bool Caractere(QChar c) {
    Espacos();
    if (Atual() != c)
      return false;
    ++p_;
    return true;
  }
  QString Palavra() {
    Espacos();
    const int ini = p_;
    while (p_ < s_.size() &&
           (s_.at(p_).isLetterOrNumber() || s_.at(p_) == u'_' || s_.at(p_) == u'$'))
      ++p_;
    return s_.mid(ini, p_ - ini);
  }
  bool PalavraChave(const char *k) {
    return Palavra().compare(QLatin1String(k), Qt::CaseInsensitive) == 0;
  }
  // A quoted identifier as written, or a plain one in upper case.
  bool Nome(QString &nome) {
    Espacos();
    if (Atual() == u'"') {
      ++p_;
      nome.clear();
      while (p_ < s_.size()) {
        const QChar c = s_.at(p_++);
        if (c == u'"') {
          if (Atual() == u'"') {
            nome += c;
            ++p_;
            continue;
          }
          return !nome.isEmpty();
        }
        nome += c;
      }
      return false;
    }
    nome = Palavra().toUpper();
    return !nome.isEmpty();
  }
  // One value of the list: a quoted text, a number, NULL/TRUE/FALSE or
  // ASCII_CHAR(n), joined by "||". Nothing else may reach the database.
  bool Valor() {
    for (;;) {
      Espacos();
      const QChar c = Atual();
      if (c == u'\'') {
        ++p_;
        for (;;) {
          if (Fim())
            return false;
          if (s_.at(p_++) == u'\'') {
            if (Atual() == u'\'') {
              ++p_;
              continue;
            }
            break;
          }
        }
      } else if (c.isDigit() || c == u'-' || c == u'+' || c == u'.') {
        if (c == u'-' || c == u'+')
          ++p_;
        const int ini = p_;
        while (!Fim() && (Atual().isDigit() || Atual() == u'.'))
          ++p_;
        if (p_ == ini)
          return false;
        if (!Fim() && (Atual() == u'E' || Atual() == u'e')) {
          ++p_;
          if (Atual() == u'-' || Atual() == u'+')
            ++p_;
          const int ie = p_;
          while (!Fim() && Atual().isDigit())
            ++p_;
          if (p_ == ie)
            return false;
        }
      } else {
        const QString w = Palavra().toUpper();
        if (w == QLatin1String("ASCII_CHAR")) {
          if (!Caractere(u'('))
            return false;
          Espacos();
          const int ini = p_;
          while (!Fim() && Atual().isDigit())
            ++p_;
          if (p_ == ini || !Caractere(u')'))
            return false;
        } else if (w != QLatin1String("NULL") && w != QLatin1String("TRUE") &&
                   w != QLatin1String("FALSE")) {
          return false;
        }
      }
      Espacos();
      if (p_ + 1 < s_.size() && s_.at(p_) == u'|' && s_.at(p_ + 1) == u'|') {
        p_ += 2;
        continue;
      }
      return true;
    }
  }

private:
  const QString &s_;
  int p_ = 0;
};

} // namespace

// ==================================================================== TBackup

QStringList TBackup::MontarListaTabelas() {
  return {QStringLiteral("QZLTBG02_EMPRESA"),
          QStringLiteral("QZLTBG01_ABERTURA_RECOLHIMENTO"),
          QStringLiteral("QZLTBG03_EMPREGADO"),
          QStringLiteral("QZLTBG04_VINCULO_EMPREGATICIO"),
          QStringLiteral("QZLTBG06_INFORMACAO_RESCISAO"),
          QStringLiteral("QZLTBG05_ALTERACAO_CADASTRAL"),
          QStringLiteral("QZLTBG07_COMPLEMENTO_SALDO"),
          QStringLiteral("QZLTBG10_CONTA_EMPREGADO_ZELT"),
          QStringLiteral("QZLTBG13_ARQUIVO"),
          QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"),
          QStringLiteral("QZLTBG09_GUIA_INDIVIDUAL"),
          QStringLiteral("QZLTBG15_ENVIO_EMPRESA"),
          QStringLiteral("QZLTBG16_ENVIO_EMPREGADO"),
          QStringLiteral("QZLTBG14_OCORRENCIA_GUIA"),
          QStringLiteral("QZLTBG18_INCONSISTENCIA_ARQUIVO"),
          QStringLiteral("QZLTBT15_DIA_UTIL"),
          QStringLiteral("QZLTBT16_INDICE_GUIA_RESCISORIA"),
          QStringLiteral("QZLTBT17_INDICE_SIMPLIFICADO"),
          QStringLiteral("QZLTBT18_INDICE_PRORATA"),
          QStringLiteral("QZLTBG22_EMPREGADO_CNSGTRA"),
          QStringLiteral("QZLTBG30_REPOSICAO_VAGA"),
          QStringLiteral("QZLTBG19_RESPONSAVEL_HMLGO"),
          QStringLiteral("QZLTBG20_EMPRESA_HMLGO"),
          QStringLiteral("QZLTBG21_EMPREGADO_HMLGO")};
}

TBackup::TBackup() : Tabelas(MontarListaTabelas()) {}

TBackup::TBackup(const QString &Tabela, const QString &Condicao)
    : Tabelas({Tabela}), Condicao(Condicao), completo_(false) {}

QString TBackup::CondicaoIdentificador(const QString &Identificador) {
  return QStringLiteral("WHERE NU_IDENTIFICADOR_ARQUIVO = '") +
         QString(Identificador).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QStringList TBackup::NomesEsperados() const {
  QStringList r;
  for (const QString &t : Tabelas)
    r << NomeArquivoTabela(t);
  r << Versao;
  return r;
}

bool TBackup::GravarVersao(const QString &Pasta) {
  TGravador g(Caminho(Pasta, Versao));
  g.Linha(ParaWin1252(Utilitarios.VersaoSistema(true)));
  g.Fechar();
  return true;
}

bool TBackup::LerVersao(const QString &Pasta) {
  MesmaVersao = false;
  VersaoBackup.clear();
  QFile f(Caminho(Pasta, Versao));
  if (!f.open(QIODevice::ReadOnly))
    return false;
  const QString linha = DeWin1252(f.readLine()).trimmed();
  VersaoBackup = linha.left(6);
  // Only a line equal to the current version line (code and date) is the
  // same version.
  MesmaVersao = !linha.isEmpty() && linha == Utilitarios.VersaoSistema(true).trimmed();
  return MesmaVersao;
}

void TBackup::ApagarArquivos(const QString &Pasta) {
  for (const QString &nome : NomesEsperados())
    QFile::remove(Caminho(Pasta, nome));
}

bool TBackup::ConsignadosAntigos(const QString &Versao) {
  bool ok = false;
  const int n = QString(Versao).remove(u'.').trimmed().toInt(&ok);
  if (!ok)
    throw EBackup(QStringLiteral("'%1' não é uma versão válida.").arg(Versao));
  return n < 3315;
}

// The columns of a table in their order; SomenteDados leaves out what a
// dump cannot hold (computed, binary and array columns).
QStringList TBackup::ColunasTabela(const QString &Tabela, bool SomenteDados) {
  QString sql =
      QStringLiteral("SELECT TRIM(RF.RDB$FIELD_NAME) AS CAMPO FROM RDB$RELATION_FIELDS RF "
                     "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
                     "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
                     "WHERE R.RDB$RELATION_NAME = ") +
      Utilitarios.TextoSQL(Tabela) + QStringLiteral(" AND R.RDB$SYSTEM_FLAG = 0");
  if (SomenteDados)
    sql += QStringLiteral(" AND F.RDB$COMPUTED_BLR IS NULL AND F.RDB$FIELD_TYPE <> 261 "
                          "AND COALESCE(F.RDB$DIMENSIONS, 0) = 0");
  sql += QStringLiteral(" ORDER BY RF.RDB$FIELD_POSITION");
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  QStringList r;
  for (ds->First(); !ds->Eof(); ds->Next())
    r << ds->Fields(0).AsString();
  return r;
}

void TBackup::ExportarTabela(TLeituraBruta &leitura, const QString &Tabela, const QString &Pasta) {
  const QStringList colunas = ColunasTabela(Tabela, true);
  if (colunas.isEmpty())
    throw EBackup(QStringLiteral("Tabela %1 não encontrada.").arg(Tabela));
  QStringList ids;
  for (const QString &c : colunas)
    ids << Identificador(c);
  const QByteArray prefixo =
      ParaWin1252(QStringLiteral("INSERT INTO ") + Identificador(Tabela) + QStringLiteral(" (") +
                  ids.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ("));
  QString sql = QStringLiteral("SELECT ") + ids.join(QStringLiteral(", ")) +
                QStringLiteral(" FROM ") + Identificador(Tabela);
  if (!Condicao.trimmed().isEmpty())
    sql += u' ' + Condicao.trimmed();

  TGravador g(Caminho(Pasta, NomeArquivoTabela(Tabela)));
  QByteArray linha;
  linha.reserve(4096);
  leitura.Percorrer(sql, [&](const TLeituraBruta::TColunas &cols, const TLeituraBruta::Linha *l) {
    if (!l)
      return;
    linha = prefixo;
    for (int i = 0; i < static_cast<int>(cols.size()); ++i) {
      if (i)
        linha += ", ";
      AcrescentarValor(linha, *l, i, cols[i]);
    }
    linha += ");";
    g.Linha(linha);
  });
  g.Fechar();
  ArquivosGravados << NomeArquivoTabela(Tabela);
}

bool TBackup::Exportar(const QString &Pasta) {
  ArquivosGravados.clear();
  if (Pasta.isEmpty() || !QDir(Pasta).exists())
    throw EBackup(QStringLiteral("Diretório não exite."));
  if (!IbxUtils)
    throw EBackup(QStringLiteral("Banco de dados não conectado."));
  if (ComVersao) {
    try {
      GravarVersao(Pasta);
    } catch (const std::exception &) {
      throw EBackup(QStringLiteral("Erro ao criar arquivo de versão"));
    }
    ArquivosGravados << Versao;
  }
  // One snapshot for every table, so the files agree with each other.
  TLeituraBruta leitura(*IbxUtils);
  for (int i = 0; i < Tabelas.size(); ++i) {
    Etapa(QStringLiteral("Exportando %1").arg(Tabelas.at(i)));
    ExportarTabela(leitura, Tabelas.at(i), Pasta);
    if (AoAvancar)
      AoAvancar(i + 1, Tabelas.size());
  }
  return true;
}

// ------------------------------------------------------------------ restore

bool TBackup::AnalisarInsercao(const QString &Linha, QString &Tabela, QStringList *Colunas) {
  TLeitor r(Linha);
  if (!r.PalavraChave("INSERT") || !r.PalavraChave("INTO") || !r.Nome(Tabela) || !r.Caractere(u'('))
    return false;
  int n = 0;
  for (;;) {
    QString c;
    if (!r.Nome(c))
      return false;
    ++n;
    if (Colunas)
      Colunas->append(c);
    if (r.Caractere(u')'))
      break;
    if (!r.Caractere(u','))
      return false;
  }
  if (!r.PalavraChave("VALUES") || !r.Caractere(u'('))
    return false;
  int valores = 0;
  for (;;) {
    if (!r.Valor())
      return false;
    ++valores;
    if (r.Caractere(u')'))
      break;
    if (!r.Caractere(u','))
      return false;
  }
  r.Caractere(u';');
  r.Espacos();
  return r.Fim() && valores == n;
}

bool TBackup::EstruturaDiferente(const QString &Tabela, const QString &Linha) {
  QString tabela;
  QStringList lista;
  if (!AnalisarInsercao(Linha, tabela, &lista))
    return true;
  const QSet<QString> presentes(lista.begin(), lista.end());
  for (const QString &c : ColunasTabela(Tabela, true))
    if (!presentes.contains(c.trimmed()))
      return true;
  return false;
}

// Reads every file before anything is deleted: each non-blank line must be
// an INSERT into that file's own table, and a current column missing from a
// file stops the restore here.
void TBackup::ConferirArquivos(const QString &Pasta, qint64 &TotalLinhas) {
  TotalLinhas = 0;
  for (const QString &tabela : Tabelas) {
    QFile f(Caminho(Pasta, NomeArquivoTabela(tabela)));
    if (!f.exists() || (tabela == TabelaConsignados && pularConsignados_))
      continue;
    if (!f.open(QIODevice::ReadOnly))
      throw EBackup(QStringLiteral("Não foi possível ler %1.").arg(f.fileName()));
    bool primeira = true;
    qint64 numero = 0;
    while (!f.atEnd()) {
      ++numero;
      const QString linha = DeWin1252(f.readLine()).trimmed();
      if (linha.isEmpty())
        continue;
      QString destino;
      QStringList colunas;
      if (!AnalisarInsercao(linha, destino, primeira ? &colunas : nullptr) ||
          destino.compare(tabela, Qt::CaseInsensitive) != 0)
        throw EBackup(QStringLiteral("Linha %1 de %2 não é uma inclusão na tabela %3.")
                          .arg(numero)
                          .arg(NomeArquivoTabela(tabela), tabela));
      if (primeira && !ArquivosFaltando) {
        EstruturaAlterada = EstruturaDiferente(tabela, linha);
        if (EstruturaAlterada)
          throw EBackup(QStringLiteral("Estrutura da tabela alterada."));
      }
      primeira = false;
      ++TotalLinhas;
    }
  }
}

// Generators whose values the restored rows already hold: raised to the
// restored maxima so the next recorded row does not collide with them.
void TBackup::ElevarGeradores() {
  struct Gerador {
    const char *Nome;
    QStringList Tabelas;
    const char *Coluna;
  };
  const Gerador geradores[] = {
      {"GEN_QZLTBG18_ARQUIVO_ID",
       {QStringLiteral("QZLTBG18_INCONSISTENCIA_ARQUIVO")},
       "NU_INCONSISTENCIA"},
      {"S_QZLTBG19_RESPONSAVEL_HMLGO",
       {QStringLiteral("QZLTBG19_RESPONSAVEL_HMLGO"), QStringLiteral("QZLTBG20_EMPRESA_HMLGO"),
        QStringLiteral("QZLTBG21_EMPREGADO_HMLGO")},
       "NU_IDENTIFICADOR_ARQUIVO"}};
  for (const Gerador &g : geradores) {
    qint64 maior = 0;
    bool listado = false;
    for (const QString &t : g.Tabelas) {
      if (!Tabelas.contains(t))
        continue;
      listado = true;
      TDataSetPtr ds = IbxUtils->AbrirConsulta(
          QStringLiteral("SELECT MAX(%1) FROM %2").arg(QLatin1String(g.Coluna), t));
      if (!ds->Fields(0).IsNull())
        maior = std::max(maior, ds->Fields(0).AsInt64());
    }
    if (!listado)
      continue;
    TDataSetPtr atual = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE").arg(QLatin1String(g.Nome)));
    const qint64 valor = atual->Fields(0).AsInt64();
    if (maior > valor)
      IbxUtils->AbrirConsulta(QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE")
                                  .arg(QLatin1String(g.Nome))
                                  .arg(maior - valor));
  }
}

bool TBackup::Restaurar(const QString &Pasta) {
  InconsistenciasEncontradas = false;
  EstruturaAlterada = false;
  Erro.clear();
  bool propria = false;
  try {
    if (!IbxUtils)
      throw EBackup(QStringLiteral("Banco de dados não conectado."));
    if (Pasta.isEmpty() || !QDir(Pasta).exists())
      throw EBackup(QStringLiteral("Diretório não exite."));
    ArquivosFaltando = false;
    for (const QString &t : Tabelas)
      if (!QFileInfo::exists(Caminho(Pasta, NomeArquivoTabela(t))))
        ArquivosFaltando = true;
    // One table replaces the rows of its condition: without its file there
    // is nothing to put in their place.
    if (!completo_ && ArquivosFaltando)
      throw EBackup(
          QStringLiteral("Arquivo %1 não encontrado.").arg(NomeArquivoTabela(Tabelas.value(0))));

    // The payroll-loan contracts of a backup older than their current form
    // are not loaded; a version that is not a number fails here.
    pularConsignados_ = Tabelas.contains(TabelaConsignados) && ConsignadosAntigos(VersaoBackup);
    Etapa(QStringLiteral("Conferindo os arquivos do backup"));
    qint64 total = 0;
    ConferirArquivos(Pasta, total);

    propria = !IbxUtils->EmTransacao();
    if (propria)
      IbxUtils->IniciarTransacao();
    Etapa(QStringLiteral("Excluindo os dados atuais"));
    const QString condicao = Condicao.trimmed().isEmpty() ? QString() : u' ' + Condicao.trimmed();
    for (int i = Tabelas.size() - 1; i >= 0; --i)
      IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM ") + Identificador(Tabelas.at(i)) +
                            condicao);

    Etapa(QStringLiteral("Carregando as tabelas"));
    qint64 feitas = 0;
    for (const QString &tabela : Tabelas) {
      if (tabela == TabelaConsignados && pularConsignados_)
        continue;
      QFile f(Caminho(Pasta, NomeArquivoTabela(tabela)));
      if (!f.exists())
        continue;
      if (!f.open(QIODevice::ReadOnly))
        throw EBackup(QStringLiteral("Não foi possível ler %1.").arg(f.fileName()));
      while (!f.atEnd()) {
        QByteArray bytes = f.readLine();
        while (!bytes.isEmpty() && (bytes.endsWith('\n') || bytes.endsWith('\r')))
          bytes.chop(1);
        const QString linha = DeWin1252(bytes).trimmed();
        if (linha.isEmpty())
          continue;
        IbxUtils->ExecutarSQL(linha);
        ++feitas;
        if (AoAvancar && (feitas % 1000 == 0 || feitas == total))
          AoAvancar(feitas, total);
      }
    }
    ElevarGeradores();

    if (completo_) {
      if (!MesmaVersao) {
        if (RevalidarVinculos) {
          Etapa(QStringLiteral("Validando os vínculos"));
          TInconsistencia inc;
          inc.NU_ARQUIVO = 3;
          if (!inc.ExcluirPorArquivo())
            throw EBackup(QStringLiteral("Erro ao excluir as inconsistências de fechamento."));
          TVinculo vinculo;
          if (!vinculo.CarregarTodos() && !vinculo.CodigoErro.isEmpty())
            throw EBackup(QStringLiteral("Erro ao carregar os vínculos."));
          TRetValidaCadastro resultado;
          vinculo.ValidarVinculos(true, nullptr, resultado);
          InconsistenciasEncontradas = resultado.HouveInconsistencia;
        } else {
          TVinculo vinculo;
          if (!vinculo.MarcarValidacao(true, true))
            throw EBackup(QStringLiteral("Erro ao marcar os vínculos para validação."));
        }
      }
      Utilitarios.NormalizarConsignados();
      Utilitarios.RemoverConsignados();
    }

    if (propria)
      IbxUtils->ConfirmarTransacao();
    if (completo_ || Tabelas.contains(QStringLiteral("QZLTBG01_ABERTURA_RECOLHIMENTO")) ||
        Tabelas.contains(QStringLiteral("QZLTBT18_INDICE_PRORATA")) ||
        Tabelas.contains(QStringLiteral("QZLTBT15_DIA_UTIL"))) {
      CarregarDataPagamento();
      CarregarDataEditalProrata();
      RecarregarDiaUtil();
    }
    return true;
  } catch (const EBackup &e) {
    Erro = e.Texto;
  } catch (const EBancoDados &e) {
    Erro = e.Mensagem;
  } catch (const std::exception &e) {
    Erro = QString::fromUtf8(e.what());
  }
  if (propria && IbxUtils->EmTransacao()) {
    try {
      IbxUtils->DesfazerTransacao();
    } catch (...) {
    }
  }
  return false;
}

// ------------------------------------------------------------------ archive

void TBackup::Compactar(const QString &Pasta, const QString &Arquivo) {
  if (ArquivosGravados.isEmpty())
    throw EBackup(QStringLiteral("Nenhum arquivo a compactar."));
  // Written beside the target under a name of its own and renamed at the
  // end: a failure leaves an existing archive of that name untouched.
  const QFileInfo destino(Arquivo);
  QString temporario;
  do {
    temporario = destino.absoluteDir().filePath(
        QStringLiteral(".%1.%2.parcial")
            .arg(destino.fileName())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
  } while (QFileInfo::exists(temporario));
  int erro = 0;
  zip_t *za = zip_open(QFile::encodeName(temporario).constData(), ZIP_CREATE | ZIP_EXCL, &erro);
  if (!za) {
    zip_error_t ze;
    zip_error_init_with_code(&ze, erro);
    const QString texto = QString::fromUtf8(zip_error_strerror(&ze));
    zip_error_fini(&ze);
    throw EBackup(QStringLiteral("Não foi possível criar %1: %2").arg(Arquivo, texto));
  }
  auto falhar = [&](const QString &texto) {
    zip_discard(za);
    QFile::remove(temporario);
    throw EBackup(texto);
  };
  for (const QString &nome : ArquivosGravados) {
    const QByteArray origem = QFile::encodeName(Caminho(Pasta, nome));
    zip_source_t *src = zip_source_file(za, origem.constData(), 0, -1);
    if (!src)
      falhar(QStringLiteral("%1: %2").arg(nome, QString::fromUtf8(zip_strerror(za))));
    const zip_int64_t i = zip_file_add(za, nome.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
    if (i < 0) {
      zip_source_free(src);
      falhar(QStringLiteral("%1: %2").arg(nome, QString::fromUtf8(zip_strerror(za))));
    }
    if (zip_set_file_compression(za, static_cast<zip_uint64_t>(i), ZIP_CM_DEFLATE, 9) != 0 ||
        zip_file_set_encryption(za, static_cast<zip_uint64_t>(i), ZIP_EM_TRAD_PKWARE,
                                SenhaBackup) != 0)
      falhar(QStringLiteral("%1: %2").arg(nome, QString::fromUtf8(zip_strerror(za))));
  }
  Etapa(QStringLiteral("Compactando o backup"));
  if (zip_close(za) != 0)
    falhar(
        QStringLiteral("Erro ao gravar %1: %2").arg(Arquivo, QString::fromUtf8(zip_strerror(za))));
  std::error_code ec;
  std::filesystem::rename(QFile::encodeName(temporario).toStdString(),
                          QFile::encodeName(Arquivo).toStdString(), ec);
  if (ec) {
    QFile::remove(temporario);
    throw EBackup(
        QStringLiteral("Erro ao gravar %1: %2").arg(Arquivo, QString::fromStdString(ec.message())));
  }
}

bool TBackup::Descompactar(const QString &Arquivo, const QString &Pasta) {
  Erro.clear();
  int erro = 0;
  zip_t *za = zip_open(QFile::encodeName(Arquivo).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &erro);
  if (!za) {
    zip_error_t ze;
    zip_error_init_with_code(&ze, erro);
    Erro = QStringLiteral("Arquivo de backup inválido: %1")
               .arg(QString::fromUtf8(zip_error_strerror(&ze)));
    zip_error_fini(&ze);
    return false;
  }
  QHash<QString, QString> esperados; // upper-case name -> name on disk
  for (const QString &n : NomesEsperados())
    esperados.insert(n.toUpper(), n);
  QSet<QString> vistos;
  bool ok = true;
  int tabelas = 0;
  const zip_int64_t n = zip_get_num_entries(za, 0);
  for (zip_int64_t i = 0; i < n && ok; ++i) {
    const char *bruto = zip_get_name(za, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    if (!bruto)
      continue;
    QString nome = QString::fromUtf8(bruto);
    nome = nome.mid(std::max(nome.lastIndexOf(u'/'), nome.lastIndexOf(u'\\')) + 1);
    const QString chave = nome.toUpper();
    if (nome.isEmpty() || !esperados.contains(chave))
      continue; // only the expected names, and never a stored path, reach the disk
    if (vistos.contains(chave)) {
      Erro = QStringLiteral("O arquivo %1 aparece mais de uma vez no backup.").arg(nome);
      ok = false;
      break;
    }
    vistos.insert(chave);
    if (chave != Versao.toUpper())
      ++tabelas;
    zip_file_t *zf = zip_fopen_index_encrypted(za, static_cast<zip_uint64_t>(i), 0, SenhaBackup);
    if (!zf) {
      Erro = QStringLiteral("%1: %2").arg(nome, QString::fromUtf8(zip_strerror(za)));
      ok = false;
      break;
    }
    QFile saida(Caminho(Pasta, esperados.value(chave)));
    if (!saida.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      Erro = QStringLiteral("Não foi possível criar %1.").arg(saida.fileName());
      zip_fclose(zf);
      ok = false;
      break;
    }
    QByteArray buf(1 << 16, Qt::Uninitialized);
    for (;;) {
      // Reading to the end checks the entry's CRC: a wrong password or a
      // damaged entry fails here.
      const zip_int64_t lidos = zip_fread(zf, buf.data(), static_cast<zip_uint64_t>(buf.size()));
      if (lidos < 0) {
        Erro = QStringLiteral("%1: %2").arg(nome, QString::fromUtf8(zip_file_strerror(zf)));
        ok = false;
        break;
      }
      if (lidos == 0)
        break;
      if (saida.write(buf.constData(), lidos) != lidos) {
        Erro = QStringLiteral("Erro ao gravar %1.").arg(saida.fileName());
        ok = false;
        break;
      }
    }
    if (zip_fclose(zf) != 0 && ok) {
      Erro = QStringLiteral("%1: arquivo danificado.").arg(nome);
      ok = false;
    }
    saida.close();
    if (ok && saida.error() != QFileDevice::NoError) {
      Erro = QStringLiteral("Erro ao gravar %1.").arg(saida.fileName());
      ok = false;
    }
  }
  zip_discard(za);
  // An archive with no table of the list would only empty the database.
  if (ok && tabelas == 0) {
    Erro = QStringLiteral("O arquivo não contém tabelas de um backup.");
    ok = false;
  }
  return ok;
}

// ========================================================== whole operations

QString FazerBackup(TBackup &Backup, const QString &PastaTemp, const QString &Arquivo,
                    QString *Erro) {
  if (!IbxUtils || !IbxUtils->Conectado)
    return QString();
  if (!QDir().mkpath(PastaTemp))
    return QStringLiteral("0227");
  QString resultado = QStringLiteral("0107");
  try {
    Backup.ApagarArquivos(PastaTemp);
    Backup.Exportar(PastaTemp);
    Backup.Compactar(PastaTemp, Arquivo);
    resultado = QStringLiteral("0252");
  } catch (const EBackup &e) {
    if (Erro)
      *Erro = e.Texto;
  } catch (const EBancoDados &e) {
    if (Erro)
      *Erro = e.Mensagem;
  } catch (const std::exception &e) {
    if (Erro)
      *Erro = QString::fromUtf8(e.what());
  }
  Backup.ApagarArquivos(PastaTemp);
  return resultado;
}

QString RestaurarBackup(TBackup &Backup, const QString &PastaTemp, const QString &Arquivo,
                        const std::function<bool()> &PerguntarRevalidar) {
  if (!QFileInfo(Arquivo).isFile())
    return QStringLiteral("0251");
  QString resultado = QStringLiteral("0104");
  if (!QDir().mkpath(PastaTemp)) {
    Backup.Erro = QStringLiteral("Não foi possível criar a pasta %1.").arg(PastaTemp);
    return resultado;
  }
  Backup.ApagarArquivos(PastaTemp);
  try {
    if (Backup.Descompactar(Arquivo, PastaTemp)) {
      if (!Backup.LerVersao(PastaTemp))
        Backup.RevalidarVinculos = PerguntarRevalidar ? PerguntarRevalidar() : false;
      if (Backup.Restaurar(PastaTemp) && !Backup.EstruturaAlterada)
        resultado =
            Backup.InconsistenciasEncontradas ? QStringLiteral("0478") : QStringLiteral("0255");
      else if (Backup.EstruturaAlterada)
        resultado = QStringLiteral("0479");
    }
  } catch (const EBancoDados &e) {
    Backup.Erro = e.Mensagem;
  } catch (const std::exception &e) {
    Backup.Erro = QString::fromUtf8(e.what());
  }
  Backup.ApagarArquivos(PastaTemp);
  return resultado;
}
