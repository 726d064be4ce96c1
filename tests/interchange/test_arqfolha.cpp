// Payroll import: valid files read back field by field, faulty records
// reaching their message at the right line, refusals that leave the database
// untouched, cancelling in every pass, and re-imports of stored links.
#include "support/FolhaTeste.h"

#include "core/unUtilitarios.h"

#include <QDate>

namespace {
QString C(const QString &l, int pos, int tam) {
  return l.mid(pos - 1, tam);
}
QString Aparado(const QString &s) {
  QString t = s;
  while (t.endsWith(u' '))
    t.chop(1);
  return t;
}
QString Iso(const QString &ddmmyyyy) {
  return QDate::fromString(ddmmyyyy, QStringLiteral("ddMMyyyy")).toString(Qt::ISODate);
}
double Centavos(const QString &s) {
  return s.toLongLong() / 100.0;
}
int IndiceTipo(const QStringList &linhas, const QString &tipo, int ocorrencia = 1) {
  for (int i = 0; i < linhas.size(); ++i)
    if (linhas.at(i).startsWith(tipo) && --ocorrencia == 0)
      return i + 1;
  return 0;
}
} // namespace

TEST_F(FolhaTeste, UmaEmpresaGravadaCampoACampo) {
  const QStringList linhas = Gerar({"--empresas", "1", "--vinculos", "3", "--semente", "7"});
  ASSERT_TRUE(Importar(Gravar(linhas)));
  EXPECT_TRUE(Inconsistencias().empty());
  EXPECT_TRUE(folha->CodigoErro.isEmpty());
  EXPECT_FALSE(IbxUtils->EmTransacao());
  ASSERT_EQ(folha->Indice.size(), static_cast<size_t>(linhas.size()));

  const QString h = linhas.first();
  TDataSetPtr resp = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, NO_CONTATO, DE_LOGRADOURO, "
      "NO_BAIRRO, NU_CEP, NO_LOCALIDADE, SG_UF, NU_DDD, NU_TELEFONE, "
      "CO_ENDERECO_VIRTUAL_CONTATO, IC_ESTADO_EMPRESA FROM QZLTBG02_EMPRESA WHERE "
      "IC_ESTADO_EMPRESA IN ('R', 'A')"));
  ASSERT_EQ(resp->RecordCount(), 1);
  EXPECT_EQ(resp->Fields(0).AsInteger(), C(h, 55, 1).toInt());
  EXPECT_EQ(resp->Fields(1).AsInt64(), C(h, 56, 14).toLongLong());
  EXPECT_EQ(resp->Fields(2).AsString(), Aparado(C(h, 70, 30)));
  EXPECT_EQ(resp->Fields(3).AsString(), Aparado(C(h, 100, 20)));
  EXPECT_EQ(resp->Fields(4).AsString(), Aparado(C(h, 120, 50)));
  EXPECT_EQ(resp->Fields(5).AsString(), Aparado(C(h, 170, 20)));
  EXPECT_EQ(resp->Fields(6).AsInteger(), C(h, 190, 8).toInt());
  EXPECT_EQ(resp->Fields(7).AsString(), Aparado(C(h, 198, 20)));
  EXPECT_EQ(resp->Fields(8).AsString(), C(h, 218, 2));
  EXPECT_EQ(resp->Fields(9).AsInteger(), C(h, 220, 4).toInt());
  EXPECT_EQ(resp->Fields(10).AsInteger(), C(h, 224, 8).toInt());
  EXPECT_EQ(resp->Fields(11).AsString(), Aparado(C(h, 232, 60)));
  EXPECT_EQ(resp->Fields(12).AsString(), QStringLiteral("R"));
  EXPECT_EQ(Valor("SELECT DT_PAGAMENTO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
            TUtilitarios::DataParaTexto(
                QDateParaData(QDate::fromString(C(h, 292, 8), QStringLiteral("ddMMyyyy")))));

  const QString e = linhas.at(1);
  TDataSetPtr emp = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, "
                     "SG_UF, NU_DDD, NU_TELEFONE, NU_IBGE, NU_SIMPLES, NU_INSS, IC_ESTADO_EMPRESA "
                     "FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = %1 AND NU_INSCRICAO = %2")
          .arg(C(e, 3, 1), QString::number(C(e, 4, 14).toLongLong())));
  ASSERT_EQ(emp->RecordCount(), 1);
  EXPECT_EQ(emp->Fields(0).AsString(), Aparado(C(e, 54, 40)));
  EXPECT_EQ(emp->Fields(1).AsString(), Aparado(C(e, 94, 50)));
  EXPECT_EQ(emp->Fields(2).AsString(), Aparado(C(e, 144, 20)));
  EXPECT_EQ(emp->Fields(3).AsInteger(), C(e, 164, 8).toInt());
  EXPECT_EQ(emp->Fields(4).AsString(), Aparado(C(e, 172, 20)));
  EXPECT_EQ(emp->Fields(5).AsString(), C(e, 192, 2));
  EXPECT_EQ(emp->Fields(6).AsInteger(), C(e, 194, 4).toInt());
  EXPECT_EQ(emp->Fields(7).AsInteger(), C(e, 198, 8).toInt());
  EXPECT_EQ(emp->Fields(8).AsInteger(), C(e, 206, 7).toInt());
  EXPECT_EQ(emp->Fields(9).AsInteger(), C(e, 213, 1).toInt());
  EXPECT_EQ(emp->Fields(10).AsInteger(), C(e, 214, 3).toInt());
  EXPECT_EQ(emp->Fields(11).AsString(), QStringLiteral("E"));

  int vinculos = 0;
  for (const QString &w : linhas) {
    if (!w.startsWith(QStringLiteral("40")))
      continue;
    ++vinculos;
    SCOPED_TRACE(w.left(60).toStdString());
    TDataSetPtr t = IbxUtils->AbrirConsulta(
        QStringLiteral(
            "SELECT E.NO_EMPREGADO, E.NU_CTPS, E.NU_SERIE_CTPS, E.IC_SEXO, E.NU_GRAU_INSTRUCAO, "
            "E.DT_NASCIMENTO, E.NU_INSCRICAO_CPF, V.QT_HORAS_TRBS_SMNA, V.CO_CBO, V.DT_OPCAO, "
            "V.CO_MOVIMENTACAO, V.DT_MOVIMENTACAO_VINCULO, V.CO_SAQUE, V.IC_AVISO_PREVIO, "
            "V.DT_INICIO_AVISO_PRVO, V.NU_BANCO_CONTA, V.NU_AGENCIA_CONTA, V.NU_CONTA_BANCARIA, "
            "V.IC_ESTADO_MOVIMENTO, R.VR_REMUNERACAO_ANTERIOR_RSCSO, R.VR_REMUNERACAO_RESCISAO, "
            "R.VR_AVISO_PREVIO, R.IC_TIPO_PNSO_ALMNA, R.VR_PENSAO_ALMNA, R.VR_SALDO_RESCISORIO, "
            "R.IC_ORIGEM_SALDO_RESCISORIO, R.DT_DISSIDIO, R.VR_DISSIDIO "
            "FROM QZLTBG04_VINCULO_EMPREGATICIO V JOIN QZLTBG03_EMPREGADO E ON E.NU_PIS = "
            "V.NU_PIS JOIN QZLTBG06_INFORMACAO_RESCISAO R ON R.NU_TIPO_INSO_EMPRA = "
            "V.NU_TIPO_INSO_EMPRA AND R.NU_INSCRICAO = V.NU_INSCRICAO AND R.NU_PIS = V.NU_PIS "
            "AND R.NU_CATEGORIA = V.NU_CATEGORIA AND R.DT_ADMISSAO_VINCULO = "
            "V.DT_ADMISSAO_VINCULO WHERE V.NU_TIPO_INSO_EMPRA = %1 AND V.NU_INSCRICAO = %2 AND "
            "V.NU_PIS = %3 AND V.NU_CATEGORIA = %4 AND V.DT_ADMISSAO_VINCULO = '%5'")
            .arg(C(w, 3, 1), QString::number(C(w, 4, 14).toLongLong()), C(w, 33, 11),
                 QString::number(C(w, 52, 2).toInt()), Iso(C(w, 44, 8))));
    ASSERT_EQ(t->RecordCount(), 1);
    EXPECT_EQ(t->Fields(0).AsString(), Aparado(C(w, 54, 70)));
    EXPECT_EQ(t->Fields(1).AsInteger(), C(w, 124, 7).toInt());
    EXPECT_EQ(t->Fields(2).AsInteger(), C(w, 131, 5).toInt());
    EXPECT_EQ(t->Fields(3).AsInteger(), C(w, 136, 1).toInt());
    EXPECT_EQ(t->Fields(4).AsInteger(), C(w, 137, 2).toInt());
    EXPECT_EQ(t->Fields(5).AsDate().toString(Qt::ISODate), Iso(C(w, 139, 8)));
    if (C(w, 275, 11).toLongLong() == 0)
      EXPECT_TRUE(t->Fields(6).IsNull());
    else
      EXPECT_EQ(t->Fields(6).AsInt64(), C(w, 275, 11).toLongLong());
    EXPECT_EQ(t->Fields(7).AsInteger(), C(w, 147, 2).toInt());
    EXPECT_EQ(t->Fields(8).AsString(), C(w, 149, 6));
    EXPECT_EQ(t->Fields(9).AsDate().toString(Qt::ISODate), Iso(C(w, 155, 8)));
    EXPECT_EQ(t->Fields(10).AsString(), Aparado(C(w, 163, 2)));
    EXPECT_EQ(t->Fields(11).AsDate().toString(Qt::ISODate), Iso(C(w, 165, 8)));
    EXPECT_EQ(t->Fields(12).AsString(), Aparado(C(w, 173, 3)));
    EXPECT_EQ(t->Fields(13).AsInteger(), C(w, 176, 1).toInt());
    if (C(w, 177, 8) == QStringLiteral("00000000"))
      EXPECT_TRUE(t->Fields(14).IsNull());
    else
      EXPECT_EQ(t->Fields(14).AsDate().toString(Qt::ISODate), Iso(C(w, 177, 8)));
    EXPECT_EQ(t->Fields(15).AsInteger(), C(w, 286, 3).toInt());
    EXPECT_EQ(t->Fields(16).AsInteger(), C(w, 289, 4).toInt());
    EXPECT_EQ(t->Fields(17).AsInt64(), C(w, 293, 13).toLongLong());
    EXPECT_EQ(t->Fields(18).AsInteger(), 0);
    EXPECT_DOUBLE_EQ(t->Fields(19).AsFloat(), Centavos(C(w, 209, 15)));
    EXPECT_DOUBLE_EQ(t->Fields(20).AsFloat(), Centavos(C(w, 224, 15)));
    EXPECT_DOUBLE_EQ(t->Fields(21).AsFloat(), Centavos(C(w, 239, 15)));
    EXPECT_EQ(t->Fields(22).AsString(), C(w, 254, 1));
    const QString tp = C(w, 254, 1);
    EXPECT_DOUBLE_EQ(t->Fields(23).AsFloat(), tp == u'P'   ? C(w, 255, 5).toInt()
                                              : tp == u'V' ? Centavos(C(w, 260, 15))
                                                           : 0.0);
    EXPECT_DOUBLE_EQ(t->Fields(24).AsFloat(), Centavos(C(w, 306, 15)));
    EXPECT_EQ(t->Fields(25).AsString(),
              C(w, 306, 15).toLongLong() > 0 ? QStringLiteral("E") : QStringLiteral("N"));
    EXPECT_TRUE(t->Fields(26).IsNull());
  }
  EXPECT_EQ(vinculos, 3);
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO"), 3);
}

