#include "riduzione/frmRiduzione.h"

#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/NumeriErrore.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "common/mFunzioni.h"
#include "dialogs/frmMessage.h"
#include "dialogs/mGestioneErrori.h"
#include "sviluppo/Sviluppo.h"
#include "verifica/Verifica.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr int LarghezzaCliente = 6450;
constexpr int AltezzaCliente = 6840;
constexpr int TempoIniziale = 10;
constexpr int TempoMassimo = 600;

const char16_t *const NomiGaranzia[] = {u"ambo", u"terno", u"quaterna", u"cinquina", u"sestina"};

QSpinBox *NuovoValore(QWidget *contenitore, const QRect &twips, Etichetta *titolo)
{
    auto *valore = new QSpinBox(contenitore);
    valore->setGeometry(Twips::PxRect(twips));
    valore->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    valore->setAccessibleName(titolo->text());
    titolo->setBuddy(valore);
    return valore;
}

QString Righe(qint64 quante)
{
    return quante == 1 ? QStringLiteral("1 riga") : QStringLiteral("%1 righe").arg(quante);
}

// The same choice of the same numbers starts the same search.
quint64 Seme(const Riduzione::Richiesta &richiesta, const std::vector<int> &numeri)
{
    quint64 seme = 14695981039346656037ULL; // FNV-1a
    const auto mescola = [&seme](int valore) {
        seme ^= quint64(quint32(valore));
        seme *= 1099511628211ULL;
    };
    for (int valore : {richiesta.numeri, richiesta.classe, richiesta.garanzia, richiesta.estratti})
        mescola(valore);
    for (int numero : numeri)
        mescola(numero);
    return seme;
}

} // namespace

