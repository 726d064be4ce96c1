// Field checks of the employment link: each message number reached by a small
// change to a consistent link, and the consistent link passing. The date
// rules are exercised on both sides of the fixed legal dates.
#include "test_reg2_apoio.h"

#include <functional>

using namespace reg2;

namespace {

struct Caso {
  const char *nome;
  std::function<void(TVinculo &)> ajuste;
  std::function<bool(TVinculo &)> verificacao;
  const char *esperado; // "" when the check must pass
};

class Reg2Verificacoes : public BancoTeste {
protected:
  void Verificar(const std::vector<Caso> &casos) {
    for (const Caso &c : casos) {
      SCOPED_TRACE(c.nome);
      TVinculo v;
      PreencherVinculo(v);
      c.ajuste(v);
      const bool ok = c.verificacao(v);
      EXPECT_EQ(v.CodigoErro, QString::fromLatin1(c.esperado));
      EXPECT_EQ(ok, QString::fromLatin1(c.esperado).isEmpty());
    }
  }
};

auto Nada = [](TVinculo &) {};

} // namespace

TEST_F(Reg2Verificacoes, Categoria) {
  auto chk = [](TVinculo &v) { return v.ValidarCategoria(false); };
  auto cei = [](TVinculo &v, int cat, const char *fpas, const char *mov) {
    v.NU_TIPO_INSO_EMPRA = 2;
    v.NU_CATEGORIA = static_cast<qint8>(cat);
    v.Empresa().NU_INSS = QString::fromLatin1(fpas);
    v.CO_MOVIMENTACAO = QString::fromLatin1(mov);
  };
  Verificar({
      {"consistente", Nada, chk, ""},
      {"categoria de dois dígitos", [](TVinculo &v) { v.NU_CATEGORIA = 11; }, chk, ""},
      {"não numérica", [](TVinculo &v) { v.NU_CATEGORIA = -1; }, chk, "0014"},
      {"zero", [](TVinculo &v) { v.NU_CATEGORIA = 0; }, chk, "0015"},
      {"fora da tabela", [](TVinculo &v) { v.NU_CATEGORIA = 99; }, chk, "0336"},
      {"doméstico em CNPJ", [](TVinculo &v) { v.NU_CATEGORIA = 6; }, chk, "0412"},
      {"I4 fora do doméstico", [](TVinculo &v) { v.CO_MOVIMENTACAO = QStringLiteral("i4"); }, chk,
       "0406"},
      {"doméstico, FPAS 868, I1", [&](TVinculo &v) { cei(v, 6, "868", "I1"); }, chk, "0433"},
      {"doméstico, FPAS 868, I4", [&](TVinculo &v) { cei(v, 6, "868", "I4"); }, chk, ""},
      {"doméstico sem FPAS 868", [&](TVinculo &v) { cei(v, 6, "507", "I4"); }, chk, "0424"},
      {"FPAS 868 sem doméstico", [&](TVinculo &v) { cei(v, 1, "868", "I1"); }, chk, "0431"},
      {"só a tabela", [](TVinculo &v) { v.NU_CATEGORIA = 6; },
       [](TVinculo &v) { return v.ValidarCategoria(true); }, ""},
  });
}

