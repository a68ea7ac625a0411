#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the tree with the tools the
# desktop uses: desktop-file-validate, appstreamcli, xmllint and update-mime-database, man
# and lexgrog (the manual pages in English and Russian), bash, and reads back a PDF that the
# installed ssudomer-cli writes (pdfinfo, pdftotext). The installed ssudomer-cli speaks
# Russian under a Russian locale and English otherwise.
# A missing tool is a failure, not a skip: scripts/install-deps.sh installs them.
#
# usage: check_install.sh BUILD_DIR SOURCE_DIR CONFIGURED_PREFIX APP_ID VERSION "ICON_SIZES"
set -uo pipefail

build=$1 source=$2 configured_prefix=$3 app_id=$4 version=$5 icon_sizes=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 checks=0

pass() { checks=$((checks + 1)); }
fail() {
    checks=$((checks + 1)) failures=$((failures + 1))
    echo "FAIL: $*" >&2
}
check() {  # check DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@" >"$work/out" 2>&1; then pass; else
        fail "$description"
        sed 's/^/    /' "$work/out" >&2
    fi
}

for tool in cmake desktop-file-validate appstreamcli xmllint update-mime-database man lexgrog \
    objcopy pdfinfo pdftotext; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

root=$work/root
if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi
share=$root/usr/share

# Every file in its standard place.
for file in usr/bin/ssudomer usr/bin/ssudomer-cli usr/share/ssudomer/ssudomer.hlp \
    "usr/share/applications/$app_id.desktop" "usr/share/mime/packages/$app_id.xml" \
    "usr/share/metainfo/$app_id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    usr/share/man/man1/ssudomer.1.gz usr/share/man/man1/ssudomer-cli.1.gz \
    usr/share/man/ru/man1/ssudomer.1.gz usr/share/man/ru/man1/ssudomer-cli.1.gz \
    usr/share/bash-completion/completions/ssudomer-cli usr/share/doc/ssudomer/copyright \
    usr/lib/ssudomer/ssudomer-pdf.so usr/share/locale/ru/LC_MESSAGES/ssudomer-cli.mo; do
    check "installed: $file" test -f "$root/$file"
done

# The icon at each size, the PNG header saying that size.
png_size() {  # width x height from the IHDR chunk
    local hex
    hex=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
    echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}
for size in $icon_sizes; do
    icon=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    if [ -f "$icon" ] && [ "$(png_size "$icon")" = "${size}x${size}" ]; then pass; else
        fail "icon ${size}x${size}: ${icon#"$root"} missing or of another size"
    fi
done
check "the SVG icon is well-formed" xmllint --noout "$share/icons/hicolor/scalable/apps/$app_id.svg"

# The desktop entry: valid, and saying what opens a payment file.
desktop=$share/applications/$app_id.desktop
check "desktop-file-validate" desktop-file-validate "$desktop"
if [ -s "$work/out" ]; then fail "desktop-file-validate reports:"; sed 's/^/    /' "$work/out" >&2; fi
for line in "Name=Ссудомер" "Exec=ssudomer %f" "Icon=$app_id" "Categories=Office;Finance;" \
    "MimeType=application/x-ssudomer-crp;application/x-ssudomer-plan;"; do
    check "desktop entry line: $line" grep -qxF "$line" "$desktop"
done

# AppStream metadata: valid and pointing at the desktop entry.
metainfo=$share/metainfo/$app_id.metainfo.xml
check "appstreamcli validate --no-net" appstreamcli validate --no-net "$metainfo"
check "metainfo id" grep -qF "<id>$app_id</id>" "$metainfo"
check "metainfo launchable" grep -qF ">$app_id.desktop</launchable>" "$metainfo"
check "metainfo release $version" grep -qF "<release version=\"$version\"" "$metainfo"

# The MIME package: well-formed, and compiled by shared-mime-info into a *.crp glob.
mime_package=$share/mime/packages/$app_id.xml
check "xmllint accepts the MIME package" xmllint --noout "$mime_package"
mkdir -p "$work/mime/packages" && cp "$mime_package" "$work/mime/packages/"
check "update-mime-database" update-mime-database "$work/mime"
check "*.crp is application/x-ssudomer-crp" \
    grep -qF 'application/x-ssudomer-crp:*.crp' "$work/mime/globs2"
check "the type's comment" grep -qF 'Файл платежей Ссудомера' \
    "$work/mime/application/x-ssudomer-crp.xml"
check "*.crplan is application/x-ssudomer-plan" \
    grep -qF 'application/x-ssudomer-plan:*.crplan' "$work/mime/globs2"
check "the plan type's comment" grep -qF 'План досрочного погашения Ссудомера' \
    "$work/mime/application/x-ssudomer-plan.xml"

# Every manual page, in English and in Russian, renders without a warning, names its
# sections and gives apropos its one-line description.
manual_page() {  # manual_page FOLDER PAGE "SECTION..."
    local file=$share/man/$1/$2.1.gz sections=$3 section
    if LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" >"$work/page" 2>"$work/warnings" &&
        [ ! -s "$work/warnings" ]; then pass; else
        fail "man -l $1/$2.1.gz"
        sed 's/^/    /' "$work/warnings" >&2
    fi
    while IFS= read -r section; do
        check "$1/$2(1) has $section" grep -q "^$section" "$work/page"
    done <<<"$sections"
    check "$1/$2(1) has a whatis line" grep -qF ": \"$2 - " <(lexgrog "$file")
}
for page in ssudomer ssudomer-cli; do
    manual_page man1 "$page" $'SYNOPSIS\nOPTIONS\nEXIT STATUS\nFILES'
    manual_page ru/man1 "$page" $'ОБЗОР\nПАРАМЕТРЫ\nКОД ЗАВЕРШЕНИЯ\nФАЙЛЫ'
