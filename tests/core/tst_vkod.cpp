// The codes of a label run: the range as typed, and the work table filled
// from it in one transaction.
#include "core/data/adatbazis.h"
#include "core/reports/vkod.h"
#include "tests/core/tesztmag.h"

#include <QtTest>
#include <tuple>

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

    // One end of the range as typed: whole numbers from 0 to seven digits
    // (to the largest a customer's code field holds for cards); everything
    // else refused with a message that names the field and says what is
    // wrong.
    void kodOlvas_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<qint64>("kod");       // -1: refused
        QTest::addColumn<QString>("uzenet");   // a part of the refusal
        QTest::addColumn<bool>("ugyfel");      // a customer code
        QTest::newRow("vezető nullák") << "00119" << qint64(119) << "" << false;
        QTest::newRow("szóközök körülötte") << " 7 " << qint64(7) << "" << false;
        QTest::newRow("nulla") << "0" << qint64(0) << "" << false;
        QTest::newRow("hét jegy") << "9999999" << qint64(9999999) << "" << false;
        QTest::newRow("betű") << "12a" << qint64(-1) << "Nem egész szám: „12a” (azonosítótól)" << false;
        QTest::newRow("tizedes") << "1,5" << qint64(-1) << "Nem egész szám" << false;
        QTest::newRow("negatív") << "-1" << qint64(-1) << "Nem egész szám" << false;
        QTest::newRow("szóköz benne") << "1 000" << qint64(-1) << "Nem egész szám" << false;
        QTest::newRow("üres") << "  " << qint64(-1) << "Üres a kódtartomány egyik vége (azonosítótól)" << false;
        QTest::newRow("nyolc jegy") << "10000000" << qint64(-1) << "Túl nagy kód: „10000000” (azonosítótól)" << false;
        QTest::newRow("túlcsorduló") << "99999999999999999999999" << qint64(-1) << "Túl nagy kód" << false;
        QTest::newRow("ügyfél: nyolc jegy") << "12345678" << qint64(12345678) << "" << true;
        QTest::newRow("ügyfél: a legnagyobb") << "2147483647" << qint64(2147483647) << "" << true;
        QTest::newRow("ügyfél: eggyel több")
            << "2147483648" << qint64(-1)
            << "Túl nagy kód: „2147483648” (azonosítótól). Az ügyfélkód 0 és 2147483647 között lehet." << true;
        QTest::newRow("ügyfél: túlcsorduló") << "99999999999999999999999" << qint64(-1) << "Túl nagy kód" << true;
        QTest::newRow("ügyfél: betű") << "1O" << qint64(-1) << "Nem egész szám: „1O” (azonosítótól)" << true;
        QTest::newRow("ügyfél: üres") << " " << qint64(-1) << "Üres a kódtartomány egyik vége (azonosítótól)" << true;
    }
    void kodOlvas()
    {
        QFETCH(QString, szoveg);
        QFETCH(qint64, kod);
        QFETCH(QString, uzenet);
        QFETCH(bool, ugyfel);
        qint64 ertek = -42;
        QString hiba;
        const bool jo = ugyfel ? VKod::KodOlvas(szoveg, QStringLiteral("azonosítótól"), &ertek, &hiba, VKod::Fajta::Ugyfel)
                               : VKod::KodOlvas(szoveg, QStringLiteral("azonosítótól"), &ertek, &hiba);
        QCOMPARE(jo, kod >= 0);
        if (jo) {
            QCOMPARE(ertek, kod);
        } else {
            QCOMPARE(ertek, qint64(-42));
            QVERIFY2(hiba.contains(uzenet), qPrintable(hiba));
        }
    }

    // A card run: the codes in the range that listed customers have, in
    // code order, once each; the report then gives every such customer a
    // row of their own (two sharing a code included), and no one else.
    void ugyfelFeltolt_data()
    {
        QTest::addColumn<qint64>("elso");
        QTest::addColumn<qint64>("utolso");
        QTest::addColumn<QStringList>("tabla");
        QTest::addColumn<QStringList>("kartyak");   // what the report reads: code|name
        QTest::newRow("mind") << qint64(0) << qint64(2147483647)
                              << QStringList{"1:00003", "2:00007", "3:00012", "4:2147483647"}
                              << QStringList{"3|Cukor Csaba", "7|Őry Emőke", "7|Ábel Ödön", "12|Zsoldos Zsuzsa",
                                             "2147483647|Legutolsó Lajos"};
        QTest::newRow("a két vég is") << qint64(7) << qint64(12) << QStringList{"1:00007", "2:00012"}
                                      << QStringList{"7|Őry Emőke", "7|Ábel Ödön", "12|Zsoldos Zsuzsa"};
        QTest::newRow("egy kód") << qint64(3) << qint64(3) << QStringList{"1:00003"} << QStringList{"3|Cukor Csaba"};
    }
    void ugyfelFeltolt()
    {
        QFETCH(qint64, elso);
        QFETCH(qint64, utolso);
        QFETCH(QStringList, tabla);
        QFETCH(QStringList, kartyak);
        // Keys out of code order; deleted ('I') and not flagged at all are not listed.
        for (const auto& [azon, nev, torolve] : std::initializer_list<std::tuple<qint64, const char*, const char*>>{
                 {12, "Zsoldos Zsuzsa", "N"}, {7, "Őry Emőke", "N"}, {3, "Cukor Csaba", "N"}, {5, "Törölt Tamás", "I"},
                 {7, "Ábel Ödön", "N"}, {9, "Jelöletlen János", nullptr}, {2147483647, "Legutolsó Lajos", "N"}})
            Adatbazis::vegrehajt(QStringLiteral("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (?, ?, ?)"),
                                 {azon, QString::fromUtf8(nev), torolve ? QVariant(QString::fromLatin1(torolve)) : QVariant()});
        Adatbazis::vegrehajt(QStringLiteral("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (NULL, 'Kód nélküli', 'N')"));
        VKod::Feltolt(500, 520);
        QCOMPARE(VKod::Feltolt(VKod::Fajta::Ugyfel, elso, utolso), qint64(kartyak.size()));
        QCOMPARE(tablaSorai(), tabla);
        QStringList olvasott;
        QSqlQuery q = Adatbazis::vegrehajt(QString::fromLatin1(VKod::KartyaLekerdezes));
        while (q.next()) olvasott << q.value(0).toString() + '|' + q.value(1).toString();
        QCOMPARE(olvasott, kartyak);
        QCOMPARE(Adatbazis::tranzakcioban(), false);
    }

    // No card to print, or more than a run makes: refused with the reason,
    // and the last run's rows stay as they were.
    void ugyfelFeltoltElutasit_data()
    {
        QTest::addColumn<qint64>("elso");
        QTest::addColumn<qint64>("utolso");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("senki a tartományban") << qint64(20000) << qint64(30000)
                                              << "Nincs ügyfél a(z) 20000–30000 kódtartományban";
        QTest::newRow("fordított") << qint64(100) << qint64(1) << "Nincs ügyfél a(z) 100–1 kódtartományban";
        QTest::newRow("egy híján a határ") << qint64(2) << qint64(10001) << "";
        QTest::newRow("a határ") << qint64(1) << qint64(10000) << "";
        QTest::newRow("eggyel a határ fölött") << qint64(1) << qint64(10001)
                                               << "Túl sok címke: 10 001. Egyszerre legfeljebb 10 000 címke";
    }
    void ugyfelFeltoltElutasit()
    {
        QFETCH(qint64, elso);
        QFETCH(qint64, utolso);
        QFETCH(QString, uzenet);
        // 10,001 listed customers with codes 1 to 10,001, and many deleted
        // ones around them that do not count.
        Adatbazis::vegrehajt(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) "
            "INSERT INTO ugyfel (azon, ugyfel_nev, torolve) SELECT i, 'Ügyfél ' || i, "
            "CASE WHEN i <= 10001 THEN 'N' ELSE 'I' END FROM n"));
        VKod::Feltolt(1, 3);
        if (uzenet.isEmpty()) {
            QCOMPARE(VKod::UgyfelFeltolt(elso, utolso), utolso - elso + 1);
            QCOMPARE(tablaSorai().size(), int(utolso - elso + 1));
            return;
        }
        try {
            VKod::UgyfelFeltolt(elso, utolso);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith(uzenet), qPrintable(e.uzenet()));
        }
        QCOMPARE(tablaSorai(), (QStringList{"1:00001", "2:00002", "3:00003"}));
        QCOMPARE(Adatbazis::tranzakcioban(), false);
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
