#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Listed {
    QString path;
    QSize size;
    int states; // 1 for a single picture
    int pitch;
};

std::vector<Listed> listedImages()
{
    std::vector<Listed> out;
    const auto icons = [&out](std::initializer_list<const char16_t*> names, QSize size, int states, int pitch) {
        for (const char16_t* name : names)
            out.push_back({u":/icons/gray1/"_s + QString::fromUtf16(name) + u".png"_s, size, states, pitch});
    };
    icons({u"add", u"capture", u"clear", u"fast", u"fullScreen", u"hide", u"layout", u"open", u"playMode",
           u"playall", u"record", u"show", u"singleBack", u"singleFoward", u"slow", u"sound_off", u"sound_on",
           u"stick0", u"stick1", u"stick2", u"stop", u"stopall", u"zoom"},
          {26, 104}, 4, 26);
    icons({u"play", u"pause"}, {50, 200}, 4, 50);
    icons({u"search"}, {45, 180}, 4, 45);
    icons({u"menu", u"min", u"exit", u"max_normal", u"max_max"}, {24, 72}, 3, 24);
    icons({u"close"}, {20, 60}, 3, 20);
    icons({u"1x1", u"2x2", u"3x3", u"4x4"}, {17, 51}, 3, 17);
    icons({u"basic", u"capture2"}, {80, 300}, 3, 100);
    icons({u"openFile"}, {123, 126}, 3, 42);
    icons({u"openDir"}, {33, 126}, 3, 42);
    icons({u"groove"}, {800, 4}, 1, 4);
    icons({u"subpage", u"addpage"}, {200, 2}, 1, 2);
    icons({u"background"}, {662, 417}, 1, 417);
    icons({u"title"}, {600, 34}, 1, 34);
    icons({u"titleBackground"}, {260, 70}, 1, 70);
    icons({u"leftFrame"}, {249, 45}, 1, 45);
    icons({u"rightFrame"}, {280, 45}, 1, 45);
    icons({u"cursor"}, {26, 26}, 1, 26);
    icons({u"photo"}, {70, 54}, 1, 54);
    out.push_back({u":/qss/gray1/search.png"_s, {45, 180}, 4, 45});
    out.push_back({u":/qss/gray1/handle.png"_s, {16, 16}, 1, 16});
    return out;
}

QImage load(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

int channelGap(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

int differingPixels(const QImage& a, const QImage& b, int tolerance)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += channelGap(a.pixel(x, y), b.pixel(x, y)) > tolerance ? 1 : 0;
    }
    return count;
}

std::size_t distinctColours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return colours.size();
}

QImage slice(const QImage& sprite, const Listed& listed, int index)
{
    return sprite.copy(0, index * listed.pitch, listed.size.width(), listed.pitch);
}

} // namespace

TEST(ThemeImages, EveryListedImageExistsAtItsSize)
{
    for (const Listed& listed : listedImages()) {
        const QImage image(listed.path);
        EXPECT_FALSE(image.isNull()) << qPrintable(listed.path);
        EXPECT_EQ(image.size(), listed.size) << qPrintable(listed.path);
    }
}

TEST(ThemeImages, EveryStateOfASpriteLooksDifferent)
{
    for (const Listed& listed : listedImages()) {
        const QImage sprite = load(listed.path);
        const int enough = std::max(8, listed.size.width() * listed.pitch / 50);
        for (int a = 0; a < listed.states; ++a) {
            for (int b = a + 1; b < listed.states; ++b) {
                EXPECT_GE(differingPixels(slice(sprite, listed, a), slice(sprite, listed, b), 24), enough)
                    << qPrintable(listed.path) << " states " << a << " and " << b;
            }
        }
    }
}

TEST(ThemeImages, NoPictureOrStateIsBlankOrFlat)
{
    for (const Listed& listed : listedImages()) {
        const QImage sprite = load(listed.path);
        for (int state = 0; state < listed.states; ++state) {
            const QImage part = slice(sprite, listed, state);
            EXPECT_GE(distinctColours(part), 2u) << qPrintable(listed.path) << " state " << state;
        }
    }
}

TEST(ThemeImages, ZoomCursorShowsOnlyItsGlyph)
{
    const QImage cursor = load(u":/icons/gray1/cursor.png"_s);
    for (const QPoint corner : {QPoint(0, 0), QPoint(25, 0), QPoint(0, 25)})
        EXPECT_EQ(qAlpha(cursor.pixel(corner)), 0) << corner.x() << "," << corner.y();
    int opaque = 0;
    for (int x = 0; x < cursor.width(); ++x)
        opaque += qAlpha(cursor.pixel(x, 13)) == 255 ? 1 : 0;
    EXPECT_GE(opaque, 4);
}

