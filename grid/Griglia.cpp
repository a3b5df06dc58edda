// The main window's board: parameter steppers, generation, cell selection.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/ArrayControlli.h"
#include "common/ColoriSistema.h"
#include "common/Etichetta.h"
#include "common/mFunzioni.h"
#include "dialogs/frmMessage.h"
#include "grid/CellaNumero.h"

namespace {

constexpr quint32 SfondoSelezionato = 13681828; // red 164, green 196, blue 208
constexpr quint32 TestoSelezionato = ColoriSistema::Rgb(255, 255, 255);
constexpr int MassimoRighe = 9;

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
    void ImpostaTabIndex(int indice, int tabIndex) override { m_celle(indice)->setProperty("TabIndex", tabIndex); }

private:
    ArrayWidget<CellaNumero> &m_celle;
    std::function<void(CellaNumero *)> m_collega;
};

} // namespace

void frmOmbrazio::lblNumeriMenoMeno_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, -10, true);
}

void frmOmbrazio::lblNumeriMeno_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, -1, true);
}

void frmOmbrazio::lblNumeriPiu_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, 1, true);
}

void frmOmbrazio::lblNumeriPiuPiu_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, 10, true);
}

void frmOmbrazio::lblSaltoMeno_Click()
{
    mFunzioni::VariaParametro(*lblSalto, gNumeriPerRiga, 3, 10, -1, true);
}

void frmOmbrazio::lblSaltoPiu_Click()
{
    mFunzioni::VariaParametro(*lblSalto, gNumeriPerRiga, 3, 10, 1, true);
}

void frmOmbrazio::cmdCostruisci_Click()
{
    const qint16 quantita = gQuantitaNumeri;
    const qint16 perRiga = gNumeriPerRiga;
    if (quantita > MassimoRighe * perRiga) {
        RichiestaMessaggio(QStringLiteral("La Griglia non può superare 9 righe ..!|Adeguare il parametro Numeri per Riga."),
                           QStringLiteral("OK"));
        return;
    }
    gCaselle.Ridimensiona(quantita);
    gSelezionati = 0;
    lblNumero(1)->ImpostaColori(ColoriSistema::FacciaPulsante, ColoriSistema::TestoPulsante);
    lblSelezionati->setText(QString::number(gSelezionati));
    lblSelezionati->repaint();
    Rimuovi(quantita);
    ArrayCelle celle(lblNumero, [this](CellaNumero *cella) {
        connect(cella, &CellaNumero::cliccata, this, &frmOmbrazio::lblNumero_Click);
    });
    mFunzioni::DisponiControlli(1, quantita, perRiga, 24, 24, false, true, true, celle);
    gGrigliaGenerata = true;
}

void frmOmbrazio::Rimuovi(int quantita)
{
    // Cells up to the new quantity are turned back into fresh copies of cell 1 rather than
    // destroyed and made again: the board comes out the same, without rebuilding widgets.
    const int ultimo = lblNumero.UBound();
    for (int i = 2; i <= ultimo; ++i) {
        if (i <= quantita)
            lblNumero(i)->CopiaAspetto(*lblNumero(1));
        else
            lblNumero.Scarica(i);
    }
}

void frmOmbrazio::ColoraCella(int index, bool selezionata)
{
    if (selezionata)
        lblNumero(index)->ImpostaColori(SfondoSelezionato, TestoSelezionato);
    else
        lblNumero(index)->ImpostaColori(ColoriSistema::FacciaPulsante, ColoriSistema::TestoPulsante);
}

void frmOmbrazio::lblNumero_Click(int index)
{
    if (!gGrigliaGenerata) {
        RichiestaMessaggio(QStringLiteral("Generare la Griglia ..!"), QStringLiteral("OK"));
        return;
    }
    if (!gCaselle.Contiene(index) || !lblNumero.Esiste(index))
        return;
    const bool selezionata = !gCaselle(index);
    gCaselle.Imposta(index, selezionata);
    ColoraCella(index, selezionata);
    gSelezionati = qint16(gSelezionati + (selezionata ? 1 : -1));
    lblSelezionati->setText(QString::number(gSelezionati));
    lblSelezionati->repaint();
}

void frmOmbrazio::SelezionaNumeri(const std::vector<int> &numeri)
{
    if (!gGrigliaGenerata) {
        RichiestaMessaggio(QStringLiteral("Generare la Griglia ..!"), QStringLiteral("OK"));
        return;
    }
    QStringList fuori;
    for (int numero : numeri) {
        if (!gCaselle.Contiene(numero) || !lblNumero.Esiste(numero)) {
            fuori << QString::number(numero);
        } else if (!gCaselle(numero)) {
            gCaselle.Imposta(numero, true);
            ColoraCella(numero, true);
            ++gSelezionati;
        }
    }
    lblSelezionati->setText(QString::number(gSelezionati));
    lblSelezionati->repaint();
    if (fuori.isEmpty())
        return;
    // Up to 81 of them, on as many lines as they take.
    const QString testo = fuori.size() == 1
        ? QStringLiteral("Il numero %1 non è nella griglia ..!").arg(fuori.first())
        : QStringLiteral("I numeri %1 non sono nella griglia ..!").arg(fuori.join(QStringLiteral(", ")));
    RichiestaMessaggio(RigheMessaggio(testo), QStringLiteral("OK"));
}

void frmOmbrazio::cmdCancella_Click()
{
    if (gSelezionati <= 0) {
        RichiestaMessaggio(QStringLiteral("Nessuna casella selezionata ..!"), QStringLiteral("OK"));
        return;
    }
    // The board as generated, whatever the steppers say now: the count 0 then matches what is on screen.
    const int ultima = gCaselle.UBound();
    for (int k = 1; k <= ultima; ++k) {
        gCaselle.Imposta(k, false);
        ColoraCella(k, false);
    }
    gSelezionati = 0;
    lblSelezionati->setText(QStringLiteral("0"));
    lblSelezionati->repaint();
}
