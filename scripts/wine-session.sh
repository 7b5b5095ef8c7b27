# shellcheck shell=bash
# Sourced by scripts/run and tests/e2e/run: a virtual display and private Wine
# prefixes for running the Windows build on Linux.

# No Mono or Gecko installer prompts, no debug chatter, 64-bit prefixes; no
# menu entries on the Linux desktop for the shortcuts an installer makes.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64

XVFB_PID=""

# Starts Xvfb on the first free display from $1 on (1920x1080, 24 bits, no
# window manager) and exports DISPLAY. Output goes to the log file $2.
start_xvfb() {
    local number="$1" log="$2" tries
    for ((tries = 0; tries < 20; tries++, number++)); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp >"$log" 2>&1 &
        XVFB_PID=$!
        local waited
        for ((waited = 0; waited < 100; waited++)); do
            if ! kill -0 "$XVFB_PID" 2>/dev/null; then
                break  # lost the display to another server: try the next one
            fi
            if xdpyinfo -display ":$number" >/dev/null 2>&1; then
                export DISPLAY=":$number"
                start_window_manager "$log"
                return 0
            fi
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    done
    echo "cannot start Xvfb (see $log)" >&2
    return 1
}

# A window manager, as every desktop has: Wine hands the maximizing of a
# window with a taskbar button to it, and without one the X window would keep
# its size while Windows reports it maximized.
start_window_manager() {
    openbox --sm-disable >>"$1" 2>&1 &
    WM_PID=$!
    sleep 0.5
}

stop_xvfb() {
    if [[ -n "${WM_PID:-}" ]]; then
        kill "$WM_PID" 2>/dev/null
        wait "$WM_PID" 2>/dev/null
        WM_PID=""
    fi
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    fi
}

MONITORS_PID=""
MONITORS_WM_PID=""
MONITORS_DISPLAY=""

# Two monitors side by side, which Xvfb cannot give Wine (its heads all stand
# at 0, 0): Xorg on the dummy video driver, with the configuration $2, on the
# first free display from $1 on, its output into the log file $3; a window
# manager on it. The primary monitor DUMMY0 is 1920 x 1080; DUMMY1, 1280 x 720,
# is switched on right of it by plug_second_monitor. Sets MONITORS_DISPLAY and
# leaves DISPLAY as it was.
start_dummy_monitors() {
    local number="$1" config="$2" log="$3" tries waited
    for ((tries = 0; tries < 20; tries++, number++)); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xorg ":$number" -config "$config" -noreset -nolisten tcp -novtswitch -sharevts -logfile "$log.server" \
            >"$log" 2>&1 &
        MONITORS_PID=$!
        for ((waited = 0; waited < 100; waited++)); do
            kill -0 "$MONITORS_PID" 2>/dev/null || break
            if xdpyinfo -display ":$number" >/dev/null 2>&1; then
                MONITORS_DISPLAY=":$number"
                DISPLAY="$MONITORS_DISPLAY" xrandr --addmode DUMMY1 1280x720 >>"$log" 2>&1 &&
                    plug_second_monitor >>"$log" 2>&1 || break
                DISPLAY="$MONITORS_DISPLAY" openbox --sm-disable >>"$log" 2>&1 &
                MONITORS_WM_PID=$!
                return 0
            fi
            sleep 0.1
        done
        stop_dummy_monitors
    done
    echo "cannot start Xorg with two dummy monitors (see $log)" >&2
    return 1
}

# Wine reads the layout the server last probed; a query probes it anew.
plug_second_monitor() {
    DISPLAY="$MONITORS_DISPLAY" xrandr --output DUMMY1 --mode 1280x720 --right-of DUMMY0 &&
        DISPLAY="$MONITORS_DISPLAY" xrandr --query >/dev/null
}

stop_dummy_monitors() {
    local pid
    for pid in "$MONITORS_WM_PID" "$MONITORS_PID"; do
        [[ -n "$pid" ]] || continue
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    MONITORS_WM_PID=""
    MONITORS_PID=""
    MONITORS_DISPLAY=""
}

# The faces the program and Wine's own controls draw with. A fresh prefix has
# none of them, and Wine stands in whichever font of the system it likes best,
# since the CJK fonts are installed one without Czech letters: each face is
# drawn with Liberation Sans instead, which measures as Arial does. Windows
# draws the Chinese and Japanese characters a face lacks with the fonts its
# registry links behind it; a fresh prefix links fonts that are not there, so
# each face, and the font drawn for it, gets Debian's Noto CJK.
DRAWN_FACES=(Tahoma "MS Shell Dlg" "MS Shell Dlg 2" Arial "Segoe UI" "Microsoft Sans Serif")
CJK_LINK='NotoSansCJK-Regular.ttc,Noto Sans CJK JP\0NotoSansCJK-Regular.ttc,Noto Sans CJK SC'
CJK_BOLD_LINK='NotoSansCJK-Bold.ttc,Noto Sans CJK JP\0NotoSansCJK-Bold.ttc,Noto Sans CJK SC'

