#include "ImageCatalog.h"

#include "Backdrops.h"
#include "Pictures.h"
#include "SpriteMaker.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace icongen {

namespace {

using enum ButtonState;
using Named = std::pair<QString, Glyph>;

const QList<ButtonState> kFourStates{Normal, Hover, Down, Disabled};
const QList<ButtonState> kThreeStates{Normal, Hover, Down};

// Slice layouts; the plates leave room for the style sheet's small top offsets.
const SpriteLayout kControl{{26, 26}, {1, 2, 24, 24}, 5, {1, 2, 24, 24}};
const SpriteLayout kPlay{{50, 50}, {2, 3, 46, 46}, 23, {9, 10, 32, 32}};
const SpriteLayout kSearch{{45, 45}, {2, 3, 41, 41}, 9, {8.5, 9.5, 28, 28}};
const SpriteLayout kTitle{{24, 24}, {2, 2, 20, 20}, 4, {2, 2, 20, 20}};
const SpriteLayout kDelete{{20, 20}, {3, 3, 14, 14}, 7, {3.5, 3.5, 13, 13}};
const SpriteLayout kLayoutMenu{{17, 17}, {0, 0, 17, 17}, 3, {1, 1, 15, 15}};
const SpriteLayout kSettingsPage{{80, 100}, {4, 4, 72, 92}, 8, {22, 8, 36, 36}};
const SpriteLayout kOpenFile{{123, 42}, {1, 1, 121, 40}, 7, {8, 7, 28, 28}};
const SpriteLayout kOpenDir{{33, 42}, {1, 1, 31, 40}, 7, {4.5, 9, 24, 24}};

QString icon(const QString& name)
{
    return u"icons/gray1/"_s + name + u".png"_s;
}

void addSprites(QList<Artwork>& out, const SpriteLayout& layout, Family family,
                const QList<ButtonState>& states, const QList<Named>& named)
{
    const SpriteMaker maker(layout, family);
    for (const auto& [name, glyph] : named)
        out.append({icon(name), [maker, glyph, states] { return maker.make(glyph, states); }});
}

void addControlButtons(QList<Artwork>& out)
{
    using namespace glyph;
    addSprites(out, kControl, Family::OnDark, kFourStates,
               {{u"add"_s, plus}, {u"capture"_s, camera}, {u"clear"_s, trash}, {u"fast"_s, fast},
                {u"fullScreen"_s, fullScreen}, {u"hide"_s, eyeClosed}, {u"layout"_s, layout},
                {u"open"_s, folder}, {u"playMode"_s, repeat}, {u"playall"_s, playAll}, {u"record"_s, record},
                {u"show"_s, eyeOpen}, {u"singleBack"_s, stepBack}, {u"singleFoward"_s, stepForward},
                {u"slow"_s, slow}, {u"sound_off"_s, soundOff}, {u"sound_on"_s, soundOn},
                {u"stick0"_s, pinWhilePlaying}, {u"stick1"_s, pinNever}, {u"stick2"_s, pinAlways},
                {u"stop"_s, stop}, {u"stopall"_s, stopAll}, {u"zoom"_s, zoom}, {u"markIn"_s, markIn},
                {u"markOut"_s, markOut}});
}

void addOtherButtons(QList<Artwork>& out)
{
    using namespace glyph;
    addSprites(out, kPlay, Family::OnDarkRaised, kFourStates, {{u"play"_s, play}, {u"pause"_s, pause}});
    addSprites(out, kSearch, Family::OnDarkRaised, kFourStates, {{u"search"_s, search}});
    const SpriteMaker spareSearch(kSearch, Family::OnDarkRaised);
    out.append({u"qss/gray1/search.png"_s, [spareSearch] { return spareSearch.make(glyph::search, kFourStates); }});
    addSprites(out, kTitle, Family::OnDark, kThreeStates,
               {{u"menu"_s, menu}, {u"min"_s, minimise}, {u"max_normal"_s, maximise}, {u"max_max"_s, restore}});
    addSprites(out, kTitle, Family::OnDarkDanger, kThreeStates, {{u"exit"_s, cross}});
    addSprites(out, kDelete, Family::Danger, kThreeStates, {{u"close"_s, cross}});
    addSprites(out, kLayoutMenu, Family::OnLight, kThreeStates,
               {{u"1x1"_s, grid(1)}, {u"2x2"_s, grid(2)}, {u"3x3"_s, grid(3)}, {u"4x4"_s, grid(4)}});
    addSprites(out, kSettingsPage, Family::Tab, kThreeStates, {{u"basic"_s, gear}, {u"capture2"_s, camera}});
    addSprites(out, kOpenFile, Family::Big, kThreeStates, {{u"openFile"_s, film}});
    addSprites(out, kOpenDir, Family::Big, kThreeStates, {{u"openDir"_s, folder}});
}

void addPictures(QList<Artwork>& out)
{
    out.append({icon(u"groove"_s), backdrop::groove});
    out.append({icon(u"subpage"_s), backdrop::playedPart});
    out.append({icon(u"addpage"_s), backdrop::remainingPart});
    out.append({icon(u"background"_s), backdrop::startPage});
    out.append({icon(u"title"_s), backdrop::titleBar});
    out.append({icon(u"titleBackground"_s), backdrop::entryProgress});
    out.append({icon(u"leftFrame"_s), [] { return backdrop::framePanel(249, true); }});
    out.append({icon(u"rightFrame"_s), [] { return backdrop::framePanel(280, false); }});
    out.append({icon(u"cursor"_s), picture::zoomCursor});
    out.append({icon(u"photo"_s), picture::entryPhoto});
    out.append({u"qss/gray1/handle.png"_s, backdrop::sliderHandle});
    out.append({u"brand/window.png"_s, picture::windowIcon});
    out.append({u"brand/logo_small.png"_s, picture::smallLogo});
    out.append({u"brand/Hi_watermark.png"_s, picture::watermark});
}

}

QList<Artwork> catalog()
{
    QList<Artwork> out;
    addControlButtons(out);
    addOtherButtons(out);
    addPictures(out);
    return out;
}

}
