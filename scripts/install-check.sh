#!/usr/bin/env bash
# Usage: scripts/install-check.sh [BUILD_DIR]   (default: build/release, which scripts/test.sh builds)
# Checks the game as a player installs it:
#  1. scripts/package.sh builds the source and binary packages (into build/deb); lintian finds no
#     error or warning in them; the game is hardened (stack protector and FORTIFY symbols) and has
#     its -dbgsym package;
#  2. the two packages unpacked into a scratch root give the whole tree: /usr/games/kelvane,
#     kelvane(6), the menu entry (desktop-file-validate), the icons, the metainfo (appstreamcli
#     validate) and the Content in /usr/share/games/kelvane;
#  3. with that tree made read-only, the game runs headless from / for a few frames; a scripted
#     editor session there makes and saves a prefab, which lands in the player's content overlay
#     ($XDG_DATA_HOME/Kelvane/Content) while the tree stays byte for byte the same; a second run
#     loads it (its new prefab takes the next free name); a broken overlay file stops start-up
#     naming that file; without any Content one line names the places looked in;
#  4. `cmake --install` of BUILD_DIR into a prefix gives bin/kelvane and share/kelvane/Content, and
#     the game runs from there;
#  5. in CI (as root) apt-get installs both packages, `kelvane` starts from the PATH as an
#     unprivileged user, and purging them leaves nothing behind.
# Prints one line per check and ends non-zero when any fails.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
build=${1:-build/release}

