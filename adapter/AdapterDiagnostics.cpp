#include "AdapterDiagnostics.h"

Q_LOGGING_CATEGORY(lcKvAdapterDiag, "kvplayer.diag")
