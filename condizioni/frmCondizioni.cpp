#include "condizioni/frmCondizioni.h"

#include "common/Caratteri.h"
#include "common/CursoreOccupato.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/NumeriErrore.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "common/mFunzioni.h"
#include "dialogs/TestiErrore.h"
#include "dialogs/frmMessage.h"
#include "dialogs/mGestioneErrori.h"
#include "list/Apertura.h"
#include "list/Salvataggio.h"
#include "sviluppo/Sviluppo.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSettings>
#include <QSpinBox>

#include <algorithm>
#include <tuple>
#include <utility>

using namespace Condizioni;

namespace {

constexpr int LarghezzaCliente = 8940;
constexpr int AltezzaCliente = 8820;
constexpr int ClasseIniziale = 3;
// The lines of a list may come from a board of any size.
constexpr int NumeriLista = 90;
const QString ChiaveCondizioni = QStringLiteral("condizioni/ultime");

// The table of conditions, in twips: a row for each, its columns lined up under the headers.
constexpr int XCondizione = 150;
constexpr int LCondizione = 1650;
constexpr int XNumeri = 1860;
constexpr int LNumeri = 2940;
constexpr int XGriglia = 4860;
constexpr int LGriglia = 1500;
constexpr int XMinimo = 6480;
constexpr int XMassimo = 7620;
constexpr int LValore = 1050;
constexpr int YIntestazione = 120;
constexpr int YRighe = 480;
constexpr int Passo = 420;
constexpr int AltezzaRiga = 390;

// What the conditions after the groups measure, in the order of Condizioni::Condizione.
const char16_t *const Misure[] = {
    u"la somma dei numeri della riga",
    u"quanti numeri sono pari",
    u"numeri nella decina più piena (1-10, 11-20…)",
    u"numeri con la stessa cifra finale, al più",
    u"la serie più lunga di numeri consecutivi",
    u"la distanza più corta sulla ruota (90 e 1: 1)",
};

QString Righe(qint64 quante)
{
    return quante == 1 ? QStringLiteral("1 riga") : QStringLiteral("%1 righe").arg(quante);
}

void Rifiuta(const QString &messaggio)
{
    RichiestaMessaggio(messaggio, QStringLiteral("OK"));
}

QStringList FiltriFile()
{
    return {QStringLiteral("Condizioni (*.txt *.TXT)"), QStringLiteral("Tutti i file (*)")};
}

} // namespace

frmCondizioni::frmCondizioni(QString lista, std::vector<int> selezione, int numeriGriglia, File file, QWidget *parent,
                             FunzioneSviluppo sviluppo)
    : QDialog(parent, FinestraFissa::Bandiere)
    , m_lista(std::move(lista))
    , m_selezione(std::move(selezione))
    , m_numeriGriglia(numeriGriglia)
    , m_file(std::move(file))
    , m_funzioneSviluppo(std::move(sviluppo))
{
    if (!m_funzioneSviluppo) {
        m_funzioneSviluppo = [](const Condizioni::Impostazioni &impostazioni, const std::vector<int> &numeri, int k,
                                Avanzamento &avanzamento) {
            return Condizioni::Sviluppa(impostazioni, numeri, k, avanzamento);
        };
    }
    FinestraFissa::Prepara(*this, QStringLiteral("frmCondizioni"), LarghezzaCliente, AltezzaCliente);
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Condizioni"));

    fraCondizioni = FinestraFissa::Cornice(this, QRect(60, 0, LarghezzaCliente - 120, AltezzaCliente - 60));
    const QFont didascalie = Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9.75);
    CostruisciRighe(didascalie);
    CostruisciAzioni(didascalie);

    connect(&m_conteggio, &Lavoro::finito, this, &frmCondizioni::ConteggioFinito);
    connect(&m_sviluppo, &Lavoro::avanzato, prgSviluppo, &QProgressBar::setValue);
    connect(&m_sviluppo, &Lavoro::finito, this, &frmCondizioni::SviluppoFinito);

    Condizioni::Impostazioni ricordate;
    if (Richiama(QSettings(), ChiaveCondizioni, ricordate))
        Mostra(ricordate);
    else
        Conta();
    chkCondizione[Gruppo1]->setFocus();
}

