#include "app/Traduzione.h"
#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/ColoriSistema.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <memory>

class tst_frmOmbrazio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void caricamento();
    void finestra_proprieta();
    void geometria_data();
    void geometria();
    void aspettoEtichette_data();
    void aspettoEtichette();
    void pulsanti();
    void caratteriSostituiti_data();
    void caratteriSostituiti();
    void ordineTab();
    void menuInItaliano_data();
    void menuInItaliano();
    void chiusuraNo();
    void fotografia();
    void chiusuraSi();

private:
    QWidget *Controllo(const QString &nome) const;
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_frmOmbrazio::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

QWidget *tst_frmOmbrazio::Controllo(const QString &nome) const
{
    frmOmbrazio &f = *finestra;
    const std::map<QString, QWidget *> controlli{
        {"Frame2", f.Frame2},
        {"lblNumero(1)", f.lblNumero(1)},
        {"Frame9", f.Frame9},
        {"Label11(2)", f.Label11(2)},
        {"lblSelezionati", f.lblSelezionati},
        {"cmdCancella", f.cmdCancella},
        {"Label11(0)", f.Label11(0)},
        {"Frame3(2)", f.Frame3(2)},
        {"lblNumeriMenoMeno", f.lblNumeriMenoMeno},
        {"lblNumeriMeno", f.lblNumeriMeno},
        {"lblNumeri", f.lblNumeri},
        {"lblNumeriPiu", f.lblNumeriPiu},
        {"lblNumeriPiuPiu", f.lblNumeriPiuPiu},
        {"Label11(1)", f.Label11(1)},
        {"Frame3(0)", f.Frame3(0)},
        {"lblSaltoMeno", f.lblSaltoMeno},
        {"lblSalto", f.lblSalto},
        {"lblSaltoPiu", f.lblSaltoPiu},
        {"Frame7(0)", f.Frame7(0)},
        {"cmdCostruisci", f.cmdCostruisci},
        {"lblDelete", f.lblDelete},
        {"txtLista", f.txtLista},
        {"Frame1", f.Frame1},
        {"Frame7(3)", f.Frame7(3)},
        {"cmdSort", f.cmdSort},
        {"Frame7(2)", f.Frame7(2)},
        {"cmdSalva", f.cmdSalva},
        {"Frame7(1)", f.Frame7(1)},
        {"cmdInLista", f.cmdInLista},
        {"window", finestra.get()},
    };
    return controlli.at(nome);
}

void tst_frmOmbrazio::caricamento()
{
    QCOMPARE(finestra->windowTitle(), QStringLiteral("Ombrazio® - by Pindarolesca - Press <F10> to Info"));
    QCOMPARE(int(gQuantitaNumeri), 36);
    QCOMPARE(int(gNumeriPerRiga), 6);
    QCOMPARE(finestra->lblNumeri->text(), QStringLiteral("36"));
    QCOMPARE(finestra->lblSalto->text(), QStringLiteral("6"));
    // Nothing else is prepared: no board, no selection, an empty list.
    QCOMPARE(finestra->lblNumero.Conta(), 1);
    QCOMPARE(finestra->lblNumero(1)->text(), QStringLiteral("10"));
    QCOMPARE(int(gCaselle.UBound()), 0);
    QCOMPARE(int(gSelezionati), 0);
    QVERIFY(!gGrigliaGenerata);
    QVERIFY(finestra->txtLista->document()->isEmpty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(finestra->cmdCostruisci));
}

void tst_frmOmbrazio::finestra_proprieta()
{
    QCOMPARE(finestra->size(), QSize(825, 559));
    QCOMPARE(finestra->minimumSize(), finestra->maximumSize());
    const Qt::WindowFlags flags = finestra->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!finestra->windowIcon().isNull());
    QCOMPARE(finestra->backgroundRole(), QPalette::Button);
    // Centred on the screen, frame and title bar included.
    const QRect schermo = finestra->screen()->availableGeometry();
    const QPoint scarto = finestra->frameGeometry().center() - schermo.center();
    QVERIFY2(qAbs(scarto.x()) <= 4 && qAbs(scarto.y()) <= 4,
             qPrintable(QStringLiteral("%1, %2").arg(scarto.x()).arg(scarto.y())));
}

