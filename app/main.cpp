#include "appfolder.h"
#include "form1.h"
#include "platform/windowsystem.h"
#include "platform/qtpacer.h"
#include "platform/qtprinter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    WindowSystem::preferSocketImages();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("drava")); // names the user's data folder
    app.setDesktopFileName(QStringLiteral("drava")); // ties the window to its entry and icon
    QtPacer pacer;
    QtPrinter printer;
    Form1 form(pacer, printer, runningLogFolder());
    form.show();
    return app.exec();
}
