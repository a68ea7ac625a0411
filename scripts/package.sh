#!/usr/bin/env bash
# Builds the Debian package (build-deb/ssudomer_VERSION_ARCH.deb) with CPack from a release
# build installed under /usr, and checks it with lintian. Install it with
#   sudo apt install ./build-deb/ssudomer_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev lintian file

# Debian's compiler and linker flags, hardening included. CMake reads CXXFLAGS and LDFLAGS
# when it first configures a tree, and knows nothing of CPPFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
rm -rf build-deb
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DSSUDOMER_BUILD_TESTS=OFF -DSSUDOMER_BUILD_BENCHMARKS=OFF "${launcher[@]}"
cmake --build build-deb
(cd build-deb && cpack -G DEB)

package=$(ls build-deb/ssudomer_*.deb)
dpkg-deb --info "$package"
# The PDF writer is opened at run time, so nothing links it: it must be in the package
# and its Qt libraries among the dependencies all the same.
contents=$(dpkg-deb --contents "$package")
grep -q ' \./usr/lib/ssudomer/ssudomer-pdf\.so$' <<<"$contents" ||
  { echo "the package lacks usr/lib/ssudomer/ssudomer-pdf.so" >&2; exit 1; }
# The command line's Russian messages.
grep -q ' \./usr/share/locale/ru/LC_MESSAGES/ssudomer-cli\.mo$' <<<"$contents" ||
  { echo "the package lacks usr/share/locale/ru/LC_MESSAGES/ssudomer-cli.mo" >&2; exit 1; }
for library in libqt6gui6 libqt6charts6; do  # the pages; the planner's chart
  grep -q "$library" <<<"$(dpkg-deb --field "$package" Depends)" ||
    { echo "the package's Depends lack $library" >&2; exit 1; }
done
grep -q 'qt6-translations-l10n' <<<"$(dpkg-deb --field "$package" Recommends)" ||
  { echo "the package's Recommends lack qt6-translations-l10n" >&2; exit 1; }
lintian --fail-on error --info "$package"
echo "Built $package"