TEST_F(Reg2Verificacoes, OcupacaoMovimentacaoSaque) {
  auto cbo = [](TVinculo &v) { return v.ValidarCBO(); };
  auto mov = [](TVinculo &v) { return v.ValidarMovimentacao(); };
  auto saque = [](TVinculo &v) { return v.ValidarSaque(); };
  Verificar({
      {"CBO consistente", Nada, cbo, ""},
      {"CBO doméstico fora da categoria 6",
       [](TVinculo &v) { v.CO_CBO = QStringLiteral("005121"); }, cbo, "0390"},
      {"categoria 6 com outro CBO", [](TVinculo &v) { v.NU_CATEGORIA = 6; }, cbo, "0016"},
      {"categoria 6 com CBO doméstico",
       [](TVinculo &v) {
         v.NU_CATEGORIA = 6;
         v.CO_CBO = QStringLiteral("005121");
       },
       cbo, ""},
      {"CBO em branco", [](TVinculo &v) { v.CO_CBO.clear(); }, cbo, "0017"},
      {"CBO zerado", [](TVinculo &v) { v.CO_CBO = QStringLiteral("000000"); }, cbo, "0017"},
      {"CBO inexistente", [](TVinculo &v) { v.CO_CBO = QStringLiteral("999999"); }, cbo, "0337"},

      {"movimentação consistente", Nada, mov, ""},
      {"movimentação em minúsculas", [](TVinculo &v) { v.CO_MOVIMENTACAO = QStringLiteral("i1"); },
       mov, ""},
      {"sem movimentação", [](TVinculo &v) { v.CO_MOVIMENTACAO.clear(); }, mov, "0027"},
      {"movimentação inexistente", [](TVinculo &v) { v.CO_MOVIMENTACAO = QStringLiteral("X9"); },
       mov, "0338"},
      {"I3 com saldo rescisório",
       [](TVinculo &v) {
         v.CO_MOVIMENTACAO = QStringLiteral("I3");
         v.Rescisao().VR_SALDO_RESCISORIO = 100;
       },
       mov, "0483"},
      {"I3 sem saldo", [](TVinculo &v) { v.CO_MOVIMENTACAO = QStringLiteral("I3"); }, mov, ""},

      {"saque consistente", Nada, saque, ""},
      {"saque em branco", [](TVinculo &v) { v.CO_SAQUE = QStringLiteral("  "); }, saque, "0029"},
      {"saque inexistente", [](TVinculo &v) { v.CO_SAQUE = QStringLiteral("99"); }, saque, "0030"},
      {"combinação não permitida (cada código válido)",
       [](TVinculo &v) {
         v.NU_TIPO_INSO_EMPRA = 2;
         v.NU_CATEGORIA = 6;
       },
       saque, "0480"},
  });
}

TEST_F(Reg2Verificacoes, DataAdmissao) {
  auto chk = [](TVinculo &v) { return v.ValidarDataAdmissao(false); };
  auto adm = [](int cat, TDateTime d) {
    return [cat, d](TVinculo &v) {
      v.NU_CATEGORIA = static_cast<qint8>(cat);
      v.DT_ADMISSAO_VINCULO = d;
    };
  };
  Verificar({
      {"consistente", Nada, chk, ""},
      {"não é data", adm(1, DataNaoValida), chk, "0046"},
      {"01/01/1900", adm(1, D(1, 1, 1900)), chk, "0043"},
      {"02/01/1900", adm(1, D(2, 1, 1900)), chk, ""},
      {"sem data, categoria 1", adm(1, NullDate), chk, "0039"},
      {"sem data, categoria 7", adm(7, NullDate), chk, "0039"},
      {"sem data, categoria 2", adm(2, NullDate), chk, ""},
      {"categoria 4 em 21/01/1998", adm(4, D(21, 1, 1998)), chk, "0041"},
      {"categoria 4 em 22/01/1998", adm(4, D(22, 1, 1998)), chk, ""},
      {"categoria 7 em 19/12/2000", adm(7, D(19, 12, 2000)), chk, "0040"},
      {"categoria 7 em 20/12/2000", adm(7, D(20, 12, 2000)), chk, ""},
      {"nascimento no dia da admissão",
       [](TVinculo &v) { v.Trabalhador().DT_NASCIMENTO = v.DT_ADMISSAO_VINCULO; },
       [](TVinculo &v) { return v.ValidarDataAdmissao(true); }, "0044"},
      {"nascimento na véspera",
       [](TVinculo &v) { v.Trabalhador().DT_NASCIMENTO = v.DT_ADMISSAO_VINCULO - 1; },
       [](TVinculo &v) { return v.ValidarDataAdmissao(true); }, ""},
  });
}

TEST_F(Reg2Verificacoes, AdmissaoAnteriorAoNascimentoNoArquivoENoCadastro) {
  TArrRegRegistro registros(3);
  registros[0].TipoRegistro = QStringLiteral("10");
  registros[1].TipoRegistro = QStringLiteral("40");
  registros[1].PIS = QString::number(Pis2); // another worker: ignored
  registros[1].DataAdmissao = QStringLiteral("01011970");
  registros[2].TipoRegistro = QStringLiteral("40");
  registros[2].PIS = QString::number(Pis1);
  registros[2].DataAdmissao = QStringLiteral("01011990");

  TVinculo v;
  PreencherVinculo(v);
  EXPECT_TRUE(v.ValidarDataAdmissao(true, &registros));
  registros[2].DataAdmissao = QStringLiteral("31121979"); // the day before the birth
  EXPECT_FALSE(v.ValidarDataAdmissao(true, &registros));
  EXPECT_EQ(v.CodigoErro, "0443");

  // A stored link of the same worker admitted before the birth.
  Cadastro c(IbxUtils);
  c.Trabalhador(Pis1, QStringLiteral("JOSE DA SILVA"));
  c.Vinculo(Pis1, 1, D(1, 6, 1981));
  EXPECT_TRUE(v.ValidarDataAdmissao(true));
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET DT_ADMISSAO_VINCULO = "
                          "'1979-12-31'"));
  EXPECT_FALSE(v.ValidarDataAdmissao(true));
  EXPECT_EQ(v.CodigoErro, "0443");
}

