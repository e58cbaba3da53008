#pragma once

// What an evidence export needs from the playback library: the recorder's
// facts about a file with its recording-time range, and a lossless copy of a
// span of it. No player handle is needed; every call blocks and may run on
// any thread but a library callback (workers are meant).

#include <QString>

#include <cstdint>
#include <functional>

namespace PlayerExport {

struct FileFacts {
    QString mac;
    QString serial;
    QString deviceType;
    int channel = 0;      // counted from 0
    uint64_t start = 0;   // recording times, us since 1970 UTC
    uint64_t end = 0;
    int timeSource = 0;   // a RecordingTimeSource
};

// False when the file cannot be opened as a recording.
bool readFacts(const QString& path, FileFacts& facts);

// The file name extension (no dot) of a span copy of source; empty when the
// source cannot be copied (unreadable, no pictures).
QString spanExtension(const QString& source);

struct SpanRequest {
    QString source;
    QString output;
    QString picture;      // PNG of the picture at in; empty: none
    uint64_t in = 0;      // recording times, us since 1970 UTC
    uint64_t out = 0;
};

enum class SpanStatus { Done, OutsideFile, WriteFailed, ReadFailed, Cancelled, BadRequest };

struct SpanResult {
    SpanStatus status = SpanStatus::BadRequest;
    uint64_t first = 0;   // recording times of the first and last picture copied
    uint64_t last = 0;
    uint64_t bytes = 0;   // packet bytes copied
    QString container;
    QString videoCodec;
    QString audioCodec;   // empty without sound
};

// keepGoing receives the bytes copied so far and returns false to cancel.
// On any status but Done neither the output nor the picture exists.
SpanResult copySpan(const SpanRequest& request, const std::function<bool(uint64_t)>& keepGoing);

}