std::optional<Condizioni::Impostazioni> CondizioniRicordate()
{
    Condizioni::Impostazioni ricordate;
    if (Richiama(QSettings(), ChiaveCondizioni, ricordate))
        return ricordate;
    return std::nullopt;
}

frmCondizioni::~frmCondizioni()
{
    m_conteggio.Ferma();
    m_sviluppo.Ferma();
}

void frmCondizioni::CostruisciRighe(const QFont &didascalie)
{
    const Qt::Alignment sinistra = Qt::AlignLeft | Qt::AlignVCenter;
    const auto intestazione = [&](int x, int larghezza, const QString &testo) {
        return Etichetta::Didascalia(fraCondizioni, QRect(x, YIntestazione, larghezza, 300), testo, didascalie,
                                     sinistra);
    };
    lblCondizione = intestazione(XCondizione, LCondizione, QStringLiteral("Condizione"));
    lblNumeriGruppo = intestazione(XNumeri, LNumeri + LGriglia, QStringLiteral("Numeri del gruppo, come: 1-15 20 22"));
    lblMinimo = intestazione(XMinimo, LValore, QStringLiteral("Minimo"));
    lblMassimo = intestazione(XMassimo, LValore, QStringLiteral("Massimo"));

    const QFont valori = Caratteri::Carattere(Caratteri::CourierNew, 12);
    for (int c = 0; c < Quante; ++c) {
        const int y = YRighe + c * Passo;
        const QString nome = Nome(c);
        auto *casella = new QCheckBox(nome, fraCondizioni);
        casella->setGeometry(Twips::PxRect(XCondizione, y, LCondizione, AltezzaRiga));
        casella->setFont(didascalie);
        chkCondizione[std::size_t(c)] = casella;
        if (c < GruppiMassimi) {
            auto *numeri = new QLineEdit(fraCondizioni);
            numeri->setGeometry(Twips::PxRect(XNumeri, y, LNumeri, AltezzaRiga));
            // Typed by the user: the face with fallbacks.
            numeri->setFont(Caratteri::Carattere(Caratteri::CourierNew, 10));
            numeri->setAccessibleName(nome + QStringLiteral(": numeri"));
            numeri->setToolTip(QStringLiteral("Numeri e intervalli, separati da spazi o virgole: 1-15 20 22"));
            txtGruppo[std::size_t(c)] = numeri;
            auto *griglia = new PulsanteComando(fraCondizioni, QRect(XGriglia, y, LGriglia, AltezzaRiga),
                                                QStringLiteral("DALLA GRIGLIA"));
            griglia->setAccessibleName(nome + QStringLiteral(": i numeri selezionati nella griglia"));
            griglia->setToolTip(QStringLiteral("Prende nel gruppo i numeri selezionati nella griglia"));
            cmdGriglia[std::size_t(c)] = griglia;
            connect(numeri, &QLineEdit::textChanged, this, &frmCondizioni::Condizione_Change);
            connect(griglia, &QPushButton::clicked, this, [this, c] { cmdGriglia_Click(c); });
        } else {
            lblMisura[std::size_t(c - GruppiMassimi)] =
                Etichetta::Didascalia(fraCondizioni, QRect(XNumeri, y, LNumeri + LGriglia, AltezzaRiga),
                                      QString::fromUtf16(Misure[c - GruppiMassimi]), didascalie, sinistra);
        }
        for (const auto &[x, quale, valore] :
             {std::tuple{XMinimo, QStringLiteral("minimo"), ValoreMinimo(c)},
              std::tuple{XMassimo, QStringLiteral("massimo"), ValoreMassimo(c)}}) {
            auto *spin = new QSpinBox(fraCondizioni);
            spin->setGeometry(Twips::PxRect(x, y, LValore, AltezzaRiga));
            spin->setFont(valori);
            spin->setRange(ValoreMinimo(c), ValoreMassimo(c));
            spin->setValue(valore);
            spin->setAccessibleName(nome + u' ' + quale);
            // Only the conditions set have a range to give.
            spin->setEnabled(false);
            (x == XMinimo ? spnMinimo : spnMassimo)[std::size_t(c)] = spin;
            connect(spin, &QSpinBox::valueChanged, this, &frmCondizioni::Condizione_Change);
        }
        connect(casella, &QCheckBox::toggled, this, [this, c](bool impostata) {
            spnMinimo[std::size_t(c)]->setEnabled(impostata);
            spnMassimo[std::size_t(c)]->setEnabled(impostata);
            Condizione_Change();
        });
    }

    const int y = YRighe + Quante * Passo + 90;
    lblCombinazione = Etichetta::Didascalia(fraCondizioni, QRect(XCondizione, y, LCondizione, AltezzaRiga),
                                            QStringLiteral("Devono valere"), didascalie, sinistra);
    optTutte = new QRadioButton(QStringLiteral("tutte"), fraCondizioni);
    optTutte->setGeometry(Twips::PxRect(XNumeri, y, 1110, AltezzaRiga));
    optTutte->setFont(didascalie);
    optTutte->setChecked(true);
    optAlmeno = new QRadioButton(QStringLiteral("almeno"), fraCondizioni);
    optAlmeno->setGeometry(Twips::PxRect(XNumeri + 1170, y, 1290, AltezzaRiga));
    optAlmeno->setFont(didascalie);
    spnAlmeno = new QSpinBox(fraCondizioni);
    spnAlmeno->setGeometry(Twips::PxRect(XNumeri + 2520, y, 780, AltezzaRiga));
    spnAlmeno->setFont(valori);
    spnAlmeno->setRange(1, Quante);
    spnAlmeno->setValue(1);
    spnAlmeno->setEnabled(false);
    spnAlmeno->setAccessibleName(QStringLiteral("Almeno quante condizioni"));
    lblAlmeno = Etichetta::Didascalia(fraCondizioni, QRect(XNumeri + 3390, y, 3000, AltezzaRiga),
                                      QStringLiteral("delle condizioni impostate"), didascalie, sinistra);
    connect(optAlmeno, &QRadioButton::toggled, this, [this](bool almeno) {
        spnAlmeno->setEnabled(almeno);
        Condizione_Change();
    });
    connect(spnAlmeno, &QSpinBox::valueChanged, this, &frmCondizioni::Condizione_Change);
}

