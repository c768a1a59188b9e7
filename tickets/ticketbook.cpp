#include "ticketbook.h"

#include "calendar/calendar.h"
#include "files/byteordermark.h"
#include "files/textlines.h"
#include "history/loggedline.h"

#include <algorithm>

const char *const TicketBook::fileName = "KelpTickets.csv";

namespace {
std::vector<std::string> fieldsOf(const char *text, size_t size)
{
    std::vector<std::string> fields(1);
    for (const char *c = text; c != text + size; ++c) {
        if (*c == ',')
            fields.emplace_back();
        else
            fields.back() += *c;
    }
    return fields;
}

// A whole number from `least` to `most`, in digits without a leading zero.
bool readNumber(const std::string &text, int least, int most, int &n)
{
    if (text.empty() || text.size() > 9 || text[0] == '0'
        || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    n = std::stoi(text);
    return n >= least && n <= most;
}

constexpr int mostNumber = 999999999;

// A stamp as the logs write it, read by the log's own rule; with the letter
// given, a logged line's.
bool readStamp(const std::string &date, const std::string &time, const std::string &letter, int &d, int &t, char *l)
{
    const std::string record = date + ',' + time + ',' + (l ? letter : "A") + ",1,2,3,4,5,6";
    LoggedLine line;
    if ((l && letter.size() != 1) || !parseRecord(record.data(), record.size(), 0, line))
        return false;
    d = line.date();
    t = line.time();
    if (l)
        *l = line.letter();
    return true;
}

std::string stampText(int date, int time)
{
    return Calendar::dateText(date) + ',' + Calendar::timeText(time);
}

bool readTicket(const std::vector<std::string> &f, Ticket &ticket)
{
    return f.size() == 7 && readNumber(f[1], 1, mostNumber, ticket.number)
           && readStamp(f[2], f[3], "", ticket.date, ticket.time, nullptr)
           && readNumber(f[4], 1, Game::mostUnits, ticket.units) && readNumber(f[5], 1, Game::mostDraws, ticket.draws)
           && (f[6].empty() || readNumber(f[6], 1, mostNumber, ticket.firstDraw));
}

bool readLine(const std::vector<std::string> &f, int &ticket, char &letter, TicketLine &line)
{
    if (f.size() != 12 || !readNumber(f[1], 1, mostNumber, ticket) || f[2].size() != 1 || f[2][0] < 'A'
        || f[2][0] >= Ticket::letterOf(Game::mostLines))
        return false;
    letter = f[2][0];
    uint64_t mask = 0;
    for (size_t k = 0; k < line.numbers.size(); ++k) {
        if (!readNumber(f[3 + k], Game::lowest, Game::highest, line.numbers[k]) || (mask >> line.numbers[k] & 1))
            return false;
        mask |= uint64_t(1) << line.numbers[k];
    }
    return (f[9].empty() && f[10].empty() && f[11].empty())
           || readStamp(f[9], f[10], f[11], line.logDate, line.logTime, &line.logLetter);
}

std::string ticketRow(const Ticket &t)
{
    return "ticket," + std::to_string(t.number) + ',' + stampText(t.date, t.time) + ',' + std::to_string(t.units) + ','
           + std::to_string(t.draws) + ',' + (t.firstDraw ? std::to_string(t.firstDraw) : "");
}

std::string lineRow(int ticket, size_t k, const TicketLine &line)
{
    std::string row = "line," + std::to_string(ticket) + ',' + Ticket::letterOf(k);
    for (const int n : line.numbers)
        row += ',' + std::to_string(n);
    return row + (line.logged() ? ',' + stampText(line.logDate, line.logTime) + ',' + line.logLetter : ",,,");
}

const char *const toldNames[] = {"win", "none", "30", "7", "0"};

bool readTold(const std::string &text, int &what)
{
    const auto found = std::find(std::begin(toldNames), std::end(toldNames), text);
    what = int(found - std::begin(toldNames));
    return found != std::end(toldNames);
}

// A row read, with where it stood.
struct Row
{
    uint64_t lineNumber;
    std::string text;
};
} // namespace

TicketBook TicketBook::read(const char *data, size_t size)
{
    TicketBook book;
    std::vector<Row> others;
    std::map<int, Row> ticketRows;                                     // each ticket's own row
    std::map<int, std::map<char, std::pair<TicketLine, Row>>> lineRows; // by ticket, by letter
    std::vector<std::pair<std::pair<int, int>, Row>> marks;
    std::vector<std::pair<std::tuple<int, int, int>, Row>> tolds;
    uint64_t lineNumber = 0;
    forEachLine(data, size, [&](const char *text, size_t length) {
        const Row row{++lineNumber, std::string(text, length)};
        const std::vector<std::string> f = fieldsOf(row.text.data(), row.text.size());
        Ticket ticket;
        TicketLine line;
        int number = 0, draw = 0, what = 0;
        char letter = 0;
        if (f[0] == "numbered" && f.size() == 2 && readNumber(f[1], 1, mostNumber, number))
            book.numbered = std::max(book.numbered, number);
        else if (f[0] == "ticket" && readTicket(f, ticket) && !book.all.count(ticket.number)) {
            book.all[ticket.number] = ticket;
            ticketRows.emplace(ticket.number, row);
        } else if (f[0] == "line" && readLine(f, number, letter, line) && !lineRows[number].count(letter))
            lineRows[number][letter] = {line, row};
        else if (f[0] == "received" && f.size() == 3 && readNumber(f[1], 1, mostNumber, number)
                 && readNumber(f[2], 1, mostNumber, draw))
            marks.push_back({{number, draw}, row});
        else if (f[0] == "told" && f.size() == 4 && readNumber(f[1], 1, mostNumber, number)
                 && readNumber(f[2], 1, mostNumber, draw) && readTold(f[3], what))
            tolds.push_back({{number, draw, what}, row});
        else
            others.push_back(row);
    });
    // A ticket's lines are A, B, C … with none left out: lines that are not
    // are kept aside, and a ticket left with none too.
    for (auto &[number, lines] : lineRows) {
        const auto ticket = book.all.find(number);
        for (auto &[letter, read] : lines) {
            if (ticket != book.all.end() && letter == Ticket::letterOf(ticket->second.lines.size()))
                ticket->second.lines.push_back(read.first);
            else
                others.push_back(read.second);
        }
    }
    for (auto ticket = book.all.begin(); ticket != book.all.end();) {
        book.numbered = std::max(book.numbered, ticket->first);
        if (!ticket->second.lines.empty()) {
            ++ticket;
            continue;
        }
        others.push_back(ticketRows.at(ticket->first));
        ticket = book.all.erase(ticket);
    }
    for (const auto &[mark, row] : marks) {
        if (book.all.count(mark.first))
            book.received.insert(mark);
        else
            others.push_back(row);
    }
    for (const auto &[mark, row] : tolds) {
        if (book.all.count(std::get<0>(mark)))
            book.told.insert(mark);
        else
            others.push_back(row);
    }
    std::sort(others.begin(), others.end(), [](const Row &a, const Row &b) { return a.lineNumber < b.lineNumber; });
    for (const Row &row : others) {
        book.skippedLines.add(row.lineNumber);
        book.unreadable += row.text + "\r\n";
        book.otherText = book.otherText || row.text.find_first_not_of(" \t\r") != std::string::npos;
    }
    return book;
}

const Ticket *TicketBook::find(int number) const
{
    const auto found = all.find(number);
    return found == all.end() ? nullptr : &found->second;
}

int TicketBook::add(Ticket ticket)
{
    ticket.number = ++numbered;
    all[ticket.number] = ticket;
    return ticket.number;
}

bool TicketBook::remove(int number)
{
    if (!all.erase(number))
        return false;
    received.erase(received.lower_bound({number, 0}), received.lower_bound({number + 1, 0}));
    told.erase(told.lower_bound({number, 0, 0}), told.lower_bound({number + 1, 0, 0}));
    return true;
}

void TicketBook::setReceived(int ticket, int draw, bool isReceived)
{
    if (isReceived)
        received.insert({ticket, draw});
    else
        received.erase({ticket, draw});
}

std::string TicketBook::rowsOf(const Ticket &ticket, const char *end)
{
    std::string rows = ticketRow(ticket) + end;
    for (size_t k = 0; k < ticket.lines.size(); ++k)
        rows += lineRow(ticket.number, k, ticket.lines[k]) + end;
    return rows;
}

std::string TicketBook::text() const
{
    std::string bytes = numbered ? "numbered," + std::to_string(numbered) + "\r\n" : std::string();
    for (const auto &[number, ticket] : all) {
        bytes += rowsOf(ticket, "\r\n");
        for (auto mark = received.lower_bound({number, 0}); mark != received.end() && mark->first == number; ++mark)
            bytes += "received," + std::to_string(number) + ',' + std::to_string(mark->second) + "\r\n";
        for (auto mark = told.lower_bound({number, 0, 0}); mark != told.end() && std::get<0>(*mark) == number; ++mark)
            bytes += "told," + std::to_string(number) + ',' + std::to_string(std::get<1>(*mark)) + ','
                     + toldNames[std::get<2>(*mark)] + "\r\n";
    }
    bytes += unreadable;
    // A kept line that begins with a byte-order mark, first in a file with no
    // rows, keeps it behind one more: a reader passes over only the first.
    if (ByteOrderMark::begins(bytes.data(), bytes.size()))
        bytes.insert(0, ByteOrderMark::bytes, ByteOrderMark::size);
    return bytes;
}
