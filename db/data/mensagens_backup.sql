-- Messages of the backup and restore windows (shown under the screen code "99").
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (104, 'Não foi possível restaurar o backup. O arquivo está danificado, incompleto ou não é um backup do sistema. Nenhum dado foi alterado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (107, 'Ocorreu um erro ao gerar o backup. Nenhum arquivo de backup foi gravado.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (137, 'Não foi possível criar a pasta Backup na pasta do sistema.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (227, 'Não foi possível criar a pasta de trabalho TEMP na pasta do sistema.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (251, 'O arquivo de backup informado não existe.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (252, 'Backup gerado com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (255, 'Backup restaurado com sucesso.');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (477, 'O backup foi gerado por outra versão do sistema. Deseja validar agora todos os vínculos restaurados? (Não marca todos os vínculos para validação posterior)');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (478, 'Backup restaurado com sucesso, mas a validação encontrou inconsistências nos vínculos. Deseja visualizar o relatório de inconsistências?');
INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (479, 'Não foi possível restaurar o backup: a estrutura das tabelas do backup é diferente da estrutura atual do banco de dados. Nenhum dado foi alterado.');
