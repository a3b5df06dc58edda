#include "verifica/frmVerifica.h"

#include "common/Caratteri.h"
#include "common/CursoreOccupato.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/frmMessage.h"
#include "dialogs/mGestioneErrori.h"

#include <QFrame>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

namespace {

constexpr int LarghezzaCliente = 9480;
constexpr int AltezzaCliente = 7920;

} // namespace

frmVerifica::frmVerifica(const QString &lista, QWidget *parent)
    : QDialog(parent, FinestraFissa::Bandiere)
    , m_testoLista(lista)
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmVerifica"), LarghezzaCliente, AltezzaCliente);
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Verifica"));

    fraVerifica = FinestraFissa::Cornice(this, QRect(60, 0, 9360, 7860));

    lblEstrazione = new Etichetta(fraVerifica);
    lblEstrazione->ImpostaGeometria(QRect(150, 225, 1200, 315));
    lblEstrazione->setFont(Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9.75));
    lblEstrazione->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblEstrazione->ImpostaTrasparente(true);
    lblEstrazione->setText(QStringLiteral("Estrazione"));

    txtEstrazione = new QLineEdit(fraVerifica);
    txtEstrazione->setGeometry(Twips::PxRect(1440, 195, 4470, 375));
    txtEstrazione->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    txtEstrazione->setAccessibleName(QStringLiteral("Estrazione"));
    txtEstrazione->setToolTip(QStringLiteral("Da 1 a 20 numeri estratti, da 1 a 90"));
    lblEstrazione->setBuddy(txtEstrazione);

    cmdVerifica = new PulsanteComando(fraVerifica, QRect(6060, 150, 1500, 465), QStringLiteral("VERIFICA"));
    // Enter in the draw field checks it.
    cmdVerifica->setDefault(true);
    cmdGaranzia = new PulsanteComando(fraVerifica, QRect(7680, 150, 1500, 465), QStringLiteral("GARANZIA"));

    prgGaranzia = new QProgressBar(fraVerifica);
    prgGaranzia->setGeometry(Twips::PxRect(150, 780, 7410, 315));
    prgGaranzia->setRange(0, 1000);
    prgGaranzia->setValue(0);
    // A share only while there is work to show it for.
    prgGaranzia->setTextVisible(false);
    prgGaranzia->setAccessibleName(QStringLiteral("Avanzamento della garanzia"));
    cmdAnnulla = new PulsanteComando(fraVerifica, QRect(7680, 705, 1500, 465), QStringLiteral("ANNULLA"));
    cmdAnnulla->setEnabled(false);

    txtRisultato = new QPlainTextEdit(fraVerifica);
    txtRisultato->setGeometry(Twips::PxRect(150, 1305, 9030, 6405));
    // The list's face: the figures line up as they do there.
    txtRisultato->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    txtRisultato->setReadOnly(true);
    // Read-only text takes no keys of its own; selecting and copying it still do.
    txtRisultato->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtRisultato->setAccessibleName(QStringLiteral("Risultato"));

    setTabOrder(txtEstrazione, cmdVerifica);
    setTabOrder(cmdVerifica, cmdGaranzia);
    setTabOrder(cmdGaranzia, cmdAnnulla);
    setTabOrder(cmdAnnulla, txtRisultato);

    connect(&m_lavoro, &Lavoro::avanzato, prgGaranzia, &QProgressBar::setValue);
    connect(&m_lavoro, &Lavoro::finito, this, &frmVerifica::GaranziaFinita);
    connect(cmdVerifica, &QPushButton::clicked, this, &frmVerifica::cmdVerifica_Click);
    connect(cmdGaranzia, &QPushButton::clicked, this, &frmVerifica::cmdGaranzia_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmVerifica::cmdAnnulla_Click);

    txtEstrazione->setFocus();
}

frmVerifica::~frmVerifica() = default;

