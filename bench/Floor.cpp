#include "Floor.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

long long OraMonotonaNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

EsitoProcesso EseguiProcesso(const std::string &programma, const std::vector<std::string> &argomenti,
                             const std::vector<std::string> &ambiente, const QByteArray &ingresso)
{
    std::vector<std::string> variabili;
    for (char **e = environ; *e; ++e) {
        const std::string voce(*e);
        const std::string nome = voce.substr(0, voce.find('=') + 1);
        bool sostituita = false;
        for (const std::string &a : ambiente)
            sostituita = sostituita || a.compare(0, nome.size(), nome) == 0;
        if (!sostituita)
            variabili.push_back(voce);
    }
    variabili.insert(variabili.end(), ambiente.begin(), ambiente.end());

    std::vector<char *> argv{const_cast<char *>(programma.c_str())};
    for (const std::string &a : argomenti)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (std::string &v : variabili)
        envp.push_back(v.data());
    envp.push_back(nullptr);

    int versoFiglio[2];
    int dalFiglio[2];
    if (pipe2(versoFiglio, O_CLOEXEC) != 0 || pipe2(dalFiglio, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, versoFiglio[0], 0);
    posix_spawn_file_actions_adddup2(&azioni, dalFiglio[1], 1);

    EsitoProcesso esito;
    pid_t pid = 0;
    esito.inizioNs = OraMonotonaNs();
    const int errore = posix_spawnp(&pid, programma.c_str(), &azioni, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&azioni);
    close(versoFiglio[0]);
    close(dalFiglio[1]);
    if (errore != 0) {
        close(versoFiglio[1]);
        close(dalFiglio[0]);
        throw std::runtime_error(programma + ": " + std::strerror(errore));
    }

    // Write and read together, so that neither side waits on a full pipe.
    qsizetype scritti = 0;
    if (ingresso.isEmpty()) {
        close(versoFiglio[1]);
        versoFiglio[1] = -1;
    }
    char blocco[65536];
    for (;;) {
        pollfd attese[2] = {{dalFiglio[0], POLLIN, 0}, {versoFiglio[1], POLLOUT, 0}};
        const int quante = versoFiglio[1] >= 0 ? 2 : 1;
        if (poll(attese, nfds_t(quante), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (quante == 2 && (attese[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(versoFiglio[1], ingresso.constData() + scritti,
                                    std::size_t(ingresso.size() - scritti));
            if (n > 0)
                scritti += n;
            if (n < 0 || scritti == ingresso.size()) {
                close(versoFiglio[1]);
                versoFiglio[1] = -1;
            }
        }
        if (attese[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = read(dalFiglio[0], blocco, sizeof blocco);
            if (n <= 0)
                break;
            esito.uscita.append(blocco, n);
        }
    }
    if (versoFiglio[1] >= 0)
        close(versoFiglio[1]);
    close(dalFiglio[0]);
    int stato = 0;
    while (waitpid(pid, &stato, 0) < 0 && errno == EINTR) {
    }
    esito.fineNs = OraMonotonaNs();
    esito.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    return esito;
}
