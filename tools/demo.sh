#!/bin/sh
# The demo: a fresh box root with a guide captured from a simulated
# broadcast, then the plug-in in boxsim on this terminal.
#   tools/demo.sh BUILD_DIR              on a terminal: the interactive session;
#                                        otherwise a short scripted one, with its transcript
#   tools/demo.sh BUILD_DIR --keys KEYS  a scripted session with these keys, with its transcript
# The box root is ${UDOVOR_DEMO_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/udovor-demo}. It is
# made afresh on a new day; within a day the guide, timers and settings are
# kept and only the broadcast is made again for the current time.
set -eu

build=${1:-build}
[ $# -gt 0 ] && shift
keys=""
if [ "${1:-}" = "--keys" ]; then
    keys=${2:-}
    [ -n "$keys" ] || { echo "demo: --keys wants the keys" >&2; exit 2; }
fi
src=$(cd "$(dirname "$0")/.." && pwd)
case $build in /*) ;; *) build=$src/$build ;; esac
boxsim=$build/boxsim/boxsim
streamgen=$build/tools/udovor-streamgen
for p in "$boxsim" "$streamgen"; do
    if [ ! -x "$p" ]; then
        echo "demo: no $p (build first: make build)" >&2
        exit 1
    fi
done

if [ -n "${UDOVOR_DEMO_ROOT:-}" ]; then
    box=$UDOVOR_DEMO_ROOT
else
    box=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/udovor-demo
fi
case $box in /*) ;; *) box=$(pwd)/$box ;; esac
case $box/ in "$src"/*)
    echo "demo: the box root $box lies inside the source tree; set UDOVOR_DEMO_ROOT elsewhere" >&2
    exit 2 ;;
esac

now=$(date +%s)
today=$(date +%Y-%m-%d)
stamp=$box/.udovor-demo-day

# The broadcast for now: the guide of a day does not change, only its clock.
make_stream() {
    mkdir -p "$box/dev/dvb/card0"
    "$streamgen" --demo --time "$now" -o "$box/dev/dvb/card0/demux0" >/dev/null
}

make_box() {
    echo "demo: making a fresh box root in $box"
    rm -rf "$box"
    mkdir -p "$box/hdd" "$box/var/korvadel" "$box/var/tuxbox/config/enigma"
    make_stream
    cp "$src/demo/live/services" "$box/var/tuxbox/config/enigma/services"
    : >"$box/var/tuxbox/config/enigma/timer.epl"
    cp "$src/examples/tivumo.conf.example" "$box/var/korvadel/tivumo.conf"
    cp "$src/examples/tivumo_lang.conf.example" "$box/var/korvadel/tivumo_lang.conf"
    # The plug-in captures the guide itself: Utils, Download EPG, Go!, and
    # the keys running out close every window.
    if ! "$boxsim" --root "$box" --clock "$now" --keys "blue red green" \
            --trace "$box/capture.jsonl" >"$box/capture-console.txt" 2>&1 \
        || ! grep -q '^C ' "$box/hdd/epg.dat" 2>/dev/null; then
        echo "demo: the capture of the guide failed; its console:" >&2
        sed 's/^/  | /' "$box/capture-console.txt" >&2
        exit 1
    fi
    echo "demo: guide captured: $(grep -c '^C ' "$box/hdd/epg.dat") channels, $(grep -c '^E ' "$box/hdd/epg.dat") events"
    echo "$today" >"$stamp"
}

if [ "$(cat "$stamp" 2>/dev/null || true)" = "$today" ] && [ -s "$box/hdd/epg.dat" ]; then
    make_stream
else
    make_box
fi

# A readable transcript of a trace: one line per event (the trace's objects
# are flat, so a field is found by its name).
transcript() {
    awk '
function field(name,    i, s, c, out, rest) {
    i = index($0, "\"" name "\":")
    if (i == 0) return ""
    rest = substr($0, i + length(name) + 3)
    if (substr(rest, 1, 1) != "\"") {
        c = match(rest, /[,}]/)
        return substr(rest, 1, c - 1)
    }
    out = ""
    for (s = 2; s <= length(rest); s++) {
        c = substr(rest, s, 1)
        if (c == "\\") { s++; c = substr(rest, s, 1); if (c == "n") c = " / "; else if (c == "t") c = " "; out = out c; continue }
        if (c == "\"") break
        out = out c
    }
    return out
}
{
    ev = field("ev"); win = field("win")
    if (ev == "key")          printf "key %s%s\n", field("key"), (field("auto") == "true" ? " (automatic)" : "")
    else if (ev == "show")    printf "  [%s] window \"%s\" at %s,%s size %sx%s\n", win, field("title"), field("x"), field("y"), field("w"), field("h")
    else if (ev == "widget")  printf "  [%s]   %s \"%s\"%s\n", win, field("type"), field("text"), (field("colour") == "null" ? "" : " (" field("colour") ")")
    else if (ev == "entry")   printf "  [%s]   entry \"%s\" (key %s)\n", win, field("text"), field("key")
    else if (ev == "current") printf "  [%s]   cursor on \"%s\"\n", win, field("text")
    else if (ev == "title")   printf "  [%s] title \"%s\"\n", win, field("title")
    else if (ev == "text")    printf "  [%s] label \"%s\"\n", win, field("text")
    else if (ev == "box")     printf "  [%s] box \"%s\": %s\n", win, field("caption"), field("text")
    else if (ev == "exec")    printf "  [%s] runs\n", win
    else if (ev == "close")   printf "  [%s] closed with %s\n", win, field("result")
    else if (ev == "hide")    printf "  [%s] hidden\n", win
    else if (ev == "http")    printf "web interface received: %s\n", field("request")
    else if (ev == "return")  printf "plugin_exec returned %s\n", field("value")
    else                      print
}' "$1"
}

if [ -z "$keys" ] && [ -t 0 ] && [ -t 1 ]; then
    echo "demo: box root $box; starting the plug-in (Esc leaves each window)"
    status=0
    "$boxsim" --root "$box" || status=$?
    echo "demo: boxsim ended with status $status; the box root stays in $box"
    exit "$status"
fi

# No terminal (or keys given): a short scripted session, never waiting for
# a key. The channel list, the first channel's programmes, an event's
# details, then out.
[ -n "$keys" ] || keys="ok down ok exit exit exit ok"
trace=$box/session.jsonl
echo "Demo box: $box"
echo "Keys: $keys"
echo
status=0
"$boxsim" --root "$box" --keys "$keys" --trace "$trace" >"$box/session-console.txt" 2>&1 || status=$?
transcript "$trace"
echo
echo "Console of the plug-in:"
sed 's/^/  | /' "$box/session-console.txt"
echo
echo "boxsim exit status: $status (trace in $trace)"
exit "$status"
