// The player's conditions. FILTRA on 200,000 lines of six with all seven conditions set,
// the list box updated, against setPlainText of the result alone. The conditioned
// development, timed up to its lines in memory, against the floor: every line of the
// development enumerated and checked, with no pruning. The conditions are checked here by
// the bench's own code from their definitions, sharing nothing with the program's routines:
// the floor is that code, and every result of the program is checked with it.

#include "Condizioni.h"

#include "Casi.h"
#include "Dati.h"
#include "Floor.h"
#include "Tabella.h"

#include "common/Caratteri.h"
#include "common/Twips.h"
#include "condizioni/Condizioni.h"
#include "list/ListaDocumento.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

using Bit = std::array<quint64, 2>;

struct Gruppo
{
    int primo, ultimo; // the numbers from primo to ultimo
    int minimo, massimo;
};

// A case: the numbers 1..v in lines of k, and the conditions; a limit of 0 is not set.
struct Caso
{
    const char *nome;
    const char *floor;
    const char *descrizione;
    int v, k;
    std::vector<Gruppo> gruppi;
    int sommaMinima, sommaMassima;
    int pariMinimi, pariMassimi; // pariMassimi 0: not set
    int decineMassime, cadenzeMassime, serieMassima, distanzaMinima;
    qint64 attese; // the lines known to satisfy, 0 where the floor alone tells
    double obiettivo; // the ratio to the floor
};

const Caso Sviluppi[] = {
    {"condizioni/sviluppa_90_in_6", "floor/every_line_90_in_6",
     "90 in 6: 1-15 and 46-60 3 each, sum 150-220, 2-4 even, <=2 a decade, runs <=2", 90, 6,
     {{1, 15, 3, 3}, {46, 60, 3, 3}}, 150, 220, 2, 4, 2, 0, 2, 0, 84869, 0.1},
    {"condizioni/sviluppa_40_in_8", "floor/every_line_40_in_8", "1-40 in 8: 4-5 of 1-10, sum 150-170, 4 even", 40,
     8, {{1, 10, 4, 5}}, 150, 170, 4, 4, 0, 0, 0, 0, 132141, 0.25},
};

// Under --verifica, as the sanitizers run it: the same kinds of conditions on developments
// of thousandths the size, the result compared line by line with the floor's.
const Caso SviluppiVerifica[] = {
    {"condizioni/sviluppa_30_in_6", "floor/every_line_30_in_6",
     "30 in 6: 5-14 and 17-26 3 each, sum 60-110, 2-4 even, <=2 a decade, runs <=2", 30, 6,
     {{5, 14, 3, 3}, {17, 26, 3, 3}}, 60, 110, 2, 4, 2, 0, 2, 0, 0, 0},
    {"condizioni/sviluppa_24_in_8", "floor/every_line_24_in_8",
     "1-24 in 8: 3-4 of 1-8, sum 80-110, 4 even, <=2 a last digit, distance >=2", 24, 8, {{1, 8, 3, 4}}, 80, 110, 4,
     4, 0, 2, 0, 2, 0, 0},
};

// FILTRA's seven conditions: about three lines of eight pass.
const Caso Filtro = {CasoFiltra, CasoFloorFiltra, "", 90, 6, {{1, 45, 2, 4}}, 150, 400, 2, 4, 2, 2, 2, 2, 0, 0};
constexpr int RigheFiltro = 200000;
constexpr int RigheFiltroVerifica = 20000;

const char *const ContatoreVisitate = "visited";
const char *const ContatoreRighe = "lines";
constexpr double SecondiMassimi = 1.0;

bool gVerificaCondizioni = false;
std::vector<const Caso *> gRegistrati;

// The last run of each case, for --verifica, where one repetition gives no median.
struct Corsa
{
    double secondi = -1;
    double visitate = -1;
    double righe = -1;
};
std::map<std::string, Corsa> gCorse;

// ---- The conditions, by their definitions ------------------------------------------------

int Uni(quint64 x)
{
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return int((x * 0x0101010101010101ULL) >> 56);
}

