#!/usr/bin/env bash
# Builds, once, everything the program needs for 64-bit Windows from Debian's
# source packages, with Debian's mingw-w64 (POSIX thread model) and the host Qt
# tools Debian already has in /usr (same Qt version, 6.4.2):
#   SQLite (Debian's sqlite3 source, for Qt's SQLite driver), qtbase (Core, Gui,
#   Widgets, PrintSupport, Sql, Network, Test), qtsvg, qtcharts, libcurl
#   (Schannel, no OpenSSL), QtKeychain (the Windows credential store), GoogleTest.
# Everything goes under ${ORVANET_WINDOWS_SDK:-$HOME/.cache/orvanet/windows-sdk}:
#   prefix/  the installed SDK (what scripts/windows-build.sh uses)
#   work/    sources and build folders (may be deleted once the SDK is ready)
#   log/     one log per step
# Each step leaves a stamp in stamps/ when it is done: a rerun skips the done
# steps (a rerun of a finished SDK does nothing) and an interrupted build goes on
# where it stopped (ninja keeps its own state). The script lowers its own
# priority (nice 19) so the build only takes idle time; ORVANET_WINDOWS_JOBS
# (default 2) sets the parallel jobs. The last line is `windows-sdk: ready PATH`.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

sdk=${ORVANET_WINDOWS_SDK:-$HOME/.cache/orvanet/windows-sdk}
jobs=${ORVANET_WINDOWS_JOBS:-2}
prefix=$sdk/prefix
work=$sdk/work
logs=$sdk/log
stamps=$sdk/stamps
mkdir -p "$prefix" "$work/src" "$work/build" "$logs" "$stamps"
renice -n 19 -p $$ >/dev/null 2>&1 || true

step_count=0
steps_done=0
all_steps=(toolchain sources sqlite qtbase-configure qtbase curl googletest qtsvg qtcharts qtkeychain)
say() { echo "windows-sdk: $*"; }
done_already() { [ -e "$stamps/$1" ]; }
mark_done() { touch "$stamps/$1"; }
# run_step NAME FUNCTION: runs FUNCTION unless NAME is stamped, its output in log/NAME.log.
run_step() {
  local name=$1 fn=$2
  step_count=$((step_count + 1))
  [[ " ${wanted[*]} " == *" $name "* ]] || return 0
  if done_already "$name"; then
    steps_done=$((steps_done + 1))
    return 0
  fi
  say "step $step_count of ${#all_steps[@]}: $name (log: $logs/$name.log)"
  local started=$SECONDS
  # In the background and awaited: errexit holds inside the step (it would not under `if`).
  "$fn" >>"$logs/$name.log" 2>&1 &
  if ! wait $!; then
    tail -30 "$logs/$name.log" | sed 's/^/    /'
    say "failed at $name; rerun the script to resume (log: $logs/$name.log)"
    exit 1
  fi
  mark_done "$name"
  steps_done=$((steps_done + 1))
  say "$name done in $(((SECONDS - started) / 60)) min"
}

# With step names as arguments only those run (curl and googletest need nothing
# of Qt, so they can run beside a long qtbase build); without, all in order.
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=("${all_steps[@]}")
missing=0
for s in "${all_steps[@]}"; do done_already "$s" || missing=$((missing + 1)); done
if [ "$missing" -eq 0 ]; then
  say "ready $prefix"
  exit 0
fi

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  cmake ninja-build dpkg-dev tcl qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev googletest
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
toolchain=$sdk/mingw-w64-x86_64.cmake
qt_toolchain=$prefix/lib/cmake/Qt6/qt.toolchain.cmake

# --- the cross toolchain file (the SDK's own prefix first, then mingw-w64's) ---
write_toolchain() {
  cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH $prefix /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
}

# --- Debian's source packages, through a sources file of this script's own ---
apt_options() {
  echo -o Dir::Etc::sourcelist="$sdk/apt/sources.list" -o Dir::Etc::sourceparts=- \
    -o Dir::State::Lists="$sdk/apt/lists" -o Dir::Cache="$sdk/apt/cache" -o APT::Get::Only-Source=true
}
fetch_sources() {
  mkdir -p "$sdk/apt/lists/partial" "$sdk/apt/cache/archives/partial" "$work/src/debian"
  cat >"$sdk/apt/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOF
  # shellcheck disable=SC2046
  apt-get $(apt_options) update
  cd "$work/src/debian"
  local package version
  # Qt at the version of the host tools in /usr; the others at the archive's version.
  version=$(dpkg-query -W -f='${source:Version}' libqt6core6)
  # shellcheck disable=SC2046
  apt-get $(apt_options) source --download-only "qt6-base=$version" ||
    apt-get $(apt_options) source --download-only qt6-base
  for package in sqlite3 curl; do
    # shellcheck disable=SC2046
    apt-get $(apt_options) source --download-only "$package"
  done
  for package in qt6-base sqlite3 curl; do
    unpack "$package"
  done
  # The archive this machine reaches has served no tarball of these three (only
  # their .dsc): a step whose source cannot be had is recorded as skipped.
  for package in qt6-svg qt6-charts qtkeychain; do
    rm -f "$sdk/unavailable-$package"
    # shellcheck disable=SC2046
    if apt-get $(apt_options) source --download-only "$package"; then
      unpack "$package"
    else
      echo "$package: the archive did not serve its source" | tee "$sdk/unavailable-$package"
    fi
  done
}
# unpack PACKAGE: the newest .dsc of PACKAGE into work/src/PACKAGE (Debian's patches applied).
unpack() {
  local dsc
  dsc=$(ls "$work/src/debian/$1"_*.dsc | sort -V | tail -1)
  rm -rf "$work/src/$1"
  dpkg-source --no-check -x "$dsc" "$work/src/$1"
}

