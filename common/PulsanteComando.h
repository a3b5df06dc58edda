#pragma once
// A command button whose caption wraps onto several lines when it does not fit,
// so the captions fit the fixed button sizes of the layout.

#include <QPushButton>
#include <QRect>

class PulsanteComando : public QPushButton
{
    Q_OBJECT

public:
    explicit PulsanteComando(QWidget *parent = nullptr);
    // A button of the program's own dialogs, at its place in twips, in their buttons' face;
    // Enter presses it when it has the focus.
    PulsanteComando(QWidget *parent, const QRect &twips, const QString &caption);

    void ImpostaGeometria(const QRect &twips);
    QRect Geometria() const { return m_twips; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect m_twips;
};
