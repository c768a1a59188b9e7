// The master log's reader, and the results book's, against any bytes at all:
// both are text files that people open in editors and spreadsheets, copy
// about and cut short, so the history must take whatever it finds without a
// fault, and read every record the program wrote exactly as it was written,
// however the reads cut it. The same bytes read as a book then say which
// draws the lines read as a log were played for, and read as tickets what
// they bought and won.
#include "analysis/drawstats.h"
#include "files/byteordermark.h"
#include "history/logreader.h"
#include "results/plays.h"
#include "rules/prize.h"
#include "stats/tally.h"
#include "tickets/ticketplays.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool same(const LoggedLine &a, const LoggedLine &b)
{
    return !(a < b) && !(b < a);
}

bool same(const std::vector<LoggedLine> &a, const std::vector<LoggedLine> &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto &x, auto &y) { return same(x, y); });
}

// Where to cut the log and which dates to ask for, drawn from the log itself,
// so that the seeds stay logs and a mutation moves the cuts too.
struct Choices
{
    explicit Choices(const uint8_t *data, size_t size)
    {
        for (size_t i = 0; i < size; ++i)
            state = (state ^ data[i]) * 0x100000001b3u;
    }
    uint64_t next()
    {
        state ^= state >> 29;
        state *= 0xbf58476d1ce4e5b9u;
        state ^= state >> 32;
        return state;
    }
    size_t below(size_t n) { return n ? size_t(next() % n) : 0; }
    uint64_t state = 0xcbf29ce484222325u;
};

// A date near those of `lines`, or none, or one that no calendar has.
int someDate(Choices &choose, const std::vector<LoggedLine> &lines)
{
    switch (choose.below(4)) {
    case 0:
        return 0;
    case 1:
        return int(choose.below(99991232));
    default:
        return lines.empty() ? 20261206 : lines[choose.below(lines.size())].date() + int(choose.below(3)) - 1;
    }
}

void checkRange(const std::vector<LoggedLine> &lines, int from, int to)
{
    const LineSpan span = linesBetween(lines, from, to);
    require(span.begin >= lines.data() && span.begin <= span.end && span.end <= lines.data() + lines.size(),
            "the range lies within the lines");
    const LoggedLine *const first = lines.data(), *const last = lines.data() + lines.size();
    for (const LoggedLine *l = first; l != last; ++l) {
        const bool inside = (from == 0 || l->date() >= from) && (to == 0 || l->date() <= to);
        require(inside == (l >= span.begin && l < span.end), "the range holds exactly the lines of its dates");
    }
}

void checkDraw(const std::string &text, const std::vector<LoggedLine> &lines)
{
    AnnouncedDraw draw;
    std::string why;
    if (!parseDraw(text, draw, why)) {
        require(!why.empty(), "a refused draw says why");
        return;
    }
    uint64_t mask = 0;
    for (const int n : draw.numbers) {
        require(n >= 1 && n <= 43 && !(mask >> n & 1), "a draw has six distinct numbers 1 to 43");
        mask |= uint64_t(1) << n;
    }
    require(mask == draw.mask, "the draw's mask is its six numbers");
    require(draw.bonus >= 1 && draw.bonus <= 43 && !(mask >> draw.bonus & 1), "the bonus is another number");

    std::string again;
    for (const int n : draw.numbers)
        again += (again.empty() ? "" : ",") + std::to_string(n);
    again += "+" + std::to_string(draw.bonus);
    AnnouncedDraw reread;
    require(parseDraw(again, reread, why) && reread.mask == draw.mask && reread.bonus == draw.bonus,
            "a draw written plainly reads back the same");

    for (const LoggedLine &line : lines) {
        const size_t matched = std::bitset<64>(line.numberMask() & draw.mask).count();
        const int expected = matched == 6 ? 1
                             : matched == 5 ? (line.numberMask() >> draw.bonus & 1 ? 2 : 3)
                             : matched == 4 ? 4
                             : matched == 3 ? 5
                                            : 0;
        require(prizeOf(line, draw) == expected, "the prize follows the numbers matched");
    }
    const Tally tally = tallyOf({lines.data(), lines.data() + lines.size()}, &draw);
    uint64_t prizes = 0, numbers = 0;
    for (const uint64_t p : tally.prizes)
        prizes += p;
    for (const uint64_t n : tally.numbers)
        numbers += n;
    require(tally.lines == lines.size() && prizes == lines.size() && numbers == 6 * lines.size() && tally.numbers[0] == 0,
            "the tally counts every line once and six numbers each");
}
// The bytes as a results book: each record read back as it was written, the
// book written out reads the same, and each line's plays add up.
void checkBook(const char *data, size_t size, const std::vector<LoggedLine> &lines, int draws)
{
    const ResultsBook book = ResultsBook::read(data, size);
    const std::vector<DrawResult> &read = book.draws();
    for (size_t i = 0; i < read.size(); ++i) {
        require(i == 0 || read[i - 1].number < read[i].number, "draws go by number, once each");
        DrawResult again;
        const std::string record = recordOf(read[i]);
        require(parseResultRecord(record.data(), record.size(), again) && recordOf(again) == record,
                "a draw's record reads back as the same draw");
    }
    // Only a change writes the book, and a change leaves a record first: an
    // unreadable line never stands first, where a byte-order mark of its
    // own would be passed over when it is read again.
    const std::string text = book.text();
    const ResultsBook rewritten = ResultsBook::read(text.data(), text.size());
    require(read.empty() || (rewritten.text() == text && rewritten.skipped().count == book.skipped().count),
            "the book written out reads the same, the lines it could not read kept");

    // The draws' figures add up: six numbers and fifteen pairs a draw, and no
    // number away longer than its longest.
    const DrawStats stats = drawStatsOf(book, 0, 0);
    uint64_t drawn = 0, paired = 0;
    for (size_t n = 1; n <= 43; ++n) {
        drawn += stats.counts[n];
        for (size_t m = 1; m <= 43; ++m)
            paired += stats.pairs[n][m];
        require(stats.gaps[n] <= stats.longest[n] && stats.longest[n] <= int(stats.draws)
                    && (stats.gaps[n] == DrawStats::never) == (stats.counts[n] == 0),
                "a number's gap is within its longest, and within the draws");
    }
    require(stats.draws == read.size() && drawn == 6 * stats.draws && paired == 2 * 15 * stats.draws,
            "six numbers and fifteen pairs a draw");

    const Plays::Ledger ledger = Plays::ledgerOf(book, {lines.data(), lines.data() + lines.size()}, draws);
    uint64_t played = ledger.waiting;
    for (const Plays::DrawTotals &totals : ledger.byDraw)
        played += totals.lines;
    require(ledger.all.lines == lines.size() * uint64_t(draws) && played == ledger.all.lines,
            "every line is played for its draws, each in the book or waiting");
    uint64_t play = 0;
    Plays::forEachPlay(book, {lines.data(), lines.data() + lines.size()}, draws,
                       [&](const LoggedLine &line, int draw, const DrawResult *result, int tier) {
                           const int first = Plays::firstDrawOf(book, line.date(), line.time());
                           const int k = int(play++ % uint64_t(draws));
                           require(draw == (first ? first + k : 0), "a line's draws follow the first, one by one");
                           require(result == (draw ? book.find(draw) : nullptr)
                                       && tier == (result ? prizeOf(line, result->draw) : 0),
                                   "a play's result is its draw's in the book");
                       });
}

