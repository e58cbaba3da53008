#include "FrameCode.h"

#include <QProcess>

namespace FrameCode {

namespace {

bool ffmpeg(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                        QStringLiteral("-y")} + args);
    return p.waitForFinished(120000) && p.exitCode() == 0;
}

}

bool makeNumbered(const QString& path, int seconds)
{
    return ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                   QStringLiteral("color=c=black:s=320x180:r=25:d=%1").arg(seconds), QStringLiteral("-vf"),
                   QStringLiteral("geq=lum='if(mod(floor(N/pow(2,floor(X/20))),2),235,16)':cb=128:cr=128"),
                   QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                   QStringLiteral("veryfast"), QStringLiteral("-crf"), QStringLiteral("12"), QStringLiteral("-g"),
                   QStringLiteral("50"), QStringLiteral("-bf"), QStringLiteral("2"), QStringLiteral("-pix_fmt"),
                   QStringLiteral("yuv420p"), path});
}

bool makePattern(const QString& path, int seconds)
{
    return ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                   QStringLiteral("testsrc2=size=320x240:rate=25:duration=%1").arg(seconds), QStringLiteral("-c:v"),
                   QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
                   QStringLiteral("-g"), QStringLiteral("25"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                   path});
}

int read(const QImage& image, const QRect& area)
{
    if (image.isNull() || area.isEmpty())
        return -1;
    const int y = area.center().y();
    int n = 0;
    for (int bit = 0; bit < kBits; ++bit) {
        const int x = area.left() + (2 * bit + 1) * area.width() / (2 * kBits);
        const int grey = qGray(image.pixel(x, y));
        if (grey > 64 && grey < 192)
            return -1;
        if (grey >= 192)
            n |= 1 << bit;
    }
    return n;
}

}
