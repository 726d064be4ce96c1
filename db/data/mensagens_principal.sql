-- Messages of the main window: the pending worker-name change reported by the bank.
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (301, 'A VORDA informou para este trabalhador um nome diferente do cadastrado. Deseja manter o nome cadastrado? (Sim mantém o nome cadastrado; Não adota o nome informado pela VORDA)');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (302, 'O nome cadastrado foi mantido. A alteração informada pela VORDA foi registrada como confirmada.');