// Cut after the first line end at each cut - 1 or later, as the log is to be
// read on several threads: the first piece by a reader from the start, each
// other by one of its own, settled on its own, all put together after. The
// lines, to their order in the log, and the counts are one reader's. Handed
// on as they settle, a few held back, they are the same unless a piece
// reached back past those handed on.
void checkPieces(const char *data, size_t size, std::array<size_t, 3> cuts, const LogReader &whole,
                 const std::vector<LoggedLine> &kept)
{
    const size_t held = cuts[0] % 4;
    std::sort(cuts.begin(), cuts.end());
    LogReader joined;
    std::vector<LoggedLine> lines, piece, handed, handing;
    SettledPieces settled(lines);
    const LineSink sink{[&](LineSpan span) { handed.insert(handed.end(), span.begin, span.end); }, {}};
    SettledPieces handedOn(handing, sink, held);
    bool inOrder = true;
    size_t begin = 0;
    for (size_t k = 0; k <= cuts.size(); ++k) {
        size_t end = size;
        if (k < cuts.size() && cuts[k] > 0)
            if (const void *lf = std::memchr(data + cuts[k] - 1, '\n', size - cuts[k] + 1))
                end = std::max(begin, size_t(static_cast<const char *>(lf) - data) + 1);
        LogReader own = LogReader::ofPiece();
        piece.clear();
        (k == 0 ? joined : own).feed(data + begin, end - begin, piece);
        keepLastOfEach(piece);
        const uint64_t before = k == 0 ? 0 : joined.takeOn(own);
        settled.add(piece, before);
        inOrder = inOrder && handedOn.add(piece, before);
        begin = end;
    }
    settled.finish();
    require(same(lines, kept), "the lines do not depend on where the log is cut into pieces");
    if (inOrder) {
        handedOn.finish();
        require(same(handed, kept), "the lines handed on as they settle are those held");
    }
    require(joined.lineCount() == whole.lineCount() && joined.skipped() == whole.skipped()
                && joined.bytesFed() == whole.bytesFed(),
            "the counts do not depend on where the log is cut into pieces");
    LogReader wholeOn = whole;
    std::vector<LoggedLine> next, nextJoined;
    wholeOn.feed("\n", 1, next);
    joined.feed("\n", 1, nextJoined);
    require(same(next, nextJoined), "the line under way goes on alike");
}