TEST(BrandPictures, LieBesideTheProgram)
{
    for (const QString& name : {u"window.png"_s, u"logo_small.png"_s, u"Hi_watermark.png"_s}) {
        const QImage image = load(QStringLiteral(KV_PROGRAM_DIR "/") + name);
        ASSERT_FALSE(image.isNull()) << qPrintable(name);
        EXPECT_GE(distinctColours(image), 16u) << qPrintable(name);
    }
}

TEST(BrandPictures, WatermarkLetsTheVideoShowThrough)
{
    const QImage mark = load(QStringLiteral(KV_PROGRAM_DIR "/Hi_watermark.png"));
    ASSERT_FALSE(mark.isNull());
    int maxAlpha = 0;
    for (int y = 0; y < mark.height(); ++y) {
        for (int x = 0; x < mark.width(); ++x)
            maxAlpha = std::max(maxAlpha, qAlpha(mark.pixel(x, y)));
    }
    EXPECT_GT(maxAlpha, 40);
    EXPECT_LT(maxAlpha, 160);
}

namespace {

QString themeSheet()
{
    QFile file(u":/qss/gray1/Zandrix_gray1.qss"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList g_messages;

void collectMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_messages.append(message);
}

// Qt parses an application style sheet lazily, when it first styles a widget.
QStringList warningsWhenApplying(const QString& sheet)
{
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectMessage);
    qApp->setStyleSheet(sheet);
    QToolButton probe;
    probe.ensurePolished();
    qInstallMessageHandler(previous);
    qApp->setStyleSheet(QString());
    return g_messages;
}

bool mentionsParseFailure(const QStringList& messages)
{
    return std::any_of(messages.begin(), messages.end(),
                       [](const QString& m) { return m.contains(u"Could not parse"_s); });
}

enum class Pose { Normal, Hover, Pressed, Checked, CheckedHover, Disabled };

void pose(QToolButton& button, Pose state)
{
    button.setCheckable(state == Pose::Checked || state == Pose::CheckedHover || button.isCheckable());
    button.setChecked(state == Pose::Checked || state == Pose::CheckedHover);
    button.setAttribute(Qt::WA_UnderMouse, state == Pose::Hover || state == Pose::CheckedHover);
    button.setDown(state == Pose::Pressed);
    button.setEnabled(state != Pose::Disabled);
}

QImage grab(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(ThemeStyleSheet, IsCompiledIn)
{
    EXPECT_FALSE(themeSheet().trimmed().isEmpty());
}

TEST(ThemeStyleSheet, ParseFailuresAreNoticed)
{
    EXPECT_TRUE(mentionsParseFailure(warningsWhenApplying(u"QLabel { color: "_s)));
}

TEST(ThemeStyleSheet, ParsesWithoutWarnings)
{
    const QStringList messages = warningsWhenApplying(themeSheet());
    EXPECT_FALSE(mentionsParseFailure(messages)) << qPrintable(messages.join(u'\n'));
}

class ThemedWidgets : public ::testing::Test {
protected:
    void SetUp() override { qApp->setStyleSheet(themeSheet()); }
    void TearDown() override { qApp->setStyleSheet(QString()); }

    // What a button must look like when the style sheet shows the sprite
    // moved up by `offset` pixels: a picture button without a picture, with
    // the sprite drawn over it, centred across.
    static QImage expected(const QToolButton& button, const QString& sprite, int offset)
    {
        QToolButton bare;
        bare.setObjectName(u"ToolButton0"_s);
        bare.setFixedSize(button.size());
        QImage base = grab(bare);
        const QImage picture = load(sprite);
        QPainter p(&base);
        p.drawImage(QPoint((button.width() - picture.width()) / 2, -offset), picture);
        return base;
    }

    static void expectShows(QToolButton& button, const QString& sprite, int offset)
    {
        const QImage shown = grab(button);
        EXPECT_EQ(differingPixels(shown, expected(button, sprite, offset), 3), 0)
            << qPrintable(button.objectName()) << " with " << qPrintable(sprite) << " at -" << offset;
    }

    static void setUpButton(QToolButton& button, const QString& name, const QString& sprite, QSize size)
    {
        button.setObjectName(name);
        if (!sprite.isEmpty())
            button.setStyleSheet(u"background-image:url("_s + sprite + u")"_s);
        button.setFixedSize(size);
    }
};

TEST_F(ThemedWidgets, ControlButtonShowsOneSlicePerState)
{
    const QString stop = u":/icons/gray1/stop.png"_s;
    QToolButton button;
    setUpButton(button, u"ToolButton2"_s, stop, {26, 26});
    const std::pair<Pose, int> cases[] = {{Pose::Normal, 1}, {Pose::Hover, 27}, {Pose::Pressed, 53},
                                          {Pose::Disabled, 79}};
    for (const bool raised : {false, true}) {
        button.setAutoRaise(raised);
        for (const auto& [state, offset] : cases) {
            pose(button, state);
            expectShows(button, stop, offset);
        }
    }
}

TEST_F(ThemedWidgets, CheckedAndHoveredToggleShowsTheHoverSlice)
{
    const QString sound = u":/icons/gray1/sound_off.png"_s;
    QToolButton button;
    setUpButton(button, u"ToolButton"_s, sound, {26, 26});
    button.setCheckable(true);
    pose(button, Pose::Normal);
    expectShows(button, sound, 2);
    pose(button, Pose::CheckedHover);
    expectShows(button, sound, 28);
}

TEST_F(ThemedWidgets, RecordButtonShowsItsCheckedSlice)
{
    const QString record = u":/icons/gray1/record.png"_s;
    QToolButton button;
    setUpButton(button, u"ToolButton3"_s, record, {26, 26});
    pose(button, Pose::Checked);
    expectShows(button, record, 54);
}

TEST_F(ThemedWidgets, PlayAndSearchButtonsUseTheirOwnPitch)
{
    const QString play = u":/icons/gray1/play.png"_s;
    QToolButton playButton;
    setUpButton(playButton, u"PlayButton"_s, play, {50, 50});
    playButton.setCheckable(true);
    pose(playButton, Pose::Hover);
    expectShows(playButton, play, 52);

    const QString search = u":/icons/gray1/search.png"_s;
    QToolButton searchButton;
    setUpButton(searchButton, u"SearchBtn"_s, search, {45, 45});
    searchButton.setCheckable(true);
    pose(searchButton, Pose::Checked);
    expectShows(searchButton, search, 92);
}

TEST_F(ThemedWidgets, MaximiseButtonSwapsItsPictureWhenChecked)
{
    QToolButton button;
    setUpButton(button, u"ToolButtonMax"_s, QString(), {26, 26});
    button.setCheckable(true);
    pose(button, Pose::Normal);
    expectShows(button, u":/icons/gray1/max_normal.png"_s, 0);
    pose(button, Pose::Checked);
    expectShows(button, u":/icons/gray1/max_max.png"_s, 0);
}

TEST_F(ThemedWidgets, DeleteButtonShowsItsHoverSlice)
{
    const QString close = u":/icons/gray1/close.png"_s;
    QToolButton button;
    setUpButton(button, u"BtnDelete"_s, close, {22, 22});
    pose(button, Pose::Hover);
    expectShows(button, close, 21);
}

TEST_F(ThemedWidgets, LayoutButtonPicksTopCentreAndBottom)
{
    const QString grid = u":/icons/gray1/3x3.png"_s;
    QToolButton button;
    setUpButton(button, u"LayoutButton"_s, grid, {17, 17});
    button.setCheckable(true);
    const std::pair<Pose, int> cases[] = {{Pose::Normal, 0}, {Pose::Hover, 17}, {Pose::Checked, 34}};
    for (const auto& [state, offset] : cases) {
        pose(button, state);
        expectShows(button, grid, offset);
    }
}

TEST_F(ThemedWidgets, SelectedPlayListEntryTurnsBlueAfterRepolish)
{
    QFrame entry;
    entry.setObjectName(u"Widget_Record_Item_TitleBar"_s);
    entry.setFixedSize(270, 70);
    entry.setProperty("selected", false);
    EXPECT_EQ(grab(entry).pixel(135, 35), qRgb(234, 237, 242));
    entry.setProperty("selected", true);
    entry.style()->unpolish(&entry);
    entry.style()->polish(&entry);
    EXPECT_EQ(grab(entry).pixel(135, 35), qRgb(205, 216, 232));
}

TEST_F(ThemedWidgets, ControlBarTakesThePanelBlue)
{
    QFrame bar;
    bar.setObjectName(u"ControlBar"_s);
    bar.resize(100, 80);
    EXPECT_EQ(grab(bar).pixel(50, 40), qRgb(0, 44, 109));
}