# --- SQLite: the amalgamation made from Debian's sqlite3 source, built as a DLL ---
build_sqlite() {
  local b=$work/build/sqlite
  rm -rf "$b" && mkdir -p "$b" && cd "$b"
  # The amalgamation is generated by a native build (tclsh and small host tools).
  "$work/src/sqlite3/configure" --disable-tcl >/dev/null
  make -j"$jobs" sqlite3.c
  local flags=(-O2 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS5 -DSQLITE_ENABLE_JSON1
    -DSQLITE_ENABLE_RTREE -DSQLITE_THREADSAFE=1 -DSQLITE_API=__declspec\(dllexport\))
  x86_64-w64-mingw32-gcc-posix "${flags[@]}" -c sqlite3.c -o sqlite3.o
  x86_64-w64-mingw32-gcc-posix -shared -o libsqlite3-0.dll sqlite3.o -Wl,--out-implib,libsqlite3.dll.a
  mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include"
  cp libsqlite3-0.dll "$prefix/bin/"
  cp libsqlite3.dll.a "$prefix/lib/"
  cp sqlite3.h sqlite3ext.h "$prefix/include/"
}

# --- qtbase: only what the program uses ---
configure_qtbase() {
  local b=$work/build/qtbase
  rm -rf "$b" && mkdir -p "$b"
  cmake -S "$work/src/qt6-base" -B "$b" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
    -DFEATURE_icu=OFF -DFEATURE_openssl=OFF -DINPUT_openssl=no \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF -DFEATURE_system_md4c=OFF \
    -DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
    -DSQLite3_INCLUDE_DIR="$prefix/include" -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.dll.a" \
    -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
    -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_gif=ON -DFEATURE_ico=ON
}
build_qtbase() {
  cmake --build "$work/build/qtbase" --parallel "$jobs"
  cmake --install "$work/build/qtbase"
}

# --- qtsvg and qtcharts against the installed qtbase ---
build_qt_module() {
  local package=$1 b=$work/build/$1
  if [ -e "$sdk/unavailable-$package" ]; then cat "$sdk/unavailable-$package"; return 0; fi
  mkdir -p "$b"
  [ -e "$b/build.ninja" ] ||
    cmake -S "$work/src/$package" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  cmake --build "$b" --parallel "$jobs"
  cmake --install "$b"
}
build_qtsvg() { build_qt_module qt6-svg; }
build_qtcharts() { build_qt_module qt6-charts; }

# --- libcurl with Windows' own TLS (Schannel), FTP and FTPS only needed ---
build_curl() {
  local b=$work/build/curl
  mkdir -p "$b"
  [ -e "$b/build.ninja" ] ||
    cmake -S "$work/src/curl" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
      -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF \
      -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF -DCURL_ZLIB=OFF \
      -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON -DENABLE_MANUAL=OFF
  cmake --build "$b" --parallel "$jobs"
  cmake --install "$b"
}

# --- QtKeychain on the Windows credential store ---
build_qtkeychain() {
  local b=$work/build/qtkeychain
  if [ -e "$sdk/unavailable-qtkeychain" ]; then cat "$sdk/unavailable-qtkeychain"; return 0; fi
  mkdir -p "$b"
  [ -e "$b/build.ninja" ] ||
    cmake -S "$work/src/qtkeychain" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_WITH_QT6=ON \
      -DBUILD_TRANSLATIONS=OFF -DBUILD_TEST_APPLICATION=OFF -DUSE_CREDENTIAL_STORE=ON
  cmake --build "$b" --parallel "$jobs"
  cmake --install "$b"
}

# --- GoogleTest from Debian's googletest package (its sources in /usr/src) ---
build_googletest() {
  local b=$work/build/googletest
  mkdir -p "$b"
  [ -e "$b/build.ninja" ] ||
    cmake -S /usr/src/googletest -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
  cmake --build "$b" --parallel "$jobs"
  cmake --install "$b"
}

run_step toolchain write_toolchain
run_step sources fetch_sources
run_step sqlite build_sqlite
run_step qtbase-configure configure_qtbase
run_step qtbase build_qtbase
run_step curl build_curl
run_step googletest build_googletest
run_step qtsvg build_qtsvg
run_step qtcharts build_qtcharts
run_step qtkeychain build_qtkeychain
missing=0
for s in "${all_steps[@]}"; do done_already "$s" || missing=$((missing + 1)); done
for f in "$sdk"/unavailable-*; do [ -e "$f" ] && say "skipped: $(cat "$f")"; done
if [ "$missing" -eq 0 ]; then say "ready $prefix"; else say "$missing of ${#all_steps[@]} steps left"; fi
