// bench_playlist [COUNT]
// The play list view, offscreen, under the program's style sheet, with COUNT
// (default 1000) copies of a short recording plus a few damaged files:
//   - AddEntries until every entry is laid out and painted with its name and
//     size (one round of event processing with the list shown);
//   - until every length is known (the background reader has settled);
//   - FilterByName over all entries, and back to all, each with its repaint;
//   - scrolling through the list half an entry at a time, repainting each step;
//   - DeleteAll.
// Then what the entries' icon costs as a style sheet of its own against a
// picture set on the label, on as many plain labels.
#include "BenchUtil.h"
#include "RecordFileItems.h"
#include "RecordPlayList.h"
#include "Widget_Record_Item_TitleBar.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kDamagedFiles = 5;
constexpr int kScrollStep = 35;

bool makeClip(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                  QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                  QStringLiteral("testsrc2=size=352x288:rate=25:duration=5"), QStringLiteral("-c:v"),
                  QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
                  QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), path});
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}

// COUNT copies of one clip and a few files of noise that no library opens.
QStringList makeFiles(const QTemporaryDir& dir, int count)
{
    const QString clip = dir.filePath(QStringLiteral("clip.mp4"));
    if (!makeClip(clip))
        return {};
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = dir.filePath(QStringLiteral("cam%1_20261207.mp4").arg(i, 4, 10, QLatin1Char('0')));
        if (!QFile::copy(clip, path))
            return {};
        paths.append(path);
    }
    for (int i = 0; i < kDamagedFiles; ++i) {
        const QString path = dir.filePath(QStringLiteral("damaged%1.264").arg(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QByteArray(64 * 1024, static_cast<char>('A' + i)));
        paths.insert(count / (kDamagedFiles + 1) * (i + 1), path);
    }
    return paths;
}

double msSince(double start)
{
    return (bench::nowS() - start) * 1000.0;
}

void installStyleSheet(QApplication& app)
{
    QFile sheet(QStringLiteral(":/qss/gray1/Zandrix_gray1.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
}

bool everyEntryShowsNameAndSize(const RecordFileItems& items)
{
    for (int i = 0; i < items.count(); ++i) {
        const auto labels = items.entry(i)->findChildren<QLabel*>();
        if (labels.size() < 4 || labels.at(1)->text().isEmpty() || labels.at(3)->text().isEmpty())
            return false;
    }
    return true;
}

// Waits for the reader to finish, at most two minutes, unless it has already.
bool waitSettled(RecordFileItems& items, const double& settledAt)
{
    if (settledAt > 0)
        return true;
    QEventLoop loop;
    QObject::connect(&items, &RecordFileItems::lengthsSettled, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

void scrollThrough(RecordPlayList& area)
{
    QScrollBar* bar = area.verticalScrollBar();
    double worst = 0;
    int steps = 0;
    const double start = bench::nowS();
    for (int value = 0; value <= bar->maximum(); value += kScrollStep, ++steps) {
        const double step = bench::nowS();
        bar->setValue(value);
        area.viewport()->repaint();
        worst = std::max(worst, msSince(step));
    }
    const double total = msSince(start);
    std::printf("scroll %d steps of %d px: %.1f ms in all, %.3f ms per step, worst %.3f ms\n", steps, kScrollStep,
                total, total / std::max(steps, 1), worst);
}

// Milliseconds to add count labels carrying the entry icon either way to a
// shown list, the way the list adds entries: hidden while they are made, then
// shown and painted at once.
double iconCost(int count, bool ownStyleSheet)
{
    QScrollArea area;
    area.setWidgetResizable(true);
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    area.setWidget(column);
    area.resize(270, 700);
    area.show();
    QCoreApplication::processEvents();
    const QPixmap photo(QStringLiteral(":/icons/gray1/photo.png"));
    const double start = bench::nowS();
    column->hide();
    for (int i = 0; i < count; ++i) {
        auto* icon = new QLabel(column);
        icon->setFixedSize(70, 70);
        if (ownStyleSheet) {
            icon->setStyleSheet(QStringLiteral("border-image:url(:/icons/gray1/photo.png);"));
        } else {
            icon->setScaledContents(true);
            icon->setPixmap(photo);
        }
        layout->addWidget(icon);
    }
    column->show();
    QCoreApplication::processEvents();
    return msSince(start);
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installStyleSheet(app);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const QTemporaryDir dir;
    const QStringList paths = makeFiles(dir, count);
    if (paths.isEmpty()) {
        std::fprintf(stderr, "bench_playlist: could not make the recordings (is ffmpeg installed?)\n");
        return 1;
    }

    RecordPlayList area;
    area.setWidgetResizable(true);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* items = new RecordFileItems;
    area.setWidget(items);
    area.resize(270, 700);
    area.show();
    QCoreApplication::processEvents();

    double settledAt = 0;
    QObject::connect(items, &RecordFileItems::lengthsSettled, [&settledAt] { settledAt = bench::nowS(); });
    const double added = bench::nowS();
    items->AddEntries(paths);
    QCoreApplication::processEvents();
    const double shown = msSince(added);
    std::printf("%lld entries: shown with names and sizes after %.1f ms (%s)\n", static_cast<long long>(paths.size()),
                shown, everyEntryShowsNameAndSize(*items) ? "all filled" : "SOME EMPTY");
    const bool settled = waitSettled(*items, settledAt);
    std::printf("all lengths known after %.1f ms%s\n", (settledAt - added) * 1000.0, settled ? "" : " (GAVE UP)");

    double start = bench::nowS();
    items->FilterByName(QStringLiteral("CAM09"));
    QCoreApplication::processEvents();
    std::printf("filter \"CAM09\": %.1f ms\n", msSince(start));
    start = bench::nowS();
    items->FilterByName(QString());
    QCoreApplication::processEvents();
    std::printf("filter back to all: %.1f ms\n", msSince(start));

    scrollThrough(area);

    start = bench::nowS();
    items->DeleteAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    std::printf("DeleteAll: %.1f ms\n", msSince(start));

    std::printf("%d icon labels: own style sheet %.1f ms, picture %.1f ms\n", count, iconCost(count, true),
                iconCost(count, false));
    return settled ? 0 : 1;
}
