#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QMenu>

namespace {
class CaptionAccessible : public QAccessibleWidget
{
public:
    explicit CaptionAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *captionFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QLabel"))
        return nullptr;
    auto *label = qobject_cast<QLabel *>(object);
    if (!label || label->focusPolicy() != Qt::NoFocus) // Picture1 keeps its own name
        return nullptr;
    return new CaptionAccessible(label);
}
class ApplicationAccessible : public QAccessibleApplication
{
public:
    int childCount() const override { return QAccessibleApplication::childCount() + int(popups().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const int windows = QAccessibleApplication::childCount();
        if (index < windows)
            return QAccessibleApplication::child(index);
        const QList<QMenu *> shown = popups();
        return index - windows < shown.size() ? QAccessible::queryAccessibleInterface(shown[index - windows]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const int index = QAccessibleApplication::indexOfChild(child);
        if (index >= 0 || !child)
            return index;
        const int popup = int(popups().indexOf(qobject_cast<QMenu *>(child->object())));
        return popup < 0 ? -1 : QAccessibleApplication::childCount() + popup;
    }

private:
    static QList<QMenu *> popups()
    {
        QList<QMenu *> shown;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *menu = qobject_cast<QMenu *>(window); menu && menu->isVisible())
                shown << menu;
        return shown;
    }
};

QAccessibleInterface *applicationFactory(const QString &className, QObject *object)
{
    return className == QLatin1String("QApplication") && object == qApp ? new ApplicationAccessible : nullptr;
}
} // namespace

void installPopupAccessibility()
{
    QAccessible::installFactory(applicationFactory);
}

void installCaptionAccessibility()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(captionFactory);
    installed = true;
}
