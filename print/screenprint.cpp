#include "screenprint.h"

#include "app/controls.h"
#include "picturefit.h"
#include "platform/snapshot.h"

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

ScreenPrint::ScreenPrint(QWidget *form, Controls &ui, FormState &state, Pacer &pacer, Printer &printer,
                         std::function<void(const QString &)> notify)
    : snapshot(snapshotToClipboard), form(form), ui(ui), st(state), pacer(pacer), printer(printer),
      notify(std::move(notify))
{
    QObject::connect(ui.CommandPrint, &QPushButton::clicked, [this] { CommandPrint_Click(); });
}

void ScreenPrint::CommandPrint_Click()
{
    if (st.busyFlag != 0)
        return;
    if (ui.CheckPrn->checkState() == Qt::Checked) {
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
    ui.Picture1->setPixmap(QPixmap::fromImage(clipboard->image()));

    const QImage picture = ui.Picture1->pixmap().toImage();
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
    notify(QStringLiteral("印刷できませんでした: ") + why);
}