frmRiduzione::frmRiduzione(std::vector<int> numeri, QWidget *parent, Ricerca ricerca, Controllo controllo)
    : QDialog(parent, FinestraFissa::Bandiere)
    , m_numeri(std::move(numeri))
    , m_ricerca(std::move(ricerca))
    , m_controllo(std::move(controllo))
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmRiduzione"), LarghezzaCliente, AltezzaCliente);
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Riduzione"));

    fraRiduzione = FinestraFissa::Cornice(this, QRect(60, 0, 6330, 6780));

    const int v = int(m_numeri.size());
    const QFont trebuchet = Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9.75);
    const Qt::Alignment sinistra = Qt::AlignLeft | Qt::AlignVCenter;
    lblTitoloNumeri = Etichetta::Didascalia(fraRiduzione, QRect(210, 150, 5910, 285),
                                            QStringLiteral("Numeri selezionati: %1").arg(v), trebuchet, sinistra);
    QStringList campi;
    for (int numero : m_numeri)
        campi << mFunzioni::CampoNumero(numero);
    // Up to 90 numbers, in as many lines as they take.
    lblNumeri
        = Etichetta::Didascalia(fraRiduzione, QRect(210, 465, 5910, 1500), campi.join(u' '),
                                Caratteri::CarattereFisso(Caratteri::CourierNew, 10), Qt::AlignLeft | Qt::AlignTop);
    lblNumeri->setWordWrap(true);

    // One choice a row, values lined up, in the order the sentence reads: "ambo se escono 3".
    lblTitoloClasse = Etichetta::Didascalia(fraRiduzione, QRect(210, 2100, 2250, 360),
                                            QStringLiteral("Numeri per riga"), trebuchet, sinistra);
    spnClasse = NuovoValore(fraRiduzione, QRect(2520, 2070, 900, 390), lblTitoloClasse);
    spnClasse->setRange(2, std::min(v - 1, Riduzione::ClasseMassima));
    spnClasse->setValue(std::min(v - 1, 3));

    lblTitoloGaranzia = Etichetta::Didascalia(fraRiduzione, QRect(210, 2580, 2250, 360), QStringLiteral("Garanzia"),
                                              trebuchet, sinistra);
    cboGaranzia = new QComboBox(fraRiduzione);
    cboGaranzia->setGeometry(Twips::PxRect(2520, 2550, 1800, 390));
    cboGaranzia->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    cboGaranzia->setAccessibleName(lblTitoloGaranzia->text());
    lblTitoloGaranzia->setBuddy(cboGaranzia);

    lblTitoloEstratti = Etichetta::Didascalia(fraRiduzione, QRect(210, 3060, 2250, 360), QStringLiteral("se escono"),
                                              trebuchet, sinistra);
    spnEstratti = NuovoValore(fraRiduzione, QRect(2520, 3030, 900, 390), lblTitoloEstratti);

    lblTitoloTempo = Etichetta::Didascalia(fraRiduzione, QRect(210, 3540, 2250, 360), QStringLiteral("Tempo massimo"),
                                           trebuchet, sinistra);
    spnTempo = NuovoValore(fraRiduzione, QRect(2520, 3510, 1200, 390), lblTitoloTempo);
    spnTempo->setRange(1, TempoMassimo);
    spnTempo->setValue(TempoIniziale);
    spnTempo->setSuffix(QStringLiteral(" s"));

    chkCondizionato = new QCheckBox(QStringLiteral("Solo lo sviluppo condizionato"), fraRiduzione);
    chkCondizionato->setGeometry(Twips::PxRect(210, 4020, 5910, 360));
    chkCondizionato->setFont(trebuchet);
    chkCondizionato->setAccessibleName(chkCondizionato->text());
    // Until the window is given conditions, there is nothing to condition.
    chkCondizionato->setEnabled(false);
    chkCondizionato->setToolTip(QStringLiteral("Nessuna condizione impostata"));

    // On lines of their own: C(90, 10) has 13 digits.
    lblSviluppo = Etichetta::Didascalia(fraRiduzione, QRect(210, 4500, 5910, 300), QString(), trebuchet, sinistra);
    lblMinimo = Etichetta::Didascalia(fraRiduzione, QRect(210, 4800, 5910, 300), QString(), trebuchet, sinistra);

    prgTempo = new QProgressBar(fraRiduzione);
    prgTempo->setGeometry(Twips::PxRect(210, 5190, 5910, 315));
    prgTempo->setValue(0);
    prgTempo->setTextVisible(false);
    prgTempo->setAccessibleName(QStringLiteral("Tempo della ricerca"));
    lblTrovate = Etichetta::Didascalia(fraRiduzione, QRect(210, 5565, 5910, 300), QString(), trebuchet, sinistra);

    cmdRiduci = new PulsanteComando(fraRiduzione, QRect(605, 6030, 1400, 465), QStringLiteral("RIDUCI"));
    cmdInLista = new PulsanteComando(fraRiduzione, QRect(2465, 6030, 1400, 465), QStringLiteral("IN LISTA"));
    cmdAnnulla = new PulsanteComando(fraRiduzione, QRect(4325, 6030, 1400, 465), QStringLiteral("ANNULLA"));

    setTabOrder(spnClasse, cboGaranzia);
    setTabOrder(cboGaranzia, spnEstratti);
    setTabOrder(spnEstratti, spnTempo);
    setTabOrder(spnTempo, chkCondizionato);
    setTabOrder(chkCondizionato, cmdRiduci);
    setTabOrder(cmdRiduci, cmdInLista);
    setTabOrder(cmdInLista, cmdAnnulla);

    // The runner's beat is also the window's look at the clock and at what the search has found.
    connect(&m_lavoro, &Lavoro::avanzato, this, &frmRiduzione::Avanza);
    connect(&m_lavoro, &Lavoro::finito, this,
            [this](Lavoro::Fine fine) { m_inControllo ? ControlloFinito(fine) : RicercaFinita(fine); });
    connect(spnClasse, &QSpinBox::valueChanged, this, &frmRiduzione::Scelta_Change);
    connect(cboGaranzia, &QComboBox::currentIndexChanged, this, &frmRiduzione::Scelta_Change);
    connect(spnEstratti, &QSpinBox::valueChanged, this, &frmRiduzione::Scelta_Change);
    connect(chkCondizionato, &QCheckBox::toggled, this, &frmRiduzione::Scelta_Change);
    connect(cmdRiduci, &QPushButton::clicked, this, &frmRiduzione::cmdRiduci_Click);
    connect(cmdInLista, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmRiduzione::cmdAnnulla_Click);

    Scelta_Change();
    spnClasse->setFocus();
    spnClasse->selectAll();
}

