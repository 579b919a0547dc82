// The rental, the return and the cash posting without windows: what
// reaches the tables, and that nothing does until completion.
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/rental/cassakonyveles.h"
#include "core/rental/kolcsonzes.h"
#include "tests/core/tesztmag.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

// Items 1..4 in the shop (category 1, 2, 3, 3) and two customers.
void alap()
{
    const QVariantList t[] = {{1, 1, 1, "Mátrix"}, {2, 2, 2, "Titanic"}, {3, 1, 3, "Vuk"}, {4, 2, 3, "Cápa"}};
    for (const QVariantList& v : t)
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, arkat, video_nev, kint, torolve, ugyfel) "
                             "VALUES (?, ?, ?, ?, 'N', 'N', 0)", v);
    Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (1, 'Kiss Anna', 'N'), (2, 'Nagy Béla', 'N')");
}

// Every table's rows as text, to compare a database before and after.
QString kep()
{
    QString s;
    for (const char* t : {"video", "ugyfel_video", "cassa"}) {
        QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(t));
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i) s += q.value(i).toString() + '|';
            s += '\n';
        }
    }
    return s;
}

QVariant mezo(int video, const char* m)
{
    return Adatbazis::ertek(QStringLiteral("SELECT %1 FROM video WHERE video = ?").arg(m), {video});
}

int cassaSorok() { return Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt(); }

// One posting as a user operation of its own.
void konyvel(const QString& tipus, const QVariant& ugyfel, double osszeg, bool idoszak)
{
    Adatbazis::Tranzakcio t;
    CassaKonyvel(tipus, ugyfel, osszeg, idoszak);
    t.jovahagy();
}

} // namespace

