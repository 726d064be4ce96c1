-- Messages of the guide file reader and of the bank's processed-guide return
-- (trailer totals and counts, line length, sent-file identifier).
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (315, 'Total de depósitos ZELT do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (316, 'Total de JAM do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (317, 'Total de multas do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (318, 'Total de contribuições sociais do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (319, 'Total de multas sobre contribuições sociais do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (320, 'Total de remunerações do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (321, 'Total de saldo rescisório do registro de totalização difere da soma dos registros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (322, 'Quantidade de registros tipo 40 difere da quantidade de registros do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (323, 'Quantidade de registros tipo 42 difere da quantidade de registros do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (324, 'Quantidade de registros tipo 44 difere da quantidade de registros do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (325, 'Quantidade de registros tipo 45 difere da quantidade de registros do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (326, 'Quantidade de registros tipo 46 difere da quantidade de registros do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (327, 'Quantidade de registros tipo 50 deve ser zero.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (328, 'Quantidade de registros tipo 51 deve ser zero.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (410, 'Tamanho de linha inválido: o registro deve ter 500 ou 533 caracteres.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (451, 'Identificador do arquivo enviado não informado.');
