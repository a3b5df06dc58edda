#include "verifica/Verifica.h"

#include "common/Bit.h"

#include <algorithm>

namespace Verifica {

void Numeri::Aggiungi(int numero)
{
    if (numero >= 1 && numero <= NumeroMassimo)
        bit[std::size_t(numero >> 6)] |= quint64(1) << (numero & 63);
}

bool Numeri::Contiene(int numero) const
{
    return numero >= 1 && numero <= NumeroMassimo && (bit[std::size_t(numero >> 6)] >> (numero & 63) & 1) != 0;
}

int Numeri::Quanti() const
{
    return Bit::Conta(bit[0]) + Bit::Conta(bit[1]);
}

std::vector<int> Numeri::Elenco() const
{
    std::vector<int> elenco;
    elenco.reserve(std::size_t(Quanti()));
    for (int parola = 0; parola < 2; ++parola) {
        for (quint64 resto = bit[std::size_t(parola)]; resto != 0; resto &= resto - 1)
            elenco.push_back(parola * 64 + Bit::Primo(resto));
    }
    return elenco;
}

Numeri Numeri::operator&(const Numeri &altri) const
{
    Numeri comuni;
    comuni.bit = {bit[0] & altri.bit[0], bit[1] & altri.bit[1]};
    return comuni;
}

Numeri Numeri::operator|(const Numeri &altri) const
{
    Numeri uniti;
    uniti.bit = {bit[0] | altri.bit[0], bit[1] | altri.bit[1]};
    return uniti;
}

bool LeggiRiga(QStringView riga, Numeri &numeri)
{
    numeri = Numeri();
    const char16_t *leggi = riga.utf16();
    const char16_t *const fine = leggi + riga.size();
    while (leggi < fine) {
        if (*leggi == u' ') {
            ++leggi;
            continue;
        }
        unsigned valore = 0;
        for (; leggi < fine && *leggi != u' '; ++leggi) {
            const unsigned cifra = unsigned(*leggi) - u'0';
            // Leading zeros keep the value at 0, so a long run of them cannot overflow.
            if (cifra > 9)
                return false;
            valore = valore * 10 + cifra;
            if (valore > unsigned(NumeroMassimo))
                return false;
        }
        if (valore == 0)
            return false;
        numeri.Aggiungi(int(valore));
    }
    return true;
}

Lista LeggiLista(QStringView testo)
{
    Lista lista;
    const qsizetype fineTesto = testo.size();
    qsizetype inizio = 0;
    int numero = 0;
    for (;;) {
        ++numero;
        // A lone CR belongs to its line, as the list box's own splitting has it.
        qsizetype fine = inizio;
        for (;;) {
            fine = testo.indexOf(u'\r', fine);
            if (fine < 0 || (fine + 1 < fineTesto && testo[fine + 1] == u'\n'))
                break;
            ++fine;
        }
        if (fine < 0)
            fine = fineTesto;
        const QStringView riga = testo.sliced(inizio, fine - inizio);
        Numeri numeri;
        if (!LeggiRiga(riga, numeri)) {
            ++lista.nonVerificate;
            if (lista.primaNonVerificata == 0)
                lista.primaNonVerificata = numero;
        } else if (numeri.Quanti() > 0) {
            // A line of spaces alone holds nothing, like an empty one.
            lista.righe.push_back({numero, numeri});
        }
        if (fine == fineTesto)
            break;
        inizio = fine + 2;
    }
    lista.vuota = lista.righe.empty() && lista.nonVerificate == 0;
    return lista;
}

namespace {

bool Cifra(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A refused number as the message names it: a very long run of digits is cut short.
QString NomeNumero(QStringView cifre)
{
    constexpr qsizetype Mostrate = 12;
    if (cifre.size() <= Mostrate)
        return cifre.toString();
    return cifre.first(Mostrate - 2).toString() + QChar(0x2026);
}

} // namespace

Estrazione LeggiEstrazione(QStringView testo)
{
    Estrazione estrazione;
    Numeri visti;
    std::vector<int> numeri;
    const qsizetype fine = testo.size();
    for (qsizetype i = 0; i < fine;) {
        if (!Cifra(testo[i].unicode())) {
            ++i;
            continue;
        }
        const qsizetype inizio = i;
        qsizetype significativa = -1;
        for (; i < fine && Cifra(testo[i].unicode()); ++i) {
            if (significativa < 0 && testo[i] != u'0')
                significativa = i;
        }
        const QStringView cifre = testo.sliced(inizio, i - inizio);
        // Only the significant digits count: "007" is 7, and no run of digits overflows.
        int valore = 0;
        if (significativa >= 0 && i - significativa <= 2) {
            for (qsizetype c = significativa; c < i; ++c)
                valore = valore * 10 + (testo[c].unicode() - u'0');
        }
        if (valore < 1 || valore > NumeroMassimo) {
            estrazione.esito = Estrazione::FuoriIntervallo;
            estrazione.numero = NomeNumero(cifre);
            return estrazione;
        }
        if (visti.Contiene(valore)) {
            estrazione.esito = Estrazione::Ripetuto;
            estrazione.numero = NomeNumero(cifre);
            return estrazione;
        }
        visti.Aggiungi(valore);
        numeri.push_back(valore);
    }
    // A number that is wrong in itself is named first, wherever it stands; the count after.
    if (numeri.empty())
        estrazione.esito = Estrazione::NessunNumero;
    else if (numeri.size() > std::size_t(EstrattiMassimi))
        estrazione.esito = Estrazione::Troppi;
    else {
        estrazione.esito = Estrazione::Valida;
        estrazione.numeri = std::move(numeri);
    }
    return estrazione;
}

QString MessaggioEstrazione(const Estrazione &estrazione)
{
    switch (estrazione.esito) {
    case Estrazione::Valida:
        break;
    case Estrazione::NessunNumero:
        return QStringLiteral("Nessun numero nell'estrazione ..!");
    case Estrazione::FuoriIntervallo:
        return QStringLiteral("Il numero %1 non è tra 1 e %2 ..!").arg(estrazione.numero).arg(NumeroMassimo);
    case Estrazione::Ripetuto:
        return QStringLiteral("Il numero %1 è ripetuto ..!").arg(estrazione.numero);
    case Estrazione::Troppi:
        return QStringLiteral("Al massimo %1 numeri per estrazione ..!").arg(EstrattiMassimi);
    }
    return QString();
}

namespace {

// Builds a text of ASCII fields without a temporary string for each of them.
class Scrittura
{
public:
    explicit Scrittura(QString &testo)
        : m_testo(testo)
    {
    }
    void Testo(QStringView parte) { m_testo += parte; }
    void Latino(const char *parte) { m_testo += QLatin1String(parte); }
    void Intero(quint64 valore) { m_testo += QString::number(valore); }
    void DueCifre(int numero)
    {
        const QChar cifre[2] = {QChar(u'0' + numero / 10), QChar(u'0' + numero % 10)};
        m_testo.append(cifre, 2);
    }
    void Carattere(char16_t c) { m_testo += QChar(c); }

private:
    QString &m_testo;
};

quint64 Coppie(int h, int k)
{
    // C(h, k) for h up to 90 and k up to 5: the product stays far inside 64 bits.
    quint64 c = 1;
    for (int i = 0; i < k; ++i)
        c = c * quint64(h - i) / quint64(i + 1);
    return h < k ? 0 : c;
}

} // namespace

QString TestoVerifica(const Lista &lista, const Estrazione &estrazione)
{
    Numeri estratti;
    for (int n : estrazione.numeri)
        estratti.Aggiungi(n);

    // Hits of every line first: the counts head the text, the lines follow it.
    std::vector<quint64> perPunti(std::size_t(NumeroMassimo) + 1, 0);
    int massimaRiga = 0;
    int vincenti = 0;
    std::size_t caratteriVincenti = 0;
    for (const RigaLetta &riga : lista.righe) {
        const int quanti = riga.numeri.Quanti();
        const int punti = (riga.numeri & estratti).Quanti();
        massimaRiga = std::max(massimaRiga, quanti);
        ++perPunti[std::size_t(punti)];
        if (punti >= 2) {
            ++vincenti;
            caratteriVincenti += 16 + 3 * std::size_t(quanti) + 2 * std::size_t(punti);
        }
    }

    QString testo;
    testo.reserve(qsizetype(200 + caratteriVincenti));
    Scrittura s(testo);
    s.Latino("Estrazione:");
    for (int n : estratti.Elenco()) {
        s.Carattere(u' ');
        s.DueCifre(n);
    }
    s.Latino("\nRighe verificate: ");
    s.Intero(lista.righe.size());
    if (lista.nonVerificate > 0) {
        s.Latino(" (non verificate: ");
        s.Intero(quint64(lista.nonVerificate));
        s.Testo(u", la prima è la riga ");
        s.Intero(quint64(lista.primaNonVerificata));
        s.Carattere(u')');
    }
    if (vincenti == 0) {
        s.Latino("\nNessuna riga con almeno 2 punti");
        return testo;
    }
    // From the most hits a line could have, so that the top prize shows even when missed.
    const int massimi = std::max(2, std::min(estratti.Quanti(), massimaRiga));
    for (int h = massimi; h >= 2; --h) {
        s.Latino("\nRighe con ");
        s.Intero(quint64(h));
        s.Latino(" punti: ");
        s.Intero(perPunti[std::size_t(h)]);
    }
    quint64 sorti[4] = {};
    for (int h = 2; h <= NumeroMassimo; ++h) {
        for (int k = 2; k <= 5; ++k)
            sorti[k - 2] += perPunti[std::size_t(h)] * Coppie(h, k);
    }
    const char *const nomi[4] = {"\nAmbi: ", "  Terni: ", "  Quaterne: ", "  Cinquine: "};
    for (int k = 0; k < 4; ++k) {
        s.Latino(nomi[k]);
        s.Intero(sorti[k]);
    }
    for (const RigaLetta &riga : lista.righe) {
        const Numeri presi = riga.numeri & estratti;
        if (presi.Quanti() < 2)
            continue;
        s.Latino("\nRiga ");
        s.Intero(quint64(riga.numero));
        s.Carattere(u':');
        ScriviRiga(testo, riga.numeri, presi);
    }
    return testo;
}

void ScriviRiga(QString &testo, const Numeri &riga, const Numeri &presi)
{
    Scrittura s(testo);
    for (int parola = 0; parola < 2; ++parola) {
        for (quint64 resto = riga.bit[std::size_t(parola)]; resto != 0; resto &= resto - 1) {
            const int n = parola * 64 + Bit::Primo(resto);
            const bool preso = presi.Contiene(n);
            s.Latino(preso ? " [" : " ");
            s.DueCifre(n);
            if (preso)
                s.Carattere(u']');
        }
    }
}

} // namespace Verifica
