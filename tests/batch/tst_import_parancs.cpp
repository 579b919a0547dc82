// The command line's --import as a whole process on a fresh set-up: the
// items of the file are stored and counted on standard output; a refused
// line ends with a non-zero exit, its number and reason on standard error,
// and nothing stored; no display needed.
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "tests/core/tesztmag.h"
#include "tests/batch/tesztparancs.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstImportParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString mappa() const { return m_dir.filePath("telepites"); }

    QString fajl(const QString& nev, const QByteArray& bajtok)
    {
        const QString ut = m_dir.filePath(nev);
        QFile f(ut);
        if (!f.open(QIODevice::WriteOnly) || f.write(bajtok) != bajtok.size()) qFatal("cannot write %s", qPrintable(ut));
        return ut;
    }

    // The imported items (code above 9000) as "code|title|price", by key.
    QStringList tetelek()
    {
        QStringList l;
        QString hiba;
        if (!Adatbazis::nyit(mappa() + "/Data", &hiba, Adatbazis::Nyitas::Mellette)) qFatal("%s", qPrintable(hiba));
        QSqlQuery q = Adatbazis::vegrehajt(
            "SELECT azon, video_nev, beszar, dat_besz, kint FROM video WHERE azon > 9000 ORDER BY video");
        while (q.next())
            l << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                             q.value(3).toString(), q.value(4).toString()}
                     .join('|');
        q = QSqlQuery();
        Adatbazis::zar();
        return l;
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        const ParancsFutas f = KazettoraFeladat({"--program-dir", mappa(), "--setup", "--sample"});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
    }

    // A Windows-1250 file with CR LF line ends, then a UTF-8 one: both
    // stored with their accents, the count on standard output.
    void importal()
    {
        const QString cp = fajl("cp1250.csv", "k\xF3" "d;tipus;arkat;c\xEDm;sz\xF6veg;mufaj;beszar;\r\n"
                                              "9001;1;1;\xC1rv\xEDzt\xFBr\xF5;;4;2 000,5;\r\n"
                                              "9002;2;3;T\xFCk\xF6rf\xFAr\xF3g\xE9p\r\n");
        ParancsFutas f = KazettoraFeladat({"--program-dir", mappa(), "--import", cp});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QCOMPARE(f.ki, QString("2 tétel importálva (Windows-1250)\n"));
        const QString ma = QDate::currentDate().toString(Qt::ISODate);
        QStringList vart{"9001|Árvíztűrő|2000.5|" + ma + "|N", "9002|Tükörfúrógép|0|" + ma + "|N"};
        QCOMPARE(tetelek(), vart);

        const QString utf8 = fajl("utf8.csv", QStringLiteral("kód;tipus;arkat;cím;szöveg;mufaj;beszar;\n"
                                                             "9003;1;1;Hófehérke és a hét törpe;;4;1500.5\n")
                                                  .toUtf8());
        f = KazettoraFeladat({"--program-dir", mappa(), "--import", utf8});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QCOMPARE(f.ki, QString("1 tétel importálva (UTF-8)\n"));
        vart << "9003|Hófehérke és a hét törpe|1500.5|" + ma + "|N";
        QCOMPARE(tetelek(), vart);
    }

    void hibak_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("elutasított sor")
            << QStringList{"--import", "hibas.csv"}
            << "A(z) 3. sort az adatbázis nem fogadta el: a(z) video_nev mező legfeljebb 100 karakter lehet";
        QTest::newRow("nincs fájl") << QStringList{"--import", "nincs.csv"} << "A fájl nem olvasható";
        QTest::newRow("két fájl") << QStringList{"--import", "hibas.csv", "masik.csv"} << "egyetlen fájl";
        // Endless input is refused at once, not read until memory runs out.
        QTest::newRow("/dev/zero") << QStringList{"--import", "/dev/zero"} << "Nem közönséges fájl";
    }
    void hibak()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, uzenet);
        fajl("hibas.csv", QStringLiteral("fejléc\n9101;1;1;Jó;;1;\n9102;1;1;%1;;1;\n9103;1;1;Jó;;1;\n")
                              .arg(QString(101, 'x'))
                              .toUtf8());
        for (QString& a : args)
            if (a.endsWith(".csv")) a = m_dir.filePath(a);
        const QStringList elotte = tetelek();
        const ParancsFutas f = KazettoraFeladat(QStringList{"--program-dir", mappa()} + args);
        QVERIFY(f.kod != 0);
        QVERIFY2(f.hiba.contains(uzenet), qPrintable(f.hiba));
        QCOMPARE(f.ki, QString());
        QCOMPARE(tetelek(), elotte);
    }

    void sugo()
    {
        const ParancsFutas f = KazettoraFeladat({"--help"});
        QCOMPARE(f.kod, 0);
        QVERIFY2(f.ki.contains("--import <FÁJL>"), qPrintable(f.ki));
    }
};

QTEST_GUILESS_MAIN(TstImportParancs)
#include "tst_import_parancs.moc"
