#pragma once

// A master log as years of use leave it, for the benchmarks that read one:
// batches of five lines A to E with stamps that only grow, in one of two
// shapes. Written at disk speed: a 200 MB log takes a second or so.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

enum class LogShape {
    // Each batch saved twice, the second time after Sort: of every line the
    // later record counts, and half the records are kept.
    savedTwiceSorted,
    // As a long repeat run leaves it: one batch in five saved twice, the rest
    // once, never sorted, so that nearly every record is a line of its own.
    repeatRun,
};

inline const char *shapeName(LogShape shape)
{
    return shape == LogShape::savedTwiceSorted ? "every batch saved twice, the second time sorted"
                                               : "a repeat run's, one batch in five saved twice";
}

struct BigLog
{
    uint64_t records = 0, lines = 0, bytes = 0;
};

inline BigLog writeBigLog(const std::string &path, uint64_t atLeast, LogShape shape = LogShape::savedTwiceSorted)
{
    BigLog log;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return log;
    std::mt19937_64 random(20261206);
    int year = 2016, month = 1, day = 1, second = 9 * 3600;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::string out;
    uint64_t written = 0;
    out.reserve(1 << 21);
    char *at = nullptr;
    const auto two = [&at](int n) {
        *at++ = char('0' + n / 10);
        *at++ = char('0' + n % 10);
    };
    for (uint64_t batch = 0; log.bytes < atLeast; ++batch) {
        // A batch every few minutes, day and night.
        second += 60 + int(random() % 1200);
        while (second >= 86400) {
            second -= 86400;
            const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
            if (++day > days[month - 1] + (month == 2 && leap)) {
                day = 1;
                if (++month > 12) {
                    month = 1;
                    ++year;
                }
            }
        }
        int numbers[5][6];
        for (auto &line : numbers) {
            int pool[43];
            for (int i = 0; i < 43; ++i)
                pool[i] = i + 1;
            for (int i = 0; i < 6; ++i) {
                std::swap(pool[i], pool[i + int(random() % uint64_t(43 - i))]);
                line[i] = pool[i];
            }
        }
        const int saves = shape == LogShape::savedTwiceSorted || batch % 5 == 4 ? 2 : 1;
        for (int save = 0; save < saves; ++save) {
            for (int k = 0; k < 5; ++k) {
                if (save == 1 && shape == LogShape::savedTwiceSorted)
                    std::sort(numbers[k], numbers[k] + 6);
                char record[64];
                at = record;
                two(year / 100);
                two(year % 100);
                *at++ = '/';
                two(month);
                *at++ = '/';
                two(day);
                *at++ = ',';
                two(second / 3600);
                *at++ = ':';
                two(second / 60 % 60);
                *at++ = ':';
                two(second % 60);
                *at++ = ',';
                *at++ = char('A' + k);
                for (const int n : numbers[k]) {
                    *at++ = ',';
                    if (n >= 10)
                        *at++ = char('0' + n / 10);
                    *at++ = char('0' + n % 10);
                }
                *at++ = '\r';
                *at++ = '\n';
                out.append(record, size_t(at - record));
                ++log.records;
            }
        }
        log.lines += 5;
        log.bytes = written + out.size();
        if (out.size() > (1 << 20)) {
            written += std::fwrite(out.data(), 1, out.size(), file);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), file);
    if (std::fclose(file) != 0)
        log = BigLog();
    return log;
}
