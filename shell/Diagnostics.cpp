#include "Diagnostics.h"

Q_LOGGING_CATEGORY(lcKvDiag, "kvplayer.diag")
