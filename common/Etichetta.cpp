#include "common/Etichetta.h"

#include "common/ColoriSistema.h"
#include "common/Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaMethod>
#include <QMouseEvent>

namespace {

// Assistive technology cannot click a plain label; the clickable ones (cells, stepper
// arrows, "CANCELLA LA LISTA") are offered to it as buttons with a press action. Whether a
// label is clickable is asked each time: the interface is made when the label is, before
// its click is connected.
class EtichettaAccessibile : public QAccessibleWidget
{
public:
    explicit EtichettaAccessibile(Etichetta *etichetta)
        : QAccessibleWidget(etichetta, QAccessible::StaticText)
    {
    }

    QAccessible::Role role() const override
    {
        return Label()->Cliccabile() ? QAccessible::Button : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        QString testo = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && testo.isEmpty())
            testo = Label()->text();
        return testo;
    }

    QAccessible::State state() const override
    {
        QAccessible::State stato = QAccessibleWidget::state();
        if (Label()->Selezionabile()) {
            stato.checkable = true;
            stato.checked = Label()->Selezionata();
        }
        return stato;
    }

    QStringList actionNames() const override
    {
        return Label()->Cliccabile() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString &azione) override
    {
        if (azione == pressAction() && Label()->isEnabled() && Label()->Cliccabile())
            emit Label()->clicked();
    }

private:
    Etichetta *Label() const { return static_cast<Etichetta *>(widget()); }
};

QAccessibleInterface *InterfacciaAccessibile(const QString &, QObject *oggetto)
{
    if (auto *etichetta = qobject_cast<Etichetta *>(oggetto))
        return new EtichettaAccessibile(etichetta);
    return nullptr;
}

} // namespace

Etichetta::Etichetta(QWidget *parent)
    : QLabel(parent)
{
    static const bool registrata = [] {
        QAccessible::installFactory(InterfacciaAccessibile);
        return true;
    }();
    Q_UNUSED(registrata);
    // Captions are text as typed, never markup.
    setTextFormat(Qt::PlainText);
    ImpostaColori(ColoriSistema::FacciaPulsante, ColoriSistema::TestoPulsante);
    ImpostaTrasparente(false);
}

Etichetta *Etichetta::Didascalia(QWidget *contenitore, const QRect &twips, const QString &caption, const QFont &font,
                                 Qt::Alignment allineamento)
{
    auto *etichetta = new Etichetta(contenitore);
    etichetta->ImpostaGeometria(twips);
    etichetta->setFont(font);
    etichetta->setAlignment(allineamento);
    etichetta->ImpostaTrasparente(true);
    etichetta->setText(caption);
    return etichetta;
}

void Etichetta::ImpostaGeometria(const QRect &twips)
{
    m_twips = twips;
    setGeometry(Twips::PxRect(twips));
}

void Etichetta::ImpostaColori(quint32 sfondo, quint32 testo)
{
    m_sfondo = sfondo;
    m_testo = testo;
    ColoriSistema::Applica(this, sfondo, testo);
    // A selection shows as a change of colours; a screen reader hears it as a change of state.
    if (Selezionabile() && QAccessible::isActive()) {
        QAccessible::State cambiato;
        cambiato.checked = true;
        QAccessibleStateChangeEvent evento(this, cambiato);
        QAccessible::updateAccessibility(&evento);
    }
}

bool Etichetta::Cliccabile() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Etichetta::clicked));
}

void Etichetta::ImpostaBordo(bool bordo)
{
    if (bordo) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void Etichetta::ImpostaTrasparente(bool trasparente)
{
    setAutoFillBackground(!trasparente);
}

void Etichetta::CopiaAspetto(const Etichetta &modello)
{
    // Only what differs is set: a board creates dozens of labels at once, and each setting
    // costs events and a relayout even when the value is already there.
    if (font() != modello.font())
        setFont(modello.font());
    if (alignment() != modello.alignment())
        setAlignment(modello.alignment());
    if (frameStyle() != modello.frameStyle() || lineWidth() != modello.lineWidth()) {
        setFrameStyle(modello.frameStyle());
        setLineWidth(modello.lineWidth());
    }
    if (Trasparente() != modello.Trasparente())
        ImpostaTrasparente(modello.Trasparente());
    if (BackColor() != modello.BackColor() || ForeColor() != modello.ForeColor())
        ImpostaColori(modello.BackColor(), modello.ForeColor());
    ImpostaGeometria(modello.Geometria());
    setText(modello.text());
    if (toolTip() != modello.toolTip())
        setToolTip(modello.toolTip());
}

void Etichetta::mousePressEvent(QMouseEvent *event)
{
    m_premuto = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void Etichetta::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the same label, as with a button.
    const bool click = m_premuto && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_premuto = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
