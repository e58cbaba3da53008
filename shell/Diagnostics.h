#pragma once

#include <QLoggingCategory>

// The program's diagnostic lines ("basePath = ...", "file = ...") go to this
// category, so that tests and users can silence them with
// QT_LOGGING_RULES="kvplayer.diag=false".
Q_DECLARE_LOGGING_CATEGORY(lcKvDiag)

#define KV_DIAG() qCDebug(lcKvDiag).noquote().nospace()
