#include "logreader.h"

#include "files/byteordermark.h"

#include <algorithm>
#include <cstring>

namespace {
// The longest record: yyyy/mm/dd,hh:mm:ss,L, and six two-digit numbers, CR
// LF; the first line may have the mark before it.
constexpr size_t longestLine = RecordWidth::longest + 2 + ByteOrderMark::size;

// A log's records come in the order of their stamps, but for a batch saved
// again after Sort just after itself: each is moved back past the few it
// belongs before, which costs a fifth of a sort that knows nothing of it.
// Lines further out of order than that are sorted anew.
void sortNearlyInOrder(std::vector<LoggedLine> &lines)
{
    const size_t mostMoves = 8 * lines.size();
    size_t moves = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const LoggedLine line = lines[i];
        size_t j = i;
        for (; j > 0 && line < lines[j - 1]; --j)
            lines[j] = lines[j - 1];
        lines[j] = line;
        if ((moves += i - j) > mostMoves) {
            std::sort(lines.begin(), lines.end());
            return;
        }
    }
}
} // namespace

LogReader LogReader::ofPiece()
{
    LogReader reader;
    reader.atLogStart = false;
    return reader;
}

void LogReader::feed(const char *data, size_t size, std::vector<LoggedLine> &out)
{
    fed += size;
    const char *at = data, *end = data + size;
    while (at < end) {
        // Most lines are records as the program writes them, read in one pass
        // until one is not. The first line of the log may begin with a
        // byte-order mark.
        if (partial.empty() && !partialTooLong && (lines > 0 || !atLogStart)) {
            const uint64_t first = records;
            at = parseRecordLines(at, end, records, out);
            lines += records - first;
            if (at == end)
                return;
        }
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

uint64_t LogReader::takeOn(const LogReader &piece)
{
    const uint64_t before = records;
    if (piece.fed == 0) // no line began in it: the line under way goes on
        return before;
    skippedLines.append(piece.skippedLines, lines);
    lines += piece.lines;
    records += piece.records;
    fed += piece.fed;
    partial = piece.partial; // a last line without its end, still to come
    partialTooLong = piece.partialTooLong;
    return before;
}

void LogReader::takeLine(const char *text, size_t size, std::vector<LoggedLine> &out)
{
    if (++lines == 1 && atLogStart && text && ByteOrderMark::begins(text, size)) {
        text += ByteOrderMark::size;
        size -= ByteOrderMark::size;
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
    sortNearlyInOrder(lines);
    size_t kept = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (i + 1 == lines.size() || lines[i + 1].key() != lines[i].key())
            lines[kept++] = lines[i];
    lines.resize(kept);
}

bool SettledPieces::add(const std::vector<LoggedLine> &piece, uint64_t before)
{
    if (sink && anyHanded && !piece.empty() && piece.front().key() <= lastHandedKey)
        return false;
    const size_t old = lines.size();
    if (before == 0)
        lines.insert(lines.end(), piece.begin(), piece.end());
    else
        for (const LoggedLine &line : piece)
            lines.push_back(line.after(before));
    if (!unsorted && old > 0 && !piece.empty() && !(lines[old - 1].key() < lines[old].key())) {
        // The lines so far that the piece's first one is not after: in a log
        // in the order of its stamps, a few at most.
        const auto seam = lines.begin() + long(old);
        const auto from = std::lower_bound(lines.begin(), seam, lines[old].key(),
                                           [](const LoggedLine &line, uint64_t key) { return line.key() < key; });
        if (!sink && seam - from > long(piece.size())) {
            unsorted = true; // merging each piece into so many would cost more than a sort
            return true;
        }
        // Of a line in both, the piece's record is the later: it sorts after.
        std::inplace_merge(from, seam, lines.end());
        auto kept = from;
        for (auto line = from; line != lines.end(); ++line)
            if (line + 1 == lines.end() || line[1].key() != line->key())
                *kept++ = *line;
        lines.erase(kept, lines.end());
    }
    if (sink && lines.size() > handed + held)
        handOn(lines.size() - handed - held);
    return true;
}

void SettledPieces::handOn(size_t count)
{
    const LoggedLine *first = lines.data() + handed;
    sink->take({first, first + count});
    handed += count;
    lastHandedKey = lines[handed - 1].key();
    anyHanded = true;
    // Those handed on make room once they are three in four: each line held
    // is moved down a third of the time, and the buffer stays small.
    if (handed >= 3 * (lines.size() - handed)) {
        lines.erase(lines.begin(), lines.begin() + long(handed));
        handed = 0;
    }
}

void SettledPieces::finish()
{
    if (unsorted)
        keepLastOfEach(lines);
    unsorted = false;
    if (sink && lines.size() > handed)
        handOn(lines.size() - handed);
}

void handOnAll(const std::vector<LoggedLine> &lines, const LineSink &sink)
{
    constexpr size_t span = 1 << 16;
    for (size_t at = 0; at < lines.size(); at += span)
        sink.take({lines.data() + at, lines.data() + std::min(lines.size(), at + span)});
}

std::vector<LoggedLine> withNewer(const std::vector<LoggedLine> &settled, std::vector<LoggedLine> newer)
{
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

LineSpan linesBetween(LineSpan lines, int fromDate, int toDate)
{
    const auto before = [](const LoggedLine &line, uint64_t key) { return line.key() < key; };
    if (fromDate > 0)
        lines.begin = std::lower_bound(lines.begin, lines.end, LoggedLine::keyOfDay(fromDate), before);
    if (toDate > 0)
        lines.end = std::lower_bound(lines.begin, lines.end, LoggedLine::keyOfDay(toDate + 1), before);
    return lines;
}

LineSpan linesBetween(const std::vector<LoggedLine> &lines, int fromDate, int toDate)
{
    return linesBetween(LineSpan{lines.data(), lines.data() + lines.size()}, fromDate, toDate);
}
