#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a plain debug build, and one under
# AddressSanitizer + UndefinedBehaviorSanitizer. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --workflow --preset dev
cmake --workflow --preset asan