void Metti(Bit &b, int n)
{
    b[std::size_t(n >> 6)] |= quint64(1) << (n & 63);
}

struct Regole
{
    std::vector<std::pair<Bit, std::pair<int, int>>> gruppi;
    Bit pari{};
    const Caso *caso = nullptr;
};

Regole Prepara(const Caso &caso)
{
    Regole r;
    r.caso = &caso;
    for (const Gruppo &g : caso.gruppi) {
        Bit b{};
        for (int n = g.primo; n <= g.ultimo; ++n)
            Metti(b, n);
        r.gruppi.push_back({b, {g.minimo, g.massimo}});
    }
    for (int n = 2; n <= 90; n += 2)
        Metti(r.pari, n);
    return r;
}

// A line of k ascending numbers, with its bits and its sum.
bool Passa(const Regole &r, const int *n, int k, const Bit &b, int somma)
{
    const Caso &c = *r.caso;
    for (const auto &[gruppo, limiti] : r.gruppi) {
        const int dentro = Uni(b[0] & gruppo[0]) + Uni(b[1] & gruppo[1]);
        if (dentro < limiti.first || dentro > limiti.second)
            return false;
    }
    if (somma < c.sommaMinima || somma > c.sommaMassima)
        return false;
    if (c.pariMassimi > 0) {
        const int pari = Uni(b[0] & r.pari[0]) + Uni(b[1] & r.pari[1]);
        if (pari < c.pariMinimi || pari > c.pariMassimi)
            return false;
    }
    // Ascending numbers: those of one decade, and those of a run, stand side by side.
    int decina = 1;
    int serie = 1;
    int passo = 90;
    for (int i = 1; i < k; ++i) {
        decina = (n[i] - 1) / 10 == (n[i - 1] - 1) / 10 ? decina + 1 : 1;
        serie = n[i] == n[i - 1] + 1 ? serie + 1 : 1;
        passo = std::min(passo, n[i] - n[i - 1]);
        if ((c.decineMassime && decina > c.decineMassime) || (c.serieMassima && serie > c.serieMassima))
            return false;
    }
    if (c.distanzaMinima && k >= 2 && std::min(passo, 90 - (n[k - 1] - n[0])) < c.distanzaMinima)
        return false;
    if (c.cadenzeMassime) {
        int cadenze[10] = {};
        for (int i = 0; i < k; ++i) {
            if (++cadenze[n[i] % 10] > c.cadenzeMassime)
                return false;
        }
    }
    return true;
}

// The program's conditions for the same case.
Condizioni::Impostazioni ImpostazioniDi(const Caso &c)
{
    Condizioni::Impostazioni imp;
    for (std::size_t g = 0; g < c.gruppi.size(); ++g) {
        for (int n = c.gruppi[g].primo; n <= c.gruppi[g].ultimo; ++n)
            imp.gruppi[g].push_back(n);
        imp.limiti[Condizioni::Gruppo1 + g] = {true, c.gruppi[g].minimo, c.gruppi[g].massimo};
    }
    imp.limiti[Condizioni::Somma] = {true, c.sommaMinima, c.sommaMassima};
    if (c.pariMassimi > 0)
        imp.limiti[Condizioni::Pari] = {true, c.pariMinimi, c.pariMassimi};
    if (c.decineMassime)
        imp.limiti[Condizioni::Decine] = {true, 1, c.decineMassime};
    if (c.cadenzeMassime)
        imp.limiti[Condizioni::Cadenze] = {true, 1, c.cadenzeMassime};
    if (c.serieMassima)
        imp.limiti[Condizioni::Consecutivi] = {true, 1, c.serieMassima};
    if (c.distanzaMinima)
        imp.limiti[Condizioni::Distanza] = {true, c.distanzaMinima, 45};
    return imp;
}

void Scrivi(QString &testo, const int *n, int k)
{
    for (int i = 0; i < k; ++i) {
        testo += QChar(char16_t(u'0' + n[i] / 10));
        testo += QChar(char16_t(u'0' + n[i] % 10));
        testo += i + 1 < k ? QChar(u' ') : QChar(u'\r');
    }
    testo += QChar(u'\n');
}

