// The item picker: only items in the shop, found by code (exactly) or by the
// beginning of the title, Enter hands back the item, Esc hands back -1.
#include "windows/app/alkalmazas.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/common/listamodell.h"
#include "windows/rental/tfrm_videovalaszt.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

class TstVideoValaszt : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        const QVariantList sorok[] = {{12, "Mátrix", "N"}, {120, "matek", "N"}, {123, "Őrült nők", "I"},
                                      {5, "Ábel", "N"}, {7, "Vuk", QVariant()}};
        for (const QVariantList& s : sorok)
            Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint) VALUES (?, 1, ?, ?)", s);
    }
    void cleanup() { m_t.reset(); }

    void csakBentLevok()
    {
        Tfrm_VideoValaszt f;
        f.megnyit(-1);
        QCOMPARE(f.modell()->rowCount(), 3);   // not the item out, not the one with no mark
        QCOMPARE(f.DBGrid1->model()->index(0, 0).data().toString(), QString("00005"));
        QCOMPARE(f.aktualis(), 0);
    }

    // An item whose type no longer exists (or never had one) is not offered,
    // nor found by its code or its title.
    void nemLetezoTipusKimarad()
    {
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint) VALUES (8, 999, 'Árva film', 'N')");
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint) VALUES (9, NULL, 'Árnyék', 'N')");
        Tfrm_VideoValaszt f;
        f.megnyit(-1);
        QCOMPARE(f.modell()->rowCount(), 3);
        for (int s = 0; s < f.modell()->rowCount(); ++s)
            QVERIFY(!f.modell()->index(s, 2).data().toString().isEmpty());   // every type shows
        Gepel(f.Edit1, "8");
        QCOMPARE(f.aktualis(), 0);
        f.aKeresNev->trigger();
        Gepel(f.Edit1, "Ár");
        QVERIFY(!VarSzoveg(f.modell()->lista()->ertek(f.aktualis(), "video_nev")).startsWith("Ár"));
    }

    // Opening reads the key of every item in the shop: at a million items
    // that must come from an index alone, not item by item from the table
    // for its type. The types still filter: an item whose type is deleted
    // later drops out (or the whole list, when every type goes).
    void kulcsokCsakIndexbol_data()
    {
        QTest::addColumn<QStringList>("elotte");
        QTest::addColumn<int>("sorok");
        QTest::newRow("minden típus megvan") << QStringList{} << 3;
        QTest::newRow("nem létező típusú tétel")
            << QStringList{"INSERT INTO video (azon, tipus, video_nev, kint) VALUES (8, 999, 'Árva', 'N')",
                           "INSERT INTO video (azon, tipus, video_nev, kint) VALUES (9, NULL, 'Árnyék', 'N')"}
            << 3;
        QTest::newRow("típus törölve utólag")
            << QStringList{"INSERT INTO video (azon, tipus, video_nev, kint) VALUES (8, 2, 'Árva', 'N')",
                           "DELETE FROM tipus WHERE tipus = 1"}
            << 1;
    }
    void kulcsokCsakIndexbol()
    {
        QFETCH(QStringList, elotte);
        QFETCH(int, sorok);
        for (const QString& u : elotte) Adatbazis::vegrehajt(u);
        Tfrm_VideoValaszt f;
        f.megnyit(-1);
        QCOMPARE(f.modell()->rowCount(), sorok);
        if (!elotte.isEmpty()) return;   // the plan matters when nothing is missing: the usual case
        QSqlQuery q = Adatbazis::vegrehajt("EXPLAIN QUERY PLAN " + f.lista().kulcsLekerdezes(), f.lista().szuroParam());
        QStringList terv;
        while (q.next()) terv << q.value(3).toString();
        QVERIFY2(terv.size() == 1 && terv.front().contains("COVERING INDEX"), qPrintable(terv.join(" | ")));
    }

    // A large shop: the first screenful shows before every key is read, and
    // a code typed at once still finds an item among the keys not yet read.
    void sokTetelKeresesAzonnal()
    {
        Adatbazis::Tranzakcio t;
        for (int i = 0; i < 1500; ++i)
            Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint) VALUES (?, 1, ?, 'N')",
                                 {1000 + i, QString("Film %1").arg(i)});
        t.jovahagy();
        Tfrm_VideoValaszt f;
        f.megnyit(-1);
        QVERIFY(f.modell()->rowCount() < 1503);
        Gepel(f.Edit1, "2499");
        QCOMPARE(f.modell()->rowCount(), 1503);
        QCOMPARE(f.aktualis(), 1502);
        QCOMPARE(VarEgesz(f.modell()->lista()->ertek(f.aktualis(), "azon")), 2499);
    }

    void kodraPontosan()
    {
        qint64 valasztott = -2;
        VartAblak v([&](Tfrm_VideoValaszt* f) {
            QCOMPARE(QApplication::focusWidget(), f->Edit1);
            Gepel(f->Edit1, "12");
            Gepel(f->Edit1, "3");   // 123 is out: not listed, the row stays on 12
            Gepel(f->Edit1, "x");   // letters are dropped in code mode
            QCOMPARE(f->Edit1->text(), QString("123"));
            Nyom(f, Qt::Key_Return);
        });
        valasztott = VideoValaszt(nullptr);
        QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT azon FROM video WHERE video = ?", {valasztott})), 12);
    }

    // A scanned EAN-8 label (check digit dropped) picks its item.
    void vonalkodraValaszt()
    {
        // Item 12's label reads as code 123 if taken as a number: 123 is in the shop too.
        Adatbazis::vegrehajt("UPDATE video SET kint = 'N' WHERE azon = 123");
        qint64 valasztott = -2;
        VartAblak v([&](Tfrm_VideoValaszt* f) {
            for (QChar c : QString("00000123")) QTest::keyClick(f->Edit1, c.toLatin1(), Qt::NoModifier, 5);
            QCOMPARE(f->Edit1->text(), QString("00000123"));
            Nyom(f, Qt::Key_Return);
        });
        valasztott = VideoValaszt(nullptr);
        QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT azon FROM video WHERE video = ?", {valasztott})), 12);
    }

    // Up and Down typed in the search field walk the list; the text stays.
    void nyilakAKeresobol()
    {
        Tfrm_VideoValaszt f;
        f.megnyit(-1);   // in code order: 5, 12, 120
        Gepel(f.Edit1, "12");
        QCOMPARE(f.aktualis(), 1);
        QTest::keyClick(f.Edit1, Qt::Key_Down);
        QCOMPARE(f.aktualis(), 2);
        QTest::keyClick(f.Edit1, Qt::Key_Up);
        QTest::keyClick(f.Edit1, Qt::Key_Up);
        QCOMPARE(f.aktualis(), 0);
        QCOMPARE(f.Edit1->text(), QString("12"));
    }

    void nevSzerintEsMegszakitas()
    {
        VartAblak v([&](Tfrm_VideoValaszt* f) {
            Gepel(f->Edit1, "5");
            f->aKeresNev->trigger();
            QVERIFY(f->Edit1->text().isEmpty());   // switching empties the field
            Gepel(f->Edit1, "MAT");
            QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT azon FROM video WHERE video = ?", {f->aktualisKulcs()})), 120);
            Gepel(f->Edit1, "r");                  // a and á are one letter of the order: "MATr" is Mátrix
            QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT azon FROM video WHERE video = ?", {f->aktualisKulcs()})), 12);
            f->Edit1->clear();
            Gepel(f->Edit1, "máT");                // the nearest in that order: "matek" before "Mátrix"
            QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT azon FROM video WHERE video = ?", {f->aktualisKulcs()})), 120);
            Gepel(f->Edit1, "r");
            QCOMPARE(VarEgesz(Adatbazis::ertek("SELECT azon FROM video WHERE video = ?", {f->aktualisKulcs()})), 12);
            f->aKeresKod->trigger();
            QVERIFY(f->Edit1->text().isEmpty());
            Nyom(f, Qt::Key_Escape);
        });
        QCOMPARE(VideoValaszt(nullptr), qint64(-1));
    }
};

QTEST_MAIN(TstVideoValaszt)
#include "tst_videovalaszt.moc"
