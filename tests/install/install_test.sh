#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program with a temporary HOME:
# the user's database must be created in the user's data folder and the shipped one left untouched.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
shipped="$prefix/share/velunar/db1.sqlite"
for f in bin/velunar bin/velunar-cli share/velunar/db1.sqlite share/velunar/tree.ini share/velunar/romance.mp3 \
         share/velunar/msg/sun.txt share/velunar/pic/肺.JPG share/applications/org.velunar.velunar.desktop \
         share/icons/hicolor/scalable/apps/velunar.svg share/metainfo/org.velunar.velunar.metainfo.xml \
         share/man/man1/velunar.1 share/man/man1/velunar-cli.1; do
    [[ -e "$prefix/$f" ]] || { echo "not installed: $f"; exit 1; }
done
chmod a-w "$shipped"
before="$(sha256sum "$shipped")"
export HOME="$work/home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen
# A session without a runtime folder (su, ssh, cron): Qt's note about it is no message of the program's.
unset XDG_RUNTIME_DIR
mkdir -p "$HOME"
quiet() {
    local said
    said="$("$@" 2>&1 >/dev/null)" || { echo "failed: $* $said"; exit 1; }
    [[ -z "$said" ]] || { echo "'$*' said on standard error: $said"; exit 1; }
}
quiet "$prefix/bin/velunar" --at "2026-12-08 10:00:00" --screenshot-dir "$work/shots"
user_db="$HOME/.local/share/Velunar/db1.sqlite"
[[ -f "$user_db" ]] || { echo "the user's database was not created at $user_db"; exit 1; }
[[ "$(sha256sum "$shipped")" == "$before" ]] || { echo "the shipped database was changed"; exit 1; }
# The command line reads the user's copy once it exists.
"$prefix/bin/velunar-cli" now --at "2026-12-08 10:00:00" --json | grep -q '"dayGanZhi"'
quiet "$prefix/bin/velunar-cli" dial --at "2026-12-08 10:00:00" --out "$work/dial.svg"
quiet "$prefix/bin/velunar-cli" schedule 2026-12-08 2026-12-09 --pdf "$work/schedule.pdf"
echo "install test passed"
