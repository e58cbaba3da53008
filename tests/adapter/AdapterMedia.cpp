#include "AdapterMedia.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

bool runFfmpeg(const QStringList& args)
{
    QProcess ffmpeg;
    ffmpeg.start(u"ffmpeg"_s, QStringList{u"-nostdin"_s, u"-hide_banner"_s, u"-loglevel"_s, u"error"_s,
                                          u"-y"_s} + args);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0;
}

QStringList video(const QString& size, const QString& duration)
{
    return {u"-f"_s, u"lavfi"_s, u"-i"_s, u"testsrc2=size=%1:rate=25:duration=%2"_s.arg(size, duration)};
}

QStringList sine(const QString& duration)
{
    return {u"-f"_s, u"lavfi"_s, u"-i"_s, u"sine=frequency=440:sample_rate=8000:duration=%1"_s.arg(duration)};
}

const QStringList kH264{u"-c:v"_s, u"libx264"_s, u"-preset"_s, u"ultrafast"_s, u"-bf"_s,     u"0"_s,
                        u"-g"_s,   u"25"_s,      u"-pix_fmt"_s, u"yuv420p"_s};
const QStringList kAac{u"-c:a"_s, u"aac"_s};

struct MediaDir {
    QTemporaryDir dir;
    AdapterMedia::Files files;

    MediaDir()
    {
        // No sound card where the tests run; SDL's dummy driver stands in.
        qputenv("SDL_AUDIODRIVER", "dummy");
        files.dir = dir.path();
        files.recording = dir.filePath(u"recording.mp4"_s);
        files.shortClip = dir.filePath(u"short.mp4"_s);
        files.audioOnly = dir.filePath(u"audio.m4a"_s);
        files.garbage = dir.filePath(u"garbage.mp4"_s);
        bool ok = runFfmpeg(video(u"320x240"_s, u"2"_s) + sine(u"2"_s) + kH264 + kAac + QStringList{files.recording});
        ok = ok && runFfmpeg(video(u"160x120"_s, u"0.4"_s) + kH264 + QStringList{files.shortClip});
        ok = ok && runFfmpeg(sine(u"1"_s) + kAac + QStringList{files.audioOnly});
        QFile garbage(files.garbage);
        ok = ok && garbage.open(QIODevice::WriteOnly);
        for (int i = 0; ok && i < 4096; ++i)
            garbage.putChar(static_cast<char>(QRandomGenerator::global()->bounded(256)));
        if (!ok)
            std::fprintf(stderr, "media generation failed in %s\n", qPrintable(files.dir));
    }
};

}

namespace AdapterMedia {

const Files& files()
{
    static MediaDir media;
    return media.files;
}

}
