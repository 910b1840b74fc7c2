#!/usr/bin/env bash
# The layers of src/, from the bottom up: a file may include headers of its own folder
# and of folders on lower levels, never of a folder above or beside its own. Inside a
# folder with rooms (sub-folders), the same holds among its rooms: a file may include its
# own room and rooms below it; "." is the folder's own files. A test file (*_test.cpp)
# may include any room of its folder, since it checks one room through the others.
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
declare -A rooms
rooms[dynamics]=". | governors exciters stabilizers machines | comparison"
rooms[rulecheck]="findings | check preview | responses | fit | report | ."

src=${1:?usage: check_layers.sh SRC}
declare -A level_of room_level
for i in "${!levels[@]}"; do
  for folder in ${levels[$i]}; do level_of[$folder]=$i; done
done
for folder in "${!rooms[@]}"; do
  n=0
  for word in ${rooms[$folder]}; do
    if [ "$word" = "|" ]; then n=$((n + 1)); else room_level[$folder/$word]=$n; fi
  done
done

bad=0
checked=0
while IFS= read -r path; do
  relative=${path#"$src"/}
  folder=${relative%%/*}
  inner=${relative#"$folder"/}
  room=.
  [ "$inner" != "${inner#*/}" ] && room=${inner%%/*}
  if [ -z "${level_of[$folder]+set}" ]; then
    echo "$path: folder [$folder] has no level"
    bad=$((bad + 1))
    continue
  fi
  if [ "$room" != . ] && [ -z "${room_level[$folder/$room]+set}" ]; then
    echo "$path: room [$folder/$room] has no level"
    bad=$((bad + 1))
    continue
  fi
  is_test=0
  case "$path" in *_test.cpp) is_test=1 ;; esac
  while IFS= read -r included; do
    target=${included%%/*}
    [ "$target" = "$included" ] && continue  # a header of src/ itself (test_support.h)
    checked=$((checked + 1))
    if [ "$target" != "$folder" ]; then
      if [ -z "${level_of[$target]+set}" ]; then
        echo "$path: includes [$included] of a folder without a level"
        bad=$((bad + 1))
      elif [ "${level_of[$target]}" -ge "${level_of[$folder]}" ]; then
        echo "$path: includes [$included], which is not below [$folder]"
        bad=$((bad + 1))
      fi
      continue
    fi
    [ -z "${rooms[$folder]+set}" ] && continue
    rest=${included#"$folder"/}
    target_room=.
    [ "$rest" != "${rest#*/}" ] && target_room=${rest%%/*}
    [ "$target_room" = "$room" ] && continue
    [ $is_test -eq 1 ] && continue
    if [ -z "${room_level[$folder/$target_room]+set}" ]; then
      echo "$path: includes [$included] of a room without a level"
      bad=$((bad + 1))
    elif [ "${room_level[$folder/$target_room]}" -ge "${room_level[$folder/$room]}" ]; then
      echo "$path: includes [$included], whose room is not below [$folder/$room]"
      bad=$((bad + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$path")
done < <(find "$src" -mindepth 2 \( -name '*.h' -o -name '*.cpp' \) | sort)
echo "$checked includes checked, $bad against the layers"
[ "$bad" -eq 0 ] && [ "$checked" -gt 0 ]