frmRiduzione::~frmRiduzione()
{
    Ferma();
}

Riduzione::Richiesta frmRiduzione::Scelta() const
{
    Riduzione::Richiesta richiesta;
    richiesta.numeri = int(m_numeri.size());
    richiesta.classe = spnClasse->value();
    richiesta.garanzia = cboGaranzia->currentIndex() + 2;
    richiesta.estratti = spnEstratti->value();
    return richiesta;
}

void frmRiduzione::ImpostaCondizioni(const Condizioni::Impostazioni &condizioni, int numeriGriglia)
{
    m_condizioni = condizioni;
    m_numeriGriglia = numeriGriglia;
    chkCondizionato->setEnabled(!InCorso());
    chkCondizionato->setToolTip(QStringLiteral("Le condizioni impostate per ultime"));
}

bool frmRiduzione::Condizionato() const
{
    return m_condizioni && chkCondizionato->isChecked();
}

QString frmRiduzione::Testo() const
{
    return Riduzione::Testo(m_numeri, m_righe);
}

void frmRiduzione::Scelta_Change()
{
    // Only what fits together can be chosen: m up to k, p from m up to the numbers there are.
    const int garanzie = std::min(spnClasse->value(), Riduzione::EstrattiMassimi) - 1;
    if (cboGaranzia->count() != garanzie) {
        const int scelta = std::clamp(cboGaranzia->currentIndex(), 0, garanzie - 1);
        const QSignalBlocker fermo(cboGaranzia);
        cboGaranzia->clear();
        for (int i = 0; i < garanzie; ++i)
            cboGaranzia->addItem(QString::fromUtf16(NomiGaranzia[i]));
        cboGaranzia->setCurrentIndex(scelta);
    }
    {
        // A higher guarantee takes the numbers drawn up with it.
        const QSignalBlocker fermo(spnEstratti);
        // Of the conditioned development only the draws inside one of its lines count: no more
        // numbers than a line holds.
        const int massimo = std::min(int(m_numeri.size()), Riduzione::EstrattiMassimi);
        spnEstratti->setRange(Scelta().garanzia, Condizionato() ? std::min(massimo, spnClasse->value()) : massimo);
    }
    const Riduzione::Richiesta richiesta = Scelta();
    if (Condizionato()) {
        // Both known only once the development is made, off the window's thread; Schönheim's
        // and Turán's bounds count draws that do not count here.
        lblSviluppo->setText(QStringLiteral("Sviluppo condizionato: —"));
        lblMinimo->setText(QStringLiteral("Minimo teorico: —"));
    } else {
        lblSviluppo->setText(QStringLiteral("Sviluppo integrale: ") + Sviluppo::Righe(richiesta.numeri, richiesta.classe)
                             + QStringLiteral(" righe"));
        const qint64 minimo = Riduzione::MinimoTeorico(richiesta);
        lblMinimo->setText(QStringLiteral("Minimo teorico: ") + (minimo > 0 ? Righe(minimo) : QStringLiteral("—")));
    }
    // A system found for another choice is no answer to this one.
    Scarta();
}

