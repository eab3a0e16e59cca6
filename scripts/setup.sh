#!/usr/bin/env bash
# Installs everything the two builds and their tests need on Debian 12 (run as root).
# Idempotent: when every package is already there it only checks and stays quiet.
# Both Wine halves are installed: 64-bit Wine runs the main x86_64 program,
# 32-bit Wine the i686 one where the kernel executes 32-bit code. NSIS and
# zip make the packages, msitools and wixl the MSI, Python the installer's
# pictures (scripts/package.sh). openssl and osslsigncode sign the test
# programs of the signature tests with a test certificate made at build time.
set -euo pipefail

packages=(
  cmake make g++ googletest libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 fonts-wine fonts-wqy-microhei
  xvfb imagemagick
  nsis zip unzip msitools wixl python3
  openssl osslsigncode
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  missing=("${packages[@]}")
else
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror in the middle of a sync fails an index now and then; the lists
  # already there may still do, and the install below says whether they did.
  for try in 1 2 3; do
    apt-get update -qq && break
    echo "setup: the package lists could not all be updated (try $try of 3)" >&2
    sleep 10
  done
  # 32-bit Wine only adds the Wine tests of the i686 build, which the tests
  # leave out where it cannot run; its packages must not stop the rest.
  required=()
  for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || required+=("$p"); done
  if [ ${#required[@]} -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${required[@]}" >/dev/null
  fi
  if [[ " ${missing[*]} " == *" wine32:i386 "* ]] &&
     ! apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null; then
    echo "setup: 32-bit Wine could not be installed; the i686 build is tested without it" >&2
  fi
fi
