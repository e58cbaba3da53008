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

struct Fields {
    QString mac;
    QString serial;
    QString channel;
    QString time;
    QString deviceType;
};

// The channel counts from 1 on screen. Text fields end at their first zero
// byte or at the end of their field, whichever comes first.
Fields fields(const FileInfoRecord& record);

}
