# Shared by run.sh and test.sh: installing what is missing, the Wine prefix
# and the virtual display. Source it; it changes nothing by itself.

VEXILO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VEXILO_OUT="$VEXILO_ROOT/out"
export WINEPREFIX="${WINEPREFIX:-$VEXILO_OUT/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine's two loaders, called directly: with wine32 installed, plain "wine"
# picks the 32-bit loader even for 64-bit programs (tools/wine-exec too).
export VEXILO_WINE_DIR="${VEXILO_WINE_DIR:-/usr/lib/wine}"
WINE64="$VEXILO_WINE_DIR/wine64"
WINE32="$VEXILO_WINE_DIR/wine"

say() { printf '\033[1m== %s\033[0m\n' "$*"; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

apt_install() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$@" </dev/null
}

is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# ensure_packages PKG...: installs the Debian packages that are missing.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do is_installed "$pkg" || missing+=("$pkg"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null
    apt_install "${missing[@]}"
}

# 32-bit Windows programs need wine32:i386 and a kernel that runs 32-bit
# Linux programs, natively or through qemu-user (ensure_i386_emulation).
# Tries the install once a day at most; true when the 32-bit loader actually
# starts. WINE32_MODE tells how: native, emulated or none.
WINE32_MODE=none
ensure_wine32() {
    local marker="$VEXILO_OUT/.wine32-unavailable"
    WINE32_MODE=none
    if ! is_installed wine32:i386; then
        if [ -f "$marker" ] && [ -z "$(find "$marker" -mmin +1440)" ]; then
            return 1
        fi
        say "Trying to install wine32:i386 for the 32-bit tests"
        mkdir -p "$VEXILO_OUT"
        if ! { as_root dpkg --add-architecture i386 &&
               as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null &&
               apt_install wine32:i386; } >"$VEXILO_OUT/wine32-install.log" 2>&1; then
            echo "wine32:i386 did not install (see out/wine32-install.log)"
            touch "$marker"
            return 1
        fi
    fi
    if ! "$WINE32" --version >/dev/null 2>&1 && ! ensure_i386_emulation; then
        mkdir -p "$VEXILO_OUT" && touch "$marker"
        return 1
    fi
    rm -f "$marker"
    if [ -n "$(i386_handler qemu)" ]; then WINE32_MODE=emulated; else WINE32_MODE=native; fi
    return 0
}

BINFMT=/proc/sys/fs/binfmt_misc
# The ELF header of a 32-bit x86 program, and the bits of it that must match:
# the magic and mask Debian's qemu-user-binfmt registers for i386.
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# i386_handler [qemu]: the name of an enabled binfmt_misc handler for 32-bit
# x86 programs (with "qemu": one whose interpreter is qemu), or nothing.
i386_handler() {
    local entry
    for entry in "$BINFMT"/*; do
        case ${entry##*/} in register|status) continue ;; esac
        [ -r "$entry" ] || continue
        grep -qx enabled "$entry" || continue
        grep -q '^magic 7f454c46010101.*02000300$' "$entry" || continue
        if [ "${1:-}" = qemu ] && ! grep -q '^interpreter .*qemu' "$entry"; then continue; fi
        echo "${entry##*/}"
        return 0
    done
}

