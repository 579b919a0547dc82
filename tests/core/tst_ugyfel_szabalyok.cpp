// The customer register's rules without a window: next code, expiry,
// postal code to town, reading a typed code, the name search bounds.
#include "core/customers/ugyfelek.h"
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "tests/core/tesztmag.h"

#include <QtTest>

namespace {

void ugyfel(const QVariant& azon, const QVariant& dijfizetve = QVariant(), const QVariant& torolve = "N",
            const QString& nev = QString())
{
    Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, dijfizetve, torolve) VALUES (?, ?, ?, ?)",
                         {azon, nev.isEmpty() ? QVariant() : QVariant(nev), dijfizetve, torolve});
}

} // namespace

using Kodok = QList<QPair<QVariant, QString>>;   // code, torolve

class TstUgyfelSzabalyok : public MagTeszt {
    Q_OBJECT

private slots:

    void kovetkezoAzon_data()
    {
        QTest::addColumn<Kodok>("kodok");
        QTest::addColumn<qint64>("vart");
        QTest::newRow("ures tabla") << Kodok{} << qint64(1);
        QTest::newRow("1, 2, 7") << Kodok{{1, "N"}, {2, "N"}, {7, "N"}} << qint64(8);
        QTest::newRow("nem listazott is szamit") << Kodok{{3, "N"}, {9, "I"}} << qint64(10);
        QTest::newRow("kod nelkuli sor") << Kodok{{QVariant(), "N"}, {4, "N"}} << qint64(5);
        QTest::newRow("csak kod nelkuli") << Kodok{{QVariant(), "N"}} << qint64(1);
        // At the top of the range the next code is out of it (the save then
        // refuses it) rather than wrapping round to a negative one.
        QTest::newRow("tartomany teteje") << Kodok{{2147483647, "N"}} << qint64(2147483648LL);
    }
    void kovetkezoAzon()
    {
        QFETCH(Kodok, kodok);
        QFETCH(qint64, vart);
        for (const auto& [azon, torolve] : kodok) ugyfel(azon, QVariant(), torolve);
        QCOMPARE(Ugyfelek::KovetkezoAzon(), vart);
    }

    void torolt_kod_mar_nem_szamit()
    {
        ugyfel(1);
        ugyfel(5);
        Adatbazis::vegrehajt("DELETE FROM ugyfel WHERE azon = 5");
        QCOMPARE(Ugyfelek::KovetkezoAzon(), qint64(2));
    }

    void lejart_data()
    {
        QTest::addColumn<QDate>("dijfizetve");
        QTest::addColumn<bool>("vart");
        const QDate ma = TesztMost.date();
        QTest::newRow("holnap") << ma.addDays(1) << false;
        QTest::newRow("ma") << ma << true;
        QTest::newRow("tegnap") << ma.addDays(-1) << true;
        QTest::newRow("jovore") << ma.addYears(1) << false;
        QTest::newRow("nincs datum") << QDate() << true;
    }
    void lejart()
    {
        QFETCH(QDate, dijfizetve);
        QFETCH(bool, vart);
        QCOMPARE(Ugyfelek::TagsagLejart(dijfizetve, TesztMost.date()), vart);
    }

    // The icon and the filter agree for every customer with an expiry date;
    // one without a date shows the cross but is not listed; unlisted ones
    // (any torolve but "N", empty included) never are.
    void szuroEsIkonEgyezik()
    {
        const QDate ma = TesztMost.date();
        ugyfel(1, ma.addDays(-1));
        ugyfel(2, ma);
        ugyfel(3, ma.addDays(1));
        ugyfel(4, QVariant());
        ugyfel(5, ma.addDays(-30), "I");
        ugyfel(6, QDate(1999, 12, 31));
        ugyfel(7, ma.addDays(-3), QVariant());
        auto kodok = [](const QString& feltetel, const QVariantList& p) {
            QSqlQuery q = Adatbazis::vegrehajt(
                QStringLiteral("SELECT t.azon FROM ugyfel t WHERE %1 ORDER BY t.azon").arg(feltetel), p);
            QList<int> l;
            while (q.next()) l << q.value(0).toInt();
            return l;
        };
        QCOMPARE(kodok(Ugyfelek::ListazottFeltetel(), {}), (QList<int>{1, 2, 3, 4, 6}));
        const QList<int> listazott = kodok(Ugyfelek::LejartFeltetel(), Ugyfelek::LejartParam(ma));
        QCOMPARE(listazott, (QList<int>{1, 2, 6}));

        QSqlQuery minden = Adatbazis::vegrehajt("SELECT azon, dijfizetve FROM ugyfel WHERE torolve = 'N'");
        while (minden.next()) {
            const QDate d = QDate::fromString(minden.value(1).toString(), Qt::ISODate);
            if (!d.isValid()) continue;
            QCOMPARE(Ugyfelek::TagsagLejart(d, ma), listazott.contains(minden.value(0).toInt()));
        }
        QVERIFY(Ugyfelek::TagsagLejart(QDate(), ma));
        QVERIFY(!listazott.contains(4));
    }

