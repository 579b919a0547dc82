// The whole road at the counter, driven with the operator's keys through
// the real windows: select an item, F3, customer and period with Enter,
// Ins and pick two more items, Ctrl+Del one, Ctrl+Enter; then F4, Ctrl+Del
// one item, a surcharge, Ctrl+Enter. Then the tables are checked.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace {


QVariant mezo(int azon, const char* m)
{
    return Adatbazis::ertek(QStringLiteral("SELECT %1 FROM video WHERE azon = ?").arg(m), {azon});
}

double ar(int azon)
{
    return Adatbazis::ertek("SELECT p.ar FROM video v JOIN fiztip_arkat p ON (p.arkat = v.arkat AND p.fiztip = 1) "
                            "WHERE v.azon = ?", {azon}).toDouble();
}

} // namespace

class TstKolcsonzesUt : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }

    void kolcsonzesEsVisszavetel_data()
    {
        QTest::addColumn<bool>("elore");
        QTest::addColumn<bool>("nyomtat");
        QTest::newRow("fizetes visszahozaskor, nyugtaval") << false << true;
        QTest::newRow("elore fizet, nyugta nelkul") << true << false;
    }
    void kolcsonzesEsVisszavetel()
    {
        QFETCH(bool, elore);
        QFETCH(bool, nyomtat);
        TesztTelepites t(true);
        t.nyit();
        Adatbazis::vegrehajt("UPDATE beallit SET elorefizet = ?, autonyom = ?", {elore ? "I" : "N", nyomtat ? "I" : "N"});
        // Three items in the shop and a customer with nothing out.
        QList<int> kodok;
        QSqlQuery q = Adatbazis::vegrehajt("SELECT azon FROM video WHERE kint = 'N' ORDER BY azon LIMIT 3");
        while (q.next()) kodok << q.value(0).toInt();
        const int a = kodok[0], b = kodok[1], c = kodok[2];
        const int ugyfelKod = Adatbazis::ertek("SELECT MIN(azon) FROM ugyfel u WHERE NOT EXISTS "
                                               "(SELECT 1 FROM video v WHERE v.ugyfel = u.ugyfel AND v.kint = 'I')").toInt();
        const int ugyfel = Adatbazis::ertek("SELECT ugyfel FROM ugyfel WHERE azon = ?", {ugyfelKod}).toInt();
        const QString nev = Adatbazis::ertek("SELECT ugyfel_nev FROM ugyfel WHERE ugyfel = ?", {ugyfel}).toString();
        const int cassaElotte = Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt();
        const int tortenetElotte = Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video").toInt();
        Adatbazis::zar();

        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(TBeall.elorefizet, elore);

        // --- rental ---
        Gepel(f.Edit1, QString::number(a));
        // The customer, then the period, then the rental window: each opens
        // when the one before it is closed with Enter.
        VartAblak lanc("Tfrm_TorzsUgyfel", [&](QWidget* w) {
            Gepel(w->focusWidget(), QString::number(ugyfelKod));
            Nyom(w, Qt::Key_Return);
        });
        lanc.majd("Tfrm_TorzsFizTip", [&](QWidget* p) { Nyom(p, Qt::Key_Return); });
        lanc.majd([&](Tfrm_Kolcsonzes* r) {
            QCOMPARE(r->DBGrid1->rowCount(), 1);
            QCOMPARE(r->lblNev->text(), "  " + nev);
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(ar(a)));
            for (int kod : {b, c}) {
                VartAblak v("Tfrm_VideoValaszt", [kod](QWidget* v) {
                    Gepel(v->focusWidget(), QString::number(kod));
                    Nyom(v, Qt::Key_Return);
                    QVERIFY(!v->isVisible());
                });
                Nyom(r, Qt::Key_Insert);
            }
            QCOMPARE(r->DBGrid1->rowCount(), 3);
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(ar(a) + ar(b) + ar(c)));
            // The last one added is current; Ctrl+Del takes it out.
            QCOMPARE(r->DBGrid1->item(r->aktualis(), 0)->text(), QString("%1").arg(c, 5, 10, QChar('0')));
            Nyom(r, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(r->DBGrid1->rowCount(), 2);
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(ar(a) + ar(b)));
            Nyom(r, Qt::Key_Return, Qt::ControlModifier);
        });
        Nyom(&f, Qt::Key_F3);
        QVERIFY(lanc.kesz());

        t.nyit();
        for (int kod : {a, b}) {
            QCOMPARE(mezo(kod, "kint").toString(), QString("I"));
            QCOMPARE(mezo(kod, "ugyfel").toInt(), ugyfel);
            QCOMPARE(mezo(kod, "fiztip").toInt(), 1);
            QCOMPARE(mezo(kod, "dat_visszakell").toString(), QString("2026-03-15"));
        }
        QCOMPARE(mezo(c, "kint").toString(), QString("N"));
        QCOMPARE(VarEgesz(mezo(c, "ugyfel")), 0);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video").toInt(), tortenetElotte + 2);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt(), cassaElotte + (elore ? 1 : 0));
        if (elore)
            QCOMPARE(Adatbazis::ertek("SELECT osszeg FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), ar(a) + ar(b));
        // The receipt went straight to the printer, without preview, when printing is automatic.
        QCOMPARE(t.parbeszed.nyomtatasok.size(), nyomtat ? 1 : 0);
        if (nyomtat) {
            QVERIFY(!t.parbeszed.nyomtatasok.first().elonezet);
            QCOMPARE(t.parbeszed.nyomtatasok.first().cim, QString("Kölcsönzés"));
        }
        // The list shows the item out.
        QCOMPARE(VarSzoveg(f.Tbl.ertek("kint")), QString("I"));

        // --- return: b stays out, a comes back with a surcharge of 150 ---
        t.parbeszed.szamValaszok = {150};
        VartAblak vissza([&](Tfrm_VisszaVesz* v) {
            QCOMPARE(v->DBGrid1->rowCount(), 2);
            QCOMPARE(v->lblOsszeg->text(), FtMaszk(ar(a) + ar(b)));
            QCOMPARE(v->DBGrid1->item(0, 0)->text(), QString("%1").arg(a, 5, 10, QChar('0')));
            v->DBGrid1->setCurrentCell(1, 0);
            Nyom(v, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(v->DBGrid1->rowCount(), 1);
            v->aPotdij->trigger();
            QCOMPARE(v->lblOsszeg->text(), FtMaszk(ar(a) + 150));
            Nyom(v, Qt::Key_Return, Qt::ControlModifier);
        });
        Nyom(&f, Qt::Key_F4);
        QVERIFY(vissza.kesz());

        QCOMPARE(mezo(a, "kint").toString(), QString("N"));
        QCOMPARE(VarEgesz(mezo(a, "ugyfel")), 0);
        QCOMPARE(mezo(a, "ar").toDouble(), ar(a) + 150);
        QCOMPARE(mezo(b, "kint").toString(), QString("I"));
        QCOMPARE(mezo(b, "ugyfel").toInt(), ugyfel);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt(), cassaElotte + 1);
        if (!elore) {
            QSqlQuery k = Adatbazis::vegrehajt("SELECT cassatip, ugyfel, osszeg FROM cassa ORDER BY cassa DESC LIMIT 1");
            QVERIFY(k.next());
            QCOMPARE(k.value(0).toString(), QString("B"));
            QCOMPARE(k.value(1).toInt(), ugyfel);
            QCOMPARE(k.value(2).toDouble(), ar(a) + 150);
        }
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(),
                 Adatbazis::ertek("SELECT SUM(osszeg) FROM cassa").toDouble());
    }

    void elutasitasok()
    {
        TesztTelepites t(true);
        t.nyit();
        const int kint = Adatbazis::ertek("SELECT MIN(azon) FROM video WHERE kint = 'I'").toInt();
        const int bent = Adatbazis::ertek("SELECT MIN(azon) FROM video WHERE kint = 'N'").toInt();
        Adatbazis::zar();
        Tfrm_Main f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        Gepel(f.Edit1, QString::number(kint));
        Nyom(&f, Qt::Key_F3);
        f.Edit1->clear();
        Gepel(f.Edit1, QString::number(bent));
        Nyom(&f, Qt::Key_F4);
        QCOMPARE(t.parbeszed.hibak(), (QStringList{"Ez a tétel már kölcsönözve lett", "Ez a tétel még nincs kiadva"}));
        // Cancelling the customer choice writes nothing.
        VartAblak v("Tfrm_TorzsUgyfel", [](QWidget* w) { Nyom(w, Qt::Key_Escape); });
        Nyom(&f, Qt::Key_F3);
        t.nyit();
        QCOMPARE(VarEgesz(mezo(bent, "ugyfel")), 0);
        QCOMPARE(mezo(bent, "kint").toString(), QString("N"));
    }
};

QTEST_MAIN(TstKolcsonzesUt)
#include "tst_kolcsonzes_ut.moc"
