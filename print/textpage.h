#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The text page as a grid of character cells, 1/12 inch wide and 1/6 inch
// high, counted from the top-left of the printable area.
struct PrintPiece
{
    int column;
    int row;
    QString text;
};

struct PrintedLine
{
    QString stamp;
    QStringList numbers; // six captions, as the line shows them
};

extern const QString printTitle;

// Every piece of the page in printing order: the batch stamp and the title on
// row 1, then each line A to E on rows 3, 5, 7, 9 and 11 as
// "stamp   A: [n] [n] [n] [n] [n] [n]", with the brackets at fixed columns.
std::vector<PrintPiece> textPage(const QString &batchStamp, const std::array<PrintedLine, 5> &lines);
