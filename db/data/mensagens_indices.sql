/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the index table import.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (192, 'Arquivo de índices inválido ou danificado: as tabelas de índices não foram alteradas. Use o arquivo IndicesVESK.zip publicado pela VORDA, sem modificações.');
