/*
 * TEST DATA - not published by the bank.
 * QZLTBT02_TIPO_OPCAO_SIMPLES: the employer's option for the simplified tax
 * regime. Codes 5 and 6 mark employers exempt from the social contribution,
 * code 4 the rural producer (inscription CEI, FPAS 604).
 */
INSERT INTO QZLTBT02_TIPO_OPCAO_SIMPLES (NU_SIMPLES, DE_SIMPLES) VALUES (1, 'Não optante');
INSERT INTO QZLTBT02_TIPO_OPCAO_SIMPLES (NU_SIMPLES, DE_SIMPLES) VALUES (2, 'Optante');
INSERT INTO QZLTBT02_TIPO_OPCAO_SIMPLES (NU_SIMPLES, DE_SIMPLES) VALUES (3, 'Optante com faturamento anual acima do limite');
INSERT INTO QZLTBT02_TIPO_OPCAO_SIMPLES (NU_SIMPLES, DE_SIMPLES) VALUES (4, 'Não optante - produtor rural pessoa física (CEI e FPAS 604) com faturamento anual acima do limite');
INSERT INTO QZLTBT02_TIPO_OPCAO_SIMPLES (NU_SIMPLES, DE_SIMPLES) VALUES (5, 'Não optante - dispensado da contribuição social por decisão judicial');
INSERT INTO QZLTBT02_TIPO_OPCAO_SIMPLES (NU_SIMPLES, DE_SIMPLES) VALUES (6, 'Optante com faturamento anual acima do limite - dispensado da contribuição social por decisão judicial');
