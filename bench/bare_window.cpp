// The yardsticks for start-up: a bare Qt window of Drava's size, nothing else;
// built with CAPTION, the same window showing that one caption in Qt's
// default face, which is what any window with Japanese text pays at least.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(489, 240);
    window.setWindowTitle(QStringLiteral("bare"));
#ifdef CAPTION
    QLabel caption(QString::fromUtf8(CAPTION), &window);
    caption.move(8, 8);
#endif
    window.show();
    return app.exec();
}
