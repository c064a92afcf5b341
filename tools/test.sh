#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests
# on Qt's offscreen platform (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_dependencies.sh
cmake --preset dev
cmake --build --preset dev
QT_QPA_PLATFORM=offscreen ctest --preset dev
