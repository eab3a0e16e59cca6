# Shared by the build, run and test scripts: where things are built and how
# Windows programs are run here.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
jobs=$(nproc 2>/dev/null || echo 2)

# The main program is the x86_64 build; the i686 build is shipped beside it
# for 32-bit Windows.
main_arch=x86_64

# The Windows builds whose programs Wine runs on this machine, the main one
# first: x86_64 always, i686 too where the kernel executes 32-bit code (some
# virtual machines switch that off, and 32-bit Wine cannot start there).
wine_arches() {
  echo "$main_arch"
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; fi
}

configure_host() {  # DIR [cmake args...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# The fuzz targets, with clang and its libFuzzer.
configure_fuzz() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_FUZZ=ON >/dev/null
}

configure_windows() {  # ARCH
  cmake -S "$root" -B "$build/win-$1" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCORVANE_WINDOWS_ARCH="$1" >/dev/null
}

# The release folder of a built Windows program: build/release/x64 or
# build/release/x86 with corvane.exe (without symbols), its help page, the
# readme and the licence, and nothing left from an earlier release.
make_release() {  # ARCH
  local folder=$build/release/x86
  [ "$1" = x86_64 ] && folder=$build/release/x64
  rm -rf "$folder"
  cmake --install "$build/win-$1" --prefix "$folder" --strip >/dev/null
  echo "release: $folder"
}

# Starts a virtual display on a free number and exports DISPLAY; the caller
# stops it with stop_virtual_display. Without -auth it lets in every local
# client, also Wine run as an unprivileged user (wine-run --user); -nolisten
# tcp keeps out everyone else.
start_virtual_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "could not start Xvfb on $DISPLAY" >&2
  return 1
}

stop_virtual_display() {
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=
}

# Ends the Wine servers of a Windows build's prefixes: root's and the
# unprivileged user's, each as the user who owns the prefix.
stop_wine_servers() {  # ARCH
  local prefix owner
  for prefix in "$build/win-$1"/wineprefix*/; do
    [ -d "$prefix" ] || continue
    owner=$(stat -c %U "$prefix")
    if [ "$owner" = "$(id -un)" ]; then
      "$root/scripts/wine-run" "$prefix" "$1" --stop
    else
      "$root/scripts/wine-run" --user "$owner" "$prefix" "$1" --stop
    fi
  done
}