// The floor: every line of k of 1..v in lexicographic order, its sum and bits carried from
// one number to the next, each checked in full; those that pass written as list text.
QString OgniRiga(const Caso &caso, qint64 &righe)
{
    const Regole regole = Prepara(caso);
    const int v = caso.v;
    const int k = caso.k;
    std::vector<int> n(std::size_t(k) + 1);
    std::vector<int> somme(std::size_t(k) + 1, 0);
    std::vector<Bit> bit(std::size_t(k) + 1, Bit{});
    QString testo;
    righe = 0;
    int d = 0;
    n[0] = 1;
    while (d >= 0) {
        if (n[std::size_t(d)] > v - k + d + 1) {
            if (--d >= 0)
                ++n[std::size_t(d)];
            continue;
        }
        const int x = n[std::size_t(d)];
        somme[std::size_t(d) + 1] = somme[std::size_t(d)] + x;
        bit[std::size_t(d) + 1] = bit[std::size_t(d)];
        Metti(bit[std::size_t(d) + 1], x);
        if (d + 1 < k) {
            n[std::size_t(d) + 1] = x + 1;
            ++d;
            continue;
        }
        if (Passa(regole, n.data(), k, bit[std::size_t(k)], somme[std::size_t(k)])) {
            ++righe;
            Scrivi(testo, n.data(), k);
        }
        ++n[std::size_t(d)];
    }
    return testo;
}

// The floor's result for the small cases, made once.
const QString &Atteso(const Caso &caso)
{
    static std::map<const Caso *, QString> attesi;
    auto it = attesi.find(&caso);
    if (it == attesi.end()) {
        qint64 righe = 0;
        it = attesi.emplace(&caso, OgniRiga(caso, righe)).first;
    }
    return it->second;
}

// The lines of a list text of k-number lines: each ascending and passing the conditions, the
// lines in ascending order. Returns how many, or -1 at the first that is not so.
qint64 Controlla(const Caso &caso, const QString &testo)
{
    const Regole regole = Prepara(caso);
    const qsizetype perRiga = 3 * caso.k + 1;
    if (testo.size() % perRiga != 0)
        return -1;
    std::vector<int> precedente;
    for (qsizetype inizio = 0; inizio < testo.size(); inizio += perRiga) {
        std::vector<int> n;
        Bit b{};
        int somma = 0;
        for (int i = 0; i < caso.k; ++i) {
            const QChar *campo = testo.constData() + inizio + 3 * i;
            const int x = (campo[0].unicode() - u'0') * 10 + (campo[1].unicode() - u'0');
            if (x < 1 || x > caso.v || (!n.empty() && x <= n.back()))
                return -1;
            n.push_back(x);
            Metti(b, x);
            somma += x;
        }
        if (!Passa(regole, n.data(), caso.k, b, somma) || (!precedente.empty() && !(precedente < n)))
            return -1;
        precedente = n;
    }
    return testo.size() / perRiga;
}

// ---- The development -----------------------------------------------------------------------

std::vector<int> Numeri(int v)
{
    std::vector<int> numeri;
    for (int n = 1; n <= v; ++n)
        numeri.push_back(n);
    return numeri;
}

void Sviluppa(benchmark::State &stato, const Caso &caso)
{
    const Condizioni::Impostazioni imp = ImpostazioniDi(caso);
    const std::vector<int> numeri = Numeri(caso.v);
    for (auto _ : stato) {
        Avanzamento avanzamento;
        const long long t0 = OraMonotonaNs();
        const Condizioni::Sviluppato esito = Condizioni::Sviluppa(imp, numeri, caso.k, avanzamento);
        stato.SetIterationTime(double(OraMonotonaNs() - t0) / 1e9);
        stato.counters[ContatoreVisitate] = double(esito.visitate);
        stato.counters[ContatoreRighe] = double(esito.righe);
        gCorse[caso.nome] = {double(OraMonotonaNs() - t0) / 1e9, double(esito.visitate), double(esito.righe)};
        const bool giusto = caso.attese > 0 ? esito.righe == caso.attese && Controlla(caso, esito.testo) == caso.attese
                                            : esito.testo == Atteso(caso);
        if (esito.annullato || !giusto) {
            stato.SkipWithError("the development is not the lines that satisfy the conditions");
            break;
        }
    }
}

