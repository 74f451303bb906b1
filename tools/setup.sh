#!/bin/bash
# Installs what building and testing need on a Debian 12 machine (as root).
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ googletest libbenchmark-dev clang-format
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32 wine64
  xvfb xdotool x11-utils imagemagick
  fonts-ipafont-gothic locales zip unzip
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  missing+=(wine32)
fi

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" wine32:i386 >/dev/null
fi

# Without the glibc locale, Wine loses the high bit of every byte it converts
# on the Unix side (arguments, file names, window titles).
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
