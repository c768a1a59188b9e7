// The yardstick for start-up: a bare Qt window of Drava's size, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(489, 240);
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    return app.exec();
}
