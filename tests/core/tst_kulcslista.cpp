// The keyed list behind every grid: order, filter, key <-> row, values read
// a page at a time with their types, rows gone since the keys were read.
#include "core/app/videotabla.h"
#include "core/cash/cassa.h"
#include "core/data/adatbazis.h"
#include "core/common/listamodell.h"
#include "core/data/kulcslista.h"
#include "tests/core/tesztmag.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>
#include <sqlite3.h>

namespace {

// The statements run while it lives, as the engine receives them.
struct Nyomkoveto {
    QStringList utasitasok;
    Nyomkoveto() { sqlite3_trace_v2(Adatbazis::kezelo(Adatbazis::db()), SQLITE_TRACE_STMT, &figyel, this); }
    ~Nyomkoveto() { sqlite3_trace_v2(Adatbazis::kezelo(Adatbazis::db()), 0, nullptr, nullptr); }
    static int figyel(unsigned, void* ctx, void* p, void*)
    {
        static_cast<Nyomkoveto*>(ctx)->utasitasok << QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(p)));
        return 0;
    }
};

} // namespace

class TstKulcslista : public MagTeszt {
    Q_OBJECT

private slots:

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

    // The title search lands on the nearest title, in the Hungarian order,
    // that begins with the typed text there; with the "only out" filter on,
    // on the nearest listed one. No match: false, the current row stays.
    void cimKereses_data()
    {
        QTest::addColumn<bool>("csakKint");
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<QString>("vart");   // empty: no match
        QTest::newRow("c, nem cs") << false << "c" << "Cukor";
        QTest::newRow("cs") << false << "cs" << "Csaba";
        QTest::newRow("kas: s előbb, mint sz") << false << "kas" << "Kastély";
        QTest::newRow("kasz") << false << "KASZ" << "Kasza";
        QTest::newRow("kass: a kettős sz") << false << "kass" << "Kassza";
        QTest::newRow("á mint a") << false << "á" << "Ábrándos";
        QTest::newRow("an") << false << "an" << "Animáció";
        QTest::newRow("o nem ö") << false << "o" << "Oszkár";
        QTest::newRow("ő mint ö") << false << "ő" << "Ödön";
        QTest::newRow("őr") << false << "őr" << "Őrült nők";
        QTest::newRow("mát: á mint a") << false << "mát" << "Matador";
        QTest::newRow("mátr") << false << "mátr" << "Mátrix";
        QTest::newRow("nincs") << false << "x" << "";
        QTest::newRow("szűrve: kas") << true << "kas" << "Kassza";
        QTest::newRow("szűrve: ma") << true << "ma" << "Mátrix";
        QTest::newRow("szűrve: nincs kint") << true << "c" << "";
    }
    void cimKereses()
    {
        QFETCH(bool, csakKint);
        QFETCH(QString, gepelt);
        QFETCH(QString, vart);
        int azon = 0;
        for (const char* c : {"Kasza", "Kastély", "Kassza", "Cukor", "Csaba", "Ábrándos", "Animáció", "Ödön", "Oszkár",
                              "Őrült nők", "Mátrix", "Matador", "Zsolt"}) {
            const QString cim = QString::fromUtf8(c);
            const bool kint = cim == "Kassza" || cim == "Mátrix" || cim == "Zsolt";
            Adatbazis::vegrehajt("INSERT INTO video (azon, video_nev, kint) VALUES (?, ?, ?)", {++azon, cim, kint ? "I" : "N"});
        }
        VideoTabla t;
        t.nyit();
        t.rendBeallit(VideoTabla::Rend::Cim);
        t.csakKintBeallit(csakKint);
        const int utolso = t.lista().sorok() - 1;
        t.aktualisBeallit(utolso);
        Nyomkoveto nyom;
        QCOMPARE(t.keresCim(gepelt), !vart.isEmpty());
        QCOMPARE(t.ertek("video_nev").toString(), vart.isEmpty() ? t.lista().ertek(utolso, "video_nev").toString() : vart);
        // Each probe is a range look-up in a title index, read in its order.
        const QStringList probak = nyom.utasitasok.filter("video_nev >= ?");
        QVERIFY(!probak.isEmpty());
        for (const QString& u : probak) {
            const QString p = LekerdezesiTerv(u);
            QVERIFY2(p.contains(QRegularExpression("SEARCH v USING (COVERING )?INDEX video_(video|kint)_nev \\(.*video_nev>\\? AND video_nev<\\?\\)")),
                     qPrintable(u + "\n" + p));
            QVERIFY2(!p.contains("TEMP B-TREE"), qPrintable(u + "\n" + p));
        }
    }

