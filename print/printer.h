#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

class QObject;

// Scale units of the printer, in twips per unit along each axis.
namespace ScaleUnit {
constexpr std::int16_t twips = 1;
constexpr std::int16_t points = 2;
constexpr std::int16_t pixels = 3;
constexpr std::int16_t characters = 4; // 1/12 inch wide, 1/6 inch high
constexpr std::int16_t inches = 5;
constexpr std::int16_t millimetres = 6;
constexpr std::int16_t centimetres = 7;
constexpr std::int16_t himetric = 8; // 0.01 mm

// Twips in one unit; `pixelsPerInch` is the device's resolution.
double twipsPerUnit(std::int16_t unit, Qt::Orientation along, double pixelsPerInch = 96);
} // namespace ScaleUnit

// The default printer, with just the operations the program prints through.
// The first output opens a job; endDoc() sends it. Every document starts in
// twips; a scale unit set in one does not carry over to the next.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual void setFontName(const QString &face) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setScaleMode(std::int16_t unit) = 0;
    virtual std::int16_t scaleMode() const = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    virtual void print(const QString &text) = 0;
    // The printable area in the current unit.
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    virtual float scaleX(float value, std::int16_t from, std::int16_t to) const = 0;
    virtual float scaleY(float value, std::int16_t from, std::int16_t to) const = 0;
    // Draws the whole picture stretched into the rectangle (current unit).
    virtual void paintPicture(const QImage &picture, float left, float top, float width,
                              float height) = 0;
    // Prints an image of a window at its real size as a job of its own.
    virtual bool printForm(const QImage &window, double widthTwips, double heightTwips) = 0;
    // Ends the page and sends the job. False when nothing could be printed;
    // failure() then says why, in a few words for the user.
    virtual bool endDoc() = 0;
    virtual QString failure() const = 0;
    // Where news of a job sent comes later, on `receiver`'s thread while it
    // lives: that it waits in a queue that cannot print, or will not be
    // printed after all.
    virtual void setJobNews(QObject *receiver, std::function<void(const QString &)> news) = 0;
};