done

# The installed programs run from the temporary prefix, without a display.
prints() {  # prints LINE COMMAND...: exits 0 with LINE on standard output, nothing on error
    local line=$1
    shift
    "$@" >"$work/stdout" 2>"$work/stderr" && grep -qxF "$line" "$work/stdout" &&
        [ ! -s "$work/stderr" ]
}
cli=$root/usr/bin/ssudomer-cli
window=(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/ssudomer")
check "ssudomer-cli --version" prints "ssudomer-cli (Ссудомер) $version" "$cli" --version
english=(env -u LANGUAGE -u LC_MESSAGES LC_ALL=C.UTF-8)
russian=(env -u LANGUAGE -u LC_MESSAGES -u LC_ALL LANG=ru_RU.UTF-8)
check "ssudomer-cli --help" prints "usage:" "${english[@]}" "$cli" --help
# The catalogue is found from the installed program's folder (bin/../share/locale), whether
# the machine has the Russian locale generated or not (LOCPATH hides the locale archive).
check "ssudomer-cli --help in Russian" prints "Использование:" "${russian[@]}" "$cli" --help
check "ssudomer-cli --help in Russian without the locale generated" \
    prints "Использование:" "${russian[@]}" LOCPATH=/usr/lib/locale "$cli" --help
"${russian[@]}" "$cli" schedule --sum 12000 --rate 12 >/dev/null 2>"$work/stderr"
check "ssudomer-cli refuses in Russian" \
    grep -qxF "ssudomer-cli: параметр --term обязателен" "$work/stderr"
check "ssudomer --version" prints "ssudomer (Ссудомер) $version" "${window[@]}" --version
check "ssudomer --help" prints "Usage: ssudomer [FILE.crp | FILE.crplan]" "${window[@]}" --help
check "installed ssudomer-cli computes a schedule" \
    prints "1;Февраль 2005;12000.00;1000.00;120.00;0.00;1120.00" \
    "$cli" schedule --sum 12000 --rate 12 --term 12 --date 10.01.2005 --csv \
    --decimal-separator .
"$cli" >/dev/null 2>&1
check "ssudomer-cli without a command exits 64" test $? -eq 64

# --pdf from the installed tree: the module is found through bin/../lib/ssudomer (nothing
# lies beside the installed program) and picks the offscreen platform itself.
pdf=$work/payments.pdf
check "installed ssudomer-cli --pdf" \
    prints "1;Февраль 2005;120000.00;1000.00;1200.00;0.00;2200.00" \
    env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$cli" schedule --sum 120000 \
    --rate 12 --term 120 --date 10.01.2005 --csv --decimal-separator . --pdf "$pdf"
if pdfinfo "$pdf" >"$work/pdfinfo" 2>&1 && grep -qE '^Pages: +3$' "$work/pdfinfo" &&
    grep -qE '^Page size: .* pts \(A4\)$' "$work/pdfinfo"; then
    pass
else
    fail "pdfinfo of the installed --pdf: three A4 pages expected"
    sed 's/^/    /' "$work/pdfinfo" >&2
fi
check "the installed --pdf holds the header as text" \
    grep -qF "Информация по кредиту." <(pdftotext -f 1 -l 1 "$pdf" - 2>/dev/null)
# The planner's chart through the same module, which brings Qt Charts along.
chart=$work/plan.png
check "installed ssudomer-cli plan --chart" \
    env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$cli" plan --sum 1000000 --rate 12 \
    --term 24 --date 31.01.2024 --equal --prepay 31.03.2024:500000:payment --chart "$chart"
check "the installed --chart is a PNG image" \
    test "$(head -c 8 "$chart" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a

# Nothing of the build or source folders, nor the configured prefix, is baked into the
# programs' constant data: the installation works wherever it is put.
for program in bin/ssudomer bin/ssudomer-cli lib/ssudomer/ssudomer-pdf.so; do
    objcopy --dump-section .rodata="$work/rodata" "$root/usr/$program" 2>/dev/null
    for folder in "$build" "$source" "$configured_prefix/share/ssudomer"; do
        if grep -qaF "$folder" "$work/rodata"; then
            fail "$program holds the path $folder"
        else pass; fi
    done
done

# The completion offers the commands and the options of a command.
completion=$share/bash-completion/completions/ssudomer-cli
complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _ssudomer_cli
             echo "${COMPREPLY[*]}"' _ "$completion" "$@"
}
check "completion of commands" test "$(complete_words ssudomer-cli s)" = "schedule show"
check "completion of options" test "$(complete_words ssudomer-cli register --o)" = "--overdue"
check "completion of a value" test "$(complete_words ssudomer-cli schedule --fee-basis b)" = "balance"
check "completion of --psk and --pdf" \
    test "$(complete_words ssudomer-cli schedule --p)" = "--payment --psk --pdf"
check "completion of plan's --chart" test "$(complete_words ssudomer-cli plan --c)" = "--calendar --chart --csv"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
