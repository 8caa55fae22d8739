#!/bin/sh
# The built package, unpacked into a scratch root, started from a folder that holds nothing of
# the program's by two users at once (two fresh homes): each shows its main window and no error
# box and writes today's history page into its own cache; a second copy of one user hands its
# text to the running copy and ends at once, without an error.
# Run on an X server of its own (support/with-xvfb). Usage: tst_package.sh <build folder>
build=$(cd "$1" && pwd) || exit 1
deb=$(ls "$build"/mingchuan_*.deb 2>/dev/null | head -n 1)
if [ -z "$deb" ]; then
    echo "no package in $build: make package builds it"
    exit 77
fi
mkdir -p "$build/tests/runs" || exit 1
work=$(mktemp -d "$build/tests/runs/package.XXXXXX") || exit 1
pids=
finish() {
    for pid in $pids; do kill "$pid" 2>/dev/null; done
    for pid in $pids; do wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap 'finish; exit 1' INT TERM
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# True while the process runs (a process that has ended but not been waited for is not running).
alive() {
    state=$(sed -n 's/^State:[[:space:]]*\(.\).*/\1/p' "/proc/$1/status" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

# await <pid> <condition>: waits up to three minutes (a loaded machine, the full stores) for the
# condition to hold while the program runs; gives up at once, saying so, when it has ended.
await() {
    tries=0
    until eval "$2"; do
        if ! alive "$1"; then
            echo "the program (process $1) ended while waiting for: $2"
            return 1
        fi
        tries=$((tries + 1))
        [ $tries -gt 1800 ] && return 1
        sleep 0.1
    done
}

# Each program's output, for a failure.
logs() {
    for log in "$work"/log*; do
        echo "--- $log"
        tail -n 40 "$log"
    done
}

# The titles of the visible top-level windows of a process, one a line.
titles() {
    for id in $(xdotool search --onlyvisible --pid "$1" --name '' 2>/dev/null); do
        xdotool getwindowname "$id" 2>/dev/null
    done
}

root=$work/root
dpkg -x "$deb" "$root" || { finish; exit 1; }
desktop-file-validate --no-hints "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net --no-color "$root"/usr/share/metainfo/*.metainfo.xml >"$work/appstream" ||
    { cat "$work/appstream"; fail "metainfo"; }
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian finds errors in $deb"
mkdir -p "$work/elsewhere"

# start <user>: the installed program in a home of its own, from the unrelated folder.
start() {
    home=$work/home$1
    mkdir -p "$home/.config/speech-dispatcher" "$home/run"
    chmod 700 "$home/run"
    echo 'AudioOutputMethod "libao"' >"$home/.config/speech-dispatcher/speechd.conf"
    echo 'default_driver=null' >"$home/.libao"
    env -C "$work/elsewhere" -u XDG_CACHE_HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" \
        XDG_RUNTIME_DIR="$home/run" "$root/usr/bin/mingchuan" >>"$work/log$1" 2>&1 &
    last=$!
    pids="$pids $last"
}

main_title='明川字典词典 Z2020 build 01.01'
start 1
first=$last
start 2
second=$last
for user in 1 2; do
    eval pid=\$$([ $user = 1 ] && echo first || echo second)
    await $pid "titles $pid | grep -qxF '$main_title'" || fail "user $user: no main window"
    await $pid "[ -s '$work/home$user/.cache/mingchuan/lsjt.dat' ]" || fail "user $user: no lsjt.dat in the cache"
    others=$(titles "$pid" | grep -vxF "$main_title")
    [ -z "$others" ] || fail "user $user: other windows: $others"
done
[ -z "$(ls "$root/usr/bin" | grep -vx mingchuan)" ] || fail "files written beside the installed program"

# The same user once more: the running copy takes the text over, this one ends at once.
env -C "$work/elsewhere" -u XDG_CACHE_HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work/home1" \
    XDG_RUNTIME_DIR="$work/home1/run" timeout 60 "$root/usr/bin/mingchuan" 水 >>"$work/log3" 2>&1 ||
    fail "a second copy of one user did not hand over and end"
await $first "titles $first | grep -qxF '快速查询'" || fail "the running copy did not open the quick lookup"
others=$(titles "$first" | grep -vxF "$main_title" | grep -vxF '快速查询')
[ -z "$others" ] || fail "user 1: other windows after the hand-over: $others"
[ $failures -eq 0 ] || logs
finish
[ $failures -eq 0 ] || exit 1
echo PASS