# Where the kernel refuses 32-bit Linux programs, Wine's 32-bit loader still
# runs through qemu-user's emulation. Changing binfmt_misc changes the whole
# machine, so it is done only when asked for (CI=true or VEXILO_EMULATE_I386=1)
# and as root; a handler that exists is left alone. True when the 32-bit
# loader starts afterwards.
ensure_i386_emulation() {
    if [ "$(id -u)" != 0 ] || { [ "${CI:-}" != true ] && [ "${VEXILO_EMULATE_I386:-}" != 1 ]; }; then
        echo "wine32 is installed, but this machine cannot start 32-bit programs;" \
            "as root, VEXILO_EMULATE_I386=1 ./test.sh runs them through qemu-user"
        return 1
    fi
    local did=()
    if ! is_installed qemu-user; then
        ensure_packages qemu-user >"$VEXILO_OUT/qemu-install.log" 2>&1 || {
            echo "qemu-user did not install (see out/qemu-install.log)"; return 1; }
        did+=("installed qemu-user")
    fi
    if [ ! -e "$BINFMT/register" ]; then
        mount -t binfmt_misc binfmt_misc "$BINFMT" || { echo "cannot mount binfmt_misc"; return 1; }
        did+=("mounted binfmt_misc")
    fi
    local handler
    handler=$(i386_handler)
    if [ -z "$handler" ]; then
        echo ":qemu-i386:M::$I386_MAGIC:$I386_MASK:/usr/bin/qemu-i386:P" > "$BINFMT/register" ||
            { echo "cannot register qemu-i386 in binfmt_misc"; return 1; }
        did+=("registered qemu-i386 for 32-bit programs")
    else
        did+=("kept the 32-bit handler $handler")
    fi
    if ! "$WINE32" --version >/dev/null 2>&1; then
        echo "32-bit programs do not start even through qemu-user (${did[*]})"
        return 1
    fi
    local line
    printf -v line '%s, ' "${did[@]}"
    echo "32-bit programs run by emulation: ${line%, }"
}

# ensure_wine_prefix WINE32_STATE [windowed|tests] [DPI] [FROM]: creates the
# Wine prefix in $WINEPREFIX, again when wine32 came or went since. The test
# prefix runs without a window manager ("Managed" off: no pause after each
# dialog); "windowed" keeps Wine's windows managed for a person's desktop.
# DPI (96 unless given) is the display scaling the prefix reports; Wine reads
# it when its server starts, so it is set before the server's last start.
# FROM, a test prefix at 96 DPI made the same way, is copied instead of
# making a new one: seconds instead of a minute or more with 32-bit Wine.
ensure_wine_prefix() {
    # The stamp names what the prefix was made with: whether wine32 was
    # there, the version of the set-up below (bump "fonts-N" whenever it
    # changes) and the DPI. A prefix made otherwise, or by an older version
    # of this function, is made again from scratch.
    local mode=${2:-tests} dpi=${3:-96} from=${4:-} stamp="$WINEPREFIX/.vexilo-wine32"
    local wine32_state="$1 fonts-2 dpi-$dpi"
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wine32_state" ]; then return 0; fi
    say "Creating the Wine prefix $WINEPREFIX"
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    if [ "$mode" = tests ] && [ -n "$from" ] && [ "$(cat "$from/.vexilo-wine32" 2>/dev/null)" = "$1 fonts-2 dpi-96" ]; then
        # Its server ends first, so that the copy holds the registry as saved.
        WINEPREFIX="$from" wineserver -k 2>/dev/null
        cp -a "$from" "$WINEPREFIX"
        "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        wineserver -w
        echo "$wine32_state" > "$stamp"
        return 0
    fi
    "$WINE64" wineboot -i >/dev/null 2>&1
    wineserver -w
    if [ "$mode" = tests ]; then
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    if [ "$dpi" != 96 ]; then
        "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1
    fi
    # Japanese in controls: link the CJK font to the default GUI fonts, and
    # give Courier New a fixed-pitch face with Japanese glyphs: the
    # explanation dialog asks for it by name, and Wine takes it as the
    # default fixed-pitch face for the log and answer fonts, which ask for
    # none (SHIFTJIS_CHARSET, FIXED_PITCH). Without it those would get the
    # first CJK face Wine knows, the proportional Noto Sans CJK HK.
    for font in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2'; do
        "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$font" /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null 2>&1
    done
    "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
        /d 'Noto Sans Mono CJK JP' /f >/dev/null 2>&1
    wineserver -w
    echo "$wine32_state" > "$stamp"
}

# ensure_test_prefixes WINE32_STATE: the test prefix $WINEPREFIX and, beside
# the default one, those at 120 and 144 DPI (out/wineprefix-120,
# out/wineprefix-144), copies of it. No server of theirs runs afterwards.
ensure_test_prefixes() {
    local dpi base=$WINEPREFIX
    ensure_wine_prefix "$1" tests
    for dpi in 120 144; do
        WINEPREFIX="$VEXILO_OUT/wineprefix-$dpi" ensure_wine_prefix "$1" tests "$dpi" "$base"
    done
}

