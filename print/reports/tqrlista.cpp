#include "print/reports/tqrlista.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"

#include <QTime>

namespace {

const char* const TulajdonosSql = "SELECT tulajdonos, varos, cim, telefon FROM tulajdonos ORDER BY rowid LIMIT 1";

const char* const ListaOszlopok =
    "SELECT video.video, video.azon, video.tipus, tipus.tipus_nev, video.arkat, arkat.arkat_nev,\n"
    "  video.video_nev, video.szoveg, video.ugyfel, ugyfel.ugyfel_nev, video.fiztip, fiztip.fiztip_nev,\n"
    "  video.dat_kiadva, video.ido_kiadva, video.dat_visszakell, video.ido_visszakell, video.dat_vissza,\n"
    "  video.ido_vissza, video.ar, video.kint, video.torolve, video.dat_besz, video.dat_selejt,\n"
    "  video.kolcsid, video.kolcsonozve, video.mufaj, mufaj.mufaj_nev\n"
    "FROM video\n"
    "  LEFT OUTER JOIN tipus ON (video.tipus = tipus.tipus)\n"
    "  LEFT OUTER JOIN arkat ON (video.arkat = arkat.arkat)\n"
    "  LEFT OUTER JOIN ugyfel ON (video.ugyfel = ugyfel.ugyfel)\n"
    "  LEFT OUTER JOIN fiztip ON (video.fiztip = fiztip.fiztip)\n"
    "  LEFT OUTER JOIN mufaj ON (video.mufaj = mufaj.mufaj)\n";

const char* const TipusKodSzerint = "ORDER BY video.tipus, video.azon;";

// The lent list shows days and times the short way, whatever the locale.
QString PontosDatum(const QVariant& v)
{
    const QDate d = v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(VarSzoveg(v), Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("yyyy.MM.dd")) : VarSzoveg(v);
}

QString OraPerc(const QVariant& v)
{
    const QTime t = v.typeId() == QMetaType::QTime ? v.toTime() : QTime::fromString(VarSzoveg(v), Qt::ISODate);
    return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : VarSzoveg(v);
}

} // namespace

QString TqrListaAlap::Lekerdezes(const QString& feltetel, const QString& sorrend)
{
    QString s = QString::fromLatin1(ListaOszlopok);
    if (!feltetel.isEmpty()) s += feltetel + '\n';
    return s + sorrend;
}

