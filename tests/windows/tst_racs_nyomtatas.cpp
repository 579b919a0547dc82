// Printing a grid: where its columns go on the page, and the customer
// register printed from its window, written to PDF and read back (titles,
// rows in the window's order and filter, the footer, the total).
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/kulcslista.h"
#include "windows/reports/racsnyomtatas.h"
#include "print/reports/tqrgridprint.h"
#include "tests/windows/tesztsegito.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QAction>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableView>
#include <QtTest>

namespace {

void ugyfel(int azon, const QString& nev, const QVariant& dij, const QString& torolve = "N")
{
    Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, cim_irsz, cim_varos, cim_cim, dijfizetve, torolve) "
                         "VALUES (?, ?, '1071', 'Budapest', ?, ?, ?)",
                         {azon, nev, QStringLiteral("Fő utca %1.").arg(azon), dij, torolve});
}

// A word of a page as drawn, in points from the page's top-left corner.
struct Szo {
    QString szoveg;
    double x1, y1, x2, y2;
    int oldal;
};

QList<Szo> Szavak(const QString& pdf)
{
    const QString html = PdfParancs("pdftotext", {"-bbox", pdf, "-"});
    QList<Szo> l;
    int oldal = 0;
    static const QRegularExpression re(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++oldal;
            continue;
        }
        QString s = m.captured(5);
        s.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        l.append({s, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                  m.captured(4).toDouble(), oldal});
    }
    return l;
}

const Szo* Keres(const QList<Szo>& l, const QString& s)
{
    for (const Szo& w : l)
        if (w.szoveg == s) return &w;
    return nullptr;
}

// A place on the report's band, in units, as points from the paper's
// edge: 190 mm shared by 575 units, after the 10 mm margin (the same at
// the left and at the top).
double Pont(double egyseg) { return (10 + egyseg * 190.0 / TqrGridPrint::SavSzelesseg) * 72 / 25.4; }

// The lines of a page; "fi" drawn as one glyph reads back as "fi".
QStringList Sorai(const QString& oldal) { return PdfSorok(oldal.normalized(QString::NormalizationForm_KC)); }

// The rows printed on a page: the lines between the column headings and
// the footer.
QStringList Torzs(const QString& oldal, const QString& oszlopfej)
{
    const QStringList s = Sorai(oldal);
    const int elso = s.indexOf(oszlopfej);
    if (elso < 0) return {QStringLiteral("nincs oszlopfej: ") + s.join('|')};
    return s.mid(elso + 1, s.size() - elso - 1 - 3);
}

const QString Fejlec = QStringLiteral("! kód ügyfél irsz város cím díj.fizetve");

QString Sor(int azon, const QString& nev, const QDate& dij)
{
    return QStringLiteral("%1 %2 1071 Budapest Fő utca %3. %4")
        .arg(azon, 5, 10, QLatin1Char('0'))
        .arg(nev)
        .arg(azon)
        .arg(dij.isValid() ? RovidDatum(dij) : QString())
        .trimmed();
}

// What every page of the register carries: the title and the owner above
// the column headings, and the footer.
void Keret(const QString& oldal, int szam)
{
    const QStringList s = Sorai(oldal);
    const int o = s.indexOf(Fejlec);
    QVERIFY2(o >= 0, qPrintable(s.join('|')));
    QCOMPARE(s.mid(0, o).join(' '), QString("Ügyfelek Mozimánia Videotéka Budapest Dózsa György út 12."));
    const QStringList lab = s.mid(s.size() - 3);
    QCOMPARE(lab.value(0), QStringLiteral("Kazettora %1 15:30:00").arg(RovidDatum(QDate(2026, 3, 14))));
    QCOMPARE(lab.value(1), QString("Ügyfelek"));
    QCOMPARE(lab.value(2), QStringLiteral("oldal: %1 www.kazettora.hu qrGridPrint").arg(szam));
}

} // namespace

