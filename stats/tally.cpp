#include "tally.h"

Tally tallyOf(LineSpan span, const AnnouncedDraw *draw)
{
    Tally tally;
    addTo(tally, span, draw);
    return tally;
}

void addTo(Tally &tally, LineSpan span, const AnnouncedDraw *draw)
{
    tally.lines += span.size();
    for (const LoggedLine *line = span.begin; line != span.end; ++line) {
        for (int k = 0; k < Game::picked; ++k)
            ++tally.numbers[size_t(line->number(k))];
        if (draw)
            ++tally.prizes[size_t(prizeOf(*line, *draw))];
    }
}
