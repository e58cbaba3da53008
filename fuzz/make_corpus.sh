#!/bin/sh
# Regenerates the seed corpus: tiny recordings in the containers and codecs
# recorders write, each with a trailing control byte (0: seekable, 512-byte buffer).
set -eu
out="${1:-$(dirname "$0")/corpus}"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
v="-f lavfi -i testsrc2=size=32x24:rate=25:duration=0.12"
a="-f lavfi -i sine=frequency=440:sample_rate=8000:duration=0.12"
h264="-c:v libx264 -preset ultrafast -bf 0 -g 2 -pix_fmt yuv420p"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
ff $v $h264 -f h264 "$tmp/raw.264"
ff $v -c:v libx265 -preset ultrafast -x265-params log-level=none -f hevc "$tmp/raw.265"
ff $v $a $h264 -c:a aac -f mp4 "$tmp/clip.mp4"
ff $v $a $h264 -c:a pcm_alaw -f mpegts "$tmp/clip.ts"
ff $v $a -c:v mjpeg -q:v 31 -c:a pcm_mulaw -f avi "$tmp/clip.avi"
ff $v $a $h264 -c:a adpcm_ima_wav -f matroska "$tmp/clip.mkv"
ff $a -c:a pcm_alaw -f wav "$tmp/sound.wav"
for f in "$tmp"/*; do
  cp "$f" "$out/$(basename "$f").seed"
  printf '\000' >> "$out/$(basename "$f").seed"
done
