#!/bin/bash
# Builds the Debian package in build-pkg/, installs it on this machine and
# starts the installed program the way its desktop entry does, as a user who
# never ran it (an empty HOME), on a virtual display. PASS when that first
# start made the demo database in the user's folder and the login window came
# up connected to it; the program is then closed.
#
# It installs into the system (as root, or through sudo): keep it out of the
# tests and of CI.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh

sudo=()
if (( $(id -u) != 0 )); then
    sudo=(sudo)
fi

build=build-pkg
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTAVLORA_BUILD_TESTS=OFF -DTAVLORA_BUILD_BENCH=OFF
fi
cmake --build "$build" -j2
rm -f "$build"/tavlora-free_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/tavlora-free_*.deb)"
echo "== $deb"
dpkg-deb --field "$deb"

echo "== installing"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall "./$deb"

desktop=/usr/share/applications/tavlora-free.desktop
desktop-file-validate "$desktop"
# The Exec line without its field codes (%f, %U, ...), split at spaces as a
# desktop environment splits an Exec line without quotes.
exec_line="$(sed -n 's/^Exec=//p' "$desktop" | head -n 1 | sed 's/ *%[a-zA-Z]//g')"
read -r -a command <<< "$exec_line"
installed="$(dpkg -L tavlora-free | grep '/bin/tavlora-free$')"
found="$(command -v "${command[0]}" || true)"
if [[ "$(readlink -f "$found")" != "$(readlink -f "$installed")" ]]; then
    echo "FAIL: the desktop entry's ${command[0]} is '$found', not the installed $installed"
    exit 1
fi
echo "== starting: $exec_line ($found)"

home="$(mktemp -d "${TMPDIR:-/tmp}/tavlora-home.XXXXXX")"
log="$home/launcher.log"

# Runs on the virtual display (xvfb-run's sh passes on no exported function,
# so its text goes along): starts the command, waits for the login
# window, looks at what the program has open, closes it.
check_first_start() {
    local folder="$HOME/.local/share/TavloraFree"
    "$@" > "$log" 2>&1 &
    local pid=$! login=0 connected=0
    for (( i = 0; i < 180; i++ )); do
        # The login form's title, with the program's name after it.
        if xwininfo -root -tree 2> /dev/null | grep -qE '"Giriş( — [^"]*)?"'; then
            login=1
            break
        fi
        kill -0 "$pid" 2> /dev/null || break
        sleep 0.5
    done
    echo "-- windows:"
    xwininfo -root -tree 2> /dev/null | grep -E '"(Giriş|Tavlora Free)[^"]*"' | sed 's/^ */   /' || true
    # The launcher execs the program, so $pid is the program; the embedded
    # engine keeps the database file open while the login is connected.
    if [[ -e "$folder/demo.fdb" ]] && ls -l "/proc/$pid/fd" 2> /dev/null | grep -qF "$folder/demo.fdb"; then
        connected=1
    fi
    kill -TERM "$pid" 2> /dev/null || true
    local closed=0
    for (( i = 0; i < 40; i++ )); do
        if ! kill -0 "$pid" 2> /dev/null; then
            closed=1
            break
        fi
        sleep 0.25
    done
    if (( ! closed )); then
        echo "-- the program did not close on SIGTERM; killing it"
        kill -KILL "$pid" 2> /dev/null || true
    fi
    wait "$pid" 2> /dev/null || true
    echo "-- launcher and program output:"
    sed 's/^/   /' "$log"
    echo "-- the user's folder $folder:"
    (cd "$folder" 2> /dev/null && find . -mindepth 1 | sort | sed 's/^/   /')
    echo "-- database.txt: $(head -n 1 "$folder/database.txt" 2> /dev/null || echo '(missing)')"
    echo "-- login window shown: $login, connected to the demo database: $connected, closed on SIGTERM: $closed"
    (( login && connected && closed ))
}
export log

if env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$home" \
        xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f check_first_start); "'check_first_start "$@"' _ "${command[@]}"; then
    result=PASS
else
    result=FAIL
fi
rm -rf "$home"
echo "$result: the installed tavlora-free, started from its desktop entry by a new user"
[[ "$result" == PASS ]]
