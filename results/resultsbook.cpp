#include "resultsbook.h"

#include <algorithm>
#include <cstring>

const char *const ResultsBook::fileName = "KelpResults.csv";

namespace {
constexpr size_t skippedLinesKept = 1000;
const auto byNumber = [](const DrawResult &draw, int number) { return draw.number < number; };
} // namespace

ResultsBook ResultsBook::read(const char *data, size_t size)
{
    ResultsBook book;
    uint64_t lineNumber = 0;
    for (const char *at = data, *end = data + size; at < end;) {
        const char *lf = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at)));
        const char *lineEnd = lf ? lf : end;
        size_t length = size_t(lineEnd - at);
        if (length > 0 && at[length - 1] == '\r')
            --length;
        ++lineNumber;
        DrawResult draw;
        if (parseResultRecord(at, length, draw) && !book.find(draw.number)) {
            book.take(draw);
        } else {
            ++book.skipped;
            if (book.firstSkipped.size() < skippedLinesKept)
                book.firstSkipped.push_back(lineNumber);
            book.unreadable.append(at, length).append("\r\n");
        }
        at = lineEnd + (lf ? 1 : 0);
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
    const auto found = std::lower_bound(all.begin(), all.end(), number, byNumber);
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

ResultsBook::Merged ResultsBook::merge(const DrawResult &draw)
{
    const Merged merged = take(draw);
    sortByDate();
    return merged;
}

ResultsBook::Merged ResultsBook::take(const DrawResult &draw)
{
    const auto at = std::lower_bound(all.begin(), all.end(), draw.number, byNumber);
    if (at == all.end() || at->number != draw.number) {
        all.insert(at, draw);
        return Merged::Added;
    }
    if (!at->sameDraw(draw))
        return Merged::Conflict;
    bool filled = false;
    for (size_t tier = 0; tier < at->prizes.size(); ++tier) {
        if (at->prizes[tier] == DrawResult::unknown && draw.prizes[tier] != DrawResult::unknown) {
            at->prizes[tier] = draw.prizes[tier];
            filled = true;
        }
    }
    return filled ? Merged::Filled : Merged::Known;
}

ResultsBook::Merging ResultsBook::mergeAll(const std::vector<DrawResult> &draws)
{
    Merging merging;
    for (const DrawResult &draw : draws) {
        switch (take(draw)) {
        case Merged::Added:
            ++merging.added;
            break;
        case Merged::Filled:
            ++merging.filled;
            [[fallthrough]];
        case Merged::Known:
            ++merging.known;
            break;
        case Merged::Conflict:
            merging.conflicts.push_back(draw.number);
            break;
        }
    }
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
