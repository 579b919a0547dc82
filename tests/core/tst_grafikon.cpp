// The rows of the two statistics charts: the program's income by month and
// the rentals of a period by genre.
#include "core/cash/cassa.h"
#include "core/cash/grafikon.h"
#include "core/data/adatbazis.h"
#include "tests/core/tesztmag.h"

#include <QtTest>

namespace {

void tetel(const QString& tip, double osszeg, const QVariant& idoszak)
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan, idoszak) VALUES (?, ?, ?, 0, ?)",
                         {tip, QDate(2026, 1, 1), osszeg, idoszak});
}

QStringList szoveg(const QList<Grafikon::Sor>& l)
{
    QStringList s;
    for (const auto& r : l) s << QStringLiteral("%1=%2").arg(r.cimke).arg(r.ertek);
    return s;
}

} // namespace

class TstGrafikon : public MagTeszt {
    Q_OBJECT

private slots:

    // Only the fees the program posts ("B" rentals, "T" memberships) with a
    // month key count, summed per month; a month without them gives no row.
    void bevetelek_data()
    {
        QTest::addColumn<QString>("tol");
        QTest::addColumn<QString>("ig");
        QTest::addColumn<QStringList>("vart");
        const QStringList mind{"202603=1500", "202605=700"};
        QTest::newRow("március–május, április nélkül") << "202603" << "202605" << mind;
        QTest::newRow("tágabb tartomány") << "202501" << "202612" << QStringList{"202602=50", "202603=1500", "202605=700", "202607=-200"};
        QTest::newRow("két vége beleszámít") << "202605" << "202605" << QStringList{"202605=700"};
        QTest::newRow("csak április") << "202604" << "202604" << QStringList{};
        QTest::newRow("fordított tartomány") << "202605" << "202603" << QStringList{};
        QTest::newRow("nem hónapkulcs") << "abc" << "xyz" << QStringList{};
        QTest::newRow("üres kulcsok") << "" << "" << QStringList{};
    }
    void bevetelek()
    {
        QFETCH(QString, tol);
        QFETCH(QString, ig);
        QFETCH(QStringList, vart);
        tetel("B", 1000, "202603");
        tetel("T", 500, "202603");
        tetel("K", 9999, "202604");      // a user-defined type: not income the program posts
        tetel("B", 300, "202605");
        tetel("B", 400, "202605");
        tetel("T", 50, "202602");
        tetel("B", -200, "202607");     // a correction still counts with its sign
        // Entered by hand: no month key, not counted even as type B.
        tetel("B", 123456, QVariant());
        Cassa::KeziTetel("T", 1, 777);
        QCOMPARE(szoveg(Grafikon::Bevetelek(tol, ig)), vart);
    }

    void uresPenztar()
    {
        QVERIFY(Grafikon::Bevetelek("202601", "202612").isEmpty());
        QVERIFY(Grafikon::Megoszlas(QDate(2026, 1, 1), QDate(2026, 12, 31)).isEmpty());
    }

    // Rentals counted by the genre of the item: items lent twice count
    // twice; an item gone, without a genre or with a deleted genre, and a
    // nameless genre, all in one group with an empty name; both days of
    // the range included.
    void megoszlas_data()
    {
        QTest::addColumn<QDate>("tol");
        QTest::addColumn<QDate>("ig");
        QTest::addColumn<QStringList>("vart");
        QTest::newRow("március") << QDate(2026, 3, 1) << QDate(2026, 3, 31)
                                 << QStringList{"=6", "Akció=3", "Ének-zene=1", "Vígjáték=1"};
        QTest::newRow("egy nap") << QDate(2026, 3, 31) << QDate(2026, 3, 31) << QStringList{"Akció=1"};
        QTest::newRow("első nap") << QDate(2026, 3, 1) << QDate(2026, 3, 1) << QStringList{"Akció=1"};
        QTest::newRow("üres időszak") << QDate(2026, 5, 1) << QDate(2026, 5, 31) << QStringList{};
        QTest::newRow("fordított") << QDate(2026, 3, 31) << QDate(2026, 3, 1) << QStringList{};
    }
    void megoszlas()
    {
        QFETCH(QDate, tol);
        QFETCH(QDate, ig);
        QFETCH(QStringList, vart);
        // The delivered genres give way to a known set.
        for (const char* t : {"ugyfel_video", "video", "mufaj"}) Adatbazis::vegrehajt(QStringLiteral("DELETE FROM %1").arg(t));
        for (auto [kod, nev] : {std::pair{1, "Akció"}, {2, "Vígjáték"}, {3, "Ének-zene"}, {4, "Törölt"}, {5, ""}})
            Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj, mufaj_nev) VALUES (?, ?)", {kod, QString::fromUtf8(nev)});
        // item -> genre: 10 Akció, 11 Vígjáték, 12 Ének-zene, 13 no genre,
        // 14 the genre deleted below, 15 nameless genre; 16 is deleted.
        for (auto [video, mufaj] : {std::pair{10, QVariant(1)}, {11, 2}, {12, 3}, {13, QVariant()}, {14, 4}, {15, 5}, {16, 1}})
            Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, mufaj, kint, torolve) VALUES (?, ?, 'x', ?, 'N', 'N')",
                                 {video, video, mufaj});
        Adatbazis::vegrehajt("DELETE FROM mufaj WHERE mufaj = 4");
        const auto kolcson = [](int video, const QDate& nap) {
            Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (1, ?, ?)", {video, nap});
        };
        kolcson(10, QDate(2026, 3, 1));
        kolcson(10, QDate(2026, 3, 15));   // the same item again
        kolcson(16, QDate(2026, 3, 20));
        kolcson(10, QDate(2026, 3, 31));
        kolcson(11, QDate(2026, 3, 10));
        kolcson(12, QDate(2026, 3, 11));
        kolcson(13, QDate(2026, 3, 12));
        kolcson(14, QDate(2026, 3, 13));
        kolcson(15, QDate(2026, 3, 14));
        kolcson(99, QDate(2026, 3, 16));   // an item no longer in the catalogue
        kolcson(16, QDate(2026, 3, 20));
        Adatbazis::vegrehajt("DELETE FROM video WHERE video = 16");
        kolcson(11, QDate(2026, 2, 28));   // outside
        kolcson(11, QDate(2026, 4, 1));
        QCOMPARE(szoveg(Grafikon::Megoszlas(tol, ig)), vart);
    }
};

QTEST_GUILESS_MAIN(TstGrafikon)
#include "tst_grafikon.moc"
