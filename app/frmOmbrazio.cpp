#include "app/frmOmbrazio.h"

#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/ColoriSistema.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/Immagini.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "common/mFunzioni.h"
#include "dialogs/frmMessage.h"
#include "list/ListaDocumento.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QIcon>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>

namespace {

constexpr qreal PuntiTrebuchet = 8.25;
const char *const ProprietaTabIndex = "TabIndex";

QFrame *NuovaCornice(QWidget *contenitore, int left, int top, int width, int height, int tabIndex)
{
    QFrame *cornice = FinestraFissa::Cornice(contenitore, QRect(left, top, width, height));
    cornice->setProperty(ProprietaTabIndex, tabIndex);
    return cornice;
}

template<typename T>
T *Nuova(QWidget *contenitore, int left, int top, int width, int height, int tabIndex, const QString &caption,
         const QFont &font)
{
    auto *controllo = new T(contenitore);
    controllo->ImpostaGeometria(QRect(left, top, width, height));
    controllo->setProperty(ProprietaTabIndex, tabIndex);
    controllo->setText(caption);
    controllo->setFont(font);
    return controllo;
}

Etichetta *NuovaEtichetta(QWidget *contenitore, int left, int top, int width, int height, int tabIndex,
                          const QString &caption, const QFont &font, Qt::Alignment allineamento, bool bordo,
                          bool trasparente)
{
    auto *etichetta = Nuova<Etichetta>(contenitore, left, top, width, height, tabIndex, caption, font);
    etichetta->setAlignment(allineamento | Qt::AlignVCenter);
    etichetta->ImpostaBordo(bordo);
    etichetta->ImpostaTrasparente(trasparente);
    return etichetta;
}

Etichetta *NuovaFreccia(QWidget *contenitore, int left, int top, int tabIndex, Caratteri::Direzione direzione,
                        const QString &nomeAccessibile)
{
    const Caratteri::Freccia freccia = Caratteri::FrecciaStepper(direzione, Caratteri::PuntiFrecce);
    auto *etichetta = NuovaEtichetta(contenitore, left, top, 255, 315, tabIndex, freccia.testo, freccia.font,
                                     Qt::AlignHCenter, false, false);
    etichetta->ImpostaColori(ColoriSistema::Menu, ColoriSistema::TestoPulsante);
    etichetta->setCursor(Qt::PointingHandCursor);
    // The glyph alone means nothing when read aloud.
    etichetta->setAccessibleName(nomeAccessibile);
    return etichetta;
}

// A screen reader reads the value itself as the name; the description says what it counts.
Etichetta *NuovoValore(QWidget *contenitore, int left, int top, int tabIndex, const QString &caption,
                       const QString &descrizione)
{
    auto *etichetta = NuovaEtichetta(contenitore, left, top, 525, 285, tabIndex, caption,
                                     Caratteri::CarattereFisso(Caratteri::Arial, 9.75), Qt::AlignHCenter, true, false);
    etichetta->ImpostaColori(ColoriSistema::Finestra, ColoriSistema::TestoPulsante);
    etichetta->setAccessibleDescription(descrizione);
    return etichetta;
}

PulsanteComando *NuovoPulsante(QWidget *contenitore, int left, int top, int width, int height, int tabIndex,
                               const QString &caption)
{
    auto *pulsante = Nuova<PulsanteComando>(contenitore, left, top, width, height, tabIndex, caption,
                                            Caratteri::CarattereFisso(Caratteri::TrebuchetMS, PuntiTrebuchet));
    pulsante->setToolTip(QStringLiteral("Genera la Prima Griglia"));
    return pulsante;
}

} // namespace

QStringList ScegliFileDiSistema(QFileDialog &dialogo)
{
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles() : QStringList();
}

Ambiente Ambiente::DiSistema()
{
    return {[] { return QDateTime::currentDateTime(); }, QCoreApplication::applicationDirPath(),
            std::make_shared<Salvataggio::ScritturaFile>()};
}

