// The schema on a private PostgreSQL server: every table and field of the
// embedded file, the same named checks refusing the same values with the
// same Hungarian sentences, and the Hungarian order: names sort, and the
// quick search's ranges find, exactly as on the embedded file.
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/pgsema.h"
#include "core/data/sema.h"
#include "tests/core/pgszerver.h"
#include "tests/core/tesztmag.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

namespace {

const char* const Pg = "tst_pg";

QSqlDatabase pg() { return QSqlDatabase::database(QString::fromLatin1(Pg)); }

QString pgHiba(const QString& sql, const QVariantList& param = {})
{
    QSqlQuery q(pg());
    // The server prepares no DDL: a statement without values runs as it is.
    if (param.isEmpty()) return q.exec(sql) ? QString() : q.lastError().databaseText();
    q.prepare(sql);
    for (const QVariant& v : param) q.addBindValue(v);
    return q.exec() ? QString() : q.lastError().databaseText();
}

QStringList oszlop(QSqlQuery&& q)
{
    QStringList l;
    while (q.next()) l << q.value(0).toString();
    return l;
}

// Hungarian names where the order has something to decide: double letters,
// accents, ö/ü as letters of their own, case, "ssz".
const QStringList Nevek = {
    "Zsolt", "Zoltán", "Csaba", "Cukor", "Czakó", "ábel", "Adam", "Ádám", "adam", "Ödön", "Ozsvát", "Őri", "Oláh",
    "Üveges", "Ujvári", "Ürge", "Kassza", "Kasza", "Kaszás", "Kass Ede", "Gyula", "Gál", "Nyári", "Nagy", "Lyukas",
    "Lukács", "Tyúk", "Tóth", "Dzsida", "Dobos", "Szabó", "Sipos", "Sz", "S", "Éva", "Eszter", "Írisz", "Imre",
    "Úrhegyi", "Ujhelyi", "Öcsi", "ŐSZ", "Ösz", "dzsungel", "Dzurják", "Mészáros", "Meszes", "1. Kft.", "Zétény",
};

} // namespace

