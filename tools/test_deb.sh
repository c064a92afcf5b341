#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine, starts the installed program under
# Xvfb with a window manager, checks that its window appears, then uninstalls the package.
# Needs root or sudo. Usage:
#   tools/test_deb.sh [screenshot.png]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
shot=$(realpath -m "${1:-build/release/installed_main_window.png}")
title='^Quorava1\.1'

bash tools/install_dependencies.sh xvfb openbox xdotool x11-utils imagemagick dpkg-dev
# shellcheck source=tools/xvfb_session.sh
source tools/xvfb_session.sh

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

step() { echo "== $*"; }
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# cpack needs only the program: keep it from building the tests and benchmarks as well.
step "building the release preset"
cmake --preset release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build --preset release --target quorava

step "making the package"
rm -f build/release/quorava_*.deb
(cd build/release && cpack)
deb=$(ls build/release/quorava_*.deb)
dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Depends\|Section\):/  \1:/p'

xvfb='' wm='' app='' installed=''
cleanup() {
    local pid
    for pid in $app $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ -n "$installed" ]; then
        echo "removing the package left installed by the failed test" >&2
        "${as_root[@]}" apt-get remove -y -qq quorava >/dev/null || true
    fi
    rm -f "${display_file:-}"
}
trap cleanup EXIT

step "installing $deb"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "$root/$deb"
installed=yes
dpkg-query -W -f='${Status}\n' quorava | grep -q "install ok installed" ||
    fail "quorava is not installed"
files=$(dpkg -L quorava)
for path in /usr/bin/quorava /usr/share/applications/quorava.desktop \
    /usr/share/icons/hicolor/48x48/apps/quorava.png /usr/share/doc/quorava/sample_names.txt; do
    grep -qx "$path" <<<"$files" || fail "the package does not hold $path"
    [ -e "$path" ] || fail "$path is not on disk"
done
echo "  dpkg -L quorava holds the program, the desktop entry, the icon and the sample list"
[ "$(command -v quorava)" = /usr/bin/quorava ] || fail "quorava is not found on PATH"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate /usr/share/applications/quorava.desktop
fi

step "starting /usr/bin/quorava under Xvfb"
start_xvfb_session 1920x1080

(cd / && exec /usr/bin/quorava) >/dev/null 2>&1 &
app=$!
windows=$(timeout 20 xdotool search --sync --onlyvisible --name "$title") ||
    fail "the main window did not appear"
window=${windows%%$'\n'*}
kill -0 "$app" 2>/dev/null || fail "the program ended at once"
xwininfo -id "$window" | sed -n 's/^  \(Absolute upper-left [XY]\|Width\|Height\|Map State\):/  \1:/p'
sleep 0.5 # let the first paint land
import -window root "$shot"
echo "  screenshot: $shot"

step "closing it with Esc"
timeout 10 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key Escape
status=''
for _ in $(seq 100); do
    if ! kill -0 "$app" 2>/dev/null; then
        wait "$app" && status=0 || status=$?
        break
    fi
    sleep 0.1
done
[ -n "$status" ] || fail "the program did not end after Esc"
app=''
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "  the program ended with status 0"

step "removing the package"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -qq quorava >/dev/null
installed=''
if dpkg-query -W -f='${Status}\n' quorava 2>/dev/null | grep -q "install ok installed"; then
    fail "quorava is still installed"
fi
[ ! -e /usr/bin/quorava ] || fail "/usr/bin/quorava is still there"
[ ! -e /usr/share/applications/quorava.desktop ] || fail "the desktop entry is still there"
echo "  removed: no /usr/bin/quorava, no desktop entry"
echo "PASSED: the package installs, its program starts and shows its window, and it uninstalls"
