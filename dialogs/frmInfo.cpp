#include "dialogs/frmInfo.h"

#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/Immagini.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/frmMessage.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int LarghezzaCliente = 6300;

} // namespace

frmInfo::frmInfo(QWidget *parent)
    : QDialog(parent, FinestraFissa::Bandiere)
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmInfo"), LarghezzaCliente, 2085);

    fraInfo = FinestraFissa::Cornice(this, QRect(60, 0, 6165, 2025));

    Image1 = new QLabel(fraInfo);
    Image1->setGeometry(Twips::PxRect(2850, 180, 720, 720));
    Image1->setPixmap(Immagini::PerSchermo(QStringLiteral(":/ombrazio.png"), Image1->size(), Image1->devicePixelRatioF()));
    Image1->setAccessibleName(QStringLiteral("Ombrazio"));

    lblInfo = new Etichetta(fraInfo);
    lblInfo->ImpostaGeometria(QRect(270, 1035, 5625, 255));
    lblInfo->setFont(Caratteri::Carattere(Caratteri::CourierNew, 9));
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo->ImpostaTrasparente(true);
    lblInfo->setText(QStringLiteral("Messaggio informativo"));

    cmdInfo = new PulsanteComando(fraInfo);
    cmdInfo->ImpostaGeometria(QRect(2490, 1400, 1400, 465));
    cmdInfo->setFont(Caratteri::Carattere(Caratteri::TrebuchetMS, 9));
    cmdInfo->setAutoDefault(true);
    cmdInfo->setText(QStringLiteral("OK"));
    connect(cmdInfo, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
    cmdInfo->setFocus();
}

void frmInfo::Form_Load()
{
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Informazione"));
    const qint32 righe = qint32(gInformazione.count(u'|')) + 1;
    const qint32 h = righe * 235;
    setFixedSize(Twips::PxSize(LarghezzaCliente, h + 2250 - frmMessage::BordiFinestra));
    fraInfo->setGeometry(Twips::PxRect(60, 0, 6165, h + 1770));
    lblInfo->ImpostaGeometria(QRect(270, 1035, 5625, righe * 255));
    cmdInfo->ImpostaGeometria(QRect(2490, h + 1145, 1400, 465));
    lblInfo->setText(QString(gInformazione).replace(u'|', QStringLiteral("\n")));
    lblInfo->repaint();
}

void RichiestaInformazione()
{
    frmInfo finestra;
    finestra.exec();
}
