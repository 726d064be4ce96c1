/*
 * TEST DATA - not published by the bank: message texts written for this
 * database.
 * QZLTBT13_MENSAGEM_SISTEMA, messages of the core: start-up, database access,
 * inconsistency registry, utility library (parsing helpers, standard
 * messages, envelope and signature helpers) and the inconsistencies that
 * other parts record directly.
 *
 * A message is looked up by the last four digits of its code, so "000035",
 * "FE0035" and "0035" all read row 35. "&" is replaced by the arguments, in
 * order. Texts recorded as inconsistencies have no "&" (the offending content
 * is listed beside them), except 372, whose two arguments the listings fill.
 * Each number is defined in one data script only.
 */
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (1, 'Alteração realizada com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (11, 'Conteúdo não numérico.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (35, 'Confirma a gravação dos dados?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (62, 'Não há movimento de recolhimento aberto. Informe a data de pagamento.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (68, 'Exclusão realizada com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (78, 'Inclusão realizada com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (92, 'Registro não encontrado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (109, 'Número do PIS/PASEP inválido.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (144, 'Não foi possível gravar ou ler os dados na base de dados. A operação não foi concluída.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (151, 'Não foi possível abrir ou ler o arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (212, 'Data inválida.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (230, 'Nenhum registro foi selecionado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (372, 'Índice do ZELT não encontrado para a competência & na tabela de índices de &. Verifique se a data de pagamento está dentro do período de vigência dos índices carregados.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (385, 'Estrutura do arquivo inválida: registros de abertura, de detalhe ou de encerramento ausentes ou fora de ordem.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (396, 'Mensagem de inconsistência não cadastrada na tabela de mensagens do sistema.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (442, 'Não foi possível gravar as guias do arquivo.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (449, 'Saldo para fins rescisórios inferior ao saldo mínimo da categoria do trabalhador na data da movimentação.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (488, 'Não foi possível abrir o envelope, ou o envelope não corresponde ao arquivo selecionado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (489, 'Não foi possível incluir o arquivo no envelope ou retirá-lo do envelope.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (490, 'Não foi possível gravar as informações do selo ou do envelope.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (491, 'Não foi possível gravar o envelope, ou a assinatura do arquivo não é válida.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (520, 'A remuneração do mês anterior à rescisão não pode ser recolhida nesta guia para movimentações a partir de 01/03/2024.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (521, 'Data de movimentação anterior a 01/03/2024: o recolhimento rescisório não pode ser feito por este sistema.');
