#!/usr/bin/env bash
# The package suite: builds the Debian package from a clean copy of the
# checkout (its tracked and its new, unignored files) with dpkg-buildpackage,
# then checks what it built. Each check is one test; the last line is
# "package: N passed, M failed". Runs under an X server (the installed game
# plays), after build/ is built (the e2e helpers and the game copy come from it).
#   tests/package/check_package.sh
# Where ccache is installed the package build uses it with the checkout as its
# base, so it finds the objects build/ compiled (scripts/configure builds
# build/ with the package's flags).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$root/build-deb
started=$SECONDS
passed=0 failed=0

check() {  # check NAME COMMAND...: one test
  local name=$1; shift
  if "$@"; then
    echo "ok   $name"; passed=$((passed + 1))
  else
    echo "FAIL $name"; failed=$((failed + 1))
  fi
}
finish() {
  echo "package suite: $((SECONDS - started)) s"
  echo "package: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

version=$(sed -n 's/^project(Kel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
source_dir=$work/kel-$version

# 1. The package, built as `dpkg-buildpackage -us -uc -b` builds it; the unit
# suite already ran in build/, so not again (nocheck).
build_package() {
  rm -rf "$work" && mkdir -p "$source_dir" || return 1
  git -C "$root" rev-parse --git-dir >/dev/null 2>&1 || { echo "     not a git checkout: no way to tell its files"; return 1; }
  (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
    (cd "$root" && tar --null --ignore-failed-read -T - -cf -) | tar -xf - -C "$source_dir" || return 1
  local launcher=()
  if command -v ccache >/dev/null; then
    # debhelper gives the build a HOME of its own, so the cache is named.
    launcher=(CCACHE_DIR="$(ccache -k cache_dir)" CCACHE_BASEDIR="$root"
              CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  local begun=$SECONDS
  (cd "$source_dir" && env "${launcher[@]}" DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" \
    dpkg-buildpackage -us -uc -b -Pnocheck) >"$work/build.log" 2>&1
  local rc=$?
  echo "     dpkg-buildpackage: $((SECONDS - begun)) s, status $rc (log: build-deb/build.log)"
  [ "$rc" -eq 0 ] || { tail -n 30 "$work/build.log"; return 1; }
  deb=$(ls "$work"/kel_"$version"_*.deb 2>/dev/null | head -1)
  changes=$(ls "$work"/kel_"$version"_*.changes 2>/dev/null | head -1)
  [ -n "$deb" ] && [ -n "$changes" ] && dpkg-deb -x "$deb" "$work/root"
}
check "dpkg-buildpackage -us -uc -b builds the package from a clean copy" build_package
[ -d "$work/root" ] || finish
installed=$work/root

# 2. The layout the launcher, the menu and the software centres expect.
layout() {
  local missing=0 path
  for path in usr/games/kel usr/lib/games/kel/kel usr/lib/games/kel/setup usr/bin/kel-forge \
    usr/share/games/kel/data/tex.list usr/share/games/kel/data/maps/test.pack \
    usr/share/applications/kel.desktop usr/share/icons/hicolor/scalable/apps/kel.svg \
    usr/share/metainfo/io.github.kel_engine.kel.metainfo.xml \
    usr/share/man/man6/kel.6.gz usr/share/man/man1/kel-forge.1.gz usr/share/doc/kel/copyright; do
    [ -e "$installed/$path" ] || { echo "     missing /$path"; missing=1; }
  done
  [ "$missing" -eq 0 ]
}
check "the package installs the game, the forge, the data, the pages and the metadata where they belong" layout

# 3. lintian (errors and warnings fail; overrides only in debian/*.lintian-overrides).
lint() {
  lintian --fail-on error,warning "$changes" >"$work/lintian.log" 2>&1
  local rc=$?
  sed 's/^/     /' "$work/lintian.log"
  return $rc
}
check "lintian reports no error or warning on the .deb and the .changes" lint

# 4. AppStream. --no-net: these machines reach no host but the package
# mirrors, so the screenshot and homepage addresses are not fetched.
metainfo() {
  appstreamcli validate --no-net "$installed"/usr/share/metainfo/*.metainfo.xml 2>&1 | sed 's/^/     /'
  return "${PIPESTATUS[0]}"
}
check "appstreamcli validate passes the metainfo" metainfo

# 5. The manual pages: man shows them with no warning.
page() {
  local out warnings
  warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
  out=$(man -l "$1" 2>/dev/null)
  [ -z "$warnings" ] || echo "     $warnings"
  [ -z "$warnings" ] && grep -q NAME <<<"$out" && grep -q 'EXIT STATUS' <<<"$out"
}
check "man shows kel(6)" page "$installed/usr/share/man/man6/kel.6.gz"
check "man shows kel-forge(1)" page "$installed/usr/share/man/man1/kel-forge.1.gz"

# 6. --help, --version and a wrong option, for every program, in an empty
# folder without a display: any window, setup run or game start would fail.
# (The launcher makes its player folder, here in the scratch folder, before
# it hands a wrong option to the game.)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
run_program() {  # run_program PROGRAM ARGS...: sets rc, out, err
  rc=0
  (cd "$scratch" && env -u DISPLAY XDG_DATA_HOME="$scratch/home" timeout 10 "$@" >"$scratch.out" 2>"$scratch.err") || rc=$?
  out=$(cat "$scratch.out"); err=$(cat "$scratch.err")
  rm -f "$scratch.out" "$scratch.err"
}
help_ok() {
  run_program "$@" --help
  [ "$rc" -eq 0 ] && [ -z "$err" ] && [[ "$out" == Usage:* ]] || { echo "     status $rc, stdout '${out:0:80}', stderr '${err:0:200}'"; return 1; }
}
version_ok() {
  run_program "$@" --version
  [ "$rc" -eq 0 ] && [ -z "$err" ] && [[ "$out" == *" $version" ]] || { echo "     status $rc, stdout '$out' (want ... $version), stderr '${err:0:200}'"; return 1; }
}
wrong_option_ok() {
  run_program "$@" --no-such-option
  [ "$rc" -eq 1 ] && [ -z "$out" ] && [[ "$err" == *Usage:* ]] || { echo "     status $rc, stdout '${out:0:80}', stderr '${err:0:200}'"; return 1; }
}
for program in usr/games/kel usr/lib/games/kel/kel usr/lib/games/kel/setup usr/bin/kel-forge; do
  check "/$program --help: usage on stdout, status 0" help_ok "$installed/$program"
  check "/$program --version: $version, status 0" version_ok "$installed/$program"
  check "/$program --no-such-option: usage on stderr, status 1" wrong_option_ok "$installed/$program"
done

# 7. One version: project() in CMakeLists.txt, the changelog, the metainfo's newest release.
versions_agree() {
  local changelog newest
  changelog=$(cd "$source_dir" && dpkg-parsechangelog -S Version)
  newest=$(grep -o '<release version="[^"]*"' "$installed"/usr/share/metainfo/*.metainfo.xml | head -1 | cut -d'"' -f2)
  [ "$changelog" = "$version" ] && [ "$newest" = "$version" ] ||
    { echo "     project() $version, debian/changelog $changelog, metainfo $newest"; return 1; }
}
check "project(), debian/changelog and the metainfo name one version" versions_agree

# 8. The installed game plays from the player's folder (the e2e test on the package's files).
installed_game() {
  KEL_INSTALL_DEB=$deb KEL_GAME_DIR=$root/build/game KEL_BUILD_DIR=$root/build \
    KEL_E2E_LIB=$root/tests/e2e/lib.sh KEL_CLOSE_WINDOW=$root/build/tests/e2e/close_window ALSOFT_DRIVERS=null \
    timeout 180 bash "$root/tests/e2e/installed_game_writes_only_player_folder.sh" 2>&1 | sed 's/^/     /'
  return "${PIPESTATUS[0]}"
}
check "the package's game plays from the player folder and leaves the install as it was" installed_game

finish