TEST_F(FolhaTeste, VariasEmpresasComComplementosEResponsavelEmpresa) {
  const QStringList linhas =
      Gerar({"--empresas", "4", "--vinculos", "12", "--cei", "--complementos", "1",
             "--responsavel-empresa", "--semente", "3"});
  ASSERT_TRUE(Importar(Gravar(linhas)));
  EXPECT_TRUE(Inconsistencias().empty());
  // The responsible party is the first company: one row, in state A.
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 4);
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA = 'A'"), 1);
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = 2"), 1);
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO"), 12);

  // Every filled pair of every complement record is one row, under its number.
  int pares = 0;
  for (const QString &l : linhas) {
    const int tipo = l.left(2).toInt();
    if (tipo < 43 || tipo > 45)
      continue;
    for (int k = 0; k < 14; ++k) {
      const QString comp = C(l, 54 + 21 * k, 6);
      if (comp.toInt() == 0)
        continue;
      ++pares;
      EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO WHERE NU_PIS = %1 AND "
                                      "NU_COMPLEMENTO = %2 AND AA_COMPETENCIA = %3 AND "
                                      "MM_COMPETENCIA = %4 AND VR_REMUNERACAO = %5")
                           .arg(C(l, 33, 11))
                           .arg(tipo - 42)
                           .arg(comp.left(4), comp.mid(4, 2))
                           .arg(Centavos(C(l, 60 + 21 * k, 15)), 0, 'f', 2)),
                1);
    }
  }
  EXPECT_GT(pares, 0);
  EXPECT_EQ(Contar("FROM QZLTBG07_COMPLEMENTO_SALDO"), pares);
  // The link totals follow the complements.
  EXPECT_EQ(Contar("FROM QZLTBG06_INFORMACAO_RESCISAO R WHERE R.VR_DEPOSITO_CMPLO_SALDO IS NOT "
                   "DISTINCT FROM (SELECT SUM(C.VR_DEPOSITO) FROM QZLTBG07_COMPLEMENTO_SALDO C "
                   "WHERE C.NU_PIS = R.NU_PIS AND C.NU_INSCRICAO = R.NU_INSCRICAO)"),
            12);
  // The record index hands the balance request each line's context.
  const int c43 = IndiceTipo(linhas, QStringLiteral("43"));
  if (c43 > 0) {
    const TRegRegistro &r = folha->Indice[static_cast<size_t>(c43 - 1)];
    EXPECT_EQ(r.TipoRegistro, QStringLiteral("43"));
    EXPECT_EQ(r.NomeTrabalhador, C(linhas.at(c43 - 2), 54, 70));
  }
}

