#include "textpage.h"

#include "rules/game.h"

const QString printTitle = QStringLiteral("Drava  numbers picked by the Drava makers");

std::vector<PrintPiece> textPage(const QString &batchStamp, const std::array<PrintedLine, 5> &lines)
{
    // Room for two digits in every bracket: the first piece has four columns
    // of prefix, each later one three of "] [".
    static const int numberColumns[Game::picked] = {21, 27, 32, 37, 42, 47};
    std::vector<PrintPiece> page{{0, 1, batchStamp}, {21, 1, printTitle}};
    for (int k = 0; k < 5; ++k) {
        const int row = 3 + 2 * k;
        const QString prefix = QChar('A' + k) + QStringLiteral(": [");
        page.push_back({0, row, lines[k].stamp});
        for (int i = 0; i < Game::picked; ++i)
            page.push_back({numberColumns[i], row, (i == 0 ? prefix : QStringLiteral("] [")) + lines[k].numbers.value(i)});
        page.push_back({52, row, QStringLiteral("]")});
    }
    return page;
}
