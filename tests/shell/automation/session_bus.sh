# Helpers of the end-to-end tests that drive the real zentaro on a private session bus; sourced.

fail() { echo "FAILED: $*" >&2; exit 1; }
expect() { # expect NAME EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
    echo "ok: $1"
}
call() { # call METHOD [ARG...]: a method of the shared automation object, with its answer
    gdbus call --session -d com.velmark.Zentaro -o /com/velmark/Zentaro/Application \
        -m "com.velmark.Zentaro.Application1.$1" "${@:2}" 2>&1
}
wait_for_service() { # wait_for_service PID LOG: until zentaro (PID, writing LOG) owns its name
    # Up to 30 s: a start on a loaded machine takes many times its usual second.
    for _ in $(seq 300); do
        gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
            -m org.freedesktop.DBus.NameHasOwner com.velmark.Zentaro 2>/dev/null |
            grep -q true && return
        kill -0 "$1" 2>/dev/null || fail "zentaro ended: $(cat "$2")"
        sleep 0.1
    done
    fail "zentaro did not offer its service"
}