    void varosIrszbol_data()
    {
        QTest::addColumn<QString>("irsz");
        QTest::addColumn<QString>("vart");
        QTest::newRow("pontos") << "1071" << "Budapest";
        QTest::newRow("ekezetes varos") << "3600" << "Ózd";
        QTest::newRow("nincs ilyen") << "9999" << "";
        QTest::newRow("csak eleje egyezik") << "107" << "";
        QTest::newRow("szokozzel nem pontos") << " 1071" << "";
        QTest::newRow("ures") << "" << "";
        QTest::newRow("idezojel") << "1'1" << "";
        QTest::newRow("elso a tobb kozul") << "0001" << "Első";
        QTest::newRow("hosszu varos 25 karakterre") << "0002" << "Hosszúnevűfalvaszentgyörg";
    }
    void varosIrszbol()
    {
        QFETCH(QString, irsz);
        QFETCH(QString, vart);
        Adatbazis::vegrehajt("INSERT INTO irsz (irsz, varos) VALUES ('0001', 'Első'), ('0001', 'Második'), "
                             "('0002', 'Hosszúnevűfalvaszentgyörgymindszent')");
        QCOMPARE(Ugyfelek::VarosIrszbol(irsz), vart);
    }

    void kodBol_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<bool>("olvashato");
        QTest::addColumn<int>("vart");
        QTest::newRow("egy jegy") << "7" << true << 7;
        QTest::newRow("vezeto nullak") << "00007" << true << 7;
        QTest::newRow("legnagyobb") << "2147483647" << true << 2147483647;
        QTest::newRow("tul nagy") << "2147483648" << false << 0;
        QTest::newRow("tizenegy jegy") << "99999999999" << false << 0;
        QTest::newRow("betu") << "12a" << false << 0;
        QTest::newRow("ures") << "" << false << 0;
    }
    void kodBol()
    {
        QFETCH(QString, szoveg);
        QFETCH(bool, olvashato);
        QFETCH(int, vart);
        const std::optional<int> k = Ugyfelek::KodBol(szoveg);
        QCOMPARE(k.has_value(), olvashato);
        if (k) QCOMPARE(*k, vart);
    }

    // The ranges the name search probes hold exactly the names beginning
    // with the text in the Hungarian order (any letter case; ö and ő one
    // letter, o another; double letters as one), and the database, probing
    // them with the name search's own statement, finds the same.
    void nevHatarok_data()
    {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("eleje");
        QTest::addColumn<bool>("vart");
        QTest::newRow("kisbetuvel") << "Szabó Éva" << "sza" << true;
        QTest::newRow("ekezet nem alapbetu") << "Szűcs Ödön" << "szu" << false;
        QTest::newRow("ekezet kis-nagy") << "Szűcs Ödön" << "SZŰ" << true;
        QTest::newRow("o es ö") << "Oláh Ede" << "ö" << false;
        QTest::newRow("ö es ő egy betu") << "Ördög Ő" << "ő" << true;
        QTest::newRow("ő") << "Őri Péter" << "ő" << true;
        QTest::newRow("teljes nev") << "Kis Ödön" << "kis ödön" << true;
        QTest::newRow("hosszabb a nevnel") << "Kis" << "Kiss" << false;
        QTest::newRow("idezojel") << "O'Brien" << "o'" << true;
        QTest::newRow("szazalek") << "100% Kft" << "100%" << true;
        QTest::newRow("szazalek mint minta nem") << "100 Kft" << "1%" << false;
        QTest::newRow("z es zs") << "Zsolt" << "z" << true;
        QTest::newRow("kettos betu") << "Hosszú Kata" << "hoss" << true;
        QTest::newRow("kettos betu nem egyszeres") << "Hosszabb" << "hosza" << false;
    }
    // Both quick searches read their candidates from an index range, in
    // the name order, never from the table.
    void keresesIndexbol()
    {
        const QString nev = LekerdezesiTerv(Ugyfelek::NevJeloltek());
        QVERIFY2(nev.contains("SEARCH ugyfel USING COVERING INDEX ugyfel_ugyfel_nev (ugyfel_nev>? AND ugyfel_nev<?)"),
                 qPrintable(nev));
        QVERIFY2(!nev.contains("TEMP B-TREE"), qPrintable(nev));
        const QString kod = LekerdezesiTerv(Ugyfelek::KodJeloltek());
        QVERIFY2(kod.contains("USING COVERING INDEX ugyfel_azon (azon=?)"), qPrintable(kod));
    }

    void nevHatarok()
    {
        QFETCH(QString, nev);
        QFETCH(QString, eleje);
        QFETCH(bool, vart);
        QCOMPARE(HuFold::rendKezdodik(nev, eleje), vart);
        Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (1, ?, 'N')", {nev});
        bool talalt = false;
        for (const HuFold::Tartomany& t : HuFold::kezdoTartomanyok(eleje))
            talalt = talalt || Adatbazis::vegrehajt(Ugyfelek::NevJeloltek(), {t.also, t.felso}).next();
        QCOMPARE(talalt, vart);
    }
};

QTEST_GUILESS_MAIN(TstUgyfelSzabalyok)
#include "tst_ugyfel_szabalyok.moc"
