#!/bin/sh
# Generates the benchmark set: recorder-like streams (no B-frames, GOP 50,
# SPS/PPS before every IDR, 25 fps), one 1080p MP4 with B-frames, a 1080p raw
# stream whose B pictures are unreferenced and an interlaced D1 one. Usage:
# make_media.sh OUTDIR [SECONDS]
set -eu
out="${1:?output folder}"
secs="${2:-60}"
mkdir -p "$out"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
src() { echo "-f lavfi -i testsrc2=size=$1:rate=25:duration=$secs"; }
x264="-c:v libx264 -preset veryfast -bf 0 -g 50 -keyint_min 50 -sc_threshold 0 -x264-params repeat-headers=1 -pix_fmt yuv420p"
ff $(src 1920x1080) $x264 -b:v 4M -f h264 "$out/1080p.264"
ff $(src 1280x720) $x264 -b:v 2M -f h264 "$out/720p.264"
ff $(src 704x576) $x264 -b:v 1M -f h264 "$out/576p.264"
ff $(src 1920x1080) -c:v libx265 -preset ultrafast -x265-params "bframes=0:keyint=50:repeat-headers=1:log-level=none" \
   -b:v 4M -f hevc "$out/1080p.265"
ff $(src 1280x720) -f lavfi -i "sine=sample_rate=8000:duration=$secs" $x264 -b:v 2M -c:a aac -f mp4 "$out/720p.mp4"
ff $(src 704x576) -f lavfi -i "sine=sample_rate=8000:duration=$secs" -c:v mjpeg -q:v 5 -c:a pcm_s16le -f avi "$out/576p.avi"
ff $(src 1280x720) $x264 -b:v 2M -f mpegts "$out/720p.ts"
# B-frames, for exact steps back in presentation order.
ff $(src 1920x1080) -c:v libx264 -preset veryfast -bf 2 -g 50 -keyint_min 50 -sc_threshold 0 -pix_fmt yuv420p \
   -b:v 4M -f mp4 "$out/1080p-b.mp4"
# B-frames without a B-pyramid: no picture refers to a B picture, so a window
# that falls behind may leave every one of them out (bench_tiles on it next to
# 1080p.264 shows what that saves).
ff $(src 1920x1080) -c:v libx264 -preset veryfast -bf 2 -g 50 -keyint_min 50 -sc_threshold 0 \
   -x264-params b-pyramid=none:b-adapt=0:repeat-headers=1 -pix_fmt yuv420p -b:v 4M -f h264 "$out/1080p-nonref.264"
# Interlaced D1 as analogue-camera recorders write it: 50 fields a second
# woven into 25 field-coded frames (bench_decode's deinterlacing cost).
ff -f lavfi -i "testsrc2=size=720x576:rate=50:duration=$secs" -vf interlace=scan=tff -c:v libx264 -preset veryfast \
   -flags +ildct+ilme -x264-params interlaced=1:tff=1:repeat-headers=1 -bf 0 -g 50 -pix_fmt yuv420p -b:v 2M \
   -f h264 "$out/576i.264"
