#include "condizioni/Condizioni.h"

#include "common/Bit.h"

#include <algorithm>

namespace Condizioni {

using Verifica::Numeri;

namespace {

constexpr int Giro = 90;
// The distance of a line without two numbers: none of its pairs is closer than any other.
constexpr int DistanzaSenzaCoppie = Giro / 2;

bool Gruppo(int condizione)
{
    return condizione >= Gruppo1 && condizione < Gruppo1 + GruppiMassimi;
}

const Numeri &NumeriPari()
{
    static const Numeri pari = [] {
        Numeri n;
        for (int numero = 2; numero <= Giro; numero += 2)
            n.Aggiungi(numero);
        return n;
    }();
    return pari;
}

int Quanti(const Numeri &riga, const Numeri &insieme)
{
    return Bit::Conta(riga.bit[0] & insieme.bit[0]) + Bit::Conta(riga.bit[1] & insieme.bit[1]);
}

// The longest run of consecutive numbers: each step keeps only the numbers whose
// predecessor is there too, so the steps until none is left are the run's length.
int SerieMassima(const Numeri &riga)
{
    quint64 basso = riga.bit[0];
    quint64 alto = riga.bit[1];
    int lunghezza = 0;
    while ((basso | alto) != 0) {
        alto &= alto << 1 | basso >> 63;
        basso &= basso << 1;
        ++lunghezza;
    }
    return lunghezza;
}

// What needs the numbers one by one, in one pass over them.
struct PerNumero
{
    int somma = 0;
    int decine = 0;
    int cadenze = 0;
    int distanza = DistanzaSenzaCoppie;
};

PerNumero Scorri(const Numeri &riga)
{
    PerNumero esito;
    std::array<quint8, 9> decine{};
    std::array<quint8, 10> cadenze{};
    int primo = 0;
    int precedente = 0;
    int passo = Giro;
    for (int parola = 0; parola < 2; ++parola) {
        for (quint64 resto = riga.bit[std::size_t(parola)]; resto != 0; resto &= resto - 1) {
            const int n = parola * 64 + Bit::Primo(resto);
            esito.somma += n;
            esito.decine = std::max(esito.decine, int(++decine[std::size_t((n - 1) / 10)]));
            esito.cadenze = std::max(esito.cadenze, int(++cadenze[std::size_t(n % 10)]));
            if (precedente == 0)
                primo = n;
            else
                passo = std::min(passo, n - precedente);
            precedente = n;
        }
    }
    // Round the wheel the closest pair is one of the neighbours, the last and the first too.
    if (precedente != primo)
        esito.distanza = std::min(passo, Giro - (precedente - primo));
    return esito;
}

} // namespace

QString Nome(int condizione)
{
    if (Gruppo(condizione))
        return QStringLiteral("Gruppo %1").arg(condizione - Gruppo1 + 1);
    switch (condizione) {
    case Somma:
        return QStringLiteral("Somma");
    case Pari:
        return QStringLiteral("Pari");
    case Decine:
        return QStringLiteral("Decine");
    case Cadenze:
        return QStringLiteral("Cadenze");
    case Consecutivi:
        return QStringLiteral("Consecutivi");
    case Distanza:
        return QStringLiteral("Distanza");
    }
    return QString();
}

int ValoreMinimo(int condizione)
{
    return Gruppo(condizione) || condizione == Pari ? 0 : 1;
}

int ValoreMassimo(int condizione)
{
    if (Gruppo(condizione))
        return Giro;
    switch (condizione) {
    case Somma:
        return Giro * (Giro + 1) / 2;
    case Pari:
    case Distanza:
        return Giro / 2;
    case Decine:
        return 10;
    case Cadenze:
        return 9;
    case Consecutivi:
        return Giro;
    }
    return 0;
}

int Impostate(const Impostazioni &impostazioni)
{
    return int(std::count_if(impostazioni.limiti.begin(), impostazioni.limiti.end(),
                             [](const Limiti &l) { return l.attiva; }));
}

int Richieste(const Impostazioni &impostazioni)
{
    return impostazioni.almeno > 0 ? impostazioni.almeno : Impostate(impostazioni);
}

// ---- Before anything runs --------------------------------------------------------------

QString Controlla(const Impostazioni &impostazioni, int numeriGriglia)
{
    for (int c = 0; c < Quante; ++c) {
        const Limiti &l = impostazioni.limiti[std::size_t(c)];
        if (!l.attiva)
            continue;
        const QString nome = Nome(c);
        for (const auto &[valore, quale] : {std::pair{l.minimo, "minimo"}, std::pair{l.massimo, "massimo"}}) {
            if (valore < ValoreMinimo(c) || valore > ValoreMassimo(c))
                return QStringLiteral("%1: il %2 va da %3 a %4 ..!")
                    .arg(nome, QLatin1String(quale))
                    .arg(ValoreMinimo(c))
                    .arg(ValoreMassimo(c));
        }
        if (l.minimo > l.massimo)
            return QStringLiteral("%1: il minimo (%2)|supera il massimo (%3) ..!").arg(nome).arg(l.minimo).arg(l.massimo);
        if (!Gruppo(c))
            continue;
        const std::vector<int> &gruppo = impostazioni.gruppi[std::size_t(c - Gruppo1)];
        for (int numero : gruppo) {
            if (numero < 1 || numero > Giro)
                return QStringLiteral("%1: il numero %2 non è tra 1 e %3 ..!").arg(nome).arg(numero).arg(Giro);
            if (numero > numeriGriglia)
                return QStringLiteral("%1: il numero %2 non è|nella griglia di %3 numeri ..!")
                    .arg(nome)
                    .arg(numero)
                    .arg(numeriGriglia);
        }
        if (l.minimo > int(gruppo.size()))
            return QStringLiteral("%1 ha %2:|nessuna riga ne può avere %3 ..!")
                .arg(nome,
                     gruppo.size() == 1 ? QStringLiteral("1 numero") : QStringLiteral("%1 numeri").arg(gruppo.size()))
                .arg(l.minimo);
    }
    const int impostate = Impostate(impostazioni);
    if (impostate == 0)
        return QStringLiteral("Nessuna condizione impostata ..!");
    if (impostazioni.almeno < 0 || impostazioni.almeno > impostate)
        return QStringLiteral("Almeno %1 condizioni,|ma ne sono impostate %2 ..!").arg(impostazioni.almeno).arg(impostate);
    return QString();
}

QString Controlla(const Impostazioni &impostazioni, int numeriGriglia, const std::vector<int> &numeri, int k)
{
    const QString errore = Controlla(impostazioni, numeriGriglia);
    if (!errore.isEmpty())
        return errore;
    if (k < 1 || k > int(numeri.size()))
        return QStringLiteral("Per righe di %1 numeri|ne servono almeno %1 ..!").arg(k);
    // The board's selection is always so; anything else would measure numbers off the wheel.
    for (std::size_t i = 0; i < numeri.size(); ++i) {
        if (numeri[i] < 1 || numeri[i] > numeriGriglia || numeri[i] > Giro || (i > 0 && numeri[i] <= numeri[i - 1]))
            return QStringLiteral("Il numero %1 non è nella griglia|o non è in ordine ..!").arg(numeri[i]);
    }
    for (int c = 0; c < Quante; ++c) {
        const Limiti &l = impostazioni.limiti[std::size_t(c)];
        if (!l.attiva)
            continue;
        const Portata portata = Raggiungibili(c, impostazioni, numeri, k);
        if (l.massimo < portata.minimo || l.minimo > portata.massimo)
            return QStringLiteral("%1 da %2 a %3: le righe di %4|di questi numeri vanno da %5 a %6 ..!")
                .arg(Nome(c))
                .arg(l.minimo)
                .arg(l.massimo)
                .arg(k)
                .arg(portata.minimo)
                .arg(portata.massimo);
    }
    return QString();
}

namespace {

// Classes (decades, last digits) of `quanti` numbers each: the least and the most that one
// class holds over the lines of k.
Portata PerClassi(const std::vector<int> &conteggi, int k)
{
    Portata portata;
    portata.massimo = std::min(k, *std::max_element(conteggi.begin(), conteggi.end()));
    // The least m under which k numbers fit, at most m from a class.
    portata.minimo = 1;
    for (;;) {
        int posti = 0;
        for (int c : conteggi)
            posti += std::min(c, portata.minimo);
        if (posti >= k)
            break;
        ++portata.minimo;
    }
    return portata;
}

} // namespace

Portata Raggiungibili(int condizione, const Impostazioni &impostazioni, const std::vector<int> &numeri, int k)
{
    const int v = int(numeri.size());
    Portata portata;
    if (k < 1 || k > v)
        return portata;
    if (Gruppo(condizione) || condizione == Pari) {
        int dentro = 0;
        if (condizione == Pari) {
            dentro = int(std::count_if(numeri.begin(), numeri.end(), [](int n) { return n % 2 == 0; }));
        } else {
            const std::vector<int> &gruppo = impostazioni.gruppi[std::size_t(condizione - Gruppo1)];
            for (int n : numeri)
                dentro += std::binary_search(gruppo.begin(), gruppo.end(), n) ? 1 : 0;
        }
        return {std::max(0, k - (v - dentro)), std::min(k, dentro)};
    }
    switch (condizione) {
    case Somma:
        for (int i = 0; i < k; ++i) {
            portata.minimo += numeri[std::size_t(i)];
            portata.massimo += numeri[std::size_t(v - 1 - i)];
        }
        return portata;
    case Decine:
    case Cadenze: {
        std::vector<int> conteggi(condizione == Decine ? 9 : 10, 0);
        for (int n : numeri)
            ++conteggi[std::size_t(condizione == Decine ? (n - 1) / 10 : n % 10)];
        return PerClassi(conteggi, k);
    }
    case Consecutivi: {
        std::vector<int> serie;
        for (int i = 0; i < v; ++i) {
            if (i > 0 && numeri[std::size_t(i)] == numeri[std::size_t(i - 1)] + 1)
                ++serie.back();
            else
                serie.push_back(1);
        }
        portata.massimo = std::min(k, *std::max_element(serie.begin(), serie.end()));
        // The least run under which k numbers fit: of a run of L, all but every (m+1)-th.
        for (portata.minimo = 1;; ++portata.minimo) {
            int posti = 0;
            for (int l : serie)
                posti += l - l / (portata.minimo + 1);
            if (posti >= k)
                break;
        }
        return portata;
    }
    case Distanza: {
        if (k < 2)
            return {DistanzaSenzaCoppie, DistanzaSenzaCoppie};
        // The closest pair of all: two neighbours round the wheel.
        portata.minimo = DistanzaSenzaCoppie;
        for (int i = 0; i < v; ++i) {
            const int passo = i + 1 < v ? numeri[std::size_t(i + 1)] - numeri[std::size_t(i)]
                                        : Giro - (numeri[std::size_t(v - 1)] - numeri[0]);
            portata.minimo = std::min(portata.minimo, std::min(passo, Giro - passo));
        }
        // The widest spacing: from each first number, the next one as early as the spacing
        // allows, and the last far enough from the first round the wheel.
        for (portata.massimo = DistanzaSenzaCoppie; portata.massimo > portata.minimo; --portata.massimo) {
            const int d = portata.massimo;
            bool trovata = false;
            for (int s = 0; s < v && !trovata; ++s) {
                int presi = 1;
                int ultimo = numeri[std::size_t(s)];
                for (int i = s + 1; i < v && presi < k; ++i) {
                    if (numeri[std::size_t(i)] - ultimo >= d) {
                        ultimo = numeri[std::size_t(i)];
                        ++presi;
                    }
                }
                trovata = presi == k && ultimo - numeri[std::size_t(s)] <= Giro - d;
            }
            if (trovata)
                break;
        }
        return portata;
    }
    }
    return portata;
}

// ---- One line -------------------------------------------------------------------------

Criterio::Criterio(const Impostazioni &impostazioni)
    : m_limiti(impostazioni.limiti)
{
    for (int g = 0; g < GruppiMassimi; ++g) {
        for (int n : impostazioni.gruppi[std::size_t(g)])
            m_gruppi[std::size_t(g)].Aggiungi(n);
    }
    m_ammessi = std::max(0, Impostate(impostazioni) - Richieste(impostazioni));
    for (int c : {Somma, Decine, Cadenze, Distanza})
        m_perNumero = m_perNumero || m_limiti[std::size_t(c)].attiva;
}

int Criterio::Misura(int condizione, const Numeri &riga) const
{
    if (Gruppo(condizione))
        return Quanti(riga, m_gruppi[std::size_t(condizione - Gruppo1)]);
    switch (condizione) {
    case Pari:
        return Quanti(riga, NumeriPari());
    case Consecutivi:
        return SerieMassima(riga);
    case Somma:
        return Scorri(riga).somma;
    case Decine:
        return Scorri(riga).decine;
    case Cadenze:
        return Scorri(riga).cadenze;
    case Distanza:
        return Scorri(riga).distanza;
    }
    return 0;
}

bool Criterio::Soddisfa(const Numeri &riga) const
{
    const PerNumero perNumero = m_perNumero ? Scorri(riga) : PerNumero();
    int falliti = 0;
    for (int c = 0; c < Quante; ++c) {
        const Limiti &l = m_limiti[std::size_t(c)];
        if (!l.attiva)
            continue;
        int valore = 0;
        switch (c) {
        case Somma:
            valore = perNumero.somma;
            break;
        case Pari:
            valore = Quanti(riga, NumeriPari());
            break;
        case Decine:
            valore = perNumero.decine;
            break;
        case Cadenze:
            valore = perNumero.cadenze;
            break;
        case Consecutivi:
            valore = SerieMassima(riga);
            break;
        case Distanza:
            valore = perNumero.distanza;
            break;
        default:
            valore = Quanti(riga, m_gruppi[std::size_t(c - Gruppo1)]);
        }
        if ((valore < l.minimo || valore > l.massimo) && ++falliti > m_ammessi)
            return false;
    }
    return true;
}

// ---- The list ---------------------------------------------------------------------------

namespace {

enum class Tipo { Vuota, NonNumeri, Soddisfa, NonSoddisfa };

// Every line of the text with what it is; `azione` returns false to stop. Lines end at CR LF,
// as in the list text (a lone CR belongs to its line, as Verifica reads it), and at the
// paragraph and line separators of the list box's raw text, which so needs no conversion.
template<typename Azione>
bool PerRiga(QStringView testo, const Criterio &criterio, Azione azione)
{
    const char16_t *const dati = testo.utf16();
    const qsizetype fineTesto = testo.size();
    for (qsizetype inizio = 0;;) {
        qsizetype fine = inizio;
        qsizetype separatore = 0;
        for (; fine < fineTesto; ++fine) {
            const char16_t c = dati[fine];
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
                separatore = 1;
                break;
            }
            if (c == u'\r' && fine + 1 < fineTesto && dati[fine + 1] == u'\n') {
                separatore = 2;
                break;
            }
        }
        const QStringView riga = testo.sliced(inizio, fine - inizio);
        Numeri numeri;
        Tipo tipo = Tipo::NonNumeri;
        if (Verifica::LeggiRiga(riga, numeri))
            tipo = numeri.Quanti() == 0 ? Tipo::Vuota : criterio.Soddisfa(numeri) ? Tipo::Soddisfa : Tipo::NonSoddisfa;
        if (!azione(riga, tipo, fine))
            return false;
        if (fine == fineTesto)
            return true;
        inizio = fine + separatore;
    }
}

void Conta(Conteggio &conteggio, Tipo tipo)
{
    switch (tipo) {
    case Tipo::Vuota:
        ++conteggio.vuote;
        break;
    case Tipo::NonNumeri:
        ++conteggio.nonNumeri;
        break;
    case Tipo::Soddisfa:
        ++conteggio.soddisfano;
        ++conteggio.righe;
        break;
    case Tipo::NonSoddisfa:
        ++conteggio.righe;
        break;
    }
}

} // namespace

