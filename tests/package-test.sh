#!/bin/bash
# The installed game as a player and a packager meet it, without touching the
# system: builds the Debian package with CPack and unpacks it into a temporary
# root, stages `cmake --install` with DESTDIR, and checks both trees: their
# files, lintian, the desktop entry, the AppStream metainfo, the manual page,
# the icons, the package's dependencies against the libraries the binary
# links, and the launcher started from an unrelated folder (under the display
# that with-display.sh provides).
# usage: package-test.sh <cmake> <cpack> <build folder> <install prefix> <app id> <installed_game_tests>
set -u
cmake=$1
cpack=$2
build=$3
prefix=$4
appId=$5
gameCheck=$6
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0

pass() { checks=$((checks + 1)); echo "ok   $1"; }
fail() {
    checks=$((checks + 1))
    failures=$((failures + 1))
    echo "FAIL $1"
    [ -z "${2:-}" ] || printf '%s\n' "$2" | sed 's/^/    /'
}
# check NAME command...: passes when the command succeeds and prints nothing.
check() {
    local name=$1
    shift
    local out status
    out=$("$@" 2>&1)
    status=$?
    if [ "$status" -eq 0 ] && [ -z "$out" ]; then pass "$name"; else fail "$name: status $status" "$out"; fi
}

# What an install holds, below its prefix: the data files are the build's
# one list of them, in COILRUN_DATA_FILES.
[ -n "${COILRUN_DATA_FILES:-}" ] || { echo "FAIL COILRUN_DATA_FILES is not set"; exit 1; }
expected=$(sort <<EOF
$(printf 'share/games/coilrun/data/%s\n' $COILRUN_DATA_FILES)
games/coilrun
lib/games/coilrun/coilrun
share/applications/$appId.desktop
share/doc/coilrun/changelog.gz
share/doc/coilrun/copyright
share/doc/coilrun/font-LICENSE.txt
share/icons/hicolor/128x128/apps/coilrun.png
share/icons/hicolor/256x256/apps/coilrun.png
share/icons/hicolor/48x48/apps/coilrun.png
share/icons/hicolor/64x64/apps/coilrun.png
share/man/man6/coilrun.6.gz
share/metainfo/$appId.metainfo.xml
EOF
)
checkFiles() {
    local name=$1 root=$2 found
    found=$(cd "$root" 2>/dev/null && find . ! -type d | sed 's|^\./||' | sort)
    if [ "$found" = "$expected" ]; then
        pass "$name holds the game, its data, menu entry, icons, manual page, metainfo and notes"
    else
        fail "$name: files differ from what an install holds (< expected, > found)" \
            "$(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$found") | grep '^[<>]')"
    fi
}

# The game started through the launcher from an unrelated folder: start
# screen, frame rates, Escape exits 0.
mkdir "$tmp/elsewhere"
play() {
    local name=$1 launcher=$2 out
    if out=$(COILRUN_LAUNCHER=$launcher COILRUN_WORKING_FOLDER=$tmp/elsewhere "$gameCheck" 2>&1); then
        pass "$name: started from another folder, start screen, frame rates, Escape exits 0"
    else
        fail "$name: the game as a player starts it" "$out"
    fi
}

# The launcher passes the game's standard error and exit status through: with
# no display the game says so and exits 1.
passesThrough() {
    local name=$1 launcher=$2 err status
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY "$launcher" 2>&1 >/dev/null)
    status=$?
    if [ "$status" -eq 1 ] && printf '%s' "$err" | grep -q "^Coilrun: cannot start the window system"; then
        pass "$name: the game's standard error and exit status come through"
    else
        fail "$name: no display: status $status, standard error:" "$err"
    fi
}

# 1. The package.
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/cpack" >"$tmp/cpack.log" 2>&1; then
    fail "cpack -G DEB" "$(cat "$tmp/cpack.log")"
    echo "0 passed, 1 failed"
    exit 1
fi
deb=$(echo "$tmp"/cpack/coilrun_*.deb)
echo "package: ${deb##*/}, $(stat -c %s "$deb") bytes"
root=$tmp/root
dpkg-deb -x "$deb" "$root"
checkFiles "the package" "$root/usr"

