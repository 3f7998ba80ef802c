// A window of one colour, for the end-to-end tests to find in a screenshot.
// usage: colourwindow COLOUR [WIDTHxHEIGHT]

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("colour"));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(QString::fromLatin1(argc > 1 ? argv[1] : "red")));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    const QStringList size = QString::fromLatin1(argc > 2 ? argv[2] : "400x300").split(QLatin1Char('x'));
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    window.show();
    return app.exec();
}
