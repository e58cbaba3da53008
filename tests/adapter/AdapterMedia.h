#pragma once

#include <QString>

// Small recordings made once per test program with the ffmpeg command-line
// tool, in a temporary folder removed at exit.
namespace AdapterMedia {

struct Files {
    QString dir;
    QString recording; // H.264 + AAC in MP4, 320x240, 25 fps, 2 s, named .mp4
    QString shortClip; // H.264 in MP4, 160x120, 25 fps, 0.4 s
    QString audioOnly; // AAC only, 1 s
    QString garbage;   // random bytes named .mp4
};

const Files& files();

}
