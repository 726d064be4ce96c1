#pragma once
// How long the guide identifiers of this process have waited for a new
// second (GerarIdentificadorGuia waits only when an identifier would repeat
// the previous one); the closing reports it.
#include <QtGlobal>

// Milliseconds waited so far.
qint64 EsperaIdentificadorGuia();
