// Prints the time the text form's key scan takes over a long key above
// deeply nested lists, for growing key lengths. The figure should grow in
// proportion to the key length, whatever the nesting (a scan that copies the
// key into every level's path grows with length times depth).
#include <chrono>
#include <cstdio>
#include <string>

#include "model/JsonDuplicateKeys.h"

int main() {
    for (int depth : {60, 1000}) {
        for (std::size_t megabytes : {1, 2, 4}) {
            const std::string key(megabytes << 20, 'k');
            const std::string text =
                "{\"" + key + "\": " + std::string(depth, '[') + std::string(depth, ']') + ", \"" + key + "\": 1}";
            const auto start = std::chrono::steady_clock::now();
            const JsonKeyScan scan = ScanJsonKeys(text);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::printf("key %zu MB over %4d nested lists: %8.1f ms, %zu repeated, too deep %s\n", megabytes, depth, ms,
                        scan.m_Duplicates.size(), scan.m_bTooDeep ? "yes" : "no");
        }
    }
    return 0;
}
