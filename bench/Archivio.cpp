// The archive of real draws, on one made here: 80,000 wheel rows written in the download's
// format by a seeded generator, read by the program as the window reads it, then lists of
// several sizes replayed over every row with their balance, and the delay table of every
// number. What the program makes of it
// is checked against what the generator wrote and against counts made here row by row,
// sharing nothing with the program's own routines.

#include "Archivio.h"

#include "Casi.h"
#include "Dati.h"
#include "Floor.h"
#include "Memoria.h"
#include "Tabella.h"

#include "archivio/Archivio.h"
#include "common/Avanzamento.h"
#include "list/Apertura.h"
#include "verifica/Verifica.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <unordered_map>
#include <utility>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr quint64 Seme = 20260205;
constexpr unsigned SemeLista = 20260206;
constexpr int Ruote = 11;
constexpr int RuoteSenzaNazionale = 10;
constexpr int Estratti = 5;
// Ten wheels a date for the first 5,800 dates, the Nazionale too for the last 2,000.
constexpr int DatePrima = 5800;
constexpr int DateDopo = 2000;
constexpr int Date = DatePrima + DateDopo;
constexpr int Righe = DatePrima * RuoteSenzaNazionale + DateDopo * Ruote;
static_assert(Righe == 80000, "the cases are named for 80,000 rows");
constexpr int RigheMostrate = 1000; // the newest winning rows the spoglio lists

const char *const CasoRitardi = "archivio/ritardi";
const char *const CasoMemoria = "archivio/memory_80000";
const char *const CasoMemoriaReplay = "archivio/spoglio_memory_100000_lines";
constexpr double ObiettivoRitardiMs = 50;
constexpr double ObiettivoMemoriaKb = 20 * 1024;
constexpr double ObiettivoMemoriaReplayKb = 64 * 1024;
const char *const ContatoreMemoria = "peak_kB";
const char *const ContatoreTenuta = "held_kB";

const char *const Sigle[Ruote] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};

// SplitMix64: a fixed sequence, so that every machine reads the same archive.
class Casuale
{
public:
    explicit Casuale(quint64 seme)
        : m_stato(seme)
    {
    }

