// Recording time of a file on the absolute scale (us since 1970 UTC), and
// where it came from. Each source has its own rule; recordingStart() takes
// the first that knows a time, in the order of the KV_TIME_* codes.
#pragma once

#include <cstdint>
#include <string>

struct AVDictionary;
struct AVPacket;
struct AVRational;

namespace kvplay {

// An ISO 8601 date-time ("2024-05-06T07:08:09.000000Z", "2025-03-14 09:26:53+01:00").
// Without a zone it is UTC, as containers store it. 0 when invalid or before 2000.
int64_t parseCreationTime(const char* text);

// The ISO 8601 text of a time in UTC with microseconds, as creation_time tags hold it.
std::string creationTimeText(int64_t us);

// The container's creation_time tag by parseCreationTime; 0 when absent or invalid.
int64_t parseTagTime(const AVDictionary* metadata);

// The wall-clock time of the stream's first picture from a packet's producer
// reference time: its wall clock minus its distance from streamStartUs.
// 0 when the packet carries none or the time is before 2000.
int64_t streamStampTime(const AVPacket& pkt, AVRational timeBase, int64_t streamStartUs);

// A date-time in a file name (the folders of path are ignored): 14 digits
// with or without separators, such as "20250314092653", "20250314_092653",
// "2025-03-14_09-26-53" or "ch03_2025-03-14 09.26.53", optionally followed by
// "Z" or a zone "+0100" / "+01:00". Local time unless a zone is given.
// 0 when the name holds no valid date-time from 2000 on.
int64_t nameTime(const std::string& path);

// The modification time of path minus the file's length; the current time
// stands in for a file that cannot be examined. Never below 1.
int64_t modifiedStart(const std::string& path, int64_t durationUs);

struct RecordingTime {
    int64_t us = 0;
    int source = 0; // KV_TIME_*
};

// The file's start: metadataTime when nonzero, else streamTime when nonzero,
// else the time in the file name, else modifiedStart(). Never 0.
RecordingTime recordingStart(int64_t metadataTime, int64_t streamTime, const std::string& path,
                             int64_t durationUs);

} // namespace kvplay
