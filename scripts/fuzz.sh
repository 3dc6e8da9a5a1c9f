#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs them one after another
# over a copy of their seed corpora; new inputs that libFuzzer finds are left in
# build-fuzz/corpus/<name>/ (--merge adds those that reach new code to
# tests/fuzz/corpus/<name>/). Prints the executions, seconds and executions per
# second of each target.
#
#   scripts/fuzz.sh [SECONDS] [-runs=N] [--merge] [NAME...]
#
# SECONDS (default 60) bounds each target's run; -runs=N stops a target after N
# executions instead (with SECONDS as well, at whichever comes first); NAMEs
# (result_file, date_typing, ...) pick targets, all of them by default.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=""
runs=""
merge=0
names=()
for arg in "$@"; do
  case "$arg" in
    -runs=*) runs=${arg#-runs=} ;;
    --merge) merge=1 ;;
    *[!0-9]*) names+=("$arg") ;;
    *) seconds=$arg ;;
  esac
done
if [ -z "$seconds" ] && [ -z "$runs" ]; then seconds=60; fi

# Options of single targets, each with its reason.
declare -A options=(
  # A day's result file is cut line by line: a kilobyte holds a full line of
  # all fifty cells and several more lines; longer inputs only repeat lines.
  [result_file]="-max_len=1024"
  # A folder listing is parsed line by line, each line well under 300 bytes:
  # a kilobyte holds several full lines, longer inputs only add lines.
  [list_line]="-max_len=1024"
  # Keys typed into a ten-character field: 126 keys fill, clear and retype it
  # many times over, and every key costs a step.
  [date_typing]="-max_len=128"
  # The settings reader keeps every file it has read in a process-wide cache,
  # so each input looks like a leak and would stop the run for a full leak
  # search; leaks are still reported when the run ends.
  [settings_ini]="-detect_leaks=0"
)

all=$(cd tests/fuzz && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')
if [ ${#names[@]} -eq 0 ]; then
  read -r -a names <<<"$(echo $all)"
fi
for name in "${names[@]}"; do
  if ! grep -qx "$name" <<<"$all"; then echo "no fuzz target '$name' (targets: $(echo $all))" >&2; exit 2; fi
done

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
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]/#/fuzz_}"

limits=()
if [ -n "$seconds" ]; then limits+=(-max_total_time="$seconds"); fi
if [ -n "$runs" ]; then limits+=(-runs="$runs"); fi
status=0
for name in "${names[@]}"; do
  t=fuzz_$name
  mkdir -p build-fuzz/corpus/$name
  cp -n tests/fuzz/corpus/$name/* build-fuzz/corpus/$name/ 2>/dev/null || true
  log=build-fuzz/$t.log
  # shellcheck disable=SC2086  # the options split into words
  extra=(${options[$name]:-})
  start=$(date +%s.%N)
  if ! build-fuzz/tests/fuzz/$t "${limits[@]}" "${extra[@]}" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix=build-fuzz/$t- build-fuzz/corpus/$name >"$log" 2>&1; then
    echo "$t: FAILED (see $log)"; status=1
  fi
  end=$(date +%s.%N)
  done_runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  awk -v t="$t" -v n="$done_runs" -v a="$start" -v b="$end" -v o="${options[$name]:-}" \
    'BEGIN { s = b - a; printf "%s: %d executions in %.0f s (%.0f/s)%s\n", t, n, s, (s > 0 ? n / s : 0), (o == "" ? "" : " " o) }'
  if [ $merge -eq 1 ]; then
    build-fuzz/tests/fuzz/$t -merge=1 "${extra[@]}" tests/fuzz/corpus/$name build-fuzz/corpus/$name >>"$log" 2>&1
    echo "  tests/fuzz/corpus/$name: $(ls tests/fuzz/corpus/$name | wc -l) files"
  fi
done
exit $status
