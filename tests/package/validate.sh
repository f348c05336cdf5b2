#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Validates what `cmake --install` and `make package` ship: the licensing of the source tree
# (reuse lint), the desktop entry and the AppStream metadata as installed (with their translations
# merged in, in BUILD_DIR/data) and the .deb (lintian, pedantic and experimental tags included),
# then unpacks the .deb and checks its translations in every language, its manual page, its
# debug-symbol package, its time stamps and `make install`'s stripped program, checks that its
# binary is hardened (hardening-check) and starts it under a private Xvfb, where it must write the
# three launch lines.
#
# Usage: validate.sh SOURCE_DIR BUILD_DIR [hardened|unhardened] [mapped|unmapped]
# (unhardened: the build was made without the hardening flags, a Debug build: skip hardening-check)
set -euo pipefail

source_dir=$1
build_dir=$2
hardening=${3:-hardened}
# mapped: the build maps its folders away (-ffile-prefix-map); unmapped: a Debug build, which keeps
# them for the debugger.
paths=${4:-mapped}
launch_timeout=15

fail() { echo "validate: FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=''
app_pid=''
cleanup() {
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Every file of the source tree carries its copyright and licence (SPDX), when it is a Git checkout
# (reuse reads which files belong to it from Git).
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
    echo "== reuse lint"
    reuse --root "$source_dir" lint >"$work/reuse.log" 2>&1 || { cat "$work/reuse.log"; fail "reuse lint"; }
fi

# desktop-file-validate exits 0 on warnings and hints; any output at all counts as a failure.
echo "== desktop-file-validate"
desktop_report=$(desktop-file-validate "$build_dir/data/io.quorvin.Quorvin.desktop" 2>&1) ||
    fail "desktop-file-validate: $desktop_report"
[[ -z $desktop_report ]] || fail "desktop-file-validate reported: $desktop_report"

# appstreamcli exits non-zero on errors and warnings; --strict makes infos fail as well. Pedantic
# hints are shown but do not fail: the one it gives is about the upper-case letter in the
# reverse-DNS id, which matches the desktop file's name on purpose.
echo "== appstreamcli validate"
appstreamcli validate --no-net --strict --pedantic --explain \
    "$build_dir/data/io.quorvin.Quorvin.metainfo.xml" || fail "appstreamcli validate"

# Package into a private folder so a concurrent `make package` in the build tree is not disturbed.
echo "== cpack"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/cpack/quorvin_*_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one quorvin_<version>_<arch>.deb"
deb=${debs[0]}
ddebs=("$work"/cpack/quorvin-dbgsym_*_*.ddeb)
[[ ${#ddebs[@]} == 1 && -f ${ddebs[0]} ]] || fail "expected one quorvin-dbgsym_<version>_<arch>.ddeb"
ddeb=${ddebs[0]}
echo "built $(basename "$deb") and $(basename "$ddeb")"

# Every tag fails, down to pedantic and experimental ones: the README explains any that is
# accepted.
echo "== lintian"
lintian --fail-on error,warning,info,pedantic --info --pedantic --display-experimental "$deb" ||
    fail "lintian"

echo "== dpkg-deb -x"
root=$work/root
dpkg-deb -x "$deb" "$root"
for path in usr/bin/quorvin \
        usr/share/applications/io.quorvin.Quorvin.desktop \
        usr/share/metainfo/io.quorvin.Quorvin.metainfo.xml \
        usr/share/icons/hicolor/scalable/apps/io.quorvin.Quorvin.svg \
        usr/share/man/man1/quorvin.1.gz \
        usr/share/doc/quorvin/copyright \
        usr/share/doc/quorvin/changelog.gz; do
    [[ -f $root/$path ]] || fail "missing /$path in the package"
done
# The installed desktop entry and metadata are the translated ones, in every language of
# po/LINGUAS, and the accessible names and tooltips (translations/quorvin_<language>.ts) come in
# the same languages, every message translated.
grep -qxF 'GenericName[de]=Programmierer-Rechner' "$root/usr/share/applications/io.quorvin.Quorvin.desktop" ||
    fail "the packaged desktop entry has no German GenericName"
mapfile -t languages < <(grep -E '^[^#[:space:]]' "$source_dir/po/LINGUAS")
for language in "${languages[@]}"; do
    for key in GenericName Comment Keywords; do
        grep -q "^$key\[$language\]=." "$root/usr/share/applications/io.quorvin.Quorvin.desktop" ||
            fail "the packaged desktop entry has no $key[$language]"
    done
    for element in summary p caption; do
        grep -qF "<$element xml:lang=\"$language\">" "$root/usr/share/metainfo/io.quorvin.Quorvin.metainfo.xml" ||
            fail "the packaged metainfo has no $element in $language"
    done
    ts=$source_dir/translations/quorvin_$language.ts
    [[ -f $ts ]] || fail "po/LINGUAS has $language, translations/ has no quorvin_$language.ts"
    ! grep -qE 'type="unfinished"|<translation></translation>' "$ts" ||
        fail "translations/quorvin_$language.ts has untranslated messages"
done
for ts in "$source_dir"/translations/quorvin_*.ts; do
    language=$(basename "$ts" .ts); language=${language#quorvin_}
    [[ " ${languages[*]} " == *" $language "* ]] || fail "$ts is not a language of po/LINGUAS"
done
echo "${#languages[@]} languages"
file "$root/usr/bin/quorvin" | grep -q ', stripped' || fail "usr/bin/quorvin is not stripped"
man_report=$(man --warnings -l "$root/usr/share/man/man1/quorvin.1.gz" 2>&1 >/dev/null) ||
    fail "man could not format the manual page"
[[ -z $man_report ]] || fail "man --warnings reported: $man_report"

# The debug information is in the dbgsym package, under the build id a debugger looks it up by,
# and names the source files relative to the source folder, never by the folder it was built in.
echo "== debug symbols"
build_id=$(readelf -n "$root/usr/bin/quorvin" | sed -n 's/^ *Build ID: *//p')
[[ $build_id =~ ^[0-9a-f]{40}$ ]] || fail "usr/bin/quorvin has no build id"
debug_root=$work/debug-root
dpkg-deb -x "$ddeb" "$debug_root"
debug_file=$debug_root/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
[[ -f $debug_file ]] || fail "the dbgsym package has no /usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug"
[[ $(dpkg-deb -f "$ddeb" Build-Ids) == "$build_id" ]] || fail "the dbgsym package's Build-Ids is not $build_id"
[[ $(dpkg-deb --ctrl-tarfile "$ddeb" | tar -xO ./md5sums) == *"  usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug" ]] ||
    fail "the dbgsym package's md5sums does not list the debug file by its installed path"
if [[ $paths == mapped ]]; then
    ! grep -qaF "$(realpath "$source_dir")" "$debug_file" ||
        fail "the debug information names the source folder $(realpath "$source_dir")"
fi

# Every file in the package carries the last commit's time, when the source is a Git checkout.
if epoch=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null); then
    echo "== time stamps"
    stamps=$(for part in --ctrl-tarfile --fsys-tarfile; do
        dpkg-deb "$part" "$deb" | TZ=UTC tar -tv --full-time
    done | awk '{print $4 " " $5}' | sort -u)
    expected=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
    [[ $stamps == "$expected" ]] || fail "time stamps other than the last commit's ($expected): $stamps"
fi

# `make install` installs the program stripped too.
echo "== make install"
make -s -C "$source_dir" install BUILD_DIR="$(realpath "$build_dir")" DESTDIR="$work/stage" \
    PREFIX=/usr >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "make install"; }
file "$work/stage/usr/bin/quorvin" | grep -q ', stripped' || fail "make install left the program unstripped"
! readelf -S -W "$root/usr/bin/quorvin" | grep -qF ' .comment ' ||
    fail "usr/bin/quorvin keeps its .comment section"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in fonts-noto-color-emoji libqt6svg6 libqt6widgets6 libc6; do
    [[ $depends == *"$dependency"* ]] || fail "Depends lacks $dependency: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for recommendation in qt6-wayland qt6-translations-l10n; do
    [[ $recommends == *"$recommendation"* ]] || fail "Recommends lacks $recommendation: $recommends"
done

# PIE, stack protector, _FORTIFY_SOURCE, full RELRO and immediate binding. Not control-flow
# protection: Debian 12's C start files lack the CET properties, so no program built on it (none
# of the distribution's own either) has them.
echo "== hardening-check"
if [[ $hardening == hardened ]]; then
    hardening-check --nocfprotection "$root/usr/bin/quorvin" || fail "hardening-check"
else
    echo "skipped: $build_dir is built without the hardening flags"
fi

echo "== launch under Xvfb"
# -displayfd makes Xvfb pick a free display itself and write its number once it accepts clients.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -nolisten tcp -screen 0 1024x768x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_number=''
read -r -t 10 -u "$display_fd" display_number || true
exec {display_fd}<&-
[[ -n $display_number ]] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }

runtime=$work/xdg-runtime
mkdir -m 700 "$runtime"
DISPLAY=":$display_number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime \
    "$root/usr/bin/quorvin" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!

expected=("DEBUG: Quorvin starting..." "DEBUG: UI setup complete" "DEBUG: App ready!")
deadline=$((SECONDS + launch_timeout))
until [[ $(grep -cxF -e "${expected[0]}" -e "${expected[1]}" -e "${expected[2]}" "$work/stdout") -ge 3 ]]; do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        cat "$work/stdout" "$work/stderr"
        fail "the unpacked binary exited before writing its launch lines"
    fi
    ((SECONDS < deadline)) || { cat "$work/stdout" "$work/stderr"; fail "no launch lines after ${launch_timeout}s"; }
    sleep 0.1
done
# The three lines come first and in this order.
mapfile -t first < <(head -n 3 "$work/stdout")
for i in 0 1 2; do
    [[ ${first[i]-} == "${expected[i]}" ]] || { cat "$work/stdout"; fail "line $((i + 1)) is '${first[i]-}', expected '${expected[i]}'"; }
done
echo "launch lines:"
printf '  %s\n' "${first[@]}"
echo "validate: all checks passed"