    // Keys read in steps: the first rows at once, the rest batch by batch
    // from the event loop, announced as rows added at the end once all are
    // in; pages read meanwhile hold the right rows; in the end the same list
    // as read whole. A search that must see the whole list reads the rest
    // first.
    void lepesenkentBetoltes()
    {
        Adatbazis::Tranzakcio tr;
        for (int i = 0; i < 1000; ++i)
            Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, kint) VALUES (?, ?, ?, ?)",
                                 {qint64(i) * 7 + 3, 5000 - i, QString("Cím %1").arg(i), i % 10 ? "N" : "I"});
        tr.jovahagy();
        const ListaDef def = VideoTabla().lista().def();
        KulcsosLista egeszben(def);
        egeszben.rendezes("v.azon");
        egeszben.szures("v.kint = 'N'");
        egeszben.betolt();
        QCOMPARE(egeszben.sorok(), 900);

        KulcsosLista l(def);
        l.rendezes("v.azon");
        l.szures("v.kint = 'N'");
        ListaModell m(&l, {{"azon", "kód"}});
        QSignalSpy hozzaadva(&m, &QAbstractItemModel::rowsInserted);
        m.fokozatosUjratolt(50, 300);
        QCOMPARE(m.rowCount(), 50);
        QVERIFY(l.betoltesFolyik());
        QCOMPARE(l.ertek(49, "azon"), egeszben.ertek(49, "azon"));
        QCOMPARE(l.sor(egeszben.kulcs(10)), 10);
        QCOMPARE(l.sor(egeszben.kulcs(800)), -1);   // not read yet
        QTRY_VERIFY(!l.betoltesFolyik());
        QCOMPARE(hozzaadva.size(), 1);
        QCOMPARE(hozzaadva.last().at(1).toInt(), 50);
        QCOMPARE(hozzaadva.last().at(2).toInt(), 899);
        QCOMPARE(m.rowCount(), 900);
        for (int s : {0, 63, 64, 350, 899}) {
            QCOMPARE(l.kulcs(s), egeszben.kulcs(s));
            QCOMPARE(l.sor(l.kulcs(s)), s);
            QCOMPARE(l.ertek(s, "video_nev"), egeszben.ertek(s, "video_nev"));
        }

        m.fokozatosUjratolt(50, 300);
        QCOMPARE(m.rowCount(), 50);
        m.betoltesBefejez();
        QCOMPARE(m.rowCount(), 900);
        QCOMPARE(l.sor(egeszben.kulcs(800)), 800);
        // A reload while keys are still being read starts over, whole.
        m.fokozatosUjratolt(50, 300);
        m.ujratolt();
        QVERIFY(!l.betoltesFolyik());
        QCOMPARE(m.rowCount(), 900);
        QTest::qWait(20);
        QCOMPARE(m.rowCount(), 900);
    }

    // A list in key order with no filter whose keys have no gap counts its
    // rows instead of reading their keys; a gap, a filter or an order other
    // than the key's reads the keys, and both ways give the same rows.
    void kulcsSorrendHezagNelkul_data()
    {
        QTest::addColumn<QList<qint64>>("kulcsok");
        QTest::addColumn<bool>("szurt");
        QTest::addColumn<bool>("szamolva");   // no key read
        QTest::newRow("hézag nélkül") << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << false << true;
        QTest::newRow("nem egytől") << QList<qint64>{1000, 1001, 1002} << false << true;
        QTest::newRow("egy sor") << QList<qint64>{42} << false << true;
        QTest::newRow("üres") << QList<qint64>{} << false << true;
        QTest::newRow("hézag") << QList<qint64>{1, 2, 4, 5} << false << false;
        QTest::newRow("szűrve") << QList<qint64>{1, 2, 3, 4} << true << false;
    }
    void kulcsSorrendHezagNelkul()
    {
        QFETCH(QList<qint64>, kulcsok);
        QFETCH(bool, szurt);
        QFETCH(bool, szamolva);
        for (qint64 k : kulcsok)
            Adatbazis::vegrehajt("INSERT INTO cassa (cassa, cassatip, datum, osszeg, penzvan) VALUES (?, 'B', ?, ?, 0)",
                                 {k, k % 2 ? QDate(2026, 3, 1) : QDate(2026, 3, 2), double(k) * 10});
        KulcsosLista l(Cassa::ListaLeiras());
        if (szurt) l.szures(Cassa::NapFeltetel(), Cassa::NapParam(QDate(2026, 3, 1)));
        Nyomkoveto nyom;
        l.betolt();
        QCOMPARE(nyom.utasitasok.filter("ORDER BY cassa.cassa").isEmpty(), szamolva);
        QList<qint64> vart;
        for (qint64 k : kulcsok)
            if (!szurt || k % 2) vart << k;
        QCOMPARE(l.sorok(), int(vart.size()));
        for (int i = 0; i < vart.size(); ++i) {
            QCOMPARE(l.kulcs(i), vart.at(i));
            QCOMPARE(l.sor(vart.at(i)), i);
            QCOMPARE(l.ertek(i, "osszeg"), QVariant(double(vart.at(i)) * 10));
        }
        QCOMPARE(l.kulcs(int(vart.size())), -1);
        QCOMPARE(l.kulcs(-1), -1);
        for (qint64 nincs : {qint64(0), qint64(3), qint64(999), qint64(1003), qint64(43)})
            if (!vart.contains(nincs)) QCOMPARE(l.sor(nincs), -1);
        if (!vart.isEmpty()) QCOMPARE(l.elso("cassa.osszeg >= ?", {double(vart.last()) * 10}), int(vart.size()) - 1);

        // A row added later is the last; one removed opens a gap and the
        // keys are read from then on.
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan) VALUES ('B', '2026-03-01', 7, 0)");
        const qint64 uj = Adatbazis::ertek("SELECT MAX(cassa) FROM cassa").toLongLong();
        l.betolt();
        QCOMPARE(l.kulcs(l.sorok() - 1), uj);
        QCOMPARE(l.ertek(l.sorok() - 1, "osszeg"), QVariant(7.0));
        if (vart.size() >= 3) {
            Adatbazis::vegrehajt("DELETE FROM cassa WHERE cassa = ?", {vart.at(1)});
            nyom.utasitasok.clear();
            l.betolt();
            QVERIFY(!nyom.utasitasok.filter("ORDER BY cassa.cassa").isEmpty());
            QCOMPARE(l.sor(vart.at(1)), -1);
            QCOMPARE(l.kulcs(1), vart.at(2));
            QCOMPARE(l.ertek(1, "osszeg"), QVariant(double(vart.at(2)) * 10));
            QCOMPARE(l.kulcs(l.sorok() - 1), uj);
        }
    }
};

QTEST_GUILESS_MAIN(TstKulcslista)
#include "tst_kulcslista.moc"