void frmRiduzione::cmdRiduci_Click()
{
    const Riduzione::Richiesta richiesta = Scelta();
    if (Condizionato()) {
        const QString difetto = Condizioni::Controlla(*m_condizioni, m_numeriGriglia, m_numeri, richiesta.classe);
        if (!difetto.isEmpty()) {
            RichiestaMessaggio(difetto, QStringLiteral("OK"));
            chkCondizionato->setFocus();
            return;
        }
        RiduciCondizionato(richiesta);
        return;
    }
    const qint64 minimo = Riduzione::MinimoTeorico(richiesta);
    if (minimo > Riduzione::RigheMassime) {
        // Another choice may fit: the dialog stays.
        RichiestaMessaggio(QStringLiteral("Il sistema avrebbe almeno|%1 righe,|oltre il massimo di %2 ..!")
                               .arg(minimo)
                               .arg(Riduzione::RigheMassime),
                           QStringLiteral("OK"));
        spnClasse->setFocus();
        return;
    }
    // Known in a fraction of a second: a first system too large is refused now, not after a
    // search that could only shorten it a little.
    if (const qint64 prime = Riduzione::RighePrime(richiesta); prime > Riduzione::RigheMassime) {
        RifiutaPrimo(prime);
        return;
    }
    Prepara(richiesta);
    m_lavoro.Avvia(
        [ricerca = m_ricerca, richiesta, seme = Seme(richiesta, m_numeri), esito = m_esito](Avanzamento &stato) {
            *esito = ricerca(richiesta, seme, std::numeric_limits<qint64>::max(),
                             static_cast<Riduzione::Avanzamento &>(stato));
        },
        m_avanzamento);
}

void frmRiduzione::Prepara(const Riduzione::Richiesta &richiesta)
{
    Scarta();
    m_richiesta = richiesta;
    m_avanzamento = std::make_shared<Riduzione::Avanzamento>();
    m_esito = std::make_shared<Riduzione::Esito>();
    m_sviluppo.reset();
    m_righeSviluppo.reset();
    m_inControllo = false;
    m_durata = 0;
    m_tempoMassimo = qint64(spnTempo->value()) * 1000;
    prgTempo->setRange(0, int(m_tempoMassimo));
    prgTempo->setValue(0);
    prgTempo->setFormat(QStringLiteral("%p%"));
    prgTempo->setTextVisible(true);
    Abilita(false);
    // The one thing left to do meanwhile is to stop it.
    cmdAnnulla->setFocus();
    m_tempo.start();
}

void frmRiduzione::RiduciCondizionato(const Riduzione::Richiesta &richiesta)
{
    Prepara(richiesta);
    m_sviluppo = std::make_shared<std::vector<Riduzione::Riga>>();
    m_righeSviluppo = std::make_shared<std::atomic<qint64>>(-1);
    m_lavoro.Avvia(
        [condizioni = *m_condizioni, numeri = m_numeri, richiesta, seme = Seme(richiesta, m_numeri), esito = m_esito,
         sviluppo = m_sviluppo, righeSviluppo = m_righeSviluppo](Avanzamento &stato) {
            const Condizioni::Sviluppato sviluppato = Condizioni::Sviluppa(condizioni, numeri, richiesta.classe, stato);
            if (sviluppato.annullato) {
                esito->stato = Riduzione::Esito::Annullato;
                return;
            }
            righeSviluppo->store(sviluppato.righe);
            // None, or more than a list takes: the count says which.
            if (sviluppato.testo.isEmpty())
                return;
            // The lines as places: the numbers' indices among those chosen.
            std::array<int, Verifica::NumeroMassimo + 1> posto{};
            for (std::size_t i = 0; i < numeri.size(); ++i)
                posto[std::size_t(numeri[i])] = int(i);
            for (const Verifica::RigaLetta &riga : Verifica::LeggiLista(sviluppato.testo).righe) {
                Riduzione::Riga righe;
                for (int n : riga.numeri.Elenco())
                    righe.push_back(posto[std::size_t(n)]);
                sviluppo->push_back(std::move(righe));
            }
            *esito = Riduzione::RiduciSviluppo(richiesta, *sviluppo, seme, std::numeric_limits<qint64>::max(),
                                               static_cast<Riduzione::Avanzamento &>(stato));
        },
        m_avanzamento);
}

