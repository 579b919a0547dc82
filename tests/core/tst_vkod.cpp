// The codes of a label run: the range as typed, and the work table filled
// from it in one transaction.
#include "core/data/adatbazis.h"
#include "core/reports/vkod.h"
#include "tests/core/tesztmag.h"

#include <QtTest>

namespace {

QStringList tablaSorai()
{
    QStringList s;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT vkod, azon FROM vkod ORDER BY vkod"));
    while (q.next()) s << q.value(0).toString() + ':' + q.value(1).toString();
    return s;
}

} // namespace

class TstVKod : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
    }
    void cleanup()
    {
        Adatbazis::zar();
        m_t.reset();
    }

    // One end of the range as typed: whole numbers from 0 to seven digits;
    // everything else refused with a message that names the field and says
    // what is wrong.
    void kodOlvas_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<qint64>("kod");       // -1: refused
        QTest::addColumn<QString>("uzenet");   // a part of the refusal
        QTest::newRow("vezető nullák") << "00119" << qint64(119) << "";
        QTest::newRow("szóközök körülötte") << " 7 " << qint64(7) << "";
        QTest::newRow("nulla") << "0" << qint64(0) << "";
        QTest::newRow("hét jegy") << "9999999" << qint64(9999999) << "";
        QTest::newRow("betű") << "12a" << qint64(-1) << "Nem egész szám: „12a” (azonosítótól)";
        QTest::newRow("tizedes") << "1,5" << qint64(-1) << "Nem egész szám";
        QTest::newRow("negatív") << "-1" << qint64(-1) << "Nem egész szám";
        QTest::newRow("szóköz benne") << "1 000" << qint64(-1) << "Nem egész szám";
        QTest::newRow("üres") << "  " << qint64(-1) << "Üres a kódtartomány egyik vége (azonosítótól)";
        QTest::newRow("nyolc jegy") << "10000000" << qint64(-1) << "Túl nagy kód: „10000000” (azonosítótól)";
        QTest::newRow("túlcsorduló") << "99999999999999999999999" << qint64(-1) << "Túl nagy kód";
    }
    void kodOlvas()
    {
        QFETCH(QString, szoveg);
        QFETCH(qint64, kod);
        QFETCH(QString, uzenet);
        qint64 ertek = -42;
        QString hiba;
        const bool jo = VKod::KodOlvas(szoveg, QStringLiteral("azonosítótól"), &ertek, &hiba);
        QCOMPARE(jo, kod >= 0);
        if (jo) {
            QCOMPARE(ertek, kod);
        } else {
            QCOMPARE(ertek, qint64(-42));
            QVERIFY2(hiba.contains(uzenet), qPrintable(hiba));
        }
    }

    // The table holds exactly the run asked for, in ascending order, codes
    // with at least five digits, keys from 1; an earlier run is gone.
    void feltolt_data()
    {
        QTest::addColumn<qint64>("elso");
        QTest::addColumn<qint64>("utolso");
        QTest::addColumn<QStringList>("eleje");
        QTest::addColumn<int>("db");
        QTest::newRow("alapértelmezés") << qint64(1) << qint64(119) << QStringList{"1:00001", "2:00002"} << 119;
        QTest::newRow("egy kód") << qint64(18) << qint64(18) << QStringList{"1:00018"} << 1;
        QTest::newRow("fordított: üres") << qint64(10) << qint64(3) << QStringList{} << 0;
        QTest::newRow("hatjegyű") << qint64(123456) << qint64(123457) << QStringList{"1:123456", "2:123457"} << 2;
        QTest::newRow("nulla") << qint64(0) << qint64(1) << QStringList{"1:00000", "2:00001"} << 2;
    }
    void feltolt()
    {
        QFETCH(qint64, elso);
        QFETCH(qint64, utolso);
        QFETCH(QStringList, eleje);
        QFETCH(int, db);
        QCOMPARE(VKod::Feltolt(500, 520), qint64(21));
        QCOMPARE(VKod::Feltolt(elso, utolso), qint64(db));
        const QStringList s = tablaSorai();
        QCOMPARE(s.size(), db);
        QCOMPARE(s.mid(0, eleje.size()), eleje);
        for (int i = 0; i < s.size(); ++i) QCOMPARE(s[i], QStringLiteral("%1:%2").arg(i + 1).arg(VKod::Formaz(elso + i)));
        QCOMPARE(Adatbazis::tranzakcioban(), false);
    }

    // A row the database refuses half-way leaves the table as the last run
    // left it: all of the run or none of it.
    void feltoltMindVagySemmi()
    {
        VKod::Feltolt(1, 3);
        Adatbazis::vegrehajt(QStringLiteral("CREATE TRIGGER tilt BEFORE INSERT ON vkod WHEN NEW.azon = '00005' "
                                            "BEGIN SELECT RAISE(ABORT, 'tiltott kód'); END"));
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, VKod::Feltolt(4, 10));
        QCOMPARE(tablaSorai(), (QStringList{"1:00001", "2:00002", "3:00003"}));
        QCOMPARE(Adatbazis::tranzakcioban(), false);
    }

    // A run has an upper bound: past it nothing is written (the last run's
    // labels stay) and the reason names the bound; up to it all is written.
    void feltoltFelsoHatar()
    {
        VKod::Feltolt(1, 3);
        try {
            VKod::Feltolt(0, VKod::LegnagyobbKod);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains("Túl sok címke: 10 000 000") && e.uzenet().contains("legfeljebb 10 000 címke"),
                     qPrintable(e.uzenet()));
        }
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, VKod::Feltolt(5, 5 + VKod::LegtobbCimke));
        QCOMPARE(tablaSorai(), (QStringList{"1:00001", "2:00002", "3:00003"}));
        QCOMPARE(VKod::Feltolt(5, 4 + VKod::LegtobbCimke), VKod::LegtobbCimke);
        QCOMPARE(Adatbazis::tranzakcioban(), false);
    }
};

QTEST_GUILESS_MAIN(TstVKod)
#include "tst_vkod.moc"
