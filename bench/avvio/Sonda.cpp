// Linked into both start-up programs. When the first top-level window has finished
// its first frame, writes "<CLOCK_MONOTONIC ns> <peak RSS kB>" to stdout and ends
// the process at once, so that nothing after the first paint is measured.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

void Riferisci()
{
    timespec adesso{};
    clock_gettime(CLOCK_MONOTONIC, &adesso);
    // VmHWM belongs to this program's own address space; ru_maxrss would carry the
    // parent's peak over the exec.
    long picco = -1;
    if (FILE *stato = std::fopen("/proc/self/status", "r")) {
        char riga[256];
        while (std::fgets(riga, sizeof riga, stato)) {
            if (std::sscanf(riga, "VmHWM: %ld kB", &picco) == 1)
                break;
        }
        std::fclose(stato);
    }
    std::printf("%lld %ld\n", static_cast<long long>(adesso.tv_sec) * 1000000000LL + adesso.tv_nsec, picco);
    std::fflush(stdout);
    _exit(0);
}

class Sonda : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (!m_visto && evento->type() == QEvent::Paint && oggetto->isWidgetType()
            && static_cast<QWidget *>(oggetto)->isWindow()) {
            m_visto = true;
            // The window paints first, then its children, then the frame is flushed:
            // a queued call runs once all of that has returned to the event loop.
            QMetaObject::invokeMethod(qApp, &Riferisci, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_visto = false;
};

void InstallaSonda()
{
    qApp->installEventFilter(new Sonda(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallaSonda)
