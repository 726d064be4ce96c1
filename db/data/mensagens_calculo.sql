/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the calculation engine and of the
 * balance accounts and complements.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (475, 'O cálculo resultou em valor negativo. Verifique as remunerações, o saldo e os índices informados.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (601, 'Não há movimento aberto: sem data de pagamento não é possível calcular.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (602, 'Data de opção ausente ou anterior a 1967: não há fator de JAM para calcular o vínculo.');
-- Checks of the balance accounts and of the balance complements.
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (34, 'Mês de competência inválido. Informe um mês de 01 a 12 e um ano com quatro dígitos.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (102, 'Ano de competência inválido: deve ser 1967 ou posterior.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (216, 'Situação da conta do trabalhador inválida: deve estar entre 0 e 3.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (282, 'Conta excluída não pode trazer o número do empregado no banco.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (285, 'Situação do PIS inválida: deve ser 1 ou 2.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (286, 'Conta excluída não pode trazer a maior competência com depósito.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (345, 'Conta excluída não pode trazer a situação do PIS.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (346, 'A data de crédito de juros só pode ser informada para conta de empresa em situação normal.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (355, 'Remuneração informada sem o mês de competência.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (356, 'Mês de competência informado sem a remuneração.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (369, 'Data de crédito de juros anterior a 01/01/1967.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (379, 'Conta que não está ativa não pode ter saldo rescisório.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (395, 'Competência anterior ao mês da data de opção do vínculo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (411, 'Competência posterior ao mês da data de movimentação do vínculo.');