// One fault per case, in a valid file of one company with complements.
struct CasoDefeito {
  const char *nome;
  const char *tipoLinha; // record type of the line to change ("40": first worker)
  int ocorrencia;
  int posicao;
  const char *texto;
  int mensagem;
  const char *conteudo; // expected start of the recorded content
};

void PrintTo(const CasoDefeito &c, std::ostream *os) {
  *os << c.nome;
}

class DefeitosFolha : public FolhaTeste, public ::testing::WithParamInterface<CasoDefeito> {};

TEST_P(DefeitosFolha, RegistraAMensagemNaLinhaEDeixaOBancoComoEstava) {
  const CasoDefeito &c = GetParam();
  QStringList linhas =
      Gerar({"--empresas", "2", "--vinculos", "4", "--complementos", "1", "--semente", "11"});
  const int n = IndiceTipo(linhas, QString::fromLatin1(c.tipoLinha), c.ocorrencia);
  ASSERT_GT(n, 0) << c.nome;
  Trocar(linhas, n, c.posicao, QString::fromUtf8(c.texto));
  const int antes = LinhasCadastro();
  EXPECT_FALSE(Importar(Gravar(linhas))) << c.nome;
  EXPECT_EQ(LinhasCadastro(), antes) << c.nome;
  EXPECT_FALSE(IbxUtils->EmTransacao());
  bool achou = false;
  for (const TInconsistenciaLida &i : Inconsistencias())
    if (i.Mensagem == c.mensagem && i.Linha == n &&
        i.Conteudo.startsWith(QString::fromUtf8(c.conteudo)))
      achou = true;
  if (!achou)
    for (const TInconsistenciaLida &i : Inconsistencias())
      ADD_FAILURE() << c.nome << ": registrada " << i.Mensagem << " linha " << i.Linha << " '"
                    << i.Conteudo.toStdString() << "'";
  EXPECT_TRUE(achou) << c.nome << ": esperada " << c.mensagem << " na linha " << n;
}

