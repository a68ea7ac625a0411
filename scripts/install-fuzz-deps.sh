#!/usr/bin/env bash
# Installs what scripts/fuzz.sh needs beyond scripts/install-deps.sh: clang and its
# runtime libraries (libFuzzer and the sanitizers), when any is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

packages=(clang libclang-rt-14-dev)
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
