#pragma once

#include "PlayerTypes.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class Model_Customize;
class QMimeData;

// The arithmetic of a video window, kept apart from the widget so that tests
// can call it: time texts, progress, seek targets, speed steps, what plays
// after the end of a file, and which dropped files are recordings.
namespace PlaybackRules {

// Play modes: what a window plays when its file ends.
enum PlayMode { Single = 0, List = 1, SingleCircle = 2, ListCircle = 3 };

// "hh:mm:ss" of a duration in microseconds; hours may run past two digits.
QString timeText(uint64_t microseconds);

// The elapsed time of the frame at time t in a file starting at first. A time
// before the start counts as the start, so a stray early stamp never shows as
// a huge elapsed time.
uint64_t elapsedAt(uint64_t t, uint64_t first);

// Position 0..10000 of elapsed within total; total must not be 0.
int progressValue(uint64_t elapsed, uint64_t total);

// The absolute time at position value (0..10000) of a file.
uint64_t seekTarget(uint64_t first, uint64_t total, int value);

// The time deltaUs away from t, kept within first..last.
uint64_t shiftedTime(uint64_t t, int64_t deltaUs, uint64_t first, uint64_t last);

int speedUp(int state);
int slowDown(int state);

// The position of the playing file in a play list that was edited: where it
// is now (entries before it deleted or added), or index unchanged when the
// file is not in the list.
int indexAfterEdit(const QStringList& list, const QString& current, int index);

// The entry of a window's own list to play when the entry at index ended, or
// nothing to stay stopped.
std::optional<int> nextAfterEnd(int playMode, int index, int count);

// The file of a drop: the first URL as a local path, else the drop's text.
QString droppedFile(const QMimeData& mime);

// A path is accepted when it contains one of the extensions anywhere
// (case-sensitively), so "x.avi/y" counts as well.
bool acceptsDrop(const QString& path, const Model_Customize& customize);

}
