#include "qtprinter.h"

#include "jobwatch.h"
#include "platform/library.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QUuid>

#include <cups/cups.h>

namespace {
// Printers leave about a quarter inch unprintable at each edge.
constexpr double marginMm = 6.35;
constexpr int dotsPerInch = 1200;
} // namespace

// The document's file as the PDF writer sees it. The first write that fails
// is kept in mind to the end: a QFile forgets a failure at its next write and
// at close, and a document with a piece missing from its middle may still end
// whole.
class QtPrinter::DocumentFile : public QIODevice
{
    Q_OBJECT
public:
    explicit DocumentFile(std::unique_ptr<QIODevice> file) : file(std::move(file))
    {
        if (this->file->isOpen())
            open(WriteOnly);
        else
            failure = this->file->errorString();
    }

    // Closes the file, which writes what it held back. Why a write failed, or nothing.
    QString finish()
    {
        file->close();
        if (const auto *f = qobject_cast<QFileDevice *>(file.get()); f && f->error() != QFileDevice::NoError)
            failed(f->errorString());
        close();
        return failure;
    }

    QString failure;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 written = file->write(data, size);
        if (written != size)
            failed(file->errorString());
        return written;
    }

private:
    void failed(const QString &why)
    {
        if (failure.isEmpty())
            failure = why;
    }

    std::unique_ptr<QIODevice> file;
};

// Nothing is asked of the print system until the first print: the window
// opens without waiting for it.
QtPrinter::QtPrinter(const QString &pdfFile)
    : openFile([](const QString &path) {
          auto file = std::make_unique<QFile>(path);
          file->open(QIODevice::WriteOnly | QIODevice::Truncate);
          return std::unique_ptr<QIODevice>(std::move(file));
      }),
      pdfFile(pdfFile)
{
}

QtPrinter::~QtPrinter()
{
    if (painter.isActive())
        painter.end();
    if (!spoolFile.isEmpty())
        QFile::remove(spoolFile);
}

void QtPrinter::newDocument()
{
    writer.reset();
    file.reset();
    queue.clear();
    layout = QPageLayout();
    mode = ScaleUnit::twips;
    currentX = currentY = 0;
    font = QFont();
    failed = false;
}

// The default queue and its page, asked of CUPS once a document needs them.
const QPageLayout &QtPrinter::page() const
{
    if (layout.isValid())
        return layout;
    QPageSize size(QPageSize::A4);
    const auto namedDest = DRAVA_FUNCTION(cups, cupsGetNamedDest);
    const auto copyInfo = DRAVA_FUNCTION(cups, cupsCopyDestInfo);
    const auto mediaDefault = DRAVA_FUNCTION(cups, cupsGetDestMediaDefault);
    const auto freeInfo = DRAVA_FUNCTION(cups, cupsFreeDestInfo);
    const auto freeDests = DRAVA_FUNCTION(cups, cupsFreeDests);
    const bool loaded = namedDest && copyInfo && mediaDefault && freeInfo && freeDests
            && DRAVA_FUNCTION(cups, cupsPrintFile) && DRAVA_FUNCTION(cups, cupsLastErrorString);
    cups_dest_t *dest = pdfFile.isEmpty() && loaded ? namedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr) : nullptr;
    if (dest) {
        queue = dest->name;
        cups_size_t media{};
        if (cups_dinfo_t *info = copyInfo(CUPS_HTTP_DEFAULT, dest)) {
            if (mediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &media) && media.width > 0 && media.length > 0)
                size = QPageSize(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter);
            freeInfo(info);
        }
        freeDests(1, dest);
    }
    layout = QPageLayout(size, QPageLayout::Portrait, QMarginsF(marginMm, marginMm, marginMm, marginMm),
                         QPageLayout::Millimeter);
    return layout;
}

void QtPrinter::fail(const QString &why)
{
    if (!failed)
        failureText = why;
    failed = true;
}

// The first output of a document opens the job.
bool QtPrinter::open()
{
    if (painter.isActive())
        return true;
    if (failed)
        return false;
    failureText.clear();
    page();
    if (pdfFile.isEmpty() && queue.isEmpty()) {
        fail(QStringLiteral("プリンタがありません"));
        return false;
    }
    if (pdfFile.isEmpty())
        spoolFile = QDir::temp().filePath("drava-" + QUuid::createUuid().toString(QUuid::WithoutBraces) + ".pdf");
    file = std::make_unique<DocumentFile>(openFile(pdfFile.isEmpty() ? spoolFile : pdfFile));
    if (!file->isOpen()) {
        fail(QStringLiteral("印刷を始められません (") + file->failure + ')');
        return false;
    }
    writer = std::make_unique<QPdfWriter>(file.get());
    writer->setTitle(QStringLiteral("Drava"));
    writer->setResolution(dotsPerInch);
    writer->setPageLayout(page());
    if (!painter.begin(writer.get())) {
        fail(QStringLiteral("印刷を始められません"));
        return false;
    }
    return true;
}

