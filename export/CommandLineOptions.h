#pragma once

// The words of the headless commands:
//   --verify FOLDER
//   --export --in TIME --out TIME [--note TEXT] --to FOLDER FILE...

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace CommandLineOptions {

struct Verify {
    QString folder;
};

struct Export {
    QString in;
    QString out;
    QString note;
    QString to;
    QStringList files;
};

struct Parsed {
    std::optional<Verify> verify;
    std::optional<Export> exportSpan;
    QString error; // set when neither is
};

// arguments without the program name.
Parsed parse(const QStringList& arguments);

// A TIME: ISO 8601 recording time (local time unless it names a zone), or
// seconds into the file that starts at fileStart with a trailing "s"
// ("90s", "12.5s"). Empty for anything else.
std::optional<uint64_t> parseTime(const QString& text, uint64_t fileStart);
// Whether a TIME counts from the start of a file.
bool isRelative(const QString& text);

}