    int Fino(int n)
    {
        quint64 z = (m_stato += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return int(z % quint64(n));
    }

private:
    quint64 m_stato;
};

struct Giorno
{
    QDate data;
    int ruote = 0; // the first `ruote` wheels were drawn: ten, or eleven with the Nazionale
    std::array<std::array<int, Estratti>, Ruote> numeri{};
};

// What the generator wrote, kept to check every reading against.
struct Generato
{
    QString nome;
    QString percorso;
    std::vector<Giorno> giorni; // oldest first
    qint64 somma = 0;           // of every number in the file
    std::string errore;         // the file could not be written
};

std::string DataTesto(const QDate &data, const char *forma)
{
    char testo[16];
    if (forma[0] == 'y')
        std::snprintf(testo, sizeof testo, "%04d/%02d/%02d", data.year(), data.month(), data.day());
    else
        std::snprintf(testo, sizeof testo, "%02d/%02d/%04d", data.day(), data.month(), data.year());
    return testo;
}

// Two draws a week from 7 January 1939, four days apart then three; each date's wheels in
// their order, five distinct numbers each in the order drawn; CR LF after every row.
// Written once a run, next to the benchmark.
const Generato &Archivio80000()
{
    static const Generato generato = [] {
        Generato g;
        g.nome = QStringLiteral("archivio-80000.txt");
        g.percorso = QCoreApplication::applicationDirPath() + u'/' + g.nome;
        Casuale casuale(Seme);
        QDate data(1939, 1, 7);
        std::string testo;
        testo.reserve(std::size_t(Righe) * 32);
        for (int d = 0; d < Date; ++d) {
            Giorno giorno;
            giorno.data = data;
            giorno.ruote = d < DatePrima ? RuoteSenzaNazionale : Ruote;
            const std::string quando = DataTesto(data, "yyyy");
            for (int r = 0; r < giorno.ruote; ++r) {
                testo += quando;
                testo += '\t';
                testo += Sigle[r];
                bool uscito[91] = {};
                for (int k = 0; k < Estratti;) {
                    const int n = 1 + casuale.Fino(90);
                    if (uscito[n])
                        continue;
                    uscito[n] = true;
                    giorno.numeri[std::size_t(r)][std::size_t(k++)] = n;
                    g.somma += n;
                    testo += '\t';
                    testo += std::to_string(n);
                }
                testo += "\r\n";
            }
            g.giorni.push_back(giorno);
            data = data.addDays(d % 2 == 0 ? 4 : 3);
        }
        QSaveFile file(g.percorso);
        const QByteArray byte = QByteArray::fromStdString(testo);
        if (!file.open(QIODevice::WriteOnly) || file.write(byte) != byte.size() || !file.commit())
            g.errore = "the archive could not be written next to the benchmark";
        return g;
    }();
    return generato;
}

// Every date, wheel and number the generator wrote, in the order drawn; empty when all match.
std::string Controlla(const Archivio::Dati &dati, const Generato &g)
{
    if (dati.righe != Righe)
        return "read " + std::to_string(dati.righe) + " wheel rows, not " + std::to_string(Righe);
    if (dati.estrazioni.size() != g.giorni.size())
        return "read " + std::to_string(dati.estrazioni.size()) + " dates, not " + std::to_string(g.giorni.size());
    if (dati.nome != g.nome)
        return "the archive is not named after its file";
    for (std::size_t d = 0; d < g.giorni.size(); ++d) {
        const Giorno &atteso = g.giorni[d];
        const Archivio::Estrazione &letta = dati.estrazioni[d];
        const std::string dove = "date " + std::to_string(d + 1) + " (" + DataTesto(atteso.data, "yyyy") + ")";
        if (letta.data != atteso.data)
            return dove + ": read as " + DataTesto(letta.data, "yyyy");
        if (letta.ruote != quint16((1u << atteso.ruote) - 1))
            return dove + ": not the wheels written";
        for (int r = 0; r < atteso.ruote; ++r) {
            for (int k = 0; k < Estratti; ++k) {
                if (letta.numeri[std::size_t(r)][std::size_t(k)] != atteso.numeri[std::size_t(r)][std::size_t(k)])
                    return dove + ", " + Sigle[r] + ": not the numbers written, in their order";
            }
        }
    }
    return {};
}

std::string Rifiuto(const Archivio::Lettura &esito)
{
    return "the archive was refused (error " + std::to_string(esito.errore) + ", line " + std::to_string(esito.riga)
        + "): " + esito.motivo.toStdString();
}

// The archive read once and checked, for the cases that work on a loaded one.
struct Caricato
{
    Archivio::Dati dati;
    std::string errore;
};

const Caricato &ArchivioCaricato()
{
    static const Caricato caricato = [] {
        Caricato c;
        const Generato &g = Archivio80000();
        if (!g.errore.empty()) {
            c.errore = g.errore;
            return c;
        }
        Apertura::LetturaFile file;
        const Archivio::Lettura esito = Archivio::LeggiFile(g.percorso, c.dati, file);
        c.errore = esito.Accettata() ? Controlla(c.dati, g) : Rifiuto(esito);
        return c;
    }();
    return caricato;
}

double Secondi(long long da)
{
    return double(OraMonotonaNs() - da) / 1e9;
}

// --- Reading ------------------------------------------------------------------------------

// The whole of opening an archive: the file, its decoding, every row parsed, the dates sorted.
// Whether the case's data could be made; if not, the case fails with the reason.
bool Pronto(benchmark::State &stato, const std::string &errore)
{
    if (!errore.empty())
        stato.SkipWithError(errore.c_str());
    return errore.empty();
}

// Times `misura` alone, then asks `controlla` what is wrong with its result, if anything:
// the case fails there.
template<typename Misura, typename Controlla>
void Cronometra(benchmark::State &stato, Misura misura, Controlla controlla)
{
    for (auto _ : stato) {
        const long long t0 = OraMonotonaNs();
        const auto risultato = misura();
        stato.SetIterationTime(Secondi(t0));
        const std::string errore = controlla(risultato);
        if (!errore.empty()) {
            stato.SkipWithError(errore.c_str());
            break;
        }
    }
}

void Lettura(benchmark::State &stato)
{
    const Generato &g = Archivio80000();
    if (!Pronto(stato, g.errore))
        return;
    struct Letto
    {
        Archivio::Lettura esito;
        Archivio::Dati dati;
    };
    Apertura::LetturaFile file;
    Cronometra(
        stato,
        [&] {
            Letto letto;
            letto.esito = Archivio::LeggiFile(g.percorso, letto.dati, file);
            return letto;
        },
        [&](const Letto &l) { return l.esito.Accettata() ? Controlla(l.dati, g) : Rifiuto(l.esito); });
}

// The least that any reading of the file must do with Qt: the bytes, the text, its lines and
// fields, and each number converted; the sum of the numbers shows that all were.
void FloorLettura(benchmark::State &stato)
{
    const Generato &g = Archivio80000();
    if (!Pronto(stato, g.errore))
        return;
    for (auto _ : stato) {
        const long long t0 = OraMonotonaNs();
        qint64 somma = 0;
        int righe = 0;
        QFile file(g.percorso);
        const bool aperto = file.open(QIODevice::ReadOnly);
        if (aperto) {
            const QString testo = QString::fromUtf8(file.readAll());
            for (const QString &riga : testo.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const QStringList campi = riga.split(u'\t');
                ++righe;
                for (qsizetype i = 2; i < campi.size(); ++i)
                    somma += campi[i].toInt();
            }
        }
        stato.SetIterationTime(Secondi(t0));
        benchmark::DoNotOptimize(somma);
        if (!aperto || righe != Righe || somma != g.somma) {
            stato.SkipWithError("the floor did not read every number of the archive");
            break;
        }
    }
}

// --- The replay ----------------------------------------------------------------------------

// `righe` lines of `numeri` distinct numbers, ascending in two digits, each followed by CR LF;
// the same seed always gives the same list.
QString ListaCasuale(int righe, int numeri, quint64 seme)
{
    if (numeri == 6)
        return Dati::ListaCasuale(righe, unsigned(seme));
    Casuale casuale(seme);
    std::string testo;
    for (int r = 0; r < righe; ++r) {
        bool scelto[91] = {};
        for (int quanti = 0; quanti < numeri;) {
            const int n = 1 + casuale.Fino(90);
            quanti += scelto[n] ? 0 : 1;
            scelto[n] = true;
        }
        std::string riga;
        for (int n = 1; n <= 90; ++n) {
            if (!scelto[n])
                continue;
            if (!riga.empty())
                riga += ' ';
            riga += char('0' + n / 10);
            riga += char('0' + n % 10);
        }
        testo += riga + "\r\n";
    }
    return QString::fromStdString(testo);
}

struct Maschera
{
    std::array<quint64, 2> bit{};

