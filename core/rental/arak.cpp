#include "core/rental/arak.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

#include <QTimeZone>

double KolcsonzesiAr(int fiztip, int arkat, bool* van)
{
    // The pair is the matrix's key, so at most one row matches; the order
    // only settles which one wins should an old table hold more.
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT ar FROM fiztip_arkat WHERE fiztip = ? AND arkat = ? ORDER BY fiztip, arkat LIMIT 1"),
        {fiztip, arkat});
    const bool talalt = q.next();
    if (van) *van = talalt;
    return talalt ? VarValos(q.value(0)) : 0.0;
}

namespace {

// The same clock reading in the time representation of `minta`.
QDateTime leolvasasban(const QDateTime& leolvasas, const QDateTime& minta)
{
    switch (minta.timeSpec()) {
    case Qt::TimeZone: return QDateTime(leolvasas.date(), leolvasas.time(), minta.timeZone());
    case Qt::OffsetFromUTC:
        return QDateTime(leolvasas.date(), leolvasas.time(), Qt::OffsetFromUTC, minta.offsetFromUtc());
    default: return QDateTime(leolvasas.date(), leolvasas.time(), minta.timeSpec());
    }
}

} // namespace

QDateTime VisszaKellIdopont(const QDateTime& kiadva, int ora)
{
    if (!kiadva.isValid()) return {};
    // Count on the clock reading alone: a UTC moment has no summer time, so
    // adding hours to it moves the reading by exactly that many hours.
    const QDateTime leolvasas = QDateTime(kiadva.date(), kiadva.time(), Qt::UTC).addSecs(qint64(ora) * 3600);
    const QDateTime e = leolvasasban(leolvasas, kiadva);
    if (e.isValid()) return e;
    // A reading the clock skips in spring: read it with the offset in force
    // before the change, which lands the skipped length later.
    const int elotte = leolvasasban(leolvasas.addDays(-1), kiadva).offsetFromUtc();
    const qint64 ms = leolvasas.toMSecsSinceEpoch() - qint64(elotte) * 1000;
    return kiadva.timeSpec() == Qt::TimeZone ? QDateTime::fromMSecsSinceEpoch(ms, kiadva.timeZone())
                                             : QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime);
}

QDateTime VisszaKellIdopont(const QDateTime& kiadva, const QVariant& ora)
{
    return VisszaKellIdopont(kiadva, VarEgesz(ora));
}
