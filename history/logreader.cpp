#include "logreader.h"

#include <algorithm>
#include <cstring>

namespace {
// The byte-order mark an editor or a spreadsheet may put before the first line.
constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t markSize = 3;
// The longest record: yyyy/mm/dd,hh:mm:ss,L, and six two-digit numbers, CR
// LF; the first line may have the mark before it.
constexpr size_t longestLine = 22 + 17 + 2 + markSize;
} // namespace

void LogReader::feed(const char *data, size_t size, std::vector<LoggedLine> &out)
{
    fed += size;
    const char *at = data, *end = data + size;
    while (at < end) {
        const char *lf = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at)));
        if (!lf) {
            if (!partialTooLong && partial.size() + size_t(end - at) <= longestLine)
                partial.append(at, size_t(end - at));
            else
                partialTooLong = true;
            return;
        }
        if (partial.empty() && !partialTooLong) {
            takeLine(at, size_t(lf - at), out);
        } else {
            if (!partialTooLong && partial.size() + size_t(lf - at) <= longestLine)
                partial.append(at, size_t(lf - at));
            else
                partialTooLong = true;
            takeLine(partialTooLong ? nullptr : partial.data(), partialTooLong ? SIZE_MAX : partial.size(), out);
            partial.clear();
            partialTooLong = false;
        }
        at = lf + 1;
    }
}

void LogReader::takeLine(const char *text, size_t size, std::vector<LoggedLine> &out)
{
    if (++lines == 1 && text && size >= markSize && std::memcmp(text, byteOrderMark, markSize) == 0) {
        text += markSize;
        size -= markSize;
    }
    if (text && size > 0 && text[size - 1] == '\r')
        --size;
    LoggedLine line;
    if (text && parseRecord(text, size, records, line)) {
        out.push_back(line);
        ++records;
        return;
    }
    skippedLines.add(lines);
}

void keepLastOfEach(std::vector<LoggedLine> &lines)
{
    std::sort(lines.begin(), lines.end());
    size_t kept = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (i + 1 == lines.size() || lines[i + 1].key() != lines[i].key())
            lines[kept++] = lines[i];
    lines.resize(kept);
}

std::vector<LoggedLine> withNewer(const std::vector<LoggedLine> &settled, std::vector<LoggedLine> newer)
{
    keepLastOfEach(newer);
    if (settled.empty()) // the first read of a large log: no second copy of it
        return newer;
    std::vector<LoggedLine> all;
    all.reserve(settled.size() + newer.size());
    // Where both hold a line, the newer record counts: it is the later in the log.
    auto s = settled.begin();
    auto n = newer.cbegin();
    while (s != settled.end() || n != newer.cend()) {
        if (n == newer.cend() || (s != settled.end() && s->key() < n->key()))
            all.push_back(*s++);
        else {
            if (s != settled.end() && s->key() == n->key())
                ++s;
            all.push_back(*n++);
        }
    }
    return all;
}

LineSpan linesBetween(const std::vector<LoggedLine> &lines, int fromDate, int toDate)
{
    const auto before = [](const LoggedLine &line, uint64_t key) { return line.key() < key; };
    const LoggedLine *first = lines.data(), *last = lines.data() + lines.size();
    if (fromDate > 0)
        first = std::lower_bound(first, last, LoggedLine::keyOfDay(fromDate), before);
    if (toDate > 0)
        last = std::lower_bound(first, last, LoggedLine::keyOfDay(toDate + 1), before);
    return {first, last};
}
