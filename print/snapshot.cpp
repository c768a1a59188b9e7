#include "snapshot.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

void snapshotToClipboard(QWidget *window)
{
    QPixmap shot;
    if (QScreen *screen = window->screen()) {
        const QRect frame = window->frameGeometry();
        shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    // Where the screen cannot be read, the window draws itself.
    if (shot.isNull() || shot.size() != window->frameGeometry().size() * shot.devicePixelRatio())
        shot = window->grab();
    QGuiApplication::clipboard()->setPixmap(shot);
}
