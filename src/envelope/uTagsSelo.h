#pragma once
// Names of the seal entries of an envelope. Business information is written
// under the prefix followed by its own name ("...field.nra", "...field.tparquivo").
#include <QString>

inline const QString TagNivelExigido = QStringLiteral("LKWStamp.envelope.requiredlevel");
inline const QString TagNomeArquivoConteudo = QStringLiteral("LKWStamp.content.file.name");
inline const QString TagPrefixoInformacao = QStringLiteral("LKWStamp.bussinessinfo.field.");
inline const QString TagNra = QStringLiteral("LKWStamp.bussinessinfo.field.nra");
