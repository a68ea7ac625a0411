#!/bin/bash
# Fails when a layer includes a layer it must not. Every folder of src/ is a layer; an
# include that names a folder ("loan/money.h") crosses into that layer, and each layer may
# cross only into the layers listed for it below. A new folder fails until it is listed,
# so that its place in the picture is decided, not found out later.
#
#   check_layers.sh SOURCE_DIR

set -u
source_dir=${1:?usage: check_layers.sh SOURCE_DIR}
cd "$source_dir/src" || exit 1

declare -A allowed=(
  [text]=""
  [loan]="text"
  [storage]="text"
  [spin_rules]="loan text"
  [app]="loan text storage spin_rules"
  [cli]="app loan text storage pdf"
  [print]="text storage"
  [printouts]="print app loan text"
  [chart]="app loan text"
  [pdf]="printouts chart print app loan text storage"
  [gui]="printouts chart print app loan text storage spin_rules"
)

failures=0
layers=$(find . -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
for layer in $layers; do
  if [[ ! -v allowed[$layer] ]]; then
    echo "src/$layer/: a folder with no rule; add it to $0"
    failures=$((failures + 1))
    continue
  fi
  while IFS=: read -r file line include; do
    [[ $include =~ \"([^/\"]+)/ ]] || continue
    target=${BASH_REMATCH[1]}
    [[ $target == "$layer" ]] && continue
    # Only the program's own layers count; other folders are system or Qt headers.
    [[ -d $target ]] || continue
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "src/$file:$line: $layer/ must not include $target/: $include"
      failures=$((failures + 1))
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$layer" \
             --include='*.h' --include='*.cpp')
done

if ((failures > 0)); then
  echo "$failures forbidden include(s) or unlisted folder(s)"
  exit 1
fi
echo "every layer includes only what it may"
