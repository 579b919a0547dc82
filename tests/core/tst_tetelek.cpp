// The item records' rules without a window: the next code, the rounding of
// a typed code, the copy, a save under a code in use, the deletion.
#include "core/app/tetelek.h"
#include "core/data/adatbazis.h"
#include "core/data/rekord.h"
#include "tests/core/tesztmag.h"

#include <QSqlRecord>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

qint64 tetel(const QVariant& azon, const QString& kint = "N")
{
    QSqlQuery q = Adatbazis::vegrehajt("INSERT INTO video (azon, video_nev, kint, torolve) VALUES (?, ?, ?, 'N')",
                                       {azon, QStringLiteral("Tétel %1").arg(azon.toString()), kint});
    return q.lastInsertId().toLongLong();
}

// Every field of an item by name (NULL as an invalid QVariant).
QVariantMap sor(qint64 video)
{
    QSqlQuery q = Adatbazis::vegrehajt("SELECT * FROM video WHERE video = ?", {video});
    QVariantMap m;
    if (!q.next()) return m;
    for (int i = 0; i < q.record().count(); ++i) m.insert(q.record().fieldName(i), q.value(i));
    return m;
}

int darab(const QString& tabla)
{
    return Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabla)).toInt();
}

// Saves a pending item as the item window does: one transaction.
void ment(Rekord& r)
{
    Adatbazis::Tranzakcio t;
    r.ment();
    t.jovahagy();
}

} // namespace

class TstTetelek : public MagTeszt {
    Q_OBJECT

private slots:

