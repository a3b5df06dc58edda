#include "app/Traduzione.h"
#include "app/frmOmbrazio.h"
#include "common/Caratteri.h"
#include "common/Memoria.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Memoria::TrattieniLiberata();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrazio"));
    // Where the settings live: the archive read last, found again at the next start.
    QApplication::setOrganizationName(QStringLiteral("Ombrazio"));
    Traduzione::InstallaQt(QCoreApplication::applicationDirPath());
    Caratteri::RegistraSostituzioni();

    frmOmbrazio finestra;
    finestra.show();
    return app.exec();
}
