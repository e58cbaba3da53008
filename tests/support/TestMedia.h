#pragma once

#include <QString>
#include <QStringList>

// A recording of one colour, made with the ffmpeg command-line tool; extra
// output options go before the path.
bool makeColourClip(const QString& path, const QString& colour, const QString& duration = QStringLiteral("10"),
                    const QStringList& extra = {});

// A recording made once for the whole test program: "red.mp4" and
// "blue.mp4" last 0.6 s, "long.mp4" (green) 20 s.
QString testRecording(const char* name);
