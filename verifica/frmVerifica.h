#pragma once
// What the matrix in the list is worth: its lines against a draw, and its guarantee.

#include "verifica/Verifica.h"

#include <QDialog>

#include "common/Lavoro.h"

#include <memory>
#include <optional>

class Etichetta;
class PulsanteComando;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;

class frmVerifica : public QDialog
{
    Q_OBJECT

public:
    // `lista` is the list text as it stands when the window opens.
    explicit frmVerifica(const QString &lista, QWidget *parent = nullptr);
    ~frmVerifica() override;

    QFrame *fraVerifica = nullptr;
    Etichetta *lblEstrazione = nullptr;
    QLineEdit *txtEstrazione = nullptr;
    PulsanteComando *cmdVerifica = nullptr;
    PulsanteComando *cmdGaranzia = nullptr;
    PulsanteComando *cmdAnnulla = nullptr;
    QProgressBar *prgGaranzia = nullptr;
    QPlainTextEdit *txtRisultato = nullptr;

    // Whether the guarantee is being worked out.
    bool InCorso() const { return m_lavoro.InCorso(); }

protected:
    void done(int esito) override;

private:
    void cmdVerifica_Click();
    void cmdGaranzia_Click();
    void cmdAnnulla_Click();
    void GaranziaFinita(Lavoro::Fine fine);
    void Abilita(bool inCorso);
    // The lines, read once, when first asked for.
    const Verifica::Lista &Righe();
    void Mostra(const QString &testo);

    QString m_testoLista;
    std::optional<Verifica::Lista> m_lista;
    Lavoro m_lavoro;
    // Written by the work, read once it has ended.
    std::shared_ptr<Verifica::Garanzia> m_garanzia;
    bool m_riuscita = false;
};

// Opens the window over `finestra` on the list text `lista`; returns when it has closed.
void RichiestaVerifica(const QString &lista, QWidget *finestra);

// Refuses, with a message, an empty list or one without a line to check; true when it did.
// Whatever checks the list's lines refuses them in the same words.
bool RifiutaLista(const Verifica::Lista &lista);
