// The floor for start-up: a window of the main window's size with one short label in each
// face, at each size, that the main window's first frame draws, and the empty list box
// that it shows: Qt's plain text box at the list's place, size and face, with its scroll
// bar. The faces are found through the program's own table of stand-ins, so that the same
// installed faces are loaded.

#include "common/Caratteri.h"
#include "common/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
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
    };
    int alto = 20;
    for (const auto &e : etichette) {
        auto *etichetta = new QLabel(e.testo, &finestra);
        etichetta->setFont(e.font);
        etichetta->move(20, alto);
        alto += 50;
    }
    // Any program that shows an editable list pays for the box Qt makes: a document laid
    // out in the application's face before a face can be given, and a scroll bar whose
    // groove Qt fills on worker threads. Given its face before it has a parent, it is laid
    // out once less, as in the program.
    auto *lista = new QPlainTextEdit;
    lista->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    lista->setParent(&finestra);
    lista->setGeometry(Twips::PxRect(7860, 510, 4335, 6345));
    lista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    finestra.show();
    return app.exec();
}
