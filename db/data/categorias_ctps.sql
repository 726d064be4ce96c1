/*
 * TEST DATA - not published by the bank.
 * QZLTBT04_CATEGORIA_EMPREGADO.IC_CTPS: the code list gives no work-booklet
 * flag; every category is loaded with "S" and the non-employee director
 * (category 05), who has no work booklet, gets "N".
 */
UPDATE QZLTBT04_CATEGORIA_EMPREGADO SET IC_CTPS = 'N' WHERE NU_CATEGORIA = 5;
