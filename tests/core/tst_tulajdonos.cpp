// The shop's own details: how a new installation gets them (none, the
// sample's, a scripted file) and the file's reading.
#include "core/admin/telepites.h"
#include "core/admin/tulajdonos.h"
#include "core/data/adatbazis.h"
#include "tests/core/tesztmag.h"
#include "tests/core/tesztfajl.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstTulajdonos : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { TesztKornyezet(); }

    // A real shop starts without details (asked at its first start), the
    // sample shop with its invented owner, a scripted install with its file's.
    void telepites_data()
    {
        QTest::addColumn<bool>("minta");
        QTest::addColumn<bool>("adott");
        QTest::addColumn<QString>("vart");
        QTest::newRow("új üzlet") << false << false << "||";
        QTest::newRow("mintabolt") << true << false << "Mozimánia Videotéka|1071|Budapest";
        QTest::newRow("fájlból") << false << true << "Őrségi Videó Bt.|9941|Őriszentpéter";
    }
    void telepites()
    {
        QFETCH(bool, minta);
        QFETCH(bool, adott);
        QFETCH(QString, vart);
        QTemporaryDir d;
        TulajdonosAdat sajat;
        sajat.tulajdonos = "Őrségi Videó Bt.";
        sajat.irsz = "9941";
        sajat.varos = "Őriszentpéter";
        QString hiba;
        QVERIFY2(Telepites::telepit(d.path(), minta, &hiba, adott ? &sajat : nullptr), qPrintable(hiba));
        QCOMPARE(Lemezen(d.path() + "/Data", "SELECT tulajdonos, irsz, varos FROM tulajdonos"), QStringList{vart});
        QVERIFY(Adatbazis::nyit(d.path() + "/Data", &hiba));
        QCOMPARE(Tulajdonos::kitoltetlen(), !minta && !adott);
        Adatbazis::zar();
    }

    // Stored with every field, over the existing row (never a second one);
    // a missing row is made; a refused one changes nothing.
    void ment()
    {
        MagTelepites t;
        t.nyit();
        TulajdonosAdat a{"Kazetta Kuckó", "7621", "Pécs", "Király utca 1.", "06-72-111-222", "", "", "1234567812",
                         "11700000"};
        Tulajdonos::ment(a);
        QCOMPARE(Tulajdonos::olvas(), a);
        QCOMPARE(Lemezen(t.adatMappa(), "SELECT COUNT(*) FROM tulajdonos"), QStringList{"1"});
        Adatbazis::vegrehajt("DELETE FROM tulajdonos");
        QVERIFY(Tulajdonos::kitoltetlen());
        Tulajdonos::ment(a);
        QCOMPARE(Tulajdonos::olvas(), a);
        TulajdonosAdat rossz = a;
        rossz.adoszam = "123456789012";   // one past the column
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Tulajdonos::ment(rossz));
        rossz = a;
        rossz.tulajdonos = "  ";
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Tulajdonos::ment(rossz));
        QCOMPARE(Tulajdonos::olvas(), a);
    }

    void fajlbol_data()
    {
        QTest::addColumn<QByteArray>("tartalom");
        QTest::addColumn<QString>("vartNev");     // empty: refused
        QTest::addColumn<QString>("vartHiba");    // a part of the message
        QTest::newRow("rendes, CRLF, BOM, megjegyzés")
            << QByteArray("\xEF\xBB\xBF# az üzlet\r\ntulajdonos = Kazetta Kuckó\r\n\r\nvaros=Pécs\r\nadoszam=12345678142\r\n")
            << "Kazetta Kuckó" << "";
        QTest::newRow("ismeretlen mező") << QByteArray("tulajdonos=X\nnev=Y\n") << "" << "2. sor: ismeretlen mező: „nev”";
        QTest::newRow("nincs egyenlőségjel") << QByteArray("tulajdonos=X\n\nvaros Pécs\n") << "" << "3. sor: hiányzik";
        QTest::newRow("túl hosszú") << QByteArray("tulajdonos=X\nirsz=123456\n") << ""
                                     << "2. sor: a(z) „irsz” legfeljebb 5 karakter";
        QTest::newRow("nincs név") << QByteArray("varos=Pécs\n") << "" << "Az üzlet nevét meg kell adni.";
        QTest::newRow("nem UTF-8") << QByteArray("tulajdonos=P\xE9\x63s\n") << "" << "nem UTF-8";
    }
    void fajlbol()
    {
        QFETCH(QByteArray, tartalom);
        QFETCH(QString, vartNev);
        QFETCH(QString, vartHiba);
        TulajdonosAdat a;
        QString hiba;
        const bool ok = Tulajdonos::fajlbol(FajlIr(m_dir.filePath("uzlet.txt"), tartalom), &a, &hiba);
        QCOMPARE(ok, !vartNev.isEmpty());
        if (ok) {
            QCOMPARE(a.tulajdonos, vartNev);
            QCOMPARE(a.varos, QString("Pécs"));
            QCOMPARE(a.adoszam, QString("12345678142"));
        } else {
            QVERIFY2(hiba.contains(vartHiba), qPrintable(hiba));
        }
    }
};

QTEST_GUILESS_MAIN(TstTulajdonos)
#include "tst_tulajdonos.moc"
