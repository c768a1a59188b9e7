#include "ticket.h"

#include "calendar/calendar.h"
#include "rules/prize.h"

#include <algorithm>

uint64_t TicketLine::mask() const
{
    uint64_t mask = 0;
    for (const int n : numbers)
        mask |= uint64_t(1) << n;
    return mask;
}

namespace {
int64_t stampOf(const TicketLine &line)
{
    return int64_t(line.logDate) * 1000000 + line.logTime;
}

// A logged line by its stamp and letter, read by the log's own rule for them.
bool parseLogged(const std::string &text, TicketLine &line)
{
    const std::string record = text + ",1,2,3,4,5,6";
    LoggedLine logged;
    if (text.size() != 21 || !parseRecord(record.data(), record.size(), 0, logged))
        return false;
    line.logDate = logged.date();
    line.logTime = logged.time();
    line.logLetter = logged.letter();
    return true;
}

} // namespace

bool parseTicketLines(const std::string &text, std::vector<TicketLine> &lines, std::string &why)
{
    lines.clear();
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find(';', at), text.size());
        const std::string part = text.substr(at, end - at);
        at = end + 1;
        if (lines.size() == size_t(Game::mostLines)) {
            why = "a slip holds five lines at most";
            return false;
        }
        TicketLine &line = lines.emplace_back();
        std::string wrong;
        uint64_t mask = 0;
        if (!parseLogged(part, line) && !parseLine(part, mask, wrong, &line.numbers)) {
            why = "'" + part + "' is neither a logged line, yyyy/mm/dd,hh:mm:ss,L, nor six numbers: " + wrong;
            return false;
        }
    }
    return true;
}

std::string momentOf(const std::vector<TicketLine> &lines, int64_t given, int64_t now, int64_t &moment)
{
    int64_t latest = 0;
    bool allLogged = true;
    for (const TicketLine &line : lines) {
        allLogged = allLogged && line.logged();
        latest = std::max(latest, line.logged() ? stampOf(line) : 0);
    }
    if (given && given > now)
        return "the moment is still to come";
    if (given && given < latest)
        return "the moment is before a logged line's stamp";
    moment = given ? given : allLogged ? latest : now;
    return std::string();
}

bool findInLog(std::vector<TicketLine> &lines, const std::vector<LoggedLine> &logged, std::string &missing)
{
    for (TicketLine &line : lines) {
        if (!line.logged())
            continue;
        const LoggedLine wanted(line.logDate, line.logTime, line.logLetter - 'A', {}, 0);
        const auto found = std::lower_bound(logged.begin(), logged.end(), wanted.key(),
                                            [](const LoggedLine &l, uint64_t key) { return l.key() < key; });
        if (found == logged.end() || found->key() != wanted.key()) {
            missing = Calendar::dateText(line.logDate) + ',' + Calendar::timeText(line.logTime) + ',' + line.logLetter;
            return false;
        }
        for (int k = 0; k < Game::picked; ++k)
            line.numbers[size_t(k)] = found->number(k);
    }
    return true;
}
