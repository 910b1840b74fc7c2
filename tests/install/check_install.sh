#!/usr/bin/env bash
# Installs the build to a temporary prefix (as a component, so that the build folder's
# install_manifest.txt is left as the last real install wrote it; its record of that
# install is put back at the end) and checks what a user finds there: no file that
# belongs to the Debian package alone; every path the installed manual pages and guide
# name exists; each page's example runs as written, by a user who cannot write the
# installed folder, without a fallback to the console; the installed modelconv converts
# the installed example as expected. Then, after cpack, the uninstall target removes
# exactly the files of that install and the folders it made, and nothing else.
# Usage: check_install.sh CMAKE BUILD_FOLDER EXPECTED_FOLDER
set -eu
cmake=$1
build=$2
expected=$3
prefix=$(mktemp -d)
home=$(mktemp -d)
packages=$(mktemp -d)
record=$build/installed_files.txt
manifest=$build/install_manifest.txt
saved_record=$(mktemp)
saved_manifest=$(mktemp)
had_record=0
had_manifest=0
if [ -f "$record" ]; then cp "$record" "$saved_record"; had_record=1; fi
if [ -f "$manifest" ]; then cp "$manifest" "$saved_manifest"; had_manifest=1; fi
# Both records of the last real install are put back as they were: cpack's own install
# rewrites install_manifest.txt.
restore_record() {
  if [ $had_record = 1 ]; then cp "$saved_record" "$record"; else rm -f "$record"; fi
  if [ $had_manifest = 1 ]; then cp "$saved_manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -f "$saved_record" "$saved_manifest"
}
trap 'chmod -R u+w "$prefix"; rm -rf "$prefix" "$home" "$packages"; restore_record' EXIT
fail() { echo "FAIL: $*"; exit 1; }

before=$( [ -f "$manifest" ] && sha1sum < "$manifest" || echo none)
"$cmake" --install "$build" --prefix "$prefix" --component modelconv > /dev/null
after=$( [ -f "$manifest" ] && sha1sum < "$manifest" || echo none)
[ "$before" = "$after" ] || fail "the install changed $manifest"

for f in bin/modelconv bin/modeltest bin/rulecheck share/man/man1/modelconv.1.gz \
         share/man/man1/modeltest.1.gz share/man/man1/rulecheck.1.gz share/doc/modelconv/guide.md \
         share/doc/modelconv/copyright share/doc/modelconv/changelog.gz \
         share/doc/modelconv/report-example.png share/modelconv/examples/example.dyd \
         share/modelconv/examples/rule.txt share/modelconv/examples/fit/rule.txt \
         share/modelconv/examples/fit/gas.dyd share/modelconv/examples/fit/lib/gast-ggov1.fit; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ ! -e "$prefix/share/lintian" ] || fail "a plain install writes share/lintian, which is the package's"

# The paths the installed pages and guide name, read out of them.
texts=$( (for page in "$prefix"/share/man/man1/*.1.gz; do zcat "$page"; done
          cat "$prefix/share/doc/modelconv/guide.md") )
if grep -q 'fIprefix\|<prefix>\|/usr/local' <<< "$texts"; then
  fail "a page still names the prefix by a placeholder or the default one"
fi
paths=$(grep -o "$prefix/[^ \`\"'()\\\\]*" <<< "$texts" | sed 's/[.,;:]*$//' | sort -u)
[ "$(wc -l <<< "$paths")" -ge 2 ] || fail "the pages name no installed path: $paths"
while read -r path; do
  [ -e "$path" ] || fail "a page names $path, which is not installed"
done <<< "$paths"

# Each page's example, as written, by a user who cannot write the installed folder.
chmod 755 "$prefix" "$home"
if [ "$(id -u)" = 0 ]; then
  chown -R nobody "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
else
  chmod -R a-w "$prefix/share/modelconv/examples"
  as_user=()
fi
for page in modelconv modeltest rulecheck; do
  script=$(zcat "$prefix/share/man/man1/$page.1.gz" |
           sed -n '/^\.SH EXAMPLES/,/^\.SH/p' | sed -n '/^\.RS/,/^\.RE/p' | grep -v '^\.')
  [ -n "$script" ] || fail "$page.1 has no example"
  if ! out=$(cd "$home" && env -i HOME="$home" PATH="$prefix/bin:/usr/bin:/bin" \
             "${as_user[@]}" bash -e -c "$script" 2>&1); then
    fail "the example of $page.1 fails: $out"
  fi
  if grep -q "Could not open\|Working without\|Unable to\|Cannot open" <<< "$out"; then
    fail "the example of $page.1 falls back to the console: $out"
  fi
done
[ -f "$home/modelconv-example/report.html" ] || fail "rulecheck's example wrote no report"

work=$(mktemp -d)
cp -a "$prefix/share/modelconv/examples/." "$work/"
chmod -R u+w "$work"
cd "$work"
"$prefix/bin/modelconv" example.dyd exclude example-converted.dyd example.log example.changes 2> stderr
cmp example-converted.dyd "$expected/out.dyd"
cmp example.log "$expected/log.txt"
cmp stderr "$expected/stderr"
"$prefix/bin/rulecheck" > findings
[ "$(tail -n 1 findings)" = "0 errors, 0 warnings" ] || fail "the installed example library does not check clean"
rm -rf "$work"

# The uninstall target, after a package build, removes exactly what the install put
# there: a file of someone else's in a folder the install made stays, and so does the
# folder.
chmod -R u+w "$prefix"
echo "not ours" > "$prefix/share/doc/notes.txt"
(cd "$build" && cpack -G TGZ -B "$packages" > /dev/null 2>&1) || fail "cpack failed"
"$cmake" --build "$build" --target uninstall > /dev/null || fail "the uninstall target failed"
left=$(cd "$prefix" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./share ./share/doc ./share/doc/notes.txt " ] || fail "the uninstall left [$left]"
ls "$packages"/modelconv-*.tar.gz > /dev/null || fail "cpack wrote no package"

# The archive's pages and guide cannot know where it is unpacked: they name its files from
# <prefix>, never from the folder cpack staged it in.
unpacked=$(mktemp -d)
tar -xzf "$packages"/modelconv-*.tar.gz -C "$unpacked"
archive_texts=$( (for page in "$unpacked"/*/share/man/man1/*.1.gz; do zcat "$page"; done
                  cat "$unpacked"/*/share/doc/modelconv/guide.md) )
rm -rf "$unpacked"
if grep -q '_CPack_Packages' <<< "$archive_texts"; then
  fail "the archive's pages name cpack's staging folder"
fi
grep -q '<prefix>/share/modelconv/examples' <<< "$archive_texts" ||
  fail "the archive's pages do not name its examples from <prefix>"
echo "installed to a temporary prefix: no package file, the pages' paths exist, their examples run, the example converts as expected, and the uninstall target removes it all"
