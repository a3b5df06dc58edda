// Reading a draw archive from arbitrary bytes: whatever is accepted is a well-formed archive
// of dates from the first draw to today that reads back the same from its own official form;
// whatever is refused names a line of the input and leaves the earlier archive as it was. The
// replay runs on it, its prizes counted again here line by line, its balance adding up; a
// replay asked to stop leaves its earlier result. The delays run on it too.

#include "Verifica.h"

#include "archivio/Archivio.h"
#include "common/Avanzamento.h"
#include "verifica/Verifica.h"

namespace {

QByteArray Ufficiale(const Archivio::Dati &dati)
{
    QByteArray testo;
    for (const Archivio::Estrazione &e : dati.estrazioni) {
        for (int r = 0; r < Archivio::Ruote; ++r) {
            if (!e.Ha(r))
                continue;
            testo += e.data.toString(QStringLiteral("yyyy/MM/dd")).toLatin1() + '\t' + Archivio::Sigla(r).toLatin1();
            for (quint8 n : e.numeri[std::size_t(r)])
                testo += '\t' + QByteArray::number(n);
            testo += "\r\n";
        }
    }
    return testo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dati, std::size_t quanti)
{
    const QByteArrayView byte(reinterpret_cast<const char *>(dati), qsizetype(quanti));
    Archivio::Dati archivio;
    archivio.nome = QStringLiteral("prima");
    const QDate oggi(2026, 12, 8);
    const Archivio::Lettura lettura = Archivio::Leggi(byte, QStringLiteral("fuzz.txt"), archivio, oggi);
    if (!lettura.Accettata()) {
        VERIFICA(archivio.nome == QStringLiteral("prima") && archivio.estrazioni.empty());
        // LF, CR and CR LF each end a line.
        const qsizetype linee = byte.count('\n') + byte.count('\r') + 1;
        VERIFICA(lettura.errore != 0 || (lettura.riga >= 1 && lettura.riga <= linee && !lettura.motivo.isEmpty()));
        VERIFICA(Archivio::TestoRifiuto(lettura).endsWith(QStringLiteral(" ..!")));
        return 0;
    }
    int righe = 0;
    for (std::size_t i = 0; i < archivio.estrazioni.size(); ++i) {
        const Archivio::Estrazione &e = archivio.estrazioni[i];
        VERIFICA(e.data.isValid() && e.ruote != 0 && (e.ruote & ~Archivio::OgniRuota) == 0);
        VERIFICA(e.data >= Archivio::PrimaEstrazione && e.data <= oggi);
        VERIFICA(i == 0 || archivio.estrazioni[i - 1].data < e.data);
        for (int r = 0; r < Archivio::Ruote; ++r) {
            if (!e.Ha(r))
                continue;
            ++righe;
            Verifica::Numeri numeri;
            for (quint8 n : e.numeri[std::size_t(r)]) {
                VERIFICA(n >= 1 && n <= 90 && !numeri.Contiene(n));
                numeri.Aggiungi(n);
            }
        }
    }
    VERIFICA(righe == archivio.righe);

    Archivio::Dati riletto;
    VERIFICA(Archivio::Leggi(Ufficiale(archivio), QStringLiteral("fuzz.txt"), riletto, oggi).Accettata());
    VERIFICA(Ufficiale(riletto) == Ufficiale(archivio) && riletto.righe == archivio.righe);

    // Some lines against it, the prizes counted here line by line over the same draws.
    Archivio::Scelta scelta;
    scelta.ultime = 50;
    const QString linee = QStringLiteral("1 2 3\r\n4 5 6 7 8 9 10\r\n");
    const Verifica::Lista lista = Verifica::LeggiLista(linee);
    Archivio::Spogliato esito;
    Avanzamento avanzamento;
    VERIFICA(Archivio::Riproduci(archivio, lista, scelta, Archivio::Giocata{Archivio::Terno, 100}, esito, avanzamento));
    VERIFICA(esito.testo.startsWith(QStringLiteral("Spoglio: 2 righe su Tutte")));
    std::array<quint64, 6> vincite{};
    const std::vector<int> scelte = Archivio::Scelte(archivio, scelta);
    for (int indice : scelte) {
        const Archivio::Estrazione &e = archivio.estrazioni[std::size_t(indice)];
        for (int r = 0; r < Archivio::Ruote; ++r) {
            if (!e.Ha(r) || (scelta.ruote >> r & 1) == 0)
                continue;
            for (const Verifica::RigaLetta &riga : lista.righe) {
                int h = 0;
                for (quint8 n : e.numeri[std::size_t(r)])
                    h += riga.numeri.Contiene(n) ? 1 : 0;
                quint64 c = 1;
                for (int k = 1; k <= h; ++k) {
                    c = c * quint64(h - k + 1) / quint64(k);
                    vincite[std::size_t(k)] += c;
                }
            }
        }
    }
    VERIFICA(esito.testo.contains(QStringLiteral("\nVincite: Estratti %1  Ambi %2  Terni %3  Quaterne %4  Cinquine %5\n")
                                      .arg(vincite[1]).arg(vincite[2]).arg(vincite[3]).arg(vincite[4]).arg(vincite[5])));
    const Archivio::Bilancio &b = esito.bilancio;
    VERIFICA(b.costo >= 0 && b.lorde >= 0 && b.netto == b.lorde - b.ritenuta && b.andamento.size() == scelte.size());
    VERIFICA(b.andamento.empty() ? b.Saldo() == 0 : b.andamento.back().saldo == b.Saldo());
    for (std::size_t i = 1; i < b.andamento.size(); ++i)
        VERIFICA(b.andamento[i - 1].data < b.andamento[i].data);
    // Asked to stop, it leaves what it gave before.
    const QString prima = esito.testo;
    Avanzamento fermo;
    fermo.annulla = true;
    const bool finito = Archivio::Riproduci(archivio, Verifica::LeggiLista(QStringLiteral("11 12\r\n")), scelta,
                                            Archivio::Giocata(), esito, fermo);
    VERIFICA(finito || esito.testo == prima);
    const std::vector<Archivio::Ritardo> ritardi = Archivio::Ritardi(archivio, scelta);
    for (const Archivio::Ritardo &r : ritardi)
        VERIFICA(r.ritardo >= 0 && r.ritardo <= r.ritardoMassimo && r.ritardoMassimo <= int(archivio.estrazioni.size())
                 && r.ritardoMedio <= r.ritardoMassimo);
    return 0;
}
