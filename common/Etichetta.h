#pragma once
// A label with the look the windows are laid out with: border, transparency, colour
// words, a click, and a place measured in twips.

#include <QLabel>
#include <QRect>

class Etichetta : public QLabel
{
    Q_OBJECT

public:
    explicit Etichetta(QWidget *parent = nullptr);

    // A transparent caption at `twips` in `contenitore`, as the dialogs lay theirs out.
    static Etichetta *Didascalia(QWidget *contenitore, const QRect &twips, const QString &caption, const QFont &font,
                                 Qt::Alignment allineamento);

    void ImpostaGeometria(const QRect &twips);
    QRect Geometria() const { return m_twips; }

    void ImpostaColori(quint32 sfondo, quint32 testo);
    quint32 BackColor() const { return m_sfondo; }
    quint32 ForeColor() const { return m_testo; }

    void ImpostaBordo(bool bordo);
    bool Bordo() const { return frameShape() != QFrame::NoFrame; }

    // A transparent label paints no background: its container shows through.
    void ImpostaTrasparente(bool trasparente);
    bool Trasparente() const { return !autoFillBackground(); }

    // Everything that makes this label look the way it does, taken from `modello`.
    void CopiaAspetto(const Etichetta &modello);

    // What a screen reader is told. A label that reacts to a click is presented as a
    // button it can press; one that can be selected reports whether it is.
    virtual bool Selezionabile() const { return false; }
    virtual bool Selezionata() const { return false; }
    bool Cliccabile() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect m_twips;
    quint32 m_sfondo = 0;
    quint32 m_testo = 0;
    bool m_premuto = false;
};
