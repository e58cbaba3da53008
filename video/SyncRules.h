#pragma once

#include <QList>
#include <QString>

#include <cstdint>

// The arithmetic of synchronised playback, kept apart from the widgets so that
// tests can call it.
namespace SyncRules {

// A window shows "no recording" while the clock is before its file's first
// picture; past the end it holds its last picture. A time of 0 is no time.
bool showsNoRecording(uint64_t clockUs, uint64_t fileStartUs);

// Where the clock starts when synchronisation is switched on: at the
// selected window's picture when it shows one, else at the earliest start
// among the open files' starts; 0 when there is none.
uint64_t startingTime(uint64_t selectedShownUs, const QList<uint64_t>& fileStartsUs);

// The channel a recorder wrote into a file name as a prefix ("ch03_...",
// "CH03-..."); -1 when the name carries none.
int channelInName(const QString& fileName);

// A file of a window's list as far as continuing into it goes.
struct Segment {
    QString path;
    uint64_t start = 0; // recording time, us since 1970; 0 unknown
    uint64_t end = 0;
    int infoChannel = -1; // from the file information; -1 unknown
};

// Two files of one channel: by their names when both name one, else by
// their file information.
bool sameChannel(const Segment& a, const Segment& b);

// The file that continues ended: of the same channel, starting within 5 s of
// its end (before or after), the earliest such; -1 when none.
qsizetype nextSegment(const Segment& ended, const QList<Segment>& list);

}