work=$(mktemp -d /tmp/kelvane-install-XXXXXX)
chmod 755 "$work"
cleanup() { chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
overlay=$XDG_DATA_HOME/Kelvane/Content
failures=0
pass() { echo "install-check: ok: $1"; }
fail() { echo "install-check: FAILED: $1" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
finish() {
  [ $failures -eq 0 ] && echo "install-check: all passed" || echo "install-check: $failures failed" >&2
  exit $((failures > 0))
}

# 1. The packages.
start=$(date +%s)
if ! changes=$(./scripts/package.sh); then
  fail "scripts/package.sh"; finish
fi
pass "packages built in $(($(date +%s) - start)) s: $(cd "$(dirname "$changes")" && ls | tr '\n' ' ')"
debs=$(dirname "$changes")
version=$(dpkg-parsechangelog -S Version)
game_deb=$(ls "$debs"/kelvane_"$version"_*.deb)
data_deb=$debs/kelvane-data_${version}_all.deb
check "source package, kelvane-data and kelvane-dbgsym are there" \
  test -f "$debs/kelvane_$version.dsc" -a -f "$data_deb" -a -n "$(ls "$debs"/kelvane-dbgsym_"$version"_*.deb)"
if lintian --fail-on error,warning --tag-display-limit 0 "$changes" >"$work/lintian.out" 2>&1; then
  pass "lintian: no error or warning"
else
  fail "lintian: $(grep -E '^[EW]: ' "$work/lintian.out" | tr '\n' ' ')"
fi
cat "$work/lintian.out"
dpkg-deb -x "$game_deb" "$work/root" && dpkg-deb -x "$data_deb" "$work/root"
game=$work/root/usr/games/kelvane
hardened() {
  local symbols
  symbols=$(readelf --dyn-syms -W "$game") && grep -q __stack_chk_fail <<<"$symbols" &&
    grep -qE '__[a-z0-9_]+_chk\b' <<<"$symbols" && readelf -d "$game" | grep -q BIND_NOW
}
check "the game is hardened (__stack_chk_fail, _chk symbols, BIND_NOW)" hardened

# 2. The tree the packages install.
id=org.kelvane.Kelvane
missing=""
for f in usr/games/kelvane usr/share/man/man6/kelvane.6.gz usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml usr/share/games/kelvane/Content/Prefabs/GameplayRoot.json \
  usr/share/games/kelvane/Content/Config/KeyMappings.json usr/share/games/kelvane/Content/Fonts/Main/Normal.fnt \
  usr/share/doc/kelvane/copyright usr/share/doc/kelvane-data/copyright; do
  [ -e "$work/root/$f" ] || missing="$missing $f"
done
for size in 16 24 32 48 64 128 256; do
  [ -e "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || missing="$missing ${size}x${size} icon"
done
check "installed tree complete${missing:+ (missing:$missing)}" test -z "$missing"
check "desktop-file-validate" desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"

# 3. The installed game, read-only, run from another folder.
listing() { (cd "$work/root" && find . -printf '%p %s %m\n' | sort && find . -type f -exec sha256sum {} + | sort); }
chmod -R a-w "$work/root"
before=$(listing)
run() { (cd / && "$game" --headless --fixed-step --seed 1 "$@"); }
check "installed game runs headless from /" run --frames 30
run --frames 30 --script "$repo/tests/install/new-prefab.script" >"$work/first.out" 2>&1
check "editor saved the new prefab into the overlay" test -s "$overlay/Prefabs/NewPrefab.json"
check "editor said where it saved" grep -q "saved \"NewPrefab\" to $overlay/Prefabs" "$work/first.out"
check "installed tree unchanged" test "$before" = "$(listing)"
run --frames 30 --script "$repo/tests/install/new-prefab.script" >"$work/second.out" 2>&1
check "second run loaded the overlay's prefab" test -s "$overlay/Prefabs/NewPrefab.001.json"
printf '{ "Components": ' >"$overlay/Prefabs/Broken.json"
run --frames 1 >"$work/broken.out" 2>&1
status=$?
check "broken overlay file stops start-up naming it" \
  test "$status" = 1 -a -n "$(grep "$overlay/Prefabs/Broken.json" "$work/broken.out")"
rm -f "$overlay/Prefabs/Broken.json"
mkdir -p "$work/alone/games" && cp "$game" "$work/alone/games/"
(cd / && "$work/alone/games/kelvane" --headless --frames 1) >"$work/alone.out" 2>&1
status=$?
check "without Content one line names the places looked in" \
  test "$status" = 1 -a "$(wc -l <"$work/alone.out")" = 1 -a -n "$(grep -F "$work/alone/games/Content" "$work/alone.out" |
    grep -F "$work/alone/share/kelvane/Content" | grep -F "$work/alone/share/games/kelvane/Content")"

# 4. A prefix install of a development build.
if [ -x "$build/bin/kelvane" ]; then
  prefix=$work/prefix
  if cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    check "cmake --install gives bin/kelvane, share/kelvane/Content and kelvane(6)" \
      test -x "$prefix/bin/kelvane" -a -f "$prefix/share/kelvane/Content/Prefabs/GameplayRoot.json" \
      -a -f "$prefix/share/man/man6/kelvane.6"
    check "the prefix-installed game runs headless from /" \
      bash -c "cd / && '$prefix/bin/kelvane' --headless --fixed-step --seed 1 --frames 10 >/dev/null"
  else
    cat "$work/install.log" >&2
    fail "cmake --install $build"
  fi
fi

# 5. CI (root, its own machine) installs the packages as a player would, starts the game from the
# PATH as an unprivileged user, then purges them (their dependencies are already there).
if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ] && ! dpkg-query -W kelvane >/dev/null 2>&1; then
  if DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$(realpath "$game_deb")" "$(realpath "$data_deb")" \
    >"$work/apt.out" 2>&1; then
    pass "apt-get install of kelvane and kelvane-data"
    check "the installed menu entry is there" test -f /usr/share/applications/$id.desktop
    check "man -w kelvane finds kelvane(6)" bash -c "man -w 6 kelvane >/dev/null"
    home=$work/player && mkdir -p "$home" && chown nobody "$home"
    check "kelvane on the PATH starts as an unprivileged user" \
      bash -c "cd / && setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin:/usr/games \
        HOME='$home' kelvane --headless --frames 30 >/dev/null"
    if DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kelvane kelvane-data >/dev/null 2>&1; then
      check "purging leaves nothing behind" test ! -e /usr/games/kelvane -a ! -e /usr/share/games/kelvane \
        -a ! -e /usr/share/doc/kelvane
    else
      fail "apt-get purge kelvane kelvane-data"
    fi
  else
    fail "apt-get install of the packages: $(tail -n 3 "$work/apt.out" | tr '\n' ' ')"
  fi
fi

finish
