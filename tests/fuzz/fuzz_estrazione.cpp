// Reading a draw field and list lines from arbitrary text, against a reading written out here.

#include "Verifica.h"

#include "verifica/Verifica.h"

#include <optional>
#include <vector>

namespace {

bool Cifra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A run of digits as a number from 1 to 90, or nothing when it is any other number.
std::optional<int> Numero(QStringView cifre)
{
    QStringView significative = cifre;
    while (!significative.isEmpty() && significative.front() == u'0')
        significative = significative.sliced(1);
    if (significative.isEmpty() || significative.size() > 2)
        return std::nullopt;
    const int valore = significative.toInt();
    return valore <= 90 ? std::optional<int>(valore) : std::nullopt;
}

// A list line: its numbers, or nothing when a space-separated token is not one.
std::optional<std::vector<bool>> Riga(QStringView riga)
{
    std::vector<bool> numeri(91, false);
    for (QStringView token : riga.split(u' ', Qt::SkipEmptyParts)) {
        for (QChar c : token) {
            if (!Cifra(c))
                return std::nullopt;
        }
        const std::optional<int> n = Numero(token);
        if (!n)
            return std::nullopt;
        numeri[std::size_t(*n)] = true;
    }
    return numeri;
}

std::vector<bool> Insieme(const Verifica::Numeri &numeri)
{
    std::vector<bool> insieme(91, false);
    for (int n : numeri.Elenco()) {
        VERIFICA(n >= 1 && n <= 90);
        insieme[std::size_t(n)] = true;
    }
    return insieme;
}

void ControllaEstrazione(const QString &testo)
{
    using Verifica::Estrazione;
    // The runs of digits in order; the first wrong one is the one refused.
    std::vector<int> numeri;
    std::vector<bool> visti(91, false);
    std::optional<Estrazione::Esito> rifiuto;
    QStringView rifiutato;
    for (qsizetype i = 0; i < testo.size() && !rifiuto;) {
        if (!Cifra(testo[i])) {
            ++i;
            continue;
        }
        const qsizetype inizio = i;
        while (i < testo.size() && Cifra(testo[i]))
            ++i;
        const QStringView cifre = QStringView(testo).sliced(inizio, i - inizio);
        const std::optional<int> n = Numero(cifre);
        if (!n || *n == 0) {
            rifiuto = Estrazione::FuoriIntervallo;
            rifiutato = cifre;
        } else if (visti[std::size_t(*n)]) {
            rifiuto = Estrazione::Ripetuto;
            rifiutato = cifre;
        } else {
            visti[std::size_t(*n)] = true;
            numeri.push_back(*n);
        }
    }
    if (!rifiuto && numeri.empty())
        rifiuto = Estrazione::NessunNumero;
    else if (!rifiuto && numeri.size() > 20)
        rifiuto = Estrazione::Troppi;

    const Estrazione letta = Verifica::LeggiEstrazione(testo);
    const QString messaggio = Verifica::MessaggioEstrazione(letta);
    if (!rifiuto) {
        VERIFICA(letta.esito == Estrazione::Valida);
        VERIFICA(letta.numeri == numeri);
        VERIFICA(messaggio.isEmpty());
        return;
    }
    VERIFICA(letta.esito == *rifiuto);
    VERIFICA(messaggio.endsWith(QStringLiteral(" ..!")));
    if (*rifiuto == Estrazione::FuoriIntervallo || *rifiuto == Estrazione::Ripetuto) {
        // Named as typed; a very long run by its first digits only, and the message stays short.
        if (rifiutato.size() <= 12)
            VERIFICA(letta.numero == rifiutato);
        else
            VERIFICA(letta.numero.size() <= 12 && rifiutato.startsWith(QStringView(letta.numero).chopped(1)));
        VERIFICA(messaggio.contains(letta.numero));
    }
}

void ControllaLista(const QString &testo)
{
    const Verifica::Lista lista = Verifica::LeggiLista(testo);
    const QStringList pezzi = Pezzi(testo);
    std::size_t letta = 0;
    int nonVerificate = 0;
    int prima = 0;
    for (qsizetype i = 0; i < pezzi.size(); ++i) {
        const int numero = int(i + 1);
        const std::optional<std::vector<bool>> numeri = Riga(pezzi[i]);
        Verifica::Numeri dallaRiga;
        VERIFICA(Verifica::LeggiRiga(pezzi[i], dallaRiga) == numeri.has_value());
        if (!numeri) {
            ++nonVerificate;
            prima = prima ? prima : numero;
            continue;
        }
        VERIFICA(Insieme(dallaRiga) == *numeri);
        if (dallaRiga.Quanti() == 0)
            continue;
        VERIFICA(letta < lista.righe.size());
        VERIFICA(lista.righe[letta].numero == numero);
        VERIFICA(Insieme(lista.righe[letta].numeri) == *numeri);
        ++letta;
    }
    VERIFICA(letta == lista.righe.size());
    VERIFICA(lista.nonVerificate == nonVerificate);
    VERIFICA(lista.primaNonVerificata == prima);
    VERIFICA(lista.vuota == (letta == 0 && nonVerificate == 0));

    // Against a draw made of the first numbers the list holds: one result line for each
    // line with two hits or more.
    Verifica::Estrazione estrazione;
    estrazione.esito = Verifica::Estrazione::Valida;
    Verifica::Numeri estratti;
    for (const Verifica::RigaLetta &riga : lista.righe) {
        for (int n : riga.numeri.Elenco()) {
            if (estrazione.numeri.size() < 20 && !estratti.Contiene(n)) {
                estratti.Aggiungi(n);
                estrazione.numeri.push_back(n);
            }
        }
    }
    qsizetype vincenti = 0;
    for (const Verifica::RigaLetta &riga : lista.righe)
        vincenti += (riga.numeri & estratti).Quanti() >= 2 ? 1 : 0;
    const QString risultato = Verifica::TestoVerifica(lista, estrazione);
    VERIFICA(risultato.count(QStringLiteral("\nRiga ")) == vincenti);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dati, std::size_t quanti)
{
    const Ingresso ingresso = Decodifica(dati, quanti);
    ControllaEstrazione(ingresso.testo);
    ControllaLista(ingresso.testo);
    return 0;
}
