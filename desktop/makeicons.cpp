// Writes the desktop's icons of the sizes given, drawn as the window's icon is,
// into the hicolor theme's layout: <folder>/<n>x<n>/apps/drava.png.

#include "app/icon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: makeicons <folder> <size>...\n");
        return 2;
    }
    for (const QString &size : args.mid(2)) {
        const int n = size.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(n);
        QImage image = dravaIconImage(n);
        // The 32-pixel design keeps to 256 colours; so does its file.
        if (n == 32)
            image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/drava.png"))) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
