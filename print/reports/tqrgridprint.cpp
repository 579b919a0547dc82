#include "print/reports/tqrgridprint.h"
#include "print/common/uzenet.h"
#include "core/data/adatbazis.h"
#include "core/data/kulcslista.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {

const char* const TulajdonosSql = "SELECT tulajdonos, varos, cim FROM tulajdonos ORDER BY rowid LIMIT 1";

// The rows of a list in its order and filter, read through its own
// statement one at a time: a grid over a million rows prints without
// holding them. The fields are those of the list, in its types, so the
// grid's formats apply as on the screen.
class ListaSorai : public Jelentes::Kurzor {
public:
    explicit ListaSorai(const KulcsosLista& l)
        : m_sql(l.sorokLekerdezes()), m_param(l.szuroParam()), m_mezok(l.def().mezok), m_tipusok(l.def().tipusok)
    {
    }
    void elejere() override
    {
        m_u = Adatbazis::Utasitas(m_sql);
        m_u.kotMind(m_param);
    }
    QStringList mezok() const override { return m_mezok; }
    bool kovetkezo() override { return m_u.ervenyes() && m_u.lep(); }
    // The statement gives the key first.
    QVariant ertek(int oszlop) const override
    {
        return m_u.ertek(oszlop + 1, m_tipusok.value(oszlop, Sema::Tipus::Szoveg));
    }
    void lezar() override { m_u = Adatbazis::Utasitas(); }

private:
    QString m_sql;
    QVariantList m_param;
    QStringList m_mezok;
    QVector<Sema::Tipus> m_tipusok;
    Adatbazis::Utasitas m_u;
};

} // namespace

int TqrGridPrint::Kerekit(double x)
{
    // nearbyint rounds in the default mode: to nearest, ties to even.
    return int(std::nearbyint(x));
}

QList<TqrGridPrint::Hely> TqrGridPrint::Helyek(const QList<int>& szelessegek, int racsSzelesseg)
{
    QList<Hely> l;
    int x = 0;
    for (int sz : szelessegek) {
        const int w = racsSzelesseg > 0 ? Kerekit(double(SavSzelesseg) * sz / racsSzelesseg) : 0;
        l.append({x, w});
        x += w + 4;
    }
    return l;
}

double TqrGridPrint::egyseg() const { return szelesseg() / SavSzelesseg; }

TqrGridPrint::TqrGridPrint(const GridKep& racs, const QString& cim, const QString& alcim, const QString& osszegMezo,
                           int betuMeret)
    : Jelentes(cim, QStringLiteral("qrGridPrint")), m_racs(racs)
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double u = egyseg();   // mm per unit
    const auto hely = [u](double x, double y, double w, double h) { return QRectF(x * u, y * u, w * u, h * u); };
    const auto vonal = [u](double x1, double y, double x2) { return QLineF(x1 * u, y * u, x2 * u, y * u); };
    const QString tahoma = QStringLiteral("Tahoma");
    const Betu fejlec(tahoma, betuMeret, Dolt), adat(tahoma, betuMeret), kover(tahoma, betuMeret, Felkover);

    QList<int> szelessegek;
    for (const GridOszlop& o : racs.oszlopok) szelessegek << o.szelesseg;
    m_helyek = Helyek(szelessegek, racs.szelesseg);

    // Page header: the title and the subtitle between two lines at the left,
    // the owner between two lines at the right, the column headings along
    // the bottom and a line under it all.
    const double bal = 285, jobb = 300;
    Sav& f = lapFej;
    f.magassag = 90 * u;
    f.vonal(vonal(0, 0, bal), 0.3);
    f.szoveg(hely(0, 3, bal, 20), cim, Betu(tahoma, 14, Felkover));
    f.szoveg(hely(0, 24, bal, 14), alcim, Betu(tahoma, 9, Felkover));
    f.vonal(vonal(0, 41, bal), 0.3);
    f.vonal(vonal(jobb, 0, SavSzelesseg), 0.3);
    const QString tul = QStringLiteral("tulajdonos");
    f.forrasMezo(hely(jobb, 3, SavSzelesseg - jobb, 12), tul, QStringLiteral("tulajdonos"), Betu(tahoma, 9, Felkover), Jobb);
    f.forrasMezo(hely(jobb, 15, SavSzelesseg - jobb, 12), tul, QStringLiteral("varos"), Betu(tahoma, 9), Jobb);
    f.forrasMezo(hely(jobb, 27, SavSzelesseg - jobb, 12), tul, QStringLiteral("cim"), Betu(tahoma, 9), Jobb);
    f.vonal(vonal(jobb, 41, SavSzelesseg), 0.3);

    // A detail line per row; a long value wraps and pushes the line under
    // it down.
    Sav& r = reszlet;
    r.magassag = 20 * u;
    // The summary, only when there is something to total.
    Sav& o = osszegzes;
    o.lathato = !osszegMezo.isEmpty();
    o.magassag = 20 * u;
    if (o.lathato) o.szoveg(hely(0, 4, 150, 13), QStringLiteral("Összesen"), adat);

    for (qsizetype i = 0; i < racs.oszlopok.size(); ++i) {
        const GridOszlop& g = racs.oszlopok.at(i);
        const Hely& h = m_helyek.at(i);
        r.mezo(hely(h.x, 4, h.w, 13), g.mezo, adat, g.igazitas, g.formatum).tordel = true;
        if (o.lathato && !g.mezo.isEmpty() && g.mezo.compare(osszegMezo, Qt::CaseInsensitive) == 0)
            o.osszeg(hely(h.x, 4, h.w, 13), osszegMezo, kover, Jobb);
        f.szoveg(hely(h.x, 72, h.w, 13), g.cim, fejlec, g.igazitas);
    }
    f.vonal(vonal(0, 87, SavSzelesseg), 0.3);
    r.vonal(vonal(0, 19, SavSzelesseg), 0.1, QColor(160, 160, 160));
    o.vonal(vonal(0, 19, SavSzelesseg), 0.3);

    Sav& l = lapLab;
    l.magassag = 14;
    l.vonal({0, 0.5, szelesseg(), 0.5}, 0.3);
    kozosLablec(l, 1.5, Betu(QStringLiteral("Courier New"), 8), 3.8);
}

void TqrGridPrint::megnyit()
{
    if (m_racs.lista) adat(std::make_unique<ListaSorai>(*m_racs.lista));
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
}

bool GridNyomtat(QWidget* szulo, const GridKep& racs, bool nyomtat, const QString& cim, const QString& alcim,
                 const QString& osszegMezo, int betuMeret)
{
    bool kesz = false;
    Vedett(
        [&] {
            TqrGridPrint qr(racs, cim, alcim, osszegMezo, betuMeret);
            qr.megnyit();
            kesz = qr.kiad(nyomtat ? Kimenet::nyomtato() : Kimenet::elonezet(), szulo);
            // The rows are read while the pages are painted: a refusal then
            // stops the output, and its reason is what the operator needs.
            if (!qr.hiba().isEmpty()) {
                kesz = false;
                HibaAblak(QStringLiteral("A lista adatai nem olvashatók: %1").arg(qr.hiba()), szulo);
            }
        },
        szulo);
    return kesz;
}