frmOmbrazio::frmOmbrazio(Ambiente ambiente, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_ambiente(std::move(ambiente))
{
    setObjectName(QStringLiteral("frmOmbrazio"));
    setFixedSize(Twips::PxSize(12375, 8385));
    setFont(Caratteri::Carattere(Caratteri::SegoeUI, 8.25));
    setWindowIcon(Immagini::Icona());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    CostruisciControlli();
    ImpostaOrdineTab();
    Collega();
    CreaAzioni();
    // Key preview: the window sees every key before the control that has the focus.
    qApp->installEventFilter(this);

    Form_Load();
}

frmOmbrazio::~frmOmbrazio() = default;

void frmOmbrazio::CostruisciControlli()
{
    const QFont trebuchet = Caratteri::CarattereFisso(Caratteri::TrebuchetMS, PuntiTrebuchet);
    using Verso = Caratteri::Direzione;

    Frame2 = NuovaCornice(this, 150, 60, 7575, 6885, 13);
    // The cells' face is the board's, so the cells made at each generation inherit it.
    Frame2->setFont(Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 20.25));

    Frame9 = NuovaCornice(this, 150, 6960, 7575, 1335, 1);
    Label11.Aggiungi(2, NuovaEtichetta(Frame9, 510, 420, 1035, 255, 21, QStringLiteral("SELEZIONATI"), trebuchet,
                                       Qt::AlignRight, false, true));
    lblSelezionati = NuovaEtichetta(Frame9, 1740, 300, 615, 375, 22, QStringLiteral("0"),
                                    Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 12), Qt::AlignHCenter, true, false);
    lblSelezionati->setAccessibleDescription(QStringLiteral("SELEZIONATI"));
    m_griglia.Prepara(Frame2, lblSelezionati);
    cmdCancella = NuovoPulsante(Frame9, 510, 780, 1845, 405, 28, QStringLiteral("CANCELLA"));
    Label11.Aggiungi(0, NuovaEtichetta(Frame9, 2670, 390, 795, 255, 12, QStringLiteral("Numeri"), trebuchet,
                                       Qt::AlignRight, false, true));

    Frame3.Aggiungi(2, NuovaCornice(Frame9, 3660, 150, 2115, 555, 6));
    lblNumeriMenoMeno = NuovaFreccia(Frame3(2), 90, 135, 16, Verso::IndietroDieci, QStringLiteral("Numeri -10"));
    lblNumeriMeno = NuovaFreccia(Frame3(2), 480, 150, 8, Verso::Indietro, QStringLiteral("Numeri -1"));
    lblNumeri = NuovoValore(Frame3(2), 750, 180, 10, QStringLiteral("36"), QStringLiteral("Numeri"));
    lblNumeriPiu = NuovaFreccia(Frame3(2), 1320, 150, 9, Verso::Avanti, QStringLiteral("Numeri +1"));
    lblNumeriPiuPiu = NuovaFreccia(Frame3(2), 1710, 135, 7, Verso::AvantiDieci, QStringLiteral("Numeri +10"));

    Label11.Aggiungi(1, NuovaEtichetta(Frame9, 2790, 900, 1395, 255, 11, QStringLiteral("Numeri per Riga"), trebuchet,
                                       Qt::AlignRight, false, true));
    Frame3.Aggiungi(0, NuovaCornice(Frame9, 4380, 660, 1395, 555, 2));
    lblSaltoMeno = NuovaFreccia(Frame3(0), 120, 150, 5, Verso::Indietro, QStringLiteral("Numeri per Riga -1"));
    lblSalto = NuovoValore(Frame3(0), 390, 180, 3, QStringLiteral("6"), QStringLiteral("Numeri per Riga"));
    lblSaltoPiu = NuovaFreccia(Frame3(0), 960, 150, 4, Verso::Avanti, QStringLiteral("Numeri per Riga +1"));

    Frame7.Aggiungi(0, NuovaCornice(Frame9, 5970, 150, 1365, 1035, 15));
    cmdCostruisci = NuovoPulsante(Frame7(0), 60, 150, 1215, 795, 0, QStringLiteral("GENERA GRIGLIA"));

    lblDelete = NuovaEtichetta(this, 8280, 150, 3465, 315, 27, QStringLiteral("CANCELLA LA LISTA"), trebuchet,
                               Qt::AlignHCenter, false, true);
    lblDelete->setCursor(Qt::PointingHandCursor);

    // Its face is given before it joins the window: the box lays out its empty document in
    // each face it gets, and the window's would be one more at start-up.
    txtLista = new QPlainTextEdit;
    txtLista->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    txtLista->setParent(this);
    txtLista->setGeometry(Twips::PxRect(7860, 510, 4335, 6345));
    txtLista->setProperty(ProprietaTabIndex, 17);
    txtLista->setAccessibleName(QStringLiteral("Lista combinazioni"));
    txtLista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtLista->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control, as in any form, rather than typing a tab.
    txtLista->setTabChangesFocus(true);
    ListaDocumento::TastiRipeti(*txtLista);

    Frame1 = NuovaCornice(this, 7860, 6960, 4335, 1335, 18);
    Frame7.Aggiungi(3, NuovaCornice(Frame1, 210, 150, 1215, 1035, 25));
    cmdSort = NuovoPulsante(Frame7(3), 60, 150, 1065, 795, 26, QStringLiteral("SORT"));
    Frame7.Aggiungi(2, NuovaCornice(Frame1, 1530, 150, 1245, 1035, 23));
    cmdSalva = NuovoPulsante(Frame7(2), 60, 150, 1095, 795, 24, QStringLiteral("SALVA"));
    Frame7.Aggiungi(1, NuovaCornice(Frame1, 2880, 150, 1245, 1035, 19));
    cmdInLista = NuovoPulsante(Frame7(1), 60, 150, 1065, 795, 20, QStringLiteral("IN LISTA"));
}

