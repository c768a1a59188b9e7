// The log read on several threads at once, under ThreadSanitizer: cut into
// pieces of a few bytes, on 2 and 7 threads, held or handed on, against one
// reader. The pieces run on Qt's pool; tsan_qthandoff.cpp tells the
// sanitizer how they are handed over.
#include "files/regularfile.h"
#include "history/logpieces.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

int main()
{
    std::string log = "\xEF\xBB\xBF";
    char record[64];
    for (int i = 0; i < 400; ++i) {
        std::snprintf(record, sizeof record, "2026/12/05,09:%02d:%02d,%c,1,2,3,4,5,%d\r\n%s", i / 60 % 60, i % 60,
                      'A' + i % 3, 6 + i % 9, i % 7 ? "" : "broken\n");
        log += record;
    }
    log += "2026/12/04,09:00:00,B,1,2,3,4,5,6\n"; // older than all: lines handed on are taken back
    log += "2026/12/05,09:00:00,A,7"; // a last line still being written
    std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/logXXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0 || ::write(fd, log.data(), log.size()) != ssize_t(log.size()) || ::close(fd) != 0)
        return 2;
    LogReader one;
    std::vector<LoggedLine> lines;
    one.feed(log.data(), log.size(), lines);
    keepLastOfEach(lines);
    int status = 0;
    for (const unsigned threads : {2u, 7u})
        for (const size_t piece : {7u, 40u, 4096u}) {
            const RegularFile file(path, O_RDONLY);
            LogReader reader;
            std::vector<LoggedLine> read;
            if (LogPieces::read(file, log.size(), reader, read, {threads, true, piece}) != 0 || read != lines
                || reader.skipped() != one.skipped() || reader.lineCount() != one.lineCount()) {
                std::fprintf(stderr, "%u threads, pieces of %zu bytes: not what one reader reads\n", threads, piece);
                status = 1;
            }
            // The same handed on as the lines settle, as a command reads them.
            LogReader handing;
            std::vector<LoggedLine> handed;
            const LineSink sink{[&](LineSpan span) { handed.insert(handed.end(), span.begin, span.end); },
                                [&] { handed.clear(); }};
            if (LogPieces::handOn(file, log.size(), handing, sink, {threads, false, piece}) != 0 || handed != lines) {
                std::fprintf(stderr, "%u threads, pieces of %zu bytes: not handed on as one reader reads\n", threads, piece);
                status = 1;
            }
        }
    ::unlink(path.c_str());
    return status;
}
