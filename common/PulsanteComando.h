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

    void ImpostaGeometria(const QRect &twips);
    QRect Geometria() const { return m_twips; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect m_twips;
};
