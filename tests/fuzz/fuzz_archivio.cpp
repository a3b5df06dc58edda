// Reading a draw archive from arbitrary bytes: whatever is accepted is a well-formed archive
// that reads back the same from its own official form; whatever is refused names a line of
// the input and leaves the earlier archive as it was. The spoglio and the delays run on it.

#include "Verifica.h"

#include "archivio/Archivio.h"
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
    const Archivio::Lettura lettura = Archivio::Leggi(byte, QStringLiteral("fuzz.txt"), archivio);
    if (!lettura.Accettata()) {
        VERIFICA(archivio.nome == QStringLiteral("prima") && archivio.estrazioni.empty());
        VERIFICA(lettura.errore != 0 || (lettura.riga >= 1 && lettura.riga <= byte.count('\n') + 1 && !lettura.motivo.isEmpty()));
        return 0;
    }
    int righe = 0;
    for (std::size_t i = 0; i < archivio.estrazioni.size(); ++i) {
        const Archivio::Estrazione &e = archivio.estrazioni[i];
        VERIFICA(e.data.isValid() && e.ruote != 0 && (e.ruote & ~Archivio::TutteLeRuote) == 0);
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
    VERIFICA(Archivio::Leggi(Ufficiale(archivio), QStringLiteral("fuzz.txt"), riletto).Accettata());
    VERIFICA(Ufficiale(riletto) == Ufficiale(archivio) && riletto.righe == archivio.righe);

    // Some lines against it: each of the winning rows names a wheel and a date that exist.
    Archivio::Scelta scelta;
    scelta.ultime = 50;
    const QString spoglio = Archivio::Spoglio(archivio, Verifica::LeggiLista(QStringLiteral("1 2 3\r\n4 5 6 7 8 9 10\r\n")), scelta);
    VERIFICA(spoglio.startsWith(QStringLiteral("Spoglio: 2 righe")));
    const std::vector<Archivio::Ritardo> ritardi = Archivio::Ritardi(archivio, scelta);
    for (const Archivio::Ritardo &r : ritardi)
        VERIFICA(r.ritardo >= 0 && r.ritardo <= r.ritardoMassimo && r.ritardoMassimo <= int(archivio.estrazioni.size()));
    return 0;
}
