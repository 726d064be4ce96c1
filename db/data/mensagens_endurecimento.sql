/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the file base's limits and of the
 * program's start-up and interruption.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (651, 'O arquivo tem mais de 64 MB, muito mais do que qualquer arquivo de importação: verifique se o arquivo escolhido é o correto. Nada foi lido.');
