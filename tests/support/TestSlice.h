#pragma once
// A data-driven test with many rows runs as several processes side by side: with
// ORV_TEST_SLICE=k/n (k from 1) a process takes rows k, k+n, k+2n, ... (counted
// from 1), so that the slow rows spread over the slices; without it, every row.
// Together the n slices run every row once (orv_qtest(... SLICES n)).
#include <cstdlib>
#include <cstdio>

namespace orv::test {

inline bool InThisSlice(int row) {
    const char* slice = std::getenv("ORV_TEST_SLICE");
    int k = 0, n = 0;
    if (!slice || std::sscanf(slice, "%d/%d", &k, &n) != 2 || n < 1 || k < 1 || k > n) return true;
    return row % n == k - 1;
}

}  // namespace orv::test