INSTANTIATE_TEST_SUITE_P(
    Registros, DefeitosFolha,
    ::testing::Values(
        CasoDefeito{"header brancos", "00", 1, 3, "X", 9, "X"},
        CasoDefeito{"tipo de remessa", "00", 1, 54, "1", 131, "1"},
        CasoDefeito{"tipo de remessa letra", "00", 1, 54, "A", 11, "Tipo Remessa: A"},
        CasoDefeito{"cep com letras", "00", 1, 190, "0131A100", 11, "CEP: 0131A100"},
        CasoDefeito{"nome do responsavel", "00", 1, 70, "ESCRITORIO  DUPLO", 177, "ESCRITORIO"},
        CasoDefeito{"data de recolhimento vazia", "00", 1, 292, "00000000", 62,
                    "Data Recolhimento: 00000000"},
        CasoDefeito{"data de recolhimento invalida", "00", 1, 292, "31022023", 63,
                    "Data Recolhimento: 31022023"},
        CasoDefeito{"fora do periodo", "00", 1, 292, "10011999", 201,
                    "Data Recolhimento: 10011999"},
        CasoDefeito{"header asterisco", "00", 1, 360, "#", 211, "#"},
        CasoDefeito{"empresa zeros", "10", 1, 20, "1", 13, "00"},
        CasoDefeito{"empresa nome acentuado", "10", 1, 54, "CONFECÇÕES ÁGUA", 177, "CONFEC"},
        CasoDefeito{"empresa cnae", "10", 1, 206, "0000001", 140, "0000001"},
        CasoDefeito{"empresa fpas letra", "10", 1, 214, "5X5", 11, "FPAS: 5X5"},
        CasoDefeito{"empresa cnpj", "10", 1, 17, "0", 21, ""},
        CasoDefeito{"pis digito", "40", 1, 43, "X", 11, "PIS/PASEP: "},
        CasoDefeito{"admissao invalida", "40", 1, 44, "31022020", 212,
                    "Data de Admissão: 31022020"},
        CasoDefeito{"admissao anterior a 1900", "40", 1, 44, "01011890", 43, "01011890"},
        CasoDefeito{"nome com digito", "40", 1, 54, "JOAO 2 SILVA", 93, "JOAO 2"},
        CasoDefeito{"nome com acento", "40", 1, 54, "JOSÉ CONCEIÇÃO", 93, "JOS"},
        CasoDefeito{"sexo", "40", 1, 136, "3", 122, "3"},
        CasoDefeito{"horas letra", "40", 1, 147, "4A", 11, "Horas Trabalhadas: 4A"},
        CasoDefeito{"cbo inexistente", "40", 1, 149, "999999", 337, "999999"},
        CasoDefeito{"pensao valor com tipo N", "40", 1, 254, "N00000000000000000001", 334,
                    "000000000000001"},
        CasoDefeito{"pensao percentual com tipo V", "40", 1, 254, "V00010000000000010000", 335,
                    "00010"},
        CasoDefeito{"trabalhador brancos", "40", 1, 330, "X", 9, ""},
        CasoDefeito{"trabalhador asterisco", "40", 1, 360, " ", 211, ""},
        CasoDefeito{"complemento zeros", "43", 1, 18, "1", 13, "1"},
        CasoDefeito{"complemento valor letra", "43", 1, 60, "00000000000000A", 11,
                    "Valor da Competência: 00000000000000A"},
        CasoDefeito{"complemento mes 13", "43", 1, 54, "202313", 34, "13"},
        CasoDefeito{"complemento pis de outro", "43", 1, 33, "10000000024", 349, ""},
        CasoDefeito{"trailer noves", "90", 1, 10, "8", 10, "9999999"},
        CasoDefeito{"trailer brancos", "90", 1, 100, "X", 9, ""},
        CasoDefeito{"tipo desconhecido", "40", 2, 1, "50", 113, "50"}),
    [](const ::testing::TestParamInfo<CasoDefeito> &i) {
      std::string s = i.param.nome;
      for (char &ch : s)
        if (!isalnum(static_cast<unsigned char>(ch)))
          ch = '_';
      return s;
    });