    void Metti(int n) { bit[std::size_t(n / 64)] |= quint64(1) << (n % 64); }
    bool Ha(int n) const { return (bit[std::size_t(n / 64)] >> (n % 64) & 1) != 0; }
    int Comuni(const Maschera &altra) const
    {
        return __builtin_popcountll(bit[0] & altra.bit[0]) + __builtin_popcountll(bit[1] & altra.bit[1]);
    }
};

quint64 Binomiale(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    quint64 c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * quint64(n - k + i) / quint64(i);
    return c;
}

// For a tier, over the dates oldest first: on how many some line reached it, the dates since
// the last of them, the longest stretch of dates without.
struct Serie
{
    int date = 0;
    int attuale = 0;
    int massimo = 0;
};

Serie SerieDi(const std::vector<int> &migliori, int sorte)
{
    std::vector<int> dove;
    for (int d = 0; d < int(migliori.size()); ++d) {
        if (migliori[std::size_t(d)] >= sorte)
            dove.push_back(d);
    }
    Serie s;
    s.date = int(dove.size());
    if (dove.empty())
        return s;
    s.attuale = int(migliori.size()) - 1 - dove.back();
    s.massimo = std::max(dove.front(), s.attuale);
    for (std::size_t i = 1; i < dove.size(); ++i)
        s.massimo = std::max(s.massimo, dove[i] - dove[i - 1] - 1);
    return s;
}

// One replay the bench times: a list, over the last `date` dates of every wheel, the lines
// played for the ambo at 1 € a line and wheel.
struct Replay
{
    std::string caso;
    int righe = 0;
    int numeri = 0;
    int date = Date;
    double obiettivoMs = 0; // 0: no goal, a row of the growth table
};

const std::vector<Replay> &Repliche()
{
    static const std::vector<Replay> repliche{
        {"archivio/spoglio_1000_lines", 1000, 6, Date, 200},
        {"archivio/spoglio_100000_lines", 100000, 6, Date, 2000},
        {"archivio/spoglio_1000_lines_of_45", 1000, 45, Date, 1000},
        {"archivio/growth/lines_10000", 10000, 6, Date, 0},
        {"archivio/growth/lines_300000", 300000, 6, Date, 0},
        {"archivio/growth/1000_lines_of_10", 1000, 10, Date, 0},
        {"archivio/growth/1000_lines_of_20", 1000, 20, Date, 0},
        {"archivio/growth/rows_22000", 1000, 6, 2000, 0},
        {"archivio/growth/rows_40000", 1000, 6, 3800, 0},
    };
    return repliche;
}

const Replay *ReplayDi(const std::string &caso)
{
    for (const Replay &r : Repliche()) {
        if (r.caso == caso)
            return &r;
    }
    return nullptr;
}

// What the replay must give, worked out by the bench alone. Up to 1,000 lines every line is
// met with every wheel row as two sets and everything is counted; beyond, the counts of
// numbers, pairs and triples the lines hold give the estratti, ambi and terni, and the
// balance is held between its bounds (each payment loses less than a cent to rounding).
struct Atteso
{
    QString lista;
    std::vector<Maschera> linee;
    bool completo = false;
    std::array<quint64, Estratti + 1> vincite{}; // up to the terni only, where not complete
    std::array<Serie, Estratti + 1> serie{};     // idem
    quint64 vincenti = 0;                        // (row, line) pairs with two hits or more, where complete
    QStringList mostrate;                        // the newest 1,000 winning rows as the text lists them
    qint64 costo = 0;
    qint64 lorde = 0;
    qint64 ritenuta = 0;
    qint64 finoAdAmbi = 0; // where not complete: the ambi's value before rounding, times C(6,2)
};

QString RigaVincente(const Giorno &giorno, int ruota, int numero, const Maschera &linea, const Maschera &estratti)
{
    QString riga = QString::fromStdString(DataTesto(giorno.data, "dd")) + u' ' + QLatin1String(Sigle[ruota])
        + QStringLiteral("  riga %1:").arg(numero);
    for (int n = 1; n <= 90; ++n) {
        if (!linea.Ha(n))
            continue;
        const QString due = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        riga += estratti.Ha(n) ? QStringLiteral(" [%1]").arg(due) : QStringLiteral(" %1").arg(due);
    }
    return riga;
}

Atteso Calcola(const Replay &replay)
{
    Atteso a;
    a.lista = ListaCasuale(replay.righe, replay.numeri, SemeLista + quint64(replay.righe) * 100 + quint64(replay.numeri));
    for (const QString &riga : a.lista.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        Maschera m;
        for (const QString &numero : riga.split(u' ', Qt::SkipEmptyParts))
            m.Metti(numero.toInt());
        a.linee.push_back(m);
    }
    a.completo = replay.righe <= 1000;
    const std::vector<Giorno> &tutti = Archivio80000().giorni;
    const std::vector<Giorno> giorni(tutti.end() - replay.date, tutti.end());
    const int n = replay.numeri;
    const qint64 combinazioni = qint64(Binomiale(n, 2));
    std::vector<int> migliori;
    for (const Giorno &giorno : giorni) {
        a.costo += qint64(a.linee.size()) * giorno.ruote * 100;
        migliori.push_back(0);
    }

    if (a.completo) {
        for (std::size_t d = 0; d < giorni.size(); ++d) {
            for (int r = 0; r < giorni[d].ruote; ++r) {
                Maschera estratti;
                for (int x : giorni[d].numeri[std::size_t(r)])
                    estratti.Metti(x);
                for (const Maschera &linea : a.linee) {
                    const int presi = linea.Comuni(estratti);
                    migliori[d] = std::max(migliori[d], presi);
                    for (int k = 1; k <= presi; ++k)
                        a.vincite[std::size_t(k)] += Binomiale(presi, k);
                    if (presi < 2)
                        continue;
                    ++a.vincenti;
                    // 250 times the euro, over the line's C(n,2) ambi, for each ambo drawn;
                    // rounded down to the cent, 8 % of it withheld to the nearest cent.
                    const qint64 vinto = 100 * 25000 * qint64(Binomiale(presi, 2)) / (100 * combinazioni);
                    a.lorde += vinto;
                    a.ritenuta += (vinto * 8 + 50) / 100;
                }
            }
        }
        for (int sorte = 1; sorte <= Estratti; ++sorte)
            a.serie[std::size_t(sorte)] = SerieDi(migliori, sorte);
    } else {
        // How many lines hold each number, pair and triple.
        std::array<quint64, 91> uno{};
        std::vector<quint64> due(91 * 91, 0);
        std::unordered_map<quint32, quint32> tre;
        for (const Maschera &linea : a.linee) {
            std::vector<int> v;
            for (int x = 1; x <= 90; ++x) {
                if (linea.Ha(x))
                    v.push_back(x);
            }
            for (std::size_t i = 0; i < v.size(); ++i) {
                ++uno[std::size_t(v[i])];
                for (std::size_t j = i + 1; j < v.size(); ++j) {
                    ++due[std::size_t(v[i] * 91 + v[j])];
                    for (std::size_t k = j + 1; k < v.size(); ++k)
                        ++tre[quint32((v[i] * 91 + v[j]) * 91 + v[k])];
                }
            }
        }
        for (std::size_t d = 0; d < giorni.size(); ++d) {
            for (int r = 0; r < giorni[d].ruote; ++r) {
                std::array<int, Estratti> v{};
                std::copy(giorni[d].numeri[std::size_t(r)].begin(), giorni[d].numeri[std::size_t(r)].end(), v.begin());
                std::sort(v.begin(), v.end());
                std::array<quint64, 4> qui{};
                for (int i = 0; i < Estratti; ++i) {
                    qui[1] += uno[std::size_t(v[std::size_t(i)])];
                    for (int j = i + 1; j < Estratti; ++j) {
                        qui[2] += due[std::size_t(v[std::size_t(i)] * 91 + v[std::size_t(j)])];
                        for (int k = j + 1; k < Estratti; ++k) {
                            const auto t = tre.find(quint32((v[std::size_t(i)] * 91 + v[std::size_t(j)]) * 91 + v[std::size_t(k)]));
                            qui[3] += t == tre.end() ? 0 : t->second;
                        }
                    }
                }
                for (int k = 1; k <= 3; ++k) {
                    a.vincite[std::size_t(k)] += qui[std::size_t(k)];
                    if (qui[std::size_t(k)] > 0)
                        migliori[d] = std::max(migliori[d], k);
                }
            }
        }
        for (int sorte = 1; sorte <= 3; ++sorte)
            a.serie[std::size_t(sorte)] = SerieDi(migliori, sorte);
        a.finoAdAmbi = qint64(a.vincite[2]) * 25000;
    }

    // The winning rows listed: the newest first, within a date by wheel, then by line.
    for (std::size_t d = giorni.size(); d-- > 0 && a.mostrate.size() < RigheMostrate;) {
        for (int r = 0; r < giorni[d].ruote && a.mostrate.size() < RigheMostrate; ++r) {
            Maschera estratti;
            for (int x : giorni[d].numeri[std::size_t(r)])
                estratti.Metti(x);
            for (std::size_t l = 0; l < a.linee.size() && a.mostrate.size() < RigheMostrate; ++l) {
                if (a.linee[l].Comuni(estratti) >= 2)
                    a.mostrate << RigaVincente(giorni[d], r, int(l) + 1, a.linee[l], estratti);
            }
        }
    }
    return a;
}

const Atteso &AttesoDi(const Replay &replay)
{
    static std::map<std::string, Atteso> attesi;
    auto trovato = attesi.find(replay.caso);
    if (trovato == attesi.end())
        trovato = attesi.emplace(replay.caso, Calcola(replay)).first;
    return trovato->second;
}

QString Euro(qint64 centesimi)
{
    std::string cifre = std::to_string(std::llabs(centesimi) / 100);
    for (int i = int(cifre.size()) - 3; i > 0; i -= 3)
        cifre.insert(std::size_t(i), ".");
    return QString::fromStdString((centesimi < 0 ? "-" : "") + cifre) + QStringLiteral(",%1 €").arg(std::llabs(centesimi) % 100, 2, 10, QLatin1Char('0'));
}

// The replay against the bench's own counts; empty when they agree.
std::string ControllaReplay(const Archivio::Spogliato &esito, const Replay &replay)
{
    const Generato &g = Archivio80000();
    const Atteso &a = AttesoDi(replay);
    const QString &testo = esito.testo;
    const QString inizio = QStringLiteral("Spoglio: %1 righe su BA CA FI GE MI NA PA RM TO VE RN, ultime %2 estrazioni "
                                          "(dal %3 al %4)\nVincite: Estratti %5  Ambi %6  Terni %7  ")
                               .arg(replay.righe)
                               .arg(replay.date)
                               .arg(QString::fromStdString(DataTesto(g.giorni[std::size_t(Date - replay.date)].data, "dd")),
                                    QString::fromStdString(DataTesto(g.giorni.back().data, "dd")))
                               .arg(a.vincite[1])
                               .arg(a.vincite[2])
                               .arg(a.vincite[3]);
    if (!testo.startsWith(inizio))
        return "the heading, the estratti, ambi or terni are not those counted by the bench";
    const char *const nomi[] = {"Estratto", "Ambo", "Terno", "Quaterna", "Cinquina"};
    for (int sorte = 1; sorte <= (a.completo ? Estratti : 3); ++sorte) {
        const Serie &s = a.serie[std::size_t(sorte)];
        QString riga = QStringLiteral("\n%1: in %2 estrazioni su %3").arg(QLatin1String(nomi[sorte - 1])).arg(s.date).arg(replay.date);
        if (s.date > 0)
            riga += QStringLiteral("; ritardo attuale %1, ritardo massimo %2").arg(s.attuale).arg(s.massimo);
        if (!testo.contains(riga + u'\n'))
            return std::string("the tier row of the ") + nomi[sorte - 1] + " is not the one counted date by date";
    }
    const Archivio::Bilancio &b = esito.bilancio;
    if (b.costo != a.costo || b.netto != b.lorde - b.ritenuta || b.andamento.size() != std::size_t(replay.date)
        || b.andamento.back().saldo != b.Saldo())
        return "the balance's cost, net or running balance does not add up";
    if (a.completo) {
        const QString quaterne = QStringLiteral("Quaterne %1  Cinquine %2\n").arg(a.vincite[4]).arg(a.vincite[5]);
        if (!testo.contains(quaterne) || b.lorde != a.lorde || b.ritenuta != a.ritenuta)
            return "the quaterne, cinquine or the balance are not those counted line by line";
    } else {
        const qint64 ambi = qint64(Binomiale(replay.numeri, 2));
        if (b.lorde * ambi > a.finoAdAmbi || (b.lorde + qint64(a.vincite[2])) * ambi <= a.finoAdAmbi)
            return "the gross wins are not within a cent a win of the ambi's value";
    }
    const QString bilancio = QStringLiteral("\nCosto %1  Vincite lorde %2  Ritenuta (8%) %3  Netto %4  Saldo %5\n")
                                 .arg(Euro(b.costo), Euro(b.lorde), Euro(b.ritenuta), Euro(b.netto), Euro(b.Saldo()));
    if (!testo.contains(bilancio))
        return "the balance's text does not show its figures";
    const qsizetype dove = testo.indexOf(a.mostrate.value(0));
    if (a.mostrate.isEmpty() || dove < 0 || !testo.mid(dove).startsWith(a.mostrate.join(u'\n')))
        return "the winning rows listed are not the newest " + std::to_string(RigheMostrate) + " found line by line";
    const QString resto = testo.mid(dove + a.mostrate.join(u'\n').size());
    if (a.completo) {
        const QString altre = a.vincenti > quint64(RigheMostrate)
            ? QStringLiteral("\n... e altre %1 righe vincenti").arg(a.vincenti - quint64(RigheMostrate))
            : QString();
        if (resto != altre)
            return "the winning rows not listed are not counted as the bench counts them";
    } else {
        // Each such row holds at least one ambo and at most ten.
        const QString prefisso = QStringLiteral("\n... e altre ");
        const quint64 altre = resto.mid(prefisso.size()).section(u' ', 0, 0).toULongLong();
        const quint64 vincenti = altre + quint64(RigheMostrate);
        if (!resto.startsWith(prefisso) || vincenti > a.vincite[2] || vincenti * 10 < a.vincite[2])
            return "the winning rows not listed are not as many as the ambi allow";
    }
    return {};
}

// Timed: the replay alone, with its balance and its curve, on the archive already loaded and
// the list already read.
void Riproduzione(benchmark::State &stato, const Replay &replay)
{
    const Caricato &c = ArchivioCaricato();
    if (!Pronto(stato, c.errore))
        return;
    const Atteso &a = AttesoDi(replay);
    const Verifica::Lista lista = Verifica::LeggiLista(a.lista);
    if (int(lista.righe.size()) != replay.righe || lista.nonVerificate != 0) {
        stato.SkipWithError("the list's lines were not all read");
        return;
    }
    const Archivio::Scelta scelta{Archivio::OgniRuota, replay.date};
    Cronometra(
        stato,
        [&] {
            Archivio::Spogliato esito;
            Avanzamento avanzamento;
            Archivio::Riproduci(c.dati, lista, scelta, Archivio::Giocata(), esito, avanzamento);
            return esito;
        },
        [&](const Archivio::Spogliato &esito) { return ControllaReplay(esito, replay); });
}

// What the largest replay touches beyond what the process holds with the archive loaded and
// the list read, at its peak.
void MemoriaReplay(benchmark::State &stato)
{
    const Caricato &c = ArchivioCaricato();
    if (!Pronto(stato, c.errore))
        return;
    const Replay &replay = *ReplayDi("archivio/spoglio_100000_lines");
    const Atteso &a = AttesoDi(replay);
    const Verifica::Lista lista = Verifica::LeggiLista(a.lista);
    const Archivio::Scelta scelta{Archivio::OgniRuota, replay.date};
    for (auto _ : stato) {
        const Picco picco;
        const long prima = picco.Prima();
        const long long t0 = OraMonotonaNs();
        Archivio::Spogliato esito;
        Avanzamento avanzamento;
        Archivio::Riproduci(c.dati, lista, scelta, Archivio::Giocata(), esito, avanzamento);
        stato.SetIterationTime(Secondi(t0));
        stato.counters[ContatoreMemoria] = double(StatoKb("VmHWM:") - prima);
        const std::string errore = ControllaReplay(esito, replay);
        if (!errore.empty()) {
            stato.SkipWithError(errore.c_str());
            break;
        }
    }
}

// --- The delays ---------------------------------------------------------------------------

// Each number on its own, over every date and wheel the generator wrote.
const std::vector<Archivio::Ritardo> &RitardiAttesi()
{
    static const std::vector<Archivio::Ritardo> attesi = [] {
        const std::vector<Giorno> &giorni = Archivio80000().giorni;
        std::vector<Archivio::Ritardo> tutti;
        for (int n = 1; n <= 90; ++n) {
            Archivio::Ritardo r;
            r.numero = n;
            std::vector<int> date;
            for (int d = 0; d < int(giorni.size()); ++d) {
                const Giorno &giorno = giorni[std::size_t(d)];
                quint16 ruote = 0;
                for (int w = 0; w < giorno.ruote; ++w) {
                    const auto &numeri = giorno.numeri[std::size_t(w)];
                    if (std::find(numeri.begin(), numeri.end(), n) != numeri.end()) {
                        ruote |= quint16(1u << w);
                        ++r.frequenza;
                    }
                }
                if (ruote != 0) {
                    date.push_back(d);
                    r.ultima = giorno.data;
                    r.ruoteUltima = ruote;
                }
            }
            // The mean of the runs of dates without it between two dates with it.
            double corse = 0;
            for (std::size_t i = 1; i < date.size(); ++i)
                corse += date[i] - date[i - 1] - 1;
            if (date.size() >= 2)
                r.ritardoMedio = corse / double(date.size() - 1);
            if (date.empty()) {
                r.ritardo = r.ritardoMassimo = int(giorni.size());
            } else {
                r.ritardo = int(giorni.size()) - 1 - date.back();
                r.ritardoMassimo = std::max(date.front(), r.ritardo);
                for (std::size_t i = 1; i < date.size(); ++i)
                    r.ritardoMassimo = std::max(r.ritardoMassimo, date[i] - date[i - 1] - 1);
            }
            tutti.push_back(r);
        }
        return tutti;
    }();
    return attesi;
}

std::string ControllaRitardi(const std::vector<Archivio::Ritardo> &ritardi)
{
    const std::vector<Archivio::Ritardo> &attesi = RitardiAttesi();
    if (ritardi.size() != attesi.size())
        return "the delay table does not have 90 rows";
    for (std::size_t i = 0; i < attesi.size(); ++i) {
        const Archivio::Ritardo &r = ritardi[i];
        const Archivio::Ritardo &a = attesi[i];
        if (r.numero != a.numero || r.ritardo != a.ritardo || r.ritardoMassimo != a.ritardoMassimo
            || r.frequenza != a.frequenza || r.ultima != a.ultima || r.ruoteUltima != a.ruoteUltima
            || std::abs(r.ritardoMedio - a.ritardoMedio) > 1e-9)
            return "the delays of " + std::to_string(a.numero) + " are not those counted date by date";
    }
    return {};
}

void Ritardi(benchmark::State &stato)
{
    const Caricato &c = ArchivioCaricato();
    if (!Pronto(stato, c.errore))
        return;
    RitardiAttesi();
    const Archivio::Scelta scelta{Archivio::OgniRuota, int(c.dati.estrazioni.size())};
    Cronometra(
        stato, [&] { return Archivio::Ritardi(c.dati, scelta); }, ControllaRitardi);
}

// --- Memory ---------------------------------------------------------------------------------

// What one loading touches beyond what the process holds before it, at its peak and once
// loaded. The pages earlier runs freed go back to the system first: reused, they would not
// show. The time is only what the run needs to report something.
void Memoria(benchmark::State &stato)
{
    const Generato &g = Archivio80000();
    if (!Pronto(stato, g.errore))
        return;
    Apertura::LetturaFile file;
    for (auto _ : stato) {
        const Picco misura;
        const long prima = misura.Prima();
        Archivio::Dati dati;
        const long long t0 = OraMonotonaNs();
        const Archivio::Lettura esito = Archivio::LeggiFile(g.percorso, dati, file);
        stato.SetIterationTime(Secondi(t0));
        const long picco = StatoKb("VmHWM:") - prima;
        RestituisciLiberate();
        const long tenuta = StatoKb("VmRSS:") - prima;
        stato.counters[ContatoreMemoria] = double(picco);
        stato.counters[ContatoreTenuta] = double(tenuta);
        const std::string errore = esito.Accettata() ? Controlla(dati, g) : Rifiuto(esito);
        if (!errore.empty()) {
            stato.SkipWithError(errore.c_str());
            break;
        }
    }
}

} // namespace

