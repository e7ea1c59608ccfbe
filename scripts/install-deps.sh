#!/usr/bin/env bash
# Installs every Debian 12 package Rallybox needs to build, run and test.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build ccache pkg-config git \
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev \
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev \
  libsoundtouch-dev portaudio19-dev libasound2-dev libpulse-dev libjpeg62-turbo-dev \
  poppler-utils \
  libgtest-dev libgmock-dev googletest libbenchmark-dev \
  ffmpeg sox libsox-fmt-all python3 \
  xvfb xauth pulseaudio pulseaudio-utils libasound2-plugins alsa-utils \
  fonts-dejavu-core openbox xdotool x11-utils dbus-daemon dbus-bin gdb \
  clang libclang-rt-14-dev \
  imagemagick gifsicle giflib-tools netpbm
