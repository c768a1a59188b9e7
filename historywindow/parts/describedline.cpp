#include "describedline.h"

#include <QLabel>

QLabel *describedLine(const char *description, const QString &text)
{
    auto *label = new QLabel(text);
    label->setAccessibleDescription(QString::fromUtf8(description));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    return label;
}
