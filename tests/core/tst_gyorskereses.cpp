// The quick-search rule: what a typed text asks for in code and name mode.
#include "core/common/gyorskereses.h"

#include <QtTest>

using GyorsKereses::Kerdes;
using GyorsKereses::Mod;

Q_DECLARE_METATYPE(Kerdes::Tipus)
Q_DECLARE_METATYPE(Mod)

class TstGyorsKereses : public QObject {
    Q_OBJECT
private slots:
    void ertelmez_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<Mod>("mod");
        QTest::addColumn<Kerdes::Tipus>("tipus");
        QTest::addColumn<int>("kod");
        QTest::addColumn<QString>("eleje");
        const auto K = Mod::Kod, N = Mod::Nev;
        const auto semmi = Kerdes::Tipus::Semmi, kod = Kerdes::Tipus::Kod, nev = Kerdes::Tipus::Nev;
        QTest::newRow("kod: ures") << "" << K << semmi << 0 << "";
        QTest::newRow("nev: ures") << "" << N << semmi << 0 << "";
        QTest::newRow("kod: szokozok") << "   " << K << semmi << 0 << "";
        QTest::newRow("nev: szokozok") << "  \t" << N << semmi << 0 << "";
        QTest::newRow("kod: szamjegyek") << "42" << K << kod << 42 << "";
        QTest::newRow("kod: nulla") << "0" << K << kod << 0 << "";
        QTest::newRow("kod: vezeto nullak") << "0007" << K << kod << 7 << "";
        QTest::newRow("kod: sok vezeto nulla") << "000000000000042" << K << kod << 42 << "";
        QTest::newRow("kod: szokoz korulotte") << " 12 " << K << kod << 12 << "";
        QTest::newRow("kod: legnagyobb") << "2147483647" << K << kod << 2147483647 << "";
        QTest::newRow("kod: 32 biten tul") << "2147483648" << K << semmi << 0 << "";
        QTest::newRow("kod: tizenegy jegy") << "99999999999" << K << semmi << 0 << "";
        QTest::newRow("kod: nagyon hosszu") << QString(40, u'9') << K << semmi << 0 << "";
        QTest::newRow("kod: belso szokoz") << "1 2" << K << semmi << 0 << "";
        QTest::newRow("kod: betu") << "12a" << K << semmi << 0 << "";
        QTest::newRow("kod: elojel") << "-5" << K << semmi << 0 << "";
        QTest::newRow("kod: plusz") << "+5" << K << semmi << 0 << "";
        QTest::newRow("kod: arab-indiai szamjegy") << QString::fromUtf8("٤٢") << K << semmi << 0 << "";
        QTest::newRow("kod: ekezetes betu") << QString::fromUtf8("Ő") << K << semmi << 0 << "";
        // Item code mode: a scanned EAN-8 label, its check digit verified and dropped.
        const auto T = Mod::TetelKod;
        const auto hibas = Kerdes::Tipus::HibasVonalkod;
        QTest::newRow("tetel: beolvasott cimke") << "00000017" << T << kod << 1 << "";
        QTest::newRow("tetel: het jegy a cimken") << "12345670" << T << kod << 1234567 << "";
        QTest::newRow("tetel: rossz ellenorzo jegy") << "00000018" << T << hibas << 0 << "";
        QTest::newRow("tetel: hetjegyu gepelt kod") << "1234567" << T << kod << 1234567 << "";
        QTest::newRow("tetel: rovid gepelt kod") << "0017" << T << kod << 17 << "";
        QTest::newRow("tetel: kilenc jegy kodnak") << "123456789" << T << kod << 123456789 << "";
        QTest::newRow("kod: nyolc jegy egyben") << "00000017" << K << kod << 17 << "";
        // Customer cards: EAN-13 "29" + ten digits of the code; each label in the other kind's field.
        const auto U = Mod::UgyfelKod;
        const auto kartya = Kerdes::Tipus::UgyfelKartya, cimke = Kerdes::Tipus::TetelCimke;
        QTest::newRow("ugyfel: kartya") << "2900000000018" << U << kod << 1 << "";
        QTest::newRow("ugyfel: legnagyobb kartya") << "2921474836477" << U << kod << 2147483647 << "";
        QTest::newRow("ugyfel: kartya 32 biten tul") << "2999999999991" << U << hibas << 0 << "";
        QTest::newRow("ugyfel: kartya rossz jegy") << "2900000000019" << U << hibas << 0 << "";
        QTest::newRow("ugyfel: gepelt kod") << "42" << U << kod << 42 << "";
        QTest::newRow("ugyfel: tizjegyu gepelt kod") << "2147483647" << U << kod << 2147483647 << "";
        QTest::newRow("ugyfel: tetel cimkeje") << "00000017" << U << cimke << 1 << "";
        QTest::newRow("ugyfel: rossz tetel cimke") << "00000018" << U << hibas << 0 << "";
        QTest::newRow("tetel: ugyfel kartyaja") << "2900000000421" << T << kartya << 42 << "";
        QTest::newRow("tetel: 13 jegy nem 29-cel") << "4006381333931" << T << semmi << 0 << "";
        QTest::newRow("nev: szamjegyek nevnek") << "007" << N << nev << 0 << "007";
        QTest::newRow("nev: ekezetek, kis-nagybetu marad") << QString::fromUtf8("őRü") << N << nev << 0
                                                           << QString::fromUtf8("őRü");
        QTest::newRow("nev: zaro szokoz marad") << "Star " << N << nev << 0 << "Star ";
        QTest::newRow("nev: vezeto szokoz marad") << " a" << N << nev << 0 << " a";
        QTest::newRow("nev: joker karakterek") << "50%_'" << N << nev << 0 << "50%_'";
    }
    void ertelmez()
    {
        QFETCH(QString, szoveg);
        QFETCH(Mod, mod);
        QFETCH(Kerdes::Tipus, tipus);
        QFETCH(int, kod);
        QFETCH(QString, eleje);
        const Kerdes k = GyorsKereses::Ertelmez(szoveg, mod);
        QCOMPARE(k.tipus, tipus);
        if (tipus == Kerdes::Tipus::Kod || tipus == Kerdes::Tipus::UgyfelKartya || tipus == Kerdes::Tipus::TetelCimke)
            QCOMPARE(k.kod, kod);
        if (tipus == Kerdes::Tipus::Nev) QCOMPARE(k.eleje, eleje);
    }

    // A printed card reads back as its customer, over the whole code range.
    void kartyaSzamVisszaolvas()
    {
        for (qint64 azon : {qint64(0), qint64(1), qint64(99999), qint64(1234567890), qint64(2147483647)}) {
            const QString szam = GyorsKereses::UgyfelKartyaSzam(azon);
            QCOMPARE(szam.size(), 13);
            const GyorsKereses::Cimke c = GyorsKereses::CimkeOlvas(szam);
            QCOMPARE(c.fajta, GyorsKereses::Cimke::Fajta::Ugyfel);
            QCOMPARE(c.kod, int(azon));
        }
        QVERIFY(GyorsKereses::UgyfelKartyaSzam(-1).isEmpty());
        QVERIFY(GyorsKereses::UgyfelKartyaSzam(qint64(2147483648)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstGyorsKereses)
#include "tst_gyorskereses.moc"
