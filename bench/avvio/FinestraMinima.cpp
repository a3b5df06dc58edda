// The floor for start-up: a window of the main window's size with one short label in each
// face, at each size, that the main window's first frame draws. The faces are found through
// the program's own table of stand-ins, so that the same installed faces are loaded.

#include "app/Caratteri.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Caratteri::RegistraSostituzioni();
    QWidget finestra;
    finestra.setWindowTitle(QStringLiteral("Minimo"));
    finestra.setFixedSize(825, 559);
    // The window's own face draws the first label.
    finestra.setFont(Caratteri::Carattere(Caratteri::SegoeUI, 8.25));
    const Caratteri::Freccia freccia = Caratteri::FrecciaStepper(Caratteri::Direzione::Avanti, Caratteri::PuntiFrecce);
    const struct
    {
        QString testo;
        QFont font;
    } etichette[] = {
        {QStringLiteral("Ombrazio"), finestra.font()},
        {QStringLiteral("SELEZIONATI"), Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 8.25)},
        {QStringLiteral("0"), Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 12)},
        {QStringLiteral("10"), Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 20.25)},
        {QStringLiteral("36"), Caratteri::CarattereFisso(Caratteri::Arial, 9.75)},
        {freccia.testo, freccia.font},
        {QStringLiteral("01 05 12"), Caratteri::Carattere(Caratteri::CourierNew, 12)},
    };
    int alto = 20;
    for (const auto &e : etichette) {
        auto *etichetta = new QLabel(e.testo, &finestra);
        etichetta->setFont(e.font);
        etichetta->move(20, alto);
        alto += 50;
    }
    finestra.show();
    return app.exec();
}
