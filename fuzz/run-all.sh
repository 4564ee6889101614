#!/usr/bin/env bash
# Builds the fuzzing harnesses, makes their seed corpora and runs each harness for SECONDS
# (default 60), one after another. Fails when any harness reports a finding: a crash, a
# sanitizer report, a leak, an input running longer than the time limit, or one needing more
# memory than the limit. Findings land in BUILD/fuzz-artifacts/<harness>/.
#   usage: fuzz/run-all.sh [SECONDS]
# Environment: PELORIN_FUZZ_BUILD (build folder, default build-fuzz), PELORIN_FUZZ_HARNESSES
# (default "load bmp gif jpeg pcx targa preview"), PELORIN_FUZZ_NO_BUILD=1 to use the build as
# it is, PELORIN_FUZZ_TIMEOUT (seconds an input may take, default 10), PELORIN_FUZZ_RSS_MB
# (memory a run may hold, default 2048: the bitmap ceiling of 1 GiB and the sanitizers' share).
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PELORIN_FUZZ_BUILD:-$root/build-fuzz}"
read -r -a harnesses <<<"${PELORIN_FUZZ_HARNESSES:-load bmp gif jpeg pcx targa preview}"
timeout="${PELORIN_FUZZ_TIMEOUT:-10}"
rss="${PELORIN_FUZZ_RSS_MB:-2048}"

if [ -z "${PELORIN_FUZZ_NO_BUILD:-}" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPELORIN_FUZZ=ON -DPELORIN_WERROR=ON -DPELORIN_BUILD_TESTS=OFF -DPELORIN_CORE_ONLY=ON >/dev/null
    cmake --build "$build" --target fuzz -j2
fi

"$root/fuzz/make-corpus.sh" "$build/fuzz-seeds" >/dev/null
cat "$root"/fuzz/dict/*.dict >"$build/fuzz-seeds/load.dict"

failed=()
for harness in "${harnesses[@]}"; do
    corpus="$build/fuzz-corpus/$harness"
    artifacts="$build/fuzz-artifacts/$harness"
    log="$build/fuzz-logs/$harness.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    dict="$root/fuzz/dict/$harness.dict"
    [ "$harness" != load ] && [ "$harness" != preview ] || dict="$build/fuzz-seeds/load.dict"
    echo "== $harness: ${seconds}s"
    status=0
    nice -n "${PELORIN_FUZZ_NICE:-10}" "$build/fuzz/fuzz_$harness" "$corpus" "$build/fuzz-seeds/$harness" \
        -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb="$rss" -max_len=32768 \
        -dict="$dict" -use_value_profile=1 -report_slow_units=2 -print_final_stats=1 -close_fd_mask=2 \
        -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?
    # The last status line, the statistics and any report.
    grep -E "^#[0-9]+[[:space:]]+(DONE|INITED|REDUCE|NEW|pulse)" "$log" | tail -n 1 || true
    grep -E "^stat::(number_of_executed_units|peak_rss_mb)|Slowest unit" "$log" || true
    if [ "$status" -ne 0 ]; then
        grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -n 20 || true
        echo "!! $harness: finding (exit $status), log $log"
        failed+=("$harness")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "findings in: ${failed[*]}"
    exit 1
fi
echo "no findings"
