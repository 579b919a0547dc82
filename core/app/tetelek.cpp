#include "core/app/tetelek.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/rekord.h"

#include <QLocale>
#include <QSqlQuery>
#include <cmath>
#include <limits>

qint64 TetelKovetkezoKod()
{
    const QVariant m = Adatbazis::ertek(QStringLiteral("SELECT MAX(azon) AS maxazon FROM video"));
    return (m.isNull() ? 0 : m.toLongLong()) + 1;
}

int TetelKodKerekit(double ertek)
{
    double kerek = std::nan("");
    if (std::isfinite(ertek)) {
        const double alatta = std::floor(ertek);
        const double tort = ertek - alatta;
        if (tort < 0.5) kerek = alatta;
        else if (tort > 0.5) kerek = alatta + 1;
        else kerek = std::fmod(alatta, 2.0) == 0 ? alatta : alatta + 1;
    }
    if (!(kerek >= std::numeric_limits<int>::min() && kerek <= std::numeric_limits<int>::max())) {
        QLocale l;
        throw AdatbazisHiba(QStringLiteral("Az azonosító nem lehet kód: %1 és %2 közötti egész számot adjon meg.")
                                .arg(l.toString(std::numeric_limits<int>::min()),
                                     l.toString(std::numeric_limits<int>::max())));
    }
    return int(kerek);
}

void TetelUjElokeszit(Rekord& sor)
{
    sor.beszur();
    sor.beallit("torolve", QStringLiteral("N"));
    sor.beallit("kint", QStringLiteral("N"));
    sor.beallit("dat_besz", Ma());
    sor.beallit("azon", TetelKovetkezoKod());
}

qint64 TetelMasol(qint64 video, double kod)
{
    const int azon = TetelKodKerekit(kod);
    Adatbazis::Tranzakcio t;
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT tipus, arkat, video_nev, szoveg, mufaj FROM video WHERE video = ?"), {video});
    if (!q.next()) throw AdatbazisHiba(QStringLiteral("A másolandó tételt időközben törölték."));
    Rekord sor("video");
    sor.beszur();
    sor.beallit("azon", azon);
    sor.beallit("tipus", q.value(0));
    sor.beallit("arkat", q.value(1));
    sor.beallit("video_nev", q.value(2));
    sor.beallit("szoveg", q.value(3));
    sor.beallit("kint", QStringLiteral("N"));
    sor.beallit("torolve", QStringLiteral("N"));
    sor.beallit("dat_besz", Ma());
    sor.beallit("kolcsonozve", 0);
    sor.beallit("mufaj", q.value(4));
    q.finish();
    const QVariant kulcs = sor.ment();
    t.jovahagy();
    return kulcs.toLongLong();
}

void TetelTorol(qint64 video)
{
    Adatbazis::Tranzakcio t;
    // Read under the write lock: an item lent meanwhile is seen here.
    const QVariant kint = Adatbazis::ertek(QStringLiteral("SELECT kint FROM video WHERE video = ?"), {video});
    if (VarSzoveg(kint) == QLatin1String("I")) throw AdatbazisHiba(QString::fromUtf8(KiadottNemTorolheto));
    SorTorol(QStringLiteral("video"), {video});
    t.jovahagy();
}

QList<std::pair<int, QString>> TetelValasztek(const QString& tabla)
{
    QList<std::pair<int, QString>> l;
    if (tabla != QLatin1String("tipus") && tabla != QLatin1String("arkat") && tabla != QLatin1String("mufaj"))
        return l;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT %1, %1_nev FROM %1 ORDER BY %1").arg(tabla));
    while (q.next()) l.append({q.value(0).toInt(), VarSzoveg(q.value(1))});
    return l;
}

bool TetelMindenTipusMegvan()
{
    if (Adatbazis::vegrehajt(QStringLiteral("SELECT 1 FROM video WHERE tipus IS NULL LIMIT 1")).next()) return false;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT tipus FROM video WHERE tipus IS NOT NULL ORDER BY tipus LIMIT 1"));
    // Types are a handful; past this many the probes would cost more than they save.
    for (int db = 0; q.next(); ++db) {
        const QVariant tipus = q.value(0);
        if (db == 1000 || !Adatbazis::vegrehajt(QStringLiteral("SELECT 1 FROM tipus WHERE tipus = ?"), {tipus}).next())
            return false;
        q = Adatbazis::vegrehajt(QStringLiteral("SELECT tipus FROM video WHERE tipus > ? ORDER BY tipus LIMIT 1"), {tipus});
    }
    return true;
}