void tst_frmOmbrazio::geometria_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("contenitore");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("tab");
    const auto riga = [](const char *n, const char *c, int l, int t, int w, int h, int tab) {
        QTest::newRow(n) << QString::fromLatin1(n) << QString::fromLatin1(c) << QRect(l, t, w, h) << tab;
    };
    riga("Frame2", "window", 150, 60, 7575, 6885, 13);
    riga("lblNumero(1)", "Frame2", 150, 240, 700, 700, 14);
    riga("Frame9", "window", 150, 6960, 7575, 1335, 1);
    riga("Label11(2)", "Frame9", 510, 420, 1035, 255, 21);
    riga("lblSelezionati", "Frame9", 1740, 300, 615, 375, 22);
    riga("cmdCancella", "Frame9", 510, 780, 1845, 405, 28);
    riga("Label11(0)", "Frame9", 2670, 390, 795, 255, 12);
    riga("Frame3(2)", "Frame9", 3660, 150, 2115, 555, 6);
    riga("lblNumeriMenoMeno", "Frame3(2)", 90, 135, 255, 315, 16);
    riga("lblNumeriMeno", "Frame3(2)", 480, 150, 255, 315, 8);
    riga("lblNumeri", "Frame3(2)", 750, 180, 525, 285, 10);
    riga("lblNumeriPiu", "Frame3(2)", 1320, 150, 255, 315, 9);
    riga("lblNumeriPiuPiu", "Frame3(2)", 1710, 135, 255, 315, 7);
    riga("Label11(1)", "Frame9", 2790, 900, 1395, 255, 11);
    riga("Frame3(0)", "Frame9", 4380, 660, 1395, 555, 2);
    riga("lblSaltoMeno", "Frame3(0)", 120, 150, 255, 315, 5);
    riga("lblSalto", "Frame3(0)", 390, 180, 525, 285, 3);
    riga("lblSaltoPiu", "Frame3(0)", 960, 150, 255, 315, 4);
    riga("Frame7(0)", "Frame9", 5970, 150, 1365, 1035, 15);
    riga("cmdCostruisci", "Frame7(0)", 60, 150, 1215, 795, 0);
    riga("lblDelete", "window", 8280, 150, 3465, 315, 27);
    riga("txtLista", "window", 7860, 510, 4335, 6345, 17);
    riga("Frame1", "window", 7860, 6960, 4335, 1335, 18);
    riga("Frame7(3)", "Frame1", 210, 150, 1215, 1035, 25);
    riga("cmdSort", "Frame7(3)", 60, 150, 1065, 795, 26);
    riga("Frame7(2)", "Frame1", 1530, 150, 1245, 1035, 23);
    riga("cmdSalva", "Frame7(2)", 60, 150, 1095, 795, 24);
    riga("Frame7(1)", "Frame1", 2880, 150, 1245, 1035, 19);
    riga("cmdInLista", "Frame7(1)", 60, 150, 1065, 795, 20);
}

void tst_frmOmbrazio::geometria()
{
    QFETCH(QString, nome);
    QFETCH(QString, contenitore);
    QFETCH(QRect, twips);
    QFETCH(int, tab);
    QWidget *controllo = Controllo(nome);
    QCOMPARE(controllo->parentWidget(), Controllo(contenitore));
    QCOMPARE(controllo->geometry(), Twips::PxRect(twips));
    QCOMPARE(controllo->property("TabIndex").toInt(), tab);
    QVERIFY(controllo->isVisible());
    // Everything lies inside its container.
    QVERIFY(controllo->parentWidget()->rect().contains(controllo->geometry()));
}

