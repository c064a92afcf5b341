#!/usr/bin/env bash
# Installs what is missing, builds the program in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_dependencies.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quorava
exec build/release/quorava
