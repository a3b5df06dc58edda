// The floor for start-up: a window of the main window's size with one line of text.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.setWindowTitle(QStringLiteral("Minimo"));
    finestra.setFixedSize(825, 559);
    QLabel testo(QStringLiteral("Ombrazio"), &finestra);
    testo.move(20, 20);
    finestra.show();
    return app.exec();
}