void tst_frmOmbrazio::aspettoEtichette_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("famiglia");
    QTest::addColumn<qreal>("punti");
    QTest::addColumn<int>("allineamento");
    QTest::addColumn<bool>("bordo");
    QTest::addColumn<bool>("trasparente");
    QTest::addColumn<quint32>("sfondo");
    const auto riga = [](const char *n, const char *caption, const QString &famiglia, qreal punti, Qt::Alignment a,
                         bool bordo, bool trasparente, quint32 sfondo) {
        QTest::newRow(n) << QString::fromLatin1(n) << QString::fromUtf8(caption) << famiglia << punti
                         << int(a & Qt::AlignHorizontal_Mask) << bordo << trasparente << sfondo;
    };
    using namespace Caratteri;
    using namespace ColoriSistema;
    riga("lblNumero(1)", "10", TrebuchetMS, 20.25, Qt::AlignHCenter, true, false, FacciaPulsante);
    riga("Label11(2)", "SELEZIONATI", TrebuchetMS, 8.25, Qt::AlignRight, false, true, FacciaPulsante);
    riga("lblSelezionati", "0", TrebuchetMS, 12, Qt::AlignHCenter, true, false, FacciaPulsante);
    riga("Label11(0)", "Numeri", TrebuchetMS, 8.25, Qt::AlignRight, false, true, FacciaPulsante);
    riga("Label11(1)", "Numeri per Riga", TrebuchetMS, 8.25, Qt::AlignRight, false, true, FacciaPulsante);
    riga("lblNumeri", "36", Arial, 9.75, Qt::AlignHCenter, true, false, Finestra);
    riga("lblSalto", "6", Arial, 9.75, Qt::AlignHCenter, true, false, Finestra);
    riga("lblDelete", "CANCELLA LA LISTA", TrebuchetMS, 8.25, Qt::AlignHCenter, false, true, FacciaPulsante);
    // The arrows are whatever this machine can draw; tst_caratteri checks the choice.
    const auto freccia = [](Caratteri::Direzione direzione) {
        return Caratteri::FrecciaStepper(direzione, 14.25).testo.toUtf8();
    };
    // The temporary lives until the row has copied it.
    using Verso = Caratteri::Direzione;
    riga("lblNumeriMenoMeno", freccia(Verso::IndietroDieci).constData(), Webdings, 14.25, Qt::AlignHCenter, false, false, Menu);
    riga("lblNumeriMeno", freccia(Verso::Indietro).constData(), Webdings, 14.25, Qt::AlignHCenter, false, false, Menu);
    riga("lblNumeriPiu", freccia(Verso::Avanti).constData(), Webdings, 14.25, Qt::AlignHCenter, false, false, Menu);
    riga("lblNumeriPiuPiu", freccia(Verso::AvantiDieci).constData(), Webdings, 14.25, Qt::AlignHCenter, false, false, Menu);
    riga("lblSaltoMeno", freccia(Verso::Indietro).constData(), Webdings, 14.25, Qt::AlignHCenter, false, false, Menu);
    riga("lblSaltoPiu", freccia(Verso::Avanti).constData(), Webdings, 14.25, Qt::AlignHCenter, false, false, Menu);
}

void tst_frmOmbrazio::aspettoEtichette()
{
    QFETCH(QString, nome);
    QFETCH(QString, caption);
    QFETCH(QString, famiglia);
    QFETCH(qreal, punti);
    QFETCH(int, allineamento);
    QFETCH(bool, bordo);
    QFETCH(bool, trasparente);
    QFETCH(quint32, sfondo);
    auto *etichetta = qobject_cast<Etichetta *>(Controllo(nome));
    QVERIFY(etichetta);
    QCOMPARE(etichetta->text(), caption);
    if (famiglia == Caratteri::Webdings) {
        // Whichever set this machine draws, the face drawing an arrow must have it.
        QVERIFY(QFontMetrics(etichetta->font()).inFontUcs4(caption.toUcs4().first()));
    } else {
        // The designed face where installed, else its stand-in: resolved once, not by name at
        // every font.
        QCOMPARE(etichetta->font().family(), Caratteri::Faccia(famiglia));
    }
    QCOMPARE(etichetta->font().pointSizeF(), punti);
    QVERIFY(!etichetta->font().bold());
    QVERIFY(!etichetta->font().italic());
    QCOMPARE(int(etichetta->alignment() & Qt::AlignHorizontal_Mask), allineamento);
    QCOMPARE(etichetta->Bordo(), bordo);
    QCOMPARE(etichetta->Trasparente(), trasparente);
    QCOMPARE(etichetta->BackColor(), sfondo);
    QCOMPARE(etichetta->ForeColor(), ColoriSistema::TestoPulsante);
    QCOMPARE(etichetta->palette().color(etichetta->foregroundRole()),
             QApplication::palette().color(QPalette::ButtonText));
}

