#include "core/cash/zaras.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/sema.h"

#include <QSqlQuery>
#include <cmath>

namespace Zaras {

namespace {

// Money kept to the cent: a difference of two sums carries no binary noise.
double centre(double v)
{
    const double c = std::round(v * 100) / 100;
    return c == 0 ? 0.0 : c;   // no "-0"
}

const char* const ZarasMezok = "SELECT zaras, datum, ido, vart, szamolt, elteres, felhasznalo FROM zaras ";

// The close's own row, then the day's figures from the cash book. Run
// inside a transaction (or a snapshot), so the figures agree with each other.
Jelentes kitolt(QSqlQuery& q)
{
    Jelentes j;
    j.kulcs = VarEgesz(q.value(0));
    j.nap = Sema::ertekbe(Sema::Tipus::Datum, q.value(1)).toDate();
    j.ido = Sema::ertekbe(Sema::Tipus::Ido, q.value(2)).toTime();
    j.vart = VarValos(q.value(3));
    j.szamolt = VarValos(q.value(4));
    j.elteres = VarValos(q.value(5));
    j.felhasznalo = VarSzoveg(q.value(6));
    q.finish();

    QSqlQuery t = Adatbazis::vegrehajt(
        QStringLiteral("SELECT c.cassatip, t.cassatip_nev, COUNT(*), TOTAL(c.osszeg),"
                       " TOTAL(CASE WHEN c.osszeg > 0 THEN c.osszeg END),"
                       " TOTAL(CASE WHEN c.osszeg < 0 THEN c.osszeg END)"
                       " FROM cassa c LEFT OUTER JOIN cassatip t ON (t.cassatip = c.cassatip)"
                       " WHERE c.datum = ? GROUP BY c.cassatip ORDER BY c.cassatip"),
        {j.nap});
    while (t.next()) {
        j.tipusok.append({VarSzoveg(t.value(0)), VarSzoveg(t.value(1)), VarEgesz(t.value(2)), centre(VarValos(t.value(3)))});
        j.tetelek += VarEgesz(t.value(2));
        j.bevetel += VarValos(t.value(4));
        j.kiadas += VarValos(t.value(5));
    }
    t.finish();
    j.bevetel = centre(j.bevetel);
    j.kiadas = centre(j.kiadas);
    j.nyito = VarValos(Adatbazis::ertek(
        QStringLiteral("SELECT penzvan FROM cassa WHERE datum < ? ORDER BY cassa DESC LIMIT 1"), {j.nap}));
    j.zaro = Vart(j.nap);
    j.zarasUtan = centre(j.zaro - j.vart);
    return j;
}

std::optional<Jelentes> egy(const QString& feltetel, const QVariantList& param)
{
    // One view of the book for the row and the figures, writers going on.
    Adatbazis::Tranzakcio olvas(Adatbazis::Olvasas::Pillanatkep);
    QSqlQuery q = Adatbazis::vegrehajt(QString::fromLatin1(ZarasMezok) + feltetel, param);
    if (!q.next()) return std::nullopt;
    Jelentes j = kitolt(q);
    olvas.jovahagy();
    return j;
}

QString napSzoveg(const QDate& nap) { return RovidDatum(nap); }

} // namespace

double Vart(const QDate& nap)
{
    // The balance follows the order written (the key), not the dates: the
    // last entry written up to the day's end holds it. Read backwards along
    // the key, a close of today stops at the first row.
    return VarValos(Adatbazis::ertek(
        QStringLiteral("SELECT penzvan FROM cassa WHERE datum <= ? ORDER BY cassa DESC LIMIT 1"), {nap}));
}

QDate UtolsoZartNap()
{
    return Sema::ertekbe(Sema::Tipus::Datum, Adatbazis::ertek(QStringLiteral("SELECT MAX(datum) FROM zaras"))).toDate();
}

std::optional<Jelentes> Keres(const QDate& nap)
{
    if (!nap.isValid()) return std::nullopt;
    return egy(QStringLiteral("WHERE datum = ? ORDER BY zaras DESC LIMIT 1"), {nap});
}

std::optional<Jelentes> Utolso()
{
    return egy(QStringLiteral("ORDER BY datum DESC, zaras DESC LIMIT 1"), {});
}

Jelentes Zar(const QDate& nap, double szamolt, const QString& felhasznalo, std::optional<double> megerositettVart)
{
    if (!nap.isValid()) throw AdatbazisHiba(QStringLiteral("A zárandó nap nincs megadva."));
    if (!PenzErvenyes(szamolt)) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
    if (szamolt < 0) throw AdatbazisHiba(QStringLiteral("A megszámolt pénz nem lehet negatív. A zárás nem lett rögzítve."));
    const QDateTime most = Most();

    // BEGIN IMMEDIATE: no entry or other close can come between the checks,
    // the balance read and the row written.
    Adatbazis::Tranzakcio tr;
    QSqlQuery volt = Adatbazis::vegrehajt(
        QStringLiteral("SELECT ido, felhasznalo FROM zaras WHERE datum = ? ORDER BY zaras DESC LIMIT 1"), {nap});
    if (volt.next()) {
        const QTime ido = Sema::ertekbe(Sema::Tipus::Ido, volt.value(0)).toTime();
        const QString ki = VarSzoveg(volt.value(1));
        throw AdatbazisHiba(QStringLiteral("A %1 nap pénztára már le van zárva (%2%3). Egy nap csak egyszer zárható; "
                                           "a Z jelentés újra kinyomtatható.")
                                .arg(napSzoveg(nap), HosszuIdo(ido),
                                     ki.isEmpty() ? QString() : QStringLiteral(", ") + ki));
    }
    volt.finish();
    ZarhatoNap(nap);
    const double vart = centre(Vart(nap));
    if (megerositettVart && centre(*megerositettVart) != vart)
        throw AdatbazisHiba(QStringLiteral("A pénztár egyenlege a megerősítés óta megváltozott (most %1). "
                                           "A zárás nem lett rögzítve; kezdje újra.")
                                .arg(Ft(vart)));
    const double elteres = centre(szamolt - vart);
    const QString ki = KarakterEleje(felhasznalo, Sema::mezo(QStringLiteral("zaras"), QStringLiteral("felhasznalo"))->hossz);
    const QVariant kulcs = Adatbazis::vegrehajt(
        QStringLiteral("INSERT INTO zaras (datum, ido, vart, szamolt, elteres, felhasznalo) VALUES (?, ?, ?, ?, ?, ?)"),
        {nap, most.time(), vart, szamolt, elteres, ki.isEmpty() ? QStringLiteral("") : ki})
                               .lastInsertId();
    // The report as this transaction sees the book: what was closed.
    QSqlQuery q = Adatbazis::vegrehajt(QString::fromLatin1(ZarasMezok) + QStringLiteral("WHERE zaras = ?"), {kulcs});
    if (!q.next()) throw AdatbazisHiba(QStringLiteral("A zárás sora nem olvasható vissza; a zárás nem lett rögzítve."));
    Jelentes j = kitolt(q);
    tr.jovahagy();
    return j;
}

void ZarhatoNap(const QDate& nap)
{
    if (nap > Ma()) throw AdatbazisHiba(QStringLiteral("A %1 nap még nem jött el, nem zárható le.").arg(napSzoveg(nap)));
    const QDate utolso = UtolsoZartNap();
    if (utolso.isValid() && nap < utolso)
        throw AdatbazisHiba(QStringLiteral("A pénztár már a későbbi %1 napig le van zárva; korábbi nap nem zárható.")
                                .arg(napSzoveg(utolso)));
}

void KeziTetelEllenoriz(const QDate& nap)
{
    const QDate utolso = UtolsoZartNap();
    if (!utolso.isValid() || nap > utolso) return;
    if (nap == utolso)
        throw AdatbazisHiba(QStringLiteral("A %1 nap pénztára már le van zárva (napi zárás): erre a napra kézi tétel "
                                           "nem rögzíthető. A tétel nem lett rögzítve.")
                                .arg(napSzoveg(nap)));
    throw AdatbazisHiba(QStringLiteral("A pénztár %1 napig le van zárva (napi zárás): %2 dátummal kézi tétel nem "
                                       "rögzíthető. A tétel nem lett rögzítve.")
                            .arg(napSzoveg(utolso), napSzoveg(nap)));
}

QString Ft(double osszeg) { return FtMaszk(osszeg) + QStringLiteral(" Ft"); }

QString ElteresSzoveg(double elteres)
{
    const QString s = FtMaszk(elteres);
    if (s == QLatin1String("0")) return QStringLiteral("0 Ft");
    if (elteres > 0) return QStringLiteral("+%1 Ft (többlet)").arg(s);
    return QStringLiteral("%1 Ft (hiány)").arg(s);
}

} // namespace Zaras
