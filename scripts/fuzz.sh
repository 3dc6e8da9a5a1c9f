#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each for SECONDS
# (default 60) over a copy of its seed corpus; new inputs that libFuzzer finds
# are left in build-fuzz/corpus/<name>/ to add to tests/fuzz/corpus/ by hand.
# Prints the executions per target.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh
# clang's libFuzzer and sanitizer runtimes are needed here only, not by the test command.
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed"; then
  sudo_cmd=(); if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVANET_FUZZ=ON -DORVANET_BUILD_TESTS=ON -DORVANET_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  -DCMAKE_C_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=$(cd tests/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
cmake --build build-fuzz -j"$(nproc)" --target $targets
status=0
for t in $targets; do
  name=${t#fuzz_}
  mkdir -p build-fuzz/corpus/$name
  cp -n tests/fuzz/corpus/$name/* build-fuzz/corpus/$name/ 2>/dev/null || true
  log=build-fuzz/$t.log
  if ! build-fuzz/tests/fuzz/$t -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix=build-fuzz/$t- build-fuzz/corpus/$name >"$log" 2>&1; then
    echo "$t: FAILED (see $log)"; status=1
  fi
  runs=$(grep -o 'Done [0-9]* runs' "$log" | tail -1 | grep -o '[0-9]*' || echo "?")
  echo "$t: $runs executions in ${seconds} s"
done
exit $status
