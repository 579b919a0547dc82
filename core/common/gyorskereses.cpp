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
    // Digits of any script and signs would pass toInt() or isDigit(); a
    // code is typed with 0-9 only.
    qint64 n = 0;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9') return k;
        n = n * 10 + (c.unicode() - u'0');
        if (n > std::numeric_limits<int>::max()) return k;
    }
    if (mod == Mod::TetelKod && t.size() == 8) {
        if (Ean8Ellenorzo(QStringView(t).left(7)) != t.at(7).unicode() - u'0') {
            k.tipus = Kerdes::Tipus::HibasVonalkod;
            return k;
        }
        n /= 10;
    }
    k.tipus = Kerdes::Tipus::Kod;
    k.kod = int(n);
    return k;
}

int Ean8Ellenorzo(QStringView hetJegy)
{
    // Weights 3 and 1 alternately from the first digit.
    int osszeg = 0;
    for (int i = 0; i < 7; ++i) osszeg += (hetJegy.at(i).unicode() - u'0') * (i % 2 == 0 ? 3 : 1);
    return (10 - osszeg % 10) % 10;
}

} // namespace GyorsKereses
