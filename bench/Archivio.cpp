// The archive of real draws, on one made here: 80,000 wheel rows written in the download's
// format by a seeded generator, read by the program as the window reads it, then the list
// replayed over every row and the delay table of every number. What the program makes of it
// is checked against what the generator wrote and against counts made here row by row,
// sharing nothing with the program's own routines.

#include "Archivio.h"

#include "Casi.h"
#include "Dati.h"
#include "Floor.h"
#include "Memoria.h"
#include "Tabella.h"

#include "archivio/Archivio.h"
#include "list/Apertura.h"
#include "verifica/Verifica.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
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
constexpr int RigheLista = 1000;
constexpr int RigheMostrate = 1000; // the newest winning rows the spoglio lists

const char *const CasoSpoglio = "archivio/spoglio_1000_lines";
const char *const CasoRitardi = "archivio/ritardi";
const char *const CasoMemoria = "archivio/memory_80000";
constexpr double ObiettivoSpoglioMs = 200;
constexpr double ObiettivoRitardiMs = 50;
constexpr double ObiettivoMemoriaKb = 20 * 1024;
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

// --- The spoglio ----------------------------------------------------------------------------

const QString &ListaSpoglio()
{
    static const QString lista = Dati::ListaCasuale(RigheLista, SemeLista);
    return lista;
}

struct Maschera
{
    std::array<quint64, 2> bit{};

    void Metti(int n) { bit[std::size_t(n / 64)] |= quint64(1) << (n % 64); }
    int Comuni(const Maschera &altra) const
    {
        return __builtin_popcountll(bit[0] & altra.bit[0]) + __builtin_popcountll(bit[1] & altra.bit[1]);
    }
};

