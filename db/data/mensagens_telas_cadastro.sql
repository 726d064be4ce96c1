-- Messages of the registry edit frames (responsible party, employers, workers
-- and links, balance complements) and of their two dialogs. A frame shows
-- them behind its two-character prefix ("00", "10", "40", "43"-"45").
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (2, 'A empresa possui vínculos cadastrados, que também serão excluídos, com os trabalhadores que ficarem sem vínculo. Confirma a exclusão?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (125, 'Opção pelo Simples não informada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (146, 'Confirma a inclusão do trabalhador e do vínculo?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (147, 'Confirma a alteração do trabalhador e do vínculo?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (274, 'Valor da remuneração da competência não informado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (278, 'Mês da competência não informado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (279, 'Ano da competência não informado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (287, 'A soma dos saldos escolhidos é zero. Escolha ao menos uma conta com saldo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (290, 'Nenhum registro selecionado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (371, 'O vínculo possui complementos de saldo, que serão excluídos porque foi informada a data do dissídio. Confirma a alteração?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (408, 'Não há contas com saldo carregado pela VORDA para este vínculo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (414, 'O valor base para fins rescisórios difere da soma dos saldos das contas do vínculo. Deseja escolher as contas que compõem o saldo?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (419, 'Não há ocorrência de saldo a imprimir para este vínculo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (445, 'O vínculo já foi fechado em um movimento. Confirma a exclusão?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (446, 'A empresa possui vínculos já fechados em um movimento, que também serão excluídos. Confirma a exclusão?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (453, 'Trabalhador já cadastrado com este PIS/PASEP. Deseja substituir os dados digitados pelos dados cadastrados?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (710, 'Complemento de saldo não permitido: o vínculo tem data de dissídio ou movimentação I3.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (711, 'Os dados digitados ainda não foram gravados. Deseja descartá-los?');