void frmCondizioni::CostruisciAzioni(const QFont &didascalie)
{
    const Qt::Alignment sinistra = Qt::AlignLeft | Qt::AlignVCenter;
    const int y = YRighe + Quante * Passo + 630;
    constexpr int Altezza = 1920;

    // The list: how many of its lines satisfy, and FILTRA.
    fraLista = FinestraFissa::Cornice(fraCondizioni, QRect(XCondizione, y, 4260, Altezza));
    lblConteggio = Etichetta::Didascalia(fraLista, QRect(120, 120, 4020, 330), QStringLiteral("Soddisfano: …"),
                                         didascalie, sinistra);
    chkScarta = new QCheckBox(QStringLiteral("Scarta le righe che soddisfano"), fraLista);
    chkScarta->setToolTip(QStringLiteral("FILTRA tiene le righe che non soddisfano le condizioni"));
    chkScarta->setGeometry(Twips::PxRect(120, 540, 4020, 360));
    chkScarta->setFont(didascalie);
    cmdFiltra = new PulsanteComando(fraLista, QRect(1230, 1335, 1800, 465), QStringLiteral("FILTRA"));
    cmdFiltra->setToolTip(QStringLiteral("Tiene nella lista le righe che soddisfano le condizioni"));

    // The board's selection, developed with the conditions.
    fraSviluppo = FinestraFissa::Cornice(fraCondizioni, QRect(4500, y, XMassimo + LValore - 4500, Altezza));
    const int larghezza = XMassimo + LValore - 4500 - 240;
    const int n = int(m_selezione.size());
    lblSelezione = Etichetta::Didascalia(fraSviluppo, QRect(120, 120, larghezza, 330),
                                         QStringLiteral("Numeri selezionati: %1").arg(n), didascalie, sinistra);
    QStringList campi;
    for (int numero : m_selezione)
        campi << mFunzioni::CampoNumero(numero);
    lblSelezione->setToolTip(campi.join(u' '));
    lblTitoloClasse = Etichetta::Didascalia(fraSviluppo, QRect(120, 540, 1800, 360), QStringLiteral("Numeri per riga"),
                                            didascalie, sinistra);
    spnClasse = new QSpinBox(fraSviluppo);
    spnClasse->setGeometry(Twips::PxRect(1980, 525, 900, 390));
    spnClasse->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    spnClasse->setRange(1, std::max(1, n));
    spnClasse->setValue(std::clamp(ClasseIniziale, 1, std::max(1, n)));
    spnClasse->setEnabled(n > 0);
    spnClasse->setAccessibleName(QStringLiteral("Numeri per riga"));
    lblTitoloClasse->setBuddy(spnClasse);
    prgSviluppo = new QProgressBar(fraSviluppo);
    prgSviluppo->setGeometry(Twips::PxRect(120, 1005, larghezza, 240));
    prgSviluppo->setRange(0, 1000);
    prgSviluppo->setValue(0);
    prgSviluppo->setTextVisible(false);
    prgSviluppo->setAccessibleName(QStringLiteral("Avanzamento dello sviluppo"));
    cmdSviluppa = new PulsanteComando(fraSviluppo, QRect(120, 1335, larghezza, 465),
                                      QStringLiteral("SVILUPPA CON CONDIZIONI"));
    cmdSviluppa->setToolTip(QStringLiteral("Aggiunge alla lista le righe dello sviluppo che soddisfano le condizioni"));

    const int yPulsanti = y + Altezza + 150;
    cmdSalva = new PulsanteComando(fraCondizioni, QRect(XCondizione, yPulsanti, 2550, 465),
                                   QStringLiteral("SALVA CONDIZIONI..."));
    cmdApri = new PulsanteComando(fraCondizioni, QRect(XCondizione + 2670, yPulsanti, 2550, 465),
                                  QStringLiteral("APRI CONDIZIONI..."));
    cmdAnnulla = new PulsanteComando(fraCondizioni, QRect(XMassimo + LValore - 1800, yPulsanti, 1800, 465),
                                     QStringLiteral("ANNULLA"));

    connect(chkScarta, &QCheckBox::toggled, this, [this](bool scarta) {
        cmdFiltra->setToolTip(scarta ? QStringLiteral("Tiene nella lista le righe che non soddisfano le condizioni")
                                     : QStringLiteral("Tiene nella lista le righe che soddisfano le condizioni"));
    });
    connect(cmdFiltra, &QPushButton::clicked, this, &frmCondizioni::cmdFiltra_Click);
    connect(cmdSviluppa, &QPushButton::clicked, this, &frmCondizioni::cmdSviluppa_Click);
    connect(cmdSalva, &QPushButton::clicked, this, &frmCondizioni::cmdSalva_Click);
    connect(cmdApri, &QPushButton::clicked, this, &frmCondizioni::cmdApri_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmCondizioni::cmdAnnulla_Click);
}

