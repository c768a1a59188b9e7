#pragma once

#include <QString>

// What became of a fetch. The answers that could not be read count towards a
// source that may have changed; a network that is down, or a book that could
// not be written, tell nothing of the source.
enum class FetchOutcome {
    Imported,         // read and taken into the book
    NotModified,      // the server said the file has not changed (304)
    Html,             // a web page, such as a login or an error page
    Empty,
    CutShort,         // shorter than its Content-Length; detail "got of told"
    TooLarge,         // over the cap, counted after decompression
    HttpStatus,       // detail "404 Not Found"
    TooManyRedirects,
    InsecureRedirect, // from https to http
    Untrusted,        // the certificate; detail in Qt's words
    Unreadable,       // any other answer that could not be read; detail
    NoDraw,           // a file with no draw that can be read
    Timeout,          // no answer within the limit; detail the seconds
    NetworkDown,      // host not found, connection refused; detail
    FileUnreadable,   // a file: source; detail in the system's words
    BookFailed,       // the book could not be read or written; detail
};

namespace Outcome {
enum class Kind { Good, BadAnswer, NoAnswer, Book };
Kind kindOf(FetchOutcome outcome);
// "an HTML page, not a result file", for the command line.
QString english(FetchOutcome outcome, const QString &detail);
// "結果ファイルではなく HTML のページです", for the window.
QString japanese(FetchOutcome outcome, const QString &detail);
} // namespace Outcome
