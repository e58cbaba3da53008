#pragma once

#include <QLoggingCategory>

// The adapter's diagnostic lines. The category has the program's name for
// them, so QT_LOGGING_RULES="kvplayer.diag=false" silences these as well; it
// is declared here because the adapter sits below the shell that declares
// the program's own.
Q_DECLARE_LOGGING_CATEGORY(lcKvAdapterDiag)

#define KV_ADAPTER_DIAG() qCDebug(lcKvAdapterDiag).noquote().nospace()
