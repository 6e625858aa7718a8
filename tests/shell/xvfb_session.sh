# The shared set-up of the end-to-end scripts that drive the real zentaro on a virtual display:
# scratch settings folders under $work, the private session bus's helpers, and waits on windows
# and processes. Sourced after `work` is set.
# The windows go to the virtual display, also when the tests around run offscreen.
export QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    ZENTARO_REGISTRY_FILE="$work/registry.reg"

source "$(dirname "${BASH_SOURCE[0]}")/automation/session_bus.sh"
window() { # window TITLE: the id of the shown window with that title, waiting for it
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no window \"$1\""
}
ends() { # ends PID: waits up to 30 s for the process to end
    for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}
