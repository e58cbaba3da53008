#pragma once

#include "PlayerTypes.h"

#include <QString>

#include <cstdint>

// The texts of the file information panel, read from the library's record.
namespace FileInfoText {

// "2023-11-14 22:13:20": the UTC date and time of a time in microseconds since
// 1970, rounded to whole seconds. Month and day are not padded; hours,
// minutes and seconds are.
QString timeText(uint64_t microseconds);

// The language text index that names a recording-time source; -1 for an
// unknown one.
int timeSourceTextIndex(int32_t source);

// The language text index of the panel's caption for the source row.
constexpr int kTimeSourceCaption = 83;

struct Fields {
    QString mac;
    QString serial;
    QString channel;
    QString time;
    QString deviceType;
    QString timeSource; // from the language table; empty when unknown
};

// The channel counts from 1 on screen. Text fields end at their first zero
// byte or at the end of their field, whichever comes first.
Fields fields(const FileInfoRecord& record);

}
