#!/usr/bin/env bash
# The manual pages against the programs' own --help: every command velunar-cli lists has its section in
# velunar-cli(1), every flag any --help prints is described in the page, and every flag the page
# describes still exists. Flags are read as --word tokens, so the layout of the help text may change.
# Usage: check_manpages.sh BIN_DIR MAN_DIR
set -euo pipefail
bin="$1"
man="$2"
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
failed=0

flags() { grep -o -E -- '--[a-z][a-z0-9-]*' | sort -u; }
# The page's text with roff's escaped hyphens and font changes undone.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }

help_of() {
    local out
    if ! out="$("$@" 2>&1)" || [[ -z "$out" ]]; then
        echo "'$*' failed or printed nothing" >&2
        return 1
    fi
    printf '%s\n' "$out"
}

# compare PAGE HELP_TEXT: flags of the help missing from the page, and flags of the page no help has.
compare() {
    local page="$1" help="$2" text
    text="$(page_text "$page")"
    while read -r f; do
        [[ -z "$f" ]] && continue
        grep -q -E -- "(^|[^a-z0-9-])$f([^a-z0-9-]|$)" <<<"$text" ||
            { echo "$(basename "$page"): $f is in --help but not described"; failed=1; }
    done < <(flags <<<"$help")
    while read -r f; do
        [[ -z "$f" ]] && continue
        grep -q -E -- "(^|[^a-z0-9-])$f([^a-z0-9-]|$)" <<<"$help" ||
            { echo "$(basename "$page"): $f is described but no --help has it"; failed=1; }
    done < <(flags <<<"$text")
}

top="$(help_of "$bin/velunar-cli" --help)"
mapfile -t commands < <(sed -n '/^commands:/,$p' <<<"$top" | sed -n -E 's/^[[:space:]]+([a-z][a-z0-9-]*)([[:space:]].*)?$/\1/p')
((${#commands[@]} > 0)) || { echo "no commands found in 'velunar-cli --help'"; exit 1; }
all="$top"
for c in "${commands[@]}"; do
    grep -q -E "^\.SS \"?$c([ \"]|$)" "$man/velunar-cli.1" ||
        { echo "velunar-cli.1: no section for the command $c"; failed=1; }
    all+=$'\n'"$(help_of "$bin/velunar-cli" "$c" --help)"
done
compare "$man/velunar-cli.1" "$all"
compare "$man/velunar.1" "$(help_of "$bin/velunar" --help)"
# Both pages render without a warning where a new account reads them (the POSIX locale, no Chinese glyphs)
# and in UTF-8, which keeps the Chinese.
for page in "$man/velunar-cli.1" "$man/velunar.1"; do
    for locale in C C.UTF-8; do
        said="$(LC_ALL="$locale" LANG="$locale" MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)" ||
            { echo "$(basename "$page"): man failed under $locale: $said"; failed=1; }
        [[ -z "$said" ]] || {
            echo "$(basename "$page") under $locale: $said"
            grep -q "special character 'u" <<<"$said" &&
                echo "  (a Chinese character needs its .fchar line, with its pinyin, among those at the top of the page)"
            failed=1
        }
    done
done
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$man/velunar.1" 2>/dev/null | grep -q '纳支法2' ||
    { echo "velunar.1 under C.UTF-8 lost its Chinese"; failed=1; }
((failed == 0)) || { echo "update docs/man/ to match the programs"; exit 1; }
echo "manual pages match ${#commands[@]} commands and both programs' flags"
