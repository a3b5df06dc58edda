#include "app/Traduzione.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace Traduzione {

QTranslator *InstallaQt(const QString &cartellaProgramma)
{
    auto traduttore = std::make_unique<QTranslator>(QCoreApplication::instance());
    for (const QString &cartella : {QDir(cartellaProgramma).filePath(QStringLiteral("translations")),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (traduttore->load(QStringLiteral("qtbase_it"), cartella)
            && QCoreApplication::installTranslator(traduttore.get()))
            return traduttore.release();
    }
    return nullptr;
}

} // namespace Traduzione
