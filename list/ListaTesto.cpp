#include "list/ListaTesto.h"

#include "common/mFunzioni.h"

namespace ListaTesto {

QStringList RaccogliRighe(const QString &testo)
{
    return testo.split(FineRiga(), Qt::SkipEmptyParts);
}

QString RigaCombinazione(const std::vector<int> &numeri)
{
    QStringList campi;
    campi.reserve(qsizetype(numeri.size()));
    for (int numero : numeri)
        campi << mFunzioni::CampoNumero(numero);
    return campi.join(u' ');
}

QString TestoDaRighe(const QStringList &righe)
{
    qsizetype lunghezza = 0;
    for (const QString &r : righe)
        lunghezza += r.size() + 2;
    QString testo;
    testo.reserve(lunghezza);
    for (const QString &r : righe) {
        testo += r;
        testo += FineRiga();
    }
    return testo;
}

} // namespace ListaTesto
