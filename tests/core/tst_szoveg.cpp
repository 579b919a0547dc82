// Text helpers, number reading and the Hungarian-aware folding.
#include "core/common/szoveg.h"
#include "core/data/hufold.h"
#include "core/data/konverzio.h"
#include "tests/core/tesztmag.h"

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

    void magyarKisNagybetu()
    {
        QCOMPARE(HuFold::nagybetu("őrült űrhajós"), QString("ŐRÜLT ŰRHAJÓS"));
        QVERIFY(HuFold::kezdodik("Őrült nők ketrece", "őr"));
        QVERIFY(!HuFold::kezdodik("Orgyilkos", "őr"));
    }

    // The Hungarian alphabetical order: accents only break ties (a/á alike
    // first), ö and ü letters of their own, double letters single letters,
    // case ignored. Each pair is in order.
    void magyarAbcRend_data()
    {
        QTest::addColumn<QString>("elobb");
        QTest::addColumn<QString>("utobb");
        QTest::newRow("Á=A, b<n") << "Ábrándos" << "Animáció";
        QTest::newRow("Á=A, e<o") << "Ábel" << "Abonyi";
        QTest::newRow("á=a, i<o") << "Bálint Júlia" << "Balog Péter";
        QTest::newRow("c<cs") << "Cukor" << "Csaba";
        QTest::newRow("o<ö") << "Oszkár" << "Ödön";
        QTest::newRow("g<gy") << "Gulyás" << "Győr";
        QTest::newRow("z<zs") << "Zoltán" << "Zsolt";
        QTest::newRow("u<ü") << "Uzsonna" << "Ütő";
        QTest::newRow("É=E, n<z") << "Ének" << "Ezer";
        QTest::newRow("l<ly") << "Lukács" << "Lyukas";
        QTest::newRow("n<ny") << "Nuku" << "Nyúl";
        QTest::newRow("s<sz") << "Sütő" << "Szabó";
        QTest::newRow("t<ty") << "Tüske" << "Tyúk";
        QTest::newRow("d<dz<dzs") << "Dzurik" << "Dzsungel";
        QTest::newRow("ssz: sz+sz") << "Kasza" << "Kassza";
        QTest::newRow("ö=ő, d<r") << "Ördög" << "Őrült";
        QTest::newRow("ű=ü, r<v") << "Űrhajó" << "Üveg";
        QTest::newRow("egyenlőben az ékezet dönt") << "Kar" << "Kár";
        QTest::newRow("szám a betű előtt") << "4K" << "Aba";
    }
    void magyarAbcRend()
    {
        QFETCH(QString, elobb);
        QFETCH(QString, utobb);
        QVERIFY(HuFold::osszehasonlit(elobb, utobb) < 0);
        QVERIFY(HuFold::osszehasonlit(utobb, elobb) > 0);
        // The same on UTF-8, as the database compares.
        const QByteArray a = elobb.toUtf8(), b = utobb.toUtf8();
        QVERIFY(HuFold::osszehasonlit(a.constData(), int(a.size()), b.constData(), int(b.size())) < 0);
        // Letter case does not matter.
        QVERIFY(HuFold::osszehasonlit(elobb.toUpper(), utobb.toLower()) < 0);
        QCOMPARE(HuFold::osszehasonlit(elobb.toUpper(), elobb.toLower()), 0);
    }

    // What a quick search by the beginning finds: the texts that begin
    // with the typed one in that order, however the double letters fall.
    void kezdetARendben_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("eleje");
        QTest::addColumn<bool>("vart");
        QTest::newRow("kis-nagy") << "Szabó Éva" << "SZA" << true;
        QTest::newRow("á mint a") << "Ábel" << "ab" << true;
        QTest::newRow("a mint á") << "Abonyi" << "áb" << true;
        QTest::newRow("ü nem u") << "Szűcs Ödön" << "szu" << false;
        QTest::newRow("ö nem o") << "Oláh Ede" << "ö" << false;
        QTest::newRow("ő mint ö") << "Ördög Ödön" << "ő" << true;
        QTest::newRow("c-vel kezdődik a cs is") << "Csaba" << "c" << true;
        QTest::newRow("cs-sel nem a c") << "Cukor" << "cs" << false;
        QTest::newRow("z-vel a zs is") << "Zsolt" << "z" << true;
        QTest::newRow("dz-vel a dzs is") << "Dzsungel" << "Dz" << true;
        QTest::newRow("kass: kassza") << "Kassza" << "Kass" << true;
        QTest::newRow("kass: nem kasza") << "Kasza" << "Kass" << false;
        QTest::newRow("kass: nem kastély") << "Kastély" << "Kass" << false;
        QTest::newRow("hoss: hosszú") << "Hosszú út" << "hoss" << true;
        QTest::newRow("hosszabb a szövegnél") << "Kis" << "Kiss" << false;
        QTest::newRow("teljes") << "Kis Ödön" << "KIS ÖDÖN" << true;
        QTest::newRow("idézőjel") << "O'Brien" << "o'" << true;
        QTest::newRow("százalék betű szerint") << "100% Kft" << "100%" << true;
        QTest::newRow("százalék nem minta") << "100 Kft" << "1%" << false;
    }
    void kezdetARendben()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, eleje);
        QFETCH(bool, vart);
        QCOMPARE(HuFold::rendKezdodik(szoveg, eleje), vart);
        const QList<HuFold::Tartomany> t = HuFold::kezdoTartomanyok(eleje);
        QVERIFY(!t.isEmpty());
        QCOMPARE(t.first().also, eleje);   // the nearest is never before the typed text
        for (int i = 0; i + 1 < t.size(); ++i)   // disjoint, in order
            QVERIFY(HuFold::osszehasonlit(t.at(i).felso, t.at(i + 1).also) < 0);
    }

    // A text that cannot run into a double letter is one probe.
    void kezdoTartomanyEgy()
    {
        for (const char* e : {"Ab", "Sz", "Kovácsné", "ő", "4"})
            QCOMPARE(HuFold::kezdoTartomanyok(QString::fromUtf8(e)).size(), 1);
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
        QTest::newRow("ket bajtos betu a szoveg vegen") << "%Ű" << "tű" << true;
        QTest::newRow("negy bajtos jel egy betu") << "a_b" << "a😀b" << true;
        QTest::newRow("aposztrof") << "%O'B%" << "Mr. o'brien" << true;
        QTest::newRow("rovidebb szoveg") << "%abc%" << "ab" << false;
    }
    void like()
    {
        QFETCH(QString, minta);
        QFETCH(QString, szoveg);
        QFETCH(bool, vart);
        QCOMPARE(HuFold::like(minta, szoveg), vart);
        // The pattern kept for a scan, the text read from its UTF-8 bytes:
        // the same answer.
        const HuFold::LikeMinta m(minta);
        const QByteArray u = szoveg.toUtf8();
        QCOMPARE(m.illik(u.constData(), u.size()), vart);
        QCOMPARE(m.illik(u.constData(), u.size()), vart);   // once more, with its buffer used
    }
};

QTEST_GUILESS_MAIN(TstSzoveg)
#include "tst_szoveg.moc"
