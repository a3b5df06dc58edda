#pragma once
// One piece of work off the window's thread, the one way the windows run anything long: a
// thread of its own, the request to stop and the progress it shares with the work, and the
// word when it has ended, delivered on the thread that started it.
//
// Not QtConcurrent: it is not in the Windows build of Qt, and its threads are the global
// pool's, which Qt also uses to paint large fills; work of seconds there would hold up the
// painting of the window that waits for it.

#include "common/Avanzamento.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QThread;

class Lavoro : public QObject
{
    Q_OBJECT

public:
    enum class Fine {
        Finita,          // ran to its end
        Annullata,       // stopped by Annulla(); the work decides what it kept
        MemoriaEsaurita, // std::bad_alloc thrown by the work
    };
    Q_ENUM(Fine)

    // `intervallo`: how often, in milliseconds, `avanzato` reports while the work runs.
    explicit Lavoro(QObject *parent = nullptr, int intervallo = 50);
    // Stops the work, if any, and waits for it.
    ~Lavoro() override;

    // Runs `compito` on a thread of its own with `stato`, which it reads for the request to
    // stop and writes its progress to; a derived token carries more. Nothing may run already.
    void Avvia(std::function<void(Avanzamento &)> compito,
               std::shared_ptr<Avanzamento> stato = std::make_shared<Avanzamento>());

    bool InCorso() const { return m_thread != nullptr; }
    // Asks the work to stop; `finito` follows once it has.
    void Annulla();
    // Asks the work to stop and waits for it; no `finito` follows. Nothing the work wrote
    // is to be used.
    void Ferma();

signals:
    void avanzato(int millesimi);
    void finito(Lavoro::Fine fine);

private:
    void Concluso(quint64 corsa);

    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<Avanzamento> m_stato;
    // Written by the work's thread, read after it has ended.
    bool m_memoriaEsaurita = false;
    // Each run has its number: a word from a run stopped by Ferma() is not taken for the next.
    quint64 m_corsa = 0;
    QTimer m_battito;
};