void QtPrinter::setFontName(const QString &face)
{
    font.setFamily(face);
}

void QtPrinter::setFontSize(float points)
{
    font.setPointSizeF(points);
}

void QtPrinter::setScaleMode(std::int16_t unit)
{
    mode = unit;
}

double QtPrinter::pixelsPerUnit(std::int16_t unit, Qt::Orientation along) const
{
    return ScaleUnit::twipsPerUnit(unit, along, dotsPerInch) * dotsPerInch / 1440.0;
}

QPointF QtPrinter::toDevice(float x, float y) const
{
    return QPointF(x * pixelsPerUnit(mode, Qt::Horizontal), y * pixelsPerUnit(mode, Qt::Vertical));
}

void QtPrinter::print(const QString &text)
{
    if (!open())
        return;
    painter.setFont(QFont(font, writer.get()));
    const QPointF at = toDevice(currentX, currentY);
    painter.drawText(at + QPointF(0, painter.fontMetrics().ascent()), text);
}

float QtPrinter::scaleWidth() const
{
    return float(page().paintRectPixels(dotsPerInch).width() / pixelsPerUnit(mode, Qt::Horizontal));
}

float QtPrinter::scaleHeight() const
{
    return float(page().paintRectPixels(dotsPerInch).height() / pixelsPerUnit(mode, Qt::Vertical));
}

float QtPrinter::scaleX(float value, std::int16_t from, std::int16_t to) const
{
    return float(value * pixelsPerUnit(from, Qt::Horizontal) / pixelsPerUnit(to, Qt::Horizontal));
}

float QtPrinter::scaleY(float value, std::int16_t from, std::int16_t to) const
{
    return float(value * pixelsPerUnit(from, Qt::Vertical) / pixelsPerUnit(to, Qt::Vertical));
}

void QtPrinter::paintPicture(const QImage &picture, float left, float top, float width, float height)
{
    if (!open())
        return;
    const QPointF topLeft = toDevice(left, top);
    const QPointF size = toDevice(width, height);
    painter.drawImage(QRectF(topLeft, QSizeF(size.x(), size.y())), picture);
}

bool QtPrinter::printForm(const QImage &window, double widthTwips, double heightTwips)
{
    newDocument();
    if (!open()) {
        endDoc();
        return false;
    }
    const double perTwip = dotsPerInch / 1440.0;
    painter.drawImage(QRectF(0, 0, widthTwips * perTwip, heightTwips * perTwip), window);
    return endDoc();
}

bool QtPrinter::endDoc()
{
    bool sent = !failed;
    if (painter.isActive()) {
        sent = painter.end() && sent;
        if (!sent)
            fail(QStringLiteral("印刷を終えられません"));
        // A document any write of which failed (its folder full, a disk that
        // failed) is never sent, wherever in it the write was.
        if (const QString why = file->finish(); sent && !why.isEmpty()) {
            fail(QStringLiteral("一時ファイルを書けません (") + why + ')');
            sent = false;
        }
        const auto printFile = DRAVA_FUNCTION(cups, cupsPrintFile);
        const auto lastError = DRAVA_FUNCTION(cups, cupsLastErrorString);
        if (sent && !spoolFile.isEmpty()) {
            // Taken is not printed: the queue may be stopped, or the printer fail.
            if (const int job = printFile(queue.constData(), QFile::encodeName(spoolFile).constData(), "Drava",
                                          0, nullptr)) {
                if (newsReceiver)
                    JobWatch::follow(cups, queue, job, newsReceiver, news);
            } else {
                fail(QStringLiteral("プリンタが受け付けません (") + QString::fromLocal8Bit(lastError()) + ')');
                sent = false;
            }
        }
    }
    if (!spoolFile.isEmpty())
        QFile::remove(spoolFile);
    spoolFile.clear();
    const QString why = failureText;
    newDocument();
    failureText = sent ? QString() : why;
    return sent;
}

#include "qtprinter.moc"