void FloorSviluppo(benchmark::State &stato, const Caso &caso)
{
    for (auto _ : stato) {
        qint64 righe = 0;
        const long long t0 = OraMonotonaNs();
        const QString testo = OgniRiga(caso, righe);
        stato.SetIterationTime(double(OraMonotonaNs() - t0) / 1e9);
        stato.counters[ContatoreRighe] = double(righe);
        gCorse[caso.floor] = {double(OraMonotonaNs() - t0) / 1e9, -1, double(righe)};
        if ((caso.attese > 0 && righe != caso.attese) || Controlla(caso, testo) != righe) {
            stato.SkipWithError("the floor did not find the lines known to satisfy the conditions");
            break;
        }
    }
}

// ---- FILTRA -----------------------------------------------------------------------------------

int RigheLista()
{
    return gVerificaCondizioni ? RigheFiltroVerifica : RigheFiltro;
}

const QString &ListaFiltro()
{
    static std::map<int, QString> liste;
    auto it = liste.find(RigheLista());
    if (it == liste.end())
        it = liste.emplace(RigheLista(), Dati::ListaCasuale(RigheLista())).first;
    return it->second;
}

// The lines of the list that pass, each followed by CR LF, read here field by field.
const QString &FiltrataAttesa()
{
    static std::map<int, QString> attese;
    auto it = attese.find(RigheLista());
    if (it != attese.end())
        return it->second;
    const Regole regole = Prepara(Filtro);
    const QString &lista = ListaFiltro();
    QString testo;
    for (qsizetype inizio = 0; inizio < lista.size();) {
        const qsizetype fine = lista.indexOf(QStringLiteral("\r\n"), inizio);
        int n[6];
        Bit b{};
        int somma = 0;
        for (int i = 0; i < 6; ++i) {
            const QChar *campo = lista.constData() + inizio + 3 * i;
            n[i] = (campo[0].unicode() - u'0') * 10 + (campo[1].unicode() - u'0');
            Metti(b, n[i]);
            somma += n[i];
        }
        if (Passa(regole, n, 6, b, somma))
            testo += QStringView(lista).sliced(inizio, fine + 2 - inizio);
        inizio = fine + 2;
    }
    return attese.emplace(RigheLista(), testo).first->second;
}

void Completa()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A list box as the main window's: its face, size and scroll bars.
std::unique_ptr<QPlainTextEdit> ListaBox()
{
    auto lista = std::make_unique<QPlainTextEdit>();
    lista->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    lista->resize(Twips::PxRect(7860, 510, 4335, 6345).size());
    lista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    lista->show();
    if (!QTest::qWaitForWindowExposed(lista.get()))
        std::fprintf(stderr, "list box not exposed\n");
    Completa();
    return lista;
}

void Incolla(QPlainTextEdit &lista, const QString &testo)
{
    lista.setPlainText(testo);
    lista.moveCursor(QTextCursor::End);
    lista.ensureCursorVisible();
    Completa();
}

// The list as pasted; timed: the conditions checked, the box's raw text taken and filtered,
// and the box given the result as one step of its history, until it has repainted.
void Filtra(benchmark::State &stato)
{
    const Condizioni::Impostazioni imp = ImpostazioniDi(Filtro);
    const QString &attesa = FiltrataAttesa();
    auto lista = ListaBox();
    for (auto _ : stato) {
        Incolla(*lista, ListaFiltro());
        const long long t0 = OraMonotonaNs();
        bool valide = Condizioni::Controlla(imp, 90).isEmpty();
        const QString testo = lista->document()->toRawText();
        const Condizioni::Filtrato filtrato = Condizioni::Filtra(imp, testo, false);
        ListaDocumento::Sostituisci(*lista, filtrato.testo);
        Completa();
        stato.SetIterationTime(double(OraMonotonaNs() - t0) / 1e9);
        stato.counters[ContatoreRighe] = filtrato.tenute;
        valide = valide && lista->document()->isUndoAvailable();
        if (!valide || ListaDocumento::Testo(*lista->document()) != attesa) {
            stato.SkipWithError("FILTRA did not leave the lines that satisfy the conditions");
            break;
        }
    }
}

