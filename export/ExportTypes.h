#pragma once

// What an evidence export is asked to do, and how it ended.

#include <QList>
#include <QString>

#include <cstdint>

struct ExportSource {
    int window = 0; // the video window's number, counted from 1
    QString path;
};

struct ExportRequest {
    QList<ExportSource> sources;
    uint64_t in = 0; // recording times, us since 1970 UTC
    uint64_t out = 0;
    QString note;
    QString parentFolder; // the export's own folder goes below it
};

enum class ExportError {
    None,
    NoSources,
    InAfterOut,
    OutsideFiles,
    Unwritable,
    WriteFailed,
    ReadFailed,
    VerifyFailed,
    Cancelled
};

struct ExportOutcome {
    ExportError error = ExportError::None;
    QString folder; // the finished folder, on success
    QString detail; // the file or the system's message behind an error
};
