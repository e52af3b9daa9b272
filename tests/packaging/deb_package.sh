#!/usr/bin/env bash
# The .deb CPack makes from the build tree: named quirel_<version>_<arch>.deb, depending on the
# Debian runtime library packages (never a -dev one) and the captions' font, and holding the
# programs, the sample book, desktop entry, metadata, icons and man page under /usr.
set -u
BUILD=$1 OUT=$2
fail() {
  echo "FAILED: $*"
  exit 1
}
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || { echo "SKIPPED: dpkg-deb or dpkg-shlibdeps is missing"; exit 77; }
rm -rf "$OUT" && mkdir -p "$OUT"
(cd "$OUT" && cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$OUT") >"$OUT/cpack.log" 2>&1 ||
  { cat "$OUT/cpack.log"; fail "cpack failed"; }
debs=("$OUT"/quirel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single quirel_*.deb: $(ls "$OUT")"
DEB=${debs[0]}
[ "$(basename "$DEB")" = "quirel_$(dpkg-deb -f "$DEB" Version)_$(dpkg-deb -f "$DEB" Architecture).deb" ] ||
  fail "$(basename "$DEB") is not named after its version and architecture"

depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
# The package names alone, one a line.
sed 's/([^)]*)//g; s/, */\n/g; s/ //g' <<<"$depends" >"$OUT/depends.txt"
for pkg in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libjsoncpp25 libpugixml1v5 \
           libfontconfig1 libstdc++6 libc6 fonts-liberation2; do
  grep -qxF "$pkg" "$OUT/depends.txt" || fail "Depends lacks $pkg"
done
grep -e "-dev$" "$OUT/depends.txt" && fail "Depends names a development package"
# Every package named is one Debian has (installed here, as the build needed them all).
while read -r pkg; do
  dpkg-query -W "$pkg" >/dev/null 2>&1 || fail "Depends names $pkg, which is not a package here"
done <"$OUT/depends.txt"

dpkg-deb -c "$DEB" | awk '{print $NF}' >"$OUT/contents.txt"
for f in ./usr/bin/quirel ./usr/bin/quirel-make ./usr/bin/quirel-check ./usr/bin/quirel-epub ./usr/bin/quirel-drive \
         ./usr/share/quirel/book/String.xml ./usr/share/quirel/book/tomeset/tomeset_90.json \
         ./usr/share/applications/org.quirel.Quirel.desktop ./usr/share/metainfo/org.quirel.Quirel.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/org.quirel.Quirel.png ./usr/share/icons/hicolor/512x512/apps/org.quirel.Quirel.png \
         ./usr/share/man/man1/quirel.1; do
  grep -qxF "$f" "$OUT/contents.txt" || fail "the package lacks $f"
done
grep -q "ft.xml" "$OUT/contents.txt" && fail "the package holds a first-run marker"
# Stripped, the programs carry no debugging sections.
dpkg-deb -x "$DEB" "$OUT/root"
readelf -S "$OUT/root/usr/bin/quirel" | grep -q debug_info && fail "the packaged reader is not stripped"
echo "PASSED: $(basename "$DEB"), $(wc -l <"$OUT/contents.txt") entries, $(du -k "$DEB" | cut -f1) KiB"
