#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>

#include <optional>

class QKeyEvent;

// The player's keyboard: every key a reviewer uses, the command it reaches
// and the text that names it, in one table. Escape and Ctrl+S belong to the
// widgets that handle them (the video screen, the stay-on-top button) and
// are in the table only so that the help lists them.
namespace ShortcutMap {

enum class Command {
    PlayPause,
    SeekBack,
    SeekForward,
    SeekBackLong,
    SeekForwardLong,
    FrameForward,
    FrameBack,
    Faster,
    Slower,
    NormalSpeed,
    VolumeUp,
    VolumeDown,
    Sound,
    FullScreen,
    Layout1,
    Layout4,
    Layout9,
    Layout16,
    NextWindow,
    PreviousWindow,
    Snapshot,
    SnapshotAll,
    Synchronise,
    Record,
    OpenFiles,
    OpenFolder,
    Search,
    Settings,
    Help,
    MarkIn,
    MarkOut,
    Export,
    LeaveFullScreen,
    StayOnTop,
};

struct Entry {
    QKeyCombination key;
    Command command;
    int text;        // language table index of its description
    bool dispatched; // false: handled by its own widget
};

constexpr qint64 kSeekUs = 5'000'000;
constexpr qint64 kLongSeekUs = 60'000'000;
constexpr int kVolumeStep = 5;

const QList<Entry>& table();
// The key of a press as the table writes it: keypad keys as the main ones,
// Backtab as Shift+Tab.
QKeyCombination keyOf(const QKeyEvent& event);
// The command the player runs for a key; none for other keys and for the
// keys other widgets handle.
std::optional<Command> commandFor(QKeyCombination key);
// The grid size (1..4) of a layout command, 0 for other commands.
int layoutOf(Command command);
// The jump of a seek command in microseconds (negative: back), 0 for others.
qint64 seekOf(Command command);
// For the help, in the current language.
QString keyText(const Entry& entry);
QString description(const Entry& entry);

}
