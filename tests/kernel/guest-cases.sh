#!/bin/bash
# The kernel test's cases, run as root inside the virtual machine that
# scripts/kernel-test.sh boots: the machine's files read-only, /tmp and /run
# writable, /dev/uhid present, no udev daemon. One line per case.
build=$1 project=$2 groups=${3:-commands,failures,access,window}
want() { [[ ",$groups," == *",$1,"* ]]; }
ctl=$build/src/cli/gaming-mousectl
gui=$build/src/gui/gaming-mouse
virtual=$build/tools/virtual_mouse/gaming-mouse-virtual
T=/tmp/kt
mkdir -p $T/home $T/runtime $T/user-runtime
chmod 700 $T/runtime
export HOME=$T/home XDG_RUNTIME_DIR=$T/runtime XDG_CONFIG_HOME=$T/home/.config
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
echo
echo "# kernel $(uname -r), $(nproc) processors"

passed=0 failed=0
ok() { echo "ok $1"; passed=$((passed + 1)); }
bad() { echo "FAIL $1${2:+: $2}"; failed=$((failed + 1)); }
# check NAME CONDITION...: one case line from a condition's status.
check() { local name=$1; shift; if "$@"; then ok "$name"; else bad "$name" "${why:-}"; fi; why=""; }

# --- the virtual mouse --------------------------------------------------------
mouse_pid=""
hidraw_count() { ls /dev/hidraw* 2>/dev/null | wc -l; }
# start_mouse [OPTION...]: a fresh virtual mouse with its trace in $T/vtrace
# and its memory in $T/vmem (kept when it exists); waits for its nodes.
start_mouse() {
    stop_mouse
    local before devices
    before=$(hidraw_count)
    "$virtual" --trace $T/vtrace --state $T/vmem "$@" > $T/virtual.out 2> $T/virtual.err &
    mouse_pid=$!
    for _ in $(seq 100); do
        devices=$(sed -n 's/^created \([0-9]*\) devices$/\1/p' $T/virtual.out | head -1)
        [ -n "$devices" ] && [ "$(hidraw_count)" -ge $((before + devices)) ] && return 0
        sleep 0.1
    done
    echo "# the virtual mouse did not appear: $(cat $T/virtual.err)"
    return 1
}
stop_mouse() {
    [ -n "$mouse_pid" ] || return 0
    kill -TERM "$mouse_pid" 2>/dev/null
    wait "$mouse_pid" 2>/dev/null
    mouse_pid=""
    for _ in $(seq 50); do [ "$(hidraw_count)" -eq 0 ] && break; sleep 0.1; done
}
lines() { [ -f "$1" ] && wc -l < "$1" || echo 0; }
# The virtual mouse's trace from line $1 on.
trace_from() { tail -n +"$(($1 + 1))" $T/vtrace; }
# Waits until the virtual mouse saved its memory as $1 holds it.
memory_is() { for _ in $(seq 50); do cmp -s "$1" $T/vmem && return 0; sleep 0.1; done; return 1; }

# --- each command through the kernel and on the simulator ----------------------
# same_as_simulator NAME ARGS...: runs the command against the virtual mouse and
# against the simulator (memory in $T/smem), both from the same memory; the
# outputs, the virtual mouse's trace, the program's own trace and the memory
# afterwards must agree. An argument OUT names a file each run writes
# ($T/k.out and $T/s.out), which must agree too.
same_as_simulator() {
    local name=$1; shift
    local start status sstatus
    start=$(lines $T/vtrace)
    rm -f $T/k.out $T/s.out
    "$ctl" --trace $T/ktrace "${@/#OUT/$T/k.out}" > $T/kout 2> $T/kerr; status=$?
    trace_from "$start" > $T/vslice
    "$ctl" --simulate b58 --sim-state $T/smem --trace $T/strace "${@/#OUT/$T/s.out}" > $T/sout 2> $T/serr; sstatus=$?
    sed -i "s#$T/[ks]\.out#OUT#g" $T/kout $T/sout
    if [ $status -ne 0 ] || [ $sstatus -ne 0 ]; then
        why="exit $status (simulator $sstatus): $(head -c 300 $T/kerr)"
        bad "$name"
    elif ! cmp -s $T/kout $T/sout; then
        why="output differs from the simulator's"; bad "$name"
    elif [ ! -s $T/strace ] || ! cmp -s $T/vslice $T/strace; then
        why="the virtual mouse's trace ($(lines $T/vslice) reports) differs from the simulator's ($(lines $T/strace))"
        bad "$name"
    elif ! cmp -s $T/ktrace $T/strace; then
        why="the program's trace through the kernel differs from the simulator's"; bad "$name"
    elif [ -e $T/s.out ] && ! cmp -s $T/k.out $T/s.out; then
        why="the file written differs from the simulator's"; bad "$name"
    elif ! memory_is $T/smem; then
        why="the virtual mouse's memory differs from the simulator's"; bad "$name"
    else
        ok "$name ($(lines $T/strace) reports)"
    fi
}

