#include "sviluppo/frmSviluppo.h"

#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "common/mFunzioni.h"
#include "dialogs/frmMessage.h"
#include "sviluppo/Sviluppo.h"

#include <QFrame>
#include <QIcon>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr int LarghezzaCliente = 6450;
constexpr int AltezzaCliente = 3780;

} // namespace

frmSviluppo::frmSviluppo(std::vector<int> numeri, QWidget *parent)
    : QDialog(parent, FinestraFissa::Bandiere)
    , m_numeri(std::move(numeri))
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmSviluppo"), LarghezzaCliente, AltezzaCliente);
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Sviluppo"));

    fraSviluppo = FinestraFissa::Cornice(this, QRect(60, 0, 6330, 3720));

    const QFont trebuchet = Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9.75);
    lblTitoloNumeri = Etichetta::Didascalia(fraSviluppo, QRect(210, 150, 5910, 285),
                                            QStringLiteral("Numeri selezionati: %1").arg(m_numeri.size()), trebuchet,
                                            Qt::AlignLeft | Qt::AlignVCenter);
    QStringList campi;
    for (int numero : m_numeri)
        campi << mFunzioni::CampoNumero(numero);
    // Up to 90 numbers, in as many lines as they take.
    lblNumeri
        = Etichetta::Didascalia(fraSviluppo, QRect(210, 465, 5910, 1500), campi.join(u' '),
                                Caratteri::CarattereFisso(Caratteri::CourierNew, 10), Qt::AlignLeft | Qt::AlignTop);
    lblNumeri->setWordWrap(true);

    lblTitoloClasse = Etichetta::Didascalia(fraSviluppo, QRect(210, 2100, 2250, 360), QStringLiteral("Numeri per riga"),
                                            trebuchet, Qt::AlignLeft | Qt::AlignVCenter);
    spnClasse = new QSpinBox(fraSviluppo);
    spnClasse->setGeometry(Twips::PxRect(2520, 2070, 900, 390));
    spnClasse->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    spnClasse->setRange(1, int(m_numeri.size()));
    spnClasse->setValue(std::min(int(m_numeri.size()), 3));
    spnClasse->setAccessibleName(QStringLiteral("Numeri per riga"));
    lblTitoloClasse->setBuddy(spnClasse);
    // On a line of its own: C(90, 45) has 27 digits.
    lblRighe = Etichetta::Didascalia(fraSviluppo, QRect(210, 2520, 5910, 330), QString(), trebuchet,
                                     Qt::AlignLeft | Qt::AlignVCenter);

    cmdSviluppa = new PulsanteComando(fraSviluppo, QRect(1545, 2970, 1400, 465), QStringLiteral("SVILUPPA"));
    // Enter develops, unless ANNULLA has the focus.
    cmdSviluppa->setDefault(true);
    cmdAnnulla = new PulsanteComando(fraSviluppo, QRect(3405, 2970, 1400, 465), QStringLiteral("ANNULLA"));

    connect(spnClasse, &QSpinBox::valueChanged, this, &frmSviluppo::spnClasse_Change);
    connect(cmdSviluppa, &QPushButton::clicked, this, &frmSviluppo::cmdSviluppa_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    spnClasse_Change();
    spnClasse->setFocus();
    spnClasse->selectAll();
}

int frmSviluppo::Classe() const
{
    return spnClasse->value();
}

void frmSviluppo::spnClasse_Change()
{
    lblRighe->setText(QStringLiteral("Righe: ") + Sviluppo::Righe(int(m_numeri.size()), Classe()));
}

void frmSviluppo::cmdSviluppa_Click()
{
    const int n = int(m_numeri.size());
    if (Sviluppo::RigheEntroIlMassimo(n, Classe()) > Sviluppo::RigheMassime) {
        // Another choice may fit: the dialog stays.
        RichiestaMessaggio(QStringLiteral("Lo sviluppo darebbe|%1 righe,|oltre il massimo di %2 ..!")
                               .arg(Sviluppo::Righe(n, Classe()))
                               .arg(Sviluppo::RigheMassime),
                           QStringLiteral("OK"));
        spnClasse->setFocus();
        return;
    }
    accept();
}

int RichiestaSviluppo(const std::vector<int> &numeri, QWidget *finestra)
{
    frmSviluppo sviluppo(numeri, finestra);
    return sviluppo.exec() == QDialog::Accepted ? sviluppo.Classe() : 0;
}
