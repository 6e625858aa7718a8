#!/usr/bin/env bash
# End to end: the real zentaro on a virtual display and a private session bus, its keys pressed
# by xdotool as a person presses them. Script > Debug (Shift+F9) pauses the script in the
# debugger window; while it waits, automation calls are refused; F7 and F5 step and run it to its
# end; quitting (Ctrl+Q) while a run waits ends the application. Run under xvfb-run and
# dbus-run-session. Arguments: the zentaro executable.
set -euo pipefail
zentaro=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# The windows go to the virtual display, also when the tests around run offscreen.
export QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    ZENTARO_REGISTRY_FILE="$work/registry.reg"

source "$(dirname "$0")/automation/session_bus.sh"
window() { # window TITLE: the id of the shown window with that title, waiting for it
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no window \"$1\""
}
press() { # press TITLE KEY...: keys to the window of that title
    xdotool windowfocus --sync "$(window "$1")"
    shift
    xdotool key --delay 100 "$@"
    sleep 0.3
}

printf 'DefineWord([Sq],[Do(LocalNum([v]),v:=Arg(1),v*v)],1,1,[])\nSq(3)+1\n' > "$work/step.vex"
"$zentaro" "$work/step.vex" > "$work/zentaro.log" 2>&1 &
pid=$!
wait_for_service "$pid" "$work/zentaro.log"
main="step.vex - Zentaro"
debugger="Debugger - debug mode on"

press "$main" shift+F9
window "$debugger" > /dev/null
echo "ok: Shift+F9 shows the debugger"
expect "a call while a run waits" \
    "Error: GDBus.Error:com.velmark.Zentaro.Error.Failed: A script waits in the debugger; continue or cancel it there first." \
    "$(call ExecuteScript '1+2')"
expect "Abort while a run waits" "(false,)" "$(call Abort)"

press "$debugger" F7 F7 F5
expect "a call after the run" "('', <3.0>)" "$(call ExecuteScript '1+2')"

press "$main" shift+F9
refused=$(call ExecuteScript '1+2' || true)
case $refused in *"waits in the debugger"*) echo "ok: the second run waits" ;;
*) fail "the second run does not wait: $refused" ;; esac
press "$main" ctrl+q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "zentaro did not end while a run waited"
wait "$pid" && status=0 || status=$?
expect "quitting while a run waits" 0 "$status"
