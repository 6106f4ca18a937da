#!/usr/bin/env bash
# Command 1: installs what is missing, builds, and starts quillon on the
# embedded program folder (copied on first start to ~/.local/share/quillon).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
exec "$BUILD_DIR/quillon"
