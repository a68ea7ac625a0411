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
  # The command line's message catalogues (msgfmt, xgettext), and the Russian locale its
  # tests also run under, generated below.
  gettext locales
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# ru_RU.UTF-8, so that the tests see the Russian locale as a user who has it does (they also
# run the program where it is missing). Listed in /etc/locale.gen, so that it stays when the
# locales package regenerates its locales.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "Generating the locale ru_RU.UTF-8"
  $sudo sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'ru_RU.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen --keep-existing
fi
