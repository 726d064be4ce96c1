/*
 * TEST DATA - not published by the bank.
 * QZLTBT19_TPO_STCO_CONTA_EMPRESA: situation of the employer in the bank's
 * balance file (0 regular; 1 and 2 make the employer's record invalid; 3 has
 * no accounts for the workers asked for).
 */
INSERT INTO QZLTBT19_TPO_STCO_CONTA_EMPRESA (NU_SITUACAO_CONTA_EMPRESA, DE_SITUACAO_CONTA_EMPRESA) VALUES (0, 'Empresa regular');
INSERT INTO QZLTBT19_TPO_STCO_CONTA_EMPRESA (NU_SITUACAO_CONTA_EMPRESA, DE_SITUACAO_CONTA_EMPRESA) VALUES (1, 'Empresa não cadastrada');
INSERT INTO QZLTBT19_TPO_STCO_CONTA_EMPRESA (NU_SITUACAO_CONTA_EMPRESA, DE_SITUACAO_CONTA_EMPRESA) VALUES (2, 'Empresa com pendência cadastral');
INSERT INTO QZLTBT19_TPO_STCO_CONTA_EMPRESA (NU_SITUACAO_CONTA_EMPRESA, DE_SITUACAO_CONTA_EMPRESA) VALUES (3, 'Empresa sem conta dos trabalhadores solicitados');
