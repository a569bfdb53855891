#!/usr/bin/env bash
# Installs, with apt-get, what a fresh Debian 12 machine lacks to build, test and run vcfcsv.
# Only packages that are not installed yet are asked for, so a second run does nothing.
#   scripts/install-deps.sh           build, test and run dependencies
#   scripts/install-deps.sh --desktop also Xvfb, openbox and ImageMagick, to look at the window headless
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config          # tool chain
  libicu-dev                                # code pages
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev                  # libFuzzer and the sanitizer runtimes
  time                                      # GNU time: peak memory in bench/whole_process.sh
  qt6-base-dev qt6-qpa-plugins libqt6svg6   # the window; the SVG plugin draws its icon
  qt6-translations-l10n                     # Qt's dialogs and buttons in the user's language
  fonts-wqy-microhei                        # a CJK font, so the Chinese captions show
)
if [[ "${1:-}" == "--desktop" ]]; then
  packages+=(xvfb openbox imagemagick x11-utils xdotool)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if ((EUID != 0)); then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