TEST_F(FolhaTeste, OrdemEAgrupamento) {
  QStringList base = Gerar({"--empresas", "2", "--vinculos", "4", "--semente", "5"});
  const int e1 = IndiceTipo(base, "10", 1), e2 = IndiceTipo(base, "10", 2);
  {
    // Companies swapped: the second block has the lower key.
    QStringList l = base.mid(0, 1) + base.mid(e2 - 1, base.size() - e2) +
                    base.mid(e1 - 1, e2 - e1) + base.mid(base.size() - 1);
    EXPECT_FALSE(Importar(Gravar(l)));
    const auto inc = Inconsistencias();
    ASSERT_EQ(inc.size(), 1u);
    EXPECT_EQ(inc[0].Mensagem, 232);
    EXPECT_EQ(inc[0].Linha, 1 + (base.size() - e2) + 1);
  }
  {
    // A worker line repeated: 359 at the copy.
    QStringList l = base;
    l.insert(e1 + 1, l.at(e1));
    EXPECT_FALSE(Importar(Gravar(l)));
    const auto inc = Inconsistencias();
    ASSERT_EQ(inc.size(), 1u);
    EXPECT_EQ(inc[0].Mensagem, 359);
    EXPECT_EQ(inc[0].Linha, e1 + 2);
    EXPECT_EQ(inc[0].Registro, QStringLiteral("40"));
  }
  {
    // A worker under the wrong company stops the pass at that line.
    QStringList l = base;
    Trocar(l, e2 + 1, 3, C(l.at(e1 - 1), 3, 15));
    EXPECT_FALSE(Importar(Gravar(l)));
    const auto inc = Inconsistencias();
    ASSERT_EQ(inc.size(), 1u);
    EXPECT_EQ(inc[0].Mensagem, 349);
    EXPECT_EQ(inc[0].Linha, e2 + 1);
  }
  {
    // A company with no worker after it.
    QStringList l = base;
    l.removeAt(e2); // the first worker of the second company
    l.removeAt(e2);
    EXPECT_FALSE(Importar(Gravar(l)));
    const auto inc = Inconsistencias();
    ASSERT_FALSE(inc.empty());
    EXPECT_EQ(inc[0].Mensagem, 135);
    EXPECT_EQ(inc[0].Linha, e2 + 1);
  }
  {
    // A second header.
    QStringList l = base;
    l.insert(l.size() - 1, l.first());
    EXPECT_FALSE(Importar(Gravar(l)));
    EXPECT_EQ(folha->CodigoErro.isEmpty(), false);
    ASSERT_FALSE(Inconsistencias().empty());
    EXPECT_EQ(Inconsistencias()[0].Mensagem, 135);
  }
  EXPECT_EQ(LinhasCadastro(), 0);
}

