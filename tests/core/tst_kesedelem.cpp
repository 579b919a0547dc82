// Late fees: the fee a rule gives by the real hours elapsed (summer-time
// changes included), the rules stored all or nothing, and the return taking
// the accepted fee into the item's price and the cash row.
#include "core/admin/beallitasok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/rental/kesedelem.h"
#include "core/rental/kolcsonzes.h"
#include "tests/core/tesztmag.h"

#include <QSqlQuery>
#include <QtTest>
#include <limits>

namespace {

QDateTime dt(int ev, int ho, int nap, int ora, int perc) { return QDateTime(QDate(ev, ho, nap), QTime(ora, perc)); }

// Customer 1 holds items 1 (category 1, due two and a half days ago), 2
// (category 2, due three days ago) and 3 (category 1, due tomorrow); price 500 each.
void kintLevok()
{
    Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (1, 'Kiss Anna', 'N')");
    const QVariantList t[] = {{1, 1, "Mátrix", "2026-03-12", "03:30:00"},
                              {2, 2, "Titanic", "2026-03-11", "15:30:00"},
                              {3, 1, "Vuk", "2026-03-15", "15:30:00"}};
    for (const QVariantList& v : t)
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, arkat, video_nev, kint, torolve, ugyfel, kolcsid, fiztip, "
                             "ar, dat_visszakell, ido_visszakell) VALUES (?, 1, ?, ?, 'I', 'N', 1, 1, 1, 500, ?, ?)",
                             v);
}

double ar(int azon) { return Adatbazis::ertek("SELECT ar FROM video WHERE azon = ?", {azon}).toDouble(); }

} // namespace

class TstKesedelem : public MagTeszt {
    Q_OBJECT
private slots:
    void dij_data()
    {
        QTest::addColumn<int>("turelem");
        QTest::addColumn<double>("plafon");
        QTest::addColumn<QDateTime>("hatarido");
        QTest::addColumn<QDateTime>("most");
        QTest::addColumn<int>("napok");   // started days
        QTest::addColumn<double>("dij");  // at 300 a day
        const QDateTime h = dt(2026, 3, 14, 10, 0);
        QTest::newRow("turelmen belul") << 2 << 0.0 << h << dt(2026, 3, 14, 11, 59) << 1 << 0.0;
        QTest::newRow("pont a turelem vegen") << 2 << 0.0 << h << dt(2026, 3, 14, 12, 0) << 1 << 0.0;
        QTest::newRow("egy perccel utana") << 2 << 0.0 << h << dt(2026, 3, 14, 12, 1) << 1 << 300.0;
        QTest::newRow("meg nem jart le") << 0 << 0.0 << h << dt(2026, 3, 14, 9, 59) << 0 << 0.0;
        QTest::newRow("pont a hataridon") << 0 << 0.0 << h << h << 0 << 0.0;
        QTest::newRow("harom perce, turelem nelkul") << 0 << 0.0 << dt(2026, 3, 14, 15, 27) << dt(2026, 3, 14, 15, 30) << 1 << 300.0;
        QTest::newRow("tobb nap") << 2 << 0.0 << h << dt(2026, 3, 18, 15, 30) << 5 << 1500.0;
        QTest::newRow("pont 24 ora") << 0 << 0.0 << h << dt(2026, 3, 15, 10, 0) << 1 << 300.0;
        QTest::newRow("plafon eleri") << 2 << 1000.0 << h << dt(2026, 3, 18, 15, 30) << 5 << 1000.0;
        QTest::newRow("plafon alatt") << 2 << 2000.0 << h << dt(2026, 3, 18, 15, 30) << 5 << 1500.0;
        QTest::newRow("masik napon volt a hatarido") << 0 << 0.0 << dt(2026, 3, 13, 23, 0) << dt(2026, 3, 14, 0, 30) << 1 << 300.0;
        // 2026-03-29: the clock jumps from 02:00 to 03:00, so from 20:00 to
        // 21:00 the next day is 24 real hours; a minute later, the second day.
        QTest::newRow("tavaszi atallas, 24 ora") << 0 << 0.0 << dt(2026, 3, 28, 20, 0) << dt(2026, 3, 29, 21, 0) << 1 << 300.0;
        QTest::newRow("tavaszi atallas, 24 ora 1 perc") << 0 << 0.0 << dt(2026, 3, 28, 20, 0) << dt(2026, 3, 29, 21, 1) << 2 << 600.0;
        // 2026-10-25: 03:00 goes back to 02:00; from 20:00 to 19:00 the next day is 24 real hours.
        QTest::newRow("oszi atallas, 24 ora") << 0 << 0.0 << dt(2026, 10, 24, 20, 0) << dt(2026, 10, 25, 19, 0) << 1 << 300.0;
        QTest::newRow("oszi atallas, 24 ora 1 perc") << 0 << 0.0 << dt(2026, 10, 24, 20, 0) << dt(2026, 10, 25, 19, 1) << 2 << 600.0;
        // Grace across the change: 3 hours of grace from 01:00 end at 05:00 on the wall clock.
        QTest::newRow("tavaszi atallas, turelem") << 3 << 0.0 << dt(2026, 3, 29, 1, 0) << dt(2026, 3, 29, 5, 0) << 1 << 0.0;
        QTest::newRow("tavaszi atallas, turelem utan") << 3 << 0.0 << dt(2026, 3, 29, 1, 0) << dt(2026, 3, 29, 5, 1) << 1 << 300.0;
        QTest::newRow("oszi atallas, turelem") << 3 << 0.0 << dt(2026, 10, 25, 1, 0) << dt(2026, 10, 25, 3, 0) << 1 << 0.0;
        QTest::newRow("oszi atallas, turelem utan") << 3 << 0.0 << dt(2026, 10, 25, 1, 0) << dt(2026, 10, 25, 3, 1) << 1 << 300.0;
    }
    void dij()
    {
        QFETCH(int, turelem);
        QFETCH(double, plafon);
        QFETCH(QDateTime, hatarido);
        QFETCH(QDateTime, most);
        QFETCH(int, napok);
        QFETCH(double, dij);
        QVERIFY(hatarido.isValid() && most.isValid());
        QCOMPARE(KesedelmiNapok(hatarido, most), napok);
        QCOMPARE(KesedelmiDij(KesedelmiSzabaly{turelem, 300, plafon}, hatarido, most), dij);
        QCOMPARE(KesedelmiDij(std::optional<KesedelmiSzabaly>(), hatarido, most), 0.0);
    }

