#pragma once
// The program's bitmaps at the ratio of the screen they are shown on. Each picture exists
// at 1x and at 2x ("name@2x.png"); above ratio 1 the 2x drawing is taken and brought to the
// exact device size, so that 150 % is as sharp as 200 % and nothing is ever enlarged from 1x.

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QSize>
#include <QString>

namespace Immagini {

inline QString Doppia(const QString &risorsa)
{
    const qsizetype punto = risorsa.lastIndexOf(u'.');
    return punto < 0 ? risorsa + QStringLiteral("@2x") : QString(risorsa).insert(punto, QStringLiteral("@2x"));
}

// The program's pictures are PNG. Told so, with no guessing, the reader uses its own PNG
// decoder instead of first loading every image plugin Qt has to ask each of them.
inline QImage LeggiPng(const QString &risorsa)
{
    QImageReader lettore(risorsa, "png");
    lettore.setAutoDetectImageFormat(false);
    return lettore.read();
}

inline QPixmap PerSchermo(const QString &risorsa, const QSize &logica, qreal rapporto)
{
    if (!(rapporto > 0))
        rapporto = 1;
    const QSize dispositivo = (QSizeF(logica) * rapporto).toSize();
    // Every message opens a new dialog: decode and scale each picture once per size.
    const QString chiave = QStringLiteral("%1@%2x%3").arg(risorsa).arg(dispositivo.width()).arg(dispositivo.height());
    QPixmap pronta;
    if (QPixmapCache::find(chiave, &pronta))
        return pronta;
    QImage immagine;
    if (rapporto > 1)
        immagine = LeggiPng(Doppia(risorsa));
    if (immagine.isNull())
        immagine = LeggiPng(risorsa);
    if (immagine.isNull())
        return {};
    if (immagine.size() != dispositivo)
        immagine = immagine.scaled(dispositivo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(immagine);
    pixmap.setDevicePixelRatio(rapporto);
    QPixmapCache::insert(chiave, pixmap);
    return pixmap;
}

// The program's icon for every window: the 2x drawing too where a screen needs it.
inline QIcon Icona()
{
    static const QIcon icona = [] {
        const QString uno = QStringLiteral(":/ombrazio.png");
        QIcon i(QPixmap::fromImage(LeggiPng(uno)));
        if (qApp->devicePixelRatio() > 1)
            i.addPixmap(QPixmap::fromImage(LeggiPng(Doppia(uno))));
        return i;
    }();
    return icona;
}

} // namespace Immagini
