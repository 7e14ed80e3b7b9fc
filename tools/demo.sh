#!/bin/sh
# A short scripted session of the plug-in in boxsim on a fresh copy of the
# demo box, with a readable transcript of what it showed.
#   tools/demo.sh BUILD_DIR [KEYS]
set -eu

build=${1:-build}
keys=${2:-"down ok ok exit exit ok"}
src=$(cd "$(dirname "$0")/.." && pwd)
case $build in /*) ;; *) build=$src/$build ;; esac
boxsim=$build/boxsim/boxsim
[ -x "$boxsim" ] || boxsim=$build/boxsim
if [ ! -x "$boxsim" ]; then
    echo "demo: no boxsim in $build (build it first: make build)" >&2
    exit 1
fi

box=${TMPDIR:-/tmp}/udovor-demo-${USER:-$(id -u)}
rm -rf "$box"
mkdir -p "$box"
cp -R "$src/demo/box/." "$box/"

# Monday 4 March 2024, 21:00 at the provider (UTC+1): inside the demo week.
clock=1709582400

trace=$box/trace.jsonl
echo "Demo box: $box"
echo "Keys: $keys"
echo
status=0
"$boxsim" --root "$box" --clock "$clock" --keys "$keys" --trace "$trace" >"$box/console.txt" 2>&1 || status=$?

# One line per event; flat JSON objects, so a field is found by its name.
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
        if (c == "\\") { s++; c = substr(rest, s, 1); if (c == "n") c = " / "; out = out c; continue }
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
}' "$trace"

echo
echo "Console of the plug-in:"
sed 's/^/  | /' "$box/console.txt"
echo
echo "boxsim exit status: $status (trace in $trace)"
exit "$status"
