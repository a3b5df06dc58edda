#include "list/ListaTesto.h"

#include "app/mDichiarazioni.h"
#include "common/mFunzioni.h"

namespace ListaTesto {

QStringList RaccogliRighe(const QString &testo)
{
    return testo.split(FineRiga(), Qt::SkipEmptyParts);
}

QString RigaCombinazione(const Caselle &caselle)
{
    QString riga;
    for (int i = 1; i <= caselle.UBound(); ++i) {
        if (caselle(i)) {
            riga += mFunzioni::CampoNumero(i);
            riga += u' ';
        }
    }
    riga.chop(1);
    return riga;
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
