#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

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
} // namespace

void installCaptionAccessibility()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(captionFactory);
    installed = true;
}