void RegistraArchivio()
{
    Registra(CasoArchivioLettura, Lettura, 3);
    Registra(CasoArchivioFloor, FloorLettura, 3);
    for (const Replay &replay : Repliche())
        Registra(replay.caso, [&replay](benchmark::State &s) { Riproduzione(s, replay); }, replay.righe <= 1000 ? 3 : 1);
    Registra(CasoMemoriaReplay, MemoriaReplay, 1);
    Registra(CasoRitardi, Ritardi, 10);
    Registra(CasoMemoria, Memoria, 1);
}

int StampaArchivio(const Raccoglitore &r)
{
    int mancati = 0;
    const auto riga = [&mancati](const std::string &descrizione, const std::string &nostro, const std::string &obiettivo,
                                 bool ok) {
        mancati += ok ? 0 : 1;
        std::printf("%-58s %10s %10s %s\n", descrizione.c_str(), nostro.c_str(), obiettivo.c_str(),
                    ok ? "ok" : "MISSED");
    };
    std::printf("\n%-58s %10s %10s\n", "archive of 80,000 wheel rows (7,800 dates), absolute goals", "ours", "goal");
    std::printf("%s\n", std::string(93, '-').c_str());

    for (const Replay &replay : Repliche()) {
        if (replay.obiettivoMs <= 0)
            continue;
        const double secondi = r.Mediana(replay.caso);
        riga("replay, balance: " + std::to_string(replay.righe) + " lines of " + std::to_string(replay.numeri)
                 + ", every wheel and date",
             Millisecondi(secondi), Millisecondi(replay.obiettivoMs / 1e3), secondi >= 0 && secondi * 1e3 <= replay.obiettivoMs);
    }
    const double piccoReplay = r.MedianaContatore(CasoMemoriaReplay, ContatoreMemoria);
    riga("memory of the 100,000 lines' replay, peak beyond the process", Mebibyte(piccoReplay),
         Mebibyte(ObiettivoMemoriaReplayKb), piccoReplay >= 0 && piccoReplay <= ObiettivoMemoriaReplayKb);
    const double ritardi = r.Mediana(CasoRitardi);
    riga("delay table: 90 numbers, every wheel and date", Millisecondi(ritardi), Millisecondi(ObiettivoRitardiMs / 1e3),
         ritardi >= 0 && ritardi * 1e3 <= ObiettivoRitardiMs);
    const double picco = r.MedianaContatore(CasoMemoria, ContatoreMemoria);
    const double tenuta = r.MedianaContatore(CasoMemoria, ContatoreTenuta);
    riga("memory to load it, peak beyond the process (held " + Mebibyte(tenuta) + ")", Mebibyte(picco),
         Mebibyte(ObiettivoMemoriaKb), picco >= 0 && picco <= ObiettivoMemoriaKb);

    // How the replay's time grows, no goals: with the lines, their length and the rows.
    std::printf("\n%-58s %10s\n", "replay's growth (1,000 lines of 6 over 80,000 rows unless said)", "ours");
    std::printf("%s\n", std::string(70, '-').c_str());
    const auto crescita = [&r](const std::string &descrizione, const std::vector<std::pair<double, std::string>> &punti) {
        std::vector<double> x;
        std::vector<double> y;
        for (const auto &[quanto, caso] : punti) {
            const double secondi = r.Mediana(caso);
            std::printf("%-58s %10s\n", (descrizione + " " + std::to_string(int(quanto))).c_str(), Millisecondi(secondi).c_str());
            if (secondi > 0) {
                x.push_back(std::log(quanto));
                y.push_back(std::log(secondi));
            }
        }
        if (x.size() < 2)
            return;
        const double mx = std::accumulate(x.begin(), x.end(), 0.0) / double(x.size());
        const double my = std::accumulate(y.begin(), y.end(), 0.0) / double(y.size());
        double sxy = 0;
        double sxx = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            sxy += (x[i] - mx) * (y[i] - my);
            sxx += (x[i] - mx) * (x[i] - mx);
        }
        std::printf("%-58s %10.2f\n", ("  slope of log(time) on log(" + descrizione + ")").c_str(), sxy / sxx);
    };
    crescita("lines", {{1000, "archivio/spoglio_1000_lines"}, {10000, "archivio/growth/lines_10000"},
                       {100000, "archivio/spoglio_100000_lines"}, {300000, "archivio/growth/lines_300000"}});
    crescita("numbers a line", {{6, "archivio/spoglio_1000_lines"}, {10, "archivio/growth/1000_lines_of_10"},
                                {20, "archivio/growth/1000_lines_of_20"}, {45, "archivio/spoglio_1000_lines_of_45"}});
    crescita("rows", {{22000, "archivio/growth/rows_22000"}, {40000, "archivio/growth/rows_40000"},
                      {80000, "archivio/spoglio_1000_lines"}});
    return mancati;
}