// The same bytes as a tickets file: written again, it reads back as written,
// what it could not read kept; its plays against the same bytes as a book
// cost 200 yen a line and a unit, and the totals add up.
void checkTickets(const char *data, size_t size)
{
    const TicketBook tickets = TicketBook::read(data, size);
    const std::string text = tickets.text();
    const TicketBook again = TicketBook::read(text.data(), text.size());
    require(again.text() == text && again.skipped().count == tickets.skipped().count,
            "a tickets file written reads back as written");
    const ResultsBook book = ResultsBook::read(data, size);
    int64_t spent = 0;
    uint64_t plays = 0;
    TicketPlays::forEachPlay(tickets, book, 20261209, [&](const TicketPlays::Play &p) {
        spent += Game::linePrice * p.ticket->units;
        ++plays;
        require(p.ticket->units >= 1 && p.ticket->units <= Game::mostUnits && p.line < p.ticket->lines.size(),
                "a play is of a ticket's line");
    });
    const TicketPlays::Totals totals = TicketPlays::totalsOf(tickets, book, 0, 0, 20261209);
    require(totals.spent == spent && totals.plays == plays, "the totals are the plays'");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const char *data = reinterpret_cast<const char *>(bytes);
    Choices choose(bytes, size);

    // All at once, and in two or three pieces cut where a line may be.
    LogReader whole, cut;
    std::vector<LoggedLine> read, readCut;
    whole.feed(data, size, read);
    size_t cuts[] = {choose.below(size + 1), choose.below(size + 1)};
    if (choose.below(2))
        cuts[1] = cuts[0];
    std::sort(std::begin(cuts), std::end(cuts));
    cut.feed(data, cuts[0], readCut);
    cut.feed(data + cuts[0], cuts[1] - cuts[0], readCut);
    cut.feed(data + cuts[1], size - cuts[1], readCut);
    require(same(read, readCut), "the records do not depend on where the reads cut");
    require(whole.lineCount() == cut.lineCount() && whole.skipped() == cut.skipped() && whole.bytesFed() == cut.bytesFed(),
            "the counts do not depend on where the reads cut");

    require(whole.bytesFed() == size, "every byte is taken");
    require(whole.lineCount() == uint64_t(std::count(data, data + size, '\n')), "every line end ends a line");
    require(whole.skipped().count + read.size() == whole.lineCount(), "each line is a record or skipped");
    const std::vector<uint64_t> &skipped = whole.skipped().first;
    require(skipped.size() == std::min<uint64_t>(whole.skipped().count, NumberList::kept),
            "the first skipped lines are kept");
    require(std::is_sorted(skipped.begin(), skipped.end())
                && std::adjacent_find(skipped.begin(), skipped.end()) == skipped.end()
                && (skipped.empty() || (skipped.front() >= 1 && skipped.back() <= whole.lineCount())),
            "skipped lines are line numbers, in order");

    // A record is taken exactly as the program writes it: its text is the
    // line, after the byte-order mark an editor may put before the first.
    size_t next = 0;
    const char *at = data;
    if (ByteOrderMark::begins(data, size))
        at += ByteOrderMark::size;
    for (const char *end = data + size; at < end;) {
        const char *lf = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at)));
        if (!lf)
            break;
        const size_t length = size_t(lf - at) - (lf > at && lf[-1] == '\r');
        LoggedLine line;
        if (parseRecord(at, length, next, line)) {
            require(next < read.size() && same(read[next], line), "the reader takes what the record says");
            require(line.text() == std::string(at, length), "a record's text is the line it was read from");
            ++next;
        }
        at = lf + 1;
    }
    require(next == read.size(), "the reader takes the records and nothing else");

    // Of a line saved more than once the last record counts.
    std::map<uint64_t, const LoggedLine *> last;
    for (const LoggedLine &line : read)
        last[line.key()] = &line;
    std::vector<LoggedLine> kept = read;
    keepLastOfEach(kept);
    require(kept.size() == last.size(), "one line for each stamp and letter");
    size_t k = 0;
    for (const auto &[key, line] : last) {
        require(kept[k].key() == key && same(kept[k], *line), "each line keeps its last record");
        LoggedLine reread;
        const std::string text = kept[k].text();
        require(parseRecord(text.data(), text.size(), 0, reread) && reread.key() == key && reread.text() == text,
                "a kept line's text reads back as the same line");
        ++k;
    }
    for (size_t i = 1; i < kept.size(); ++i)
        require(kept[i - 1].key() < kept[i].key(), "lines go by stamp and letter");

    // Read in two goes, the newer records settle onto the older ones alike.
    const size_t split = choose.below(read.size() + 1);
    std::vector<LoggedLine> settled(read.begin(), read.begin() + long(split)), newer(read.begin() + long(split), read.end());
    keepLastOfEach(settled);
    keepLastOfEach(newer);
    require(same(withNewer(settled, newer), kept), "reading on from the settled lines gives what reading at once does");

    checkPieces(data, size, {choose.below(size + 1), choose.below(size + 1), choose.below(size + 1)}, whole, kept);

    for (int i = 0; i < 3; ++i)
        checkRange(kept, someDate(choose, kept), someDate(choose, kept));

    // An announced draw as someone may type it: the input's first line.
    const char *lf = static_cast<const char *>(std::memchr(data, '\n', size));
    checkDraw(std::string(data, std::min<size_t>(lf ? size_t(lf - data) : size, 64)), kept);
    checkBook(data, size, kept, 1 + int(choose.below(Game::mostDraws)));
    checkTickets(data, size);
    return 0;
}
