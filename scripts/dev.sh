#!/usr/bin/env bash
# Sets up a Debian machine for VorunKelm and builds it.
#   scripts/dev.sh run [GAME]   install what is missing, build, start the program (optionally
#                               loading a saved game)
#   scripts/dev.sh test         install what is missing, build, run the whole test suite
#   scripts/dev.sh package      install what is missing, build, make the Debian package in build/
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-}
[ $# -gt 0 ] && shift

packages=(cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev
  libbenchmark-dev clang libclang-rt-dev xvfb xauth xdotool imagemagick fonts-dejavu-core libx11-dev
  jq dpkg-dev lintian desktop-file-utils appstream man-db dbus-daemon dbus-bin at-spi2-core
  python3-pyatspi)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)"
}

case "$mode" in
  run)
    install_missing
    build
    exec build/VorunKelm/vorunkelm "$@"
    ;;
  test)
    install_missing
    build
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
  package)
    install_missing
    build
    # A package left from an earlier version would pass for this one.
    rm -f build/vorunkelm_*.deb
    # The package's folders take their modes from the umask, as with dpkg-buildpackage.
    if ! (umask 022 && cd build && cpack -G DEB) >build/cpack.log 2>&1; then
      cat build/cpack.log >&2
      exit 1
    fi
    deb=$(sed -n 's|^CPack: - package: .*/\(vorunkelm_.*\.deb\) generated\.$|build/\1|p' build/cpack.log)
    echo "Debian package: $deb"
    ;;
  *)
    echo "usage: scripts/dev.sh run [ARGS…] | scripts/dev.sh test | scripts/dev.sh package" >&2
    exit 2
    ;;
esac
