#include "core/app/keres.h"
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/sema.h"

#include <QStringList>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace {

// The condition over the item table `v` and the genre name: each field
// compared on its own, an empty one (NULL, or empty text written by another
// path) never matching. LIKE on this connection ignores the case of every
// letter, so the fields are not upper-cased row by row: a scan of a million
// items would spend as long again on it.
QString feltetel(const QString& v, const QString& mufajNev)
{
    return QStringLiteral("(NULLIF(%1.video_nev, '') LIKE ?) OR (NULLIF(%1.szoveg, '') LIKE ?) OR (%2)")
        .arg(v, mufajNev);
}

// The condition, with the genre names looked up once: they are few, and
// their matching keys are gathered before the items are read.
QString talaltFeltetel()
{
    return feltetel(QStringLiteral("k"),
                    QStringLiteral("k.mufaj IN (SELECT mufaj FROM mufaj WHERE NULLIF(mufaj_nev, '') LIKE ?)"));
}

// The keys of the items found, as a sub-select for a statement of its own.
// "+" keeps the engine walking the title index for the order, each key
// looked up among those found, instead of fetching the found rows one by one
// to sort them.
QString talaltKulcsok()
{
    return QStringLiteral("(SELECT k.video FROM video k WHERE %1)").arg(talaltFeltetel());
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
    const QVariantList p = ertekek(szoveg);
    // What a reload of the list reads again.
    lista.szures(QStringLiteral("+v.video IN ") + talaltKulcsok(), p);
    lista.rendezes(QStringLiteral("v.video_nev COLLATE HU"));

    // The search reads every item: read in the table's own order, from start
    // to end, the description and genre come with the title at no extra
    // cost. Tested while walking the title index instead, every item's row
    // would be fetched out of order: several times slower at a million.
    std::vector<qint64> talalt = Adatbazis::kulcsokOlvas(QStringLiteral("SELECT k.video FROM video k WHERE ") + talaltFeltetel(), p);
    std::vector<qint64> rendben;
    if (talalt.size() <= 1000) {
        // A few: the engine orders them, fetching each by its key.
        if (!talalt.empty()) {
            QStringList k;
            for (qint64 x : talalt) k << QString::number(x);
            rendben = Adatbazis::kulcsokOlvas(QStringLiteral("SELECT video FROM video WHERE video IN (%1) "
                                                  "ORDER BY video_nev COLLATE HU, video")
                                       .arg(k.join(QLatin1Char(','))),
                                   {});
        }
    } else {
        // Many: the title index (which holds the key) gives the order of all
        // of them, without sorting; the found ones are kept.
        std::sort(talalt.begin(), talalt.end());
        const std::vector<qint64> mind =
            Adatbazis::kulcsokOlvas(QStringLiteral("SELECT video FROM video ORDER BY video_nev COLLATE HU, video"), {});
        rendben.reserve(talalt.size());
        for (qint64 x : mind)
            if (std::binary_search(talalt.begin(), talalt.end(), x)) rendben.push_back(x);
    }
    lista.kulcsokBeallit(std::move(rendben));
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
        QStringLiteral("WHERE +video.video IN ") + talaltKulcsok(),
        // The key breaks ties as in the window's list.
        QStringLiteral("ORDER BY video.video_nev COLLATE HU, video.video")};
    return {sorok.join(QLatin1Char('\n')), ertekek(szoveg)};
}
