#!/usr/bin/env bash
# Makes the Debian package from this build's programs and checks it as a user's machine
# would take it: the files it installs, its dependencies, the desktop files' validity,
# the MIME type's rules and the installed batch tool itself.
# Usage: checkPackage.sh <cpack> <build folder> <source folder> <version> <work folder>
set -euo pipefail
cpack=$1 build=$2 source=$3 version=$4 work=$5

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack could not make the package"; }
deb="$work/cpack/neru_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"

# Every regular file in the package, no more and no fewer.
expected=(
    usr/bin/neru
    usr/bin/neru-cli
    usr/bin/neru-logger-sim
    usr/share/applications/io.github.neru.Neru.desktop
    usr/share/icons/hicolor/16x16/apps/neru.png
    usr/share/icons/hicolor/24x24/apps/neru.png
    usr/share/icons/hicolor/32x32/apps/neru.png
    usr/share/icons/hicolor/48x48/apps/neru.png
    usr/share/icons/hicolor/64x64/apps/neru.png
    usr/share/icons/hicolor/128x128/apps/neru.png
    usr/share/icons/hicolor/256x256/apps/neru.png
    usr/share/metainfo/io.github.neru.Neru.metainfo.xml
    usr/share/doc/neru/guide.md
    usr/share/mime/packages/neru.xml
)
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
    <(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { sub(/^\.\//, "", $6); print $6 }' | sort) ||
    fail "the package's files differ from the list above (- missing, + unexpected)"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6serialport6 libqt6widgets6 libqt6printsupport6 libqt6charts6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package: $depends"
done

root="$work/root"
dpkg -x "$deb" "$root"
file "$root/usr/bin/neru" | grep -q ', stripped$' || fail "usr/bin/neru is not stripped"
desktop-file-validate "$root/usr/share/applications/io.github.neru.Neru.desktop" ||
    fail "desktop-file-validate"
# The tree check validates the metainfo and also finds the desktop entry it launches.
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"

# The installed programs run on the system's Qt alone.
for program in neru neru-cli; do
    out=$(env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$root/usr/bin/$program" --version) ||
        fail "$program --version failed"
    [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
done

# The MIME database compiles the type, whose magic is the samples' opening bytes at
# offset 0 (a string rule is ">offset=" then its 2-byte big-endian length and value).
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/neru.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null || fail "update-mime-database"
grep -qx '30:application/x-neru-district:\*\.dat' "$work/mime/globs2" ||
    fail "no *.dat glob of weight 30 in globs2"
sed -n '/^\[80:application\/x-neru-district\]$/{n;p;q}' "$work/mime/magic" >"$work/rule"
for sample in flow pressure; do
    { printf '>0=\000\011'; head -c 9 "$source/samples/$sample.dat"; echo; } >"$work/want"
    cmp -s "$work/want" "$work/rule" ||
        fail "the priority-80 magic rule does not match samples/$sample.dat's opening bytes"
done
echo "package $deb: OK"