if want commands; then
rm -f $T/vmem
"$ctl" --simulate b58 --sim-state $T/smem status > /dev/null 2>&1 # the default image's memory
cp $T/smem $T/vmem
start_mouse || { echo "0 passed, 1 failed"; exit 1; }
why="$("$ctl" status 2>&1)"
check "status through the kernel: $why" test "$why" = "connected family B layout 58 vendor 0x1209 product 0x0001"
same_as_simulator "status" status
same_as_simulator "read -o" read -o OUT
cp $T/k.out $T/k.bin
same_as_simulator "show --json" show --json
same_as_simulator "set dpi" set dpi 800,1600,3200 --current 1600
same_as_simulator "button" button main 5 back
same_as_simulator "write" write $T/k.bin
same_as_simulator "macro export" macro export 3 OUT
cp $T/k.out $T/macro3.bin
same_as_simulator "macro import" macro import 7 $T/macro3.bin
same_as_simulator "reset" reset
fi

# --- the rest on a family-A mouse, whose read-all takes 37 reports --------------
rm -f $T/vmem $T/amem
start_mouse --family a58 || bad "virtual family-A mouse"
"$ctl" --trace $T/atrace status > /dev/null 2>&1
first_tick=$(lines $T/atrace) # search, identification and read-all
stop_mouse

if want failures; then
# Pulled out in the middle of a read and of a write.
start_mouse --family a58 --unplug-after $((first_tick - 10))
"$ctl" read -o $T/lost.bin > /dev/null 2> $T/err; status=$?
why="exit $status: $(cat $T/err)"
check "unplugged during read -o: exit 1, the tool's message, no file" \
    eval '[ $status -eq 1 ] && grep -q "reading the mouse failed" $T/err && ! grep -q "settings shown" $T/err && [ ! -e $T/lost.bin ]'
[ -f $T/k.bin ] || "$ctl" --simulate a58 read -o $T/k.bin > /dev/null 2>&1
# As many reports as the whole write takes, reading first included; the
# mouse goes five before its end, in the write itself.
start_mouse --family a58
"$ctl" --trace $T/whole-write write $T/k.bin > /dev/null 2>&1
start_mouse --family a58 --unplug-after $(($(lines $T/whole-write) - 5))
"$ctl" write $T/k.bin > /dev/null 2> $T/err; status=$?
why="exit $status: $(cat $T/err)"
check "unplugged during write: exit 1, the tool's message" \
    eval '[ $status -eq 1 ] && grep -q "writing to the mouse failed" $T/err && ! grep -qi "press apply" $T/err && ! grep -q "1 reports" $T/err'

fi

if want access; then
# An ordinary user without access to one or both nodes.
start_mouse --family a58
nodes=($(ls /dev/hidraw* | sort -V))
as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$T/user-runtime XDG_RUNTIME_DIR=$T/user-runtime "$@"; }
chmod 777 $T/user-runtime
chmod 666 "${nodes[@]}"
why=$(as_user "$ctl" status 2> /dev/null)
check "ordinary user with access: $why" eval '[[ "$why" == connected* ]]'
chmod 000 "${nodes[1]}"
why=$(as_user "$ctl" status 2> /dev/null)
check "ordinary user, data node at mode 000: $why" test "$why" = "no access to ${nodes[1]}"
chmod 000 "${nodes[0]}"
why=$(as_user "$ctl" status 2> /dev/null)
check "ordinary user, both nodes at mode 000: $why" test "$why" = "no access to ${nodes[0]}, ${nodes[1]}"
as_user "$ctl" read -o $T/user-runtime/x.bin > /dev/null 2> $T/err; status=$?
why="exit $status: $(cat $T/err)"
check "read -o without access names both nodes" eval '[ $status -eq 1 ] && grep -q "${nodes[0]}, ${nodes[1]} cannot be opened" $T/err'
# The window says the same on its no-device page (its page logged on standard
# error): once with both nodes refused, once with the data node alone.
window_page() {
    mkdir -p -m 700 $T/user-gui && chown 65534:65534 $T/user-gui
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$T/user-gui XDG_RUNTIME_DIR=$T/user-gui \
        QT_LOGGING_RULES="gaming-mouse.device.info=true" "$gui" > $T/user-gui.out 2>&1 &
    local pid=$! line=""
    for _ in $(seq 120); do
        line=$(grep -o 'no-device page: .*' $T/user-gui.out | tail -1)
        [ -n "$line" ] && break
        sleep 0.5
    done
    kill -TERM $pid 2>/dev/null; wait $pid 2>/dev/null
    echo "$line"
}
why=$(window_page)
check "window, both nodes at mode 000: $why" \
    test "$why" = "no-device page: No access to ${nodes[0]}, ${nodes[1]} / $(sed -n 's/^"Str105=\(.*\)"\r*$/\1/p' "$project/tools/lang/lang1.txt")"
