// The membership fee paid from the customer register, driven with its keys,
// headless: F7, a period chosen with the arrow keys, Enter; the tables are
// read back afterwards through a connection of their own.
#include "windows/app/alkalmazas.h"
#include "windows/customers/tfrm_tagdijfizet.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

int ugyfel(int azon, const QString& nev, const QVariant& dij = QVariant())
{
    QSqlQuery q = Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, dijfizetve, torolve) VALUES (?, ?, ?, 'N')",
                                       {azon, nev, dij});
    return q.lastInsertId().toInt();
}

// Runs the register; `lepes` drives it while it is open, then the operator
// closes it with Esc unless the step did. Returns what the opening
// operation returned.
int regiszter(bool valasztas, const std::function<void(Tfrm_TorzsUgyfel&)>& lepes, int kulcs = -1)
{
    VartAblak v([&](Tfrm_TorzsUgyfel* a) {
        lepes(*a);
        if (a->isVisible()) Nyom(a, Qt::Key_Escape);
    });
    return TorzsUgyfelMegnyit(nullptr, kulcs, valasztas);
}

// F7 in the register, and `lepes` drives the fee dialog, which it closes.
void tagdijAblakban(Tfrm_TorzsUgyfel& a, const std::function<void(Tfrm_TagdijFizet&)>& lepes)
{
    VartAblak v([&](Tfrm_TagdijFizet* d) { lepes(*d); });
    Nyom(&a, Qt::Key_F7);
}

QStringList feliratok(const Tfrm_TagdijFizet& d)
{
    QStringList l;
    for (QRadioButton* r : d.Idoszak) l << r->text();
    return l;
}

} // namespace

class TstTagdijAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;

    QStringList ugyfelek() const
    {
        return Lemezen(m_t->adatMappa(), "SELECT ugyfel, azon, ugyfel_nev, dijfizetve FROM ugyfel ORDER BY ugyfel");
    }
    QStringList cassa() const
    {
        return Lemezen(m_t->adatMappa(),
                       "SELECT cassatip, datum, ugyfel, osszeg, penzvan, idoszak FROM cassa ORDER BY cassa");
    }

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
        TBeall.dijnegyed = 1500;
        TBeall.dijfel = 2800;
        TBeall.dijev = 5000.5;
    }
    void cleanup()
    {
        m_t.reset();
        OraBeallit(TesztMost);
    }

    // The period is chosen with the arrow keys and paid with Enter, in both
    // modes of the register: the expiry counted from today, the "T" row of
    // the fee, the row read again with the tick; the customer stays current.
    void fizetes_data()
    {
        QTest::addColumn<bool>("valasztas");
        QTest::addColumn<int>("le");           // Down presses in the dialog
        QTest::addColumn<QDate>("ma");
        QTest::addColumn<QString>("lejarat");
        QTest::addColumn<QString>("osszeg");
        const QDate ma = TesztMost.date();
        QTest::newRow("negyedév, ahogy nyílik") << false << 0 << ma << "2026-06-14" << "1500";
        QTest::newRow("félév") << false << 1 << ma << "2026-09-14" << "2800";
        QTest::newRow("egész év") << false << 2 << ma << "2027-03-14" << "5000.5";
        QTest::newRow("választó módban is") << true << 1 << ma << "2026-09-14" << "2800";
        // The month-end rule: the last day of the shorter month.
        QTest::newRow("november 30. + negyedév") << false << 0 << QDate(2026, 11, 30) << "2027-02-28" << "1500";
        QTest::newRow("augusztus 31. + félév") << false << 1 << QDate(2026, 8, 31) << "2027-02-28" << "2800";
    }
    void fizetes()
    {
        QFETCH(bool, valasztas);
        QFETCH(int, le);
        QFETCH(QDate, ma);
        QFETCH(QString, lejarat);
        QFETCH(QString, osszeg);
        OraBeallit(QDateTime(ma, TesztMost.time()));
        const int a1 = ugyfel(1, "Alfa", QDate(2026, 1, 1));
        const int b2 = ugyfel(2, "Béta", QDate(2026, 3, 14));   // expires today: red cross
        ugyfel(3, "Cecil", QDate(2025, 12, 31));
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan) VALUES ('K', '2026-03-01', 250, 250)");
        const int vissza = regiszter(valasztas, [&](Tfrm_TorzsUgyfel& a) {
            QVERIFY(a.aTagdij->isEnabled());
            Gepel(a.Edit1, "2");
            QCOMPARE(a.ertek("ugyfel").toInt(), b2);
            QVERIFY(a.Rajzolo->lejartJel(a.aktualis()));
            tagdijAblakban(a, [&](Tfrm_TagdijFizet& d) {
                QVERIFY(d.Idoszak[0]->isChecked());
                for (int i = 0; i < le; ++i) Nyom(&d, Qt::Key_Down);
                QVERIFY(d.Idoszak[le]->isChecked());
                QCOMPARE(d.idoszak(), le);
                Nyom(&d, Qt::Key_Return);
                QVERIFY(!d.isVisible());
            });
            QCOMPARE(a.ertek("ugyfel").toInt(), b2);
            QCOMPARE(a.ertek("dijfizetve").toDate(), QDate::fromString(lejarat, Qt::ISODate));
            QVERIFY(!a.Rajzolo->lejartJel(a.aktualis()));
            QVERIFY(m_t->parbeszed.dobozok.isEmpty());
            if (valasztas) Nyom(&a, Qt::Key_Return);
        });
        if (valasztas) QCOMPARE(vissza, b2);
        QCOMPARE(ugyfelek().at(0), QStringLiteral("%1|1|Alfa|2026-01-01").arg(a1));
        QCOMPARE(ugyfelek().at(1), QStringLiteral("%1|2|Béta|%2").arg(b2).arg(lejarat));
        QCOMPARE(ugyfelek().at(2).section('|', 3), QString("2025-12-31"));
        const double egyenleg = 250 + osszeg.toDouble();
        QCOMPARE(cassa(), (QStringList{"K|2026-03-01|∅|250|250|∅",
                                        QStringLiteral("T|%1|%2|%3|%4|%5")
                                            .arg(ma.toString(Qt::ISODate))
                                            .arg(b2)
                                            .arg(osszeg)
                                            .arg(egyenleg)
                                            .arg(ma.toString("yyyyMM"))}));
    }

    // The dialog as it opens, with the fees of the settings.
    void parbeszedAblak()
    {
        TBeall.dijnegyed = 1500;
        TBeall.dijfel = 2999.5;
        TBeall.dijev = 0;
        Tfrm_TagdijFizet d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QString("Tagdíj fizetés"));
        QCOMPARE(d.RadioGroup1->title(), QString("Időszak"));
        QCOMPARE(feliratok(d), (QStringList{"Negyedéves: 1500.-", "Féléves: 2999,5.-", "Teljes évre: 0.-"}));
        QVERIFY(d.Idoszak[0]->isChecked());
        QCOMPARE(QApplication::focusWidget(), d.Idoszak[0]);
        QCOMPARE(d.btnOK->text(), QString("OK"));
        QCOMPARE(d.btnMegsem->text(), QString("Mégsem"));
        QVERIFY(d.btnOK->isDefault());
        // Fixed size, every text in sight.
        QCOMPARE(d.minimumSize(), d.maximumSize());
        for (QRadioButton* r : d.Idoszak) {
            QVERIFY(r->isVisible());
            QVERIFY2(r->width() >= r->sizeHint().width(), qPrintable(r->text()));
        }
        QVERIFY(d.rect().contains(d.btnMegsem->geometry()));
        d.grab().save("/tmp/tagdij.png");
        d.reject();
    }

    // Esc, "Mégsem" and the close box write nothing, to the customer or the cash book.
    void megse_data()
    {
        QTest::addColumn<QString>("hogyan");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("Mégsem") << "megsem";
        QTest::newRow("bezárás") << "bezar";
        QTest::newRow("Enter a Mégsem gombon") << "enter_megsem";
    }
    void megse()
    {
        QFETCH(QString, hogyan);
        ugyfel(1, "Alfa", QDate(2026, 2, 1));
        const QStringList uElotte = ugyfelek(), kElotte = cassa();
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            tagdijAblakban(a, [&](Tfrm_TagdijFizet& d) {
                Nyom(&d, Qt::Key_Down);
                if (hogyan == "esc") Nyom(&d, Qt::Key_Escape);
                else if (hogyan == "megsem") QTest::mouseClick(d.btnMegsem, Qt::LeftButton);
                else if (hogyan == "bezar") d.close();
                else {
                    d.btnMegsem->setFocus();
                    Nyom(&d, Qt::Key_Return);
                }
                QVERIFY(!d.isVisible());
                QCOMPARE(d.result(), int(QDialog::Rejected));
            });
            QVERIFY(a.isVisible());
            QVERIFY(a.Rajzolo->lejartJel(a.aktualis()));
        });
        QCOMPARE(ugyfelek(), uElotte);
        QCOMPARE(cassa(), kElotte);
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
    }

    // A payment refused after the dialog says why through the error report
    // and changes nothing; the register stays open.
    void elutasitott_data()
    {
        QTest::addColumn<QString>("eset");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("a pénztár sort a motor utasítja el") << "trigger" << "a pénztár zárva";
        QTest::newRow("díj a pénzhatáron túl") << "hatar" << "Nem megfelelő érték.";
        QTest::newRow("az ügyfelet közben törölték") << "torolt" << "Az ügyfél már nem létezik.";
    }
    void elutasitott()
    {
        QFETCH(QString, eset);
        QFETCH(QString, uzenet);
        const int a1 = ugyfel(1, "Alfa", QDate(2026, 2, 1));
        const int b2 = ugyfel(2, "Béta", QDate(2026, 2, 1));
        if (eset == "trigger")
            Adatbazis::vegrehajt("CREATE TEMP TRIGGER zar BEFORE INSERT ON cassa BEGIN "
                                 "SELECT RAISE(ABORT, 'a pénztár zárva'); END");
        if (eset == "hatar") TBeall.dijnegyed = 1e13;
        const QStringList kElotte = cassa();
        QStringList uElotte = ugyfelek();
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            QCOMPARE(a.ertek("ugyfel").toInt(), a1);
            if (eset == "torolt") {
                Adatbazis::vegrehajt("DELETE FROM ugyfel WHERE ugyfel = ?", {a1});
                uElotte = ugyfelek();
            }
            tagdijAblakban(a, [&](Tfrm_TagdijFizet& d) { Nyom(&d, Qt::Key_Return); });
            QCOMPARE(m_t->parbeszed.hibak(), QStringList(uzenet));
            QVERIFY(a.isVisible());
            if (eset == "torolt") {
                // Read again: the customer gone is gone from the list as well.
                QCOMPARE(a.lista().sorok(), 1);
                QCOMPARE(a.ertek("ugyfel").toInt(), b2);
            } else {
                QCOMPARE(a.ertek("ugyfel").toInt(), a1);
                QVERIFY(a.Rajzolo->lejartJel(a.aktualis()));
            }
        });
        QCOMPARE(ugyfelek(), uElotte);
        QCOMPARE(cassa(), kElotte);
    }

    // With nobody listed (the expired filter finds no one) F7 opens no
    // dialog: a short message, nothing written.
    void nincsUgyfel()
    {
        ugyfel(1, "Alfa", QDate(2027, 1, 1));
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            Nyom(&a, Qt::Key_N, Qt::ControlModifier);
            QCOMPARE(a.lista().sorok(), 0);
            VartAblak soha(VartAblak::Soha<Tfrm_TagdijFizet>{});
            Nyom(&a, Qt::Key_F7);
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            QCOMPARE(m_t->parbeszed.dobozok.first().fajta, Parbeszed::Doboz::Uzenet);
            QCOMPARE(m_t->parbeszed.dobozok.first().szoveg, QString("Nincs kiválasztott ügyfél."));
            QVERIFY(a.isVisible());
        });
        QVERIFY(cassa().isEmpty());
        QCOMPARE(ugyfelek().first().section('|', 3), QString("2027-01-01"));
    }
};

QTEST_MAIN(TstTagdijAblak)
#include "tst_tagdij_ablak.moc"