bool frmCondizioni::Impostazioni(Condizioni::Impostazioni &impostazioni, QString *errore) const
{
    Condizioni::Impostazioni lette;
    for (int g = 0; g < GruppiMassimi; ++g) {
        const QString motivo = LeggiGruppo(txtGruppo[std::size_t(g)]->text(), lette.gruppi[std::size_t(g)]);
        if (!motivo.isEmpty()) {
            if (errore)
                *errore = RigheMessaggio(Nome(Gruppo1 + g) + QStringLiteral(": ") + motivo + QStringLiteral(" ..!"));
            return false;
        }
    }
    for (int c = 0; c < Quante; ++c) {
        Limiti &l = lette.limiti[std::size_t(c)];
        l.attiva = chkCondizione[std::size_t(c)]->isChecked();
        l.minimo = spnMinimo[std::size_t(c)]->value();
        l.massimo = spnMassimo[std::size_t(c)]->value();
    }
    lette.almeno = optAlmeno->isChecked() ? spnAlmeno->value() : 0;
    impostazioni = std::move(lette);
    return true;
}

void frmCondizioni::Mostra(const Condizioni::Impostazioni &impostazioni)
{
    {
        // One count for the whole change, not one for each control.
        const QScopedValueRollback<bool> caricando(m_caricando, true);
        for (int g = 0; g < GruppiMassimi; ++g)
            txtGruppo[std::size_t(g)]->setText(ScriviGruppo(impostazioni.gruppi[std::size_t(g)]));
        for (int c = 0; c < Quante; ++c) {
            const Limiti &l = impostazioni.limiti[std::size_t(c)];
            chkCondizione[std::size_t(c)]->setChecked(l.attiva);
            spnMinimo[std::size_t(c)]->setValue(l.attiva ? l.minimo : ValoreMinimo(c));
            spnMassimo[std::size_t(c)]->setValue(l.attiva ? l.massimo : ValoreMassimo(c));
        }
        (impostazioni.almeno > 0 ? optAlmeno : optTutte)->setChecked(true);
        if (impostazioni.almeno > 0)
            spnAlmeno->setValue(impostazioni.almeno);
    }
    Conta();
}

