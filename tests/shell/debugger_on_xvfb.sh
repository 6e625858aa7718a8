#!/usr/bin/env bash
# End to end: the real zentaro on a virtual display and a private session bus, its keys pressed
# by xdotool as a person presses them. Script > Debug (Shift+F9) pauses the script in the
# debugger window; while it waits, automation calls are refused; F7 and F5 step and run it to its
# end; quitting (Ctrl+Q) while a run waits ends the application. Then an endless script:
# Ctrl+Break, pressed where no window of zentaro takes keys, pauses it while the person's runs are
# debugged, and otherwise asks whether to debug it: No ends it, Yes pauses it. Run under xvfb-run and dbus-run-session.
# Arguments: the zentaro executable.
set -euo pipefail
zentaro=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/xvfb_session.sh"
# The keys reach zentaro through the X server and its event loop a moment after xdotool returns,
# later still on a loaded machine: what they cause is asked for again until it shows, for up to
# 30 s, rather than once after a fixed pause.
answer_becomes() { # answer_becomes NAME PATTERN: a call's answer until it matches the glob PATTERN
    for _ in $(seq 150); do
        answer=$(call ExecuteScript '1+2' || true)
        # shellcheck disable=SC2254
        case $answer in $2) echo "ok: $1"; return ;; esac
        sleep 0.2
    done
    fail "$1: got '$answer'"
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
answer_becomes "a call after the run" "('', <3.0>)"

press "$main" shift+F9
answer_becomes "the second run waits" "*waits in the debugger*"
press "$main" ctrl+q
ends "$pid" || fail "zentaro did not end while a run waited"
wait "$pid" && status=0 || status=$?
expect "quitting while a run waits" 0 "$status"

# The person debugs an endless script and lets it run (F5); Ctrl+Break pauses it in the
# debugger without a question, since the person's runs are debugged then.
printf 'Do(DeclareGlobal([n],0),While(1,n:=n+1))\n' > "$work/loop.vex"
"$zentaro" "$work/loop.vex" > "$work/zentaro.log" 2>&1 &
pid=$!
wait_for_service "$pid" "$work/zentaro.log"
loop="loop.vex - Zentaro"
break_key() { # presses Ctrl+Break with the focus on the root window, while the script runs
    sleep 0.5
    xdotool key ctrl+Pause
    sleep 0.5
}
expect_waiting() { # expect_waiting NAME: the script waits in the debugger
    answer_becomes "$1" "*waits in the debugger*"
}
press "$loop" shift+F9
press "$debugger" F5
break_key
expect_waiting "Ctrl+Break pauses the debugged endless script"

# User events unticked (Alt+U), the run goes on (F5) and is no longer debugged: Ctrl+Break
# asks whether to debug it, and No ends it.
press "$debugger" alt+u F5
break_key
press "Debugger" n
answer_becomes "a call after No ended the script" "('', <3.0>)"

# Script > Run (F9) runs it again without debugging it; Yes to the question pauses it.
press "$loop" F9
break_key
press "Debugger" y
expect_waiting "Yes steps into the endless script"
press "$loop" ctrl+q
ends "$pid" || fail "zentaro did not end while the paused script waited"
wait "$pid" && status=0 || status=$?
expect "quitting while the paused script waits" 0 "$status"
