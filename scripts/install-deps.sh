#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and any packages named as
# arguments (scripts/package.sh asks for its tools, scripts/fuzz.sh for clang), when any
# is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev qt6-translations-l10n
  # The planner's chart; Qt Charts' CMake package needs Qt OpenGL's, which Debian ships apart.
  qt6-charts-dev libqt6opengl6-dev
  fonts-liberation2 xvfb xauth
  desktop-file-utils appstream libxml2-utils shared-mime-info man-db binutils
  poppler-utils
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