chmod 666 "${nodes[0]}"
why=$(window_page)
check "window, data node at mode 000: $why" eval '[[ "$why" == "no-device page: No access to ${nodes[1]} / "* ]]'
chmod 600 "${nodes[@]}"

# A second program while one holds the mouse.
stop_mouse
start_mouse --family b58
if [ ! -f $T/k.bin ]; then # the command cases did not run
    "$ctl" read -o $T/k.bin > /dev/null 2>&1
    start_mouse --family b58
fi
"$ctl" write $T/k.bin > /dev/null 2>&1 &
holder=$!
for _ in $(seq 100); do [ -s $T/vtrace ] && break; sleep 0.1; done
started=$(date +%s%N)
"$ctl" status > $T/out 2> $T/err; status=$?
waited=$((($(date +%s%N) - started) / 1000000))
wait $holder; holder_status=$?
why="exit $status after $waited ms: $(cat $T/out $T/err)"
check "a second program waits, then: another program is using the mouse ($waited ms)" \
    eval '[ $status -eq 1 ] && [ $waited -ge 2000 ] && grep -q "another program is using the mouse" $T/out $T/err && [ $holder_status -eq 0 ]'

# Two mice at once: the interfaces probed last serve.
start_mouse --family a58 --count 2
why=$("$ctl" --trace $T/two status 2>&1)
check "two mice: $why" eval '[[ "$why" == connected* ]] && tail -1 $T/two | grep -q "^get 3 " && ! grep -q "^[sg]et [01] 40 0" <(tail -n +9 $T/two)'

fi

if want window; then
# --- the window -----------------------------------------------------------------
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# wait_lines N SECONDS: until the virtual mouse's trace has N lines.
wait_lines() {
    local deadline=$(($(now_ms) + $2 * 1000))
    while [ "$(lines $T/vtrace)" -lt "$1" ]; do
        [ "$(now_ms)" -lt $deadline ] || return 1
        sleep 0.05
    done
}
byte_60ff() { od -An -tx1 -j $((0x60FF)) -N1 $T/vmem 2>/dev/null | tr -d ' '; }
# The window listens to the kernel's hidraw events where no udev daemon runs
# and to the daemon's where its control socket is; this one does not answer,
# so the window first runs on its timer alone.
mkdir -p /run/udev && touch /run/udev/control
Xvfb :7 -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X7 ] && break; sleep 0.1; done
stop_mouse
rm -f $T/vmem
"$ctl" --simulate a58 --sim-state $T/vmem status > /dev/null 2>&1
# A write-all always leaves this byte 0xFF; the mouse starts with 0.
printf '\x00' | dd of=$T/vmem bs=1 seek=$((0x60FF)) conv=notrunc status=none
# What the simulator is sent for the same search and read of the same memory.
cp $T/vmem $T/wmem
"$ctl" --simulate a58 --sim-state $T/wmem --trace $T/wtrace status > /dev/null 2>&1
# Pulled out and plugged in again right after the window's first read.
start_mouse --family a58 --replug-after "$first_tick"
started=$(now_ms)
DISPLAY=:7 QT_QPA_PLATFORM=xcb "$gui" > $T/gui.out 2>&1 &
gui_pid=$!
if wait_lines "$first_tick" 120; then
    read_at=$(now_ms)
    why="its first reports differ from the simulator's for the same search"
    head -n "$first_tick" $T/vtrace > $T/window-first
    check "window: found and read on its first tick ($((read_at - started)) ms after start)" \
        cmp -s $T/window-first $T/wtrace
    if wait_lines $((first_tick + 1)) 30; then
        replugged_at=$(now_ms)
        wait_lines $((2 * first_tick)) 30
        why="$(lines $T/vtrace) reports"
        tail -n +"$((first_tick + 1))" $T/vtrace > $T/window-second
        check "window: re-plugged between two ticks, found and read again ($((replugged_at - read_at)) ms from re-plug to the search)" \
            cmp -s $T/window-second $T/wtrace
    else
        bad "window: re-plugged between two ticks, found and read again" "no search within 30 s"
    fi
    x=$(sed -n 's/^Btn_A2_X=//p' "$project/resources/layout/ORG1" | tr -d '\r')
    y=$(sed -n 's/^Btn_A2_Y=//p' "$project/resources/layout/ORG1" | tr -d '\r')
    window=$(DISPLAY=:7 timeout 60 xdotool search --sync --onlyvisible --name '^Gaming Mouse v1.0$' | head -1)
    for attempt in 1 2 3 4; do
        DISPLAY=:7 xdotool mousemove --window "$window" $((x + 33)) $((y + 15)) click 1
        for _ in $(seq 100); do [ "$(byte_60ff)" = ff ] && break; sleep 0.2; done
        [ "$(byte_60ff)" = ff ] && break
        DISPLAY=:7 xdotool key Return # a message box from a click too early
    done
    why="byte 0x60FF is $(byte_60ff)"
    check "window: Apply clicked with xdotool reaches the mouse's memory" test "$(byte_60ff)" = ff