TEST_F(Reg2Verificacoes, DataOpcao) {
  auto chk = [](TVinculo &v) { return v.ValidarDataOpcao(); };
  auto datas = [](int cat, TDateTime adm, TDateTime opc) {
    return [=](TVinculo &v) {
      v.NU_CATEGORIA = static_cast<qint8>(cat);
      v.DT_ADMISSAO_VINCULO = adm;
      v.DT_OPCAO = opc;
    };
  };
  Verificar({
      {"igual à admissão depois de 05/10/1988", Nada, chk, ""},
      {"não é data", datas(1, D(5, 1, 2015), DataNaoValida), chk, "0060"},
      {"01/01/1900", datas(1, D(5, 1, 2015), D(1, 1, 1900)), chk, "0382"},
      {"sem data, categoria 1", datas(1, D(5, 1, 2015), NullDate), chk, "0057"},
      {"sem data, categoria 2", datas(2, D(5, 1, 2015), NullDate), chk, ""},
      {"antes da admissão", datas(1, D(5, 1, 1980), D(4, 1, 1980)), chk, "0059"},
      {"categoria 1 em 31/12/1966", datas(1, D(1, 1, 1960), D(31, 12, 1966)), chk, "0061"},
      {"categoria 1 em 01/01/1967", datas(1, D(1, 1, 1960), D(1, 1, 1967)), chk, ""},
      {"categoria 5 em 01/06/1981", datas(5, D(1, 1, 1980), D(1, 6, 1981)), chk, "0394"},
      {"categoria 5 em 02/06/1981", datas(5, D(1, 1, 1980), D(2, 6, 1981)), chk, ""},
      {"admissão antiga, opção em 06/10/1988", datas(1, D(1, 1, 1980), D(6, 10, 1988)), chk,
       "0058"},
      {"admissão antiga, opção em 05/10/1988", datas(3, D(1, 1, 1980), D(5, 10, 1988)), chk, ""},
      {"categoria 4 em 21/01/1998", datas(4, D(1, 1, 1997), D(21, 1, 1998)), chk, "0180"},
      {"categoria 6 em 29/02/2000", datas(6, D(1, 1, 1999), D(29, 2, 2000)), chk, "0182"},
      {"categoria 4 em 22/01/1998", datas(4, D(22, 1, 1998), D(22, 1, 1998)), chk, ""},
      {"categoria 6 em 01/03/2000", datas(6, D(1, 1, 1999), D(1, 3, 2000)), chk, ""},
      {"categoria 7 em 20/12/2000", datas(7, D(20, 12, 2000), D(20, 12, 2000)), chk, ""},
      {"categoria 7 em 19/12/2000", datas(7, D(1, 1, 2000), D(19, 12, 2000)), chk, "0181"},
      {"um dia depois da admissão", datas(1, D(5, 1, 2015), D(6, 1, 2015)), chk, "0056"},
      {"admissão em 05/10/1988, opção no dia seguinte", datas(7, D(5, 10, 1988), D(6, 10, 1988)),
       chk, "0181"},
      {"categoria 4 um dia depois", datas(4, D(5, 1, 2015), D(6, 1, 2015)), chk, "0056"},
      {"categoria 5 um dia depois", datas(5, D(5, 1, 2015), D(6, 1, 2015)), chk, ""},
  });
}

TEST_F(Reg2Verificacoes, DataMovimentacao) {
  auto chk = [](TVinculo &v) { return v.ValidarDataMovimentacao(); };
  auto mov = [](TDateTime d) { return [d](TVinculo &v) { v.DT_MOVIMENTACAO_VINCULO = d; }; };
  auto antigo = [](TDateTime d) {
    return [d](TVinculo &v) {
      v.DT_ADMISSAO_VINCULO = v.DT_OPCAO = D(1, 1, 1990);
      v.DT_MOVIMENTACAO_VINCULO = d;
    };
  };
  Verificar({
      {"consistente", Nada, chk, ""},
      {"não é data", mov(DataNaoValida), chk, "0051"},
      {"01/01/1900", mov(D(1, 1, 1900)), chk, "0383"},
      {"sem data", mov(NullDate), chk, "0050"},
      {"antes da opção",
       [](TVinculo &v) {
         v.DT_OPCAO = D(1, 2, 2015);
         v.DT_MOVIMENTACAO_VINCULO = D(20, 1, 2015);
       },
       chk, "0426"},
      {"antes da admissão", mov(D(4, 1, 2015)), chk, "0175"},
      {"15/02/1998", antigo(D(15, 2, 1998)), chk, "0393"},
      {"16/02/1998", antigo(D(16, 2, 1998)), chk, ""},
  });
}

