#include "form1.h"
#include "platform/qtpacer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPacer pacer;
    Form1 form(pacer, QCoreApplication::applicationDirPath());
    form.show();
    return app.exec();
}
