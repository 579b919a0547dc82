// The cash book's rules: the entry typed by hand, the list, the month keys
// and the range the genre chart proposes.
#include "core/cash/cassa.h"
#include "core/data/adatbazis.h"
#include "core/data/ora.h"
#include "tests/core/tesztmag.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QtTest>

namespace {

void tetel(const QString& tip, const QDate& nap, double osszeg, const QVariant& penzvan, const QVariant& ugyfel = QVariant(),
           const QVariant& idoszak = QVariant())
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES (?, ?, ?, ?, ?, ?)",
                         {tip, nap, ugyfel, osszeg, penzvan, idoszak});
}

// The rows of a query read through a connection of its own: what it sees is committed.
QStringList maskent(const QString& adatMappa, const QString& sql)
{
    const QString nev = QUuid::createUuid().toString();
    QStringList sorok;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", nev);
        d.setDatabaseName(Adatbazis::fajlUtvonal(adatMappa));
        if (d.open()) {
            QSqlQuery q(d);
            q.exec(sql);
            while (q.next()) {
                QStringList s;
                for (int i = 0; i < q.record().count(); ++i) s << (q.isNull(i) ? QStringLiteral("∅") : q.value(i).toString());
                sorok << s.join('|');
            }
        }
    }
    QSqlDatabase::removeDatabase(nev);
    return sorok;
}

void kivulrol(const QString& adatMappa, const QStringList& utasitasok)
{
    const QString nev = QUuid::createUuid().toString();
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", nev);
        d.setDatabaseName(Adatbazis::fajlUtvonal(adatMappa));
        QVERIFY(d.open());
        for (const QString& u : utasitasok) {
            QSqlQuery q(d);
            QVERIFY2(q.exec(u), qPrintable(u));
        }
    }
    QSqlDatabase::removeDatabase(nev);
}

} // namespace

class TstCassa : public MagTeszt {
    Q_OBJECT

private slots:

    // The typed amount signed by the type's direction, the balance after the
    // last entry's; no customer, no month key, today's date, committed.
    void keziTetel_data()
    {
        QTest::addColumn<QVariant>("elozo");   // balance of the last entry; invalid: empty book
        QTest::addColumn<int>("szorzo");
        QTest::addColumn<double>("gepelt");
        QTest::addColumn<QString>("vart");     // osszeg|penzvan
        QTest::newRow("bevétel") << QVariant(10000.0) << 1 << 2000.0 << "2000|12000";
        QTest::newRow("kiadás") << QVariant(10000.0) << -1 << 2000.0 << "-2000|8000";
        QTest::newRow("negatív kiadás") << QVariant(10000.0) << -1 << -2000.0 << "2000|12000";
        QTest::newRow("negatív bevétel") << QVariant(10000.0) << 1 << -350.5 << "-350.5|9649.5";
        QTest::newRow("irány nélküli típus") << QVariant(10000.0) << 0 << 2000.0 << "0|10000";
        QTest::newRow("nulla kiadás") << QVariant(10000.0) << -1 << 0.0 << "0|10000";
        QTest::newRow("üres pénztár") << QVariant() << 1 << 500.0 << "500|500";
        QTest::newRow("üres egyenleg") << QVariant(QMetaType(QMetaType::Double)) << -1 << 500.0 << "-500|-500";
    }
    void keziTetel()
    {
        QFETCH(QVariant, elozo);
        QFETCH(int, szorzo);
        QFETCH(double, gepelt);
        QFETCH(QString, vart);
        if (elozo.isValid()) {
            // A later-dated entry written earlier: the balance follows the key, not the day.
            tetel("T", Ma().addDays(3), 1000, 1000, 3, Ma().toString("yyyyMM"));
            tetel("B", Ma().addDays(-1), 500, elozo, 4, Ma().toString("yyyyMM"));
        }
        Cassa::KeziTetel("K", szorzo, gepelt);
        QVERIFY(!Adatbazis::tranzakcioban());
        const QStringList sorok = maskent(m_t->adatMappa(),
                                          "SELECT cassatip, datum, ugyfel, osszeg, penzvan, idoszak FROM cassa "
                                          "ORDER BY cassa DESC LIMIT 1");
        QCOMPARE(sorok, QStringList{QStringLiteral("K|%1|∅|%2|∅").arg(Ma().toString(Qt::ISODate), vart)});
    }

