#include "prize.h"

#include <cctype>

namespace {
// Reads a number 1 to 43 at `at`, blanks around it let pass.
bool readNumber(const std::string &text, size_t &at, int &n)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    size_t start = at;
    n = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && at - start < 3)
        n = n * 10 + (text[at++] - '0');
    const bool ok = at > start && n >= Game::lowest && n <= Game::highest;
    while (at < text.size() && text[at] == ' ')
        ++at;
    return ok;
}

// The six numbers at the start of `text`, separated by commas.
bool readSix(const std::string &text, size_t &at, AnnouncedDraw &draw, std::string &why)
{
    for (int k = 0; k < Game::picked; ++k) {
        if (k > 0 && (at >= text.size() || text[at++] != ',')) {
            why = "six numbers separated by commas are needed";
            return false;
        }
        if (!readNumber(text, at, draw.numbers[k])) {
            why = "each number must be a whole number from 1 to 43";
            return false;
        }
        if (draw.mask >> draw.numbers[k] & 1) {
            why = "the six numbers must be distinct";
            return false;
        }
        draw.mask |= uint64_t(1) << draw.numbers[k];
    }
    return true;
}
} // namespace

bool parseLine(const std::string &text, uint64_t &mask, std::string &why, std::array<int, Game::picked> *numbers)
{
    AnnouncedDraw six;
    size_t at = 0;
    if (!readSix(text, at, six, why))
        return false;
    if (at != text.size()) {
        why = "a line has six numbers separated by commas, and nothing more";
        return false;
    }
    mask = six.mask;
    if (numbers)
        *numbers = six.numbers;
    return true;
}

bool parseDraw(const std::string &text, AnnouncedDraw &draw, std::string &why)
{
    draw = AnnouncedDraw();
    size_t at = 0;
    if (!readSix(text, at, draw, why))
        return false;
    if (at >= text.size() || text[at] != '+') {
        why = at < text.size() && text[at] == ',' ? "a draw has six numbers, then the bonus as +N"
                                                  : "the bonus number is missing: add it as +N";
        return false;
    }
    ++at;
    if (!readNumber(text, at, draw.bonus) || at != text.size()) {
        why = "the bonus must be one whole number from 1 to 43";
        return false;
    }
    if (draw.mask >> draw.bonus & 1) {
        why = "the bonus must not be one of the six numbers";
        return false;
    }
    return true;
}

int prizeOf(uint64_t lineMask, const AnnouncedDraw &draw)
{
    const Game::Bonus bonus = lineMask >> draw.bonus & 1 ? Game::Bonus::matched : Game::Bonus::missed;
    return Game::tierOf(Game::countIn(lineMask & draw.mask), bonus);
}
