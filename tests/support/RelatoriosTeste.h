#pragma once
// A small registry for the listings and the tools that read their PDFs:
// a responsible party, three employers (two of the same name, one CNPJ and
// one CEI), workers with links at one or two employers, one without links,
// and registration changes confirmed and not.
#include "support/BancoTeste.h"

#include <QProcess>
#include <QRegularExpression>

namespace rel_teste {
// Output of a tool, or "" when it fails.
inline QString Rodar(const QString &programa, const QStringList &args) {
  QProcess p;
  p.start(programa, args);
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
    return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page of a PDF (pdftotext -layout), split on form feeds.
inline QStringList TextoPaginas(const QString &pdf) {
  QStringList p =
      Rodar(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
          .split(u'\f');
  if (!p.isEmpty() && p.last().trimmed().isEmpty())
    p.removeLast();
  return p;
}

// "842 x 595" (points) of the first page.
inline QString TamanhoPagina(const QString &pdf) {
  const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+)"))
                     .match(Rodar(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1) : QString();
}

// The page text with the clock line taken out: two runs differ only there.
inline QString SemHora(QString texto) {
  return texto.remove(QRegularExpression(QStringLiteral("HORA: \\d\\d:\\d\\d:\\d\\d")));
}
} // namespace rel_teste

class RelatoriosTeste : public BancoTeste {
protected:
  static constexpr qint64 Cnpj1 = 11222333000181; // ALFA (CNPJ)
  static constexpr qint64 Cei2 = 123456789012;    // ALFA (CEI), same name
  static constexpr qint64 Cnpj3 = 33000167000101; // BETA

  void Empresa(int tipo, qint64 insc, const QString &nome, const QString &estado = "E") {
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, "
                 "SG_UF, NU_IBGE, NU_INSS, NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, "
                 "NO_LOCALIDADE, NU_DDD, NU_TELEFONE, NO_CONTATO, CO_ENDERECO_VIRTUAL_CONTATO, "
                 "IC_ESTADO_EMPRESA) VALUES (%1, %2, 1, 'SP', 4781400, 515, '%3', "
                 "'AV PAULISTA 1000', 'BELA VISTA', 1310100, 'SÃO PAULO', 11, 32145678, "
                 "'MARIA CONTATO', 'contato@alfa.example', '%4')")
                 .arg(tipo)
                 .arg(insc)
                 .arg(QString(nome).replace(u'\'', QStringLiteral("''")), estado));
  }
  void Trabalhador(qint64 pis, const QString &nome, int ctps = 1234, int serie = 12) {
    Executar(QStringLiteral("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, NU_CTPS, "
                            "NU_SERIE_CTPS, DT_NASCIMENTO) VALUES (%1, '%2', %3, %4, '1980-02-15')")
                 .arg(pis)
                 .arg(QString(nome).replace(u'\'', QStringLiteral("''")))
                 .arg(ctps)
                 .arg(serie));
  }
  void Vinculo(int tipo, qint64 insc, qint64 pis, int categoria, const QString &admissao,
               qint64 tomador = 0) {
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                 "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, DT_OPCAO, CO_MOVIMENTACAO, "
                 "DT_MOVIMENTACAO_VINCULO, IC_AVISO_PREVIO, NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR, "
                 "IC_ESTADO_MOVIMENTO) VALUES (%1, %2, %3, %4, '%5', '%5', 'I1', '2024-03-05', 1, "
                 "%6, %7, 0)")
                 .arg(tipo)
                 .arg(insc)
                 .arg(pis)
                 .arg(categoria)
                 .arg(admissao)
                 .arg(tomador > 0 ? QStringLiteral("1") : QStringLiteral("NULL"))
                 .arg(tomador > 0 ? QString::number(tomador) : QStringLiteral("NULL")));
  }

  void PreencherCadastro() {
    Empresa(1, 11444777000161, QStringLiteral("RESPONSÁVEL CONTÁBIL"), QStringLiteral("R"));
    Empresa(1, Cnpj1, QStringLiteral("ALFA COMÉRCIO"));
    Empresa(2, Cei2, QStringLiteral("ALFA COMÉRCIO"));
    Empresa(1, Cnpj3, QStringLiteral("BETA D'ÁVILA LTDA"));
    Trabalhador(12345678901, QStringLiteral("JOSÉ D'ÁVILA \"ZÉ\""));
    Trabalhador(10987654321, QStringLiteral("ANA SOUZA"), 7654321, 54321);
    Trabalhador(20000000001, QStringLiteral("CARLOS SEM VÍNCULO"));
    Trabalhador(20000000002, QStringLiteral("BRUNO BETA"));
    // José at both ALFA employers (category 5 at the CEI one), Ana at the
    // first, Bruno only at BETA, Carlos nowhere.
    Vinculo(1, Cnpj1, 12345678901, 1, QStringLiteral("2015-06-01"), Cnpj3);
    Vinculo(2, Cei2, 12345678901, 5, QStringLiteral("2016-01-10"));
    Vinculo(1, Cnpj1, 10987654321, 11, QStringLiteral("2010-03-20"));
    Vinculo(1, Cnpj3, 20000000002, 1, QStringLiteral("2019-09-09"));
  }
};
