#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: the desktop entry validates and
# names the installed binary, the icon is there in every size, launching the
# entry while Vellaro runs opens its settings console, and scripts/uninstall
# removes every installed file. Argument: the build folder.
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$TMPDIR/prefix
fail() {
    echo "install_test: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
entry=$prefix/share/applications/org.vellaro.Vellaro.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx "Exec=$prefix/bin/vellaro" "$entry" || fail "the entry does not start $prefix/bin/vellaro"
icons=$prefix/share/icons/hicolor
[ -s "$icons/scalable/apps/org.vellaro.Vellaro.svg" ] || fail "no scalable icon"
for size in 48 128; do
    png=$icons/${size}x${size}/apps/org.vellaro.Vellaro.png
    [ -s "$png" ] || fail "no ${size} px icon"
    # The PNG header's width and height, big-endian, from byte 16.
    read -r -a b <<<"$(od -An -tu1 -j16 -N8 "$png")"
    got="$(((b[0] << 24) + (b[1] << 16) + (b[2] << 8) + b[3]))x$(((b[4] << 24) + (b[5] << 16) + (b[6] << 8) + b[7]))"
    [ "$got" = "${size}x${size}" ] || fail "the ${size} px icon is $got"
done

# Launching the entry while Vellaro runs reaches the running copy.
mkdir -p "$XDG_CONFIG_HOME/Vellaro"
printf '[General]\nvellaroOnboardingCompleted=true\n' >"$XDG_CONFIG_HOME/Vellaro/defaults.ini"
log=$TMPDIR/vellaro.log
QT_LOGGING_RULES=vellaro.app.info=true "$prefix/bin/vellaro" >"$log" 2>&1 &
vellaro=$!
trap 'kill "$vellaro" 2>/dev/null || true' EXIT
wait_for() { # seconds, command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}
wait_for 30 grep -q "Vellaro ready" "$log" || fail "Vellaro did not start: $(cat "$log")"
gio launch "$entry" || fail "gio could not launch the entry"
wait_for 30 grep -q "Asked for the settings console" "$log" || fail "the request did not arrive: $(cat "$log")"
console_shown() { [ -n "$(xdotool search --onlyvisible --name '^Vellaro$' 2>/dev/null)" ]; }
wait_for 30 console_shown || fail "the settings console did not map"
"$prefix/bin/vellaro" --quit
wait "$vellaro" || fail "Vellaro ended with status $?"
trap - EXIT

bash "$source_dir/scripts/uninstall" "$build" >/dev/null
left=$(find "$prefix" -type f -o -type l)
[ -z "$left" ] || fail "left behind: $left"
echo "install_test: ok"