TEST_F(FolhaTeste, ComplementosRepetidosEComLacuna) {
  QStringList base =
      Gerar({"--empresas", "1", "--vinculos", "2", "--complementos", "1", "--semente", "21"});
  const int c = IndiceTipo(base, "43");
  ASSERT_GT(c, 0);
  const QString par1 = C(base.at(c - 1), 54, 21);
  {
    // Pair 2 repeats the competence of pair 1 in the same record.
    QStringList l = base;
    Trocar(l, c, 75, par1);
    EXPECT_FALSE(Importar(Gravar(l)));
    bool achou = false;
    for (const auto &i : Inconsistencias())
      achou |= i.Mensagem == 292 && i.Linha == c && i.Conteudo == par1.left(6);
    EXPECT_TRUE(achou);
  }
  {
    // Pair 1 empty, pair 2 filled.
    QStringList l = base;
    Trocar(l, c, 54, QStringLiteral("000000000000000000000"));
    Trocar(l, c, 75, par1);
    EXPECT_FALSE(Importar(Gravar(l)));
    bool achou = false;
    for (const auto &i : Inconsistencias())
      achou |= i.Mensagem == 361 && i.Linha == c && i.Conteudo == par1;
    EXPECT_TRUE(achou);
  }
  {
    // All pairs empty.
    QStringList l = base;
    Trocar(l, c, 54, QString(294, u'0'));
    EXPECT_FALSE(Importar(Gravar(l)));
    bool achou = false;
    for (const auto &i : Inconsistencias())
      achou |= i.Mensagem == 360 && i.Linha == c;
    EXPECT_TRUE(achou);
  }
  EXPECT_EQ(LinhasCadastro(), 0);
}

TEST_F(FolhaTeste, AspasEAcentosEmTodosOsCamposDeTexto) {
  const QStringList linhas = Gerar({"--empresas", "1", "--vinculos", "2", "--defeito", "aspas"});
  EXPECT_FALSE(Importar(Gravar(linhas)));
  EXPECT_EQ(LinhasCadastro(), 0);
  std::multiset<std::pair<int, int>> achadas; // (line, message)
  for (const auto &i : Inconsistencias())
    achadas.insert({i.Linha, i.Mensagem});
  // Header: name, contact, street, district, city, e-mail.
  for (int m : {177, 97, 96, 95, 94, 65})
    EXPECT_EQ(achadas.count({1, m}), 1u) << "cabeçalho " << m;
  // Company: name, street, district, city.
  for (int m : {177, 96, 95, 94})
    EXPECT_EQ(achadas.count({2, m}), 1u) << "empresa " << m;
  // Each worker's name.
  for (int i = 0; i < linhas.size(); ++i) {
    if (linhas.at(i).startsWith(QStringLiteral("40"))) {
      EXPECT_EQ(achadas.count({i + 1, 93}), 1u) << "linha " << i + 1;
    }
  }
  // The quote reached the registry as text, not as SQL.
  EXPECT_GT(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE DE_CONTEUDO_CAMPO LIKE "
                   "'D''ÁVILA%'"),
            0);
}

