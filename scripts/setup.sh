#!/usr/bin/env bash
# Installs every Debian 12 package that building, the sample book and the tests need.
# Does nothing when all of them are present already; uses sudo when not run as root.
#
# Usage: bash scripts/setup.sh [--bench]
#   --bench  also what the benchmark page (bench/run.sh) needs: Chromium, the browser it
#            measures the same book page in, and jq and curl, which drive and read it.
set -euo pipefail

bench=0
for a in "$@"; do
  case $a in
    --bench) bench=1 ;;
    *) echo "usage: bash scripts/setup.sh [--bench]" >&2; exit 2 ;;
  esac
done

PACKAGES=(
  # toolchain
  g++ clang cmake ninja-build pkg-config make git
  # libraries
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev libsoundtouch-dev
  libfontconfig-dev fonts-liberation2 libjsoncpp-dev libpugixml-dev
  # book making: manifests, recordings, speech
  libyaml-cpp-dev libavformat-dev libavcodec-dev libavutil-dev libswresample-dev
  libmp3lame-dev libespeak-ng-dev
  # sharing books: EPUB containers and rendering their pages
  libzip-dev liblitehtml-dev libgumbo-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  # sample-book audio and real-window tests
  espeak-ng lame xvfb xauth xdotool x11-utils imagemagick
  # installing and packaging: the desktop entry's and metadata's validators, the .deb's
  # dependency finder, the man page viewer
  desktop-file-utils appstream dpkg-dev man-db
  # the EPUB checker the exports are tested with, and the Java runtime it runs on (tests only)
  epubcheck default-jre-headless
)
if [ "$bench" = 1 ]; then
  PACKAGES+=(chromium jq curl)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#PACKAGES[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "setup: done"
