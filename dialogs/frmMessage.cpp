#include "dialogs/frmMessage.h"

#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/ColoriSistema.h"
#include "common/Etichetta.h"
#include "common/FinestraFissa.h"
#include "common/Immagini.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

#include <utility>

namespace {

constexpr int LarghezzaCliente = 4815;
constexpr int LarghezzaTesto = 4275;

QFont CarattereTesto()
{
    return Caratteri::Carattere(Caratteri::TrebuchetMS, 9.75);
}

} // namespace

frmMessage::frmMessage(QWidget *parent)
    : QDialog(parent, FinestraFissa::Bandiere)
{
    FinestraFissa::Prepara(*this, QStringLiteral("frmMessage"), LarghezzaCliente, 2280);

    fraMessage = FinestraFissa::Cornice(this, QRect(30, 0, 4725, 2250));

    Image1 = new QLabel(fraMessage);
    Image1->setGeometry(Twips::PxRect(1170, 210, 2400, 600));
    Image1->setScaledContents(true);
    Image1->setPixmap(Immagini::PerSchermo(QStringLiteral(":/banner.png"), Image1->size(), Image1->devicePixelRatioF()));
    Image1->setAccessibleName(QStringLiteral("Ombrazio"));

    lblMessage = new Etichetta(fraMessage);
    lblMessage->ImpostaGeometria(QRect(210, 1050, LarghezzaTesto, 275));
    lblMessage->setFont(CarattereTesto());
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblMessage->setText(QStringLiteral("Messaggio informativo"));

    auto *primo = new PulsanteComando(fraMessage);
    primo->ImpostaGeometria(QRect(210, 1650, 1400, 465));
    primo->setFont(Caratteri::Carattere(Caratteri::TrebuchetMS, 9));
    // Enter answers the focused button, as Space does.
    primo->setAutoDefault(true);
    cmdPulsante.Aggiungi(1, primo);
    connect(primo, &QPushButton::clicked, this, [this] { cmdPulsante_Click(1); });

    Form_Load();
}

PulsanteComando *frmMessage::CaricaPulsante(int indice)
{
    const PulsanteComando *modello = cmdPulsante(1);
    auto *pulsante = new PulsanteComando(fraMessage);
    pulsante->hide();
    pulsante->setFont(modello->font());
    pulsante->setAutoDefault(true);
    pulsante->ImpostaGeometria(modello->Geometria());
    cmdPulsante.Aggiungi(indice, pulsante);
    connect(pulsante, &QPushButton::clicked, this, [this, indice] { cmdPulsante_Click(indice); });
    return pulsante;
}

void frmMessage::Form_Load()
{
    setWindowTitle(QStringLiteral("Ombrazio®") + QStringLiteral(" - Messaggio di Servizio"));
    gRisposta = 0;

    const qint32 righe = gMessaggio.isEmpty() ? 0 : qint32(gMessaggio.count(u'|')) + 1;
    const qint32 h = righe * 275;
    setFixedSize(Twips::PxSize(LarghezzaCliente, h + 2450 - BordiFinestra));
    fraMessage->setGeometry(Twips::PxRect(30, 0, 4725, h + 2000));
    PulsanteComando *primo = cmdPulsante(1);
    primo->ImpostaGeometria(QRect(primo->Geometria().x(), h + 1400, primo->Geometria().width(),
                                  primo->Geometria().height()));
    lblMessage->ImpostaGeometria(QRect(210, 1050, LarghezzaTesto, h));
    lblMessage->setText(QString(gMessaggio).replace(u'|', QStringLiteral("\n")));
    lblMessage->repaint();

    const QStringList didascalie = gPulsanti.split(u',');
    const int quanti = int(didascalie.size());
    if (quanti == 1) {
        primo->ImpostaGeometria(QRect(1700, h + 1400, 1400, primo->Geometria().height()));
        primo->setText(didascalie.first());
        primo->repaint();
    } else if (quanti == 2 || quanti == 3) {
        const int primaLeft = quanti == 2 ? 1000 : 185;
        const int spazio = quanti == 2 ? 60 : 70;
        const int top = h + 1400;
        int x = primaLeft;
        for (int i = 1; i <= quanti; ++i) {
            PulsanteComando *pulsante = cmdPulsante.Esiste(i) ? cmdPulsante(i) : CaricaPulsante(i);
            pulsante->ImpostaGeometria(QRect(QPoint(x, top), pulsante->Geometria().size()));
            pulsante->show();
            pulsante->setText(didascalie[i - 1]);
            pulsante->setProperty("TabIndex", i - 1);
            x = pulsante->Geometria().width() + pulsante->Geometria().x() + spazio;
        }
        for (int i = 1; i < quanti; ++i)
            setTabOrder(cmdPulsante(i), cmdPulsante(i + 1));
    }
    primo->setFocus();
}

void frmMessage::cmdPulsante_Click(int index)
{
    gRisposta = qint16(index);
    m_scarica = true;
    done(index);
}

void frmMessage::closeEvent(QCloseEvent *event)
{
    // The user cannot close it from the title bar: every question gets a button's answer.
    // A close that the program or the session asks for goes through.
    if (!m_scarica && event->spontaneous() && !qApp->isSavingSession()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmMessage::keyPressEvent(QKeyEvent *event)
{
    // No button is the cancel button, so Escape does nothing. Nor does F10, which
    // Windows would otherwise take as its menu key, swallowing the next key.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F10) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

qint16 RichiestaMessaggio(const QString &testo, const QString &pulsanti)
{
    gMessaggio = testo;
    gPulsanti = pulsanti;
    frmMessage finestra;
    finestra.exec();
    return gRisposta;
}

namespace {

QString SenzaInterruzioni(const QString &testo)
{
    QString riga = testo;
    for (QChar &c : riga) {
        if (c == u'|')
            c = QChar(0x00A6); // the broken bar looks like what was there
        else if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u'?';
    }
    return riga;
}

} // namespace

QString RigaMessaggio(const QString &testo)
{
    return QFontMetrics(CarattereTesto()).elidedText(SenzaInterruzioni(testo), Qt::ElideMiddle,
                                                     Twips::Px(LarghezzaTesto));
}

QString RigheMessaggio(const QString &testo)
{
    const QFontMetrics misure(CarattereTesto());
    const int larghezza = Twips::Px(LarghezzaTesto);
    QStringList righe;
    QString riga;
    QStringList parole = SenzaInterruzioni(testo).split(u' ', Qt::SkipEmptyParts);
    // The closing mark stays with the word before it.
    if (parole.size() > 1 && parole.last() == QStringLiteral("..!")) {
        parole.removeLast();
        parole.last() += QStringLiteral(" ..!");
    }
    for (const QString &parola : std::as_const(parole)) {
        const QString unita = riga.isEmpty() ? parola : riga + u' ' + parola;
        if (riga.isEmpty() || misure.horizontalAdvance(unita) <= larghezza) {
            riga = unita;
            continue;
        }
        righe << riga;
        riga = parola;
    }
    righe << riga;
    for (QString &r : righe)
        r = misure.elidedText(r, Qt::ElideMiddle, larghezza);
    return righe.join(u'|');
}