    // An amount past the money bound is refused whole: nothing is written.
    void keziTetelElutasitva()
    {
        tetel("B", Ma(), 10000, 10000, 1, "202603");
        for (double rossz : {2e12, -2e12, qInf()}) {
            QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Cassa::KeziTetel("E", 1, rossz));
            QVERIFY(!Adatbazis::tranzakcioban());
        }
        QCOMPARE(maskent(m_t->adatMappa(), "SELECT COUNT(*) FROM cassa"), QStringList{"1"});
    }

    // Every entry once, in the order written, the names of type and
    // customer looked up; a type or customer that is gone reads empty.
    void lista()
    {
        const int ugyfel = Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev) VALUES (1, 'Kiss Ödön')")
                               .lastInsertId().toInt();
        tetel("B", QDate(2026, 3, 2), 800, 800, ugyfel, "202603");
        tetel("K", QDate(2026, 3, 1), -300, 500);
        tetel("X", QDate(2026, 3, 2), 100, 600, 9999, "202603");   // no such type, no such customer
        KulcsosLista l(Cassa::ListaLeiras());
        l.betolt();
        QCOMPARE(l.sorok(), 3);
        auto sor = [&](int i) {
            QStringList s;
            for (const char* m : {"datum", "cassatip_nev", "osszeg", "zaro", "ugyfel_nev"})
                s << l.ertek(i, QString::fromLatin1(m)).toString();
            return s.join('|');
        };
        QCOMPARE(sor(0), QString("2026-03-02|Kölcsönzési díj|800|800|Kiss Ödön"));
        QCOMPARE(sor(1), QString("2026-03-01|Kiadás|-300|500|"));
        QCOMPARE(sor(2), QString("2026-03-02||100|600|"));
        QCOMPARE(l.ertek(0, "datum").typeId(), QMetaType::QDate);

        l.szures(Cassa::NapFeltetel(), Cassa::NapParam(QDate(2026, 3, 2)));
        l.betolt();
        QCOMPARE(l.sorok(), 2);
        QCOMPARE(sor(1), QString("2026-03-02||100|600|"));
        QVERIFY2(LekerdezesiTerv("SELECT cassa.cassa FROM cassa cassa WHERE (" + Cassa::NapFeltetel()
                                 + ") ORDER BY cassa.cassa")
                     .contains("cassa_datum"),
                 "a napi szűrés a dátum indexén");
        l.szures(Cassa::NapFeltetel(), Cassa::NapParam(QDate(2026, 3, 5)));
        l.betolt();
        QCOMPARE(l.sorok(), 0);

        // The printed list reads the same rows.
        QSqlQuery q = Adatbazis::vegrehajt(Cassa::ListaSql(true), Cassa::NapParam(QDate(2026, 3, 1)));
        QVERIFY(q.next());
        QCOMPARE(q.value("zaro").toDouble(), 500.0);
        QVERIFY(!q.next());
        q = Adatbazis::vegrehajt(Cassa::ListaSql(false));
        int n = 0;
        while (q.next()) ++n;
        QCOMPARE(n, 3);
    }

    // The month keys are those a DISTINCT query gives, in its order: each
    // once, ascending, the empty key of the hand-typed entries first.
    void honapKulcsok_data()
    {
        QTest::addColumn<QStringList>("idoszakok");   // of the entries, in the order written; "-" none
        QTest::addColumn<QStringList>("vart");
        QTest::newRow("üres pénztár") << QStringList{} << QStringList{};
        QTest::newRow("három hónap")
            << QStringList{"202603", "202601", "202602", "202601", "202603", "202603"}
            << QStringList{"202601", "202602", "202603"};
        QTest::newRow("kézi tételekkel")
            << QStringList{"-", "202512", "-", "202601"} << QStringList{"", "202512", "202601"};
        QTest::newRow("csak kézi") << QStringList{"-", "-"} << QStringList{""};
        QTest::newRow("egy hónap") << QStringList{"202603"} << QStringList{"202603"};
    }
    void honapKulcsok()
    {
        QFETCH(QStringList, idoszakok);
        QFETCH(QStringList, vart);
        double penzvan = 0;
        for (const QString& i : idoszakok) {
            penzvan += 100;
            tetel("B", Ma(), 100, penzvan, i == "-" ? QVariant() : QVariant(1), i == "-" ? QVariant() : QVariant(i));
        }
        const QStringList kulcsok = Cassa::HonapKulcsok();
        QCOMPARE(kulcsok, vart);
        QStringList distinct;
        QSqlQuery q = Adatbazis::vegrehajt("SELECT DISTINCT idoszak FROM cassa ORDER BY 1;");
        while (q.next()) distinct << q.value(0).toString();
        QCOMPARE(kulcsok, distinct);
    }

    // Each hop is one probe of the month-key index, not a scan of the book.
    void honapKulcsokIndexen()
    {
        const QString lepes = LekerdezesiTerv("SELECT MIN(idoszak) FROM cassa WHERE idoszak > '202601'");
        QVERIFY2(lepes.contains("cassa_idoszak") && !lepes.contains("SCAN cassa"), qPrintable(lepes));
        const QString ures = LekerdezesiTerv("SELECT 1 FROM cassa WHERE idoszak IS NULL LIMIT 1");
        QVERIFY2(ures.contains("cassa_idoszak"), qPrintable(ures));
    }

    // A database of the previous schema version gets the month-key index when opened.
    void regiAdatbazisKapIndexet()
    {
        m_t.reset();
        m_t = std::make_unique<MagTelepites>();
        kivulrol(m_t->adatMappa(), {"DROP INDEX cassa_idoszak", "PRAGMA user_version = 1"});
        m_t->nyit();
        QCOMPARE(Adatbazis::ertek("PRAGMA user_version").toInt(), Sema::Verzio);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = 'cassa_idoszak'")
                     .toInt(),
                 1);
    }

    void idoszakJavaslat_data()
    {
        QTest::addColumn<QDate>("ma");
        QTest::addColumn<QDate>("tol");
        QTest::newRow("május 31.") << QDate(2026, 5, 31) << QDate(2026, 2, 28);
        QTest::newRow("május 31., szökőév") << QDate(2024, 5, 31) << QDate(2024, 2, 29);
        QTest::newRow("március 15.") << QDate(2026, 3, 15) << QDate(2025, 12, 15);
        QTest::newRow("január 1.") << QDate(2026, 1, 1) << QDate(2025, 10, 1);
    }
    void idoszakJavaslat()
    {
        QFETCH(QDate, ma);
        QFETCH(QDate, tol);
        const auto [elso, utolso] = Cassa::IdoszakJavaslat(ma);
        QCOMPARE(elso, tol);
        QCOMPARE(utolso, ma);
    }
};

QTEST_GUILESS_MAIN(TstCassa)
#include "tst_cassa.moc"
