#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev
  wine wine64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  xvfb xauth x11-utils fonts-ipafont-gothic fonts-wine imagemagick locales
  zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes code page 932 from LC_ALL=ja_JP.UTF-8, 1252 from
# LC_ALL=en_US.UTF-8 and 65001 from LC_ALL=hi_IN.UTF-8; with the locales
# present, text on Unix-side command lines (wine reg, arguments) and in file
# names arrives intact.
for loc in ja_JP en_US hi_IN; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8\$"; then
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
    $sudo localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
  fi
done
