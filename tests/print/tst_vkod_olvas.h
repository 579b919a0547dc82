#pragma once
// Reading a printed label sheet back as a scanner would: the PDF rasterised
// at 300 dpi (pdftoppm) and its symbols decoded (zbarimg), each label cell
// cut out on its own when its place matters.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

inline bool VonalkodOlvasoVan()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty();
}

// A code as a shop's scanner reads it off an EAN-8 label: seven digits and
// the check digit (weights 3 and 1 from the left).
inline QString VartEan8(qint64 kod)
{
    const QString h = QStringLiteral("%1").arg(kod, 7, 10, QLatin1Char('0'));
    int osszeg = 0;
    for (int i = 0; i < 7; ++i) osszeg += h[i].digitValue() * (i % 2 == 0 ? 3 : 1);
    return h + QString::number((10 - osszeg % 10) % 10);
}

// A customer card's thirteen digits as a scanner reads them: "29", the
// code in ten digits, the EAN-13 check digit (weights 1 and 3 from the left).
inline QString VartKartya(qint64 azon)
{
    const QString h = QStringLiteral("29%1").arg(azon, 10, 10, QLatin1Char('0'));
    int osszeg = 0;
    for (int i = 0; i < 12; ++i) osszeg += h[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    return h + QString::number((10 - osszeg % 10) % 10);
}

// The pages of a PDF as 300 dpi grey images in `mappa`, in page order.
inline QStringList PdfRaszter(const QString& pdf, const QString& mappa)
{
    QDir().mkpath(mappa);
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                                         QStringLiteral("-png"), pdf, mappa + QStringLiteral("/oldal")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return {};
    QStringList kepek;
    for (const QString& f : QDir(mappa).entryList({QStringLiteral("oldal-*.png")}, QDir::Files, QDir::Name))
        kepek << mappa + '/' + f;
    return kepek;
}

// Every symbol of the symbology `jelkeszlet` (as zbarimg names it: "EAN-8",
// "EAN-13") found in an image, in the decoder's order; any other symbology
// found is returned with its name in front, so it shows.
inline QStringList VonalkodOlvas(const QString& kep, const QString& jelkeszlet)
{
    QProcess p;
    p.start(QStringLiteral("zbarimg"), {QStringLiteral("--nodbus"), QStringLiteral("-q"), kep});
    p.waitForFinished(120000);
    const QString elotag = jelkeszlet + ':';
    QStringList kodok;
    for (const QString& s : QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        kodok << (s.startsWith(elotag) ? s.mid(elotag.size()).trimmed() : s.trimmed());
    return kodok;
}

inline QStringList Ean8Olvas(const QString& kep) { return VonalkodOlvas(kep, QStringLiteral("EAN-8")); }
inline QStringList Ean13Olvas(const QString& kep) { return VonalkodOlvas(kep, QStringLiteral("EAN-13")); }

// The symbol of one label cell (column and row from 0) of a page image: the
// cell cut out by the layout's numbers (10 mm margins, 27 mm wide labels,
// `magas` mm high) and decoded alone.
inline QStringList CimkeOlvas(const QString& kep, int oszlop, int sor, double magas,
                              const QString& jelkeszlet = QStringLiteral("EAN-8"))
{
    const double px = 300 / 25.4;
    const QImage lap(kep);
    const QRect cella(qRound((10 + oszlop * 27) * px), qRound((10 + sor * magas) * px), qRound(27 * px),
                      qRound(magas * px));
    const QString fajl = kep + QStringLiteral(".cella-%1-%2.png").arg(oszlop).arg(sor);
    if (lap.isNull() || !lap.copy(cella).save(fajl)) return {QStringLiteral("nincs kép")};
    return VonalkodOlvas(fajl, jelkeszlet);
}