void frmCondizioni::Condizione_Change()
{
    if (!m_caricando)
        Conta();
}

void frmCondizioni::Conta()
{
    // Grey until the count of these conditions is in.
    lblConteggio->setEnabled(false);
    if (m_conteggio.InCorso()) {
        // What it would say is no longer the answer: it stops, and the next count starts then.
        m_daRicontare = true;
        m_conteggio.Annulla();
        return;
    }
    Condizioni::Impostazioni impostazioni;
    QString errore;
    if (Impostazioni(impostazioni, &errore) && Impostate(impostazioni) > 0)
        errore = Controlla(impostazioni, NumeriLista);
    if (!errore.isEmpty()) {
        lblConteggio->setText(QStringLiteral("Soddisfano: —"));
        lblConteggio->setToolTip(QString(errore).replace(u'|', u' '));
        lblConteggio->setEnabled(true);
        return;
    }
    m_risultatoConteggio = std::make_shared<Condizioni::Conteggio>();
    m_conteggio.Avvia([impostazioni, lista = m_lista, conteggio = m_risultatoConteggio](Avanzamento &stato) {
        Condizioni::Conta(impostazioni, lista, *conteggio, stato);
    });
}

void frmCondizioni::ConteggioFinito(Lavoro::Fine fine)
{
    if (std::exchange(m_daRicontare, false)) {
        Conta();
        return;
    }
    lblConteggio->setText(fine == Lavoro::Fine::Finita ? TestoConteggio(*m_risultatoConteggio)
                                                       : QStringLiteral("Soddisfano: —"));
    lblConteggio->setToolTip(fine == Lavoro::Fine::MemoriaEsaurita
                                 ? mGestioneErrori::TestoErrore(NumeriErrore::ErroreMemoria)
                                 : QString());
    lblConteggio->setEnabled(true);
}

void frmCondizioni::cmdGriglia_Click(int gruppo)
{
    if (m_selezione.empty()) {
        Rifiuta(QStringLiteral("Nessuna casella selezionata ..!"));
        return;
    }
    txtGruppo[std::size_t(gruppo)]->setText(ScriviGruppo(m_selezione));
}

bool frmCondizioni::Pronte(Condizioni::Impostazioni &impostazioni, int numeriGriglia)
{
    QString errore;
    if (Impostazioni(impostazioni, &errore))
        errore = Controlla(impostazioni, numeriGriglia);
    if (errore.isEmpty())
        return true;
    Rifiuta(errore);
    return false;
}

