#!/usr/bin/env bash
# The session has a window manager that answers, PulseAudio with the two
# sinks and the source, and a secret service that stores and returns a secret.
set -u
failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

wm_answers() {
    local wm
    wm=$(xprop -root _NET_SUPPORTING_WM_CHECK | awk '/window id/ {print $NF}') || return 1
    [ -n "$wm" ] && xprop -id "$wm" _NET_WM_NAME | grep -qi openbox
}
sinks_listed() {
    local sinks
    sinks=$(pactl list sinks) || return 1
    grep -q 'Description: Speakers' <<<"$sinks" && grep -q 'Description: Headphones' <<<"$sinks"
}
source_listed() { pactl list sources | grep -q 'Description: Microphone'; }
secret_round_trip() {
    local value="s3cret-$$-$RANDOM"
    printf '%s' "$value" | secret-tool store --label="vellaro self-test" \
        service org.vellaro.selftest account "$$" || return 1
    [ "$(secret-tool lookup service org.vellaro.selftest account "$$")" = "$value" ] || return 1
    secret-tool clear service org.vellaro.selftest account "$$"
}

check "window manager answers _NET_SUPPORTING_WM_CHECK" wm_answers
check "PulseAudio lists the Speakers and Headphones sinks" sinks_listed
check "PulseAudio lists the Microphone source" source_listed
check "a secret is stored and read back" secret_round_trip
[ $failures -eq 0 ]