void frmRiduzione::Avanza(int millesimi)
{
    if (m_inControllo) {
        // A large system takes a while to check: the bar shows that instead of the clock.
        if (prgTempo->maximum() != 1000) {
            prgTempo->setRange(0, 1000);
            prgTempo->setFormat(QStringLiteral("Controllo della garanzia: %p%"));
        }
        prgTempo->setValue(millesimi);
    } else {
        const qint64 trascorso = m_tempo.elapsed();
        prgTempo->setValue(int(std::min(trascorso, m_tempoMassimo)));
        if (trascorso >= m_tempoMassimo)
            m_lavoro.Annulla();
    }
    MostraTrovate(m_avanzamento->righe.load(), false);
    if (m_righeSviluppo && m_righeSviluppo->load() >= 0) {
        lblSviluppo->setText(QStringLiteral("Sviluppo condizionato: %1").arg(Righe(m_righeSviluppo->load())));
        if (const qint64 minimo = m_avanzamento->minimo.load(); minimo > 0)
            lblMinimo->setText(QStringLiteral("Minimo teorico: ") + Righe(minimo));
    }
}

void frmRiduzione::RicercaFinita(Lavoro::Fine fine)
{
    m_durata = m_tempo.elapsed();
    const Riduzione::Esito &esito = *m_esito;
    // Nothing is offered unchecked; what would not be offered is not worth checking. A search
    // stopped by ANNULLA or by the clock has kept the best it found.
    if (fine != Lavoro::Fine::MemoriaEsaurita && esito.stato == Riduzione::Esito::Trovato
        && qint64(esito.righe.size()) <= Riduzione::RigheMassime) {
        m_inControllo = true;
        m_garantito = std::make_shared<bool>(false);
        m_lavoro.Avvia([controllo = m_controllo, numeri = m_numeri, esito = m_esito, richiesta = m_richiesta,
                        garantito = m_garantito, sviluppo = m_sviluppo](Avanzamento &stato) {
            // The conditioned development's draws are those inside its lines.
            *garantito = sviluppo ? Riduzione::GarantitoSviluppo(*sviluppo, esito->righe, richiesta.garanzia,
                                                                 richiesta.estratti, stato)
                                  : controllo(numeri, esito->righe, richiesta.garanzia, richiesta.estratti, stato);
        });
        return;
    }
    Concludi();
    const qint64 righeSviluppo = m_righeSviluppo ? m_righeSviluppo->load() : -1;
    if (fine == Lavoro::Fine::MemoriaEsaurita) {
        mGestioneErrori::MostraErrore(NumeriErrore::ErroreMemoria);
    } else if (righeSviluppo == 0) {
        RichiestaMessaggio(QStringLiteral("Nessuna riga dello sviluppo|soddisfa le condizioni ..!"), QStringLiteral("OK"));
    } else if (righeSviluppo > Riduzione::RigheMassime) {
        RichiestaMessaggio(QStringLiteral("Lo sviluppo condizionato ha|%1 righe,|oltre il massimo di %2 ..!")
                               .arg(righeSviluppo)
                               .arg(Riduzione::RigheMassime),
                           QStringLiteral("OK"));
    } else if (esito.stato == Riduzione::Esito::TroppoGrande && m_sviluppo) {
        RichiestaMessaggio(QStringLiteral("Lo sviluppo condizionato ha troppe|combinazioni di %1 numeri da seguire,|oltre il massimo di %2 ..!")
                               .arg(m_richiesta.estratti)
                               .arg(Riduzione::CasiMassimi),
                           QStringLiteral("OK"));
    } else if (esito.stato == Riduzione::Esito::TroppoGrande) {
        RifiutaPrimo(esito.righePrime);
    } else if (esito.stato == Riduzione::Esito::Trovato) {
        RichiestaMessaggio(QStringLiteral("Il sistema trovato ha|%1 righe,|oltre il massimo di %2 ..!")
                               .arg(esito.righe.size())
                               .arg(Riduzione::RigheMassime),
                           QStringLiteral("OK"));
    }
    // Stopped before any system was found needs no word: "Trovate: —" says it.
    m_esito.reset();
    spnClasse->setFocus();
}

void frmRiduzione::ControlloFinito(Lavoro::Fine fine)
{
    Concludi();
    std::shared_ptr<Riduzione::Esito> esito = std::move(m_esito);
    if (fine == Lavoro::Fine::Finita && *m_garantito) {
        Offri(std::move(esito->righe), esito->ottimo);
        return;
    }
    if (fine == Lavoro::Fine::MemoriaEsaurita)
        mGestioneErrori::MostraErrore(NumeriErrore::ErroreMemoria);
    else if (fine == Lavoro::Fine::Finita)
        RichiestaMessaggio(QStringLiteral("Errore interno: il sistema trovato|non mantiene la garanzia ..!"),
                           QStringLiteral("OK"));
    // A check stopped by ANNULLA offers nothing: what it did not finish is not known to hold.
    spnClasse->setFocus();
}