    // The stored day and time read as the local wall clock; a time in the
    // skipped hour is the moment the clock jumps to, a missing one the day's end.
    void hatarido()
    {
        QCOMPARE(KesedelemHatarido(QDate(2026, 3, 14), QTime(15, 30)), dt(2026, 3, 14, 15, 30));
        const QDateTime ugras = KesedelemHatarido(QDate(2026, 3, 29), QTime(2, 30));
        QVERIFY(ugras.isValid());
        QCOMPARE(ugras, dt(2026, 3, 29, 3, 0));
        QCOMPARE(KesedelmiDij(KesedelmiSzabaly{0, 300, 0}, ugras, dt(2026, 3, 29, 3, 0)), 0.0);
        QCOMPARE(KesedelemHatarido(QDate(2026, 3, 14), QTime()), dt(2026, 3, 15, 0, 0));
        QVERIFY(!KesedelemHatarido(QDate(), QTime(10, 0)).isValid());
        // Money stays within its bound whatever the days.
        QCOMPARE(KesedelmiDij(KesedelmiSzabaly{0, PenzHatar, 0}, dt(2000, 1, 1, 0, 0), dt(2026, 1, 1, 0, 0)), PenzHatar);
    }

    // Every category listed with its rule; a save stores all of them or,
    // when one is refused, none.
    void szabalyokMentese()
    {
        Adatbazis::vegrehajt("DELETE FROM arkat");
        Adatbazis::vegrehajt("INSERT INTO arkat (arkat, arkat_nev) VALUES (1, 'Új film'), (2, 'Akció'), (3, 'Régi')");
        Adatbazis::vegrehajt("INSERT INTO kesedelem (arkat, turelem, napidij, plafon) VALUES (3, 1, 100, NULL), (9, 5, 5, 5)");
        QList<Kesedelem::ArkatSzabaly> l = Kesedelem::Kategoriak();
        QCOMPARE(l.size(), 3);
        QCOMPARE(l[0].nev, QString("Akció"));
        QVERIFY(!l[0].szabaly);
        QCOMPARE(l[1].nev, QString("Régi"));   // Hungarian order: R before Ú
        QCOMPARE(*l[1].szabaly, (KesedelmiSzabaly{1, 100, 0}));
        QCOMPARE(l[2].nev, QString("Új film"));

        l[0].szabaly = KesedelmiSzabaly{2, 200, 1000};
        l[1].szabaly.reset();
        l[2].szabaly = KesedelmiSzabaly{0, 300, 0};
        const auto jo = l;
        Kesedelem::Ment(l);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT arkat, turelem, napidij, plafon FROM kesedelem ORDER BY arkat"),
                 (QStringList{"1|0|300|∅", "2|2|200|1000", "9|5|5|5"}));
        QCOMPARE(*Kesedelem::Szabaly(2), (KesedelmiSzabaly{2, 200, 1000}));
        QVERIFY(!Kesedelem::Szabaly(3));

