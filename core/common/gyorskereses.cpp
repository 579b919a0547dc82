#include "core/common/gyorskereses.h"

#include <limits>

namespace GyorsKereses {

Kerdes Ertelmez(const QString& szoveg, Mod mod)
{
    Kerdes k;
    const QString t = szoveg.trimmed();
    if (t.isEmpty()) return k;
    if (mod == Mod::Nev) {
        k.tipus = Kerdes::Tipus::Nev;
        k.eleje = szoveg;
        return k;
    }
    // A label is read before the number: a card's thirteen digits are past any code.
    if (mod == Mod::TetelKod || mod == Mod::UgyfelKod) {
        const Cimke c = CimkeOlvas(t);
        const Cimke::Fajta sajat = mod == Mod::TetelKod ? Cimke::Fajta::Tetel : Cimke::Fajta::Ugyfel;
        switch (c.fajta) {
        case Cimke::Fajta::Nem: break;
        case Cimke::Fajta::Hibas: k.tipus = Kerdes::Tipus::HibasVonalkod; return k;
        default:
            k.tipus = c.fajta == sajat ? Kerdes::Tipus::Kod
                      : c.fajta == Cimke::Fajta::Ugyfel ? Kerdes::Tipus::UgyfelKartya
                                                       : Kerdes::Tipus::TetelCimke;
            k.kod = c.kod;
            return k;
        }
    }
    // Digits of any script and signs would pass toInt() or isDigit(); a
    // code is typed with 0-9 only.
    qint64 n = 0;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9') return k;
        n = n * 10 + (c.unicode() - u'0');
        if (n > std::numeric_limits<int>::max()) return k;
    }
    k.tipus = Kerdes::Tipus::Kod;
    k.kod = int(n);
    return k;
}

QString CimkeHiba(const Kerdes& k, const QString& szoveg)
{
    const QString kod = QStringLiteral("%1").arg(k.kod, 5, 10, QLatin1Char('0'));
    switch (k.tipus) {
    case Kerdes::Tipus::HibasVonalkod:
        return QStringLiteral("Hibás vonalkód (rossz ellenőrző jegy): %1. Olvassa be újra.").arg(szoveg.trimmed());
    case Kerdes::Tipus::UgyfelKartya: return QStringLiteral("Ez ügyfélkártya (%1), nem tétel.").arg(kod);
    case Kerdes::Tipus::TetelCimke: return QStringLiteral("Ez egy tétel vonalkódja (%1), nem ügyfélkártya.").arg(kod);
    default: return {};
    }
}

Cimke CimkeOlvas(const QString& szoveg)
{
    Cimke c;
    const QString t = szoveg.trimmed();
    for (const QChar ch : t)
        if (ch < u'0' || ch > u'9') return c;
    const auto jegy = [&](int i) { return t.at(i).unicode() - u'0'; };
    if (t.size() == 8) {
        if (Ean8Ellenorzo(QStringView(t).left(7)) != jegy(7)) {
            c.fajta = Cimke::Fajta::Hibas;
            return c;
        }
        c.fajta = Cimke::Fajta::Tetel;
        c.kod = t.left(7).toInt();
    } else if (t.size() == 13 && t.startsWith(QLatin1String(KartyaElotag))) {
        const qint64 azon = t.mid(2, 10).toLongLong();
        if (Ean13Ellenorzo(QStringView(t).left(12)) != jegy(12) || azon > std::numeric_limits<int>::max()) {
            c.fajta = Cimke::Fajta::Hibas;
            return c;
        }
        c.fajta = Cimke::Fajta::Ugyfel;
        c.kod = int(azon);
    }
    return c;
}

int Ean13Ellenorzo(QStringView tizenketJegy)
{
    // Weights 1 and 3 alternately from the first digit.
    int osszeg = 0;
    for (int i = 0; i < 12; ++i) osszeg += (tizenketJegy.at(i).unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return (10 - osszeg % 10) % 10;
}

QString UgyfelKartyaSzam(qint64 azon)
{
    if (azon < 0 || azon > std::numeric_limits<int>::max()) return {};
    const QString tizenket = QLatin1String(KartyaElotag) + QStringLiteral("%1").arg(azon, 10, 10, QLatin1Char('0'));
    return tizenket + QChar(u'0' + Ean13Ellenorzo(tizenket));
}

int Ean8Ellenorzo(QStringView hetJegy)
{
    // Weights 3 and 1 alternately from the first digit.
    int osszeg = 0;
    for (int i = 0; i < 7; ++i) osszeg += (hetJegy.at(i).unicode() - u'0') * (i % 2 == 0 ? 3 : 1);
    return (10 - osszeg % 10) % 10;
}

} // namespace GyorsKereses