TEST_F(FolhaTeste, LinhaCurtaLinhaLongaArquivoVazioESemTrailer) {
  QStringList base = Gerar({"--empresas", "1", "--vinculos", "3"});
  {
    QStringList l = base;
    const int n = IndiceTipo(l, "40", 2);
    l[n - 1] = l.at(n - 1).left(200);
    EXPECT_FALSE(Importar(Gravar(l)));
    std::set<int> msgs;
    for (const auto &i : Inconsistencias())
      if (i.Linha == n)
        msgs.insert(i.Mensagem);
    EXPECT_TRUE(msgs.count(11)); // amounts beyond the end are not numbers
    EXPECT_TRUE(msgs.count(211));
  }
  {
    QStringList l = base;
    const int n = IndiceTipo(l, "40", 1);
    l[n - 1] += QStringLiteral("SOBRA");
    EXPECT_FALSE(Importar(Gravar(l)));
    bool achou = false;
    for (const auto &i : Inconsistencias())
      achou |= i.Linha == n && i.Mensagem == 9 && i.Conteudo == QStringLiteral("SOBRA");
    EXPECT_TRUE(achou);
  }
  {
    pasta->EscreverArquivo(QStringLiteral("vazio.re"), QByteArray());
    EXPECT_FALSE(Importar(pasta->Arquivo(QStringLiteral("vazio.re"))));
    const auto inc = Inconsistencias();
    ASSERT_EQ(inc.size(), 1u);
    EXPECT_EQ(inc[0].Mensagem, 385);
    EXPECT_EQ(inc[0].Linha, 0);
  }
  {
    QStringList l = base;
    l.removeLast();
    l << QString() << QStringLiteral("   ");
    EXPECT_FALSE(Importar(Gravar(l)));
    const auto inc = Inconsistencias();
    ASSERT_EQ(inc.size(), 1u);
    EXPECT_EQ(inc[0].Mensagem, 385);
    EXPECT_EQ(inc[0].Linha, 0);
  }
  {
    // Three lines: header, company, trailer.
    EXPECT_FALSE(Importar(Gravar({base.at(0), base.at(1), base.last()})));
    ASSERT_EQ(Inconsistencias().size(), 1u);
    EXPECT_EQ(Inconsistencias()[0].Mensagem, 385);
  }
  {
    // Blank lines after the trailer are not records.
    QStringList l = base;
    l << QString() << QString();
    EXPECT_TRUE(Importar(Gravar(l)));
  }
}

TEST_F(FolhaTeste, ArquivoInexistenteRegistra151) {
  EXPECT_FALSE(Importar(pasta->Arquivo(QStringLiteral("nao/existe/VESK.re"))));
  const auto inc = Inconsistencias();
  ASSERT_EQ(inc.size(), 1u);
  EXPECT_EQ(inc[0].Mensagem, 151);
  EXPECT_EQ(folha->CodigoErro, QStringLiteral("0151"));
}

TEST_F(FolhaTeste, CancelarEmCadaPassoNaoDeixaNada) {
  const QStringList linhas = Gerar({"--empresas", "2", "--vinculos", "6", "--complementos", "0.5"});
  const QString caminho = Gravar(linhas);
  const int n = linhas.size();
  // Pass 1 advances twice per line, passes 2, 3 and 4 once.
  for (int em : {1, 2 * n + 1, 3 * n + 1, 4 * n + 2}) {
    SCOPED_TRACE(em);
    TProgressoTeste p;
    p.CancelarEm = em;
    EXPECT_FALSE(Importar(caminho, &p));
    EXPECT_EQ(LinhasCadastro(), 0);
    EXPECT_FALSE(IbxUtils->EmTransacao());
    EXPECT_TRUE(Inconsistencias().empty());
  }
  // Unhindered, the same file goes in.
  TProgressoTeste p;
  EXPECT_TRUE(Importar(caminho, &p));
  EXPECT_EQ(p.Etapas, (std::vector<int>{1, 5, 2, 6, 3, 7, 4, 8}));
  EXPECT_EQ(p.Avancos, 5 * n);
}

TEST_F(FolhaTeste, ReimportacaoGuardaOQueOEstadoAnteriorDecide) {
  const QStringList linhas = Gerar({"--empresas", "1", "--vinculos", "2", "--semente", "9"});
  const QString caminho = Gravar(linhas);
  ASSERT_TRUE(Importar(caminho));
  const QString a = C(linhas.at(2), 33, 11);
  const QString b = C(linhas.at(IndiceTipo(linhas, "40", 2) - 1), 33, 11);
  // Link A closed in a run (state 2), link B not taking part; each with a
  // bank account and a registration change.
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE NU_PIS = " + a);
  for (const QString &pis : {a, b}) {
    Executar("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
             "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_EMPREGADO_VORDA, "
             "NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO) SELECT "
             "NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, 77, 0, "
             "1, 100 FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " +
             pis);
    Executar("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
             "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, IC_CONFIRMACAO) "
             "SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
             "DT_ADMISSAO_VINCULO, 406, 'N' FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " +
             pis);
  }
  ASSERT_TRUE(Importar(caminho));
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO"), 2);
  // The closed link goes back to the next run and keeps its accounts.
  EXPECT_EQ(
      Valor("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " + a),
      QStringLiteral("0"));
  EXPECT_EQ(Contar("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_PIS = " + a), 1);
  EXPECT_EQ(Contar("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_PIS = " + b), 0);
  EXPECT_EQ(Contar("FROM QZLTBG05_ALTERACAO_CADASTRAL"), 0);
}

