#!/usr/bin/env bash
# The layers of src/, from the bottom up: a file may include headers of its own folder
# and of folders on lower levels, never of a folder above or beside its own.
# Usage: check_layers.sh SRC
set -u
levels=(
  "text io"
  "rules models"
  "expr dynamics"
  "records"
  "convert"
  "cli"
  "modelconv modeltest rulecheck"
)
src=${1:?usage: check_layers.sh SRC}
declare -A level_of
for i in "${!levels[@]}"; do
  for folder in ${levels[$i]}; do level_of[$folder]=$i; done
done
bad=0
checked=0
for path in "$src"/*/*.h "$src"/*/*.cpp; do
  folder=$(basename "$(dirname "$path")")
  if [ -z "${level_of[$folder]+set}" ]; then
    echo "$path: folder [$folder] has no level"
    bad=$((bad + 1))
    continue
  fi
  while IFS= read -r included; do
    target=${included%%/*}
    [ "$target" = "$included" ] && continue  # a header of src/ itself (test_support.h)
    checked=$((checked + 1))
    [ "$target" = "$folder" ] && continue
    if [ -z "${level_of[$target]+set}" ]; then
      echo "$path: includes [$included] of a folder without a level"
      bad=$((bad + 1))
    elif [ "${level_of[$target]}" -ge "${level_of[$folder]}" ]; then
      echo "$path: includes [$included], which is not below [$folder]"
      bad=$((bad + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$path")
done
echo "$checked includes checked, $bad against the layers"
[ "$bad" -eq 0 ] && [ "$checked" -gt 0 ]
