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
    k.tipus = Kerdes::Tipus::Kod;
    k.kod = int(n);
    return k;
}

} // namespace GyorsKereses
