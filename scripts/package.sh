#!/usr/bin/env bash
# Builds the four packages into build/packages: for x64 and x86 a portable
# zip and an installer (Corvane-VERSION-ARCH.zip, Corvane-VERSION-ARCH-setup.exe),
# each with the stripped program. Installs what it needs first.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$root/scripts/setup.sh"
packages=$build/packages
rm -rf "$packages"
mkdir -p "$packages"
for arch in "$main_arch" i686; do
  configure_windows "$arch"
  # Only the program: CPack installs what is built and builds nothing itself.
  cmake --build "$build/win-$arch" -j"$jobs" --target corvane
  (cd "$packages" && cpack --config "$build/win-$arch/CPackConfig.cmake" -B "$packages" >/dev/null)
done
rm -rf "$packages/_CPack_Packages"
ls -l "$packages"