# start_test_servers: a lasting server, with Wine's background programs, for
# each of the three test prefixes (see start_wine_server).
start_test_servers() {
    local prefix
    for prefix in "$WINEPREFIX" "$VEXILO_OUT/wineprefix-120" "$VEXILO_OUT/wineprefix-144"; do
        WINEPREFIX="$prefix" start_wine_server
    done
}

# wine32_state: yes when Wine's 32-bit loader starts here, else no.
wine32_state() {
    if "$WINE32" --version >/dev/null 2>&1; then echo yes; else echo no; fi
}

# A lasting Wine server for $WINEPREFIX, and Wine's own background programs
# started here with their output going nowhere: started by the first test
# instead, they would hold CTest's output pipe open and CTest would wait.
start_wine_server() {
    wineserver -p 2>/dev/null
    "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null
}

# Ends the servers of the test prefixes.
stop_wine_servers() {
    local prefix
    for prefix in "$VEXILO_OUT/wineprefix" "$VEXILO_OUT/wineprefix-120" "$VEXILO_OUT/wineprefix-144"; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null
    done
    return 0
}

# Starts a virtual X display for Wine's windows unless one is given.
# Sets DISPLAY; the server ends with this shell.
ensure_display() {
    if [ -n "${VEXILO_DISPLAY:-}" ]; then export DISPLAY=$VEXILO_DISPLAY; return 0; fi
    local n=99
    while :; do
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        VEXILO_XVFB_PID=$!
        # A loaded machine may take seconds to start it.
        for _ in $(seq 600); do
            [ -e "/tmp/.X11-unix/X$n" ] || ! kill -0 "$VEXILO_XVFB_PID" 2>/dev/null && break
            sleep 0.05
        done
        # Another program may have taken the same number meanwhile (two
        # worktrees' tests starting together): then this server has ended, or
        # the lock names the other one, and the next number is tried. Two
        # Wine servers on one display take each other's focus and windows.
        if kill -0 "$VEXILO_XVFB_PID" 2>/dev/null \
            && [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2>/dev/null)" = "$VEXILO_XVFB_PID" ]; then
            break
        fi
        kill "$VEXILO_XVFB_PID" 2>/dev/null
        n=$((n + 1))
    done
    export DISPLAY=":$n"
}

stop_display() {
    [ -n "${VEXILO_XVFB_PID:-}" ] && kill "$VEXILO_XVFB_PID" 2>/dev/null
    VEXILO_XVFB_PID=
}

# configure_and_build PRESET [TARGET...]: configures once (again when the
# presets changed since), then builds (all, or the targets named); shows the
# compiler's output only when it fails.
configure_and_build() {
    local preset=$1 log="$VEXILO_OUT/build-$1.log"
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    mkdir -p "$VEXILO_OUT"
    if [ ! -f "$VEXILO_OUT/$preset/build.ninja" ] \
        || [ "$VEXILO_ROOT/CMakePresets.json" -nt "$VEXILO_OUT/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset" >"$log" 2>&1 || { cat "$log"; return 1; }
    fi
    cmake --build --preset "$preset" "${targets[@]}" >"$log" 2>&1 || { cat "$log"; return 1; }
}

# build_win64 TARGET: builds one target of the 64-bit Windows build (out/win64,
# or the folder VEXILO_WIN64_BUILD names), makes sure a Wine prefix exists,
# and sets WIN64_BUILD to the build folder.
build_win64() {
    WIN64_BUILD=${VEXILO_WIN64_BUILD:-out/win64}
    if [ "$WIN64_BUILD" = out/win64 ]; then
        configure_and_build win64 "$1" || return 1
    else
        local log="$VEXILO_OUT/build-$1.log"
        cmake --build "$WIN64_BUILD" --target "$1" >"$log" 2>&1 || { cat "$log"; return 1; }
    fi
    [ -d "$WINEPREFIX/drive_c" ] || ensure_wine_prefix no
}
