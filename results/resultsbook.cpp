#include "resultsbook.h"

#include "files/textlines.h"

#include <algorithm>
#include <utility>

const char *const ResultsBook::fileName = "KelpResults.csv";

namespace {
bool byNumber(const DrawResult &a, const DrawResult &b)
{
    return a.number < b.number;
}

enum class Folded { Known, Filled, Conflict };

// The same draw again, into the one kept.
Folded fold(DrawResult &kept, const DrawResult &draw)
{
    if (!kept.sameDraw(draw))
        return Folded::Conflict;
    bool filled = false;
    for (size_t tier = 0; tier < kept.prizes.size(); ++tier) {
        if (kept.prizes[tier] == DrawResult::unknown && draw.prizes[tier] != DrawResult::unknown) {
            kept.prizes[tier] = draw.prizes[tier];
            filled = true;
        }
    }
    return filled ? Folded::Filled : Folded::Known;
}
} // namespace

ResultsBook ResultsBook::read(const char *data, size_t size)
{
    ResultsBook book;
    std::vector<std::pair<DrawResult, uint64_t>> records; // with their line numbers
    std::vector<std::pair<uint64_t, std::string>> others;
    uint64_t lineNumber = 0;
    forEachLine(data, size, [&](const char *line, size_t length) {
        DrawResult draw;
        if (parseResultRecord(line, length, draw))
            records.emplace_back(draw, ++lineNumber);
        else
            others.emplace_back(++lineNumber, std::string(line, length));
    });
    // In the order of their numbers, however the book was edited; of a draw
    // there twice, the first counts. A record is read exactly as it is written.
    std::stable_sort(records.begin(), records.end(), [](const auto &a, const auto &b) { return byNumber(a.first, b.first); });
    for (const auto &[draw, line] : records) {
        if (!book.all.empty() && book.all.back().number == draw.number)
            others.emplace_back(line, recordOf(draw));
        else
            book.all.push_back(draw);
    }
    std::sort(others.begin(), others.end());
    for (const auto &[line, text] : others) {
        book.skippedLines.add(line);
        book.unreadable += text + "\r\n";
        book.otherText = book.otherText || text.find_first_not_of(" \t\r") != std::string::npos;
    }
    book.sortByDate();
    return book;
}

const DrawResult *ResultsBook::find(int number) const
{
    // Draws are numbered one after another: most are found at once.
    if (!all.empty() && number >= all.front().number) {
        const size_t guess = size_t(number - all.front().number);
        if (guess < all.size() && all[guess].number == number)
            return &all[guess];
    }
    DrawResult wanted;
    wanted.number = number;
    const auto found = std::lower_bound(all.begin(), all.end(), wanted, byNumber);
    return found != all.end() && found->number == number ? &*found : nullptr;
}

void ResultsBook::sortByDate()
{
    dated.resize(all.size());
    for (size_t i = 0; i < dated.size(); ++i)
        dated[i] = i;
    std::sort(dated.begin(), dated.end(), [this](size_t a, size_t b) {
        return all[a].date != all[b].date ? all[a].date < all[b].date : all[a].number < all[b].number;
    });
}

ResultsBook::Merging ResultsBook::mergeAll(std::vector<DrawResult> draws)
{
    // Both in number order, merged in one pass: a file of thousands of draws
    // in any order takes no longer than one in order.
    std::stable_sort(draws.begin(), draws.end(), byNumber);
    Merging merging;
    // A draw the file holds twice is one conflict.
    auto conflict = [&merging, last = 0](int number) mutable {
        if (last != number)
            merging.conflicts.add(uint64_t(number));
        last = number;
    };
    std::vector<DrawResult> merged;
    merged.reserve(all.size() + draws.size());
    auto kept = all.begin();
    for (const DrawResult &draw : draws) {
        while (kept != all.end() && kept->number < draw.number)
            merged.push_back(*kept++);
        if (kept != all.end() && kept->number == draw.number)
            merged.push_back(*kept++);
        else if (merged.empty() || merged.back().number != draw.number) {
            const bool inOrder = (merged.empty() || merged.back().date < draw.date)
                                 && (kept == all.end() || draw.date < kept->date);
            if (inOrder) {
                merged.push_back(draw);
                ++merging.added;
            } else {
                conflict(draw.number);
            }
            continue;
        }
        switch (fold(merged.back(), draw)) {
        case Folded::Filled:
            ++merging.filled;
            [[fallthrough]];
        case Folded::Known:
            ++merging.known;
            break;
        case Folded::Conflict:
            conflict(draw.number);
            break;
        }
    }
    merged.insert(merged.end(), kept, all.end());
    all = std::move(merged);
    sortByDate();
    return merging;
}

std::string ResultsBook::text() const
{
    std::string bytes;
    for (const DrawResult &draw : all)
        bytes += recordOf(draw) + "\r\n";
    return bytes + unreadable;
}
