#include "core/reports/vkod.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

namespace VKod {

QString Formaz(qint64 kod)
{
    return QStringLiteral("%1").arg(kod, 5, 10, QLatin1Char('0'));
}

bool KodOlvas(const QString& szoveg, const QString& mezo, qint64* kod, QString* hiba, Fajta fajta)
{
    const QString s = szoveg.trimmed();
    if (s.isEmpty()) {
        if (hiba) *hiba = QStringLiteral("Üres a kódtartomány egyik vége (%1): egész számot kell írni bele.").arg(mezo);
        return false;
    }
    // Digits only: a sign, a decimal point or a letter in a code is a slip.
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            if (hiba)
                *hiba = QStringLiteral("Nem egész szám: „%1” (%2). A kódtartomány két végére egész számot kell írni.")
                            .arg(s, mezo);
            return false;
        }
    bool jo = false;
    const qint64 ertek = s.toLongLong(&jo);
    const qint64 legnagyobb = fajta == Fajta::Ugyfel ? LegnagyobbUgyfelKod : LegnagyobbKod;
    if (!jo || ertek > legnagyobb) {
        if (hiba)
            *hiba = (fajta == Fajta::Ugyfel
                         ? QStringLiteral("Túl nagy kód: „%1” (%2). Az ügyfélkód 0 és %3 között lehet.")
                         : QStringLiteral("Túl nagy kód: „%1” (%2). A vonalkód (EAN-8) legfeljebb hét számjegyet "
                                          "hordoz, a kód 0 és %3 között lehet."))
                        .arg(s, mezo)
                        .arg(legnagyobb);
        return false;
    }
    *kod = ertek;
    return true;
}

namespace {

void uritBelul()
{
    Adatbazis::vegrehajt(QStringLiteral("DELETE FROM vkod"));
    // The keys start from 1 again: the table holds one run at a time.
    Adatbazis::vegrehajt(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'vkod'"));
}

[[noreturn]] void tulSok(qint64 db)
{
    throw AdatbazisHiba(QStringLiteral("Túl sok címke: %1. Egyszerre legfeljebb %2 címke nyomtatható; bontsa a "
                                       "tartományt kisebb részekre.")
                            .arg(FtMaszk(double(db)), FtMaszk(double(LegtobbCimke))),
                        AdatbazisHiba::Fajta::Bemenet);
}

// Listed customers with a code in the range; bound values: the two ends.
const char* const UgyfelTartomany = "FROM ugyfel WHERE torolve = 'N' AND azon BETWEEN ? AND ?";

} // namespace

void Urit()
{
    Adatbazis::Tranzakcio t;
    uritBelul();
    t.jovahagy();
}

qint64 Feltolt(qint64 elso, qint64 utolso)
{
    if (utolso >= elso && utolso - elso >= LegtobbCimke) tulSok(utolso - elso + 1);
    Adatbazis::Tranzakcio t;
    uritBelul();
    qint64 db = 0;
    if (utolso >= elso) {
        QSqlQuery q = Adatbazis::elokeszit(QStringLiteral("INSERT INTO vkod (azon) VALUES (?)"));
        for (qint64 kod = elso; kod <= utolso; ++kod, ++db) Adatbazis::futtat(q, {Formaz(kod)});
    }
    t.jovahagy();
    return db;
}

qint64 UgyfelFeltolt(qint64 elso, qint64 utolso)
{
    Adatbazis::Tranzakcio t;
    // Counted inside the run's transaction, so the bound holds for what is written.
    const QVariantList vegek{elso, utolso};
    const qint64 db =
        Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) ") + QLatin1String(UgyfelTartomany), vegek).toLongLong();
    if (db > LegtobbCimke) tulSok(db);
    // A sheet of label paper is not spent on no cards.
    if (db == 0)
        throw AdatbazisHiba(QStringLiteral("Nincs ügyfél a(z) %1–%2 kódtartományban, így nincs mit nyomtatni.")
                                .arg(elso)
                                .arg(utolso),
                            AdatbazisHiba::Fajta::Bemenet);
    uritBelul();
    // One row per code; customers sharing a code each get a card from the
    // report's join (KartyaLekerdezes).
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT DISTINCT azon ") + QLatin1String(UgyfelTartomany) + QStringLiteral(" ORDER BY azon"), vegek);
    QSqlQuery ir = Adatbazis::elokeszit(QStringLiteral("INSERT INTO vkod (azon) VALUES (?)"));
    while (q.next()) Adatbazis::futtat(ir, {Formaz(q.value(0).toLongLong())});
    t.jovahagy();
    return db;
}

qint64 Feltolt(Fajta fajta, qint64 elso, qint64 utolso)
{
    return fajta == Fajta::Ugyfel ? UgyfelFeltolt(elso, utolso) : Feltolt(elso, utolso);
}

} // namespace VKod
