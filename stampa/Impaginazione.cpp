#include "stampa/Impaginazione.h"

#include <algorithm>

namespace Stampa {

namespace {

// `testo` in rows of at most `larghezza` characters, broken at spaces; a word longer than a
// row is cut, as nothing of it may be lost.
QStringList Spezza(const QString &testo, int larghezza)
{
    larghezza = std::max(1, larghezza);
    QStringList righe;
    QString riga;
    for (QString parola : testo.split(u' ', Qt::SkipEmptyParts)) {
        if (!riga.isEmpty() && riga.size() + 1 + parola.size() <= larghezza) {
            riga += u' ' + parola;
            continue;
        }
        if (!riga.isEmpty())
            righe << riga;
        while (parola.size() > larghezza) {
            righe << parola.left(larghezza);
            parola.remove(0, larghezza);
        }
        riga = parola;
    }
    if (!riga.isEmpty() || righe.isEmpty())
        righe << riga;
    return righe;
}

QString DueCifre(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

std::vector<Voce> Voci(QStringView testo, const Verifica::Lista &lista)
{
    std::vector<Voce> voci;
    auto letta = lista.righe.begin();
    int numero = 0;
    for (QStringView riga : testo.tokenize(u"\r\n")) {
        ++numero;
        const QStringView pulita = riga.trimmed();
        if (pulita.isEmpty())
            continue;
        while (letta != lista.righe.end() && letta->numero < numero)
            ++letta;
        Voce voce;
        voce.numero = numero;
        voce.testo = pulita.toString();
        voce.leggibile = letta != lista.righe.end() && letta->numero == numero;
        voci.push_back(std::move(voce));
    }
    return voci;
}

bool HaGaranzia(const Verifica::Lista &lista)
{
    Verifica::Numeri tutti;
    for (const Verifica::RigaLetta &riga : lista.righe)
        tutti = tutti | riga.numeri;
    return tutti.Quanti() >= 2;
}

QStringList Intestazione(const QDateTime &adesso, const Verifica::Lista &lista, int voci, const QStringList &garanzia)
{
    Verifica::Numeri tutti;
    for (const Verifica::RigaLetta &riga : lista.righe)
        tutti = tutti | riga.numeri;
    const std::vector<int> numeri = tutti.Elenco();
    QString conti = voci == 1 ? QStringLiteral("1 riga, ") : QStringLiteral("%1 righe, ").arg(voci);
    conti += numeri.size() == 1 ? QStringLiteral("1 numero:") : QStringLiteral("%1 numeri:").arg(numeri.size());
    for (int n : numeri)
        conti += u' ' + DueCifre(n);
    return QStringList{QStringLiteral("Ombrazio®  ") + adesso.toString(QStringLiteral("dd/MM/yyyy HH:mm")), conti}
        + garanzia;
}

QStringList RigheGaranzia(const Verifica::Garanzia &garanzia)
{
    return Verifica::TestoGaranzia(garanzia).split(u'\n').mid(1);
}

QString GaranziaNonCalcolata()
{
    return QStringLiteral("Garanzia non calcolata (oltre 2 s)");
}

std::vector<Pagina> Impagina(const QStringList &intestazione, const std::vector<Voce> &voci, Foglio foglio)
{
    foglio.colonne = std::max(1, foglio.colonne);
    // The foot takes the last row, with an empty one above it.
    const int corpo = std::max(1, foglio.righe - 2);

    // Each line's rows: its number right-aligned, then its text; "?" ahead of a line that
    // cannot be read, where some line cannot.
    int cifre = 1;
    int lunghezza = 0;
    bool illeggibili = false;
    for (const Voce &voce : voci) {
        cifre = std::max(cifre, int(QString::number(voce.numero).size()));
        lunghezza = std::max(lunghezza, int(voce.testo.size()));
        illeggibili = illeggibili || !voce.leggibile;
    }
    const int prefisso = (illeggibili ? 2 : 0) + cifre + 2;
    const int larghezza = std::min(foglio.colonne, prefisso + lunghezza);
    const int colonnePerPagina = std::max(1, (foglio.colonne + Spaziatura) / (larghezza + Spaziatura));

    std::vector<Pagina> pagine(1);
    int riga = 0;
    for (const QString &testa : intestazione) {
        for (const QString &pezzo : Spezza(testa, foglio.colonne))
            pagine[0].pezzi.push_back({riga++, 0, pezzo});
    }
    if (riga > 0)
        ++riga;
    // The first page's columns start below the header.
    int inizio = std::min(riga, corpo - 1);
    int colonna = 0;
    riga = inizio;
    for (const Voce &voce : voci) {
        const QStringList righe = Spezza(voce.testo, larghezza - prefisso);
        // A line that fits no column whole still gets one of its own.
        if (riga > inizio && riga + int(righe.size()) > corpo) {
            riga = inizio;
            if (++colonna == colonnePerPagina) {
                pagine.emplace_back();
                colonna = 0;
                riga = inizio = 0;
            }
        }
        const QString numero = QString::number(voce.numero).rightJustified(cifre) + QStringLiteral(". ");
        const QString segno = illeggibili ? (voce.leggibile ? QStringLiteral("  ") : QStringLiteral("? ")) : QString();
        for (int i = 0; i < int(righe.size()); ++i) {
            if (riga == corpo) {
                riga = inizio;
                if (++colonna == colonnePerPagina) {
                    pagine.emplace_back();
                    colonna = 0;
                    riga = inizio = 0;
                }
            }
            const QString davanti = i == 0 ? segno + numero : QString(prefisso, u' ');
            pagine.back().pezzi.push_back({riga++, colonna * (larghezza + Spaziatura), davanti + righe[i]});
        }
    }

    const int totale = int(pagine.size());
    for (int p = 0; p < totale; ++p) {
        const QString piede = QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(totale);
        pagine[std::size_t(p)].pezzi.push_back(
            {std::max(0, foglio.righe - 1), std::max(0, foglio.colonne - int(piede.size())), piede});
    }
    return pagine;
}

} // namespace Stampa
