#pragma once
// A control array: elements addressed by index, created and destroyed at run time.

#include <QMap>
#include <QPointer>

template<typename T>
class ArrayWidget
{
public:
    T *operator()(int indice) const { return m_elementi.value(indice); }
    bool Esiste(int indice) const { return m_elementi.contains(indice); }
    int LBound() const { return m_elementi.isEmpty() ? 0 : m_elementi.firstKey(); }
    int UBound() const { return m_elementi.isEmpty() ? 0 : m_elementi.lastKey(); }
    int Conta() const { return int(m_elementi.size()); }

    void Aggiungi(int indice, T *elemento) { m_elementi.insert(indice, elemento); }

    // The element leaves the array at once; the widget goes when control returns to the event loop.
    void Scarica(int indice)
    {
        if (T *elemento = m_elementi.take(indice)) {
            elemento->hide();
            elemento->deleteLater();
        }
    }

private:
    QMap<int, T *> m_elementi;
};
