#!/usr/bin/env bash
# Checks what Tovalin installs against the freedesktop and Debian tools, each when it is
# installed: desktop-file-validate on the launcher, appstreamcli on the AppStream data,
# and (with dpkg-shlibdeps and lintian) a Debian package built by cpack into a temporary
# folder: its contents, its Depends and lintian's verdict. Exit status 77: no tool found.
set -u
src=$1
build=$2
ran=0
failed=0

if command -v desktop-file-validate >/dev/null; then
  ran=1
  for entry in tovalin.desktop tovalin-session.desktop; do
    out=$(desktop-file-validate "$src/packaging/$entry" 2>&1) || { echo "$out"; failed=1; }
    echo "desktop-file-validate $entry: ${out:-clean}"
  done
fi

if command -v appstreamcli >/dev/null; then
  ran=1
  appstreamcli validate --no-net "$src"/packaging/*.metainfo.xml || failed=1
fi

if command -v lintian >/dev/null && command -v dpkg-shlibdeps >/dev/null && command -v cpack >/dev/null; then
  ran=1
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    exit 1
  fi
  deb=$(ls "$tmp"/tovalin_*.deb)
  contents=$(dpkg-deb -c "$deb")
  for path in ./usr/bin/tovalin ./usr/bin/tovalinctl ./usr/bin/tovalin-watchdog ./usr/bin/tovalin-session \
              ./usr/share/tovalin/resources/vendor.ini ./usr/share/tovalin/resources/sounds/klik.wav \
              ./usr/share/tovalin/resources/help/ ./usr/share/tovalin/resources/themes/Playtime.llt \
              ./usr/share/tovalin/resources/templates/8.usr ./usr/share/tovalin/resources/templates/nl/8.usr \
              ./usr/share/tovalin/resources/icons/Tgeel2.png \
              ./usr/share/applications/tovalin.desktop ./usr/share/icons/hicolor/scalable/apps/tovalin.svg \
              ./usr/share/icons/hicolor/48x48/apps/tovalin.png ./usr/share/metainfo/ \
              ./usr/share/man/man1/tovalin.1.gz ./usr/share/man/man1/tovalinctl.1.gz \
              ./usr/share/man/man1/tovalin-session.1.gz ./usr/share/wayland-sessions/tovalin.desktop \
              ./usr/share/doc/tovalin/copyright; do
    grep -q " $path" <<<"$contents" || { echo "the package lacks $path"; failed=1; }
  done
  # The drawings the starter themes' pictures are rendered from stay in the source tree.
  if grep -q "resources/themes/art" <<<"$contents"; then echo "the package holds the pictures' drawings"; failed=1; fi
  # Each translation catalogue lands in the installed program folder.
  for ts in "$src"/resources/texts/tovalin_*.ts; do
    lang=$(basename "$ts" .ts)
    [ "$lang" = tovalin_en ] && continue
    grep -q " ./usr/share/tovalin/translations/$lang.qm" <<<"$contents" || { echo "the package lacks $lang.qm"; failed=1; }
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for lib in libqt6webenginecore6 libqt6webenginecore6-bin libqt6widgets6 libcurl4 libsodium23 libzip4 qt6-wayland; do
    grep -q "\b$lib\b" <<<"$depends" || { echo "Depends lacks $lib"; failed=1; }
  done
  grep -q "\bcage\b" <<<"$(dpkg-deb -f "$deb" Recommends)" || { echo "Recommends lacks cage"; failed=1; }
  # Errors and warnings fail; lintian's informational tags are shown for whoever reads the log.
  lintian --tag-display-limit 0 "$deb" | tee "$tmp/lintian.log"
  if grep -q '^[EW]:' "$tmp/lintian.log"; then
    failed=1
  fi
fi

[ "$ran" = 1 ] || { echo "no packaging tool installed: skipped"; exit 77; }
[ "$failed" = 0 ] && echo "packaging ok"
exit "$failed"
