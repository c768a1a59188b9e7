#pragma once

// The results book and the files beside it that the book's tests share.
#include "results/resultsbook.h"

#include <QByteArray>

namespace {
// The book of these tests: 1902 is missing, as a draw not yet typed in.
const QByteArray book = "1900,2024/06/06,1,2,3,4,5,6,7,200000000,10000000,300000,6800,1000\r\n"
                        "1901,2024/06/10,1,2,3,10,11,12,13,,,,6800,1000\r\n"
                        "1903,2024/06/17,20,21,22,23,24,25,26,,,,,\r\n"
                        "1904,2024/06/20,1,2,3,4,5,43,6,100000000,9000000,250000,7000,1000\r\n";

// Lines of 1 2 3 4 5 6: for 1901, 1901, 1904 and one waiting; and a line that is none.
const QByteArray logged = "2024/06/08,12:00:00,A,1,2,3,4,5,6\r\n2024/06/10,18:29:59,B,1,2,3,4,5,6\r\n"
                       "2024/06/18,09:00:00,C,1,2,3,4,5,6\r\n2024/06/21,09:00:00,D,1,2,3,4,5,6\r\nnot a line\r\n";
// A result file: 1901 with its first prize, 1902 new with a prize that
// cannot be read, 1903 on another day, and a row that is no draw.
const QByteArray resultFile = "1901,2024/06/10,1,2,3,10,11,12,13,200000000,,,,\n1902,2024/06/13,5,6,7,8,9,10,11,0,0,0,0,0,abc\n"
                              "1903,2024/06/18,20,21,22,23,24,25,26\nnot a draw\n";

// The book of the worked example: 1 2 3 4 5 6 +7, 1 2 3 4 5 7 +8, 10 11 12 13 14 15 +1.
const QByteArray example = "1,2026/01/05,1,2,3,4,5,6,7,,,,,\r\n2,2026/01/08,1,2,3,4,5,7,8,200000000,10000000,,,\r\n"
                           "3,2026/01/12,10,11,12,13,14,15,1,,,,,\r\n";

ResultsBook bookOf(const QByteArray &bytes)
{
    return ResultsBook::read(bytes.constData(), size_t(bytes.size()));
}
} // namespace
