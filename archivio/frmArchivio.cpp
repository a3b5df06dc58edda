#include "archivio/frmArchivio.h"

#include "archivio/GraficoAndamento.h"
#include "archivio/ModelloRitardi.h"
#include "common/Caratteri.h"
#include "common/CursoreOccupato.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/frmMessage.h"
#include "dialogs/mGestioneErrori.h"
#include "verifica/frmVerifica.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <utility>

namespace {

constexpr int LarghezzaCliente = 11250;
constexpr int AltezzaCliente = 8970;
constexpr int UltimeIniziali = 100;
const QString ChiavePercorso = QStringLiteral("archivio/percorso");

} // namespace

frmArchivio::frmArchivio(const QString &lista, ScegliFile scegliFile, std::shared_ptr<Apertura::LetturaFile> lettura,
                         Seleziona seleziona, QWidget *parent, Riproduzione riproduci)
    : QDialog(parent, FinestraFissa::Bandiere)
    , m_testoLista(lista)
    , m_scegliFile(std::move(scegliFile))
    , m_lettura(std::move(lettura))
    , m_seleziona(std::move(seleziona))
    , m_riproduci(std::move(riproduci))
    , m_dati(std::make_shared<Archivio::Dati>())
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmArchivio"), LarghezzaCliente, AltezzaCliente);
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Archivio"));

    fraArchivio = FinestraFissa::Cornice(this, QRect(60, 0, 11130, 8910));

    const QFont trebuchet = Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9.75);
    const Qt::Alignment sinistra = Qt::AlignLeft | Qt::AlignVCenter;
    cmdApri = new PulsanteComando(fraArchivio, QRect(150, 150, 2100, 465), QStringLiteral("APRI ARCHIVIO..."));
    // The file's name is the user's: the face with fallbacks.
    lblArchivio = Etichetta::Didascalia(fraArchivio, QRect(2400, 150, 8580, 465), QString(),
                                        Caratteri::Carattere(Caratteri::TrebuchetMS, 9.75), sinistra);

    lblRuote =
        Etichetta::Didascalia(fraArchivio, QRect(150, 780, 800, 360), QStringLiteral("Ruote"), trebuchet, sinistra);
    for (int ruota = 0; ruota < Archivio::Ruote; ++ruota) {
        auto *casella = new QCheckBox(Archivio::Sigla(ruota), fraArchivio);
        // The Nazionale apart, past the buttons that choose the ten: it is no part of Tutte.
        casella->setGeometry(ruota == Archivio::Nazionale ? Twips::PxRect(10050, 780, 930, 360)
                                                          : Twips::PxRect(990 + ruota * 630, 780, 630, 360));
        casella->setFont(Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9));
        casella->setAccessibleName(Archivio::Nome(ruota));
        casella->setToolTip(ruota == Archivio::Nazionale ? QStringLiteral("Nazionale: non fa parte del gioco su Tutte")
                                                         : Archivio::Nome(ruota));
        chkRuota[std::size_t(ruota)] = casella;
    }
    cmdTutte = new PulsanteComando(fraArchivio, QRect(7380, 750, 1140, 420), QStringLiteral("TUTTE"));
    cmdTutte->setToolTip(QStringLiteral("Le dieci ruote da Bari a Venezia, senza la Nazionale"));
    cmdNessuna = new PulsanteComando(fraArchivio, QRect(8610, 750, 1260, 420), QStringLiteral("NESSUNA"));

    lblUltime =
        Etichetta::Didascalia(fraArchivio, QRect(150, 1350, 800, 360), QStringLiteral("Ultime"), trebuchet, sinistra);
    spnUltime = new QSpinBox(fraArchivio);
    spnUltime->setGeometry(Twips::PxRect(990, 1320, 1200, 390));
    spnUltime->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    spnUltime->setAccessibleName(QStringLiteral("Ultime estrazioni"));
    spnUltime->setToolTip(QStringLiteral("Quante delle ultime estrazioni delle ruote scelte"));
    spnUltime->setRange(1, UltimeIniziali);
    spnUltime->setValue(UltimeIniziali);
    lblUltime->setBuddy(spnUltime);
    lblEstrazioni = Etichetta::Didascalia(fraArchivio, QRect(2310, 1350, 1140, 360), QStringLiteral("estrazioni"),
                                          trebuchet, sinistra);

    lblSorte =
        Etichetta::Didascalia(fraArchivio, QRect(3600, 1350, 660, 360), QStringLiteral("Sorte"), trebuchet, sinistra);
    cboSorte = new QComboBox(fraArchivio);
    cboSorte->setGeometry(Twips::PxRect(4290, 1320, 1740, 390));
    cboSorte->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    for (int sorte = Archivio::Estratto; sorte <= Archivio::Cinquina; ++sorte)
        cboSorte->addItem(Archivio::NomeSorte(sorte), sorte);
    cboSorte->setCurrentIndex(Archivio::Giocata().sorte - Archivio::Estratto);
    cboSorte->setAccessibleName(QStringLiteral("Sorte"));
    cboSorte->setToolTip(QStringLiteral("Per che cosa è giocata ogni riga, nel bilancio"));
    lblSorte->setBuddy(cboSorte);
    connect(cboSorte, &QComboBox::activated, this, [this] { m_sorteScelta = true; });

    lblPosta =
        Etichetta::Didascalia(fraArchivio, QRect(6210, 1350, 660, 360), QStringLiteral("Posta"), trebuchet, sinistra);
    spnPosta = new QDoubleSpinBox(fraArchivio);
    spnPosta->setGeometry(Twips::PxRect(6900, 1320, 1680, 390));
    spnPosta->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    // Euro as an Italian player writes them, whatever the desktop's language: "1,50 €".
    spnPosta->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    spnPosta->setDecimals(2);
    spnPosta->setRange(0, double(Archivio::PostaMassima) / 100);
    spnPosta->setSingleStep(0.5);
    spnPosta->setSuffix(QStringLiteral(" €"));
    spnPosta->setValue(double(Archivio::PostaPredefinita) / 100);
    spnPosta->setAccessibleName(QStringLiteral("Posta"));
    spnPosta->setToolTip(QStringLiteral("Euro per riga e ruota, o per riga su Tutte; al massimo %1")
                             .arg(Archivio::Euro(Archivio::PostaMassima)));
    lblPosta->setBuddy(spnPosta);
    lblPostaPer = Etichetta::Didascalia(fraArchivio, QRect(8700, 1350, 2280, 360), QString(), trebuchet, sinistra);

    cmdVerifica = new PulsanteComando(fraArchivio, QRect(150, 1860, 1620, 465), QStringLiteral("VERIFICA"));
    // Enter replays the list, unless another button has the focus.
    cmdVerifica->setDefault(true);
    cmdRitardi = new PulsanteComando(fraArchivio, QRect(1890, 1860, 1620, 465), QStringLiteral("RITARDI"));
    cmdSeleziona = new PulsanteComando(fraArchivio, QRect(3630, 1860, 1620, 465), QStringLiteral("SELEZIONA"));
    cmdSeleziona->setToolTip(QStringLiteral("Seleziona nella griglia i numeri delle righe scelte nei Ritardi"));
    prgVerifica = new QProgressBar(fraArchivio);
    prgVerifica->setGeometry(Twips::PxRect(5400, 1935, 4080, 315));
    prgVerifica->setRange(0, 1000);
    prgVerifica->setValue(0);
    // A share only while there is work to show it for.
    prgVerifica->setTextVisible(false);
    prgVerifica->setAccessibleName(QStringLiteral("Avanzamento della verifica"));
    cmdAnnulla = new PulsanteComando(fraArchivio, QRect(9600, 1860, 1380, 465), QStringLiteral("ANNULLA"));

    tabRisultati = new QTabWidget(fraArchivio);
    tabRisultati->setGeometry(Twips::PxRect(150, 2490, 10830, 6270));
    tabRisultati->setAccessibleName(QStringLiteral("Risultati"));
    txtSpoglio = new QPlainTextEdit;
    // The list's face: the figures line up as they do there.
    txtSpoglio->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    txtSpoglio->setReadOnly(true);
    // Read-only text takes no keys of its own; selecting and copying it still do.
    txtSpoglio->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtSpoglio->setAccessibleName(QStringLiteral("Spoglio"));
    tabRisultati->addTab(txtSpoglio, QStringLiteral("Spoglio"));

    m_ritardi = new ModelloRitardi(this);
    m_ordinati = new QSortFilterProxyModel(this);
    m_ordinati->setSourceModel(m_ritardi);
    m_ordinati->setSortRole(ModelloRitardi::RuoloOrdine);
    tblRitardi = new QTableView;
    tblRitardi->setModel(m_ordinati);
    tblRitardi->setAccessibleName(QStringLiteral("Ritardi"));
    tblRitardi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRitardi->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRitardi->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblRitardi->setAlternatingRowColors(true);
    tblRitardi->setWordWrap(false);
    tblRitardi->verticalHeader()->hide();
    // A line of text a row, as in a spreadsheet: more of the 90 at a glance.
    tblRitardi->verticalHeader()->setDefaultSectionSize(tblRitardi->fontMetrics().height() + 6);
    QHeaderView *intestazione = tblRitardi->horizontalHeader();
    // The frequency's header names its draws: "Frequenza (ultime 7391)".
    const std::array<int, ModelloRitardi::Colonne - 1> larghezze{900, 900, 1500, 1380, 2250};
    for (int colonna = 0; colonna < int(larghezze.size()); ++colonna)
        intestazione->resizeSection(colonna, Twips::Px(larghezze[std::size_t(colonna)]));
    intestazione->setStretchLastSection(true);
    tblRitardi->setSortingEnabled(true);
    // The most delayed first, as a player looks for them.
    tblRitardi->sortByColumn(ModelloRitardi::Ritardo, Qt::DescendingOrder);
    tblRitardi->installEventFilter(this);
    tabRisultati->addTab(tblRitardi, QStringLiteral("Ritardi"));

    grfAndamento = new GraficoAndamento;
    tabRisultati->addTab(grfAndamento, QStringLiteral("Andamento"));

    QWidget *precedente = cmdApri;
    const auto segue = [this, &precedente](QWidget *controllo) {
        setTabOrder(precedente, controllo);
        precedente = controllo;
    };
    for (int ruota = 0; ruota < Archivio::Nazionale; ++ruota)
        segue(chkRuota[std::size_t(ruota)]);
    for (QWidget *controllo : std::initializer_list<QWidget *>{
             cmdTutte, cmdNessuna, chkRuota[Archivio::Nazionale], spnUltime, cboSorte, spnPosta, cmdVerifica,
             cmdRitardi, cmdSeleziona, cmdAnnulla, tabRisultati, txtSpoglio, tblRitardi, grfAndamento})
        segue(controllo);

    connect(cmdApri, &QPushButton::clicked, this, &frmArchivio::cmdApri_Click);
    // TUTTE is the ten, as the game means it; the Nazionale's box is a choice of its own.
    connect(cmdTutte, &QPushButton::clicked, this,
            [this] { ImpostaRuote(Scelta().ruote | Archivio::Tutte); });
    connect(cmdNessuna, &QPushButton::clicked, this, [this] { ImpostaRuote(0); });
    for (QCheckBox *casella : chkRuota)
        connect(casella, &QCheckBox::toggled, this, &frmArchivio::Ruote_Change);
    connect(cmdVerifica, &QPushButton::clicked, this, &frmArchivio::cmdVerifica_Click);
    connect(cmdRitardi, &QPushButton::clicked, this, &frmArchivio::cmdRitardi_Click);
    connect(cmdSeleziona, &QPushButton::clicked, this, &frmArchivio::cmdSeleziona_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmArchivio::cmdAnnulla_Click);
    connect(&m_lavoro, &Lavoro::avanzato, prgVerifica, &QProgressBar::setValue);
    connect(&m_lavoro, &Lavoro::finito, this, &frmArchivio::VerificaFinita);

    // The ten, as the game plays a bet on Tutte.
    ImpostaRuote(Archivio::Tutte);
    const QString ricordato = QSettings().value(ChiavePercorso).toString();
    const QString rifiuto = ricordato.isEmpty() ? QString() : Leggi(ricordato);
    MostraArchivio();
    Abilita();
    if (m_dati->estrazioni.empty())
        cmdApri->setFocus();
    else
        cmdVerifica->setFocus();
    // Before the window shows, which then opens with no archive.
    if (!rifiuto.isEmpty())
        RichiestaMessaggio(rifiuto, QStringLiteral("OK"));
}

