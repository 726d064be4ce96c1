/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the payroll import file and of the
 * progress window of the file operations.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (9, 'Campo deve estar preenchido com brancos.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (10, 'Registro de encerramento: as posições 3 a 53 devem estar preenchidas com noves.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (13, 'Campo deve estar preenchido com zeros.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (63, 'Data de recolhimento inválida.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (74, 'Arquivo importado com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (75, 'Deseja gerar agora o arquivo de solicitação de saldo para os trabalhadores importados?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (113, 'Tipo de registro inválido.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (131, 'Tipo de remessa inválido para este arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (135, 'Registro fora de sequência, ou registro de abertura ou de encerramento repetido.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (201, 'Data de recolhimento fora do período de recolhimento dos índices carregados &');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (209, 'Não foi possível finalizar a validação do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (211, 'A posição 360 do registro deve conter asterisco (*).');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (232, 'Registros fora de ordem: empresas em ordem crescente de inscrição e trabalhadores em ordem crescente de PIS/PASEP, data de admissão e categoria.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (250, 'Não foi possível gravar as informações do arquivo na base de dados. Nenhuma informação foi gravada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (292, 'Competência repetida para o trabalhador.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (334, 'Valor da pensão alimentícia informado com tipo de pensão P ou N.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (335, 'Percentual da pensão alimentícia informado com tipo de pensão V ou N.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (349, 'Registro não pertence à empresa ou ao trabalhador do registro anterior.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (359, 'Trabalhador repetido no arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (360, 'Complemento de saldo sem nenhuma competência informada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (361, 'Competência de complemento informada após competência vazia. Preencha as competências a partir da primeira, sem intervalos.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (386, 'Empresa repetida no arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (397, 'Data de recolhimento não é dia útil.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (476, 'O relatório de inconsistências pode ser consultado a qualquer momento no menu Relatórios.');