void frmOmbrazio::ImpostaOrdineTab()
{
    // The focusable controls, visited in the order of their tab indices.
    QList<QWidget *> ordine{cmdCostruisci, txtLista, cmdInLista, cmdSalva, cmdSort, cmdCancella};
    std::sort(ordine.begin(), ordine.end(), [](QWidget *a, QWidget *b) {
        return a->property(ProprietaTabIndex).toInt() < b->property(ProprietaTabIndex).toInt();
    });
    for (int i = 0; i + 1 < ordine.size(); ++i)
        setTabOrder(ordine[i], ordine[i + 1]);
    ordine.first()->setFocus();
}

void frmOmbrazio::Collega()
{
    connect(lblNumeriMenoMeno, &Etichetta::clicked, this, &frmOmbrazio::lblNumeriMenoMeno_Click);
    connect(lblNumeriMeno, &Etichetta::clicked, this, &frmOmbrazio::lblNumeriMeno_Click);
    connect(lblNumeriPiu, &Etichetta::clicked, this, &frmOmbrazio::lblNumeriPiu_Click);
    connect(lblNumeriPiuPiu, &Etichetta::clicked, this, &frmOmbrazio::lblNumeriPiuPiu_Click);
    connect(lblSaltoMeno, &Etichetta::clicked, this, &frmOmbrazio::lblSaltoMeno_Click);
    connect(lblSaltoPiu, &Etichetta::clicked, this, &frmOmbrazio::lblSaltoPiu_Click);
    connect(cmdCostruisci, &QPushButton::clicked, this, &frmOmbrazio::cmdCostruisci_Click);
    connect(&m_griglia, &Griglia::cliccata, this, &frmOmbrazio::lblNumero_Click);
    connect(cmdCancella, &QPushButton::clicked, this, &frmOmbrazio::cmdCancella_Click);
    connect(cmdInLista, &QPushButton::clicked, this, &frmOmbrazio::cmdInLista_Click);
    connect(lblDelete, &Etichetta::clicked, this, &frmOmbrazio::lblDelete_Click);
    connect(cmdSort, &QPushButton::clicked, this, &frmOmbrazio::cmdSort_Click);
    connect(cmdSalva, &QPushButton::clicked, this, &frmOmbrazio::cmdSalva_Click);
}

QString frmOmbrazio::TestoLista() const
{
    return ListaDocumento::Testo(*txtLista->document());
}

void frmOmbrazio::Form_Load()
{
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - by ") + QStringLiteral("Pindarolesca")
                   + QStringLiteral(" - Press <F10> to Info"));
    mFunzioni::ImpostaDefault(gQuantitaNumeri, 1, 36);
    mFunzioni::ImpostaDefault(gNumeriPerRiga, 1, 6);
    lblNumeri->setText(QString::number(gQuantitaNumeri));
    lblNumeri->repaint();
    lblSalto->setText(QString::number(gNumeriPerRiga));
    lblSalto->repaint();
}

void frmOmbrazio::showEvent(QShowEvent *event)
{
    if (!m_centrata) {
        m_centrata = true;
        // The whole window is centred, title bar and borders included: the window exists
        // by now, so the window system has told its frame.
        if (const QScreen *schermo = screen())
            move(schermo->availableGeometry().center() - QRect(QPoint(), frameGeometry().size()).center());
    }
    QWidget::showEvent(event);
}

void frmOmbrazio::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmOmbrazio::Form_QueryUnload(bool &cancel)
{
    if (RichiestaMessaggio(QStringLiteral("Confermi uscita dal programma?"), QStringLiteral("NO,SI")) == RispostaNo)
        cancel = true;
}

void frmOmbrazio::Form_Unload()
{
    // The other windows go first, the most recently opened first.
    const QWidgetList finestre = QApplication::topLevelWidgets();
    for (auto it = finestre.crbegin(); it != finestre.crend(); ++it) {
        if (*it != this && (*it)->isVisible())
            (*it)->close();
    }
}
