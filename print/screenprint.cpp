#include "screenprint.h"

#include "picturefit.h"
#include "print/snapshot.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace {
// The picture's natural size in HIMETRIC (0.01 mm), from its resolution.
std::int32_t himetric(int pixels, int dotsPerMetre)
{
    if (dotsPerMetre <= 0)
        dotsPerMetre = 3780; // 96 dpi
    return static_cast<std::int32_t>(qRound64(pixels * 100000.0 / dotsPerMetre));
}
} // namespace

ScreenPrint::ScreenPrint(QWidget *form, Controls &controls, Gate &gate, Pacer &pacer, Printer &printer,
                         TellUser tellUser)
    : snapshot(snapshotToClipboard), form(form), controls(controls), gate(gate), pacer(pacer),
      printer(printer), tellUser(std::move(tellUser))
{
    QObject::connect(controls.CommandPrint, &QPushButton::clicked, [this] { CommandPrint_Click(); });
}

void ScreenPrint::CommandPrint_Click()
{
    if (!gate.admit(Gate::Command))
        return;
    if (controls.CheckPrn->checkState() == Qt::Checked) {
        PrintWindowPicture();
        return;
    }
    // The window's own form print: its client area as it looks, at its size.
    const QImage window = form->grab().toImage();
    if (!printer.printForm(window, clientArea.width() * twipsPerPixel, clientArea.height() * twipsPerPixel))
        failed(printer.failure());
}

void ScreenPrint::PrintWindowPicture()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    snapshot(form->window());
    pacer.processEventsOnce();
    if (pacer.stopping())
        return;
    controls.Picture1->setPixmap(QPixmap::fromImage(clipboard->image()));

    const QImage picture = controls.Picture1->pixmap().toImage();
    const std::int16_t unit = printer.scaleMode();
    const PictureFit fit = fitPicture(
        himetric(picture.width(), picture.dotsPerMeterX()), himetric(picture.height(), picture.dotsPerMeterY()),
        printer.scaleWidth(), printer.scaleHeight(), printer.scaleX(1, unit, ScaleUnit::himetric),
        printer.scaleY(1, unit, ScaleUnit::himetric));
    if (!fit.ok) {
        failed(picture.isNull() ? QStringLiteral("画面の画像がありません")
                                : QStringLiteral("画像の大きさを計算できません"));
        return;
    }
    printer.paintPicture(picture, fit.left, fit.top, fit.width, fit.height);
    if (!printer.endDoc())
        failed(printer.failure());
}

void ScreenPrint::failed(const QString &why)
{
    tellUser(QStringLiteral("印刷できませんでした: ") + why);
}
