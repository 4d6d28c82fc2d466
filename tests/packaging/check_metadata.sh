#!/usr/bin/env bash
# The desktop entry and AppStream file validate without a hint, and every place that states the version
# (CMake's project, debian/changelog, the newest AppStream release, the manual pages) states the same one:
# a version bumped in one place only would ship a package whose changelog or release notes lie.
# Usage: check_metadata.sh SOURCE_DIR PROJECT_VERSION
set -euo pipefail
src="$1"
version="$2"
failed=0
fail() { echo "$*"; failed=1; }

id=org.velunar.velunar
desktop="$src/packaging/$id.desktop"
metainfo="$src/packaging/$id.metainfo.xml"

out="$(desktop-file-validate "$desktop" 2>&1)" || true
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
appstreamcli validate --pedantic --no-net --no-color "$metainfo" >/dev/null 2>&1 ||
    fail "appstreamcli validate --pedantic: $(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1)"

grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the AppStream launchable is not $id.desktop"

changelog="$(sed -n -E '1s/^velunar \(([^)]*)\).*/\1/p' "$src/debian/changelog")"
[[ "$changelog" == "$version" || "$changelog" == "$version-"* ]] ||
    fail "debian/changelog's newest entry is '$changelog', the project is $version"
release="$(grep -o -m1 -E '<release version="[^"]*"' "$metainfo" | sed -E 's/.*"([^"]*)"/\1/')"
[[ "$release" == "$version" ]] || fail "the newest AppStream release is '$release', the project is $version"
for page in "$src"/docs/man/*.1; do
    grep -q -E "^\.TH .*\"Velunar $version\"" "$page" || fail "$(basename "$page") does not say Velunar $version"
done
((failed == 0)) || exit 1
echo "packaging metadata valid, version $version everywhere"