else
    bad "window: found and read on its first tick" "no read within 120 s: $(tail -c 300 $T/gui.out)"
fi
kill -TERM $gui_pid 2>/dev/null; wait $gui_pid 2>/dev/null

# With the kernel's events: plugged in while the window runs, the mouse is
# searched at once (after the two seconds every search waits).
rm -f /run/udev/control
stop_mouse
cp $T/wmem $T/vmem
DISPLAY=:7 QT_QPA_PLATFORM=xcb "$gui" > $T/gui.out 2>&1 &
gui_pid=$!
window=$(DISPLAY=:7 timeout 60 xdotool search --sync --onlyvisible --name '^Gaming Mouse v1.0$' | head -1)
sleep 4 # past the first tick, which found nothing
start_mouse --family a58
plugged_at=$(now_ms)
if wait_lines 1 30; then
    searched_at=$(now_ms)
    wait_lines "$first_tick" 30
    head -n "$first_tick" $T/vtrace > $T/window-plugged
    check "window with hidraw events: plugged in, searched after $((searched_at - plugged_at)) ms and read" \
        cmp -s $T/window-plugged $T/wtrace
else
    bad "window with hidraw events: plugged in, searched and read" "no search within 30 s"
fi

# Pulled out during the window's read and during its write: it says so in a
# message box (a second window on the screen, titled in the window's
# language) and writes nothing.
windows() { DISPLAY=:7 xdotool search --onlyvisible --name . 2>/dev/null | wc -l; }
wait_box() { for _ in $(seq 150); do [ "$(windows)" -ge 2 ] && return 0; sleep 0.2; done; return 1; }
stop_mouse
cp $T/wmem $T/vmem
start_mouse --family a58 --unplug-after $((first_tick - 10))
why="no message box within 30 s"
check "window: unplugged during its read, it shows the failure" wait_box
DISPLAY=:7 xdotool key Return
stop_mouse
cp $T/wmem $T/vmem
start_mouse --family a58 --unplug-after $((first_tick + 12))
wait_lines "$first_tick" 30
sleep 1
DISPLAY=:7 xdotool mousemove --window "$window" $((x + 33)) $((y + 15)) click 1
why="no message box within 30 s, or byte 0x60FF is $(byte_60ff)"
check "window: unplugged during Apply, it shows the failure" eval 'wait_box && [ "$(byte_60ff)" = 00 ]'
DISPLAY=:7 xdotool key Return
kill -TERM $gui_pid 2>/dev/null; wait $gui_pid 2>/dev/null

# Two mice at once: the window searches and reads as the command-line tool
# does (the interfaces visited last serve) and keeps running.
stop_mouse
cp $T/wmem $T/vmem
start_mouse --family a58 --count 2
"$ctl" status > /dev/null 2>&1
cp $T/vtrace $T/two-by-tool
stop_mouse
cp $T/wmem $T/vmem
start_mouse --family a58 --count 2
DISPLAY=:7 QT_QPA_PLATFORM=xcb "$gui" > $T/gui.out 2>&1 &
gui_pid=$!
wait_lines "$(lines $T/two-by-tool)" 60
sleep 1
head -n "$(lines $T/two-by-tool)" $T/vtrace > $T/two-by-window
why="$(lines $T/vtrace) reports, $(diff $T/two-by-tool $T/two-by-window | head -3 | tr '\n' ' ')"
check "window with two mice: searched and read as the tool does ($(lines $T/two-by-tool) reports), still running" \
    eval 'cmp -s $T/two-by-tool $T/two-by-window && kill -0 $gui_pid'
kill -TERM $gui_pid 2>/dev/null; wait $gui_pid 2>/dev/null
kill -TERM $xvfb 2>/dev/null; wait $xvfb 2>/dev/null
fi

stop_mouse
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
