#!/usr/bin/env bash
# Checks the command line's message catalogues against the code:
# - each po/LANG.po compiles with msgfmt's checks and holds no fuzzy or untranslated message;
# - po/ssudomer-cli.pot holds exactly the messages of src/cli (extracted afresh);
# - each po/LANG.po translates every one of them.
#
# usage: check_catalogue.sh SOURCE_DIR VERSION
set -uo pipefail

source=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 checks=0
pass() { checks=$((checks + 1)); }
fail() {
    checks=$((checks + 1)) failures=$((failures + 1))
    echo "FAIL: $*" >&2
}

for tool in msgfmt msgcmp xgettext; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

fresh=$work/fresh.pot
if ! cmake -DXGETTEXT="$(command -v xgettext)" -DSOURCE_DIR="$source" -DVERSION="$version" \
    -DOUTPUT="$fresh" -P "$source/po/extract_messages.cmake"; then
    echo "FAIL: the messages could not be extracted" >&2
    exit 1
fi

template=$source/po/ssudomer-cli.pot
if msgcmp --use-untranslated "$template" "$fresh" 2>"$work/report" &&
    msgcmp --use-untranslated "$fresh" "$template" 2>>"$work/report"; then pass; else
    fail "po/ssudomer-cli.pot is not the messages of src/cli: refresh it" \
        "(cmake --build build --target ssudomer-cli-messages)"
    sed 's/^/    /' "$work/report" >&2
fi

for po in "$source"/po/*.po; do
    name=po/$(basename "$po")
    if msgfmt --check --statistics --output-file=/dev/null "$po" 2>"$work/report" &&
        ! grep -qE 'fuzzy|untranslated' "$work/report"; then pass; else
        fail "$name: $(tr '\n' ' ' <"$work/report")"
    fi
    if msgcmp "$po" "$fresh" 2>"$work/report"; then pass; else
        fail "$name lacks translations of messages in src/cli"
        sed 's/^/    /' "$work/report" >&2
    fi
done

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
