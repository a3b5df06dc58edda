#include "Dati.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Dati {

namespace {

// A fixed generator, so that every machine sorts the same list.
class Casuale
{
public:
    explicit Casuale(std::uint64_t seme)
        : m_stato(seme * 0x9E3779B97F4A7C15ULL + 1)
    {
    }

    unsigned Fino(unsigned n)
    {
        m_stato ^= m_stato << 13;
        m_stato ^= m_stato >> 7;
        m_stato ^= m_stato << 17;
        return unsigned(m_stato % n);
    }

private:
    std::uint64_t m_stato;
};

std::vector<std::string> Righe(const QString &lista)
{
    std::vector<std::string> righe;
    const std::string testo = lista.toStdString();
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        std::size_t fine = testo.find("\r\n", inizio);
        if (fine == std::string::npos)
            fine = testo.size();
        if (fine > inizio)
            righe.push_back(testo.substr(inizio, fine - inizio));
        inizio = fine + 2;
    }
    return righe;
}

} // namespace

QString ListaCasuale(int righe, unsigned seme)
{
    Casuale casuale(seme);
    std::string testo;
    testo.reserve(std::size_t(righe) * 19);
    for (int r = 0; r < righe; ++r) {
        bool scelto[91] = {};
        for (int quanti = 0; quanti < 6;) {
            const unsigned n = 1 + casuale.Fino(90);
            if (!scelto[n]) {
                scelto[n] = true;
                ++quanti;
            }
        }
        std::string riga;
        for (int n = 1; n <= 90; ++n) {
            if (scelto[n]) {
                if (!riga.empty())
                    riga += ' ';
                riga += char('0' + n / 10);
                riga += char('0' + n % 10);
            }
        }
        testo += riga;
        testo += "\r\n";
    }
    return QString::fromStdString(testo);
}

QString ListaOrdinata(const QString &lista)
{
    std::vector<std::string> righe = Righe(lista);
    for (std::string &riga : righe) {
        // Two-digit fields: text order is numeric order, and the field keeps its text.
        std::vector<std::string> campi;
        std::size_t inizio = 0;
        for (std::size_t spazio; (spazio = riga.find(' ', inizio)) != std::string::npos; inizio = spazio + 1)
            campi.push_back(riga.substr(inizio, spazio - inizio));
        campi.push_back(riga.substr(inizio));
        std::sort(campi.begin(), campi.end());
        riga.clear();
        for (const std::string &c : campi)
            riga += (riga.empty() ? "" : " ") + c;
    }
    std::sort(righe.begin(), righe.end());
    std::string testo;
    for (const std::string &riga : righe)
        testo += riga + "\r\n";
    return QString::fromStdString(testo);
}

QByteArray FileAtteso(const QString &lista)
{
    QByteArray byte;
    for (const std::string &riga : Righe(lista)) {
        byte += QByteArray::fromStdString(riga);
        byte += "\r\n";
    }
    return byte;
}

QString Sviluppo(int n, int k)
{
    std::string testo;
    std::string riga;
    // Depth first, smaller numbers first: the order the lines sort in.
    const std::function<void(int, int)> scegli = [&](int da, int mancano) {
        if (mancano == 0) {
            testo += riga.substr(0, riga.size() - 1) + "\r\n";
            return;
        }
        for (int x = da; x <= n - mancano + 1; ++x) {
            const std::size_t lunghezza = riga.size();
            riga += char('0' + x / 10);
            riga += char('0' + x % 10);
            riga += ' ';
            scegli(x + 1, mancano - 1);
            riga.resize(lunghezza);
        }
    };
    scegli(1, k);
    return QString::fromStdString(testo);
}

} // namespace Dati
