#!/usr/bin/env bash
# Builds the Debian package, installs it into a scratch root with dpkg-deb -x and
# tries what a user gets: the programs, the desktop entry, the icons, the README,
# the manual pages and the software centre's metainfo; and lintian's verdict.
#   test_package.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/package/orvanet_*.deb)
[ -n "$deb" ] || fail "no package built"
dpkg-deb -I "$deb" >"$scratch/info"
grep -q '^ Package: orvanet$' "$scratch/info" || fail "package name"
grep -q '^ Version: 22.00' "$scratch/info" || fail "version"
grep -q '^ Depends:.*libqt6widgets6' "$scratch/info" || fail "Depends lacks Qt: $(grep Depends "$scratch/info")"
grep -q '^ Depends:.*libcurl' "$scratch/info" || fail "Depends lacks libcurl"
grep -q '^ Depends:.*libqt6svg6' "$scratch/info" || fail "Depends lacks the SVG icon engine"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
[ -x "$root/usr/bin/orvanet" ] || fail "no program"
[ -x "$root/usr/bin/orvanet-tool" ] || fail "no orvanet-tool"
desktop="$root/usr/share/applications/orvanet.desktop"
desktop-file-validate "$desktop" || fail "desktop entry"
grep -q '^Name\[fa\]=' "$desktop" || fail "no Persian name"
grep -q '^Exec=orvanet$' "$desktop" || fail "Exec"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/orvanet.svg" ] || fail "no scalable icon"
for size in 16 32 48 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/orvanet.png"
  [ -f "$png" ] || fail "no ${size}px icon"
  # The PNG header's width and height (bytes 17-24, big-endian).
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "${size}px icon is $dims"
done
[ -f "$root/usr/share/doc/orvanet/README.md" ] || fail "no README"
grep -q '^License: Expat' "$root/usr/share/doc/orvanet/copyright" || fail "copyright lacks the MIT (Expat) license"
zcat "$root/usr/share/doc/orvanet/changelog.gz" | head -1 | grep -q '^orvanet (22.00) ' || fail "changelog"
for program in orvanet orvanet-tool; do
  zcat "$root/usr/share/man/man1/$program.1.gz" | grep -q '^\.SH DESCRIPTION' || fail "no manual page of $program"
done
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/org.orvanet.orvanet.metainfo.xml" \
  >"$scratch/appstream.log" 2>&1 || { cat "$scratch/appstream.log"; fail "metainfo"; }
# Errors and warnings fail; information and pedantic notes are allowed.
lintian --fail-on error,warning --suppress-tags-from-file /dev/null "$deb" >"$scratch/lintian.log" 2>&1 \
  || { cat "$scratch/lintian.log"; fail "lintian"; }

# The installed companion runs from the scratch root.
out=$("$root/usr/bin/orvanet-tool" date to-solar 2026-12-08)
[ "$out" = "1405/09/17" ] || fail "orvanet-tool date to-solar printed '$out'"
echo "package ok: $(basename "$deb")"
