#include "grid/Griglia.h"

#include "common/ArrayControlli.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/mFunzioni.h"
#include "grid/Caselle.h"

#include <functional>

namespace {

// The board's cells as the layout routine sees them.
class ArrayCelle : public ArrayControlli
{
public:
    ArrayCelle(ArrayWidget<CellaNumero> &celle, std::function<void(CellaNumero *)> collega)
        : m_celle(celle)
        , m_collega(std::move(collega))
    {
    }

    int UBound() const override { return m_celle.UBound(); }

    void Carica(int indice) override
    {
        CellaNumero *modello = m_celle(m_celle.LBound());
        auto *cella = new CellaNumero(indice, modello->parentWidget());
        cella->hide();
        cella->CopiaAspetto(*modello);
        cella->setProperty("TabIndex", modello->property("TabIndex"));
        m_celle.Aggiungi(indice, cella);
        m_collega(cella);
    }

    QRect Geometria(int indice) const override { return m_celle(indice)->Geometria(); }

    void Sposta(int indice, int left, int top) override
    {
        CellaNumero *cella = m_celle(indice);
        cella->ImpostaGeometria(QRect(QPoint(left, top), cella->Geometria().size()));
    }

    void PortaDavanti(int indice) override { m_celle(indice)->raise(); }
    void Mostra(int indice) override { m_celle(indice)->show(); }
    void ImpostaCaption(int indice, const QString &caption) override { m_celle(indice)->setText(caption); }

private:
    ArrayWidget<CellaNumero> &m_celle;
    std::function<void(CellaNumero *)> m_collega;
};

} // namespace

Griglia::Griglia(Caselle &caselle, QObject *parent)
    : QObject(parent)
    , m_caselle(caselle)
{
}

void Griglia::Prepara(QWidget *cornice, Etichetta *contatore)
{
    m_contatore = contatore;
    // Cell 1 of the layout, the one the board starts with and every other cell copies.
    auto *cella = new CellaNumero(1, cornice);
    cella->ImpostaGeometria(QRect(150, 240, 700, 700));
    cella->setProperty("TabIndex", 14);
    cella->setText(QStringLiteral("10"));
    cella->setFont(Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 20.25));
    cella->setAlignment(Qt::AlignCenter);
    cella->ImpostaBordo(true);
    m_celle.Aggiungi(1, cella);
    Collega(cella);
    m_caselle.Osserva([this](int k) { Dipingi(k); });
}

Griglia::~Griglia()
{
    m_caselle.Osserva(nullptr);
}

void Griglia::Collega(CellaNumero *cella)
{
    connect(cella, &CellaNumero::cliccata, this, &Griglia::cliccata);
}

void Griglia::Dipingi(int cella)
{
    if (cella == 0) {
        for (int k = m_celle.LBound(); k <= m_celle.UBound(); ++k) {
            if (m_celle.Esiste(k))
                m_celle(k)->ImpostaSelezionata(false);
        }
    } else if (m_celle.Esiste(cella)) {
        m_celle(cella)->ImpostaSelezionata(m_caselle(cella));
    }
    if (m_contatore) {
        m_contatore->setText(QString::number(m_caselle.Selezionati()));
        m_contatore->repaint();
    }
}

void Griglia::Genera(int quantita, int perRiga)
{
    m_caselle.Ridimensiona(qint16(quantita));
    // Cells up to the new quantity are turned back into fresh copies of cell 1 rather than
    // destroyed and made again: the board comes out the same, without rebuilding widgets.
    const int ultimo = m_celle.UBound();
    for (int i = 2; i <= ultimo; ++i) {
        if (i <= quantita)
            m_celle(i)->CopiaAspetto(*m_celle(1));
        else
            m_celle.Scarica(i);
    }
    ArrayCelle celle(m_celle, [this](CellaNumero *cella) { Collega(cella); });
    mFunzioni::DisponiControlli(1, quantita, perRiga, 24, 24, true, true, celle);
}

void Griglia::Commuta(int numero)
{
    if (m_celle.Esiste(numero))
        m_caselle.Imposta(numero, !m_caselle(numero));
}

void Griglia::Deseleziona()
{
    m_caselle.Deseleziona();
}

std::vector<int> Griglia::Seleziona(const std::vector<int> &numeri)
{
    std::vector<int> fuori;
    for (int numero : numeri) {
        if (!m_caselle.Contiene(numero) || !m_celle.Esiste(numero))
            fuori.push_back(numero);
        else
            m_caselle.Imposta(numero, true);
    }
    return fuori;
}
