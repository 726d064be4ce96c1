-- Messages of the lookup windows and of the query of files generated for the bank.
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (297, 'O arquivo selecionado não possui empresas.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (299, 'Selecione um arquivo na lista.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (258, 'Não foi possível excluir o arquivo. Nenhuma alteração foi feita.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (306, 'Não há linhas gravadas para este arquivo. Não é possível salvá-lo novamente.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (310, 'Não há arquivos gerados para envio à VORDA.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (348, 'Protocolo não encontrado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (405, 'Informe o conteúdo a ser pesquisado.');
