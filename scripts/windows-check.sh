#!/usr/bin/env bash
# Builds the plain C++ layers (no Qt, no libcurl) and their GoogleTest tests for
# 64-bit Windows with mingw-w64 and runs the tests under Wine. Installs what it
# needs from Debian first (nothing when all is there). When the Windows SDK of
# scripts/windows-sdk.sh is there, it then builds the whole program with its
# tests against it (scripts/windows-build.sh) and runs them under Wine through
# ctest: the window tests (offscreen platform) and the rest; without the SDK it
# says that they were not run. The last line says
#   windows: N tests passed, M failed
# (N: the plain layers' test cases plus the whole build's test programs) and the
# status is 0 only when M is 0 and N > 0.
# Outside CI (see the README): the first run sets up a Wine prefix and builds
# GoogleTest, which a two-core CI machine cannot afford beside the full suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=${ORVANET_WINDOWS_BUILD:-$source_dir/build-windows}
sdk=${ORVANET_WINDOWS_SDK:-$HOME/.cache/orvanet/windows-sdk}
app=${ORVANET_WINDOWS_APP_BUILD:-$source_dir/build-windows-app}

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$build"
cmake -S cmake/windows -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/windows/mingw-w64-x86_64.cmake" "${launcher[@]}" >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log"; echo "windows: 0 tests passed, 1 failed (configure)"; exit 1; }
if ! ninja -C "$build" -j"${ORVANET_WINDOWS_JOBS:-2}"; then
  echo "windows: 0 tests passed, 1 failed (build)"
  exit 1
fi

# Wine in a prefix of its own, and a home of its own: never the user's ~/.wine or home.
home=$build/home
mkdir -p "$home"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export ORVANET_SOURCE_DIR=$source_dir
wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
"$wine" wineboot --init >/dev/null 2>&1 || true
# One Wine server for all the test programs (not one started and stopped for each).
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
"$wineserver" -p >/dev/null 2>&1 || true
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT

left_out=$(grep -c . "$build/windows-left-out.txt" || true)
echo "Not built for Windows (they need Qt, ICU, libcurl or the local central laboratory): $left_out test programs"
sed 's/^/  /' "$build/windows-left-out.txt"

passed=0
failed=0
while read -r name; do
  [ -n "$name" ] || continue
  exe=$(find "$build/tests" -name "$name.exe" -print -quit)
  log=$build/logs/$name.log
  mkdir -p "$build/logs"
  status=0
  timeout 600 "$wine" "$exe" >"$log" 2>&1 || status=$?
  tr -d '\r' <"$log" >"$log.txt" && mv "$log.txt" "$log"
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  p=${p:-0}
  f=${f:-0}
  # A program that ended without its summary (a crash, the time limit) counts as one failure.
  if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  echo "$name: $p passed, $f failed"
  if [ "$f" -ne 0 ]; then sed 's/^/    /' "$log" | grep -E '^\s+(\[  FAILED|.*Failure|.*Which is|.*Expected)' | head -40 || true; fi
  passed=$((passed + p))
  failed=$((failed + f))
done <"$build/windows-tests.txt"

# --- The whole program's tests, against the SDK ---
if [ -e "$sdk/prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  if HOME=$build/home ORVANET_WINDOWS_SDK=$sdk ORVANET_WINDOWS_APP_BUILD=$app ORVANET_WINDOWS_TESTS=ON \
    bash scripts/windows-build.sh >"$build/logs/windows-build.log" 2>&1; then
    # The SDK's DLLs and plugins for the test programs, which run from the build folder.
    export WINEPATH QT_PLUGIN_PATH
    WINEPATH=$("$wine" winepath -w "$sdk/prefix/bin" 2>/dev/null | tr -d '\r')
    QT_PLUGIN_PATH=$("$wine" winepath -w "$sdk/prefix/plugins" 2>/dev/null | tr -d '\r')
    echo "Not built for Windows in the whole build: $(grep -c . "$app/tests-left-out.txt" || true) test programs"
    sed 's/^/  /' "$app/tests-left-out.txt"
    ctest --test-dir "$app" -j1 --timeout 600 --output-on-failure >"$build/logs/window-tests.log" 2>&1 || true
    total=$(sed -n 's/.*tests passed, \([0-9]*\) tests* failed out of \([0-9]*\).*/\2/p' "$build/logs/window-tests.log")
    broken=$(sed -n 's/.*tests passed, \([0-9]*\) tests* failed out of \([0-9]*\).*/\1/p' "$build/logs/window-tests.log")
    total=${total:-0}
    broken=${broken:-1}
    echo "whole build under Wine: $((total - broken)) of $total test programs passed (log: $build/logs/window-tests.log)"
    sed -n '/The following tests FAILED/,$p' "$build/logs/window-tests.log" | sed 's/^/  /'
    passed=$((passed + total - broken))
    failed=$((failed + broken))
  else
    tail -30 "$build/logs/windows-build.log" | sed 's/^/  /'
    echo "whole build for Windows: failed (log: $build/logs/windows-build.log)"
    failed=$((failed + 1))
  fi
else
  echo "Window tests not run: no Windows SDK in $sdk (bash scripts/windows-sdk.sh builds it: hours on two cores)"
fi

echo "windows: $passed tests passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
