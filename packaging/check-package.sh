#!/bin/bash
# Builds the Debian package, unpacks it into a temporary folder and checks its
# layout; lintian and appstreamcli must find no error.
# usage: check-package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/yelvanis-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --build "$build" --target yelvanis yelvanis-shots -j2 >/dev/null
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/out/yelvanis_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$work/out"; fail "no yelvanis_${version}_amd64.deb"; }

root="$work/root"
dpkg-deb -x "$deb" "$root"

# The program with its movies in one folder, the launcher on the path.
[ -x "$root/usr/lib/yelvanis/yelvanis" ] || fail "no program in /usr/lib/yelvanis"
for movie in "$build"/bin/*.swf; do
  [ -f "$root/usr/lib/yelvanis/$(basename "$movie")" ] || fail "movie $(basename "$movie") not beside the program"
done
ls "$root"/usr/lib/yelvanis/*.swf >/dev/null 2>&1 || fail "no movies beside the program"
[ -x "$root/usr/bin/yelvanis" ] || fail "no launcher /usr/bin/yelvanis"
grep -q '/usr/lib/yelvanis/yelvanis' "$root/usr/bin/yelvanis" || fail "the launcher does not start /usr/lib/yelvanis/yelvanis"
file -b "$root/usr/lib/yelvanis/yelvanis" | grep -q 'not stripped' && fail "the program is not stripped"

# The menu entry.
desktop="$root/usr/share/applications/yelvanis.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx 'Name=Yelvanis' "$desktop" || fail "desktop entry not named Yelvanis"
grep -qx 'Categories=Education;History;' "$desktop" || fail "desktop entry not in Education and History"
grep -qx 'Exec=yelvanis' "$desktop" || fail "desktop entry does not start the launcher"
grep -qx 'Icon=yelvanis' "$desktop" || fail "desktop entry names another icon"
grep -q '^Comment=.*[çğıöşüİ]' "$desktop" || fail "desktop entry's comment is not Turkish"

# The icon in each of the theme's sizes, each as big as its folder says.
for n in 16 22 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${n}x${n}/apps/yelvanis.png"
  [ -f "$icon" ] || fail "no ${n}x${n} icon"
  file -b "$icon" | grep -q "PNG image data, $n x $n," || fail "the ${n}x${n} icon is $(file -b "$icon")"
done

# AppStream metadata with a screenshot of the main screen.
metainfo="$root/usr/share/metainfo/org.yelvanis.Yelvanis.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metadata"
grep -q '<launchable type="desktop-id">yelvanis.desktop</launchable>' "$metainfo" || fail "metadata does not launch the desktop entry"
grep -q '<image type="source">[^<]*/giris.png</image>' "$metainfo" || fail "metadata has no screenshot of the main screen"
shot="$root/usr/share/yelvanis/screenshots/giris.png"
file -b "$shot" | grep -q 'PNG image data' || fail "no screenshot of the main screen in the package"

# Dependencies: what the program links, and the plug-ins it loads. The
# marches play through FFmpeg's libraries: no media framework comes along.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libc6 qt6-qpa-plugins libavformat59 libavcodec59 libswresample4 libpulse0; do
  grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done
! grep -Eq "gstreamer|libqt6multimedia" <<<"$depends" || fail "Depends pulls in a media framework: $depends"

# The unpacked program finds every library it links, starts and keeps
# running until it is stopped.
! ldd "$root/usr/lib/yelvanis/yelvanis" | grep -q 'not found' || fail "the program lacks a library"
rc=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/lib/yelvanis/yelvanis" >/dev/null 2>&1 || rc=$?
[ "$rc" = 124 ] || fail "the unpacked program ended by itself with $rc"

appstreamcli validate-tree --no-net "$root" >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli"; }
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
cat "$work/lintian.log"
echo "package $(basename "$deb") checked"
