#include "app/keres.h"
#include "data/hufold.h"
#include "data/sema.h"

#include <QStringList>

namespace {

// The condition over the item table `v` and the genre name: each field
// compared on its own, an empty one (NULL, or empty text written by another
// path) never matching. LIKE on this connection already ignores the case of
// every letter; the pattern is upper-cased all the same.
QString feltetel(const QString& v, const QString& mufajNev)
{
    return QStringLiteral("(UPPER(NULLIF(%1.video_nev, '')) LIKE ?) OR (UPPER(NULLIF(%1.szoveg, '')) LIKE ?) "
                          "OR (%2)")
        .arg(v, mufajNev);
}

QVariantList ertekek(const QString& szoveg)
{
    const QString p = KeresMinta(szoveg);
    return {p, p, p};
}

} // namespace

QString KeresMinta(const QString& szoveg)
{
    return QLatin1Char('%') + HuFold::nagybetu(szoveg) + QLatin1Char('%');
}

KulcsosLista KeresLista()
{
    ListaDef d;
    d.tabla = QStringLiteral("video");
    d.alias = QStringLiteral("v");
    d.kulcs = QStringLiteral("video");
    QStringList sel;
    for (const char* n : {"video", "azon", "tipus", "arkat", "video_nev", "szoveg", "ugyfel", "fiztip", "dat_kiadva",
                          "ido_kiadva", "dat_visszakell", "ido_visszakell", "dat_vissza", "ido_vissza", "ar", "kint",
                          "torolve", "dat_besz", "dat_selejt", "kolcsid", "kolcsonozve"}) {
        const QString nev = QString::fromLatin1(n);
        d.mezok << nev;
        d.tipusok << Sema::mezo(d.tabla, nev)->tipus;
        sel << QStringLiteral("v.") + nev;
    }
    d.mezok << QStringLiteral("tipus_nev");
    d.tipusok << Sema::Tipus::Szoveg;
    sel << QStringLiteral("t.tipus_nev");
    d.select = sel.join(QStringLiteral(", "));
    // A type that no longer exists shows an empty name; the item is listed.
    d.joinok = QStringLiteral("LEFT JOIN tipus t ON (t.tipus = v.tipus)");
    KulcsosLista l(d);
    // Nothing is found until a search runs.
    l.szures(QStringLiteral("0"));
    l.rendezes(QStringLiteral("v.video_nev COLLATE HU"));
    return l;
}

int KeresFuttat(KulcsosLista& lista, const QString& szoveg)
{
    // The genre names are few: their matching keys are gathered once, not
    // looked up again for every item.
    lista.szures(feltetel(QStringLiteral("v"),
                          QStringLiteral("v.mufaj IN (SELECT mufaj FROM mufaj WHERE UPPER(NULLIF(mufaj_nev, '')) LIKE ?)")),
                 ertekek(szoveg));
    lista.rendezes(QStringLiteral("v.video_nev COLLATE HU"));
    lista.betolt();
    return lista.sorok();
}

KeresUtasitas KeresNyomtatando(const QString& szoveg)
{
    const QStringList sorok = {
        QStringLiteral("SELECT video.*, tipus.tipus_nev, mufaj.mufaj_nev, arkat.arkat_nev, ugyfel.ugyfel_nev, "
                       "fiztip.fiztip_nev"),
        QStringLiteral("FROM video"),
        QStringLiteral(" LEFT OUTER JOIN tipus ON (video.tipus=tipus.tipus)"),
        QStringLiteral(" LEFT OUTER JOIN mufaj ON (video.mufaj=mufaj.mufaj)"),
        QStringLiteral(" LEFT OUTER JOIN arkat ON (video.arkat=arkat.arkat)"),
        QStringLiteral(" LEFT OUTER JOIN ugyfel ON (video.ugyfel=ugyfel.ugyfel)"),
        QStringLiteral(" LEFT OUTER JOIN fiztip ON (video.fiztip=fiztip.fiztip)"),
        QStringLiteral("WHERE ")
            + feltetel(QStringLiteral("video"), QStringLiteral("UPPER(NULLIF(mufaj.mufaj_nev, '')) LIKE ?")),
        // The key breaks ties as in the window's list.
        QStringLiteral("ORDER BY video.video_nev COLLATE HU, video.video")};
    return {sorok.join(QLatin1Char('\n')), ertekek(szoveg)};
}