class TstPgSema : public QObject {
    Q_OBJECT
    std::unique_ptr<PgSzerver> m_szerver;

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        m_szerver = std::make_unique<PgSzerver>();
        QVERIFY2(m_szerver->fut(), qPrintable(m_szerver->hiba()));
        QVERIFY2(m_szerver->adatbazis("bolt"), qPrintable(m_szerver->hiba()));
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QString::fromLatin1(Pg));
        // The libpq connection string as the settings file gives it.
        d.setConnectOptions(m_szerver->kapcsolat("bolt"));
        QVERIFY2(d.open(), qPrintable(d.lastError().text()));
        for (const QString& u : PgSema::letrehoz()) {
            const QString hiba = pgHiba(u);
            QVERIFY2(hiba.isEmpty(), qPrintable(u + ": " + hiba));
        }
    }
    void cleanupTestCase()
    {
        QSqlDatabase::database(QString::fromLatin1(Pg)).close();
        QSqlDatabase::removeDatabase(QString::fromLatin1(Pg));
        m_szerver.reset();
    }

    // Every table and field of the schema, and the version.
    void tablakEsMezok()
    {
        for (const Sema::Tabla& t : Sema::tablak()) {
            QSqlQuery q(pg());
            QVERIFY(q.exec(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_name = '%1'").arg(t.nev)));
            const QStringList van = oszlop(std::move(q));
            // Unquoted names fold to lower case on the server ("Id" is id); the program's SQL never quotes them.
            for (const Sema::Mezo& m : t.mezok) QVERIFY2(van.contains(m.nev.toLower()), qPrintable(t.nev + "." + m.nev));
            QCOMPARE(van.size(), int(t.mezok.size()));
        }
        QSqlQuery q(pg());
        QVERIFY(q.exec(QStringLiteral("SELECT ertek FROM rendszer WHERE nev = 'sema_verzio'")) && q.next());
        QCOMPARE(q.value(0).toInt(), Sema::Verzio);
    }

    // The named checks refuse what the embedded file refuses, in the same words.
    void ellenorzesek_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("ertek");
        QTest::addColumn<QString>("uzenet");   // empty: accepted
        const QString nev = "INSERT INTO video (video_nev) VALUES (?)";
        QTest::newRow("szoveg a hataron") << nev << QVariant(QString(100, u'ő')) << "";
        QTest::newRow("szoveg tul hosszu") << nev << QVariant(QString(101, u'a')) << "a(z) video_nev mező legfeljebb 100 karakter lehet";
        const QString egesz = "INSERT INTO video (kolcsid) VALUES (?)";
        QTest::newRow("egesz a hataron") << egesz << QVariant(qint64(2147483647)) << "";
        QTest::newRow("egesz tul nagy") << egesz << QVariant(qint64(2147483648)) << "a(z) kolcsid mező egész számot vár";
        const QString datum = "INSERT INTO video (dat_kiadva) VALUES (?)";
        QTest::newRow("datum") << datum << QVariant("2026-12-11") << "";
        QTest::newRow("datum rossz alak") << datum << QVariant("2026-1-1") << "a(z) dat_kiadva mező dátumot vár";
        const QString ido = "INSERT INTO video (ido_kiadva) VALUES (?)";
        QTest::newRow("ido") << ido << QVariant("23:59:59") << "";
        QTest::newRow("ido rossz alak") << ido << QVariant("9:05") << "a(z) ido_kiadva mező időpontot vár";
        const QString valos = "INSERT INTO video (ar) VALUES (?::double precision)";
        QTest::newRow("valos") << valos << QVariant("1900.25") << "";
        QTest::newRow("valos vegtelen") << valos << QVariant("Infinity") << "a(z) ar mező számot vár";
        QTest::newRow("valos NaN") << valos << QVariant("NaN") << "a(z) ar mező számot vár";
    }
    void ellenorzesek()
    {
        QFETCH(QString, sql);
        QFETCH(QVariant, ertek);
        QFETCH(QString, uzenet);
        const QString hiba = pgHiba(sql, {ertek});
        QVERIFY(pgHiba("DELETE FROM video").isEmpty());
        if (uzenet.isEmpty()) QVERIFY2(hiba.isEmpty(), qPrintable(hiba));
        else QVERIFY2(hiba.contains(uzenet), qPrintable(hiba));
    }

    // The same names in the same order on both engines, and the quick
    // search's ranges finding the same names.
    void magyarRend()
    {
        MagTelepites t;
        t.nyit();
        for (const QString& n : Nevek) {
            Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel_nev, torolve) VALUES (?, 'N')", {n});
            QVERIFY(pgHiba("INSERT INTO ugyfel (ugyfel_nev, torolve) VALUES (?, 'N')", {n}).isEmpty());
        }
        // Equal in the order (letter case only): the key decides, on both.
        const QString rend = "SELECT ugyfel_nev FROM ugyfel ORDER BY ugyfel_nev COLLATE HU, ugyfel";
        const QStringList beagyazott = oszlop(Adatbazis::vegrehajt(rend));
        QSqlQuery q(pg());
        QVERIFY(q.exec(rend));
        QCOMPARE(oszlop(std::move(q)), beagyazott);

        for (const char* eleje : {"Cs", "C", "Sz", "S", "Kass", "Kasz", "ö", "Ő", "ü", "dzs", "Dz", "gy", "a", "Á", "1"}) {
            QStringList vart, kapott;
            for (const HuFold::Tartomany& r : HuFold::kezdoTartomanyok(QString::fromUtf8(eleje))) {
                const QString tartomany = "SELECT ugyfel_nev FROM ugyfel WHERE ugyfel_nev >= ? COLLATE HU AND "
                                          "ugyfel_nev < ? COLLATE HU ORDER BY ugyfel_nev COLLATE HU, ugyfel";
                vart << oszlop(Adatbazis::vegrehajt(tartomany, {r.also, r.felso}));
                QSqlQuery p(pg());
                p.prepare(tartomany);
                p.addBindValue(r.also);
                p.addBindValue(r.felso);
                QVERIFY(p.exec());
                kapott << oszlop(std::move(p));
            }
            QVERIFY2(!vart.isEmpty(), qPrintable(eleje));
            QCOMPARE(kapott, vart);
        }
    }
};

QTEST_GUILESS_MAIN(TstPgSema)
#include "tst_pg_sema.moc"
