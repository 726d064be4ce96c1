/*
 * TEST DATA - not published by the bank.
 * QZLTBT22_PARAMETRO_SISTEMA: database versions; the newest by date is the
 * current one (3.3.15). Backups made before 3.3.15 carry payroll-loan data in
 * the old form. The build takes the version of the program and of its package
 * from that row (CMakeLists.txt), and the program opens only a database whose
 * newest row is its own version.
 */
INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES ('3.3.12', '2017-11-13');
INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES ('3.3.13', '2018-06-18');
INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES ('3.3.14', '2018-11-26');
INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES ('3.3.15', '2019-05-10');
