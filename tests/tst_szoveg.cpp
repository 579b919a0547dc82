// Text helpers, number reading and the Hungarian-aware folding.
#include "common/szoveg.h"
#include "data/hufold.h"
#include "data/konverzio.h"
#include "tesztsegito.h"

#include <QtTest>

class TstSzoveg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    void mezoKiemel_data()
    {
        QTest::addColumn<QString>("sor");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("vart");
        QTest::newRow("ures kozep") << "a;;c" << 2 << "";
        QTest::newRow("harmadik") << "a;;c" << 3 << "c";
        QTest::newRow("tul a vegen") << "a;;c" << 4 << "";
        QTest::newRow("elso") << "a;;c" << 1 << "a";
        QTest::newRow("nulla") << "a;b" << 0 << "";
    }
    void mezoKiemel()
    {
        QFETCH(QString, sor);
        QFETCH(int, n);
        QFETCH(QString, vart);
        QCOMPARE(MezoKiemel(';', sor, n), vart);
    }

    void szamok_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<double>("valos");
        QTest::addColumn<int>("egesz");
        QTest::newRow("szokozok, vesszo") << "  1 234,5  " << 1234.5 << 0;
        QTest::newRow("pont is tizedes") << "1.5" << 1.5 << 0;
        QTest::newRow("egesz szokozzel") << "1 234 567" << 1234567.0 << 1234567;
        QTest::newRow("ures") << "   " << 0.0 << 0;
        QTest::newRow("szemet") << "12a" << 0.0 << 0;
        QTest::newRow("negativ") << "-42" << -42.0 << -42;
        QTest::newRow("tul nagy egesz") << "99999999999" << 99999999999.0 << 0;
        // What the locale would read as infinity or NaN is no number.
        QTest::newRow("inf") << "inf" << 0.0 << 0;
        QTest::newRow("-inf") << " -INF " << 0.0 << 0;
        QTest::newRow("nan") << "nan" << 0.0 << 0;
        QTest::newRow("tulcsordul") << "1e999" << 0.0 << 0;
    }
    void szamok()
    {
        QFETCH(QString, szoveg);
        QFETCH(double, valos);
        QFETCH(int, egesz);
        QCOMPARE(SzovegValos(szoveg), valos);
        QCOMPARE(SzovegEgesz(szoveg), egesz);
    }

    void szokozNelkulEsCsere()
    {
        QCOMPARE(SzokozNelkul("1 234 567"), QString("1234567"));
        QCOMPARE(KarakterCsere(QVariant(), ',', '.'), QString());
        QCOMPARE(KarakterCsere(QString("1,5;2,5"), ',', '.'), QString("1.5;2.5"));
    }

    void szamIrasOlvasas()
    {
        QCOMPARE(SzamIr(15), QString("15"));
        QCOMPARE(SzamIr(12.5), QString("12,5"));
        QCOMPARE(SzamIr(1234567), QString("1234567"));
        bool ok = false;
        QCOMPARE(SzamOlvas("12 000", &ok), 12000.0);
        QVERIFY(ok);
        SzamOlvas("12.5", &ok);
        QVERIFY(!ok);
        for (const char* nemSzam : {"inf", "-inf", "nan", "NaN", "1e999", "-1e999"}) {
            ok = true;
            QCOMPARE(SzamOlvas(nemSzam, &ok), 0.0);
            QVERIFY2(!ok, nemSzam);
        }
    }

    // Characters counted and cut as the tables count them: code points.
    void karakterek_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<int>("hossz");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("eleje");
        QTest::newRow("ekezetes") << "őrült" << 5 << 2 << "őr";
        QTest::newRow("emoji") << "😀😀😀" << 3 << 2 << "😀😀";
        QTest::newRow("vegyes") << "a😀b" << 3 << 2 << "a😀";
        QTest::newRow("par kozepen nem vag") << "😀" << 1 << 1 << "😀";
        QTest::newRow("rovidebb") << "a😀" << 2 << 5 << "a😀";
    }
    void karakterek()
    {
        QFETCH(QString, szoveg);
        QFETCH(int, hossz);
        QFETCH(int, n);
        QFETCH(QString, eleje);
        QCOMPARE(KarakterSzam(szoveg), qsizetype(hossz));
        QCOMPARE(KarakterEleje(szoveg, n), eleje);
    }

    void magyarBetukSorrendjeEsKisNagy()
    {
        QCOMPARE(HuFold::nagybetu("őrült űrhajós"), QString("ŐRÜLT ŰRHAJÓS"));
        QVERIFY(HuFold::kezdodik("Őrült nők ketrece", "őr"));
        QVERIFY(!HuFold::kezdodik("Orgyilkos", "őr"));
        // Accented vowels right after their base letter, case ignored.
        const QStringList rendben = {"abc", "Ábel", "b", "o", "Óda", "ökör", "Őz", "p", "u", "ÚT", "ül", "űr", "v", "z"};
        for (int i = 0; i + 1 < rendben.size(); ++i)
            QVERIFY2(HuFold::osszehasonlit(rendben[i], rendben[i + 1]) < 0, qPrintable(rendben[i] + " < " + rendben[i + 1]));
        QCOMPARE(HuFold::osszehasonlit("MÁTRIX", "mátrix"), 0);
    }

    void like_data()
    {
        QTest::addColumn<QString>("minta");
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<bool>("vart");
        QTest::newRow("ekezet kis-nagy") << "%ŐRÜLT%" << "Az őrült nők" << true;
        QTest::newRow("alahuzas") << "m_trix" << "MÁTRIX" << true;
        QTest::newRow("nem illeszkedik") << "%xyz%" << "Mátrix" << false;
        QTest::newRow("csak szazalek") << "%" << "" << true;
        QTest::newRow("vissza kell lepni") << "%a%b" << "aaxab" << true;
    }
    void like()
    {
        QFETCH(QString, minta);
        QFETCH(QString, szoveg);
        QFETCH(bool, vart);
        QCOMPARE(HuFold::like(minta, szoveg), vart);
    }
};

QTEST_GUILESS_MAIN(TstSzoveg)
#include "tst_szoveg.moc"
