#include "common/FinestraFissa.h"

#include "common/Caratteri.h"
#include "common/Immagini.h"
#include "common/Twips.h"

#include <QFrame>

namespace FinestraFissa {

void Prepara(QDialog &finestra, const QString &nome, int larghezza, int altezza)
{
    finestra.setObjectName(nome);
    finestra.setModal(true);
    finestra.setFont(Caratteri::Carattere(Caratteri::SegoeUI, 8.25));
    finestra.setWindowIcon(Immagini::Icona());
    finestra.setFixedSize(Twips::PxSize(larghezza, altezza));
}

QFrame *Cornice(QWidget *contenitore, const QRect &twips)
{
    auto *cornice = new QFrame(contenitore);
    cornice->setFrameStyle(QFrame::Box | QFrame::Sunken);
    cornice->setGeometry(Twips::PxRect(twips));
    return cornice;
}

} // namespace FinestraFissa
