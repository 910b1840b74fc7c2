#!/usr/bin/env bash
# Runs every end-to-end case folder under CASES with PROGRAM and compares what it wrote.
#
# A case folder holds:
#   args       the command line arguments, one line, quoted as in the shell
#   stdin      optional: standard input (otherwise empty)
#   setup      optional: shell commands run in the working folder before the program
#   in/        the files of the working folder (rule.txt, lib/, data files, ...)
#   expected/  stdout, stderr, status, and every file the run creates or changes
#
# Usage: run_cases.sh PROGRAM CASES [--update] [case-name ...]
#
# RETRY_IF, when set, is an extended regular expression for messages of the program's
# runner rather than the program (an emulator losing its own server, say): a run whose
# stderr matches it is run again from a fresh working folder, at most twice, and said so.
set -u
program=$(realpath "$1")
cases=$(realpath "$2")
shift 2
update=0
if [ "${1:-}" = "--update" ]; then update=1; shift; fi

work_root=$(mktemp -d)
trap 'rm -rf "$work_root"' EXIT
passed=0
failed=0

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for d in "$cases"/*/; do names+=("$(basename "$d")"); done
fi

for name in "${names[@]}"; do
  case_dir="$cases/$name"
  work="$work_root/$name"
  result="$work_root/$name.result"
  eval "args=($(cat "$case_dir/args"))"
  stdin_file=/dev/null
  [ -f "$case_dir/stdin" ] && stdin_file="$case_dir/stdin"
  for attempt in 1 2 3; do
    rm -rf "$work" "$result"
    mkdir -p "$work" "$result"
    if [ -d "$case_dir/in" ]; then cp -a "$case_dir/in/." "$work/"; fi
    if [ -f "$case_dir/setup" ]; then (cd "$work" && bash "$case_dir/setup"); fi
    (cd "$work" && find . -type f -print0 | sort -z | xargs -0 -r sha1sum) > "$result/.before"
    (cd "$work" && "$program" "${args[@]}" < "$stdin_file" > "$result/stdout" 2> "$result/stderr")
    echo $? > "$result/status"
    [ -n "${RETRY_IF:-}" ] && grep -qE "$RETRY_IF" "$result/stderr" && [ $attempt -lt 3 ] || break
    echo "again $name: the runner said $(grep -m1 -E "$RETRY_IF" "$result/stderr")"
  done
  # Files the run created or changed.
  (cd "$work" && find . -type f -print0 | sort -z | xargs -0 -r sha1sum) > "$result/.after"
  while read -r sum file; do
    if ! grep -qxF "$sum  $file" "$result/.before"; then
      mkdir -p "$(dirname "$result/files/$file")"
      cp "$work/$file" "$result/files/$file"
    fi
  done < "$result/.after"

  if [ $update -eq 1 ]; then
    rm -rf "$case_dir/expected"
    mkdir -p "$case_dir/expected"
    cp "$result/stdout" "$result/stderr" "$result/status" "$case_dir/expected/"
    [ -d "$result/files" ] && cp -a "$result/files/." "$case_dir/expected/"
    echo "updated $name"
    continue
  fi

  mkdir -p "$result/actual"
  cp "$result/stdout" "$result/stderr" "$result/status" "$result/actual/"
  [ -d "$result/files" ] && cp -a "$result/files/." "$result/actual/"
  if diff -r "$case_dir/expected" "$result/actual" > "$result/diff" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name"
    head -n 60 "$result/diff"
  fi
done

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
