#include "core/reports/vkod.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

namespace VKod {

QString Formaz(qint64 kod)
{
    return QStringLiteral("%1").arg(kod, 5, 10, QLatin1Char('0'));
}

bool KodOlvas(const QString& szoveg, const QString& mezo, qint64* kod, QString* hiba)
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
    if (!jo || ertek > LegnagyobbKod) {
        if (hiba)
            *hiba = QStringLiteral("Túl nagy kód: „%1” (%2). A vonalkód (EAN-8) legfeljebb hét számjegyet hordoz, "
                                   "a kód 0 és %3 között lehet.")
                        .arg(s, mezo)
                        .arg(LegnagyobbKod);
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

} // namespace

void Urit()
{
    Adatbazis::Tranzakcio t;
    uritBelul();
    t.jovahagy();
}

qint64 Feltolt(qint64 elso, qint64 utolso)
{
    if (utolso >= elso && utolso - elso >= LegtobbCimke)
        throw AdatbazisHiba(QStringLiteral("Túl sok címke: %1. Egyszerre legfeljebb %2 címke nyomtatható; bontsa a "
                                           "tartományt kisebb részekre.")
                                .arg(FtMaszk(double(utolso - elso + 1)), FtMaszk(double(LegtobbCimke))),
                            AdatbazisHiba::Fajta::Bemenet);
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

} // namespace VKod
