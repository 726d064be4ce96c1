/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the calculation engine and of the
 * balance accounts and complements.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (475, 'O cálculo resultou em valor negativo. Verifique as remunerações, o saldo e os índices informados.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (601, 'Não há movimento aberto: sem data de pagamento não é possível calcular.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (602, 'Data de opção ausente ou anterior a 1967: não há fator de JAM para calcular o vínculo.');