        const QStringList elotte = Lemezen(m_t->adatMappa(), "SELECT * FROM kesedelem ORDER BY arkat");
        const KesedelmiSzabaly rosszak[] = {{-1, 100, 0}, {KesedelemTurelemHatar + 1, 100, 0}, {0, -5, 0}, {0, 100, -1},
                                            {0, std::numeric_limits<double>::infinity(), 0}, {0, 100, 2 * PenzHatar}};
        for (const KesedelmiSzabaly& r : rosszak) {
            l = jo;
            l[0].szabaly.reset();   // a change before the refused one is not kept either
            l[1].szabaly = r;
            try {
                Kesedelem::Ment(l);
                QFAIL("a wrong rule was stored");
            } catch (const AdatbazisHiba& e) {
                QVERIFY2(e.uzenet().startsWith("„Régi” árkategória: "), qPrintable(e.uzenet()));
            }
            QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT * FROM kesedelem ORDER BY arkat"), elotte);
        }
    }

    // Saved with the settings window's OK: the rules and the settings row in
    // one transaction, a refused rule leaving the row as it was too.
    void beallitasokkal()
    {
        const QString ini = m_t->mappa() + "/Kazettora.ini";
        BeallitSor s = BeallitSorOlvas();
        s.dijnegyed = 1234;
        const QString sorSql = "SELECT dijnegyed FROM beallit ORDER BY beallit LIMIT 1";
        const QStringList sorElotte = Lemezen(m_t->adatMappa(), sorSql);
        QList<Kesedelem::ArkatSzabaly> l = {{1, "Új film", KesedelmiSzabaly{0, 300, 0}},
                                            {2, "Akció", KesedelmiSzabaly{0, -1, 0}}};
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, BeallitasokMent(s, BeallitFajlErtekekTBeallbol(), ini, nullptr, &l));
        QCOMPARE(Lemezen(m_t->adatMappa(), sorSql), sorElotte);
        QVERIFY(Lemezen(m_t->adatMappa(), "SELECT * FROM kesedelem").isEmpty());
        l[1].szabaly->napidij = 200;
        BeallitasokMent(s, BeallitFajlErtekekTBeallbol(), ini, nullptr, &l);
        QCOMPARE(Lemezen(m_t->adatMappa(), sorSql), QStringList{"1234"});
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT arkat, napidij FROM kesedelem ORDER BY arkat"),
                 (QStringList{"1|300", "2|200"}));
    }

    // Proposed when the return is read, changed or cleared by the operator;
    // the accepted fee lands in the item's price and in the cash row of the
    // return (only when fees are paid at return); items that stay out carry nothing.
    void visszavetel_data()
    {
        QTest::addColumn<bool>("elore");
        QTest::newRow("fizetes visszahozaskor") << false;
        QTest::newRow("elore fizet") << true;
    }
    void visszavetel()
    {
        QFETCH(bool, elore);
        TBeall.elorefizet = elore;
        kintLevok();
        Kesedelem::Ment({{1, "Új film", KesedelmiSzabaly{2, 300, 0}}, {2, "Akció", KesedelmiSzabaly{0, 250, 500}}});
        const int cassaElotte = Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt();

        Visszavetel v(1, "Kiss Anna");
        QCOMPARE(v.tetelek().size(), 3);
        // 2.5 days late -> 3 days; 3 days late with a cap of 500; not due yet.
        QCOMPARE(v.tetelek()[0].javasoltDij, 900.0);
        QCOMPARE(v.tetelek()[1].javasoltDij, 500.0);
        QCOMPARE(v.tetelek()[2].javasoltDij, 0.0);
        QCOMPARE(v.tetelek()[0].kesedelmiDij, 900.0);
        QCOMPARE(v.osszeg(), 1500.0 + 1400.0);

        v.kesedelmiDij(0, 450);   // changed
        v.kesedelmiDij(1, 0);     // cleared
        for (double rossz : {-1.0, std::numeric_limits<double>::quiet_NaN(), 2 * PenzHatar}) {
            QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, v.kesedelmiDij(0, rossz));
            QCOMPARE(v.tetelek()[0].kesedelmiDij, 450.0);
        }
        QCOMPARE(v.osszeg(), 1500.0 + 450.0);
        // Nothing is stored before completion.
        QCOMPARE(ar(1), 500.0);
        v.marad(2);
        v.befejez();

        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT azon, kint, ar FROM video ORDER BY azon"),
                 (QStringList{"1|N|950", "2|N|500", "3|I|500"}));
        const QStringList cassa = Lemezen(m_t->adatMappa(), "SELECT cassatip, ugyfel, osszeg FROM cassa ORDER BY cassa");
        QCOMPARE(cassa.size(), cassaElotte + (elore ? 0 : 1));
        if (!elore) QCOMPARE(cassa.last(), QString("B|1|1450"));
    }

    // Marked by scan: only the marked item comes back, with its fee; the
    // others stay out owing nothing yet, and count in no sum.
    void jeloltVisszavetel()
    {
        TBeall.elorefizet = false;
        kintLevok();
        Kesedelem::Ment({{1, "Új film", KesedelmiSzabaly{2, 300, 0}}, {2, "Akció", KesedelmiSzabaly{0, 250, 500}}});
        Visszavetel v(1, "Kiss Anna");
        QVERIFY(v.jelol(v.tetelek()[1].video));
        QVERIFY(!v.jelol(-5));
        QCOMPARE(v.osszeg(), 500.0 + 500.0);
        v.befejez();
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT azon, kint, ar FROM video ORDER BY azon"),
                 (QStringList{"1|I|500", "2|N|1000", "3|I|500"}));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT cassatip, ugyfel, osszeg FROM cassa ORDER BY cassa DESC LIMIT 1"),
                 QStringList{"B|1|1000"});
    }

    // A refused completion stores no fee: the price stays as it was.
    void visszavetelElutasitva()
    {
        kintLevok();
        Kesedelem::Ment({{1, "Új film", KesedelmiSzabaly{0, 300, 0}}});
        Visszavetel v(1, "Kiss Anna");
        QCOMPARE(v.tetelek()[0].kesedelmiDij, 900.0);
        // Item 2 came back elsewhere meanwhile.
        Adatbazis::vegrehajt("UPDATE video SET kint = 'N', ugyfel = 0 WHERE azon = 2");
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, v.befejez());
        QCOMPARE(ar(1), 500.0);
        QCOMPARE(Adatbazis::ertek("SELECT kint FROM video WHERE azon = 1").toString(), QString("I"));
        // A fee that would take the price past the bound is refused whole.
        Adatbazis::vegrehajt("UPDATE video SET ar = ? WHERE azon = 1", {PenzHatar - 100});
        Visszavetel w(1, "Kiss Anna");
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, w.befejez());
        QCOMPARE(ar(1), PenzHatar - 100);
    }
};

QTEST_MAIN(TstKesedelem)
#include "tst_kesedelem.moc"
