/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the sealed envelopes, of the sending
 * receipt, of the resend request and of the rejected-resend notice.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (88, 'Inclua ao menos uma guia na lista antes de salvar a solicitação.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (239, 'Informe o tipo de inscrição.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (240, 'Informe o número de inscrição.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (241, 'Preencha todos os campos do código de barras.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (242, 'Código de barras inválido: os dígitos verificadores não conferem.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (243, 'Solicitação de reenvio de guias processadas gerada com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (296, 'Reenvio recusado: guia cancelada pelo banco.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (456, 'Reenvio recusado: guia não encontrada pelo banco.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (457, 'Reenvio recusado: a inscrição do empregador não confere com a da guia.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (458, 'Reenvio recusado: a data de pagamento não confere com a da guia.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (459, 'Reenvio recusado: código de barras inválido.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (460, 'Reenvio recusado: guia ainda não processada pelo banco.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (461, 'Reenvio recusado: guia já reenviada anteriormente.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (462, 'Reenvio recusado: prazo para solicitar o reenvio esgotado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (463, 'Reenvio recusado: o responsável não está autorizado a pedir o reenvio desta guia.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (464, 'Reenvio recusado: inscrição do responsável inválida.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (465, 'Reenvio recusado: guia em processamento pelo banco.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (466, 'Reenvio recusado: solicitação repetida.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (467, 'Reenvio recusado: tipo de inscrição inválido.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (468, 'Reenvio recusado: guia sem pagamento confirmado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (469, 'Reenvio recusado: arquivo da guia não localizado pelo banco.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (470, 'Reenvio recusado por outro motivo: procure a agência.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (471, 'Este código de barras já está na lista.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (485, 'Arquivo & com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (486, 'Não há guias de empresa do arquivo deste recibo na base de dados.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (487, 'Não há registro de envio do arquivo deste recibo na base de dados.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (1108, 'Não foi possível incluir ou retirar o arquivo do envelope, ou gravar o envelope.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (1117, 'O envelope não é válido.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (1146, 'Não foi possível ler a lista de arquivos ou o selo do envelope.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (1147, 'A biblioteca de selagem não está disponível ou não pôde ser iniciada.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (730, 'As guias do arquivo & não estão no banco de dados (por exemplo, depois de restaurar uma cópia de segurança mais antiga). Deseja recuperá-las do arquivo enviado à VORDA?');
