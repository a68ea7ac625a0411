#!/usr/bin/env bash
# Checks that the documentation describes the program there is:
# - every option that docs/command-line.md names, and every option and command of an
#   ssudomer-cli command line shown in any Markdown page's code, is one that
#   `ssudomer-cli --help` lists (--help and --version, which it does not list, must be
#   answered with status 0);
# - every picture and every local file a page links to exists, and every picture in
#   docs/images/ is shown by some page.
#
# usage: check_docs.sh SSUDOMER_CLI SOURCE_DIR
set -uo pipefail

cli=$1 source=$2
cd "$source" || exit 1
failures=0 checks=0
pass() { checks=$((checks + 1)); }
fail() {
    checks=$((checks + 1)) failures=$((failures + 1))
    echo "FAIL: $*" >&2
}

help=$("$cli" --help) || { echo "FAIL: $cli --help did not answer" >&2; exit 1; }
pages=(README.md docs/*.md)

# An option is known when the help names it as a word of its own, or it is one of the two
# the program answers without listing them.
option_known() {
    case $1 in
        --help | --version) "$cli" "$1" >/dev/null 2>&1 ;;
        *) grep -qE -- "(^|[^a-z-])$1([^a-z-]|$)" <<<"$help" ;;
    esac
}
check_option() {  # check_option PAGE OPTION
    if option_known "$2"; then pass; else
        fail "$1 names $2, which ssudomer-cli --help does not know"
    fi
}

# The reference names options anywhere: in its prose, its tables and its examples.
[ -f docs/command-line.md ] || fail "docs/command-line.md is missing"
for option in $(grep -oE -- '--[a-z][a-z-]*[a-z]' docs/command-line.md | sort -u); do
    check_option docs/command-line.md "$option"
done

# The ssudomer-cli command lines in the code of every page, continuation lines joined.
command_lines() {  # the fenced code lines that start ssudomer-cli, one command a line
    awk '
        /^ *```/ { code = !code; next }
        !code { next }
        joined != "" { joined = joined " " $0 }
        joined == "" && /^ *(\$ +)?[^ ]*ssudomer-cli( |$)/ { joined = $0 }
        joined != "" && !/\\$/ { print joined; joined = "" }
    ' "$1"
}
for page in "${pages[@]}"; do
    while IFS= read -r line; do
        command=$(grep -oE 'ssudomer-cli +[a-z]+' <<<"$line" | head -1 | awk '{print $2}')
        if [ -n "$command" ]; then
            if grep -qE "ssudomer-cli $command( |$)" <<<"$help"; then pass; else
                fail "$page runs ssudomer-cli $command, which is no command of it"
            fi
        fi
        for option in $(grep -oE -- '(^| )--[a-z][a-z-]*[a-z]' <<<"${line#*ssudomer-cli}"); do
            check_option "$page" "$option"
        done
    done < <(command_lines "$page")
done

# Links: pictures and local files, relative to the page; web links and anchors are left.
linked_pictures=""
for page in "${pages[@]}"; do
    folder=$(dirname "$page")
    while IFS= read -r target; do
        target=${target%%#*}
        case $target in "" | http://* | https://* | mailto:*) continue ;; esac
        if [ -e "$folder/$target" ]; then pass; else
            fail "$page links to $target, which does not exist"
        fi
        case $target in *.png | *.jpg | *.svg)
            linked_pictures+=$(realpath -m "$folder/$target")$'\n' ;;
        esac
    done < <(grep -oE '\]\([^) ]+\)|<img [^>]*src="[^"]+"' "$page" |
        sed -E 's/^\]\(//; s/\)$//; s/.*src="//; s/"$//')
done

for picture in docs/images/*; do
    [ -e "$picture" ] || continue
    if grep -qxF "$(realpath "$picture")" <<<"$linked_pictures"; then pass; else
        fail "$picture is shown by no page"
    fi
done

echo "$((checks - failures)) passed, $failures failed"
[ "$checks" -gt 0 ] && [ "$failures" -eq 0 ]
