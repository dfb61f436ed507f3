#!/usr/bin/env bash
# Set-up, build and run of HOV-480 on Debian 12.
#   ./hov.sh run    install what is missing, build, start the program
#   ./hov.sh test   install what is missing, build, run every test headless
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build="$here/build"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
          libsqlite3-dev libgl-dev pkg-config libsodium-dev libssl-dev curl libzip-dev python3-docx
          poppler-utils sqlite3 qt6-translations-l10n xvfb xauth)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${HOV_BUILD_TYPE:-RelWithDebInfo}" \
    "${launcher[@]}" "$@"
  cmake --build "$build" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build -DHOV_BUILD_TESTS=OFF -DHOV_BUILD_BENCH=OFF
    exec "$build/app-folder/HOV-480"
    ;;
  test)
    install_missing
    configure_and_build -DHOV_WERROR=ON -DHOV_BUILD_TESTS=ON
    export QT_QPA_PLATFORM=offscreen
    cd "$build"
    ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
