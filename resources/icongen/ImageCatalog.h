#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

namespace icongen {

struct Artwork {
    QString path; // relative to the output folder
    std::function<QImage()> draw;
};

// Every picture the generator writes: the theme under icons/gray1 and
// qss/gray1, and the brand pictures under brand.
QList<Artwork> catalog();

}