TEST_F(Reg2Verificacoes, ComplementoPosteriorAMovimentacao) {
  Cadastro c(IbxUtils);
  c.Trabalhador(Pis1, QStringLiteral("JOSE DA SILVA"));
  c.Vinculo(Pis1);
  auto complemento = [&](int ano, int mes) {
    Executar(QStringLiteral("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, "
                            "VR_DEPOSITO) VALUES (1, %1, %2, 1, '2015-01-05', 1, %3, %4, 100, 8)")
                 .arg(QString::number(CnpjEmpresa), QString::number(Pis1), QString::number(ano),
                      QString::number(mes)));
  };
  TVinculo v;
  PreencherVinculo(v);
  complemento(2020, 3); // the termination month itself
  EXPECT_TRUE(v.ValidarDataMovimentacao()) << v.CodigoErro.toStdString();
  complemento(2020, 4);
  EXPECT_FALSE(v.ValidarDataMovimentacao());
  EXPECT_EQ(v.CodigoErro, "0441");
}

TEST_F(Reg2Verificacoes, AvisoPrevio) {
  auto ini = [](TVinculo &v) { return v.ValidarInicioAvisoPrevio(); };
  auto aviso = [](TVinculo &v) { return v.ValidarAvisoPrevio(); };
  auto inicio = [](TDateTime d) { return [d](TVinculo &v) { v.DT_INICIO_AVISO_PRVO = d; }; };
  auto tipo = [](int cat, int kind, const char *mov) {
    return [=](TVinculo &v) {
      v.NU_CATEGORIA = static_cast<qint8>(cat);
      v.IC_AVISO_PREVIO = static_cast<quint8>(kind);
      v.CO_MOVIMENTACAO = QString::fromLatin1(mov);
    };
  };
  Verificar({
      {"sem início", Nada, ini, ""},
      {"início na movimentação", inicio(D(15, 3, 2020)), ini, ""},
      {"início na admissão", inicio(D(5, 1, 2015)), ini, ""},
      {"início não é data", inicio(DataNaoValida), ini, "0331"},
      {"início com aviso indenizado",
       [](TVinculo &v) {
         v.IC_AVISO_PREVIO = 2;
         v.DT_INICIO_AVISO_PRVO = D(1, 3, 2020);
       },
       ini, "0145"},
      {"início em 01/01/1900", inicio(D(1, 1, 1900)), ini, "0384"},
      {"início antes da admissão", inicio(D(4, 1, 2015)), ini, "0399"},
      {"início depois da movimentação", inicio(D(16, 3, 2020)), ini, "0399"},

      {"trabalhado", Nada, aviso, ""},
      {"categoria 5 trabalhado", tipo(5, 1, "I1"), aviso, "0512"},
      {"categoria 5 ausência", tipo(5, 3, "I1"), aviso, ""},
      {"I3 indenizado", tipo(1, 2, "I3"), aviso, "0423"},
      {"tipo 0", tipo(1, 0, "I1"), aviso, "0080"},
      {"tipo 4", tipo(1, 4, "I1"), aviso, "0080"},
  });
}

