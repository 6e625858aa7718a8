#!/usr/bin/env bash
# End to end: the real zentaro on a private session bus, driven by gdbus alone, as a user would
# from another terminal. Run under dbus-run-session. Arguments: the zentaro executable.
set -euo pipefail
zentaro=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/data" ZENTARO_REGISTRY_FILE="$work/registry.reg"

source "$(dirname "$0")/session_bus.sh"

# Registration writes and removes the activation file, without a window.
"$zentaro" --regserver > "$work/out" || fail "--regserver failed: $(cat "$work/out")"
grep -q "^Exec=.*zentaro$" "$work/data/dbus-1/services/com.velmark.Zentaro.service" ||
    fail "activation file not written"
"$zentaro" --unregserver > /dev/null || fail "--unregserver failed"
[ ! -e "$work/data/dbus-1/services/com.velmark.Zentaro.service" ] || fail "activation file left"
echo "ok: --regserver and --unregserver"

"$zentaro" > "$work/zentaro.log" 2>&1 &
pid=$!
wait_for_service "$pid" "$work/zentaro.log"

# With an instance running, registration still acts on the activation file alone and says what
# it did; a second instance names why it has no service.
service_file="$work/data/dbus-1/services/com.velmark.Zentaro.service"
expect "--regserver beside a running instance" "zentaro: wrote $service_file" \
    "$("$zentaro" --regserver 2>/dev/null)"
expect "--unregserver beside a running instance" "zentaro: removed $service_file" \
    "$("$zentaro" --unregserver 2>/dev/null)"
expect "a second --unregserver" "zentaro: nothing to remove: $service_file does not exist" \
    "$("$zentaro" --unregserver 2>/dev/null)"
# The second instance keeps running without the service: its log is read until the reason shows
# (up to 30 s on a loaded machine), then it is ended.
timeout 30 "$zentaro" > "$work/second.log" 2>&1 &
second=$!
for _ in $(seq 300); do
    grep -q "could not be taken: another process owns it" "$work/second.log" && break
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
done
kill "$second" 2>/dev/null || true
wait "$second" || true
grep -q "could not be taken: another process owns it" "$work/second.log" ||
    fail "a second instance gave no reason: $(cat "$work/second.log")"

expect "ExecuteScript" "('', <3.0>)" "$(call ExecuteScript '1+2')"
expect "ExecuteScript text" "('abc', <0.0>)" "$(call ExecuteScript '[abc]')"
expect "ExecuteScriptText" "(<'abc'>,)" "$(call ExecuteScriptText 'Concat([a],[bc])')"
expect "OpenModel of a missing file" "(<-1>,)" "$(call OpenModel "$work/missing.vex")"
expect "a script error is no failure" "('', <0.0>)" "$(call ExecuteScript 'Nope(1)')"

# A model built, saved, replaced by a new one and opened again, through the shared object alone.
model="$work/bank.vex"
expect "build a model" "(<'Queue'>,)" "$(call ExecuteScriptText \
    "Do(UpdateModelName([$model]),SetName(CreateAtom(model,[Teller]),[Queue]),Name(Child(model,1)))")"
expect "SaveModel" "()" "$(call SaveModel)"
grep -q "LoadAtom(1,0,\[Queue\]" "$model" || fail "the saved model lacks its atom: $(cat "$model")"
expect "NewModel" "()" "$(call NewModel)"
expect "the new model is empty" "('', <0.0>)" "$(call ExecuteScript 'ChildCount(model)')"
expect "OpenModel" "(<1.0>,)" "$(call OpenModel "$model" | sed 's/<[0-9.]*>/<1.0>/')"
expect "the opened model has its atom" "(<'Queue'>,)" \
    "$(call ExecuteScriptText 'Name(Child(model,1))')"
kill -0 "$pid" || fail "zentaro ended during the calls"
echo "all passed"