# Informational tags are shown, not failed; lintian run as root says so on
# standard error, which is not about the package.
lintian --display-info --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1
status=$?
lint=$(grep -v "^running with root privileges" "$tmp/lintian.log")
if [ "$status" -eq 0 ]; then
    pass "lintian: no errors or warnings"
    [ -z "$lint" ] || printf '%s\n' "$lint" | sed 's/^/    /'
else
    fail "lintian: status $status" "$lint"
fi

[ "$(dpkg-deb -f "$deb" Section)" = games ] && pass "section games" || fail "section: $(dpkg-deb -f "$deb" Section)"
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/$appId.desktop"
# Clean even of pedantic remarks; it prints one line on success.
metainfo=$(appstreamcli validate --no-net --no-color --pedantic "$root/usr/share/metainfo/$appId.metainfo.xml" 2>&1)
status=$?
if [ "$status" -eq 0 ] && ! printf '%s\n' "$metainfo" | grep -q '^[EWIP]: '; then
    pass "appstreamcli validate --no-net --pedantic"
else
    fail "appstreamcli validate: status $status" "$metainfo"
fi
renderManual() { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" >/dev/null; }
check "man -l renders coilrun.6 without warnings" renderManual "$root/usr/share/man/man6/coilrun.6.gz"
for icon in "$root"/usr/share/icons/hicolor/*/apps/coilrun.png; do
    size=${icon%/apps/*}
    size=${size##*/}
    seen=$(identify -format '%wx%h %[channels]' "$icon" 2>&1)
    [ "$seen" = "$size srgba" ] && pass "icon $size" || fail "icon $size: $seen"
done

# The dependencies: one package for each library the binary links, found from
# the libraries themselves, and nothing more.
binary=$root/usr/lib/games/coilrun/coilrun
needs=$(
    for soname in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        path=$(ldd "$binary" | awk -v so="$soname" '$1 == so { print $3 }')
        owner=""
        # With merged /usr a library may be known to dpkg under /lib or /usr/lib.
        for p in "$path" "/usr$path" "${path#/usr}" "$(readlink -f "$path")"; do
            owner=$(dpkg -S "$p" 2>/dev/null) && break
        done
        owner=$(printf '%s\n' "$owner" | head -n1)
        echo "${owner%%:*}"
    done | sort -u
)
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/(.*)//; s/[[:space:]]//g' | grep . | sort -u)
if [ -n "$needs" ] && [ "$needs" = "$depends" ]; then
    pass "Depends names the packages of the linked libraries: $(echo $depends)"
else
    fail "Depends differs from the linked libraries' packages (< from the libraries, > Depends)" \
        "$(diff <(printf '%s\n' "$needs") <(printf '%s\n' "$depends") | grep '^[<>]')"
fi

play "the package" "$root/usr/games/coilrun"
passesThrough "the package's launcher" "$root/usr/games/coilrun"

# 2. A DESTDIR staging of cmake --install, under the configured prefix.
stage=$tmp/stage
if DESTDIR=$stage "$cmake" --install "$build" >"$tmp/install.log" 2>&1; then
    checkFiles "the DESTDIR staging" "$stage$prefix"
    play "the DESTDIR staging" "$stage$prefix/games/coilrun"
    # Moved elsewhere and started through a link on another folder.
    mv "$stage$prefix" "$tmp/moved"
    mkdir "$tmp/bin"
    ln -s "$tmp/moved/games/coilrun" "$tmp/bin/coilrun"
    passesThrough "the moved staging, through a link" "$tmp/bin/coilrun"
    # A launcher without its data says where it looked.
    cp "$tmp/moved/games/coilrun" "$tmp/bin/lonely"
    err=$("$tmp/bin/lonely" 2>&1 >/dev/null)
    status=$?
    if [ "$status" -eq 1 ] && printf '%s' "$err" | grep -q "^coilrun: cannot find the game's data/ in "; then
        pass "a launcher without the data: one line and status 1"
    else
        fail "a launcher without the data: status $status, standard error:" "$err"
    fi
else
    fail "DESTDIR=... cmake --install" "$(cat "$tmp/install.log")"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