bool Conta(const Impostazioni &impostazioni, QStringView testo, Conteggio &conteggio, ::Avanzamento &avanzamento)
{
    conteggio = Conteggio();
    const Criterio criterio(impostazioni);
    // An empty text is one empty line, as the list box has it.
    const double lunghezza = double(std::max<qsizetype>(1, testo.size()));
    int finoAlControllo = 0;
    const bool finito = PerRiga(testo, criterio, [&](QStringView, Tipo tipo, qsizetype fine) {
        Conta(conteggio, tipo);
        if (++finoAlControllo < 4096)
            return true;
        finoAlControllo = 0;
        avanzamento.millesimi = int(1000 * double(fine) / lunghezza);
        return !avanzamento.Annullato();
    });
    if (!finito || avanzamento.Annullato())
        return false;
    avanzamento.millesimi = 1000;
    return true;
}

QString TestoConteggio(const Conteggio &conteggio)
{
    return QStringLiteral("Soddisfano: %1 %2 su %3")
        .arg(conteggio.soddisfano)
        .arg(conteggio.soddisfano == 1 ? QStringLiteral("riga") : QStringLiteral("righe"))
        .arg(conteggio.righe);
}

Filtrato Filtra(const Impostazioni &impostazioni, QStringView testo, bool scarta)
{
    Filtrato filtrato;
    const Criterio criterio(impostazioni);
    // Room for every line with CR LF, even where the text ended each with one character:
    // the pages left unwritten cost nothing.
    filtrato.testo = QString(testo.size() + testo.size() / 2 + 2, Qt::Uninitialized);
    char16_t *const inizio = reinterpret_cast<char16_t *>(filtrato.testo.data());
    char16_t *scrivi = inizio;
    PerRiga(testo, criterio, [&](QStringView riga, Tipo tipo, qsizetype) {
        Conta(filtrato.conteggio, tipo);
        bool tieni = tipo == Tipo::NonNumeri;
        if (tipo == Tipo::Soddisfa || tipo == Tipo::NonSoddisfa) {
            tieni = (tipo == Tipo::Soddisfa) != scarta;
            filtrato.tenute += tieni ? 1 : 0;
        }
        if (tieni) {
            scrivi = std::copy(riga.utf16(), riga.utf16() + riga.size(), scrivi);
            *scrivi++ = u'\r';
            *scrivi++ = u'\n';
        }
        return true;
    });
    filtrato.testo.truncate(scrivi - inizio);
    filtrato.testo.squeeze();
    return filtrato;
}

} // namespace Condizioni
