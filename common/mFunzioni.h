#pragma once
// General routines shared by the windows; none of them needs a widget.

#include "common/ArrayControlli.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

namespace mFunzioni {

// Receives the number of a run-time error that a routine trapped.
using SegnalaErrore = std::function<void(int numero)>;

void ImpostaDefault(qint16 &valore, qint16 minimo, qint16 predefinito);

QString FormattaNumero(qint64 valore, const QLocale &locale = QLocale());

// The display is anything with setText() and repaint(): a label, or a stand-in in tests.
template<typename Display>
void VariaParametro(Display &display, qint16 &valore, qint16 minimo, qint16 massimo, qint16 passo,
                    bool avvolgi)
{
    valore = qint16(valore + passo);
    if (avvolgi) {
        if (valore > massimo)
            valore = minimo;
        else if (valore < minimo)
            valore = massimo;
    }
    display.setText(FormattaNumero(valore));
    display.repaint();
}

void DisponiControlli(int primo, int ultimo, int perRiga, int spazioOrizzontale, int spazioVerticale,
                      bool impostaCaption, bool portaDavanti, ArrayControlli &array);

// Reads a token of a list line as a 16-bit number: an optional minus sign, ASCII
// digits and an optional fraction after "." or the locale's decimal separator,
// rounded half to even. Returns 0, or the error number: 13 for anything else,
// 6 for a value outside the 16-bit range.
int ConvertiToken(QStringView token, qint16 &valore, const QLocale &locale = QLocale());

// A number as a field of a combination line: at least two digits, "-" in front.
QString CampoNumero(int valore);

void OrdinaNumeri(QStringList &righe, const SegnalaErrore &segnala, const QLocale &locale = QLocale());
void OrdinaRighe(QStringList &righe, const SegnalaErrore &segnala);

// Day of the year as "000" and, with flag 1, the time of day in the locale's
// format without ":". Both pieces come from the one reading `adesso`.
QString CodiceData(qint16 flag, const QDateTime &adesso, const QLocale &locale = QLocale());

} // namespace mFunzioni
