#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it as a user's system would see
# it: its fields and files, lintian without errors, the desktop files' validators, and the
# programs run from the package unpacked into a scratch root.
# Usage: check_package.sh CPACK BUILD_DIR OUT_DIR VERSION
set -euo pipefail
cpack=$1 build=$2 out=$3 version=$4
fail() { echo "check_package: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
(cd "$build" && "$cpack" -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$out/tracewell_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tracewell ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = math ] || fail "Section: $(field Section)"
[[ $(field Maintainer) == *twteam* ]] || fail "Maintainer: $(field Maintainer)"
# Computed from the binaries, so the Qt and C++ libraries they link must be there.
for library in libc6 libstdc++6 libqt6gui6 libqt6widgets6; do
    [[ $(field Depends) == *"$library "* ]] || fail "Depends lacks $library: $(field Depends)"
done
# The window and the help are laid out for the Liberation fonts' metrics.
[ "$(field Recommends)" = fonts-liberation2 ] || fail "Recommends: $(field Recommends)"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in usr/bin/tracewell usr/bin/tracewell-plot usr/share/applications/tracewell.desktop \
    usr/share/metainfo/io.github.twteam.tracewell.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/tracewell.svg \
    usr/share/man/man1/tracewell.1.gz usr/share/man/man1/tracewell-plot.1.gz \
    usr/share/doc/tracewell/copyright usr/share/doc/tracewell/changelog.gz; do
    grep -qx "./$file" <<<"$files" || fail "the package lacks /$file"
done
for size in 16 32 48 64 128 256; do
    grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/tracewell.png" <<<"$files" ||
        fail "the package lacks the ${size}-pixel icon"
done

lintian --fail-on error "$deb" >"$out/lintian.log" 2>&1 ||
    { cat "$out/lintian.log"; fail "lintian reports errors"; }

root=$out/root
dpkg -x "$deb" "$root"
# It exits 0 on warnings and hints too: any output is a finding.
complaints=$(desktop-file-validate "$root/usr/share/applications/tracewell.desktop" 2>&1) &&
    [ -z "$complaints" ] || fail "desktop entry: $complaints"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "AppStream metadata not valid"
file -b "$root/usr/share/icons/hicolor/256x256/apps/tracewell.png" | grep -q '^PNG image data, 256 x 256' ||
    fail "the 256-pixel icon is not 256 pixels"

# The unpacked programs, with no display: the window program answers --version on its own.
export -n DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
version_line=$("$root/usr/bin/tracewell" --version) || fail "tracewell --version failed"
[ "$version_line" = "tracewell $version" ] || fail "tracewell --version says '$version_line'"
version_line=$("$root/usr/bin/tracewell-plot" --version) || fail "tracewell-plot --version failed"
[[ $version_line == *"$version"* ]] || fail "tracewell-plot --version says '$version_line'"
"$root/usr/bin/tracewell-plot" --png "$out/plot.png" --size 200x100 "sin(x)" >/dev/null ||
    fail "tracewell-plot could not plot"
file -b "$out/plot.png" | grep -q '^PNG image data, 200 x 100' || fail "the plot is no 200x100 PNG"
zcat "$root/usr/share/man/man1/tracewell-plot.1.gz" | grep -qF '\-\-png' ||
    fail "the manual page of tracewell-plot lacks --png"
# A text help2man could not encode (the Russian of the version) would show as question marks.
for page in tracewell tracewell-plot; do
    ! zcat "$root/usr/share/man/man1/$page.1.gz" | grep -n '??' ||
        fail "the manual page of $page has characters lost to question marks"
done
echo "check_package: $deb is sound"