TEST_F(FolhaTeste, ReimportacaoConfereComplementosEAdmissoesGravados) {
  const QStringList linhas = Gerar({"--empresas", "1", "--vinculos", "2", "--semente", "9"});
  const QString caminho = Gravar(linhas);
  ASSERT_TRUE(Importar(caminho));
  const int la = IndiceTipo(linhas, "40", 1), lb = IndiceTipo(linhas, "40", 2);
  const QString a = C(linhas.at(la - 1), 33, 11), b = C(linhas.at(lb - 1), 33, 11);
  // Link A has a stored complement after its termination; worker B has a
  // second stored link (not in the file) admitted before B's birth.
  Executar("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
           "VR_REMUNERACAO, VR_DEPOSITO) SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "NU_CATEGORIA, DT_ADMISSAO_VINCULO, 1, 2099, 1, 100, 8 FROM "
           "QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " +
           a);
  Executar("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "NU_CATEGORIA, DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO) SELECT NU_TIPO_INSO_EMPRA, "
           "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, '1901-01-02', 0 FROM "
           "QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " +
           b);
  const int antes = LinhasCadastro();
  EXPECT_FALSE(Importar(caminho));
  EXPECT_EQ(LinhasCadastro(), antes);
  bool complemento = false, admissao = false;
  for (const TInconsistenciaLida &i : Inconsistencias()) {
    complemento |= i.Mensagem == 441 && i.Linha == la;
    admissao |= i.Mensagem == 443 && i.Linha == lb;
  }
  EXPECT_TRUE(complemento);
  EXPECT_TRUE(admissao);
}

TEST_F(FolhaTeste, TrabalhadorJaGravadoOuRepetidoEDependentesDeChaveNova) {
  // One link per company; the third link is the second one's worker again.
  QStringList linhas =
      Gerar({"--empresas", "3", "--vinculos", "3", "--complementos", "0", "--semente", "5"});
  const int l1 = IndiceTipo(linhas, "40", 1), l2 = IndiceTipo(linhas, "40", 2),
            l3 = IndiceTipo(linhas, "40", 3);
  const QString p1 = C(linhas.at(l1 - 1), 33, 11), p2 = C(linhas.at(l2 - 1), 33, 11);
  Trocar(linhas, l3, 33, p2);
  const QString &v3 = linhas.at(l3 - 1);
  // Worker 1 is stored without links; contract and vacancy rows were left
  // under the third link's key.
  Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (" + p1 +
           ", 'NOME ANTIGO')");
  const QString chave = C(v3, 3, 1) + ", " + C(v3, 4, 14) + ", " + p2 + ", " + C(v3, 52, 2) +
                        ", '" + Iso(C(v3, 44, 8)) + "'";
  Executar("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_INSTITUICAO_CNSGTRA, NU_CONTRATO) VALUES (" +
           chave + ", '1', 'C1')");
  Executar("INSERT INTO QZLTBG30_REPOSICAO_VAGA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_REPOSICAO_VAGA) VALUES (" +
           chave + ", 1)");
  ASSERT_TRUE(Importar(Gravar(linhas)));
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO"), 3);
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 2);
  EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = " + p1),
            Aparado(C(linhas.at(l1 - 1), 54, 70)));
  // The last record of a worker gives the stored worker data.
  EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = " + p2),
            Aparado(C(v3, 54, 70)));
  EXPECT_EQ(Contar("FROM QZLTBG22_EMPREGADO_CNSGTRA"), 0);
  EXPECT_EQ(Contar("FROM QZLTBG30_REPOSICAO_VAGA"), 0);
}

TEST_F(FolhaTeste, MensagemAusenteInterrompeCom0396) {
  QStringList linhas = Gerar({"--empresas", "1", "--vinculos", "2"});
  Trocar(linhas, 1, 54, QStringLiteral("1"));
  Executar("DELETE FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 131");
  EXPECT_FALSE(Importar(Gravar(linhas)));
  EXPECT_EQ(folha->CodigoErro, QStringLiteral("0396"));
  EXPECT_EQ(folha->MensagemInexistente, 131);
  EXPECT_EQ(LinhasCadastro(), 0);
  EXPECT_FALSE(IbxUtils->EmTransacao());
}
