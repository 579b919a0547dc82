#include "print/rental/tqrkolcsonzes.h"

namespace {

// The rental's items with their names, one row per item. Each part of the
// address may be empty: COALESCE keeps the rest, TRIM drops the separators
// left dangling.
const char* const TetelSql =
    "SELECT\n"
    "  video.video,\n"
    "  video.azon,\n"
    "  video.tipus,\n"
    "  tipus.tipus_nev,\n"
    "  video.arkat,\n"
    "  arkat.arkat_nev,\n"
    "  video.video_nev,\n"
    "  video.szoveg,\n"
    "  video.ugyfel,\n"
    "  ugyfel.ugyfel_nev,\n"
    "  TRIM(COALESCE(ugyfel.cim_irsz, '') || ' ' || COALESCE(ugyfel.cim_varos, '') || ', '\n"
    "       || COALESCE(ugyfel.cim_cim, ''), ' ,') AS ugyfelcim,\n"
    "  video.fiztip,\n"
    "  fiztip.fiztip_nev,\n"
    "  video.dat_kiadva,\n"
    "  video.ido_kiadva,\n"
    "  video.dat_visszakell,\n"
    "  video.ido_visszakell,\n"
    "  video.dat_vissza,\n"
    "  video.ido_vissza,\n"
    "  video.ar,\n"
    "  video.kint,\n"
    "  video.torolve,\n"
    "  video.dat_besz,\n"
    "  video.dat_selejt,\n"
    "  video.kolcsid,\n"
    "  video.kolcsonozve,\n"
    "  video.mufaj,\n"
    "  mufaj.mufaj_nev\n"
    "FROM video\n"
    "  LEFT OUTER JOIN tipus ON (video.tipus = tipus.tipus)\n"
    "  LEFT OUTER JOIN arkat ON (video.arkat = arkat.arkat)\n"
    "  LEFT OUTER JOIN ugyfel ON (video.ugyfel = ugyfel.ugyfel)\n"
    "  LEFT OUTER JOIN fiztip ON (video.fiztip = fiztip.fiztip)\n"
    "  LEFT OUTER JOIN mufaj ON (video.mufaj = mufaj.mufaj)\n"
    "WHERE video.kolcsid = :pkolcsid\n"
    "ORDER BY video.tipus, video.azon;";

const char* const TulajdonosSql =
    "SELECT tulajdonos, varos, cim, telefon,\n"
    "  TRIM(COALESCE(varos, '') || ', ' || COALESCE(cim, ''), ' ,') AS varoscim\n"
    "FROM tulajdonos ORDER BY rowid LIMIT 1";

const char* const BeallitSql = "SELECT kolcsszoveg FROM beallit ORDER BY beallit LIMIT 1";

} // namespace

