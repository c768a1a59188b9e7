#include "qtprinter.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUuid>

#ifdef DRAVA_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {
// Printers leave about a quarter inch unprintable at each edge.
constexpr double marginMm = 6.35;

bool endsWhole(const QString &pdf)
{
    QFile file(pdf);
    return file.open(QIODevice::ReadOnly) && file.seek(qMax<qint64>(0, file.size() - 32))
           && file.readAll().trimmed().endsWith("%%EOF");
}
} // namespace

// Nothing is asked of the print system until the first print: the window
// opens without waiting for it.
QtPrinter::QtPrinter(const QString &pdfFile) : pdfFile(pdfFile) {}

QtPrinter::~QtPrinter()
{
    if (painter.isActive())
        painter.end();
    if (!spoolFile.isEmpty())
        QFile::remove(spoolFile);
}

void QtPrinter::newDocument()
{
    printer.reset();
    mode = ScaleUnit::twips;
    currentX = currentY = 0;
    font = QFont();
    failed = false;
}

QPrinter &QtPrinter::device() const
{
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setDocName(QStringLiteral("Drava"));
        const QPrinterInfo target = QPrinterInfo::defaultPrinter();
        printer->setPageSize(target.isNull() ? QPageSize(QPageSize::A4) : target.defaultPageSize());
        printer->setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    }
    return *printer;
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
    QString target = pdfFile;
    if (target.isEmpty()) {
        if (QPrinterInfo::defaultPrinterName().isEmpty()) {
            fail(QStringLiteral("プリンタがありません"));
            return false;
        }
#ifdef DRAVA_HAVE_CUPS
        spoolFile = QDir::temp().filePath("drava-" + QUuid::createUuid().toString(QUuid::WithoutBraces)
                                          + ".pdf");
        target = spoolFile;
#else
        device().setOutputFormat(QPrinter::NativeFormat);
        device().setPrinterName(QPrinterInfo::defaultPrinterName());
#endif
    }
    if (!target.isEmpty())
        device().setOutputFileName(target);
    if (!painter.begin(&device())) {
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

double QtPrinter::pixelsPerUnit(std::int16_t unit, bool vertical) const
{
    const double dpi = device().resolution();
    return ScaleUnit::twipsPerUnit(unit, vertical, dpi) * dpi / 1440.0;
}

QPointF QtPrinter::toDevice(float x, float y) const
{
    return QPointF(x * pixelsPerUnit(mode, false), y * pixelsPerUnit(mode, true));
}

void QtPrinter::print(const QString &text)
{
    if (!open())
        return;
    painter.setFont(QFont(font, &device()));
    const QPointF at = toDevice(currentX, currentY);
    painter.drawText(at + QPointF(0, painter.fontMetrics().ascent()), text);
}

float QtPrinter::scaleWidth() const
{
    return float(device().pageLayout().paintRectPixels(device().resolution()).width()
                 / pixelsPerUnit(mode, false));
}

float QtPrinter::scaleHeight() const
{
    return float(device().pageLayout().paintRectPixels(device().resolution()).height()
                 / pixelsPerUnit(mode, true));
}

float QtPrinter::scaleX(float value, std::int16_t from, std::int16_t to) const
{
    return float(value * pixelsPerUnit(from, false) / pixelsPerUnit(to, false));
}

float QtPrinter::scaleY(float value, std::int16_t from, std::int16_t to) const
{
    return float(value * pixelsPerUnit(from, true) / pixelsPerUnit(to, true));
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
    const double perTwip = device().resolution() / 1440.0;
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
        // A document cut short (its folder full, a write that failed) is
        // never sent: a whole PDF ends in its end-of-file mark.
        if (sent && !spoolFile.isEmpty() && !endsWhole(spoolFile)) {
            fail(QStringLiteral("一時ファイルを書けません"));
            sent = false;
        }
#ifdef DRAVA_HAVE_CUPS
        if (sent && !spoolFile.isEmpty()) {
            const QByteArray name = QPrinterInfo::defaultPrinterName().toLocal8Bit();
            const int job = cupsPrintFile(name.constData(), QFile::encodeName(spoolFile).constData(),
                                          "Drava", 0, nullptr);
            if (job == 0) {
                fail(QStringLiteral("プリンタが受け付けません (") + QString::fromLocal8Bit(cupsLastErrorString()) + ')');
                sent = false;
            }
        }
#endif
    }
    if (!spoolFile.isEmpty())
        QFile::remove(spoolFile);
    spoolFile.clear();
    const QString why = failureText;
    newDocument();
    failureText = sent ? QString() : why;
    return sent;
}
