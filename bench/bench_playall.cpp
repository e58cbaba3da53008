// bench_playall FILE [N]
// The event loop of the screen of sixteen windows while "play all" opens N
// (default 16) copies of FILE at once: the longest it went without turning,
// from the call until every window shows its first picture, found with a
// 1 ms timer on the GUI thread. The same N opens made one after another on
// the GUI thread, as a window that opened its own file would stall it, and
// N x `ffmpeg -i F -frames:v 1 -f null -` one after another, for scale.
#include "BenchUtil.h"
#include "KvVideoScreen.h"
#include "PlayerApi.h"
#include "PlayerLibrary.h"
#include "PlayerRecords.h"
#include "PreviewVideoFrame.h"
#include "VideoScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

constexpr int kGiveUpMs = 60000;

// The longest gap between turns of the event loop while it runs until done,
// and how much of it the GUI thread itself spent on the processor: a gap
// with little of it was a wait for the processor, not work of the window.
struct Stall {
    double longestMs = 0;
    double longestBusyMs = 0;
    double untilDoneMs = 0;
    bool done = false;
};

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

template <typename Done>
Stall watchLoop(Done done)
{
    Stall stall;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    double lastCpu = threadCpuMs();
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(1);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = threadCpuMs();
        const double gap = static_cast<double>(now - last) / 1e6;
        if (gap > stall.longestMs) {
            stall.longestMs = gap;
            stall.longestBusyMs = cpu - lastCpu;
        }
        last = now;
        lastCpu = cpu;
        if (done()) {
            stall.done = true;
            stall.untilDoneMs = static_cast<double>(now) / 1e6;
            QCoreApplication::exit(0);
        } else if (now / 1000000 > kGiveUpMs) {
            QCoreApplication::exit(1);
        }
    });
    beat.start();
    QCoreApplication::exec();
    return stall;
}

QStringList copies(const QTemporaryDir& dir, const QString& file, int n)
{
    QStringList paths;
    for (int i = 0; i < n; ++i) {
        const QString path = dir.filePath(QStringLiteral("cam%1.%2").arg(i).arg(QFileInfo(file).suffix()));
        if (!QFile::copy(file, path))
            return {};
        paths.append(path);
    }
    return paths;
}

Stall playAll(const QStringList& files)
{
    KvVideoScreen screen;
    screen.resize(1280, 720);
    screen.setLayout(4);
    screen.show();
    QCoreApplication::processEvents();
    const int n = static_cast<int>(files.size());
    QElapsedTimer call;
    bool started = false;
    Stall stall = watchLoop([&] {
        if (!started) {
            started = true;
            call.start();
            screen.playFiles(files);
            std::printf("playFiles() returned after %.1f ms\n", static_cast<double>(call.nsecsElapsed()) / 1e6);
            return false;
        }
        for (int i = 0; i < n; ++i) {
            if (screen.window(i)->surface()->currentFrame().isNull())
                return false;
        }
        return true;
    });
    screen.stopAll();
    return stall;
}

// What a synchronous open costs the GUI thread: the opens one after another.
double openOnGuiThread(const QStringList& files)
{
    std::vector<std::unique_ptr<VideoScreen>> surfaces;
    std::vector<std::unique_ptr<PlayerHandle>> handles;
    const double start = bench::nowS();
    for (const QString& file : files) {
        surfaces.push_back(std::make_unique<VideoScreen>());
        surfaces.back()->resize(320, 180);
        PlayWindowParam window;
        window.surface = surfaces.back().get();
        window.flags = kPlayFlagsVideoWindow;
        PlayFileParam param;
        PlayerRecords::copyPath(param.path, sizeof(param.path), file.toUtf8());
        handles.push_back(PlayerApi::OpenPlayFile(0, &window, &param));
    }
    const double took = bench::nowS() - start;
    for (const std::unique_ptr<PlayerHandle>& handle : handles) {
        if (handle)
            PlayerApi::ClosePlayFile(handle.get());
    }
    return took * 1000;
}

double ffmpegFirstFrames(const QStringList& files)
{
    double wall = 0;
    for (const QString& file : files) {
        const bench::Cost cost = bench::runTogether(
            {{"ffmpeg", "-nostdin", "-loglevel", "error", "-i", file.toStdString(), "-frames:v", "1", "-f", "null", "-"}});
        wall += cost.wallS;
    }
    return wall * 1000;
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_playall FILE [N]\n");
        return 2;
    }
    const int n = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, KvVideoScreen::kWindowCount) : 16;
    QTemporaryDir dir;
    const QStringList files = copies(dir, QString::fromLocal8Bit(argv[1]), n);
    if (files.isEmpty()) {
        std::fprintf(stderr, "cannot copy %s into %s\n", argv[1], qPrintable(dir.path()));
        return 1;
    }
    if (!PlayerLibrary::start()) {
        std::fprintf(stderr, "the playback library did not start\n");
        return 1;
    }
    // A first open warms the codecs and the disk cache for both runs alike.
    openOnGuiThread(files.mid(0, 1));

    const Stall stall = playAll(files);
    if (!stall.done)
        std::printf("not every window showed a picture within %d s\n", kGiveUpMs / 1000);
    std::printf("play all of %d: longest stall of the event loop %.1f ms (the GUI thread ran %.1f ms of it); every "
                "first picture after %.1f ms\n",
                n, stall.longestMs, stall.longestBusyMs, stall.untilDoneMs);
    std::printf("the same %d opens one after another on the GUI thread: %.1f ms\n", n, openOnGuiThread(files));
    if (bench::onPath("ffmpeg"))
        std::printf("%d x ffmpeg -frames:v 1, one after another: %.1f ms\n", n, ffmpegFirstFrames(files));
    PlayerLibrary::release();
    return stall.done ? 0 : 1;
}
