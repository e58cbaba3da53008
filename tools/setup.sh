#!/usr/bin/env bash
# Set-up for a fresh Debian 12 machine.
#   tools/setup.sh run   install what is missing, build, make a sample recording and play it
#   tools/setup.sh test  install what is missing, build from scratch and run every test
set -euo pipefail

cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev libgl-dev qt6-translations-l10n
  ffmpeg libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev libavfilter-dev libsdl2-dev
  libgtest-dev libgmock-dev googletest
  xvfb xauth dbus-daemon shared-mime-info libglib2.0-bin
  libssl-dev poppler-utils util-linux
  xdotool gdb
)

install_missing() {
  local missing=()
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

make_sample() {
  mkdir -p sample
  [ -s sample/camera01.mp4 ] && return 0
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=1280x720:rate=25:duration=60" \
    -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=60" \
    -c:v libx264 -preset veryfast -g 50 -bf 0 -pix_fmt yuv420p -c:a aac -b:a 32k \
    -metadata creation_time="$(date -u +%Y-%m-%dT%H:%M:%SZ)" sample/camera01.mp4
}

case "${1:-}" in
  run)
    install_missing
    cmake --preset release
    cmake --build --preset release --target KvPlayer
    make_sample
    exec build/release/bin/KvPlayer "$PWD/sample/camera01.mp4"
    ;;
  test)
    install_missing
    rm -rf build/asan
    cmake --preset asan
    cmake --build --preset asan
    xvfb-run -a -s "-screen 0 1280x800x24" ctest --preset asan
    # The optimised build, tests and tools included: some warnings only show
    # with optimisation.
    rm -rf build/release
    cmake --preset release
    cmake --build --preset release
    # The engine's threads once more under the thread sanitizer.
    rm -rf build/tsan
    cmake --preset tsan
    cmake --build --preset tsan --target kvplay_test
    ctest --preset tsan -L engine
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
