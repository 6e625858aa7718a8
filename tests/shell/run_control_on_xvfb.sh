#!/usr/bin/env bash
# End to end: the real zentaro on a virtual display and a private session bus, with debugging off
# and its keys pressed by xdotool as a person presses them. An endless script: while it runs the
# window keeps answering (an automation call is refused because a run goes); Ctrl+Break, pressed
# where no window of zentaro takes keys, asks whether to stop it and Yes ends it before its next
# statement; Script > Stop ends it without a question. Presses while nothing runs stop nothing
# later. A long model run changes the screen (its progress in the status bar). Quitting during a
# run asks, stops the run and ends the application.
# Run under xvfb-run and dbus-run-session. Arguments: the zentaro executable.
set -euo pipefail
zentaro=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/xvfb_session.sh"
# What a key causes shows a moment later, later still on a loaded machine: asked again until it
# shows, for up to 30 s.
answer_becomes() { # answer_becomes NAME SCRIPT PATTERN: the answer to SCRIPT until it matches
    for _ in $(seq 150); do
        answer=$(call ExecuteScript "$2" || true)
        # shellcheck disable=SC2254
        case $answer in $3) echo "ok: $1"; return ;; esac
        sleep 0.2
    done
    fail "$1: got '$answer'"
}
running() { answer_becomes "$1" '1+2' '*run is going on*'; }
press() { # press TITLE KEY...: keys to the window of that title
    xdotool windowfocus --sync "$(window "$1")"
    shift
    xdotool key --delay 100 "$@"
}

start() { # start FILE: zentaro with the script FILE, once it offers its service
    "$zentaro" "$1" > "$work/zentaro.log" 2>&1 &
    pid=$!
    wait_for_service "$pid" "$work/zentaro.log"
}
finish() { kill "$pid"; wait "$pid" || true; }
warning() { # warning: waits for the question box of a break request
    for _ in $(seq 10); do
        xdotool search --onlyvisible --name '^Debugger$' > /dev/null 2>&1 && return
        xdotool key ctrl+Pause
        sleep 1
    done
    fail "Ctrl+Break asked nothing"
}

printf 'DeclareGlobal([n],0)\nWhile(1,n:=n+1)\nn:=-1\n' > "$work/loop.vex"
start "$work/loop.vex"
main="loop.vex - Zentaro"
press "$main" F9
running "the window answers during an endless run"
# The key is grabbed on the root window: pressed with the focus anywhere.
warning
press "Debugger" alt+y
answer_becomes "Ctrl+Break with debugging off ends the run before its next statement" \
    'n>0' "('', <1.0>)"

press "$main" F9
running "the second run goes"
press "$main" alt+s t
answer_becomes "Script > Stop ends the run" 'n>0' "('', <1.0>)"

finish

# Presses while nothing runs (the watcher lingers a moment after a run): the next run asks
# nothing and runs to its end.
printf 'k:=k+1\nn:=0\nWhile(n<300000,n:=n+1)\n' > "$work/count.vex"
start "$work/count.vex"
expect "globals for the counting script" "('', <0.0>)" \
    "$(call ExecuteScript 'Do(DeclareGlobal([k],0),DeclareGlobal([n],0),0)')"
press "count.vex - Zentaro" F9
answer_becomes "the counting script ran" 'k' "('', <1.0>)"
xdotool key ctrl+Pause ctrl+Pause ctrl+Pause
sleep 0.3
press "count.vex - Zentaro" F9
answer_becomes "stale presses stop nothing later" 'k*1000000+n' "('', <2300000.0>)"
if xdotool search --onlyvisible --name '^Debugger$' > /dev/null 2>&1; then
    fail "a stale press asked a question"
fi
finish

# A long model run: its progress in the status bar changes the screen.
printf '%s\n' 'DeclareGlobal([ticker],0)' 'ticker:=CreateAtom(model,[Ticker])' \
    'SetHandler(ticker,[OnEvent],[CreateEvent(1,c)])' 'CreateEvent(0,ticker)' \
    'RunModel(1000000000)' \
    > "$work/model.vex"
start "$work/model.vex"
id=$(window "model.vex - Zentaro")
press "model.vex - Zentaro" F9
running "the model runs"
import -window "$id" "$work/first.png"
sleep 1
import -window "$id" "$work/second.png"
cmp -s "$work/first.png" "$work/second.png" && fail "the screen did not change during the model run"
echo "ok: the screen changes during a long model run"

# Quitting asks whether to stop the run, then whether to discard the model: Yes to both.
press "model.vex - Zentaro" ctrl+q
for _ in $(seq 60); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
    xdotool key alt+y
done
ends "$pid" || fail "zentaro did not end after stopping the run to quit"
wait "$pid" && status=0 || status=$?
expect "quitting during a run" 0 "$status"