void frmCondizioni::cmdFiltra_Click()
{
    Condizioni::Impostazioni impostazioni;
    if (!Pronte(impostazioni, NumeriLista))
        return;
    Filtrato filtrato;
    {
        const CursoreOccupato occupato;
        filtrato = Filtra(impostazioni, m_lista, chkScarta->isChecked());
    }
    const Conteggio &conteggio = filtrato.conteggio;
    if (conteggio.righe == 0) {
        Rifiuta(conteggio.nonNumeri == 0 ? QStringLiteral("L'Area combinazioni è vuota ..!")
                                         : QStringLiteral("Nessuna riga di numeri da filtrare:|%1 non di numeri ..!")
                                               .arg(conteggio.nonNumeri == 1 ? QStringLiteral("la sola riga è")
                                                                             : QStringLiteral("le %1 righe sono")
                                                                                   .arg(conteggio.nonNumeri)));
        return;
    }
    m_esito.azione = Esito::Sostituisci;
    m_esito.testo = std::move(filtrato.testo);
    m_esito.messaggio = QStringLiteral("Righe tenute: %1|Righe tolte: %2|Righe non di numeri, lasciate: %3")
                            .arg(filtrato.tenute)
                            .arg(conteggio.righe - filtrato.tenute)
                            .arg(conteggio.nonNumeri);
    accept();
}

void frmCondizioni::cmdSviluppa_Click()
{
    if (m_selezione.empty()) {
        Rifiuta(QStringLiteral("Nessuna casella selezionata ..!"));
        return;
    }
    Condizioni::Impostazioni impostazioni;
    QString errore;
    const int k = spnClasse->value();
    if (Impostazioni(impostazioni, &errore))
        errore = Controlla(impostazioni, m_numeriGriglia, m_selezione, k);
    if (!errore.isEmpty()) {
        Rifiuta(errore);
        return;
    }
    m_sviluppato = std::make_shared<Sviluppato>();
    prgSviluppo->setValue(0);
    Abilita(false);
    // The one thing left to do meanwhile is to stop it.
    cmdAnnulla->setFocus();
    m_sviluppo.Avvia([sviluppa = m_funzioneSviluppo, impostazioni, numeri = m_selezione, k,
                      esito = m_sviluppato](Avanzamento &stato) { *esito = sviluppa(impostazioni, numeri, k, stato); });
}

void frmCondizioni::SviluppoFinito(Lavoro::Fine fine)
{
    const std::shared_ptr<Sviluppato> sviluppato = std::move(m_sviluppato);
    Abilita(true);
    prgSviluppo->setValue(0);
    cmdSviluppa->setFocus();
    if (fine == Lavoro::Fine::MemoriaEsaurita) {
        mGestioneErrori::MostraErrore(NumeriErrore::ErroreMemoria);
        return;
    }
    // Stopped: nothing, as the player asked.
    if (fine == Lavoro::Fine::Annullata || sviluppato->annullato)
        return;
    if (sviluppato->righe > Sviluppo::RigheMassime) {
        // Other conditions may fit: the window stays.
        Rifiuta(QStringLiteral("Lo sviluppo con le condizioni darebbe|%1,|oltre il massimo di %2 ..!")
                    .arg(Righe(sviluppato->righe))
                    .arg(Sviluppo::RigheMassime));
        return;
    }
    // The ranges may each be reached and yet not together.
    if (sviluppato->righe == 0) {
        Rifiuta(QStringLiteral("Nessuna riga dello sviluppo|soddisfa le condizioni ..!"));
        return;
    }
    m_esito.azione = Esito::Accoda;
    m_esito.testo = std::move(sviluppato->testo);
    m_esito.messaggio.clear();
    accept();
}

void frmCondizioni::cmdAnnulla_Click()
{
    if (InCorso())
        m_sviluppo.Annulla();
    else
        reject();
}

