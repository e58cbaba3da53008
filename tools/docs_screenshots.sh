#!/usr/bin/env bash
# Takes the screenshots under docs/ from the release build on a private X
# server: the window stopped with a play list, playing, and in full screen.
# Needs xvfb-run, xdotool and ImageMagick's import besides the build's tools.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program="$root/build/release/bin/KvPlayer"
out="$root/docs"
[[ -x "$program" ]] || { echo "build the release preset first" >&2; exit 1; }
for tool in xvfb-run xdotool import ffmpeg; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

if [[ -z "${KV_SCREENSHOT_INNER:-}" ]]; then
  export KV_SCREENSHOT_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" "$@"
fi

work=$(mktemp -d)
finish() {
  if [[ -n "${player:-}" ]]; then kill -TERM "$player" 2>/dev/null || true; wait "$player" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
mkdir -p "$work/home" "$work/run" "$work/rec"
chmod 700 "$work/run"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="kvplayer.diag=false"

# The last one handed over is the one that plays on the screenshots.
sources=("smptebars=size=1280x720:rate=25" "mandelbrot=size=1280x720:rate=25"
         "life=size=1280x720:rate=25:mold=10:ratio=0.5" "testsrc2=size=1280x720:rate=25")
for i in 0 1 2 3; do
  ffmpeg -nostdin -loglevel error -y -f lavfi -i "${sources[$i]}" -t 60 -c:v libx264 -preset veryfast \
    -g 50 -bf 0 -pix_fmt yuv420p -f h264 "$work/rec/CH0$((i + 1))_20261207080000.264"
done

"$program" &
player=$!
sleep 3
for file in "$work"/rec/*.264; do "$program" "$file"; sleep 1; done
sleep 2
xdotool search --sync --onlyvisible --class KvPlayer windowactivate --sync 2>/dev/null || true
import -window root "$out/playing.png"

# The full-screen button is the last one of the window's top row.
window=$(xdotool search --onlyvisible --class KvPlayer | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH - 23)) 53 click 1
sleep 2
# Moving the pointer brings up the control bar.
for y in 500 600 700 760; do xdotool mousemove 640 "$y"; sleep 0.3; done
sleep 1
import -window root "$out/fullscreen.png"
xdotool key Escape
sleep 1

kill -TERM "$player"
wait "$player" || true
"$program" &
player=$!
sleep 4
import -window root "$out/stopped.png"
echo "screenshots in $out"