TqrKolcsonzes::TqrKolcsonzes() : Jelentes(QStringLiteral("Kölcsönzés"), QStringLiteral("qrKolcsonzes"))
{
    lap(QPageSize::A5, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = szelesseg();   // 128 mm
    const double bal = 0, jobb = 66, doboz = 62;
    const Betu cimke("Arial", 6.5, Dolt), dolt("Arial", 8, Dolt), sima("Arial", 8), kover("Arial", 9, Felkover);
    const QColor szurke(160, 160, 160);
    // A 9-point value beside an 8-point label starts this much higher, so
    // that the two stand on one baseline.
    const double emel = (9.0 - 8.0) * 0.905 * 25.4 / 72;

    // Page header: four framed boxes, a thick grey line, the column headings.
    Sav& f = lapFej;
    f.magassag = 47.5;
    f.keret({bal, 0, doboz, 19});
    f.szoveg({bal + 1.5, 0.8, 59, 3.5}, QStringLiteral("ügyfél adatok"), cimke);
    f.szoveg({bal + 1.5, 5.2, 9, 4}, QStringLiteral("név"), dolt);
    f.mezo({bal + 11, 5.2 - emel, 50, 4.5}, QStringLiteral("ugyfel_nev"), kover);
    f.szoveg({bal + 1.5, 10.2, 9, 4}, QStringLiteral("cím"), dolt);
    f.mezo({bal + 11, 10.2, 50, 8}, QStringLiteral("ugyfelcim"), sima).tordel = true;

    f.keret({jobb, 0, doboz, 19});
    f.szoveg({jobb, 5, doboz, 9}, QStringLiteral("Kölcsönzés"), Betu("Arial", 16, Felkover), Kozep);

    f.keret({bal, 21, doboz, 18});
    f.szoveg({bal + 1.5, 21.8, 59, 3.5}, QStringLiteral("kölcsönzés adatai"), cimke);
    f.szoveg({bal + 1.5, 26.2, 22, 4}, QStringLiteral("lejárat napja"), dolt);
    f.mezo({bal + 24, 26.2 - emel, 37, 4.5}, QStringLiteral("dat_visszakell"), kover, Bal, DatumFormatum);
    f.szoveg({bal + 1.5, 31.2, 22, 4}, QStringLiteral("lejárat ideje"), dolt);
    f.mezo({bal + 24, 31.2 - emel, 37, 4.5}, QStringLiteral("ido_visszakell"), kover, Bal, IdoFormatum);

    f.keret({jobb, 21, doboz, 18});
    f.szoveg({jobb + 1.5, 21.8, 59, 3.5}, QStringLiteral("kölcsönbe adó adatok"), cimke);
    f.forrasMezo({jobb + 1.5, 25.6, 59, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"), kover);
    f.szoveg({jobb + 1.5, 30.2, 9, 4}, QStringLiteral("cím"), dolt);
    f.forrasMezo({jobb + 13.5, 30.2, 47.5, 4}, QStringLiteral("tulajdonos"), QStringLiteral("varoscim"), sima);
    f.szoveg({jobb + 1.5, 34.4, 12, 4}, QStringLiteral("telefon"), dolt);
    f.forrasMezo({jobb + 13.5, 34.4, 47.5, 4}, QStringLiteral("tulajdonos"), QStringLiteral("telefon"), sima);

    f.vonal({0, 41, w, 41}, 0.8, szurke);
    f.szoveg({0, 42.8, 14, 4}, QStringLiteral("kód"), dolt);
    f.szoveg({15, 42.8, 69, 4}, QStringLiteral("tétel megnevezés"), dolt);
    f.szoveg({85, 42.8, 20, 4}, QStringLiteral("árkat"), dolt);
    f.szoveg({106, 42.8, 22, 4}, QStringLiteral("várható ár"), dolt, Jobb);

    // One line per item.
    Sav& r = reszlet;
    r.magassag = 5.5;
    const Betu tetel("Arial", 9);
    r.mezo({0, 0.8, 14, 4}, QStringLiteral("azon"), tetel);
    r.mezo({15, 0.8, 69, 4}, QStringLiteral("video_nev"), tetel);
    r.mezo({85, 0.8, 20, 4}, QStringLiteral("arkat_nev"), tetel);
    r.mezo({106, 0.8, 22, 4}, QStringLiteral("ar"), tetel, Jobb);
    r.vonal({0, 5.3, w, 5.3}, 0.2, szurke);

    // The expected total, then the shop's note growing as it needs.
    Sav& o = osszegzes;
    o.magassag = 14;
    o.szoveg({0, 1.2, 60, 4.5}, QStringLiteral("várható összesen"), Betu("Arial", 9, Dolt));
    o.osszeg({70, 1.2 - emel, 58, 5}, QStringLiteral("ar"), Betu("Arial", 10, Felkover), Jobb);
    o.vonal({0, 7, w, 7}, 0.3, szurke);
    o.forrasMezo({0, 8, w, 4.5}, QStringLiteral("beallit"), QStringLiteral("kolcsszoveg"),
                 Betu("Times New Roman", 9))
        .tordel = true;
    o.vonal({0, 13.5, w, 13.5}, 0.3);

    // Footer: the signature line, then the common footer in a small fixed-pitch font.
    Sav& l = lapLab;
    l.magassag = 29;
    l.vonal({0, 0, w, 0}, 0.3);
    l.vonal({w / 2 + 6, 12, w - 4, 12}, 0.2);
    l.szoveg({w / 2, 12.6, w / 2, 4}, QStringLiteral("átvétel igazolása"), dolt, Kozep);
    kozosLablec(l, 18, Betu("Courier New", 7), 3.5);
}

void TqrKolcsonzes::megnyit(int pkolcsid)
{
    adatSql(QString::fromLatin1(TetelSql), {pkolcsid});
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
    forras(QStringLiteral("beallit"), elsoSor(QString::fromLatin1(BeallitSql)));
}

void KolcsonzesNyomtat(int kolcsid, const Kimenet& kimenet, QWidget* szulo)
{
    TqrKolcsonzes qr;
    qr.megnyit(kolcsid);
    qr.kiad(kimenet, szulo);
}
