#pragma once

#include <QImage>

// Single pictures of the theme and the brand pictures beside the program.
namespace icongen::picture {

QImage zoomCursor();   // 26 x 26, hot spot in the centre
QImage entryPhoto();   // 70 x 54, the play list entry's icon

QImage windowIcon();   // 48 x 48
QImage smallLogo();    // 72 x 24
QImage watermark();    // 200 x 60, mostly transparent

}