quint64 Binomiale(int n, int k)
{
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

// Every line against every wheel row of every date, by the bench alone: the lines read from
// the list's text here, each row's hits counted by intersecting the two sets.
struct AttesoSpoglio
{
    std::array<quint64, Estratti + 1> vincite{}; // ambi, terni... as the prize table counts them
    quint64 vincenti = 0;                        // (row, line) pairs with two hits or more
    std::array<Serie, Estratti + 1> serie{};
};

const AttesoSpoglio &SpoglioAtteso()
{
    static const AttesoSpoglio atteso = [] {
        AttesoSpoglio a;
        std::vector<Maschera> linee;
        for (const QString &riga : ListaSpoglio().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            Maschera m;
            for (const QString &numero : riga.split(u' ', Qt::SkipEmptyParts))
                m.Metti(numero.toInt());
            linee.push_back(m);
        }
        std::vector<int> migliori;
        for (const Giorno &giorno : Archivio80000().giorni) {
            int migliore = 0;
            for (int r = 0; r < giorno.ruote; ++r) {
                Maschera estratti;
                for (int n : giorno.numeri[std::size_t(r)])
                    estratti.Metti(n);
                for (const Maschera &linea : linee) {
                    const int presi = linea.Comuni(estratti);
                    migliore = std::max(migliore, presi);
                    if (presi < 2)
                        continue;
                    ++a.vincenti;
                    for (int k = 2; k <= presi; ++k)
                        a.vincite[std::size_t(k)] += Binomiale(presi, k);
                }
            }
            migliori.push_back(migliore);
        }
        for (int sorte = 2; sorte <= Estratti; ++sorte)
            a.serie[std::size_t(sorte)] = SerieDi(migliori, sorte);
        return a;
    }();
    return atteso;
}

// The counts of the spoglio's text against the bench's own; empty when they agree.
std::string ControllaSpoglio(const QString &testo, int linee)
{
    const Generato &g = Archivio80000();
    const AttesoSpoglio &a = SpoglioAtteso();
    const QString inizio = QStringLiteral("Spoglio: %1 righe su BA CA FI GE MI NA PA RM TO VE RN, ultime %2 estrazioni "
                                          "(dal %3 al %4)")
                               .arg(linee)
                               .arg(Date)
                               .arg(QString::fromStdString(DataTesto(g.giorni.front().data, "dd")),
                                    QString::fromStdString(DataTesto(g.giorni.back().data, "dd")));
    if (!testo.startsWith(inizio))
        return "the spoglio does not start with every line, wheel and date";
    QString conti = QStringLiteral("\nVincite: Ambi %1  Terni %2  Quaterne %3  Cinquine %4")
                        .arg(a.vincite[2])
                        .arg(a.vincite[3])
                        .arg(a.vincite[4])
                        .arg(a.vincite[5]);
    const char *const nomi[] = {"Ambo", "Terno", "Quaterna", "Cinquina"};
    for (int sorte = 2; sorte <= Estratti; ++sorte) {
        const Serie &s = a.serie[std::size_t(sorte)];
        conti += QStringLiteral("\n%1: in %2 estrazioni su %3").arg(QLatin1String(nomi[sorte - 2])).arg(s.date).arg(Date);
        if (s.date > 0)
            conti += QStringLiteral("; ritardo attuale %1, ritardo massimo %2").arg(s.attuale).arg(s.massimo);
    }
    if (!testo.contains(conti))
        return "the prizes or the tiers' delays are not those counted row by row";
    const quint64 mostrate = std::min<quint64>(a.vincenti, RigheMostrate);
    if (quint64(testo.count(QStringLiteral("  riga "))) != mostrate)
        return "the winning rows listed are not the newest " + std::to_string(mostrate);
    const QString altre = QStringLiteral("\n... e altre %1 righe vincenti").arg(a.vincenti - mostrate);
    if (a.vincenti > mostrate ? !testo.endsWith(altre) : testo.contains(QStringLiteral("... e altre")))
        return "the winning rows not listed are not counted as the bench counts them";
    return {};
}

// Timed: the spoglio alone, on the archive already loaded and the list already read.
void Spoglio(benchmark::State &stato)
{
    const Caricato &c = ArchivioCaricato();
    if (!Pronto(stato, c.errore))
        return;
    const Verifica::Lista lista = Verifica::LeggiLista(ListaSpoglio());
    if (int(lista.righe.size()) != RigheLista || lista.nonVerificate != 0) {
        stato.SkipWithError("the list's lines were not all read");
        return;
    }
    SpoglioAtteso();
    const Archivio::Scelta scelta{Archivio::TutteLeRuote, int(c.dati.estrazioni.size())};
    Cronometra(
        stato, [&] { return Archivio::Spoglio(c.dati, lista, scelta); },
        [](const QString &testo) { return ControllaSpoglio(testo, RigheLista); });
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
            || r.frequenza != a.frequenza || r.ultima != a.ultima || r.ruoteUltima != a.ruoteUltima)
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
    const Archivio::Scelta scelta{Archivio::TutteLeRuote, int(c.dati.estrazioni.size())};
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
        const long prima = InizioPicco();
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
    Registra(CasoSpoglio, Spoglio, 1);
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

    const double spoglio = r.Mediana(CasoSpoglio);
    riga("spoglio: 1,000 lines of 6, every wheel and date", Millisecondi(spoglio), Millisecondi(ObiettivoSpoglioMs / 1e3),
         spoglio >= 0 && spoglio * 1e3 <= ObiettivoSpoglioMs);
    const double ritardi = r.Mediana(CasoRitardi);
    riga("delay table: 90 numbers, every wheel and date", Millisecondi(ritardi), Millisecondi(ObiettivoRitardiMs / 1e3),
         ritardi >= 0 && ritardi * 1e3 <= ObiettivoRitardiMs);
    const double picco = r.MedianaContatore(CasoMemoria, ContatoreMemoria);
    const double tenuta = r.MedianaContatore(CasoMemoria, ContatoreTenuta);
    riga("memory to load it, peak beyond the process (held " + Mebibyte(tenuta) + ")", Mebibyte(picco),
         Mebibyte(ObiettivoMemoriaKb), picco >= 0 && picco <= ObiettivoMemoriaKb);
    return mancati;
}
