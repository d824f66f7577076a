#!/usr/bin/env bash
# Builds the Debian package in its own tree (build-package/, the CMake preset
# "package": Release, no tests, prefix /usr), unpacks it into a scratch root
# and checks it as installed: the file list against tests/package/files.txt,
# the dependencies, the desktop entry, the AppStream file, lintian, and the
# installed programs run from the scratch root with an empty working
# directory and a home of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

fail() {
    echo "check-package: FAILED: $*" >&2
    exit 1
}

for tool in dpkg-deb lintian desktop-file-validate appstreamcli pdftotext; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

cmake --preset package ${SOLVANE_WERROR:+-DSOLVANE_WERROR="$SOLVANE_WERROR"} >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-package/CMakeCache.txt)
deb=build-package/solvane_${version}_amd64.deb
rm -f "$deb"
cmake --build --preset package -j"$(nproc)"
[ -f "$deb" ] || fail "$deb was not built"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg -x "$deb" "$root"

# Every file with its mode, so that a program that lost its x bit or a
# library that gained one shows too.
(cd "$root" && find . ! -type d -printf '%m %P\n' | LC_ALL=C sort -k2) >"$scratch/files.txt"
diff -u tests/package/files.txt "$scratch/files.txt" \
    || fail "the installed files differ from tests/package/files.txt (diff above: - expected, + built)"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt5widgets5 libqwt-qt5-6; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

out=$(desktop-file-validate "$root/usr/share/applications/solvane.desktop" 2>&1) \
    && [ -z "$out" ] || fail "desktop-file-validate: $out"
metainfo=$root/usr/share/metainfo/com.example.kvr.solvane.metainfo.xml
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"
# The validator takes any date; the release must be this version, with a real one.
grep -Eq "<release version=\"$version\" date=\"[0-9]{4}-[01][0-9]-[0-3][0-9]\"" "$metainfo" \
    || fail "the AppStream file has no release $version with a date YYYY-MM-DD"
lintian --info "$deb" 2>&1 | tee "$scratch/lintian.txt"
if grep -q '^E:' "$scratch/lintian.txt"; then fail "lintian reports errors"; fi

# The installed programs as a user runs them: nothing of the build tree, the
# user's home or the environment (no LD_LIBRARY_PATH, no virtual meter
# settings), an empty working directory.
mkdir -p "$scratch/work" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
bin=$root/usr/bin
run() {
    (cd "$scratch/work" && env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$scratch/home" \
        XDG_CONFIG_HOME="$scratch/home/.config" XDG_RUNTIME_DIR="$scratch/runtime" \
        QT_QPA_PLATFORM=offscreen "$@")
}

# The meter library comes from the installation's private folder: without it
# the read-out fails, with it the twelve factory records arrive.
library=$(cd "$root" && find usr/lib -name libTorvikUSB.so)
mv "$root/$library" "$scratch/libTorvikUSB.so"
status=0
run "$bin/solvane-read" "$scratch/none.csv" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "solvane-read without the meter library: exit $status, not 1"
mv "$scratch/libTorvikUSB.so" "$root/$library"
run "$bin/solvane-read" "$scratch/work/records.csv" || fail "solvane-read: exit $?"
records=$(($(wc -l <"$scratch/work/records.csv") - 1))
[ "$records" -eq 12 ] || fail "solvane-read wrote $records records, not 12"

# Equal energy at every wavelength lies at x = y = 1/3; and the calculator
# gives record 3 the chromaticity that the read-out gave it.
printf '1\n%.0s' $(seq 401) >"$scratch/work/equal.txt"
run "$bin/solvane-calc" equal.txt >"$scratch/equal.out" || fail "solvane-calc: exit $?"
awk '$1 == "x" || $1 == "y" { if ($2 < 0.3330 || $2 > 0.3337) bad = 1; n++ }
     END { exit !(n == 2 && !bad) }' "$scratch/equal.out" \
    || fail "solvane-calc: equal energy is not at x = y = 1/3: $(head -2 "$scratch/equal.out")"
sed -n 5p "$scratch/work/records.csv" | cut -d, -f30- | tr , '\n' >"$scratch/work/record3.txt"
run "$bin/solvane-calc" record3.txt >"$scratch/record3.out" || fail "solvane-calc: exit $?"
calculated=$(tail -n 27 "$scratch/record3.out" | sed -n '20,23p' | tr '\n' ,)
read=$(sed -n 5p "$scratch/work/records.csv" | cut -d, -f22-25),
[ "$calculated" = "$read" ] \
    || fail "solvane-calc gives record 3 x, y, u', v' = $calculated, solvane-read $read"

run "$bin/solvane-report" --row 3 records.csv report.pdf || fail "solvane-report: exit $?"
pdftotext "$scratch/work/report.pdf" - | grep -q "Test Report" \
    || fail "the report of record 3 has no \"Test Report\""

echo "check-package: $deb passed in $((SECONDS - started)) s"