TEST_F(Reg2Verificacoes, HorasReposicaoTomador) {
  auto horas = [](TVinculo &v) { return v.ValidarHorasSemanais(); };
  auto repo = [](TVinculo &v) { return v.ValidarReposicaoVagas(); };
  auto tom = [](TVinculo &v) { return v.ValidarTomador(); };
  auto insc = [](TVinculo &v) { return v.ValidarInscricaoTomador(); };
  auto tomador = [](int tipo, qint64 n) {
    return [=](TVinculo &v) {
      v.NU_TIPO_INSO_TMDR = static_cast<quint8>(tipo);
      v.NU_INSCRICAO_TMDR = n;
    };
  };
  Verificar({
      {"sem horas", [](TVinculo &v) { v.QT_HORAS_TRBS_SMNA = 0; }, horas, "0111"},
      {"com horas", Nada, horas, ""},
      {"reposição em branco", [](TVinculo &v) { v.IC_REPOSICAO_VAGAS.clear(); }, repo, "0114"},
      {"reposição inválida", [](TVinculo &v) { v.IC_REPOSICAO_VAGAS = QStringLiteral("X"); }, repo,
       "0115"},
      {"reposição minúscula", [](TVinculo &v) { v.IC_REPOSICAO_VAGAS = QStringLiteral("s"); }, repo,
       ""},
      {"sem tomador", Nada, tom, ""},
      {"tipo 3", tomador(3, 0), tom, "0148"},
      {"inscrição sem tipo", tomador(0, 123), tom, "0148"},
      {"CNPJ válido", tomador(1, CnpjEmpresa), insc, ""},
      {"CNPJ inválido", tomador(1, 11111111111112), insc, "0069"},
      {"CEI inválido", tomador(2, 111111111112), insc, "0054"},
  });
}

TEST_F(Reg2Verificacoes, ContaBancaria) {
  auto banco = [](TVinculo &v) { return v.ValidarBanco(); };
  auto agencia = [](TVinculo &v) { return v.ValidarAgencia(); };
  auto conta = [](TVinculo &v) { return v.ValidarConta(); };
  auto dados = [](const char *b, const char *a, const char *c) {
    return [=](TVinculo &v) {
      v.NU_BANCO_CONTA = QString::fromLatin1(b);
      v.NU_AGENCIA_CONTA = QString::fromLatin1(a);
      v.NU_CONTA_BANCARIA = QString::fromLatin1(c);
    };
  };
  Verificar({
      {"nada informado: banco", Nada, banco, ""},
      {"nada informado: agência", Nada, agencia, ""},
      {"nada informado: conta", Nada, conta, ""},
      {"completo: banco", dados("001", "1234", "56789"), banco, ""},
      {"completo: agência", dados("001", "1234", "56789"), agencia, ""},
      {"completo: conta", dados("001", "1234", "56789"), conta, ""},
      {"banco com dois dígitos", dados("01", "1234", "56789"), banco, "0032"},
      {"banco zero", dados("000", "1234", "56789"), banco, "0032"},
      {"banco com letra", dados("0A1", "1234", "56789"), banco, "0032"},
      {"sem banco com agência", dados("", "1234", ""), banco, "0031"},
      {"agência zero", dados("001", "0", "56789"), agencia, "0023"},
      {"sem agência com banco", dados("001", "", ""), agencia, "0022"},
      {"conta sem banco", dados("", "", "56789"), conta, "0032"},
      {"conta sem agência", dados("001", "", "56789"), conta, "0023"},
      {"banco e agência sem conta", dados("001", "1234", ""), conta, "0150"},
      {"conta zero", dados("001", "1234", "000"), conta, "0150"},
  });
}

TEST_F(Reg2Verificacoes, PeriodoReformaTrabalhista) {
  auto chk = [](TVinculo &v) { return v.ValidarMovimentacaoPeriodo(); };
  auto caso = [](int cat, const char *mov, const char *saque, TDateTime data) {
    return [=](TVinculo &v) {
      v.NU_CATEGORIA = static_cast<qint8>(cat);
      v.CO_MOVIMENTACAO = QString::fromLatin1(mov);
      v.CO_SAQUE = QString::fromLatin1(saque);
      v.DT_MOVIMENTACAO_VINCULO = data;
    };
  };
  Verificar({
      {"I1 antes da reforma", caso(1, "I1", "01", D(10, 11, 2017)), chk, ""},
      {"I5 em 10/11/2017", caso(1, "I5", "07", D(10, 11, 2017)), chk, "0509"},
      {"I5 em 11/11/2017, saque 01", caso(1, "I5", "01", D(11, 11, 2017)), chk, "0511"},
      {"I5 em 11/11/2017, saque 07", caso(1, "I5", "07", D(11, 11, 2017)), chk, ""},
      {"I6 na categoria 1", caso(1, "i6", "07", D(1, 1, 2018)), chk, "0510"},
      {"I6 na categoria 4, saque 01", caso(4, "I6", "01", D(1, 1, 2018)), chk, "0511"},
      {"I6 na categoria 4, saque 07", caso(4, "I6", "07", D(1, 1, 2018)), chk, ""},
  });

  TVinculo v;
  PreencherVinculo(v);
  caso(1, "I5", "07", D(10, 11, 2017))(v);
  v.ValidarMovimentacaoPeriodo();
  EXPECT_EQ(v.DetalheErro, "10/11/2017  -  I5");
  caso(1, "I6", "07", D(1, 1, 2018))(v);
  v.ValidarMovimentacaoPeriodo();
  EXPECT_EQ(v.DetalheErro, "I6  -  01");
  caso(1, "I1", "01", D(1, 1, 2018))(v);
  EXPECT_TRUE(v.ValidarMovimentacaoPeriodo());
  EXPECT_TRUE(v.DetalheErro.isEmpty());
}

