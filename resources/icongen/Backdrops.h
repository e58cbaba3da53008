#pragma once

#include <QImage>

// Frames, backgrounds and slider parts of the theme.
namespace icongen::backdrop {

QImage startPage();             // 662 x 417
QImage titleBar();              // 600 x 34
QImage entryProgress();         // 260 x 70
QImage framePanel(int width, bool left); // width x 45
QImage groove();                // 800 x 4
QImage playedPart();            // 200 x 2
QImage remainingPart();         // 200 x 2
QImage sliderHandle();          // 16 x 16

}