frmArchivio::~frmArchivio() = default;

Archivio::Scelta frmArchivio::Scelta() const
{
    Archivio::Scelta scelta;
    scelta.ruote = 0;
    for (int ruota = 0; ruota < Archivio::Ruote; ++ruota) {
        if (chkRuota[std::size_t(ruota)]->isChecked())
            scelta.ruote |= quint16(1u << ruota);
    }
    scelta.ultime = spnUltime->value();
    return scelta;
}

Archivio::Giocata frmArchivio::Giocata() const
{
    Archivio::Giocata giocata;
    giocata.sorte = cboSorte->currentData().toInt();
    // Whole cents, as the box shows them.
    giocata.posta = qRound64(spnPosta->value() * 100);
    return giocata;
}

bool frmArchivio::eventFilter(QObject *oggetto, QEvent *evento)
{
    // The table would copy the current cell alone: a player wants the rows.
    if (oggetto == tblRitardi && evento->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(evento)->matches(QKeySequence::Copy)) {
        CopiaRitardi();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void frmArchivio::done(int esito)
{
    // The close box, Escape and a close from the program all end here.
    if (m_lavoro.InCorso()) {
        m_lavoro.Ferma();
        VerificaFinita(Lavoro::Fine::Annullata);
    }
    QDialog::done(esito);
}

void frmArchivio::cmdApri_Click()
{
    const QString ricordato = QSettings().value(ChiavePercorso).toString();
    const QString cartella = ricordato.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)
                                                 : QFileInfo(ricordato).absolutePath();
    QStringList scelti;
    {
        // Gone before the file is read: a refusal then shows over this window alone.
        QFileDialog dialogo(this, QStringLiteral("Apri archivio delle estrazioni"), cartella);
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setNameFilters({QStringLiteral("Archivi delle estrazioni (*.txt *.TXT *.csv *.CSV)"),
                                QStringLiteral("Tutti i file (*)")});
        scelti = m_scegliFile(dialogo);
    }
    if (scelti.isEmpty())
        return;
    const QString rifiuto = Leggi(scelti.first());
    if (!rifiuto.isEmpty())
        RichiestaMessaggio(rifiuto, QStringLiteral("OK"));
    else
        cmdVerifica->setFocus();
}

QString frmArchivio::Leggi(const QString &percorso)
{
    auto dati = std::make_shared<Archivio::Dati>();
    Archivio::Lettura lettura;
    {
        const CursoreOccupato occupato;
        lettura = Archivio::LeggiFile(percorso, *dati, *m_lettura);
    }
    if (!lettura.Accettata()) {
        // A reason of the reader's may quote the file: broken into lines as the dialog needs.
        // The texts of the error numbers are the program's own, broken where they should be.
        const QString testo = Archivio::TestoRifiuto(lettura);
        const bool motivo = lettura.riga != 0 || !lettura.motivo.isEmpty();
        return (motivo ? RigheMessaggio(testo) : testo) + u'|' + RigaMessaggio(QFileInfo(percorso).fileName());
    }

    // The archive read before stays until this one is accepted whole.
    m_dati = std::move(dati);
    m_percorso = QFileInfo(percorso).absoluteFilePath();
    QSettings().setValue(ChiavePercorso, m_percorso);
    // What was shown came from the archive before.
    txtSpoglio->clear();
    m_ritardi->Imposta({}, 0);
    grfAndamento->Imposta({});
    const int date = int(m_dati->estrazioni.size());
    spnUltime->setRange(1, date);
    spnUltime->setValue(std::min(date, UltimeIniziali));
    MostraArchivio();
    Abilita();
    return {};
}

void frmArchivio::MostraArchivio()
{
    if (m_dati->estrazioni.empty()) {
        lblArchivio->setText(QStringLiteral("Nessun archivio aperto"));
        return;
    }
    const QString &nome = m_dati->nome;
    QString testo = Archivio::Descrizione(*m_dati);
    const QFontMetrics misure(lblArchivio->font());
    const int eccesso = misure.horizontalAdvance(testo) - lblArchivio->width();
    // A long name gives way to the figures. The comma after it is the text's last.
    const qsizetype dove = testo.lastIndexOf(nome + u',');
    if (eccesso > 0 && dove >= 0) {
        const int spazio = std::max(0, misure.horizontalAdvance(nome) - eccesso);
        testo.replace(dove, nome.size(), misure.elidedText(nome, Qt::ElideMiddle, spazio));
    }
    lblArchivio->setText(testo);
    lblArchivio->setToolTip(QDir::toNativeSeparators(m_percorso));
}

void frmArchivio::Abilita()
{
    const bool archivio = !m_dati->estrazioni.empty();
    const bool inCorso = m_lavoro.InCorso();
    // While the replay runs, what it works on stays: no other archive, no second replay. The
    // choices may change meanwhile; the replay has its own copy of them.
    cmdApri->setEnabled(!inCorso);
    for (QCheckBox *casella : chkRuota)
        casella->setEnabled(archivio);
    for (QWidget *controllo : std::initializer_list<QWidget *>{cmdTutte, cmdNessuna, spnUltime, cboSorte, spnPosta,
                                                                cmdRitardi, cmdSeleziona})
        controllo->setEnabled(archivio);
    cmdVerifica->setEnabled(archivio && !inCorso);
    cmdAnnulla->setEnabled(inCorso);
    // A curve only once there is a replay to draw.
    tabRisultati->setTabEnabled(tabRisultati->indexOf(grfAndamento), !grfAndamento->Punti().empty());
}

void frmArchivio::ImpostaRuote(quint16 ruote)
{
    for (int ruota = 0; ruota < Archivio::Ruote; ++ruota)
        chkRuota[std::size_t(ruota)]->setChecked((ruote >> ruota & 1) != 0);
}

void frmArchivio::Ruote_Change()
{
    // On Tutte the posta is the line's, spread over the ten wheels.
    lblPostaPer->setText(Scelta().ruote == Archivio::Tutte ? QStringLiteral("per riga su Tutte")
                                                           : QStringLiteral("per riga e ruota"));
}

bool frmArchivio::RifiutaScelta()
{
    if (Scelta().ruote != 0)
        return false;
    RichiestaMessaggio(QStringLiteral("Nessuna ruota scelta ..!"), QStringLiteral("OK"));
    return true;
}

const Verifica::Lista &frmArchivio::Righe()
{
    if (!m_lista)
        m_lista = std::make_shared<const Verifica::Lista>(Verifica::LeggiLista(m_testoLista));
    return *m_lista;
}

void frmArchivio::cmdVerifica_Click()
{
    if (m_lavoro.InCorso() || RifiutaScelta() || RifiutaLista(Righe()))
        return;
    // A list of single numbers is played for the estratto, unless the player chose otherwise.
    if (!m_sorteScelta && std::all_of(m_lista->righe.begin(), m_lista->righe.end(),
                                      [](const Verifica::RigaLetta &riga) { return riga.numeri.Quanti() == 1; }))
        cboSorte->setCurrentIndex(cboSorte->findData(int(Archivio::Estratto)));
    m_corsa = std::make_shared<Corsa>();
    m_corsa->dati = m_dati;
    m_corsa->lista = m_lista;
    m_corsa->scelta = Scelta();
    m_corsa->giocata = Giocata();
    prgVerifica->setValue(0);
    prgVerifica->setTextVisible(true);
    m_lavoro.Avvia([corsa = m_corsa, riproduci = m_riproduci](Avanzamento &stato) {
        corsa->riuscita = riproduci(*corsa->dati, *corsa->lista, corsa->scelta, corsa->giocata, corsa->esito, stato);
    });
    Abilita();
    cmdAnnulla->setFocus();
}

void frmArchivio::VerificaFinita(Lavoro::Fine fine)
{
    const std::shared_ptr<Corsa> corsa = std::exchange(m_corsa, nullptr);
    // A stopped replay leaves everything shown as it was.
    const bool mostra = fine == Lavoro::Fine::Finita && corsa && corsa->riuscita;
    prgVerifica->setValue(mostra ? prgVerifica->maximum() : 0);
    prgVerifica->setTextVisible(mostra);
    if (mostra) {
        txtSpoglio->setPlainText(corsa->esito.testo);
        grfAndamento->Imposta(std::move(corsa->esito.bilancio.andamento));
    }
    const bool annulla = cmdAnnulla->hasFocus();
    Abilita();
    if (annulla)
        cmdVerifica->setFocus();
    // The curve stays in sight for one who watches it change with the posta or the sorte.
    if (mostra && tabRisultati->currentWidget() != grfAndamento)
        tabRisultati->setCurrentWidget(txtSpoglio);
    if (fine == Lavoro::Fine::MemoriaEsaurita)
        mGestioneErrori::MostraErrore(NumeriErrore::ErroreMemoria);
}

void frmArchivio::cmdAnnulla_Click()
{
    // Stopped, even if it came to its end meanwhile: the user asked for nothing to be shown.
    m_lavoro.Ferma();
    VerificaFinita(Lavoro::Fine::Annullata);
}

void frmArchivio::cmdRitardi_Click()
{
    if (RifiutaScelta())
        return;
    const CursoreOccupato occupato;
    const Archivio::Scelta scelta = Scelta();
    // Sorted as the table was; the frequencies' header names the draws they were counted over.
    m_ritardi->Imposta(Archivio::Ritardi(*m_dati, scelta), int(Archivio::Scelte(*m_dati, scelta).size()));
    tabRisultati->setCurrentWidget(tblRitardi);
}

void frmArchivio::cmdSeleziona_Click()
{
    std::vector<int> numeri;
    for (const QModelIndex &indice : tblRitardi->selectionModel()->selectedRows())
        numeri.push_back(m_ritardi->NumeroDi(m_ordinati->mapToSource(indice).row()));
    if (numeri.empty()) {
        RichiestaMessaggio(QStringLiteral("Selezionare nei Ritardi|i numeri da portare nella griglia ..!"),
                           QStringLiteral("OK"));
        return;
    }
    std::sort(numeri.begin(), numeri.end());
    m_seleziona(numeri);
}

void frmArchivio::CopiaRitardi()
{
    const int righe = m_ordinati->rowCount();
    if (righe == 0)
        return;
    // The rows chosen, or all of them, in the order shown; a spreadsheet takes them as they are.
    const QItemSelectionModel *selezione = tblRitardi->selectionModel();
    const bool tutte = selezione->selectedRows().isEmpty();
    QStringList campi;
    for (int colonna = 0; colonna < ModelloRitardi::Colonne; ++colonna)
        campi << m_ordinati->headerData(colonna, Qt::Horizontal).toString();
    QString testo = campi.join(u'\t') + u'\n';
    for (int riga = 0; riga < righe; ++riga) {
        if (!tutte && !selezione->isRowSelected(riga))
            continue;
        campi.clear();
        for (int colonna = 0; colonna < ModelloRitardi::Colonne; ++colonna)
            campi << m_ordinati->index(riga, colonna).data().toString();
        testo += campi.join(u'\t') + u'\n';
    }
    QGuiApplication::clipboard()->setText(testo);
}

void RichiestaArchivio(const QString &lista, const frmArchivio::ScegliFile &scegliFile,
                       const std::shared_ptr<Apertura::LetturaFile> &lettura, const frmArchivio::Seleziona &seleziona,
                       QWidget *finestra)
{
    frmArchivio archivio(lista, scegliFile, lettura, seleziona, finestra);
    archivio.exec();
}
