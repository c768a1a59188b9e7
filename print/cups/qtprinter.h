#pragma once

#include "print/printer.h"

#include <QFont>
#include <QLibrary>
#include <QPageLayout>
#include <QPainter>
#include <QPointer>

#include <functional>
#include <memory>

class QIODevice;
class QPdfWriter;

// The printer layer: a document is drawn into a PDF and, at endDoc(), handed
// whole to the system's default print queue (CUPS), so a job is sent entirely
// or not at all and a refusal is known. The page is the queue's default size
// less a quarter inch at each edge. Given a file name, it writes the PDF there
// instead, on A4, and sends nothing. A job sent is followed for a while, and
// news of it goes where setJobNews() says.
class QtPrinter : public Printer
{
public:
    explicit QtPrinter(const QString &pdfFile = QString());
    ~QtPrinter() override;

    void setFontName(const QString &face) override;
    void setFontSize(float points) override;
    void setScaleMode(std::int16_t unit) override;
    std::int16_t scaleMode() const override { return mode; }
    void setCurrentX(float x) override { currentX = x; }
    void setCurrentY(float y) override { currentY = y; }
    void print(const QString &text) override;
    float scaleWidth() const override;
    float scaleHeight() const override;
    float scaleX(float value, std::int16_t from, std::int16_t to) const override;
    float scaleY(float value, std::int16_t from, std::int16_t to) const override;
    void paintPicture(const QImage &picture, float left, float top, float width, float height) override;
    bool printForm(const QImage &window, double widthTwips, double heightTwips) override;
    bool endDoc() override;
    QString failure() const override { return failureText; }
    void setJobNews(QObject *receiver, std::function<void(const QString &)> tell) override
    {
        newsReceiver = receiver;
        news = std::move(tell);
    }

    // Opens the file a document is written into, for writing; tests give one
    // that fails.
    std::function<std::unique_ptr<QIODevice>(const QString &path)> openFile;

private:
    class DocumentFile;

    void newDocument();
    const QPageLayout &page() const;
    bool open();
    void fail(const QString &why);
    double pixelsPerUnit(std::int16_t unit, Qt::Orientation along) const;
    QPointF toDevice(float x, float y) const;

    QString pdfFile;
    QString spoolFile;
    mutable QLibrary cups{QStringLiteral("cups"), 2};
    mutable QByteArray queue;       // the default queue, asked at a document's first use
    mutable QPageLayout layout;     // its page; invalid until then
    std::unique_ptr<DocumentFile> file;
    std::unique_ptr<QPdfWriter> writer; // writes into `file`
    QPainter painter;
    QFont font;
    std::int16_t mode = ScaleUnit::twips;
    float currentX = 0;
    float currentY = 0;
    bool failed = false;
    QString failureText;
    QPointer<QObject> newsReceiver;
    std::function<void(const QString &)> news;
};
