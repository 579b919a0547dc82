// The keyed list behind every grid: order, filter, key <-> row, values read
// a page at a time with their types, rows gone since the keys were read.
#include "app/videotabla.h"
#include "data/adatbazis.h"
#include "data/kulcslista.h"
#include "tesztmag.h"

#include <QtTest>

class TstKulcslista : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;
private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }

    void ertekekTipussal()
    {
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, tipus, video_nev, dat_kiadva, ido_kiadva, ar, kint, ugyfel) "
                             "VALUES (5, 2, 1, 'Vuk', '2026-03-01', '09:05:00', 450.5, 'I', 77)");
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, tipus, video_nev) VALUES (9, 1, 99, NULL)");
        VideoTabla t;
        t.nyit();
        KulcsosLista& l = t.lista();
        QCOMPARE(l.sorok(), 2);
        QCOMPARE(l.kulcs(0), 9);   // code order
        QCOMPARE(l.ertek(1, "dat_kiadva"), QVariant(QDate(2026, 3, 1)));
        QCOMPARE(l.ertek(1, "ido_kiadva"), QVariant(QTime(9, 5)));
        QCOMPARE(l.ertek(1, "ar"), QVariant(450.5));
        QCOMPARE(l.ertek(1, "azon"), QVariant(2));
        QCOMPARE(l.ertek(1, "tipus_nev"), QVariant(QString("VHS")));
        QVERIFY(l.ertek(1, "ugyfel_nev").isNull());   // a customer that does not exist
        QVERIFY(l.ertek(0, "tipus_nev").isNull());    // a type that does not exist
        QVERIFY(l.ertek(0, "video_nev").isNull());
        QVERIFY(l.ertek(0, "nincs_ilyen").isNull());
        QVERIFY(l.ertek(7, "azon").isNull());
        // A row deleted since the keys were read reads as empty, not as another row.
        Adatbazis::vegrehajt("DELETE FROM video WHERE video = 5");
        l.gyorsitotarUrit();
        QVERIFY(l.ertek(1, "azon").isNull());
        QCOMPARE(l.ertek(0, "azon"), QVariant(1));
    }

    void ritkaKulcsokEsSokLap()
    {
        // Keys far apart, more rows than one page, a filter with a bound value.
        Adatbazis::Tranzakcio tr;
        for (int i = 0; i < 300; ++i)
            Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, kint) VALUES (?, ?, ?, ?)",
                                 {qint64(i) * 1000003 + 7, 300 - i, QString("Cím %1").arg(i), i % 3 ? "N" : "I"});
        tr.jovahagy();
        VideoTabla t;
        t.nyit();
        KulcsosLista& l = t.lista();
        QCOMPARE(l.sorok(), 300);
        for (int s : {0, 63, 64, 150, 299}) {
            QCOMPARE(l.sor(l.kulcs(s)), s);
            QCOMPARE(l.ertek(s, "azon").toInt(), s + 1);
        }
        QCOMPARE(l.sor(12345), -1);
        t.csakKintBeallit(true);
        QCOMPARE(l.sorok(), 100);
        QVERIFY(t.keresKod(300));          // video 7, out
        QVERIFY(!t.keresKod(299));         // in the shop: filtered away
        QCOMPARE(l.elso("v.video_nev = ?", {"Cím 1"}), -1);
        QCOMPARE(l.ertek(l.elso("v.video_nev = ?", {"Cím 3"}), "azon").toInt(), 297);
    }
};

QTEST_GUILESS_MAIN(TstKulcslista)
#include "tst_kulcslista.moc"
