#pragma once

#include <QString>

#include <optional>

// What the playback controls show for a play state reported by the current
// video window: the speed text and which controls are enabled.
namespace ControlStates {

// The speed text for slow and fast states ("1/2" .. "1/16", "x2" .. "x16"),
// "" for normal play, nothing for states that leave the text as it is.
std::optional<QString> statusText(int state);

// The speed text of the full-screen bar: as statusText, except that play,
// stop, pause and frame step clear it while the screen is full screen.
std::optional<QString> barStatusText(int state, bool fullScreen);

struct Enabled {
    bool play = true;
    bool stop = false;
    bool speed = false;     // fast and slow
    bool frameStep = false; // forward and back
    bool zoom = false;      // also full screen and snapshot
    bool record = false;
    bool sound = false;
    bool position = false;  // the position slider
};

// The enabled controls for play, stop, pause and frame step; nothing for the
// speed states, which change no enabled state.
std::optional<Enabled> enabledFor(int state);

// The one-line style sheet that shows a theme picture (name without ".png")
// as a button's sprite.
QString picture(const char* name);

// Style sheets of the play and sound buttons.
QString playPicture(bool playing);
QString soundPicture(bool soundOn);
// The synchronised playback toggle: a lettered button, lit while on.
QString syncToggleSheet();
QString fileListPicture(bool shown);

}
