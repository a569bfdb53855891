#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vcfcsv-gui vcfcsv
exec build/release/app/vcfcsv-gui