const Verifica::Lista &frmVerifica::Righe()
{
    if (!m_lista)
        m_lista = Verifica::LeggiLista(m_testoLista);
    return *m_lista;
}

void frmVerifica::Mostra(const QString &testo)
{
    txtRisultato->setPlainText(testo);
}

void frmVerifica::cmdVerifica_Click()
{
    const Verifica::Estrazione estrazione = Verifica::LeggiEstrazione(txtEstrazione->text());
    if (estrazione.esito != Verifica::Estrazione::Valida) {
        RichiestaMessaggio(Verifica::MessaggioEstrazione(estrazione), QStringLiteral("OK"));
        txtEstrazione->setFocus();
        return;
    }
    if (RifiutaLista(Righe()))
        return;
    const CursoreOccupato occupato;
    Mostra(Verifica::TestoVerifica(Righe(), estrazione));
}

void frmVerifica::cmdGaranzia_Click()
{
    const Verifica::Lista &lista = Righe();
    if (RifiutaLista(lista))
        return;
    Verifica::Numeri tutti;
    for (const Verifica::RigaLetta &riga : lista.righe)
        tutti = tutti | riga.numeri;
    if (tutti.Quanti() < 2) {
        RichiestaMessaggio(QStringLiteral("Per la garanzia servono|almeno 2 numeri diversi ..!"), QStringLiteral("OK"));
        return;
    }

    m_garanzia = std::make_shared<Verifica::Garanzia>();
    m_riuscita = false;
    prgGaranzia->setValue(0);
    prgGaranzia->setTextVisible(true);
    Abilita(true);
    // The lines are read before and never changed while the work goes on.
    m_lavoro.Avvia([this, &lista, garanzia = m_garanzia](Avanzamento &stato) {
        m_riuscita = Verifica::CalcolaGaranzia(lista, *garanzia, stato);
    });
}

void frmVerifica::Abilita(bool inCorso)
{
    cmdVerifica->setEnabled(!inCorso);
    cmdGaranzia->setEnabled(!inCorso);
    cmdAnnulla->setEnabled(inCorso);
}

void frmVerifica::GaranziaFinita(Lavoro::Fine fine)
{
    Abilita(false);
    // A stopped computation leaves the results as they were.
    const bool mostra = fine == Lavoro::Fine::Finita && m_riuscita;
    prgGaranzia->setValue(mostra ? 1000 : 0);
    prgGaranzia->setTextVisible(mostra);
    if (mostra)
        Mostra(Verifica::TestoGaranzia(*m_garanzia));
    m_garanzia.reset();
    if (fine == Lavoro::Fine::MemoriaEsaurita)
        mGestioneErrori::MostraErrore(NumeriErrore::ErroreMemoria);
}

void frmVerifica::cmdAnnulla_Click()
{
    // Stopped, even if it came to its end meanwhile: the user asked for nothing to be shown.
    m_lavoro.Ferma();
    GaranziaFinita(Lavoro::Fine::Annullata);
    txtEstrazione->setFocus();
}

void frmVerifica::done(int esito)
{
    // The close box, Escape and a close from the program all end here.
    if (m_lavoro.InCorso()) {
        m_lavoro.Ferma();
        GaranziaFinita(Lavoro::Fine::Annullata);
    }
    QDialog::done(esito);
}

void RichiestaVerifica(const QString &lista, QWidget *finestra)
{
    frmVerifica verifica(lista, finestra);
    verifica.exec();
}

bool RifiutaLista(const Verifica::Lista &lista)
{
    if (lista.vuota) {
        RichiestaMessaggio(QStringLiteral("L'Area combinazioni è vuota ..!"), QStringLiteral("OK"));
        return true;
    }
    if (lista.righe.empty()) {
        RichiestaMessaggio(QStringLiteral("Nessuna riga da verificare:|la riga %1 non contiene numeri da 1 a 90 ..!")
                               .arg(lista.primaNonVerificata),
                           QStringLiteral("OK"));
        return true;
    }
    return false;
}
