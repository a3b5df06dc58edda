#pragma once
// The list drawn on pages: on a printer, in its preview, or into a PDF, the same way.

#include "stampa/Impaginazione.h"

#include <QByteArray>
#include <QFont>
#include <QPageLayout>

#include <functional>
#include <vector>

class QPagedPaintDevice;

namespace Stampa {

// The list's fixed-width face, at a size for paper.
QFont Carattere();

// A4 upright, with margins of 15 mm: the PDF's page, and the printer's margins.
QPageLayout PaginaA4();
QMarginsF Margini();

// The page, in cells of `carattere`, that `dispositivo` gives to paint on.
Foglio FoglioDi(const QFont &carattere, const QPagedPaintDevice &dispositivo);

// Told after each page painted, with the pages in all; false stops the painting.
using Avanza = std::function<bool(int fatte, int pagine)>;

// Paints the header and the lines on `dispositivo`, a page after another. False when
// `avanza` stopped it, or when the device could not be painted on.
bool Disegna(QPagedPaintDevice &dispositivo, const QStringList &intestazione, const std::vector<Voce> &voci,
             const Avanza &avanza);

// The whole document as PDF bytes, on A4; empty when stopped.
QByteArray Pdf(const QStringList &intestazione, const std::vector<Voce> &voci, const Avanza &avanza);

} // namespace Stampa
