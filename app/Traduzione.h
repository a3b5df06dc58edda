#pragma once
// The texts that come from Qt itself (the list's context menu, the open dialog) in Italian,
// as every other text of the program, whatever language the desktop speaks.

class QString;
class QTranslator;

namespace Traduzione {

// Installs Qt's own Italian translation: from the `translations` folder beside the program
// where a package carries it, otherwise from Qt's. Returns the translator, which belongs to
// the application, or null where neither folder holds it: the texts then stay Qt's own.
QTranslator *InstallaQt(const QString &cartellaProgramma);

} // namespace Traduzione
