#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tovalin, builds it, and then either starts the
# browser (`run`) or runs every test (`test`).
set -euo pipefail

mode=${1:-run}
shift || true
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVALIN_BUILD_DIR:-$here/build}

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin qt6-multimedia-dev qt6-tools-dev-tools
  libcurl4-openssl-dev libzip-dev libsodium-dev libbenchmark-dev zlib1g-dev
  libxcb1-dev libxcb-xkb-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  xvfb xauth xdotool openbox x11-utils fonts-dejavu-core libgl1-mesa-dri python3 xdg-utils
  libqt6multimedia6 ffmpeg python3-pyftpdlib
  xdg-user-dirs libglib2.0-bin
  desktop-file-utils appstream
  cage xwayland qt6-wayland grim
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The test command also builds the fuzz targets (with clang) and runs each briefly.
fuzz=OFF
[ "$mode" = test ] && fuzz=ON
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVALIN_FUZZ=$fuzz >/dev/null
cmake --build "$build" -j2

case "$mode" in
  run)
    if [ "$(id -u)" -eq 0 ]; then
      export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --no-sandbox"
    fi
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display found: starting Tovalin inside a virtual X server (xvfb-run)."
      exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/tovalin" "$@"
    fi
    exec "$build/bin/tovalin" "$@"
    ;;
  test)
    cd "$build"
    ctest --output-on-failure -j2 "$@"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
