// The list over the archive, and the numbers' delays. A draw counts here only where one of
// the chosen wheels was drawn that day: the Nazionale alone starts in 2005, not in 1939.

#include "archivio/Archivio.h"

#include "common/Combinazioni.h"
#include "verifica/Verifica.h"

#include <algorithm>
#include <numeric>

namespace Archivio {

namespace {

QString DataTesto(const QDate &data)
{
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

const char *const NomiSorti[] = {"Ambo", "Terno", "Quaterna", "Cinquina"};

// How often a tier or better came out over the chosen draws, oldest first: in how many, how
// many draws since the last, the longest run of draws without it.
struct Statistica
{
    int estrazioni = 0;
    int attuale = 0;
    int massimo = 0;
};

Statistica Conta(const std::vector<int> &migliori, int sorte)
{
    Statistica s;
    int corsa = 0;
    for (int migliore : migliori) {
        if (migliore >= sorte) {
            ++s.estrazioni;
            corsa = 0;
        } else {
            s.massimo = std::max(s.massimo, ++corsa);
        }
    }
    s.attuale = corsa;
    return s;
}

// Which lines hold at least two of a wheel's five numbers, and how many they hold. A short
// line is found through the pairs it holds: the ten pairs of a wheel touch a few lines
// each, where its five numbers would touch every line holding one of them, and a line
// holding h of them is met C(h,2) times. A long line would fill the pairs' index, so it is
// found through its numbers instead.
class Incontri
{
public:
    explicit Incontri(const Verifica::Lista &lista)
        : conta(lista.righe.size(), 0)
    {
        std::vector<int> quante(Coppie + 1, 0);
        for (const Verifica::RigaLetta &riga : lista.righe) {
            const std::vector<int> numeri = riga.numeri.Elenco();
            if (int(numeri.size()) > NumeriPerCoppie)
                continue;
            for (std::size_t i = 0; i < numeri.size(); ++i) {
                for (std::size_t j = i + 1; j < numeri.size(); ++j)
                    ++quante[std::size_t(Coppia(numeri[i], numeri[j]) + 1)];
            }
        }
        std::partial_sum(quante.begin(), quante.end(), quante.begin());
        inizioCoppia = quante;
        righeDiCoppia.resize(std::size_t(quante.back()));
        for (int r = 0; r < int(lista.righe.size()); ++r) {
            const std::vector<int> numeri = lista.righe[std::size_t(r)].numeri.Elenco();
            if (int(numeri.size()) > NumeriPerCoppie) {
                lunghe.push_back(r);
                for (int n : numeri)
                    lungheDi[std::size_t(n)].push_back(r);
                continue;
            }
            for (std::size_t i = 0; i < numeri.size(); ++i) {
                for (std::size_t j = i + 1; j < numeri.size(); ++j)
                    righeDiCoppia[std::size_t(quante[std::size_t(Coppia(numeri[i], numeri[j]))]++)] = r;
            }
        }
        lunga.assign(lista.righe.size(), false);
        for (int r : lunghe)
            lunga[std::size_t(r)] = true;
    }

    // The lines holding two or more of `estratti`, in list order, each with its hits.
    void Trova(const std::array<quint8, Estratti> &estratti, std::vector<std::pair<int, int>> &trovate)
    {
        trovate.clear();
        std::array<quint8, Estratti> ordinati = estratti;
        std::sort(ordinati.begin(), ordinati.end());
        for (std::size_t i = 0; i < ordinati.size(); ++i) {
            for (std::size_t j = i + 1; j < ordinati.size(); ++j) {
                const int c = Coppia(ordinati[i], ordinati[j]);
                for (int k = inizioCoppia[std::size_t(c)]; k < inizioCoppia[std::size_t(c) + 1]; ++k) {
                    const int r = righeDiCoppia[std::size_t(k)];
                    if (conta[std::size_t(r)]++ == 0)
                        trovate.emplace_back(r, 0);
                }
            }
        }
        if (!lunghe.empty()) {
            for (quint8 n : ordinati) {
                for (int r : lungheDi[n]) {
                    if (conta[std::size_t(r)]++ == 1)
                        trovate.emplace_back(r, 0);
                }
            }
        }
        for (auto &[r, punti] : trovate) {
            // 1, 3, 6 or 10 pairs are 2, 3, 4 or 5 numbers.
            punti = lunga[std::size_t(r)] ? conta[std::size_t(r)] : PuntiDaCoppie[conta[std::size_t(r)]];
            conta[std::size_t(r)] = 0;
        }
        for (quint8 n : ordinati) {
            for (int r : lungheDi[n])
                conta[std::size_t(r)] = 0;
        }
        std::sort(trovate.begin(), trovate.end());
    }

private:
    static constexpr int NumeriPerCoppie = 10;
    static constexpr int Coppie = 91 * 91;
    static constexpr std::array<int, 11> PuntiDaCoppie{0, 2, 0, 3, 0, 0, 4, 0, 0, 0, 5};
    static int Coppia(int a, int b) { return a * 91 + b; }

    std::vector<int> inizioCoppia;
    std::vector<int> righeDiCoppia;
    std::vector<int> lunghe;
    std::array<std::vector<int>, 91> lungheDi;
    std::vector<bool> lunga;
    std::vector<int> conta;
};

} // namespace

std::vector<int> Scelte(const Dati &dati, const Scelta &scelta)
{
    std::vector<int> scelte;
    for (int i = int(dati.estrazioni.size()) - 1; i >= 0 && int(scelte.size()) < scelta.ultime; --i) {
        if ((dati.estrazioni[std::size_t(i)].ruote & scelta.ruote) != 0)
            scelte.push_back(i);
    }
    std::reverse(scelte.begin(), scelte.end());
    return scelte;
}

QString Spoglio(const Dati &dati, const Verifica::Lista &lista, const Scelta &scelta)
{
    const std::vector<int> scelte = Scelte(dati, scelta);
    Incontri incontri(lista);
    std::vector<std::pair<int, int>> trovate;
    std::array<quint64, Estratti + 1> vincite{};
    std::vector<int> migliori(scelte.size(), 0);

    QString vincenti;
    int mostrate = 0;
    quint64 altre = 0;
    // Newest first, as the winning lines are listed; within a draw by wheel, then by line.
    for (std::size_t s = scelte.size(); s-- > 0;) {
        const Estrazione &estrazione = dati.estrazioni[std::size_t(scelte[s])];
        for (int ruota = 0; ruota < Ruote; ++ruota) {
            if (!estrazione.Ha(ruota) || (scelta.ruote >> ruota & 1) == 0)
                continue;
            incontri.Trova(estrazione.numeri[std::size_t(ruota)], trovate);
            if (trovate.empty())
                continue;
            Verifica::Numeri estratti;
            for (quint8 n : estrazione.numeri[std::size_t(ruota)])
                estratti.Aggiungi(n);
            for (const auto &[r, h] : trovate) {
                migliori[s] = std::max(migliori[s], h);
                for (int k = 2; k <= h; ++k)
                    vincite[std::size_t(k)] += Combinazioni::C(h, k);
                if (mostrate == RigheVincentiMostrate) {
                    ++altre;
                    continue;
                }
                ++mostrate;
                const Verifica::RigaLetta &riga = lista.righe[std::size_t(r)];
                vincenti += QLatin1Char('\n') + DataTesto(estrazione.data) + QLatin1Char(' ') + Sigla(ruota)
                    + QStringLiteral("  riga %1:").arg(riga.numero);
                Verifica::ScriviRiga(vincenti, riga.numeri, riga.numeri & estratti);
            }
        }
    }

    QStringList sigle;
    for (int ruota = 0; ruota < Ruote; ++ruota) {
        if (scelta.ruote >> ruota & 1)
            sigle << Sigla(ruota);
    }
    QString testo = QStringLiteral("Spoglio: %1 righe su %2, ultime %3 estrazioni")
                        .arg(lista.righe.size())
                        .arg(sigle.join(u' '))
                        .arg(scelte.size());
    if (!scelte.empty()) {
        testo += QStringLiteral(" (dal %1 al %2)")
                     .arg(DataTesto(dati.estrazioni[std::size_t(scelte.front())].data),
                          DataTesto(dati.estrazioni[std::size_t(scelte.back())].data));
    }
    if (lista.nonVerificate > 0) {
        testo += QStringLiteral("\nRighe non verificate: %1, la prima è la riga %2")
                     .arg(lista.nonVerificate)
                     .arg(lista.primaNonVerificata);
    }
    testo += QStringLiteral("\nVincite: Ambi %1  Terni %2  Quaterne %3  Cinquine %4")
                 .arg(vincite[2])
                 .arg(vincite[3])
                 .arg(vincite[4])
                 .arg(vincite[5]);
    for (int sorte = 2; sorte <= Estratti; ++sorte) {
        const Statistica s = Conta(migliori, sorte);
        testo += QStringLiteral("\n%1: in %2 estrazioni su %3")
                     .arg(QLatin1String(NomiSorti[sorte - 2]))
                     .arg(s.estrazioni)
                     .arg(scelte.size());
        if (s.estrazioni > 0)
            testo += QStringLiteral("; ritardo attuale %1, ritardo massimo %2").arg(s.attuale).arg(s.massimo);
    }
    testo += vincenti;
    if (altre > 0)
        testo += QStringLiteral("\n... e altre %1 righe vincenti").arg(altre);
    return testo;
}

std::vector<Ritardo> Ritardi(const Dati &dati, const Scelta &scelta)
{
    std::vector<Ritardo> ritardi(90);
    std::array<int, 91> ultimo;
    ultimo.fill(-1);
    // The chosen last draws, for the frequency: from the first of them on.
    const std::vector<int> scelte = Scelte(dati, scelta);
    const int primaScelta = scelte.empty() ? int(dati.estrazioni.size()) : scelte.front();
    int contate = 0;
    for (int i = 0; i < int(dati.estrazioni.size()); ++i) {
        const Estrazione &estrazione = dati.estrazioni[std::size_t(i)];
        const quint16 ruote = estrazione.ruote & scelta.ruote;
        if (ruote == 0)
            continue;
        std::array<quint16, 91> uscite{};
        for (int ruota = 0; ruota < Ruote; ++ruota) {
            if ((ruote >> ruota & 1) == 0)
                continue;
            for (quint8 n : estrazione.numeri[std::size_t(ruota)]) {
                uscite[n] |= quint16(1u << ruota);
                if (i >= primaScelta)
                    ++ritardi[std::size_t(n - 1)].frequenza;
            }
        }
        for (int n = 1; n <= 90; ++n) {
            if (uscite[std::size_t(n)] == 0)
                continue;
            Ritardo &r = ritardi[std::size_t(n - 1)];
            r.ritardoMassimo = std::max(r.ritardoMassimo, contate - ultimo[std::size_t(n)] - 1);
            ultimo[std::size_t(n)] = contate;
            r.ultima = estrazione.data;
            r.ruoteUltima = uscite[std::size_t(n)];
        }
        ++contate;
    }
    for (int n = 1; n <= 90; ++n) {
        Ritardo &r = ritardi[std::size_t(n - 1)];
        r.numero = n;
        r.ritardo = contate - ultimo[std::size_t(n)] - 1;
        r.ritardoMassimo = std::max(r.ritardoMassimo, r.ritardo);
    }
    return ritardi;
}

} // namespace Archivio
