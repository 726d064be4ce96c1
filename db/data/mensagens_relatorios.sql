/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the listings, the inconsistency
 * reports and their preview (screen code "RE").
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (86, 'Não há dados para imprimir.');
