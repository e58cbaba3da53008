#include "ShortcutMap.h"

#include "Model_Language.h"
#include "SyncTexts.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace ShortcutMap {

namespace {

// Texts of the layout choices: "Layout" and the "n-Window" of the layout menu.
constexpr int kLayoutText = 61;
constexpr int kWindowText = 69;

Entry key(Qt::Key k, Command command, int text)
{
    return {QKeyCombination(k), command, text, true};
}

Entry key(Qt::KeyboardModifiers modifiers, Qt::Key k, Command command, int text, bool dispatched = true)
{
    return {QKeyCombination(modifiers, k), command, text, dispatched};
}

}

const QList<Entry>& table()
{
    static const QList<Entry> entries = {
        key(Qt::Key_Space, Command::PlayPause, 64),
        key(Qt::Key_Left, Command::SeekBack, 108),
        key(Qt::Key_Right, Command::SeekForward, 109),
        key(Qt::ShiftModifier, Qt::Key_Left, Command::SeekBackLong, 110),
        key(Qt::ShiftModifier, Qt::Key_Right, Command::SeekForwardLong, 111),
        key(Qt::Key_Period, Command::FrameForward, 66),
        key(Qt::Key_Comma, Command::FrameBack, 11),
        key(Qt::Key_BracketRight, Command::Faster, 67),
        key(Qt::Key_BracketLeft, Command::Slower, 68),
        key(Qt::Key_Backspace, Command::NormalSpeed, 112),
        key(Qt::Key_Up, Command::VolumeUp, 113),
        key(Qt::Key_Down, Command::VolumeDown, 114),
        key(Qt::Key_M, Command::Sound, 60),
        key(Qt::Key_F, Command::FullScreen, 57),
        key(Qt::AltModifier, Qt::Key_1, Command::Layout1, kLayoutText),
        key(Qt::AltModifier, Qt::Key_2, Command::Layout4, kLayoutText),
        key(Qt::AltModifier, Qt::Key_3, Command::Layout9, kLayoutText),
        key(Qt::AltModifier, Qt::Key_4, Command::Layout16, kLayoutText),
        key(Qt::Key_Tab, Command::NextWindow, 115),
        key(Qt::ShiftModifier, Qt::Key_Tab, Command::PreviousWindow, 116),
        key(Qt::Key_S, Command::Snapshot, 53),
        key(Qt::ShiftModifier, Qt::Key_S, Command::SnapshotAll, 117),
        key(Qt::Key_R, Command::Record, 62),
        key(Qt::Key_Y, Command::Synchronise, SyncTexts::kSyncPlayback),
        key(Qt::ControlModifier, Qt::Key_O, Command::OpenFiles, 54),
        key(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_O, Command::OpenFolder, 74),
        key(Qt::ControlModifier, Qt::Key_F, Command::Search, 27),
        key(Qt::ControlModifier, Qt::Key_Comma, Command::Settings, 33),
        key(Qt::Key_I, Command::MarkIn, 88),
        key(Qt::Key_O, Command::MarkOut, 89),
        key(Qt::ControlModifier, Qt::Key_E, Command::Export, 90),
        key(Qt::Key_F1, Command::Help, 118),
        key(Qt::NoModifier, Qt::Key_Escape, Command::LeaveFullScreen, 21, false),
        key(Qt::ControlModifier, Qt::Key_S, Command::StayOnTop, 36, false),
    };
    return entries;
}

QKeyCombination keyOf(const QKeyEvent& event)
{
    Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    auto k = static_cast<Qt::Key>(event.key());
    if (k == Qt::Key_Backtab) {
        k = Qt::Key_Tab;
        modifiers |= Qt::ShiftModifier;
    }
    return QKeyCombination(modifiers, k);
}

std::optional<Command> commandFor(QKeyCombination k)
{
    for (const Entry& entry : table()) {
        if (entry.dispatched && entry.key == k)
            return entry.command;
    }
    return std::nullopt;
}

int layoutOf(Command command)
{
    switch (command) {
    case Command::Layout1:
        return 1;
    case Command::Layout4:
        return 2;
    case Command::Layout9:
        return 3;
    case Command::Layout16:
        return 4;
    default:
        return 0;
    }
}

qint64 seekOf(Command command)
{
    switch (command) {
    case Command::SeekBack:
        return -kSeekUs;
    case Command::SeekForward:
        return kSeekUs;
    case Command::SeekBackLong:
        return -kLongSeekUs;
    case Command::SeekForwardLong:
        return kLongSeekUs;
    default:
        return 0;
    }
}

QString keyText(const Entry& entry)
{
    return QKeySequence(entry.key).toString(QKeySequence::NativeText);
}

QString description(const Entry& entry)
{
    const QString text = Model_Language::Text(entry.text).remove(QLatin1Char(':')).trimmed();
    const int n = layoutOf(entry.command);
    if (n == 0)
        return text;
    return text + QStringLiteral(": ") + QString::number(n * n) + QLatin1Char('-') + Model_Language::Text(kWindowText);
}

}
