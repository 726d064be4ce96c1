/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the balance request, the balance
 * load, its confirmation and the loaded-balance query.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (36, 'Confirma a exclusão do(s) registro(s) selecionado(s)?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (76, 'Arquivo de saldo rescisório carregado com sucesso. Deseja consultar os saldos carregados?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (116, 'Selecione uma empresa.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (215, 'Número da empresa na VORDA deve ser zero para conta excluída.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (228, 'Selecione ao menos um trabalhador da empresa selecionada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (231, 'O saldo não pode ser excluído: o trabalhador está com movimento fechado ou com guia processada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (233, 'PIS/PASEP regular com nome do trabalhador diferente do cadastrado na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (234, 'PIS/PASEP com divergência cadastral e nome do trabalhador igual ao cadastrado na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (235, 'Conta do trabalhador bloqueada na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (236, 'Conta do trabalhador sacada ou transferida na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (237, 'Conta do trabalhador não encontrada na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (246, 'Código de serviço inválido. Deve ser 02.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (247, 'Identificação do serviço inválida. Deve ser ZELT.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (248, 'Situação da conta da empresa inválida. Deve estar entre 0 e 3.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (253, 'O arquivo de saldo foi carregado, mas há contas com ocorrências. Consulte o relatório de ocorrências do arquivo de saldo rescisório.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (280, 'Número da empresa na VORDA deve ser zero quando a empresa tem ocorrência.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (281, 'Razão social deve estar em branco quando a empresa tem ocorrência.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (283, 'Nome do trabalhador deve estar em branco para conta excluída.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (289, 'Vínculo do trabalhador não cadastrado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (295, 'Quantidade de registros de empresa do registro de encerramento não confere.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (330, 'Valor total das contas apresentadas não confere com a soma dos saldos.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (343, 'Quantidade de registros de trabalhador do registro de encerramento não confere.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (344, 'Quantidade de registros de encerramento de empresa não confere.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (347, 'Data contábil deve estar zerada quando a empresa tem ocorrência.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (350, 'Não foi possível carregar os trabalhadores da empresa selecionada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (357, 'Quantidade de contas da empresa não confere com o registro de encerramento da empresa.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (358, 'Valor total do saldo da empresa não confere com o registro de encerramento da empresa.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (362, 'Exclusão realizada. A empresa ainda possui saldos de trabalhadores com movimento fechado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (370, 'Data contábil inválida: deve ser informada e não pode ser anterior a 01/01/1967.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (381, 'Não foi possível excluir os saldos da empresa.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (401, 'Estrutura do arquivo de saldo inválida: são necessários registro de abertura, empresa, trabalhador e encerramento.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (402, 'Não foi possível carregar o arquivo de saldo. Consulte o relatório de inconsistências.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (403, 'Selecione apenas uma empresa para escolher os trabalhadores.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (439, 'Empresa não cadastrada na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (440, 'Empresa com divergência cadastral na VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (450, 'Identificador da solicitação de saldo não informado.');
