#include "print/reports/gyorshatarolt.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"

bool GyorsHatarolt(QWidget* szulo, const Hatarolt::Forras& lekerdezes, const QString& nev, QString fajl,
                   const QString& elvalaszto)
{
    if (fajl.isEmpty()) {
        fajl = parbeszed().mentendoFajl(szulo, QStringLiteral("Karakter határolt szöveg mentése"),
                                         nev + QStringLiteral(".csv"), QStringLiteral("CSV file-ok (*.csv)"));
        if (fajl.isEmpty()) return false;
    }
    Hatarolt::Beallitas b;
    b.elvalaszto = elvalaszto;
    b.jelolo.clear();
    b.feliratok = false;
    b.blobSzo = false;
    try {
        Hatarolt::Ir(lekerdezes, b, fajl);
    } catch (const Hatarolt::MegnyitasiHiba& e) {
        HibaAblak(QStringLiteral("File megnyitási hiba\r\n") + e.rendszer(), szulo);
        return false;
    }
    return true;
}
