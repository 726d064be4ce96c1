/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the collection run: opening,
 * participation checks, marking, simulation, closing and the termination
 * collection file.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (108, 'Não há vínculo marcado para participar do movimento.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (139, 'O trabalhador possui alteração cadastral informada pela VORDA pendente de confirmação.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (141, 'A data de recolhimento é anterior à data de admissão do vínculo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (142, 'O saldo rescisório foi informado pela VORDA há mais de 15 dias da data de recolhimento. Solicite um novo arquivo de saldo rescisório.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (223, 'A data de movimentação é posterior a 30 dias da data de recolhimento.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (224, 'Alguns vínculos não puderam ser marcados. Deseja visualizar/imprimir o relatório de inconsistências?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (238, 'Não há valores a recolher na simulação.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (245, 'Arquivo VESK gerado com sucesso. O movimento foi fechado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (367, 'Não foi possível gerar o arquivo VESK. Deseja visualizar/imprimir o relatório de inconsistências do fechamento?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (368, 'Há vínculos com inconsistências: eles foram retirados do movimento. Consulte o relatório de inconsistências do fechamento.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (377, 'Linha do arquivo VESK gerada com tamanho diferente de 533 caracteres.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (400, 'Os vínculos com inconsistências não foram marcados. O relatório pode ser consultado no menu Relatórios.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (404, 'Confirma o fechamento do movimento? Os vínculos marcados serão fechados e o arquivo VESK será gerado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (420, 'A data do dissídio é posterior à data de recolhimento.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (422, 'Não foi possível calcular os valores do vínculo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (454, 'O saldo rescisório informado difere da soma dos saldos das contas do trabalhador informados pela VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (518, 'Consignação informada para trabalhador de categoria diferente de 01.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (519, 'Data do contrato de consignação não informada.');
