#!/usr/bin/env bash
# Builds the Debian package with cpack into a scratch folder, unpacks it into a scratch root and checks
# its control fields, its files and that the packed checker runs from there. No network is used.
set -u
build_dir=$1
version=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-package-test.XXXXXX")
# cpack's install step writes install_manifest.txt into the build folder: leave no new one behind.
manifest="$build_dir/install_manifest.txt"
[ -e "$manifest" ] && manifest_existed=1 || manifest_existed=0
cleanup() {
    rm -rf "$scratch"
    [ $manifest_existed -eq 1 ] || rm -f "$manifest"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for tool in cpack dpkg-deb dpkg-shlibdeps file appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh)"; exit 1; }
done

if ! cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack -G DEB failed"
    exit 1
fi
packages=("$scratch"/out/*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    echo "FAIL: expected one package in $scratch/out, found: ${packages[*]}"
    exit 1
fi
deb=${packages[0]}
echo "built $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tarnwick ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project's is $version"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
depends=$(field Depends)
echo "Depends: $depends"
echo "Recommends: $(field Recommends)"
# Computed by dpkg-shlibdeps, so they carry the minimum versions of the libraries' symbols.
IFS=, read -ra relations <<<"$depends"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libcurl4 libc6 'libstdc++6'; do
    found=0
    for relation in "${relations[@]}"; do
        [[ ${relation# } == "$library (>= "*")" ]] && found=1
    done
    [ $found -eq 1 ] || fail "Depends lacks a computed $library dependency"
done
grep -q "fonts-ipafont-gothic" <<<"$depends" || fail "Depends lacks the Japanese font"

root="$scratch/root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x failed"; exit 1; }
for file in usr/bin/tarnwick usr/bin/tarnwick-check; do
    [ -x "$root/$file" ] || { fail "$file is missing or not executable"; continue; }
    description=$(file -b "$root/$file")
    [[ $description == ELF*", stripped"* ]] || fail "$file is not a stripped executable: $description"
done
for file in usr/share/applications/tarnwick.desktop \
             usr/share/metainfo/io.github.tarnwick.tarnwick.metainfo.xml \
             usr/share/man/man1/tarnwick.1 usr/share/man/man1/tarnwick-check.1 \
             usr/share/icons/hicolor/scalable/apps/tarnwick.svg \
             usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/tarnwick.png; do
    [ -f "$root/$file" ] || fail "$file is missing"
done
unexpected=$(find "$root" -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$unexpected" ] || fail "files outside /usr: $unexpected"

# The installed metainfo finds its desktop entry and icon in the unpacked tree.
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree failed"

# The packed checker runs from the unpacked root: its help, and a check of a document on disk with one
# in-page link found and one file link not found (status 1).
"$root/usr/bin/tarnwick-check" --help >"$scratch/help.txt" 2>&1 || fail "tarnwick-check --help failed"
grep -q -- "--encoding" "$scratch/help.txt" || fail "tarnwick-check --help does not list --encoding"
printf '<HTML><BODY><A NAME="top"></A><A HREF="#top">up</A> <A HREF="missing.html">gone</A></BODY></HTML>\n' \
    >"$scratch/page.html"
(cd "$scratch" && timeout 60 "$root/usr/bin/tarnwick-check" --format tsv page.html >"$scratch/check.txt" 2>&1)
status=$?
codes=$(cut -f2,3 "$scratch/check.txt" | tr '\t\n' ' ')
[ $status -eq 1 ] && [ "$codes" = "2 #top 101 missing.html " ] ||
    fail "tarnwick-check page.html gave status $status and: $(cat "$scratch/check.txt")"

if [ $failures -ne 0 ]; then
    exit 1
fi
echo "package checks passed"