void FloorFiltra(benchmark::State &stato)
{
    const QString &attesa = FiltrataAttesa();
    auto lista = ListaBox();
    for (auto _ : stato) {
        Incolla(*lista, QString());
        const long long t0 = OraMonotonaNs();
        lista->setPlainText(attesa);
        Completa();
        stato.SetIterationTime(double(OraMonotonaNs() - t0) / 1e9);
    }
}

std::string Tempo(double secondi)
{
    char testo[32] = "-";
    if (secondi >= 0)
        std::snprintf(testo, sizeof testo, secondi < 10 ? "%.2f ms" : "%.0f ms", secondi * 1e3);
    return testo;
}

} // namespace

void RegistraCondizioni(bool verifica)
{
    gVerificaCondizioni = verifica;
    Registra(CasoFiltra, Filtra, 1);
    Registra(CasoFloorFiltra, FloorFiltra, 1);
    for (const Caso &caso : verifica ? SviluppiVerifica : Sviluppi) {
        gRegistrati.push_back(&caso);
        Registra(caso.nome, [&caso](benchmark::State &s) { Sviluppa(s, caso); }, 1);
        // Seconds each: three repetitions give a median that the ratio can stand on.
        Registra(caso.floor, [&caso](benchmark::State &s) { FloorSviluppo(s, caso); }, 1, verifica ? 0 : 3);
    }
}

int StampaCondizioni(const Raccoglitore &r, bool verifica)
{
    bool titolo = false;
    int mancati = 0;
    for (const Caso *caso : gRegistrati) {
        const double nostro = verifica ? gCorse[caso->nome].secondi : r.Mediana(caso->nome);
        const double floor = verifica ? gCorse[caso->floor].secondi : r.Mediana(caso->floor);
        const double visitate = verifica ? gCorse[caso->nome].visitate : r.MedianaContatore(caso->nome, ContatoreVisitate);
        const double righe = verifica ? gCorse[caso->nome].righe : r.MedianaContatore(caso->nome, ContatoreRighe);
        if (nostro < 0 && floor < 0)
            continue;
        if (!titolo) {
            std::printf("\n%-76s %10s %10s %7s %14s %10s %8s\n",
                        verifica ? "conditioned development, lines in memory (one run)"
                                 : "conditioned development, lines in memory (medians)",
                        "ours", "floor", "ratio", "goal", "visited", "lines");
            std::printf("%s\n", std::string(142, '-').c_str());
            titolo = true;
        }
        const double rapporto = nostro > 0 && floor > 0 ? nostro / floor : -1;
        char rapportoTesto[16] = "-";
        if (rapporto > 0)
            std::snprintf(rapportoTesto, sizeof rapportoTesto, "%.4fx", rapporto);
        char obiettivo[32] = "checked";
        const char *esito = "";
        if (!verifica) {
            std::snprintf(obiettivo, sizeof obiettivo, "1 s, %.2fx", caso->obiettivo);
            const bool ok = nostro > 0 && nostro <= SecondiMassimi && rapporto > 0 && rapporto <= caso->obiettivo;
            mancati += ok ? 0 : 1;
            esito = ok ? "ok" : "MISSED";
        }
        std::printf("%-76s %10s %10s %7s %14s %10.0f %8.0f %s\n", caso->descrizione, Tempo(nostro).c_str(),
                    Tempo(floor).c_str(), rapportoTesto, obiettivo, visitate, righe, esito);
    }
    if (titolo)
        std::printf("(visited: the partial lines of 1 to k numbers that the pruned enumeration built and checked)\n");
    return mancati;
}