class TstKolcsonzes : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;
private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        OraBeallit(TesztMost);
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
        alap();
        TBeall.elorefizet = false;
    }
    void cleanup() { m_t.reset(); }

    void cassaEgyenleg()
    {
        konyvel("T", 1, 1500, true);
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa").toDouble(), 1500.0);
        konyvel("K", QVariant(), -500, false);
        QSqlQuery q = Adatbazis::vegrehajt("SELECT osszeg, penzvan, ugyfel, idoszak, datum FROM cassa ORDER BY cassa DESC LIMIT 1");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDouble(), -500.0);
        QCOMPARE(q.value(1).toDouble(), 1000.0);
        QVERIFY(q.value(2).isNull() && q.value(3).isNull());
        QCOMPARE(q.value(4).toString(), QString("2026-03-14"));
        // An empty balance counts as 0; the previous row is the largest key, whatever its date.
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan) VALUES ('E', '2030-01-01', 5, NULL)");
        konyvel("B", 2, 0, true);
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), 0.0);
        // Month keys of the last day of January and the first of February.
        OraBeallit(QDateTime(QDate(2026, 1, 31), QTime(23, 59)));
        konyvel("B", 1, 10, true);
        OraBeallit(QDateTime(QDate(2026, 2, 1), QTime(0, 0)));
        konyvel("B", 1, 10, true);
        QCOMPARE(Adatbazis::ertek("SELECT group_concat(idoszak) FROM (SELECT idoszak FROM cassa ORDER BY cassa DESC LIMIT 2)").toString(),
                 QString("202602,202601"));
    }

    // Outside a transaction the posting is refused and writes nothing; in
    // one, it is stored or undone with the rest of the operation.
    void cassaCsakTranzakcioban()
    {
        konyvel("T", 1, 1500, true);
        const QString elotte = kep();
        try {
            CassaKonyvel("B", 1, 700, true);
            QFAIL("posted outside a transaction");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains("tranzakció"), qPrintable(e.uzenet()));
        }
        QCOMPARE(kep(), elotte);
        {
            Adatbazis::Tranzakcio t;
            Adatbazis::vegrehajt("UPDATE video SET ar = 99 WHERE video = 1");
            CassaKonyvel("B", 1, 700, true);
            QCOMPARE(cassaSorok(), 2);
            // Dropped: the operation did not happen, nor did its money.
        }
        QCOMPARE(kep(), elotte);
    }

    void kolcsonzesBefejezese_data()
    {
        QTest::addColumn<bool>("elore");
        QTest::newRow("fizetes visszahozaskor") << false;
        QTest::newRow("elore fizet") << true;
    }
    void kolcsonzesBefejezese()
    {
        QFETCH(bool, elore);
        TBeall.elorefizet = elore;
        Kolcsonzes k(1, "Kiss Anna", 1, 24);
        QVERIFY(k.hozzaad(3));
        QVERIFY(k.hozzaad(1));
        QVERIFY(!k.hozzaad(3));   // already listed
        QCOMPARE(k.tetelek().size(), 2);
        QCOMPARE(k.tetelek().first().video, 1);   // key order
        QCOMPARE(k.osszeg(), 600.0 + 300.0);
        // Nothing is written before completion.
        QCOMPARE(mezo(1, "kint").toString(), QString("N"));
        QVERIFY(mezo(1, "kolcsid").isNull());

        QCOMPARE(k.befejez(), 1);   // the first rental number
        for (int v : {1, 3}) {
            QCOMPARE(mezo(v, "kint").toString(), QString("I"));
            QCOMPARE(mezo(v, "ugyfel").toInt(), 1);
            QCOMPARE(mezo(v, "kolcsid").toInt(), 1);
            QCOMPARE(mezo(v, "fiztip").toInt(), 1);
            QCOMPARE(mezo(v, "kolcsonozve").toInt(), 1);   // from empty to 1
            QCOMPARE(mezo(v, "dat_kiadva").toString(), QString("2026-03-14"));
            QCOMPARE(mezo(v, "ido_kiadva").toString(), QString("15:30:00"));
            QCOMPARE(mezo(v, "dat_visszakell").toString(), QString("2026-03-15"));
            QCOMPARE(mezo(v, "ido_visszakell").toString(), QString("15:30:00"));
        }
        QCOMPARE(mezo(1, "ar").toDouble(), 600.0);
        QCOMPARE(mezo(3, "ar").toDouble(), 300.0);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video WHERE ugyfel = 1 AND datum = '2026-03-14'").toInt(), 2);
        QCOMPARE(cassaSorok(), elore ? 1 : 0);
        if (elore) {
            QSqlQuery q = Adatbazis::vegrehajt("SELECT cassatip, ugyfel, osszeg, penzvan, idoszak FROM cassa");
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QString("B"));
            QCOMPARE(q.value(1).toInt(), 1);
            QCOMPARE(q.value(2).toDouble(), 900.0);
            QCOMPARE(q.value(3).toDouble(), 900.0);
            QCOMPARE(q.value(4).toString(), QString("202603"));
        }
        // The next rental gets the next number, and the count of lendings grows.
        Kolcsonzes m(2, "Nagy Béla", 2, 36);
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, m.hozzaad(1));   // out
        m.hozzaad(2);
        QCOMPARE(m.befejez(), 2);
        QCOMPARE(mezo(2, "dat_visszakell").toString(), QString("2026-03-16"));
        QCOMPARE(mezo(2, "ido_visszakell").toString(), QString("03:30:00"));
    }

    void megszakitottKolcsonzesNemIr()
    {
        const QString elotte = kep();
        {
            Kolcsonzes k(1, "Kiss Anna", 1, 24);
            k.hozzaad(1);
            k.hozzaad(2);
            k.torol(0);
        }
        QCOMPARE(kep(), elotte);
        QCOMPARE(KolcsonzesAkadaly(1), QString());
    }

    void kozbenKiadottTetelMindentVisszavon()
    {
        TBeall.elorefizet = true;
        Kolcsonzes k(1, "Kiss Anna", 1, 24);
        k.hozzaad(1);
        k.hozzaad(2);
        // Meanwhile another rental lends item 2.
        Kolcsonzes m(2, "Nagy Béla", 1, 24);
        m.hozzaad(2);
        m.befejez();
        const QString elotte = kep();
        try {
            k.befejez();
            QFAIL("an item out was lent again");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains("00002"), qPrintable(e.uzenet()));
        }
        QCOMPARE(kep(), elotte);
    }

    void visszavetel_data()
    {
        QTest::addColumn<bool>("elore");
        QTest::newRow("fizetes visszahozaskor") << false;
        QTest::newRow("elore fizet") << true;
    }
    void visszavetel()
    {
        QFETCH(bool, elore);
        TBeall.elorefizet = false;
        // Two rentals of customer 1 (300 + 400 and 450), one of customer 2.
        Adatbazis::vegrehajt("UPDATE fiztip_arkat SET ar = 400 WHERE fiztip = 1 AND arkat = 3");
        Kolcsonzes a(1, "Kiss Anna", 1, 24);
        a.hozzaad(1);
        a.hozzaad(3);
        a.befejez();
        Kolcsonzes b(1, "Kiss Anna", 1, 24);
        b.hozzaad(2);
        b.befejez();
        Kolcsonzes c(2, "Nagy Béla", 1, 24);
        c.hozzaad(4);
        c.befejez();
        TBeall.elorefizet = elore;

        Visszavetel v = Visszavetel::targybol(3);   // any item of the customer
        QCOMPARE(v.ugyfel(), 1);
        QCOMPARE(v.ugyfelNev(), QString("Kiss Anna"));
        QCOMPARE(v.tetelek().size(), 3);
        QCOMPARE(v.osszeg(), 600.0 + 450.0 + 400.0);
        v.marad(0);   // item 1 stays out
        v.potdij(1, 100);   // item 3: stored at once
        QCOMPARE(mezo(3, "ar").toDouble(), 500.0);
        v.potdij(1, 100);
        QCOMPARE(v.osszeg(), 450.0 + 600.0);
        const int elotte = cassaSorok();
        v.befejez();

        QCOMPARE(cassaSorok(), elotte + (elore ? 0 : 1));
        if (!elore)
            QCOMPARE(Adatbazis::ertek("SELECT osszeg FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), 1050.0);
        for (int id : {2, 3}) {
            QCOMPARE(mezo(id, "kint").toString(), QString("N"));
            QCOMPARE(mezo(id, "ugyfel").toInt(), 0);
            QCOMPARE(mezo(id, "kolcsid").toInt(), 0);
            for (const char* m : {"fiztip", "dat_kiadva", "ido_kiadva", "dat_visszakell", "ido_visszakell"})
                QVERIFY2(mezo(id, m).isNull(), m);
            QCOMPARE(mezo(id, "dat_vissza").toString(), QString("2026-03-14"));
        }
        QCOMPARE(mezo(3, "ar").toDouble(), 600.0);   // price with surcharges kept
        QCOMPARE(mezo(3, "kolcsonozve").toInt(), 1);
        // Kept out: unchanged.
        QCOMPARE(mezo(1, "kint").toString(), QString("I"));
        QCOMPARE(mezo(1, "kolcsid").toInt(), 1);
        QCOMPARE(mezo(1, "dat_visszakell").toString(), QString("2026-03-15"));
        QCOMPARE(mezo(4, "kint").toString(), QString("I"));   // another customer's
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video").toInt(), 4);   // no history row on return
    }

    void megszakitottVisszavetel()
    {
        Kolcsonzes a(1, "Kiss Anna", 1, 24);
        a.hozzaad(1);
        a.hozzaad(2);
        a.befejez();
        {
            Visszavetel v(1, "Kiss Anna");
            v.marad(1);
            v.potdij(0, 100);
        }
        // Everything still out; the surcharge stays in the price.
        QCOMPARE(mezo(1, "kint").toString(), QString("I"));
        QCOMPARE(mezo(2, "kint").toString(), QString("I"));
        QCOMPARE(mezo(1, "ar").toDouble(), 700.0);
        QCOMPARE(VisszavetelAkadaly(1), QString());
        QCOMPARE(VisszavetelAkadaly(3), QString("Ez a tétel még nincs kiadva"));
        QCOMPARE(KolcsonzesAkadaly(1), QString("Ez a tétel már kölcsönözve lett"));
        // Every item taken out of the list: nothing changes, a cash row of 0.
        Visszavetel w(1, "Kiss Anna");
        w.marad(0);
        w.marad(0);
        w.befejez();
        QCOMPARE(mezo(1, "kint").toString(), QString("I"));
        QCOMPARE(Adatbazis::ertek("SELECT osszeg FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), 0.0);
    }

    // A surcharge that is no finite sum, or that would carry the price past
    // any real amount (two of 1e308 overflow to infinity), is refused with
    // nothing stored; the price and the later cash rows stay numbers.
    void potdijTulcsordulas_data()
    {
        QTest::addColumn<QList<double>>("potdijak");
        QTest::addColumn<int>("elutasitva");
        QTest::addColumn<double>("ar");   // the item's price afterwards (from 600)
        const double vegtelen = std::numeric_limits<double>::infinity();
        QTest::newRow("vegtelen") << QList<double>{vegtelen} << 1 << 600.0;
        QTest::newRow("minusz vegtelen") << QList<double>{-vegtelen} << 1 << 600.0;
        QTest::newRow("nan") << QList<double>{std::nan("")} << 1 << 600.0;
        QTest::newRow("ket 1e308") << QList<double>{1e308, 1e308} << 2 << 600.0;
        QTest::newRow("osszeg lepi tul") << QList<double>{9e11, 9e11, 100} << 1 << 9e11 + 700;
    }
    void potdijTulcsordulas()
    {
        QFETCH(QList<double>, potdijak);
        QFETCH(int, elutasitva);
        QFETCH(double, ar);
        Kolcsonzes a(1, "Kiss Anna", 1, 24);
        a.hozzaad(1);
        a.befejez();
        Visszavetel v(1, "Kiss Anna");
        int elutasitott = 0;
        for (double p : potdijak) {
            try {
                v.potdij(0, p);
            } catch (const AdatbazisHiba& e) {
                QCOMPARE(e.uzenet(), QString("Nem megfelelő érték."));
                ++elutasitott;
            }
        }
        QCOMPARE(elutasitott, elutasitva);
        QCOMPARE(mezo(1, "ar").toDouble(), ar);
        QCOMPARE(v.tetelek().first().ar, ar);
        v.befejez();
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), ar);
        konyvel("T", 2, 1000, true);
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), ar + 1000);
    }

    // Totals that overflow: a rental of items priced 1e308 (the sum is
    // infinity), and a posting past the running balance's bound.
    void osszegTulcsordulas()
    {
        TBeall.elorefizet = true;
        Adatbazis::vegrehajt("UPDATE fiztip_arkat SET ar = 1e308 WHERE fiztip = 1 AND arkat IN (1, 2)");
        const QString elotte = kep();
        Kolcsonzes k(1, "Kiss Anna", 1, 24);
        k.hozzaad(1);
        k.hozzaad(2);
        try {
            k.befejez();
            QFAIL("an overflowing rental was completed");
        } catch (const AdatbazisHiba& e) {
            QCOMPARE(e.uzenet(), QString("Nem megfelelő érték."));
        }
        QCOMPARE(kep(), elotte);

        konyvel("T", 1, 9e11, true);
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, konyvel("T", 1, 9e11, true));
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, konyvel("T", 1, std::nan(""), true));
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, konyvel("K", QVariant(), -std::numeric_limits<double>::infinity(), false));
        QCOMPARE(cassaSorok(), 1);
        konyvel("K", QVariant(), -9e11, false);
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), 0.0);
    }

    void ftMaszk_data()
    {
        QTest::addColumn<double>("osszeg");
        QTest::addColumn<QString>("vart");
        QTest::newRow("0") << 0.0 << "0";
        QTest::newRow("999") << 999.0 << "999";
        QTest::newRow("1000") << 1000.0 << "1 000";
        QTest::newRow("kerekit") << 1234567.6 << "1 234 568";
        QTest::newRow("negativ") << -12345.0 << "-12 345";
    }
    void ftMaszk()
    {
        QFETCH(double, osszeg);
        QFETCH(QString, vart);
        QCOMPARE(FtMaszk(osszeg), vart);
    }
};

QTEST_GUILESS_MAIN(TstKolcsonzes)
#include "tst_kolcsonzes.moc"
