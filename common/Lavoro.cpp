#include "common/Lavoro.h"

#include <QThread>

#include <new>

Lavoro::Lavoro(QObject *parent, int intervallo)
    : QObject(parent)
{
    m_battito.setInterval(intervallo);
    connect(&m_battito, &QTimer::timeout, this,
            [this] { emit avanzato(m_stato->millesimi.load(std::memory_order_relaxed)); });
}

Lavoro::~Lavoro()
{
    Ferma();
}

void Lavoro::Avvia(std::function<void(Avanzamento &)> compito, std::shared_ptr<Avanzamento> stato)
{
    Q_ASSERT(!InCorso());
    m_stato = std::move(stato);
    m_memoriaEsaurita = false;
    const quint64 corsa = ++m_corsa;
    m_thread.reset(QThread::create([this, compito = std::move(compito), stato = m_stato] {
        try {
            compito(*stato);
        } catch (const std::bad_alloc &) {
            m_memoriaEsaurita = true;
        }
    }));
    // Queued to this object's thread: `finito` always comes from the event loop, never from
    // within Avvia, even for work that ends at once.
    connect(m_thread.get(), &QThread::finished, this, [this, corsa] { Concluso(corsa); }, Qt::QueuedConnection);
    m_thread->start();
    m_battito.start();
}

void Lavoro::Concluso(quint64 corsa)
{
    if (corsa != m_corsa || !m_thread)
        return;
    m_thread->wait();
    m_thread.reset();
    m_battito.stop();
    const Fine fine = m_memoriaEsaurita                ? Fine::MemoriaEsaurita
                      : m_stato->annulla.load()        ? Fine::Annullata
                                                       : Fine::Finita;
    emit avanzato(m_stato->millesimi.load());
    emit finito(fine);
}

void Lavoro::Annulla()
{
    if (m_stato)
        m_stato->annulla.store(true);
}

void Lavoro::Ferma()
{
    if (!m_thread)
        return;
    m_stato->annulla.store(true);
    m_thread->wait();
    m_thread.reset();
    m_battito.stop();
    // A word already on its way belongs to this run: the number tells it apart.
    ++m_corsa;
}
