#include "tidings.h"

#include "calendar/calendar.h"
#include "texts/texts.h"

#include <algorithm>
#include <map>

using Told = TicketBook::Told;

namespace {
QString drawText(int draw)
{
    return QStringLiteral("第%1回: ").arg(draw);
}

Tiding winOf(const TicketPlays::Play &p, Told what)
{
    Tiding t;
    t.ticket = p.ticket->number;
    t.draw = p.draw;
    t.letter = p.letter();
    t.what = what;
    const QString prize = p.prize == DrawResult::unknown ? QStringLiteral("賞金未定") : Texts::yen(p.prize) + QStringLiteral(" 円");
    t.text = drawText(p.draw) + QStringLiteral("%1等 %2口 ").arg(p.tier).arg(p.ticket->units) + prize
             + QStringLiteral(" · 受取期限 ") + QString::fromStdString(Calendar::dateText(p.lastDay));
    t.winLine = Tidings::winLine(p);
    return t;
}

// A ticket's plays in one draw that has been held.
using Draws = std::map<std::pair<int, int>, std::vector<TicketPlays::Play>>; // ticket, draw

Draws heldDraws(const TicketBook &tickets, const ResultsBook &book, int today)
{
    Draws draws;
    TicketPlays::forEachPlay(tickets, book, today, [&](const TicketPlays::Play &p) {
        if (p.result)
            draws[{p.ticket->number, p.draw}].push_back(p);
    });
    return draws;
}
} // namespace

namespace Tidings {
std::string winLine(const TicketPlays::Play &p)
{
    std::array<int, Game::picked> numbers = p.ticket->lines[p.line].numbers;
    std::sort(numbers.begin(), numbers.end());
    std::string line = std::to_string(p.draw) + ',' + Calendar::dateText(p.result->date) + ',' + char('0' + p.tier) + ','
                       + std::to_string(p.ticket->units) + ','
                       + (p.prize == DrawResult::unknown ? "" : std::to_string(p.prize)) + ','
                       + Calendar::dateText(p.lastDay) + ','
                       + (p.state == TicketPlays::State::received ? "received"
                          : p.state == TicketPlays::State::lost   ? "lost"
                                                                  : "unclaimed")
                       + ',' + std::to_string(p.ticket->number) + ',' + p.letter();
    for (const int n : numbers)
        line += ',' + std::to_string(n);
    return line;
}

std::vector<Tiding> takeNews(TicketBook &tickets, const ResultsBook &book, int today)
{
    std::vector<Tiding> news;
    for (const auto &[key, plays] : heldDraws(tickets, book, today)) {
        const bool won = std::any_of(plays.begin(), plays.end(), [](const TicketPlays::Play &p) { return p.tier; });
        const Told what = won ? Told::Win : Told::NoWin;
        if (tickets.wasTold(key.first, key.second, what))
            continue;
        tickets.setTold(key.first, key.second, what);
        if (!won) {
            Tiding t;
            t.ticket = key.first;
            t.draw = key.second;
            t.what = Told::NoWin;
            t.text = drawText(key.second) + QStringLiteral("当せんなし");
            news.push_back(t);
        }
        // A win received or past its last day is nothing new to the player.
        for (const TicketPlays::Play &p : plays)
            if (p.tier && p.state == TicketPlays::State::unclaimed)
                news.push_back(winOf(p, Told::Win));
    }
    std::stable_sort(news.begin(), news.end(), [](const Tiding &a, const Tiding &b) { return a.draw < b.draw; });
    return news;
}

std::vector<Tiding> takeReminders(TicketBook &tickets, const ResultsBook &book, int today)
{
    std::vector<Tiding> reminders;
    for (const auto &[key, plays] : heldDraws(tickets, book, today)) {
        const TicketPlays::Play *win = nullptr;
        for (const TicketPlays::Play &p : plays)
            if (p.tier && p.state == TicketPlays::State::unclaimed && !win)
                win = &p;
        if (!win)
            continue;
        const int64_t left = Calendar::dayNumber(win->lastDay) - Calendar::dayNumber(today);
        const Told what = left == 0 ? Told::LastDay : left <= 7 ? Told::Within7Days : left <= 30 ? Told::Within30Days : Told::Win;
        if (what == Told::Win || tickets.wasTold(key.first, key.second, what))
            continue;
        // Told of the nearest, the player needs no word of those further off.
        for (const Told each : {Told::Within30Days, Told::Within7Days, Told::LastDay}) {
            tickets.setTold(key.first, key.second, each);
            if (each == what)
                break;
        }
        for (const TicketPlays::Play &p : plays) {
            if (!p.tier || p.state != TicketPlays::State::unclaimed)
                continue;
            Tiding t = winOf(p, what);
            t.text += left == 0 ? QStringLiteral(" · 本日が受取期限です") : QStringLiteral(" · あと %1 日").arg(left);
            reminders.push_back(t);
        }
    }
    return reminders;
}
} // namespace Tidings
