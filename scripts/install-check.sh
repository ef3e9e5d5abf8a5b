#!/usr/bin/env bash
# Usage: scripts/install-check.sh [BUILD_DIR]   (default: build/play, which scripts/test.sh builds)
# Checks the game as a player installs it:
#  1. `cmake --install` of the build into a temporary prefix gives the whole tree; the desktop entry
#     passes desktop-file-validate and the metainfo appstreamcli validate;
#  2. with the tree made read-only, the installed game runs headless from / for a few frames; a
#     scripted editor session there makes and saves a prefab, which lands in the player's content
#     overlay ($XDG_DATA_HOME/Kelvane/Content) while the install tree stays byte for byte the same;
#     a second run loads it (its new prefab takes the next free name); a broken overlay file stops
#     start-up naming that file;
#  3. scripts/package.sh builds the Debian package; it declares its dependencies and the version
#     `kelvane --version` prints, and the game unpacked from it starts (in a window when there is a
#     display); in CI (as root) apt-get installs it, `kelvane` starts from the PATH, and it is removed.
# Prints one line per check and ends non-zero when any fails.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
build=${1:-build/play}
[ -x "$build/bin/kelvane" ] || { echo "install-check: no $build/bin/kelvane; build it first" >&2; exit 1; }

work=$(mktemp -d /tmp/kelvane-install-XXXXXX)
cleanup() { chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
prefix=$work/prefix
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
overlay=$XDG_DATA_HOME/Kelvane/Content
failures=0
pass() { echo "install-check: ok: $1"; }
fail() { echo "install-check: FAILED: $1" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }

# 1. The install tree.
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "cmake --install"; exit 1
fi
id=org.kelvane.Kelvane
missing=""
for f in bin/kelvane share/kelvane/Content/Prefabs/GameplayRoot.json share/kelvane/Content/Config/KeyMappings.json \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/doc/kelvane/copyright \
  share/doc/kelvane/DejaVu-Fonts-LICENSE; do
  [ -e "$prefix/$f" ] || missing="$missing $f"
done
for size in 16 24 32 48 64 128 256; do
  [ -e "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || missing="$missing ${size}x${size} icon"
done
check "install tree complete${missing:+ (missing:$missing)}" test -z "$missing"
if command -v desktop-file-validate >/dev/null; then
  check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$id.desktop"
else
  fail "desktop-file-validate not installed (scripts/install-deps.sh)"
fi
if command -v appstreamcli >/dev/null; then
  check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
else
  fail "appstreamcli not installed (scripts/install-deps.sh)"
fi

# 2. The installed game, read-only, run from another folder.
listing() { (cd "$prefix" && find . -printf '%p %s %m\n' | sort && find . -type f -exec sha256sum {} + | sort); }
chmod -R a-w "$prefix"
before=$(listing)
game=$prefix/bin/kelvane
run() { (cd / && "$game" --headless --fixed-step --seed 1 "$@"); }
check "installed game runs headless from /" run --frames 30
run --frames 30 --script "$repo/tests/install/new-prefab.script" >"$work/first.out" 2>&1
check "editor saved the new prefab into the overlay" test -s "$overlay/Prefabs/NewPrefab.json"
check "editor said where it saved" grep -q "saved \"NewPrefab\" to $overlay/Prefabs" "$work/first.out"
check "install tree unchanged" test "$before" = "$(listing)"
run --frames 30 --script "$repo/tests/install/new-prefab.script" >"$work/second.out" 2>&1
check "second run loaded the overlay's prefab" test -s "$overlay/Prefabs/NewPrefab.001.json"
printf '{ "Components": ' >"$overlay/Prefabs/Broken.json"
run --frames 1 >"$work/broken.out" 2>&1
status=$?
check "broken overlay file stops start-up naming it" \
  test "$status" = 1 -a -n "$(grep "$overlay/Prefabs/Broken.json" "$work/broken.out")"
rm -f "$overlay/Prefabs/Broken.json"
mkdir -p "$work/alone/bin" && cp "$prefix/bin/kelvane" "$work/alone/bin/"
(cd / && "$work/alone/bin/kelvane" --headless --frames 1) >"$work/alone.out" 2>&1
status=$?
check "without Content one line names the places looked in" \
  test "$status" = 1 -a "$(wc -l <"$work/alone.out")" = 1 -a -n "$(grep -F "$work/alone/bin/Content" "$work/alone.out" |
    grep -F "$work/alone/share/kelvane/Content")"

# 3. The Debian package.
if deb=$(./scripts/package.sh); then
  pass "package built: $deb"
  version=$("$build/bin/kelvane" --version | awk '{print $2}')
  check "package version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
  depends=$(dpkg-deb -f "$deb" Depends)
  check "package declares its libraries ($depends)" grep -q 'libsdl2' <<<"$depends"
  dpkg-deb -x "$deb" "$work/unpacked"
  game=$work/unpacked/usr/bin/kelvane
  if [ -n "${DISPLAY:-}" ]; then
    check "packaged game starts in a window" bash -c "cd / && '$game' --frames 30 >/dev/null"
  else
    check "packaged game starts headless" run --frames 30
  fi
  # CI (root, its own machine) installs the package as a player would, starts the game from the
  # PATH, then removes it again (its dependencies are already there: the build installed them).
  if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ] && ! dpkg-query -W kelvane >/dev/null 2>&1; then
    if DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$(realpath "$deb")" >"$work/apt.out" 2>&1; then
      pass "apt-get install of the package"
      check "the installed menu entry is there" test -f /usr/share/applications/org.kelvane.Kelvane.desktop
      if [ -n "${DISPLAY:-}" ]; then
        check "kelvane on the PATH starts in a window" bash -c "cd / && kelvane --frames 30 >/dev/null"
      else
        check "kelvane on the PATH starts headless" bash -c "cd / && kelvane --headless --frames 30 >/dev/null"
      fi
      DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kelvane >/dev/null 2>&1 || fail "apt-get purge kelvane"
    else
      fail "apt-get install of the package: $(tail -n 3 "$work/apt.out" | tr '\n' ' ')"
    fi
  fi
else
  fail "scripts/package.sh"
fi

[ $failures -eq 0 ] && echo "install-check: all passed" || echo "install-check: $failures failed" >&2
exit $((failures > 0))
