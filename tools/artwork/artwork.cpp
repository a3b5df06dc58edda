// Paints the program's artwork: the 48 x 48 icon and the 160 x 40 picture of the
// message dialog, each at 1x and 2x, and the Windows icon file with the icon from 16 to
// 256 px. Run once; the files are committed under resources/.
//   g++ -std=c++17 -fPIC tools/artwork/artwork.cpp $(pkg-config --cflags --libs Qt6Gui) -o artwork
//   QT_QPA_PLATFORM=offscreen ./artwork resources

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Selezionato(164, 196, 208);
const QColor Faccia(240, 240, 240);
const QColor Inchiostro(40, 60, 80);

void Cella(QPainter &p, const QRectF &r, bool selezionata, const QString &numero)
{
    p.setPen(QPen(Inchiostro, r.width() / 14.0));
    p.setBrush(selezionata ? Selezionato : Faccia);
    p.drawRoundedRect(r, r.width() / 8, r.width() / 8);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(r.height() * 0.55));
    f.setBold(true);
    p.setFont(f);
    p.setPen(selezionata ? Qt::white : Inchiostro);
    p.drawText(r, Qt::AlignCenter, numero);
}

QImage Icona(qreal scala)
{
    const int lato = qRound(48 * scala);
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scala, scala);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 110, 140));
    p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    const bool sel[3][3] = {{true, false, false}, {false, true, false}, {false, false, true}};
    int n = 1;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c, ++n)
            Cella(p, QRectF(5 + c * 13, 5 + r * 13, 12, 12), sel[r][c], QString::number(n));
    return img;
}

QImage Banner(int scala)
{
    QImage img(160 * scala, 40 * scala, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scala, scala);
    QLinearGradient g(0, 0, 160, 0);
    g.setColorAt(0, QColor(70, 110, 140));
    g.setColorAt(1, Selezionato);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 159, 39), 6, 6);
    Cella(p, QRectF(6, 8, 24, 24), true, QStringLiteral("90"));
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(22);
    f.setItalic(true);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(36, 0, 120, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Ombrazio"));
    return img;
}

// An .ico file: a directory of entries, each image stored as PNG, which Windows reads
// at every size since Vista.
bool SalvaIco(const QString &percorso, const QList<int> &lati)
{
    QList<QByteArray> immagini;
    for (int lato : lati) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!Icona(lato / 48.0).save(&buffer, "PNG"))
            return false;
        immagini.append(png);
    }
    QByteArray ico;
    const auto parola = [&ico](quint16 v) { ico.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto doppia = [&parola](quint32 v) { parola(quint16(v & 0xFFFF)); parola(quint16(v >> 16)); };
    parola(0);
    parola(1);
    parola(quint16(lati.size()));
    quint32 posizione = 6 + 16 * quint32(lati.size());
    for (int i = 0; i < lati.size(); ++i) {
        // 0 stands for 256 in the one-byte sizes.
        ico.append(char(lati[i] & 0xFF)).append(char(lati[i] & 0xFF));
        ico.append(char(0)).append(char(0));
        parola(1);
        parola(32);
        doppia(quint32(immagini[i].size()));
        doppia(posizione);
        posizione += quint32(immagini[i].size());
    }
    for (const QByteArray &png : immagini)
        ico.append(png);
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = true;
    ok &= Icona(1).save(cartella + QStringLiteral("/ombrazio.png"));
    ok &= Icona(2).save(cartella + QStringLiteral("/ombrazio@2x.png"));
    ok &= Banner(1).save(cartella + QStringLiteral("/banner.png"));
    ok &= Banner(2).save(cartella + QStringLiteral("/banner@2x.png"));
    ok &= SalvaIco(cartella + QStringLiteral("/ombrazio.ico"), {16, 20, 24, 32, 40, 48, 64, 96, 128, 256});
    return ok ? 0 : 1;
}