TEST_F(Reg2Verificacoes, ConsignacoesEEmail) {
  const TListaConsignacoes anterior = ListaConsignacoes;
  const QStringList cabecalho = {QStringLiteral("Instituição"), QStringLiteral("Contrato"),
                                 QStringLiteral("Data")};
  auto lista = [&](std::vector<QStringList> linhas) {
    return [cabecalho, linhas](TVinculo &) {
      ListaConsignacoes = {cabecalho};
      for (const QStringList &l : linhas)
        ListaConsignacoes << l;
    };
  };
  auto informadas = [](TVinculo &v) { return v.ValidarConsignacoesInformadas(); };
  auto contratos = [](TVinculo &v) { return v.ValidarContratosConsignacao(); };
  auto instituicoes = [](TVinculo &v) { return v.ValidarInstituicoesConsignacao(); };
  auto datas = [](TVinculo &v) { return v.ValidarDatasConsignacao(); };
  auto email = [](TVinculo &v) { return v.ValidarEmailReposicao(); };
  const QStringList bom = {QStringLiteral("00101"), QStringLiteral("AB12"),
                           QStringLiteral("01/02/2020")};
  const QStringList outro = {QStringLiteral("00215"), QStringLiteral("77-1"),
                             QStringLiteral("03/04/2021")};
  Verificar({
      {"só o cabeçalho", lista({}), informadas, "0514"},
      {"linha em branco", lista({{"", "", ""}}), informadas, "0514"},
      {"um contrato", lista({bom}), informadas, ""},
      {"contrato vazio", lista({bom, {"00101", "  ", "01/02/2020"}}), contratos, "0494"},
      {"contrato repetido", lista({{"00101", "1111", "01/02/2020"}}), contratos, "0490"},
      {"contrato de um caractere", lista({{"00101", "7", "01/02/2020"}}), contratos, "0490"},
      {"contratos bons", lista({bom, outro}), contratos, ""},
      {"uma instituição desconhecida sozinha", lista({{"99999", "AB12", "01/02/2020"}}),
       instituicoes, ""},
      {"instituição desconhecida", lista({bom, {"99999", "AB12", "01/02/2020"}}), instituicoes,
       "0491"},
      {"instituição em branco", lista({bom, {" ", "AB12", "01/02/2020"}}), instituicoes, "0495"},
      {"instituições conhecidas", lista({bom, outro}), instituicoes, ""},
      {"data vazia", lista({bom, {"00215", "X1", " / / "}}), datas, "0516"},
      {"datas informadas", lista({bom, outro}), datas, ""},
      {"sem e-mail", Nada, email, ""},
      {"e-mail válido", [](TVinculo &v) { v.END_EMAIL = QStringLiteral("rh@empresa.com.br"); },
       email, ""},
      {"dois @", [](TVinculo &v) { v.END_EMAIL = QStringLiteral("rh@@empresa.com"); }, email,
       "0065"},
  });
  ListaConsignacoes = anterior;
}

TEST_F(Reg2Verificacoes, VerificacaoDeData) {
  EXPECT_EQ(VerificarData(NullDate), rdValida);
  EXPECT_EQ(VerificarData(DataNaoValida), rdNaoEhData);
  EXPECT_EQ(VerificarData(D(1, 1, 1900)), rdAnterior1900);
  EXPECT_EQ(VerificarData(D(2, 1, 1900)), rdValida);
  EXPECT_EQ(VerificarData(D(31, 12, 1850)), rdAnterior1900);
}

TEST_F(Reg2Verificacoes, DescricaoAvisoPrevio) {
  TVinculo v;
  const char *esperado[] = {"", "1 - Trabalhado", "2 - Indenizado", "3 - Ausência/Dispensa", ""};
  for (int k = 0; k <= 4; ++k) {
    v.IC_AVISO_PREVIO = static_cast<quint8>(k);
    EXPECT_EQ(v.DescricaoAvisoPrevio(), QString::fromUtf8(esperado[k]));
  }
}