void frmCondizioni::keyPressEvent(QKeyEvent *event)
{
    // Escape while developing is ANNULLA: it stops, and the window stays.
    if (InCorso() && event->matches(QKeySequence::Cancel)) {
        cmdAnnulla_Click();
        event->accept();
        return;
    }
    // Enter presses the button that has the focus, and nothing else: typed into a field, it
    // would take the selection into a group or replace the list.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !qobject_cast<QPushButton *>(focusWidget())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmCondizioni::showEvent(QShowEvent *event)
{
    // A dialog makes the first of its buttons its default as it shows: none is, here.
    for (QPushButton *pulsante : findChildren<QPushButton *>())
        pulsante->setDefault(false);
    QDialog::showEvent(event);
}

void frmCondizioni::done(int esito)
{
    // The close box and a close from the program end here too: the work goes, with all it made.
    if (m_sviluppo.InCorso()) {
        m_sviluppo.Ferma();
        m_sviluppato.reset();
        Abilita(true);
    }
    m_conteggio.Ferma();
    m_daRicontare = false;
    if (esito != QDialog::Accepted)
        m_esito = Esito();
    Ricorda();
    QDialog::done(esito);
}

void frmCondizioni::Abilita(bool scelte)
{
    // Captions stay as they are; the range of a condition is there to change only when it is set.
    for (QWidget *controllo : fraCondizioni->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<Etichetta *>(controllo) && controllo != fraLista && controllo != fraSviluppo
            && controllo != cmdAnnulla)
            controllo->setEnabled(scelte);
    }
    for (QWidget *controllo : std::initializer_list<QWidget *>{chkScarta, cmdFiltra, cmdSviluppa})
        controllo->setEnabled(scelte);
    spnClasse->setEnabled(scelte && !m_selezione.empty());
    for (int c = 0; c < Quante; ++c) {
        const bool impostata = scelte && chkCondizione[std::size_t(c)]->isChecked();
        spnMinimo[std::size_t(c)]->setEnabled(impostata);
        spnMassimo[std::size_t(c)]->setEnabled(impostata);
    }
    spnAlmeno->setEnabled(scelte && optAlmeno->isChecked());
}

void frmCondizioni::Ricorda()
{
    // Only what reads back: conditions that would be refused when the window opens again
    // leave the last good ones in place.
    Condizioni::Impostazioni impostazioni;
    Condizioni::Impostazioni rilette;
    if (!Impostazioni(impostazioni) || !Leggi(Testo(impostazioni), rilette).Accettata())
        return;
    QSettings impostazioniProgramma;
    Condizioni::Ricorda(impostazioniProgramma, ChiaveCondizioni, impostazioni);
}

void frmCondizioni::cmdSalva_Click()
{
    Condizioni::Impostazioni impostazioni;
    if (!Pronte(impostazioni, NumeriLista))
        return;
    QStringList scelti;
    {
        QFileDialog dialogo(this, QStringLiteral("Salva condizioni"), m_file.cartella);
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setFileMode(QFileDialog::AnyFile);
        dialogo.setNameFilters(FiltriFile());
        dialogo.setDefaultSuffix(QStringLiteral("txt"));
        dialogo.selectFile(QStringLiteral("condizioni.txt"));
        scelti = m_file.scegli(dialogo);
    }
    if (scelti.isEmpty())
        return;
    if (const int errore = Condizioni::Salva(scelti.first(), impostazioni, *m_file.scrittura)) {
        mGestioneErrori::MostraErrore(errore);
        return;
    }
    RichiestaMessaggio(QStringLiteral("Condizioni salvate, col nome:|")
                           + RigaMessaggio(QFileInfo(scelti.first()).fileName()),
                       QStringLiteral("OK"));
}

void frmCondizioni::cmdApri_Click()
{
    QStringList scelti;
    {
        // Gone before the file is read: a refusal then shows over this window alone.
        QFileDialog dialogo(this, QStringLiteral("Apri condizioni"), m_file.cartella);
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setNameFilters(FiltriFile());
        scelti = m_file.scegli(dialogo);
    }
    if (scelti.isEmpty())
        return;
    Condizioni::Impostazioni lette;
    Lettura lettura;
    {
        const CursoreOccupato occupato;
        lettura = Apri(scelti.first(), lette, *m_file.lettura);
    }
    const QString nome = RigaMessaggio(QFileInfo(scelti.first()).fileName());
    if (lettura.errore != 0)
        Rifiuta(mGestioneErrori::TestoRifiutoLettura(lettura.errore) + u'|' + nome);
    else if (lettura.riga != 0)
        Rifiuta(RigheMessaggio(MessaggioRiga(lettura)) + u'|' + nome);
    else
        Mostra(lette);
}

frmCondizioni::Esito RichiestaCondizioni(const QString &lista, const std::vector<int> &selezione, int numeriGriglia,
                                         const frmCondizioni::File &file, QWidget *finestra)
{
    frmCondizioni condizioni(lista, selezione, numeriGriglia, file, finestra);
    condizioni.exec();
    return condizioni.Risultato();
}
