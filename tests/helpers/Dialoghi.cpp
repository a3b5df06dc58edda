#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QContextMenuEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <algorithm>

RispondiDialoghi::RispondiDialoghi(QStringList risposte, QObject *parent)
    : QObject(parent)
    , m_risposte(std::move(risposte))
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &RispondiDialoghi::Controlla);
    m_timer.start();
}

RispondiDialoghi::~RispondiDialoghi() = default;

namespace {

QList<QPushButton *> PulsantiVisibili(QDialog *dialogo)
{
    QList<QPushButton *> pulsanti;
    for (QPushButton *p : dialogo->findChildren<QPushButton *>()) {
        if (p->isVisible())
            pulsanti.append(p);
    }
    std::sort(pulsanti.begin(), pulsanti.end(),
              [](QPushButton *a, QPushButton *b) { return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x(); });
    return pulsanti;
}

} // namespace

DialogoVisto Descrivi(QDialog *dialogo)
{
    DialogoVisto visto;
    visto.classe = dialogo->objectName();
    visto.titolo = dialogo->windowTitle();
    for (QLabel *l : dialogo->findChildren<QLabel *>()) {
        if (l->pixmap().isNull() && !l->text().isEmpty())
            visto.testo = l->text();
    }
    for (QPushButton *p : PulsantiVisibili(dialogo))
        visto.pulsanti.append(p->text());
    return visto;
}

void RispondiDialoghi::Controlla()
{
    auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!dialogo || dialogo == m_ultimo || !dialogo->isVisible())
        return;
    // A progress window is left to its work, unless it is to be stopped.
    if (qobject_cast<QProgressDialog *>(dialogo)
        && (m_risposte.isEmpty() || m_risposte.first() != QStringLiteral("ANNULLA")))
        return;
    m_ultimo = dialogo;
    QPointer<QDialog> guardia(dialogo);
    // A desktop gives the focus back to a dialog when the one over it closes; the offscreen
    // platform does not.
    if (!dialogo->isActiveWindow())
        dialogo->activateWindow();
    // As a user would: only once the dialog has come up and taken the focus.
    if (!QTest::qWaitForWindowActive(dialogo) || !guardia)
        return;
    if (Ispeziona)
        Ispeziona(dialogo);
    if (!guardia)
        return;
    visti.append(Descrivi(dialogo));
    const QString risposta = m_risposte.isEmpty() ? QString() : m_risposte.takeFirst();
    const QList<QPushButton *> pulsanti = PulsantiVisibili(dialogo);
    QPushButton *scelto = pulsanti.isEmpty() ? nullptr : pulsanti.first();
    for (QPushButton *p : pulsanti) {
        if (p->text() == risposta)
            scelto = p;
    }
    // Clicked once this timer's turn is over: a dialog that the click opens over this one
    // is then answered by the next turn.
    if (scelto) {
        QMetaObject::invokeMethod(
            scelto, [pulsante = QPointer<QPushButton>(scelto)] {
                if (pulsante)
                    QTest::mouseClick(pulsante, Qt::LeftButton);
            },
            Qt::QueuedConnection);
    }
}

#include <QCloseEvent>
#include <QDir>
#include <QtTest/qtestspontaneevent.h>

bool ChiudiComeUtente(QWidget *finestra)
{
    QCloseEvent evento;
    QSpontaneKeyEvent::setSpontaneous(&evento);
    // notify() directly: sendEvent() would mark the event as coming from the program.
    QApplication::instance()->notify(finestra, &evento);
    return evento.isAccepted();
}

QStringList VociMenuContestuale(QWidget *widget, QPoint dove)
{
    QStringList voci;
    QTimer attesa;
    attesa.setInterval(5);
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        attesa.stop();
        for (const QAction *a : menu->actions()) {
            if (a->isSeparator()) {
                voci << QStringLiteral("-");
                continue;
            }
            // Qt's own entries carry their key in the text, the program's in the action.
            QString voce = a->text().section(u'\t', 0, 0).remove(u'&');
            const QString tasto = a->shortcut().isEmpty() ? a->text().section(u'\t', 1, 1)
                                                          : a->shortcut().toString(QKeySequence::PortableText);
            if (!tasto.isEmpty())
                voce += u'\t' + tasto;
            voci << voce;
        }
        menu->close();
    });
    attesa.start();
    QContextMenuEvent clic(QContextMenuEvent::Mouse, dove, widget->mapToGlobal(dove));
    QApplication::sendEvent(widget, &clic);
    return voci;
}

void Fotografa(QWidget *widget, const QString &nome)
{
    const QString cartella = QStringLiteral(OMBRAZIO_BUILD_DIR "/screenshots");
    QDir().mkpath(cartella);
    widget->grab().save(cartella + u'/' + nome + QStringLiteral(".png"));
}

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/PulsanteComando.h"
#include "grid/CellaNumero.h"

std::unique_ptr<frmOmbrazio> ApriFinestra()
{
    return ApriFinestra(Ambiente::DiSistema());
}

std::unique_ptr<frmOmbrazio> ApriFinestra(const Ambiente &ambiente)
{
    mDichiarazioni::Azzera();
    auto finestra = std::make_unique<frmOmbrazio>(ambiente);
    finestra->show();
    if (!QTest::qWaitForWindowExposed(finestra.get()))
        return nullptr;
    finestra->activateWindow();
    if (!QTest::qWaitForWindowActive(finestra.get()))
        return nullptr;
    return finestra;
}

void Seleziona(frmOmbrazio &finestra, int quantita, int perRiga, const QList<int> &celle)
{
    mDichiarazioni::gQuantitaNumeri = qint16(quantita);
    mDichiarazioni::gNumeriPerRiga = qint16(perRiga);
    QTest::mouseClick(finestra.cmdCostruisci, Qt::LeftButton);
    for (int k : celle)
        QTest::mouseClick(finestra.lblNumero(k), Qt::LeftButton);
}