class TstRacsNyomtatas : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;
    int m_n = 0;

    // Runs the register; `lepes` drives it, then it is closed.
    void regiszter(const std::function<void(Tfrm_TorzsUgyfel&)>& lepes)
    {
        VartAblak v([&](Tfrm_TorzsUgyfel* a) {
            lepes(*a);
            a->reject();
        });
        TorzsUgyfelMegnyit(nullptr, -1, false);
    }

    // The listed customers' codes, names and towns by code, the name
    // column narrow enough to wrap a long name, an empty column between.
    QString kozvetlen(const QString& osszegMezo, QList<TqrGridPrint::Hely>* helyek = nullptr)
    {
        KulcsosLista lista = ugyfelLista();
        GridKep k;
        k.szelesseg = 500;
        k.oszlopok = {{"azon", "kód", Jelentes::Jobb, 100, Jelentes::OtJegyuFormatum},
                      {"ugyfel_nev", "ügyfél", Jelentes::Bal, 100, {}},
                      {{}, "üres", Jelentes::Bal, 50, {}},
                      {"cim_varos", "város", Jelentes::Kozep, 200, {}}};
        k.lista = &lista;
        TqrGridPrint qr(k, "Próba", "alcím", osszegMezo, 8);
        if (helyek) *helyek = qr.helyek();
        qr.megnyit();
        const QString fajl = m_dir.filePath(QStringLiteral("racs%1.pdf").arg(++m_n));
        QString hiba;
        if (!qr.pdfbe(fajl, &hiba)) qWarning("%s", qPrintable(hiba));
        return fajl;
    }
    static KulcsosLista ugyfelLista()
    {
        ListaDef d;
        d.tabla = "ugyfel";
        d.alias = "t";
        d.kulcs = "rowid";
        d.mezok = QStringList{"azon", "ugyfel_nev", "cim_varos"};
        d.tipusok = {Sema::Tipus::Egesz, Sema::Tipus::Szoveg, Sema::Tipus::Szoveg};
        d.select = "t.azon, t.ugyfel_nev, t.cim_varos";
        KulcsosLista l(d);
        l.rendezes("t.azon");
        l.szures("t.torolve = 'N'");
        return l;
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }

    // Each column's share of the 575-unit band, a half rounded to the even
    // unit, 4 units between columns.
    void helyek_data()
    {
        QTest::addColumn<QList<int>>("oszlopok");
        QTest::addColumn<int>("racs");
        QTest::addColumn<QList<int>>("xek");
        QTest::addColumn<QList<int>>("szelessegek");
        QTest::newRow("100, 200, 300 egy 600 széles rácsban")
            << QList<int>{100, 200, 300} << 600 << QList<int>{0, 100, 296} << QList<int>{96, 192, 288};
        QTest::newRow("fél: a páros felfelé") << QList<int>{1} << 2 << QList<int>{0} << QList<int>{288};
        QTest::newRow("fél: a páros lefelé") << QList<int>{573} << 1150 << QList<int>{0} << QList<int>{286};
        QTest::newRow("0,5 1,5 2,5") << QList<int>{1, 3, 5} << 1150 << QList<int>{0, 4, 10} << QList<int>{0, 2, 2};
        QTest::newRow("nem fél: a legközelebbi") << QList<int>{100, 1} << 700 << QList<int>{0, 86} << QList<int>{82, 1};
        QTest::newRow("a rácsnál szélesebb: lefut a lapról")
            << QList<int>{600, 600} << 600 << QList<int>{0, 579} << QList<int>{575, 575};
        QTest::newRow("rejtett (0 széles) oszlop") << QList<int>{100, 0, 100} << 200 << QList<int>{0, 292, 296}
                                                  << QList<int>{288, 0, 288};
        QTest::newRow("nulla széles rács") << QList<int>{100, 50} << 0 << QList<int>{0, 4} << QList<int>{0, 0};
    }
    void helyek()
    {
        QFETCH(QList<int>, oszlopok);
        QFETCH(int, racs);
        QFETCH(QList<int>, xek);
        QFETCH(QList<int>, szelessegek);
        QList<TqrGridPrint::Hely> vart;
        for (int i = 0; i < xek.size(); ++i) vart.append({xek[i], szelessegek[i]});
        QCOMPARE(TqrGridPrint::Helyek(oszlopok, racs), vart);
    }

    // "Nyomtatási kép" and "Nyomtatás" of the register: the grid's columns,
    // the caption as title, the footer, and the rows as the window lists
    // them, in name order at first, then by code under the expired filter.
    void nyilvantartas()
    {
        ugyfel(7, "Cecil", QDate(2026, 6, 1));
        ugyfel(12, "Aladár", QDate(2026, 1, 1));
        ugyfel(3, "Béla", QVariant());
        ugyfel(5, "Dénes", QDate(2026, 3, 14));
        ugyfel(4, "Törölt", QDate(2026, 1, 1), "I");
        regiszter([](Tfrm_TorzsUgyfel& a) {
            QVERIFY(a.aNyomtat->isEnabled());
            QVERIFY(a.aNyomtatKep->isEnabled());
            // What the report is given of the grid: the screen's widths.
            const GridKep k = RacsKep(a.DBGrid1);
            QCOMPARE(k.szelesseg, a.DBGrid1->width());
            QCOMPARE(k.oszlopok.size(), 7);
            for (int i = 0; i < 7; ++i) QCOMPARE(k.oszlopok[i].szelesseg, a.DBGrid1->horizontalHeader()->sectionSize(i));
            QCOMPARE(k.oszlopok[0].igazitas, Jelentes::Kozep);
            QCOMPARE(k.oszlopok[1].igazitas, Jelentes::Jobb);
            QCOMPARE(k.oszlopok[2].mezo, QString("ugyfel_nev"));
            QCOMPARE(k.lista, &a.lista());

            a.aNyomtatKep->trigger();
            a.aKeresKod->trigger();
            a.aSzur->trigger();
            a.aNyomtat->trigger();
        });
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 2);
        QCOMPARE(ny[0].cim, QString("Ügyfelek"));
        QVERIFY(ny[0].elonezet);
        QVERIFY(!ny[1].elonezet);
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
        // Kept beside the others for looking at (KAZETTORA_PDF_MARAD).
        QFile::copy(ny[0].pdf, m_dir.filePath("nyilvantartas.pdf"));

        const QStringList elso = PdfOldalak(ny[0].pdf);
        QCOMPARE(elso.size(), 1);
        Keret(elso[0], 1);
        QCOMPARE(Torzs(elso[0], Fejlec), (QStringList{Sor(12, "Aladár", QDate(2026, 1, 1)), Sor(3, "Béla", {}),
                                                      Sor(7, "Cecil", QDate(2026, 6, 1)),
                                                      Sor(5, "Dénes", QDate(2026, 3, 14))}));
        const QStringList masodik = PdfOldalak(ny[1].pdf);
        QCOMPARE(masodik.size(), 1);
        Keret(masodik[0], 1);
        QCOMPARE(Torzs(masodik[0], Fejlec),
                 (QStringList{Sor(5, "Dénes", QDate(2026, 3, 14)), Sor(12, "Aladár", QDate(2026, 1, 1))}));
    }

    // Nobody to list: one page with the headings and the footer.
    void ures()
    {
        regiszter([](Tfrm_TorzsUgyfel& a) { a.aNyomtat->trigger(); });
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        const QStringList oldalak = PdfOldalak(ny[0].pdf);
        QCOMPARE(oldalak.size(), 1);
        Keret(oldalak[0], 1);
        QCOMPARE(Torzs(oldalak[0], Fejlec), QStringList());
    }

    // A list whose rows cannot be read: nothing printed, and the operator
    // is told why, once, whether printed at once or previewed.
    void olvasasiHiba_data()
    {
        QTest::addColumn<bool>("nyomtat");
        QTest::newRow("nyomtatás") << true;
        QTest::newRow("nyomtatási kép") << false;
    }
    void olvasasiHiba()
    {
        QFETCH(bool, nyomtat);
        KulcsosLista lista = ugyfelLista();
        lista.szures("t.nincs_ilyen = 1");
        GridKep k;
        k.szelesseg = 100;
        k.oszlopok = {{"azon", "kód", Jelentes::Jobb, 100, {}}};
        k.lista = &lista;
        QVERIFY(!GridNyomtat(nullptr, k, nyomtat, "Próba", {}, {}, 8));
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        QVERIFY(ny[0].pdf.isEmpty());
        const QStringList h = m_t->parbeszed.hibak();
        QCOMPARE(h.size(), 1);
        QVERIFY2(h[0].startsWith("A lista adatai nem olvashatók: ") && h[0].contains("nincs_ilyen"), qPrintable(h[0]));
    }

    // The total only with a sum field, and only under that field's column;
    // without one no summary line at all.
    void osszegzes_data()
    {
        QTest::addColumn<QString>("mezo");
        QTest::addColumn<QString>("utolso");   // the last line above the footer
        QTest::newRow("nincs összegmező") << "" << "00015 Aladár Budapest";
        QTest::newRow("kód") << "azon" << "Összesen 22";
        QTest::newRow("KÓD, más betűmérettel írva") << "AZON" << "Összesen 22";
        QTest::newRow("nem látszó mező: felirat, összeg nélkül") << "ugyfel" << "Összesen";
    }
    void osszegzes()
    {
        QFETCH(QString, mezo);
        QFETCH(QString, utolso);
        ugyfel(7, "Cecil", {});
        ugyfel(15, "Aladár", {});
        ugyfel(4, "Törölt", {}, "I");
        Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, cim_varos, torolve) VALUES (0, 'Zoltán', 'Szeged', 'N')");
        const QString pdf = kozvetlen(mezo);
        const QStringList oldalak = PdfOldalak(pdf);
        QCOMPARE(oldalak.size(), 1);
        const QStringList s = PdfSorok(oldalak[0]);
        QCOMPARE(s.value(s.size() - 4), utolso);
        QCOMPARE(s.filter("Összesen").size(), mezo.isEmpty() ? 0 : 1);
    }

    // On the page: each heading and value where its column's units put it
    // (left, centred or right in it), the total right-aligned under its
    // column, and a long name wrapped onto more lines, pushing the next row
    // down.
    void lapon()
    {
        ugyfel(3, "Erdős-Hegedűs Őzike Bernadett Kunigunda", {});
        ugyfel(4, "Béla", {});
        ugyfel(5, "Cecil", {});
        QList<TqrGridPrint::Hely> h;
        const QString pdf = kozvetlen("azon", &h);
        QCOMPARE(h, (QList<TqrGridPrint::Hely>{{0, 115}, {119, 115}, {238, 58}, {300, 230}}));
        const QList<Szo> sz = Szavak(pdf);
        const auto bal = [&](const QString& s, int o) {
            const Szo* w = Keres(sz, s);
            QVERIFY2(w, qPrintable(s));
            QVERIFY2(qAbs(w->x1 - Pont(h[o].x)) < 1.5, qPrintable(QStringLiteral("%1: %2").arg(s).arg(w->x1)));
        };
        const auto jobb = [&](const QString& s, int o) {
            const Szo* w = Keres(sz, s);
            QVERIFY2(w, qPrintable(s));
            QVERIFY2(qAbs(w->x2 - Pont(h[o].x + h[o].w)) < 1.5, qPrintable(QStringLiteral("%1: %2").arg(s).arg(w->x2)));
        };
        bal("ügyfél", 1);
        bal("üres", 2);
        bal("Béla", 1);
        jobb("kód", 0);
        jobb("00003", 0);
        jobb("12", 0);   // the total, 3 + 4 + 5
        bal("Összesen", 0);
        const Szo* varos = Keres(sz, "város");
        QVERIFY(varos);
        QVERIFY(qAbs((varos->x1 + varos->x2) / 2 - Pont(h[3].x + h[3].w / 2.0)) < 1.5);
        // The long name: its first and last words on different lines, the
        // next row under the last.
        const Szo* eleje = Keres(sz, "Erdős-Hegedűs");
        const Szo* vege = Keres(sz, "Kunigunda");
        const Szo* bela = Keres(sz, "Béla");
        QVERIFY(eleje && vege && bela);
        QVERIFY(vege->y1 > eleje->y2 - 0.5);
        QVERIFY(bela->y1 > vege->y2);
        // Down the page, in units from the top margin: the headings at 72,
        // the header 90 high, each row 20 (its text 4 under its top).
        const double egy = Pont(1) - Pont(0);
        QVERIFY2(qAbs(Keres(sz, "kód")->y1 - Pont(72)) < 0.5, qPrintable(QString::number(Keres(sz, "kód")->y1)));
        QVERIFY2(qAbs(Keres(sz, "00003")->y1 - Pont(94)) < 0.5, qPrintable(QString::number(Keres(sz, "00003")->y1)));
        const Szo* cecil = Keres(sz, "Cecil");
        QVERIFY(cecil);
        QVERIFY2(qAbs(cecil->y1 - bela->y1 - 20 * egy) < 0.5, qPrintable(QString::number(cecil->y1 - bela->y1)));
        QVERIFY2(qAbs(Keres(sz, "Összesen")->y1 - cecil->y1 - 20 * egy) < 0.5,
                 qPrintable(QString::number(Keres(sz, "Összesen")->y1 - cecil->y1)));
        // The heading sits lower than the title, the subtitle between them.
        QVERIFY(Keres(sz, "Próba")->y2 < Keres(sz, "alcím")->y1);
        QVERIFY(Keres(sz, "alcím")->y2 < Keres(sz, "kód")->y1);
    }
};

QTEST_MAIN(TstRacsNyomtatas)
#include "tst_racs_nyomtatas.moc"
