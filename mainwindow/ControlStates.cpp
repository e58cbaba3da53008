#include "ControlStates.h"

#include "PlayerTypes.h"

namespace ControlStates {

std::optional<QString> statusText(int state)
{
    switch (state) {
    case PlayStatePlay:
        return QString();
    case PlayStateSlow2:
        return QStringLiteral("1/2");
    case PlayStateSlow4:
        return QStringLiteral("1/4");
    case PlayStateSlow8:
        return QStringLiteral("1/8");
    case PlayStateSlow16:
        return QStringLiteral("1/16");
    case PlayStateFast2:
        return QStringLiteral("x2");
    case PlayStateFast4:
        return QStringLiteral("x4");
    case PlayStateFast8:
        return QStringLiteral("x8");
    case PlayStateFast16:
        return QStringLiteral("x16");
    default:
        return std::nullopt;
    }
}

std::optional<QString> barStatusText(int state, bool fullScreen)
{
    switch (state) {
    case PlayStatePlay:
    case PlayStateStop:
    case PlayStatePause:
    case PlayStateStep:
        if (fullScreen)
            return QString();
        return std::nullopt;
    default:
        return statusText(state);
    }
}

std::optional<Enabled> enabledFor(int state)
{
    switch (state) {
    case PlayStatePlay:
    case PlayStateStep:
        return Enabled{true, true, true, true, true, true, true, true};
    case PlayStateStop:
        return Enabled{};
    case PlayStatePause:
        return Enabled{true, false, true, true, true, false, true, true};
    default:
        return std::nullopt;
    }
}

QString picture(const char* name)
{
    return QStringLiteral("background-image:url(:/icons/gray1/%1.png)").arg(QLatin1String(name));
}

QString playPicture(bool playing)
{
    return picture(playing ? "pause" : "play");
}

QString syncToggleSheet()
{
    return QStringLiteral("QToolButton { color: rgb(200, 200, 200); font: bold 7pt; border: 1px solid rgb(110, 110, 120);"
                          " border-radius: 3px; background: transparent; }"
                          " QToolButton:checked { color: rgb(20, 20, 20); background: rgb(230, 192, 19); }");
}

QString soundPicture(bool soundOn)
{
    return picture(soundOn ? "sound_on" : "sound_off");
}

QString fileListPicture(bool shown)
{
    return picture(shown ? "show" : "hide") + u';';
}

}
