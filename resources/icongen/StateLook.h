#pragma once

#include <QColor>

namespace icongen {

enum class ButtonState { Normal, Hover, Down, Disabled };

// Colour families: which background a button sits on decides how its states
// stand out from each other.
enum class Family {
    OnDark,       // small buttons on the blue window, frames and control bar
    OnDarkRaised, // big round buttons that keep a faint plate when idle
    OnDarkDanger, // the title bar's close button: red when aimed at
    OnLight,      // layout popup buttons on its light blue
    Tab,          // settings page buttons
    Big,          // start page open buttons
    Danger,       // the play list entry's delete button on a light entry
};

struct StateLook {
    QColor plateTop;      // invalid: no plate for this state
    QColor plateBottom;
    QColor plateEdge;     // invalid: no outline
    QColor ink;
    QColor shadow;        // invalid: the glyph casts no shadow
    bool muted = false;
    qreal sink = 0;       // how far a pushed glyph moves down, in pixels
};

StateLook lookFor(Family family, ButtonState state);

}
