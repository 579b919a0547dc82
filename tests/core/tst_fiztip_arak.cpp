// The fee of an item from the price matrix and the due moment of a rental.
#include "core/data/adatbazis.h"
#include "core/rental/arak.h"
#include "tests/core/tesztmag.h"

#include <QTimeZone>
#include <QtTest>

class TstFizTipArak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    void visszaKell_data()
    {
        QTest::addColumn<QDateTime>("kiadva");
        QTest::addColumn<int>("ora");
        QTest::addColumn<QDateTime>("vart");
        const QTimeZone bp("Europe/Budapest");
        auto t = [&bp](int e, int h, int n, int o, int p) { return QDateTime(QDate(e, h, n), QTime(o, p), bp); };
        QTest::newRow("24 óra este") << t(2026, 3, 14, 18, 30) << 24 << t(2026, 3, 15, 18, 30);
        QTest::newRow("0 óra") << t(2026, 3, 14, 18, 30) << 0 << t(2026, 3, 14, 18, 30);
        QTest::newRow("168 óra") << t(2026, 3, 14, 18, 30) << 168 << t(2026, 3, 21, 18, 30);
        QTest::newRow("nem egész nap") << t(2026, 3, 14, 18, 30) << 30 << t(2026, 3, 16, 0, 30);
        QTest::newRow("hónap vége") << t(2026, 4, 30, 20, 0) << 72 << t(2026, 5, 3, 20, 0);
        QTest::newRow("év vége") << t(2026, 12, 31, 18, 30) << 24 << t(2027, 1, 1, 18, 30);
        QTest::newRow("szökőnap") << t(2028, 2, 28, 10, 0) << 48 << t(2028, 3, 1, 10, 0);
        QTest::newRow("éjfélen át") << t(2026, 1, 31, 23, 0) << 1 << t(2026, 2, 1, 0, 0);
        // The clock reading counts, not the elapsed time: across the change
        // to summer time 24 hours is 18:30 again (23 real hours), across the
        // change back also 18:30 (25 real hours), a week is the same time.
        QTest::newRow("nyári időszámítás kezdete") << t(2026, 3, 28, 18, 30) << 24 << t(2026, 3, 29, 18, 30);
        QTest::newRow("nyári időszámítás vége") << t(2026, 10, 24, 18, 30) << 24 << t(2026, 10, 25, 18, 30);
        QTest::newRow("hét az átállításon át") << t(2026, 3, 25, 10, 0) << 168 << t(2026, 4, 1, 10, 0);
        QTest::newRow("óraátállítás napján órák") << t(2026, 3, 29, 1, 0) << 5 << t(2026, 3, 29, 6, 0);
        // 02:30 does not exist that night: the clock skips to 03:30.
        QTest::newRow("kihagyott óra") << t(2026, 3, 28, 2, 30) << 24 << t(2026, 3, 29, 3, 30);
    }
    void visszaKell()
    {
        QFETCH(QDateTime, kiadva);
        QFETCH(int, ora);
        QFETCH(QDateTime, vart);
        const QDateTime v = VisszaKellIdopont(kiadva, ora);
        QVERIFY(v.isValid());
        QCOMPARE(v.date(), vart.date());
        QCOMPARE(v.time(), vart.time());
        QCOMPARE(v, vart);
    }

    void visszaKellHelyiIdovel()
    {
        // The lending moment comes from the program's clock in local time;
        // the result stays local.
        if (QTimeZone::systemTimeZoneId() != "Europe/Budapest") QSKIP("a helyi időzóna nem Europe/Budapest");
        const QDateTime kiadva(QDate(2026, 3, 28), QTime(18, 30));
        const QDateTime v = VisszaKellIdopont(kiadva, 24);
        QCOMPARE(v.timeSpec(), Qt::LocalTime);
        QCOMPARE(v.date(), QDate(2026, 3, 29));
        QCOMPARE(v.time(), QTime(18, 30));
        const QDateTime kihagyott = VisszaKellIdopont(QDateTime(QDate(2026, 3, 28), QTime(2, 30)), 24);
        QVERIFY(kihagyott.isValid());
        QCOMPARE(kihagyott.timeSpec(), Qt::LocalTime);
        QCOMPARE(kihagyott.time(), QTime(3, 30));
    }

    void visszaKellUresOra()
    {
        const QDateTime kiadva(QDate(2026, 3, 14), QTime(18, 30, 15));
        QCOMPARE(VisszaKellIdopont(kiadva, QVariant()), kiadva);
        QCOMPARE(VisszaKellIdopont(kiadva, QVariant(72)), kiadva.addDays(3));
        QVERIFY(!VisszaKellIdopont(QDateTime(), 24).isValid());
    }

    void ar_data()
    {
        QTest::addColumn<int>("fiztip");
        QTest::addColumn<int>("arkat");
        QTest::addColumn<double>("vart");
        QTest::addColumn<bool>("vanSor");
        // The delivered matrix: 1 nap / Újdonság 600 … 1 hét / Gyerek 1500.
        QTest::newRow("első sor") << 1 << 1 << 600.0 << true;
        QTest::newRow("utolsó sor") << 4 << 4 << 1500.0 << true;
        QTest::newRow("közbülső") << 2 << 3 << 500.0 << true;
        QTest::newRow("üres ár") << 3 << 2 << 0.0 << true;
        QTest::newRow("törtszám") << 3 << 3 << 712.5 << true;
        QTest::newRow("nincs ilyen időszak") << 9 << 1 << 0.0 << false;
        QTest::newRow("nincs ilyen árkategória") << 1 << 0 << 0.0 << false;
    }
    void ar()
    {
        QFETCH(int, fiztip);
        QFETCH(int, arkat);
        QFETCH(double, vart);
        QFETCH(bool, vanSor);
        MagTelepites tel;
        tel.nyit();
        Adatbazis::vegrehajt("UPDATE fiztip_arkat SET ar = NULL WHERE fiztip = 3 AND arkat = 2");
        Adatbazis::vegrehajt("UPDATE fiztip_arkat SET ar = 712.5 WHERE fiztip = 3 AND arkat = 3");
        bool van = !vanSor;
        QCOMPARE(KolcsonzesiAr(fiztip, arkat, &van), vart);
        QCOMPARE(van, vanSor);
        QCOMPARE(KolcsonzesiAr(fiztip, arkat), vart);
    }
};

QTEST_GUILESS_MAIN(TstFizTipArak)
#include "tst_fiztip_arak.moc"
