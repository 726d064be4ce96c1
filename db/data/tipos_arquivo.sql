/*
 * TEST DATA - not published by the bank.
 * QZLTBT12_TIPO_ARQUIVO: kinds of file or process, used by the protocol of
 * sent files and by the inconsistency registry.
 */
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (1, 'Importação de Folha de Pagamento');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (2, 'Carga de Saldo Rescisório');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (3, 'Arquivo de Guia Rescisória');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (4, 'Arquivo de Ocorrência de Chave de Identificação');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (5, 'Retorno de Guia Processada');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (6, 'Solicitação de Reenvio de Guia Processada');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (7, 'Solicitação de Saldo Rescisório');
INSERT INTO QZLTBT12_TIPO_ARQUIVO (NU_ARQUIVO, DE_ARQUIVO) VALUES (9, 'Arquivo de Guia Rescisória Recuperado');
