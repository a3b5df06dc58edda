#include "archivio/frmArchivio.h"

#include "archivio/ModelloRitardi.h"
#include "common/Caratteri.h"
#include "common/CursoreOccupato.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/TestiErrore.h"
#include "dialogs/frmMessage.h"
#include "verifica/frmVerifica.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPlainTextEdit>
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
constexpr int AltezzaCliente = 8400;
constexpr int UltimeIniziali = 100;
const QString ChiavePercorso = QStringLiteral("archivio/percorso");

} // namespace

frmArchivio::frmArchivio(const QString &lista, ScegliFile scegliFile, std::shared_ptr<Apertura::LetturaFile> lettura,
                         Seleziona seleziona, QWidget *parent)
    : QDialog(parent, FinestraFissa::Bandiere)
    , m_testoLista(lista)
    , m_scegliFile(std::move(scegliFile))
    , m_lettura(std::move(lettura))
    , m_seleziona(std::move(seleziona))
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmArchivio"), LarghezzaCliente, AltezzaCliente);
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Archivio"));

    fraArchivio = FinestraFissa::Cornice(this, QRect(60, 0, 11130, 8340));

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
        casella->setGeometry(Twips::PxRect(990 + ruota * 660, 780, 660, 360));
        casella->setFont(Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9));
        casella->setAccessibleName(Archivio::Nome(ruota));
        casella->setToolTip(Archivio::Nome(ruota));
        casella->setChecked(true);
        chkRuota[std::size_t(ruota)] = casella;
    }
    cmdTutte = new PulsanteComando(fraArchivio, QRect(8400, 750, 1200, 420), QStringLiteral("TUTTE"));
    cmdNessuna = new PulsanteComando(fraArchivio, QRect(9720, 750, 1260, 420), QStringLiteral("NESSUNA"));

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
    lblEstrazioni = Etichetta::Didascalia(fraArchivio, QRect(2310, 1350, 1500, 360), QStringLiteral("estrazioni"),
                                          trebuchet, sinistra);

    cmdVerifica = new PulsanteComando(fraArchivio, QRect(5880, 1275, 1620, 465), QStringLiteral("VERIFICA"));
    // Enter replays the list, unless another button has the focus.
    cmdVerifica->setDefault(true);
    cmdRitardi = new PulsanteComando(fraArchivio, QRect(7620, 1275, 1620, 465), QStringLiteral("RITARDI"));
    cmdSeleziona = new PulsanteComando(fraArchivio, QRect(9360, 1275, 1620, 465), QStringLiteral("SELEZIONA"));
    cmdSeleziona->setToolTip(QStringLiteral("Seleziona nella griglia i numeri delle righe scelte nei Ritardi"));

    tabRisultati = new QTabWidget(fraArchivio);
    tabRisultati->setGeometry(Twips::PxRect(150, 1920, 10830, 6270));
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
    const std::array<int, ModelloRitardi::Colonne - 1> larghezze{1050, 1050, 1800, 1200};
    for (int colonna = 0; colonna < int(larghezze.size()); ++colonna)
        intestazione->resizeSection(colonna, Twips::Px(larghezze[std::size_t(colonna)]));
    intestazione->setStretchLastSection(true);
    tblRitardi->setSortingEnabled(true);
    // The most delayed first, as a player looks for them.
    tblRitardi->sortByColumn(ModelloRitardi::Ritardo, Qt::DescendingOrder);
    tblRitardi->installEventFilter(this);
    tabRisultati->addTab(tblRitardi, QStringLiteral("Ritardi"));

    QWidget *precedente = cmdApri;
    const auto segue = [this, &precedente](QWidget *controllo) {
        setTabOrder(precedente, controllo);
        precedente = controllo;
    };
    for (QCheckBox *casella : chkRuota)
        segue(casella);
    for (QWidget *controllo : std::initializer_list<QWidget *>{cmdTutte, cmdNessuna, spnUltime, cmdVerifica, cmdRitardi,
                                                                cmdSeleziona, tabRisultati, txtSpoglio, tblRitardi})
        segue(controllo);

    connect(cmdApri, &QPushButton::clicked, this, &frmArchivio::cmdApri_Click);
    connect(cmdTutte, &QPushButton::clicked, this, [this] { ImpostaRuote(true); });
    connect(cmdNessuna, &QPushButton::clicked, this, [this] { ImpostaRuote(false); });
    connect(cmdVerifica, &QPushButton::clicked, this, &frmArchivio::cmdVerifica_Click);
    connect(cmdRitardi, &QPushButton::clicked, this, &frmArchivio::cmdRitardi_Click);
    connect(cmdSeleziona, &QPushButton::clicked, this, &frmArchivio::cmdSeleziona_Click);

    const QString ricordato = QSettings().value(ChiavePercorso).toString();
    const QString rifiuto = ricordato.isEmpty() ? QString() : Leggi(ricordato);
    MostraArchivio();
    Abilita();
    if (m_dati.estrazioni.empty())
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
    Archivio::Lettura lettura;
    {
        const CursoreOccupato occupato;
        // Left as it was unless the whole file is accepted.
        lettura = Archivio::LeggiFile(percorso, m_dati, *m_lettura);
    }
    const QString nome = RigaMessaggio(QFileInfo(percorso).fileName());
    if (lettura.errore != 0)
        return mGestioneErrori::TestoRifiutoLettura(lettura.errore) + u'|' + nome;
    if (lettura.riga != 0)
        return RigheMessaggio(QStringLiteral("Riga %1: %2 ..!").arg(lettura.riga).arg(lettura.motivo)) + u'|' + nome;

    m_percorso = QFileInfo(percorso).absoluteFilePath();
    QSettings().setValue(ChiavePercorso, m_percorso);
    // What was shown came from the archive before.
    txtSpoglio->clear();
    m_ritardi->Imposta({});
    const int date = int(m_dati.estrazioni.size());
    spnUltime->setRange(1, date);
    spnUltime->setValue(std::min(date, UltimeIniziali));
    MostraArchivio();
    Abilita();
    return {};
}

