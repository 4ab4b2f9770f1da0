#!/bin/bash
# Usage: test_docs.sh PROGRAM_DIR CHANGELOG — the documents the build puts beside the program.
set -u
dir=$1 changelog=$2
status=0

fail() { echo "FAIL: $*"; status=1; }

# broken_links HTML: prints each in-page link of HTML that names no anchor; fails when there is
# one, or when the file has no in-page links at all (the pattern would then have gone stale).
broken_links() {
    local html=$1 links anchors missing
    links=$(grep -o 'href="#[^"]*"' "$html" | sed 's/^href="#//; s/"$//' | sort -u)
    anchors=$(grep -o 'name="[^"]*"' "$html" | sed 's/^name="//; s/"$//' | sort -u)
    [ -n "$links" ] || { echo "(no links)"; return 1; }
    missing=$(comm -23 <(echo "$links") <(echo "$anchors"))
    [ -z "$missing" ] || { echo "$missing"; return 1; }
}

for doc in VorunKelm.html License.txt History.txt; do
    [ -s "$dir/$doc" ] || fail "$doc is missing or empty in $dir"
done
[ "$status" -eq 0 ] || exit 1

cmp -s "$changelog" "$dir/History.txt" || fail "History.txt differs from CHANGELOG.md"

html=$dir/VorunKelm.html
grep -q 'name="contents"' "$html" || fail "no contents anchor"
if ! missing=$(broken_links "$html"); then
    fail "links without an anchor: $missing"
fi
# The help viewer shows nothing from outside the file.
if grep -Eiq '<(script|img|link|iframe)\b|src=' "$html"; then
    fail "the help refers to scripts, pictures or other files"
fi

# The link check itself must notice a broken link.
broken=$(mktemp)
trap 'rm -f "$broken"' EXIT
sed 's|</body>|<a href="#no-such-anchor">x</a></body>|' "$html" >"$broken"
if broken_links "$broken" >/dev/null; then
    fail "a link to a missing anchor went unnoticed"
fi

exit "$status"
