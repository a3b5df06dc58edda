#pragma once
// What the layout routine needs from a control array, so that its arithmetic
// runs the same on real widgets and on a plain model in tests.

#include <QRect>
#include <QString>

class ArrayControlli
{
public:
    virtual ~ArrayControlli() = default;

    virtual int UBound() const = 0;
    // Creates element `indice` as a hidden copy of the lowest element.
    virtual void Carica(int indice) = 0;
    // Left, Top, Width and Height in twips of the element's container.
    virtual QRect Geometria(int indice) const = 0;
    virtual void Sposta(int indice, int left, int top) = 0;
    virtual void PortaDavanti(int indice) = 0;
    virtual void Mostra(int indice) = 0;
    virtual void ImpostaCaption(int indice, const QString &caption) = 0;
};
