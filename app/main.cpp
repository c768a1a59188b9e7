#include "appfolder.h"
#include "form1.h"
#include "platform/qtpacer.h"
#include "platform/qtprinter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPacer pacer;
    QtPrinter printer;
    Form1 form(pacer, printer, runningProgramFolder());
    form.show();
    return app.exec();
}