void tst_frmOmbrazio::pulsanti()
{
    const QList<std::pair<PulsanteComando *, QString>> attesi{
        {finestra->cmdCancella, "CANCELLA"}, {finestra->cmdCostruisci, "GENERA GRIGLIA"},
        {finestra->cmdSort, "SORT"},         {finestra->cmdSalva, "SALVA"},
        {finestra->cmdInLista, "IN LISTA"},
    };
    for (const auto &[pulsante, caption] : attesi) {
        QCOMPARE(pulsante->text(), caption);
        QCOMPARE(pulsante->toolTip(), QStringLiteral("Genera la Prima Griglia"));
        QCOMPARE(pulsante->font().family(), Caratteri::Faccia(Caratteri::TrebuchetMS));
        QCOMPARE(pulsante->font().pointSizeF(), 8.25);
        QVERIFY(!pulsante->isDefault());
        QVERIFY(!pulsante->autoDefault());
    }
    QPlainTextEdit *lista = finestra->txtLista;
    QCOMPARE(lista->font().family(), Caratteri::Faccia(Caratteri::CourierNew));
    QCOMPARE(lista->font().pointSizeF(), 12.0);
    // A control of the window like the others, its face resolved against the window's as a
    // child's is, and its text laid out in that face.
    QVERIFY(!lista->isWindow());
    QCOMPARE(lista->parentWidget(), finestra.get());
    QCOMPARE(lista->font(), Caratteri::Carattere(Caratteri::CourierNew, 12).resolve(finestra->font()));
    QCOMPARE(lista->document()->defaultFont(), lista->font());
    QCOMPARE(lista->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(lista->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!lista->isReadOnly());
}

void tst_frmOmbrazio::caratteriSostituiti_data()
{
    QTest::addColumn<QString>("originale");
    QTest::addColumn<QStringList>("ammessi");
    // The face itself or one of its stand-ins; Liberation Sans for Trebuchet MS where the
    // font database files the condensed face under "DejaVu Sans".
    QTest::newRow("Trebuchet MS") << Caratteri::TrebuchetMS
                                  << QStringList{"Trebuchet MS", "DejaVu Sans Condensed", "Liberation Sans"};
    QTest::newRow("Segoe UI") << Caratteri::SegoeUI << QStringList{"Segoe UI", "DejaVu Sans"};
    QTest::newRow("Arial") << Caratteri::Arial << QStringList{"Arial", "Liberation Sans"};
    QTest::newRow("Courier New") << Caratteri::CourierNew << QStringList{"Courier New", "Liberation Mono"};
}

void tst_frmOmbrazio::caratteriSostituiti()
{
    QFETCH(QString, originale);
    QFETCH(QStringList, ammessi);
    const QFontInfo info(Caratteri::Carattere(originale, 10));
    QVERIFY2(ammessi.contains(info.family()), qPrintable(info.family()));
}

void tst_frmOmbrazio::ordineTab()
{
    const QList<QWidget *> attesi{finestra->cmdCostruisci, finestra->txtLista, finestra->cmdInLista,
                                  finestra->cmdSalva,      finestra->cmdSort,  finestra->cmdCancella};
    finestra->cmdCostruisci->setFocus();
    for (int giro = 0; giro < 2; ++giro) {
        for (QWidget *atteso : attesi) {
            QTRY_COMPARE(QApplication::focusWidget(), atteso);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }
    // No label, frame or cell takes the focus.
    for (QWidget *w : finestra->findChildren<QWidget *>()) {
        if (!attesi.contains(w) && w->focusPolicy() != Qt::NoFocus)
            QVERIFY2(w->parentWidget() == finestra->txtLista || w->parentWidget()->parentWidget() == finestra->txtLista
                         || w->focusProxy(),
                     qPrintable(w->metaObject()->className()));
    }
}

void tst_frmOmbrazio::menuInItaliano_data()
{
    QTest::addColumn<bool>("accanto");
    QTest::newRow("from Qt's folder") << false;
    QTest::newRow("from translations/ beside the program") << true;
}

void tst_frmOmbrazio::menuInItaliano()
{
    QFETCH(bool, accanto);
    const QString cartellaQt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // The file the package carries beside the program; a build for Windows has it from the
    // machine it was built on, while its own Qt has none in its folder.
#ifdef OMBRAZIO_QTBASE_IT
    const QString daPortare = QStringLiteral(OMBRAZIO_QTBASE_IT);
#else
    const QString daPortare = cartellaQt + QStringLiteral("/qtbase_it.qm");
#endif
    if (!QFile::exists(accanto ? daPortare : cartellaQt + QStringLiteral("/qtbase_it.qm")))
        QSKIP("Qt's Italian translation is not installed (qt6-translations-l10n)");
    QTemporaryDir programma;
    const QString cartellaAccanto = programma.filePath(QStringLiteral("translations"));
    if (accanto) {
        QVERIFY(QDir().mkpath(cartellaAccanto));
        QVERIFY(QFile::copy(daPortare, cartellaAccanto + QStringLiteral("/qtbase_it.qm")));
    }
    const std::unique_ptr<QTranslator> traduttore(Traduzione::InstallaQt(programma.path()));
    QVERIFY(traduttore);
    QCOMPARE(QFileInfo(traduttore->filePath()).absolutePath(),
             QFileInfo(accanto ? cartellaAccanto : cartellaQt).absoluteFilePath());

    // The menu of a right click on the list: the window's own actions, then Qt's editing.
    const QStringList voci = VociMenuContestuale(finestra->txtLista->viewport(), QPoint(5, 5));
    QCOMPARE(voci.mid(0, 11), (QStringList{"Apri liste...\tCtrl+O", "Salva\tCtrl+S", "Verifica...\tCtrl+E",
                                           "Sviluppa i selezionati...\tCtrl+L", "Riduci i selezionati...\tCtrl+R",
                                           "Archivio...\tCtrl+K", "Condizioni...\tCtrl+Shift+C", "Stampa...\tCtrl+P",
                                           "Esporta PDF...\tCtrl+Shift+P", "-", "Annulla\tCtrl+Z"}));
}

void tst_frmOmbrazio::chiusuraNo()
{
    finestra->txtLista->setPlainText(QStringLiteral("01 02\n"));
    RispondiDialoghi risposte({QStringLiteral("NO")});
    QVERIFY(!finestra->close());
    QCOMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].testo, QStringLiteral("Confermi uscita dal programma?"));
    QCOMPARE(risposte.visti[0].pulsanti, (QStringList{"NO", "SI"}));
    QVERIFY(finestra->isVisible());
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02\r\n"));
    QCOMPARE(int(gRisposta), 1);
}

void tst_frmOmbrazio::chiusuraSi()
{
    // As in the program: closing the only window ends the event loop with status 0.
    RispondiDialoghi risposte({QStringLiteral("SI")});
    QTimer::singleShot(0, finestra.get(), &QWidget::close);
    QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(risposte.visti.size(), 1);
    QVERIFY(!finestra->isVisible());
    QCOMPARE(int(gRisposta), 2);
}

void tst_frmOmbrazio::fotografia()
{
    Fotografa(finestra.get(), QStringLiteral("main-window"));
}

QTEST_MAIN(tst_frmOmbrazio)
#include "tst_frmombrazio.moc"