void frmRiduzione::RifiutaPrimo(qint64 righe)
{
    // Another choice may fit: the dialog stays.
    RichiestaMessaggio(QStringLiteral("Il primo sistema trovato ha|%1 righe,|oltre il massimo di %2 ..!")
                           .arg(righe)
                           .arg(Riduzione::RigheMassime),
                       QStringLiteral("OK"));
    spnClasse->setFocus();
}

void frmRiduzione::Concludi()
{
    m_inControllo = false;
    Abilita(true);
    MostraTrovate(0, false);
    // Back to the clock: how much of the time the search took, a share only while it runs.
    prgTempo->setRange(0, int(m_tempoMassimo));
    prgTempo->setValue(int(std::min(m_durata, m_tempoMassimo)));
    prgTempo->setTextVisible(false);
}

void frmRiduzione::cmdAnnulla_Click()
{
    if (!InCorso()) {
        reject();
        return;
    }
    // The search stops and keeps the best found so far, which is then checked; the check
    // stops and offers nothing.
    m_lavoro.Annulla();
}

void frmRiduzione::Ferma()
{
    if (!m_lavoro.InCorso())
        return;
    m_lavoro.Ferma();
    m_inControllo = false;
    m_esito.reset();
    Abilita(true);
    MostraTrovate(0, false);
}

void frmRiduzione::done(int esito)
{
    // The close box and a close from the program end here: the search goes, and all it found.
    Ferma();
    QDialog::done(esito);
}

void frmRiduzione::keyPressEvent(QKeyEvent *event)
{
    // Escape while searching is ANNULLA: it stops, and the best found stays on offer.
    if (InCorso() && event->matches(QKeySequence::Cancel)) {
        cmdAnnulla_Click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmRiduzione::Abilita(bool scelte)
{
    const std::initializer_list<QWidget *> controlli{spnClasse, cboGaranzia, spnEstratti, spnTempo, cmdRiduci};
    for (QWidget *controllo : controlli)
        controllo->setEnabled(scelte);
    chkCondizionato->setEnabled(scelte && m_condizioni);
    cmdInLista->setEnabled(scelte && !m_righe.empty());
}

void frmRiduzione::Offri(std::vector<Riduzione::Riga> righe, bool ottimo)
{
    m_righe = std::move(righe);
    MostraTrovate(int(m_righe.size()), ottimo);
    cmdInLista->setEnabled(true);
    // Enter now takes the system into the list.
    cmdRiduci->setDefault(false);
    cmdInLista->setDefault(true);
    cmdInLista->setFocus();
}

void frmRiduzione::Scarta()
{
    m_righe.clear();
    cmdInLista->setDefault(false);
    cmdInLista->setEnabled(false);
    // Enter searches, unless another button has the focus.
    cmdRiduci->setDefault(true);
    prgTempo->setValue(0);
    prgTempo->setTextVisible(false);
    MostraTrovate(0, false);
}

void frmRiduzione::MostraTrovate(int righe, bool ottimo)
{
    QString testo = QStringLiteral("Trovate: ") + (righe > 0 ? Righe(righe) : QStringLiteral("—"));
    if (righe > 0 && ottimo)
        testo += QStringLiteral(" (ottimo)");
    if (lblTrovate->text() != testo)
        lblTrovate->setText(testo);
}

QString RichiestaRiduzione(const std::vector<int> &numeri, QWidget *finestra,
                           const std::optional<Condizioni::Impostazioni> &condizioni, int numeriGriglia)
{
    frmRiduzione riduzione(numeri, finestra);
    if (condizioni)
        riduzione.ImpostaCondizioni(*condizioni, numeriGriglia);
    return riduzione.exec() == QDialog::Accepted ? riduzione.Testo() : QString();
}
