#pragma once

#include "platform/printer.h"

#include <QStringList>

// A printer that keeps a list of what it was asked to do, in order.
class RecordingPrinter : public Printer
{
public:
    struct Text
    {
        float x, y;
        std::int16_t unit;
        QString text;
    };

    void setFontName(const QString &face) override { log << "font " + face; }
    void setFontSize(float points) override { log << QString("size %1").arg(points); }
    void setScaleMode(std::int16_t unit) override { mode = unit; }
    std::int16_t scaleMode() const override { return mode; }
    void setCurrentX(float x) override { cx = x; }
    void setCurrentY(float y) override { cy = y; }
    void print(const QString &text) override
    {
        texts.push_back({cx, cy, mode, text});
        log << "print";
    }
    // A letter page less quarter-inch margins, in twips.
    float scaleWidth() const override { return float(8 * 1440 / ScaleUnit::twipsPerUnit(mode, false)); }
    float scaleHeight() const override { return float(10.5 * 1440 / ScaleUnit::twipsPerUnit(mode, true)); }
    float scaleX(float v, std::int16_t from, std::int16_t to) const override
    {
        return float(v * ScaleUnit::twipsPerUnit(from, false) / ScaleUnit::twipsPerUnit(to, false));
    }
    float scaleY(float v, std::int16_t from, std::int16_t to) const override
    {
        return float(v * ScaleUnit::twipsPerUnit(from, true) / ScaleUnit::twipsPerUnit(to, true));
    }
    void paintPicture(const QImage &picture, float left, float top, float width, float height) override
    {
        pictures << picture;
        log << QString("picture %1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height);
    }
    bool printForm(const QImage &window, double w, double h) override
    {
        pictures << window;
        log << QString("form %1 %2").arg(w).arg(h);
        ++jobs;
        return !refuse;
    }
    bool endDoc() override
    {
        log << "end";
        mode = ScaleUnit::twips;
        ++jobs;
        return !refuse;
    }
    QString failure() const override { return refuse ? QStringLiteral("プリンタがありません") : QString(); }

    QStringList log;
    std::vector<Text> texts;
    QList<QImage> pictures;
    int jobs = 0;
    bool refuse = false;

private:
    std::int16_t mode = ScaleUnit::twips;
    float cx = 0, cy = 0;
};
