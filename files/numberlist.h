#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Numbers to tell the user of, such as the lines that could not be read:
// all are counted, the first few kept. A file of a million bad lines is
// told in a line, and read in memory that does not grow with it.
struct NumberList
{
    static constexpr size_t kept = 20;

    uint64_t count = 0;
    std::vector<uint64_t> first; // in the order added

    void add(uint64_t number)
    {
        ++count;
        if (first.size() < kept)
            first.push_back(number);
    }
    // Adds the numbers of `later`, each `by` more, as if added here one by one.
    void append(const NumberList &later, uint64_t by)
    {
        count += later.count;
        for (size_t i = 0; i < later.first.size() && first.size() < kept; ++i)
            first.push_back(later.first[i] + by);
    }
    bool empty() const { return count == 0; }
    bool operator==(const NumberList &other) const { return count == other.count && first == other.first; }
    bool operator!=(const NumberList &other) const { return !(*this == other); }
};
