#!/usr/bin/env bash
# Checks installing vrx: `cmake --install` into a temporary prefix puts every file in its
# place (vrx-cli, without wx, and its manual page too) and the desktop entry validates; the
# Debian package builds with its dependencies computed and holds vrx-cli, installs with
# apt-get, the installed vrx-cli answers and the installed program starts under Xvfb (a
# screenshot is kept); the package is removed again afterwards.
#   scripts/check-install.sh [BUILD_DIR]      (BUILD_DIR: a configured and built tree)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
for f in bin/vrx bin/vrx-cli share/man/man1/vrx-cli.1.gz share/applications/vrx.desktop \
         lib/udev/rules.d/70-vrx-logger.rules \
         share/icons/hicolor/16x16/apps/vrx.png share/icons/hicolor/32x32/apps/vrx.png \
         share/icons/hicolor/48x48/apps/vrx.png share/mime/packages/vrx.xml; do
  [ -s "$tmp/prefix/$f" ] || fail "missing $f"
done
[ -x "$tmp/prefix/bin/vrx" ] || fail "bin/vrx is not executable"
[ -x "$tmp/prefix/bin/vrx-cli" ] || fail "bin/vrx-cli is not executable"
needed=$(readelf -d "$tmp/prefix/bin/vrx-cli") || fail "cannot read bin/vrx-cli"
case "$needed" in *libwx*) fail "vrx-cli links wx" ;; esac
"$tmp/prefix/bin/vrx-cli" download --help >/dev/null || fail "vrx-cli --help failed"
manpage=$(zcat "$tmp/prefix/share/man/man1/vrx-cli.1.gz") || fail "manual page unreadable"
grep -q '^\.SH EXIT STATUS' <<<"$manpage" || fail "manual page lacks the exit status"
desktop-file-validate "$tmp/prefix/share/applications/vrx.desktop" || fail "desktop entry does not validate"
grep -q 'TAG+="uaccess"' "$tmp/prefix/lib/udev/rules.d/70-vrx-logger.rules" || fail "udev rule lacks uaccess"
grep -q '^Exec=vrx %f$' "$tmp/prefix/share/applications/vrx.desktop" || fail "desktop entry does not pass the file"
# A file manager knows a work file by its name, and by its first line when the name says nothing.
update-mime-database "$tmp/prefix/share/mime" >/dev/null 2>&1 || fail "the work-file type does not build a MIME database"
printf '430000\r\n0\r\n' >"$tmp/arbeit.kdl"
printf '430000\r\n0\r\n' >"$tmp/ohne-endung"
for f in "$tmp/arbeit.kdl" "$tmp/ohne-endung"; do
  type=$(XDG_DATA_DIRS="$tmp/prefix/share:/usr/share" xdg-mime query filetype "$f" 2>/dev/null || true)
  [ "$type" = "application/x-vrx-workfile" ] || fail "$(basename "$f") is of type '$type', not a vrx work file"
done

echo "== Debian package"
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack failed"
# Lists are captured before they are searched: under pipefail a reader that stops early
# (grep -q, head) can kill the writer with SIGPIPE and fail the check by timing alone.
debs=$(ls -t "$build"/vrx_*.deb 2>/dev/null || true)
deb=${debs%%$'\n'*}
[ -n "$deb" ] || fail "no package built"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
case "$depends" in *libwx_gtk3u_core*|*libwxgtk3.2*) ;; *) fail "dependencies were not computed" ;; esac
case "$depends" in *libusb-0.1*) ;; *) fail "libusb dependency missing" ;; esac
contents=$(dpkg-deb -c "$deb") || fail "cannot list the package"
grep -qF './usr/lib/udev/rules.d/70-vrx-logger.rules' <<<"$contents" || fail "rule not in package"
grep -qF './usr/bin/vrx-cli' <<<"$contents" || fail "vrx-cli not in package"
grep -qF './usr/share/man/man1/vrx-cli.1.gz' <<<"$contents" || fail "vrx-cli manual page not in package"
dpkg-deb -e "$deb" "$tmp/control"
grep -q 'udevadm control --reload-rules' "$tmp/control/postinst" || fail "postinst does not reload udev rules"

if [ "$(id -u)" -ne 0 ]; then
  echo "== not root: package installation skipped"
  exit 0
fi
if [ "$(dpkg-query -W -f='${Status}' vrx 2>/dev/null || true)" = "install ok installed" ]; then
  fail "a vrx package is installed already; remove it first"
fi
echo "== apt-get install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(realpath "$deb")" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vrx >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT
[ -x /usr/bin/vrx ] || fail "package did not install /usr/bin/vrx"
# Without a logger on the bus the command line says so by its exit code (3); a real logger
# attached to this machine answers (0) or, without the udev rule in effect yet, refuses (4).
rc=0; /usr/bin/vrx-cli status >/dev/null 2>&1 || rc=$?
case $rc in 0|3|4) ;; *) fail "installed vrx-cli status exited $rc" ;; esac
shot=${VRX_PACKAGE_SCREENSHOT:-$build/installed-vrx.png}
HOME="$tmp/home" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  /usr/bin/vrx & pid=\$!
  # Waits for the window to be drawn (more than a handful of colours on the screen) rather
  # than for a fixed time: a loaded machine may take long to start it.
  for i in \$(seq 1 240); do
    kill -0 \$pid 2>/dev/null || break
    import -window root '$shot' 2>/dev/null && [ \$(convert '$shot' -format %k info:) -gt 20 ] && break
    sleep 0.5
  done
  alive=0; kill -0 \$pid 2>/dev/null && alive=1
  kill \$pid 2>/dev/null || true; wait \$pid 2>/dev/null || true
  [ \$alive = 1 ]" || fail "the installed program did not keep running"
# The window must have drawn something: more than a handful of colours on the screen.
colours=$(convert "$shot" -format %k info:)
[ "$colours" -gt 20 ] || fail "the screenshot shows no window ($colours colours)"
[ -s "$tmp/home/.config/vrx/vrxv43.ini" ] || fail "settings were not kept in the user's configuration"
echo "== installed program started; screenshot $shot"