TqrListaAlap::TqrListaAlap(const QString& cim, const QString& nev, const QString& fejcim, const QString& alcim,
                           const QList<Oszlop>& oszlopok)
    : Jelentes(cim, nev)
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = szelesseg();   // 190 mm
    const QString betu = QStringLiteral("Arial");
    const Betu fejlec(betu, 8, Dolt), sor(betu, 8), tiz(betu, 10), tizKover(betu, 10, Felkover);

    // Page header: the heading (and the subtitle under it) between two
    // rules at the left, the owner between two rules at the right, the
    // column headings along the bottom.
    const double bal = 100, jobb = 105, alja = 24;
    Sav& f = lapFej;
    f.magassag = alja + 6;
    f.vonal({0, 0, bal, 0}, 0.3);
    m_fejcim = &f.szoveg({0, 2, bal, 8}, fejcim, Betu(betu, 16, Felkover));
    if (!alcim.isEmpty()) f.szoveg({0, 11.5, bal, 6}, alcim, Betu(betu, 12));
    f.vonal({0, 19.5, bal, 19.5}, 0.3);
    f.vonal({jobb, 0, w, 0}, 0.3);
    f.forrasMezo({jobb, 1, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"), tizKover, Jobb);
    f.forrasMezo({jobb, 5.5, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("varos"), tiz, Jobb);
    f.forrasMezo({jobb, 10, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("cim"), tiz, Jobb);
    f.forrasMezo({jobb, 14.5, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("telefon"), tiz, Jobb);
    f.vonal({jobb, 19.5, w, 19.5}, 0.3);
    for (const Oszlop& o : oszlopok) f.szoveg({o.x, alja, o.w, 4}, o.fejlec, fejlec, o.igazitas);
    f.vonal({0, alja + 4.8, w, alja + 4.8}, 0.2);

    // A group per item type: its name above, the number of its items below.
    Csoport& cs = csoport(QStringLiteral("tipus"));
    cs.fej.magassag = 7;
    cs.fej.mezo({0, 2, w, 4.5}, QStringLiteral("tipus_nev"), tizKover);
    cs.lab.magassag = 8;
    cs.lab.vonal({0, 0.5, w, 0.5}, 0.1, QColor(160, 160, 160));
    cs.lab.szoveg({15, 1.5, 20, 4.5}, QStringLiteral("Összesen"), tiz);
    cs.lab.darab({36, 1.5, 16, 4.5}, tiz, Jobb);
    cs.lab.szoveg({54, 1.5, 20, 4.5}, QStringLiteral("tétel"), tiz);

    Sav& r = reszlet;
    r.magassag = 4.2;
    for (const Oszlop& o : oszlopok) r.mezo({o.x, 0.3, o.w, 3.6}, o.mezo, sor, o.igazitas, o.formatum);

    Sav& l = lapLab;
    l.magassag = 13;
    l.vonal({0, 0.5, w, 0.5}, 0.3);
    kozosLablec(l, 1.5, sor, 3.6);
}

void TqrListaAlap::megnyit()
{
    adatSql(m_sql, m_param);
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
}

// ---- the four lists -----------------------------------------------------------------

TqrLista::TqrLista()
    : TqrListaAlap(QStringLiteral("Lista nyomtatás"), QStringLiteral("qrLista"), QStringLiteral("Teljes lista"), {},
                   {{QStringLiteral("kód"), QStringLiteral("azon"), 0, 14},
                    {QStringLiteral("megnevezés"), QStringLiteral("video_nev"), 15, 68},
                    {QStringLiteral("árkat"), QStringLiteral("arkat_nev"), 84, 20},
                    {QStringLiteral("műfaj"), QStringLiteral("mufaj_nev"), 105, 22},
                    {QStringLiteral("kiadva"), QStringLiteral("kint"), 128, 11, Kozep},
                    {QStringLiteral("szöveg"), QStringLiteral("szoveg"), 141, 49}})
{
    lekerdezesBeallit(Lekerdezes({}, QString::fromLatin1(TipusKodSzerint)));
}

void TqrLista::keresesEredmenye(const QString& sql, const QVariantList& param)
{
    lekerdezesBeallit(sql, param);
    m_fejcim->szoveg = QStringLiteral("Keresés eredménye");
}

TqrLista2::TqrLista2(const QDate& d1, const QString& alcim)
    : TqrListaAlap(QStringLiteral("Kiadott tételek"), QStringLiteral("qrLista2"), QStringLiteral("Kiadott tételek"),
                   alcim,
                   {{QStringLiteral("kód"), QStringLiteral("azon"), 0, 12},
                    {QStringLiteral("megnevezés"), QStringLiteral("video_nev"), 13, 55},
                    {QStringLiteral("ügyfél"), QStringLiteral("ugyfel_nev"), 69, 40},
                    {QStringLiteral("ár"), QStringLiteral("ar"), 110, 17, Jobb, PenzFormatum},
                    {QStringLiteral("dat.kiadva"), QStringLiteral("dat_kiadva"), 130, 18, Bal, PontosDatum},
                    {QStringLiteral("idő"), QStringLiteral("ido_kiadva"), 149, 10, Bal, OraPerc},
                    {QStringLiteral("dat.várható"), QStringLiteral("dat_visszakell"), 161, 18, Bal, PontosDatum},
                    {QStringLiteral("idő"), QStringLiteral("ido_visszakell"), 180, 10, Bal, OraPerc}})
{
    // Only the day counts: an item due at any hour today is not listed
    // as overdue until tomorrow.
    lekerdezesBeallit(Lekerdezes(QStringLiteral("WHERE (video.kint = 'I') AND (video.torolve = 'N') AND (dat_visszakell < :d1)"),
                                 QString::fromLatin1(TipusKodSzerint)),
                      {d1});
}

TqrLista3::TqrLista3()
    : TqrListaAlap(QStringLiteral("Bentlévő tételek"), QStringLiteral("qrLista3"), QStringLiteral("Bentlévő tételek"), {},
                   {{QStringLiteral("kód"), QStringLiteral("azon"), 0, 14},
                    {QStringLiteral("megnevezés"), QStringLiteral("video_nev"), 15, 68},
                    {QStringLiteral("árkat"), QStringLiteral("arkat_nev"), 84, 20},
                    {QStringLiteral("műfaj"), QStringLiteral("mufaj_nev"), 105, 22},
                    {QStringLiteral("szöveg"), QStringLiteral("szoveg"), 128, 62}})
{
    lekerdezesBeallit(Lekerdezes(QStringLiteral("WHERE (video.kint = 'N') AND (video.torolve = 'N')"),
                                 QString::fromLatin1(TipusKodSzerint)));
}

TqrLista4::TqrLista4()
    : TqrListaAlap(QStringLiteral("Lista nyomtatás"), QStringLiteral("qrLista4"), QStringLiteral("Teljes lista"), {},
                   {{QStringLiteral("kód"), QStringLiteral("azon"), 0, 14},
                    {QStringLiteral("megnevezés"), QStringLiteral("video_nev"), 15, 68},
                    {QStringLiteral("árkat"), QStringLiteral("arkat_nev"), 84, 20},
                    {QStringLiteral("műfaj"), QStringLiteral("mufaj_nev"), 105, 22},
                    {QStringLiteral("kölcsönzések"), QStringLiteral("kolcsonozve"), 128, 22, Jobb}})
{
    lekerdezesBeallit(Lekerdezes({}, QStringLiteral("ORDER BY video.tipus, video.kolcsonozve DESC;")));
}

std::unique_ptr<TqrListaAlap> TetelListaJelentes(TetelLista lista)
{
    switch (lista) {
    case TetelLista::Teljes: return std::make_unique<TqrLista>();
    case TetelLista::Kiadott: return std::make_unique<TqrLista2>(TqrLista2::Mindet(), QString());
    case TetelLista::KiadottLejart: return std::make_unique<TqrLista2>(Ma(), QStringLiteral("1 napja lejártak"));
    case TetelLista::Bentlevo: return std::make_unique<TqrLista3>();
    case TetelLista::Kolcsonzesek: return std::make_unique<TqrLista4>();
    }
    return {};
}
