#include "bookfetch.h"

#include "results/importfile.h"

#include <cerrno>

BookFetch::BookFetch(const QString &book, Fetcher &fetcher, QObject *parent)
    : QObject(parent), book(book), fetcher(fetcher)
{
    connect(&fetcher, &Fetcher::done, this, [this](const Download &download) {
        if (busy())
            got(download);
    });
}

void BookFetch::start(const QUrl &from)
{
    if (busy())
        return;
    source = from;
    fetcher.get(source, FetchRecord::validators(source, book));
}

void BookFetch::got(const Download &download)
{
    Fetched fetched;
    fetched.source = source;
    fetched.download = download;
    if (download.outcome != FetchOutcome::Imported) {
        end(fetched, {});
        return;
    }
    fetched.download.body.clear();
    work.run([fetched, body = download.body, path = book]() mutable {
        const ImportFile file = ImportFile::read(body);
        std::vector<DrawResult> entered;
        if (file.draws.empty()) {
            fetched.download.outcome = FetchOutcome::NoDraw;
            fetched.download.body = body.left(1024);
        } else {
            const BookFile::Read before = BookFile::read(path);
            fetched.update = BookFile::merge(path, file.draws);
            fetched.skippedRows = file.skippedRows;
            fetched.unreadablePrizes = file.unreadablePrizes;
            if (fetched.update.read.error == BookFile::notABook) {
                fetched.download.outcome = FetchOutcome::BookFailed;
                fetched.download.detail = BookFile::reason(BookFile::notABook);
            } else if (!fetched.update.failure.isEmpty()) {
                fetched.download.outcome = FetchOutcome::BookFailed;
                fetched.download.detail = fetched.update.failure;
            } else {
                for (const DrawResult &draw : fetched.update.read.book.draws())
                    if (!before.book.find(draw.number))
                        entered.push_back(draw);
            }
        }
        return std::make_pair(fetched, entered);
    }, [this](const std::pair<Fetched, std::vector<DrawResult>> &done) { end(done.first, done.second); });
}

void BookFetch::end(Fetched fetched, const std::vector<DrawResult> &entered)
{
    // What the server said of the file holds only once the file is in the
    // book: a file refused, or a book not written, is fetched whole again.
    if (fetched.download.outcome == FetchOutcome::Imported)
        FetchRecord::setValidators(source, book, fetched.download.validators);
    fetched.last = FetchRecord::after(FetchRecord::last(book), clock(), fetched.download,
                                      fetched.update.merging.added);
    FetchRecord::setLast(book, fetched.last);
    fetched.download.body.clear();
    source.clear();
    emit finished(fetched);
    if (!entered.empty())
        emit drawsEntered(entered);
}