    void kovetkezoKod_data()
    {
        QTest::addColumn<QVariantList>("kodok");
        QTest::addColumn<qint64>("vart");
        QTest::newRow("ures tabla") << QVariantList{} << qint64(1);
        // The largest plus one, even with lower codes free.
        QTest::newRow("123-ig") << QVariantList{3, 123, 40} << qint64(124);
        QTest::newRow("kod nelkuli sor") << QVariantList{QVariant()} << qint64(1);
        QTest::newRow("negativ kodok") << QVariantList{-5, -2} << qint64(-1);
        QTest::newRow("tartomany teteje") << QVariantList{2147483647, 1} << qint64(2147483648LL);
    }
    void kovetkezoKod()
    {
        QFETCH(QVariantList, kodok);
        QFETCH(qint64, vart);
        for (const QVariant& k : kodok) tetel(k);
        QCOMPARE(TetelKovetkezoKod(), vart);

        // A new item takes it, in the shop, bought today, nothing else set.
        Rekord r("video");
        TetelUjElokeszit(r);
        QCOMPARE(r.ertek("azon").toLongLong(), vart);
        QCOMPARE(r.ertek("kint").toString(), QString("N"));
        QCOMPARE(r.ertek("torolve").toString(), QString("N"));
        QCOMPARE(r.ertek("dat_besz").toDate(), TesztMost.date());
        for (const char* m : {"video_nev", "tipus", "arkat", "mufaj", "kolcsonozve", "beszar", "ugyfel"})
            QVERIFY2(r.ertek(m).isNull(), m);

        const int elotte = darab("video");
        if (vart > std::numeric_limits<int>::max()) {
            // The top of the range: the table refuses it; nothing wraps round.
            QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, ment(r));
            QCOMPARE(darab("video"), elotte);
        } else {
            ment(r);
            QCOMPARE(darab("video"), elotte + 1);
            QCOMPARE(sor(r.kulcs().toLongLong()).value("azon").toLongLong(), vart);
        }
    }

    void kodKerekites_data()
    {
        QTest::addColumn<double>("beirt");
        QTest::addColumn<int>("vart");
        QTest::newRow("12,5") << 12.5 << 12;
        QTest::newRow("13,5") << 13.5 << 14;
        QTest::newRow("12,49") << 12.49 << 12;
        QTest::newRow("12,51") << 12.51 << 13;
        QTest::newRow("egesz") << 124.0 << 124;
        QTest::newRow("-2,5") << -2.5 << -2;
        QTest::newRow("-3,5") << -3.5 << -4;
        QTest::newRow("0,5") << 0.5 << 0;
        QTest::newRow("felso hatar") << 2147483647.4 << 2147483647;
        QTest::newRow("also hatar") << -2147483648.5 << std::numeric_limits<int>::min();
    }
    void kodKerekites()
    {
        QFETCH(double, beirt);
        QFETCH(int, vart);
        QCOMPARE(TetelKodKerekit(beirt), vart);
    }

    void kodNemFerEl_data()
    {
        QTest::addColumn<double>("beirt");
        QTest::newRow("2147483647,5 (paros: 2147483648)") << 2147483647.5;
        QTest::newRow("2147483648") << 2147483648.0;
        QTest::newRow("-2147483649") << -2147483649.0;
        QTest::newRow("1e20") << 1e20;
        QTest::newRow("vegtelen") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::nan("");
    }
    void kodNemFerEl()
    {
        QFETCH(double, beirt);
        try {
            TetelKodKerekit(beirt);
            QFAIL("accepted");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith("Az azonosító nem lehet kód"), qPrintable(e.uzenet()));
        }
    }

    void masolas()
    {
        // A lent item with every field filled, and a history and a cash row.
        QSqlQuery q = Adatbazis::vegrehajt(
            "INSERT INTO video (azon, tipus, arkat, video_nev, szoveg, ugyfel, fiztip, dat_kiadva, ido_kiadva, "
            "dat_visszakell, ido_visszakell, dat_vissza, ido_vissza, ar, kint, torolve, dat_besz, dat_selejt, "
            "kolcsid, kolcsonozve, mufaj, beszar) VALUES (7, 2, 3, 'Árvíztűrő', 'leírás', 1, 1, '2026-03-13', "
            "'10:00:00', '2026-03-14', '10:00:00', '2026-03-01', '09:00:00', 500, 'I', 'N', '2020-01-02', "
            "'2025-05-05', 4, 17, 5, 2990)");
        const qint64 forras = q.lastInsertId().toLongLong();
        const QVariantMap forrasElotte = sor(forras);

        const qint64 uj = TetelMasol(forras, 12.5);
        QVERIFY(uj != forras);
        const QVariantMap m = sor(uj);
        QCOMPARE(m.value("azon").toInt(), 12);
        QCOMPARE(m.value("tipus").toInt(), 2);
        QCOMPARE(m.value("arkat").toInt(), 3);
        QCOMPARE(m.value("video_nev").toString(), QString("Árvíztűrő"));
        QCOMPARE(m.value("szoveg").toString(), QString("leírás"));
        QCOMPARE(m.value("mufaj").toInt(), 5);
        QCOMPARE(m.value("kint").toString(), QString("N"));
        QCOMPARE(m.value("torolve").toString(), QString("N"));
        QCOMPARE(m.value("dat_besz").toString(), TesztMost.date().toString(Qt::ISODate));
        QCOMPARE(m.value("kolcsonozve").toInt(), 0);
        QVERIFY(!m.value("kolcsonozve").isNull());
        // The rental fields, the price paid and the scrapping date are not copied.
        for (const char* n : {"ugyfel", "fiztip", "dat_kiadva", "ido_kiadva", "dat_visszakell", "ido_visszakell",
                              "dat_vissza", "ido_vissza", "ar", "dat_selejt", "kolcsid", "beszar"})
            QVERIFY2(m.value(n).isNull(), n);
        QCOMPARE(sor(forras), forrasElotte);

        // 13,5 gives 14.
        QCOMPARE(sor(TetelMasol(forras, 13.5)).value("azon").toInt(), 14);
        // Empty fields stay empty in the copy.
        const qint64 ures = tetel(30);
        Adatbazis::vegrehajt("UPDATE video SET video_nev = NULL WHERE video = ?", {ures});
        const QVariantMap u = sor(TetelMasol(ures, 31));
        for (const char* n : {"tipus", "arkat", "video_nev", "szoveg", "mufaj"}) QVERIFY2(u.value(n).isNull(), n);
    }

    // The code of a copy: one in use is taken as typed; one no field
    // holds is refused and nothing is stored.
    void masolasKodja_data()
    {
        QTest::addColumn<double>("kod");
        QTest::addColumn<QVariant>("tarolt");   // invalid: refused
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("mar foglalt kod") << 6.0 << QVariant(6) << QString();
        QTest::newRow("a forras sajat kodja") << 7.0 << QVariant(7) << QString();
        QTest::newRow("nem fer el") << 3e9 << QVariant() << "Az azonosító nem lehet kód";
        QTest::newRow("kerekitve nem fer el") << 2147483647.5 << QVariant() << "Az azonosító nem lehet kód";
    }
    void masolasKodja()
    {
        QFETCH(double, kod);
        QFETCH(QVariant, tarolt);
        QFETCH(QString, uzenet);
        const qint64 forras = tetel(7);
        const qint64 masik = tetel(6);
        const int elotte = darab("video");
        if (tarolt.isValid()) {
            const qint64 uj = TetelMasol(forras, kod);
            QCOMPARE(sor(uj).value("azon").toInt(), tarolt.toInt());
            QCOMPARE(sor(uj).value("video_nev").toString(), QString("Tétel 7"));
            QCOMPARE(darab("video"), elotte + 1);
            // The item that had the code keeps it.
            QCOMPARE(sor(masik).value("azon").toInt(), 6);
            QCOMPARE(sor(forras).value("azon").toInt(), 7);
        } else {
            try {
                TetelMasol(forras, kod);
                QFAIL("copied");
            } catch (const AdatbazisHiba& e) {
                QVERIFY2(e.uzenet().startsWith(uzenet), qPrintable(e.uzenet()));
            }
            QCOMPARE(darab("video"), elotte);
        }
        QVERIFY(!Adatbazis::tranzakcioban());
    }

    void masolasTorolttetelrol()
    {
        const qint64 forras = tetel(1);
        Adatbazis::vegrehajt("DELETE FROM video WHERE video = ?", {forras});
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, TetelMasol(forras, 2));
        QCOMPARE(darab("video"), 0);
    }

    // A saved item keeps the code typed, another item's included; the
    // item that had it keeps it too.
    void mentesKoddal_data()
    {
        QTest::addColumn<bool>("uj");
        QTest::addColumn<int>("kod");
        QTest::addColumn<int>("ilyenKodu");   // items with the code afterwards
        QTest::newRow("uj, szabad kod") << true << 3 << 1;
        QTest::newRow("uj, foglalt kod") << true << 2 << 2;
        QTest::newRow("szerkesztve, ketszeres kod marad") << false << 1 << 2;
        QTest::newRow("szerkesztve, foglalt kodra") << false << 2 << 2;
    }
    void mentesKoddal()
    {
        QFETCH(bool, uj);
        QFETCH(int, kod);
        QFETCH(int, ilyenKodu);
        // Code 1 belongs to two items already.
        const qint64 a = tetel(1);
        const qint64 b = tetel(1);
        const qint64 c = tetel(2);
        Rekord r("video");
        if (uj) TetelUjElokeszit(r);
        else QVERIFY(r.szerkeszt(a));
        r.beallit("azon", kod);
        r.beallit("video_nev", QStringLiteral("Új cím"));
        const int elotte = darab("video");
        ment(r);
        const QVariantMap m = sor(r.kulcs().toLongLong());
        QCOMPARE(m.value("azon").toInt(), kod);
        QCOMPARE(m.value("video_nev").toString(), QString("Új cím"));
        QCOMPARE(darab("video"), elotte + (uj ? 1 : 0));
        QCOMPARE(sor(b).value("azon").toInt(), 1);
        QCOMPARE(sor(c).value("azon").toInt(), 2);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE azon = ?", {kod}).toInt(),
                 ilyenKodu);
    }

    void torles_data()
    {
        QTest::addColumn<QString>("kint");
        QTest::addColumn<bool>("torolve");
        QTest::newRow("bent") << "N" << true;
        QTest::newRow("ures kint mezo") << QString() << true;
        QTest::newRow("kint") << "I" << false;
    }
    void torles()
    {
        QFETCH(QString, kint);
        QFETCH(bool, torolve);
        const qint64 marad = tetel(1);
        const qint64 v = tetel(2, kint);
        Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (1, ?, '2026-03-01')", {v});
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) "
                             "VALUES ('B', '2026-03-01', 1, 500, 500, '202603')");
        if (torolve) {
            TetelTorol(v);
        } else {
            try {
                TetelTorol(v);
                QFAIL("deleted");
            } catch (const AdatbazisHiba& e) {
                QCOMPARE(e.uzenet(), QString("A tétel ki van adva, ezért nem törölhető."));
            }
        }
        QCOMPARE(sor(v).isEmpty(), torolve);
        QVERIFY(!sor(marad).isEmpty());
        // The history and the cash book keep their rows either way.
        QCOMPARE(darab("ugyfel_video"), 1);
        QCOMPARE(darab("cassa"), 1);
        QVERIFY(!Adatbazis::tranzakcioban());
        // One gone already is no error.
        if (torolve) TetelTorol(v);
    }

    void valasztekKulcsSorrendben()
    {
        Adatbazis::vegrehajt("DELETE FROM mufaj");
        Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj, mufaj_nev) VALUES (3, 'Akció'), (1, 'Zene'), (2, 'Dráma')");
        const QList<std::pair<int, QString>> v = TetelValasztek("mufaj");
        QCOMPARE(v, (QList<std::pair<int, QString>>{{1, "Zene"}, {2, "Dráma"}, {3, "Akció"}}));
    }
};

QTEST_GUILESS_MAIN(TstTetelek)
#include "tst_tetelek.moc"
