#pragma once

// Recordings for the export tests, made once per test program with ffmpeg in
// a folder that every user may read, and the command-line tools that check
// what an export wrote.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace exporttest {

constexpr uint64_t kUsPerSecond = 1000000;
// 2025-03-14T09:26:53Z, the creation time of cam1.mp4; cam2.mp4 starts 3 s later.
constexpr uint64_t kCam1Start = 1741944413ULL * kUsPerSecond;
constexpr uint64_t kCam2Start = kCam1Start + 3 * kUsPerSecond;

// "cam1.mp4" (12 s, H.264 with B-frames, GOP 25, AAC), "cam2.mp4" (12 s),
// "gate_20250314_092653.ts" (MPEG-TS without creation time, 6 s).
QString recording(const char* name);
// A fresh folder in the shared media folder, readable by every user.
QString freshFolder(const char* name);

struct Ran {
    int status = -1;
    QString out;
    QString err;
};
Ran run(const QString& program, const QStringList& arguments, const QString& folder = {});
// The program under test, headless.
Ran kvplayer(const QStringList& arguments);

// One line per video packet of a file: "pts_us keyflag sha256".
struct VideoPacket {
    int64_t ptsUs = 0; // from the stream's start
    bool key = false;
    QString hash;
};
QList<VideoPacket> videoPackets(const QString& path);

// Lower-case hex, by the sha256sum tool.
QString sha256sum(const QString& path);

}
