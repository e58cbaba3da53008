#include "StateLook.h"

#include <array>

namespace icongen {

namespace {

using Looks = std::array<StateLook, 4>;

const QColor kNone;
const QColor kInk(226, 233, 245);
const QColor kAmber(255, 196, 70);
const QColor kShadow(0, 0, 0, 120);
const StateLook kDisabledOnDark{kNone, kNone, kNone, QColor(150, 160, 182, 130), kNone, true, 0};

Looks onDark()
{
    return {StateLook{kNone, kNone, kNone, kInk, kShadow, false, 0},
            StateLook{QColor(255, 255, 255, 80), QColor(255, 255, 255, 34), QColor(255, 255, 255, 130),
                      Qt::white, kShadow, false, 0},
            StateLook{QColor(0, 14, 44, 190), QColor(0, 32, 84, 160), QColor(110, 170, 255, 230), kAmber,
                      kNone, false, 1},
            kDisabledOnDark};
}

Looks onDarkRaised()
{
    Looks looks = onDark();
    looks[0].plateTop = QColor(255, 255, 255, 46);
    looks[0].plateBottom = QColor(255, 255, 255, 8);
    looks[0].plateEdge = QColor(255, 255, 255, 110);
    looks[1].plateTop = QColor(255, 255, 255, 105);
    looks[3].plateEdge = QColor(150, 160, 182, 70);
    return looks;
}

Looks onDarkDanger()
{
    Looks looks = onDark();
    looks[1] = StateLook{QColor(236, 80, 80), QColor(196, 38, 38), QColor(255, 170, 170), Qt::white, kShadow,
                         false, 0};
    looks[2] = StateLook{QColor(150, 24, 24), QColor(118, 16, 16), QColor(220, 90, 90), QColor(255, 220, 220),
                         kNone, false, 1};
    return looks;
}

Looks onLight()
{
    const QColor navy(32, 78, 147);
    return {StateLook{QColor(255, 255, 255, 60), QColor(255, 255, 255, 30), QColor(255, 255, 255, 120),
                      QColor(250, 252, 255), QColor(20, 50, 100, 110), false, 0},
            StateLook{QColor(255, 255, 255, 240), QColor(226, 236, 250), Qt::white, navy, kNone, false, 0},
            StateLook{navy, QColor(18, 50, 104), QColor(150, 190, 245), kAmber, kNone, false, 0},
            StateLook{kNone, kNone, kNone, QColor(80, 100, 130, 120), kNone, true, 0}};
}

Looks tab()
{
    return {StateLook{QColor(230, 236, 246), QColor(198, 209, 227), QColor(160, 172, 200), QColor(40, 44, 75),
                      kNone, false, 0},
            StateLook{QColor(250, 252, 255), QColor(222, 231, 244), QColor(248, 170, 17), QColor(32, 78, 147),
                      kNone, false, 0},
            StateLook{QColor(44, 98, 176), QColor(20, 56, 116), QColor(120, 170, 240), Qt::white,
                      QColor(0, 0, 0, 90), false, 0},
            kDisabledOnDark};
}

Looks big()
{
    return {StateLook{QColor(60, 122, 204), QColor(26, 76, 154), QColor(120, 170, 235), Qt::white, kShadow,
                      false, 0},
            StateLook{QColor(92, 156, 236), QColor(46, 106, 190), QColor(180, 215, 255), Qt::white, kShadow,
                      false, 0},
            StateLook{QColor(18, 56, 120), QColor(12, 40, 92), QColor(80, 130, 200), kAmber, kNone, false, 1},
            kDisabledOnDark};
}

Looks danger()
{
    const QColor white(255, 255, 255);
    return {StateLook{QColor(164, 170, 194), QColor(140, 146, 172), kNone, white, kNone, false, 0},
            StateLook{QColor(238, 84, 84), QColor(204, 42, 42), kNone, white, kNone, false, 0},
            StateLook{QColor(156, 26, 26), QColor(124, 18, 18), kNone, QColor(255, 210, 210), kNone, false, 0.5},
            StateLook{QColor(200, 204, 214), QColor(190, 194, 206), kNone, QColor(235, 237, 242), kNone, true, 0}};
}

Looks looksOf(Family family)
{
    switch (family) {
    case Family::OnDark: return onDark();
    case Family::OnDarkRaised: return onDarkRaised();
    case Family::OnDarkDanger: return onDarkDanger();
    case Family::OnLight: return onLight();
    case Family::Tab: return tab();
    case Family::Big: return big();
    case Family::Danger: return danger();
    }
    return onDark();
}

}

StateLook lookFor(Family family, ButtonState state)
{
    return looksOf(family)[static_cast<std::size_t>(state)];
}

}