set_up_fonts() {
    local replacements='HKCU\Software\Wine\Fonts\Replacements'
    local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
    for face in "${DRAWN_FACES[@]}"; do
        WINEPREFIX="$1" wine reg add "$replacements" /v "$face" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1 ||
            return 1
    done
    for face in "${DRAWN_FACES[@]}" "Liberation Sans"; do
        WINEPREFIX="$1" wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d "$CJK_LINK" /f >/dev/null 2>&1 &&
            WINEPREFIX="$1" wine reg add "$links" /v "$face Bold" /t REG_MULTI_SZ /d "$CJK_BOLD_LINK" /f \
                >/dev/null 2>&1 || return 1
    done
}

# Creates a fresh prefix at $1 and waits until Wine has written all of it.
make_prefix() {
    rm -rf "$1"
    mkdir -p "$(dirname "$1")"
    WINEPREFIX="$1" wineboot -i >/dev/null 2>&1 && set_up_fonts "$1" && WINEPREFIX="$1" wineserver -w
}

# Gives the prefix $1 a screen of $2 dots per inch (96 is 100 %, 144 is 150 %),
# as the display settings do. Wine keeps one value for every monitor.
set_dpi() {
    local key
    for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        WINEPREFIX="$1" wine reg add "$key" /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1 || return 1
    done
    WINEPREFIX="$1" wineserver -w
}

# Copies the prefix $1 to $2. The system's module files, most of a prefix's
# 700 MB, are only ever read, so they are hard links; every other file (the
# registry, ini files) is a copy of its own.
clone_prefix() {
    local source="$1" target="$2"
    rm -rf "$target"
    cp -al "$source" "$target" || return 1
    (cd "$source" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
        -o -iname '*.sys' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.ax' \
        -o -iname '*.tlb' -o -iname '*.msstyles' -o -iname '*.ttf' \) -print0 |
        xargs -0 -r cp -a --remove-destination --parents -t "$target" --)
}

stop_wine() {
    WINEPREFIX="$1" wineserver -k 2>/dev/null
    WINEPREFIX="$1" wineserver -w 2>/dev/null
    return 0
}

# Wine maps drive Z: to the root of the Unix file system.
windows_path() {
    local path="$1"
    echo "Z:${path//\//\\}"
}

SOUND_SERVER_PID=""
SOUND_SINK=horavel

# Starts a private PulseAudio server with one null sink, $SOUND_SINK, as the
# default output, its runtime folder under $1. Wine's wave output and media
# players play into the sink; its monitor source can be recorded. Exports
# XDG_RUNTIME_DIR, which every Wine process of a prefix must see from the
# prefix's first one on, or the prefix stays silent.
start_sound_server() {
    local runtime="$1" log="$2"
    rm -rf "$runtime"
    mkdir -p "$runtime" && chmod 700 "$runtime" || return 1
    export XDG_RUNTIME_DIR="$runtime"
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=stderr \
        --load="module-null-sink sink_name=$SOUND_SINK" --load=module-native-protocol-unix >"$log" 2>&1 ||
        return 1
    SOUND_SERVER_PID="$(cat "$runtime/pulse/pid" 2>/dev/null)"
    [[ -n "$SOUND_SERVER_PID" ]] && pactl set-default-sink "$SOUND_SINK"
}

stop_sound_server() {
    [[ -n "$SOUND_SERVER_PID" ]] || return 0
    kill "$SOUND_SERVER_PID" 2>/dev/null
    # Not our child (it daemonized): wait up to 5 s for it to be gone.
    local waited=0
    while kill -0 "$SOUND_SERVER_PID" 2>/dev/null && ((waited++ < 50)); do
        sleep 0.1
    done
    SOUND_SERVER_PID=""
}

RECORDER_PID=""
RECORDING_RATE=22050

# Records what the sink plays into the file $1 as raw 16-bit mono samples at
# $RECORDING_RATE Hz. The sink plays silence when nothing sounds, so the file
# grows at a steady rate: its length is also a clock.
start_recording() {
    parec -d "$SOUND_SINK.monitor" --format=s16le --rate="$RECORDING_RATE" --channels=1 --latency-msec=20 \
        >"$1" 2>/dev/null &
    RECORDER_PID=$!
}

stop_recording() {
    [[ -n "$RECORDER_PID" ]] || return 0
    kill "$RECORDER_PID" 2>/dev/null
    wait "$RECORDER_PID" 2>/dev/null
    RECORDER_PID=""
}