void frmArchivio::MostraArchivio()
{
    if (m_dati.estrazioni.empty()) {
        lblArchivio->setText(QStringLiteral("Nessun archivio aperto"));
        return;
    }
    QString testo = Archivio::Descrizione(m_dati);
    const QFontMetrics misure(lblArchivio->font());
    const int eccesso = misure.horizontalAdvance(testo) - lblArchivio->width();
    // A long name gives way to the figures. The comma after it is the text's last.
    const qsizetype dove = testo.lastIndexOf(m_dati.nome + u',');
    if (eccesso > 0 && dove >= 0) {
        const int spazio = std::max(0, misure.horizontalAdvance(m_dati.nome) - eccesso);
        testo.replace(dove, m_dati.nome.size(), misure.elidedText(m_dati.nome, Qt::ElideMiddle, spazio));
    }
    lblArchivio->setText(testo);
    lblArchivio->setToolTip(QDir::toNativeSeparators(m_percorso));
}

void frmArchivio::Abilita()
{
    const bool archivio = !m_dati.estrazioni.empty();
    for (QCheckBox *casella : chkRuota)
        casella->setEnabled(archivio);
    for (QWidget *controllo : std::initializer_list<QWidget *>{cmdTutte, cmdNessuna, spnUltime, cmdVerifica, cmdRitardi,
                                                                cmdSeleziona})
        controllo->setEnabled(archivio);
}

void frmArchivio::ImpostaRuote(bool scelte)
{
    for (QCheckBox *casella : chkRuota)
        casella->setChecked(scelte);
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
        m_lista = Verifica::LeggiLista(m_testoLista);
    return *m_lista;
}

void frmArchivio::cmdVerifica_Click()
{
    if (RifiutaScelta() || RifiutaLista(Righe()))
        return;
    const CursoreOccupato occupato;
    txtSpoglio->setPlainText(Archivio::Spoglio(m_dati, Righe(), Scelta()));
    tabRisultati->setCurrentWidget(txtSpoglio);
}

void frmArchivio::cmdRitardi_Click()
{
    if (RifiutaScelta())
        return;
    const CursoreOccupato occupato;
    // Sorted as the table was.
    m_ritardi->Imposta(Archivio::Ritardi(m_dati, Scelta()));
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
