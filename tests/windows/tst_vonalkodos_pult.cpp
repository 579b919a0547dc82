// The counter by scanner, driven as a hand scanner drives it: the digits of
// a label as key events 5 ms apart, then Enter, into whatever field has the
// focus. Every other key the operator presses is counted.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "windows/rental/tfrm_videovalaszt.h"
#include "core/common/gyorskereses.h"
#include "core/rental/beolvasas.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "tests/windows/tesztsegito.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

namespace {

QString tetelCimke(int azon)
{
    const QString het = QStringLiteral("%1").arg(azon, 7, 10, QLatin1Char('0'));
    return het + QString::number(GyorsKereses::Ean8Ellenorzo(het));
}

// What the scanner sends into the focus of the active window.
void Olvas(QWidget* ablak, const QString& jegyek)
{
    if (!ablak->isActiveWindow()) {
        ablak->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ablak));
    }
    QWidget* cel = ablak->focusWidget() ? ablak->focusWidget() : ablak;
    for (const QChar c : jegyek) QTest::keyClick(cel, char(c.unicode()), Qt::NoModifier, 5);
    QTest::keyClick(cel, Qt::Key_Return, Qt::NoModifier, 5);
}

// With KAZETTORA_KEPEK set, a picture of the window for looking at.
void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(QStringLiteral("%1/pult-%2.png").arg(mappa, nev));
}

QVariant mezo(int azon, const char* m)
{
    return Adatbazis::ertek(QStringLiteral("SELECT %1 FROM video WHERE azon = ?").arg(m), {azon});
}

struct Bolt {
    QList<int> bent;          // codes of three items in the shop
    int ugyfelKod = 0, ugyfel = 0;
    QString nev;
};

// Three items in the shop and a customer with nothing out, paid up.
Bolt BoltOlvas()
{
    Bolt b;
    QSqlQuery q = Adatbazis::vegrehajt("SELECT azon FROM video WHERE kint = 'N' ORDER BY azon LIMIT 3");
    while (q.next()) b.bent << q.value(0).toInt();
    b.ugyfelKod = Adatbazis::ertek("SELECT MIN(azon) FROM ugyfel u WHERE NOT EXISTS "
                                   "(SELECT 1 FROM video v WHERE v.ugyfel = u.ugyfel AND v.kint = 'I')").toInt();
    b.ugyfel = Adatbazis::ertek("SELECT ugyfel FROM ugyfel WHERE azon = ?", {b.ugyfelKod}).toInt();
    b.nev = Adatbazis::ertek("SELECT ugyfel_nev FROM ugyfel WHERE ugyfel = ?", {b.ugyfel}).toString();
    Adatbazis::vegrehajt("UPDATE ugyfel SET dijfizetve = '2030-01-01' WHERE ugyfel = ?", {b.ugyfel});
    return b;
}

} // namespace

class TstVonalkodosPult : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<Tfrm_Main> m_f;
    int m_billentyuk = 0;   // keys besides the scans

    void nyom(QWidget* w, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        ++m_billentyuk;
        Nyom(w, k, m);
    }
    Tfrm_Main& indit()
    {
        Adatbazis::zar();
        m_f = std::make_unique<Tfrm_Main>();
        if (!m_f->indult()) qFatal("start failed: %s", qPrintable(m_t->parbeszed.hibak().join('|')));
        m_f->show();
        if (!QTest::qWaitForWindowExposed(m_f.get())) qFatal("not exposed");
        m_f->activateWindow();
        if (!QTest::qWaitForWindowActive(m_f.get())) qWarning("main window not active");
        return *m_f;
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>(true);
        m_t->nyit();
        m_billentyuk = 0;
    }
    void cleanup()
    {
        m_f.reset();
        m_t.reset();
    }

    // Three labelled items lent to a card holder and taken back: one key
    // press each way besides the scans. A return of two leaves the third out.
    void haromTetelKartyaval_data()
    {
        QTest::addColumn<int>("visszaSzam");
        QTest::newRow("mind a harom vissza") << 3;
        QTest::newRow("egy kint marad") << 2;
    }
    void haromTetelKartyaval()
    {
        QFETCH(int, visszaSzam);
        const Bolt b = BoltOlvas();
        Adatbazis::vegrehajt("UPDATE beallit SET alapfiztip = 2, autonyom = 'N', elorefizet = 'N'");
        const double ar2 = Adatbazis::ertek("SELECT SUM(p.ar) FROM video v JOIN fiztip_arkat p ON "
                                            "(p.arkat = v.arkat AND p.fiztip = 2) WHERE v.azon IN (?, ?, ?)",
                                            {b.bent[0], b.bent[1], b.bent[2]}).toDouble();
        Tfrm_Main& f = indit();
        QCOMPARE(QApplication::focusWidget(), f.Edit1);

        VartAblak kolcs([&](Tfrm_Kolcsonzes* r) {
            QCOMPARE(r->lblNev->text(), "  " + b.nev);
            QCOMPARE(r->focusWidget(), r->edtVonalkod);
            for (int kod : b.bent) Olvas(r, tetelCimke(kod));
            QCOMPARE(r->DBGrid1->rowCount(), 3);
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(ar2));
            kep(r, "kolcsonzes");
            nyom(r, Qt::Key_Return, Qt::ControlModifier);
        });
        Olvas(&f, GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod));
        QVERIFY(kolcs.kesz());
        for (int kod : b.bent) {
            QCOMPARE(mezo(kod, "kint").toString(), QString("I"));
            QCOMPARE(mezo(kod, "ugyfel").toInt(), b.ugyfel);
            QCOMPARE(mezo(kod, "fiztip").toInt(), 2);
        }

        const int cassaElotte = Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt();
        VartAblak vissza([&](Tfrm_VisszaVesz* v) {
            QCOMPARE(v->DBGrid1->rowCount(), 3);
            // Opened by the middle item: that one marked and current.
            QCOMPARE(v->DBGrid1->item(0, 6)->text(), QString());
            QCOMPARE(v->DBGrid1->item(1, 6)->text(), QString("✓"));
            QCOMPARE(v->aktualis(), 1);
            Olvas(v, tetelCimke(b.bent[0]));
            if (visszaSzam == 3) Olvas(v, tetelCimke(b.bent[2]));
            kep(v, QStringLiteral("visszavetel-%1").arg(visszaSzam));
            nyom(v, Qt::Key_Return, Qt::ControlModifier);
        });
        Olvas(&f, tetelCimke(b.bent[1]));
        QVERIFY(vissza.kesz());
        QCOMPARE(m_billentyuk, 2);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(mezo(b.bent[i], "kint").toString(), QString(i < visszaSzam ? "N" : "I"));
        double osszeg = 0;
        for (int i = 0; i < visszaSzam; ++i) osszeg += mezo(b.bent[i], "ar").toDouble();
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt(), cassaElotte + 1);
        QCOMPARE(Adatbazis::ertek("SELECT osszeg FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(), osszeg);
        QCOMPARE(m_t->parbeszed.hangok, 0);
    }

    // A wrong check digit in the main window: the warning sound, the
    // message, and the row where it was before the label's digits.
    void hibasEllenorzoJegy()
    {
        const Bolt b = BoltOlvas();
        Tfrm_Main& f = indit();
        const qint64 elotte = f.Tbl.aktualisKulcs();
        QString rossz = tetelCimke(b.bent[1]);
        rossz[7] = QChar(u'0' + (rossz[7].unicode() - u'0' + 1) % 10);
        Olvas(&f, rossz);
        QCOMPARE(m_t->parbeszed.hangok, 1);
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY(m_t->parbeszed.hibak().first().startsWith("Hibás vonalkód"));
        QCOMPARE(f.Tbl.aktualisKulcs(), elotte);
        // The next label replaces the refused one.
        Olvas(&f, tetelCimke(b.bent[1]));
        QCOMPARE(f.Tbl.aktualisKulcs(), mezo(b.bent[1], "video").toLongLong());
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        // A label no item has says so; the row stays.
        const int nincs = Adatbazis::ertek("SELECT MAX(azon) + 1 FROM video").toInt();
        Olvas(&f, tetelCimke(nincs));
        QCOMPARE(m_t->parbeszed.hangok, 2);
        QCOMPARE(m_t->parbeszed.hibak().value(1), "Nincs " + Beolvasas::KodSzoveg(nincs) + " kódú tétel.");
        QCOMPARE(f.Tbl.aktualisKulcs(), mezo(b.bent[1], "video").toLongLong());
    }

    // Each scan in the rental window is answered on its line; only a good
    // item of the shop joins.
    void kolcsonzesiAblakValaszai()
    {
        const Bolt b = BoltOlvas();
        const int kint = Adatbazis::ertek("SELECT MIN(azon) FROM video WHERE kint = 'I'").toInt();
        const QString birtokos = Adatbazis::ertek(
            "SELECT u.ugyfel_nev FROM video v JOIN ugyfel u ON (u.ugyfel = v.ugyfel) WHERE v.azon = ?", {kint}).toString();
        const int nincs = Adatbazis::ertek("SELECT MAX(azon) + 1 FROM video").toInt();
        Adatbazis::vegrehajt("UPDATE beallit SET alapfiztip = 1");
        Tfrm_Main& f = indit();
        struct Eset { QString cimke, valasz; bool hiba; };
        QString rossz = tetelCimke(b.bent[0]);
        rossz[7] = QChar(u'0' + (rossz[7].unicode() - u'0' + 3) % 10);
        const QList<Eset> esetek = {
            {tetelCimke(b.bent[0]), Beolvasas::KodSzoveg(b.bent[0]), false},
            {tetelCimke(b.bent[0]), "már a listán van", true},
            {rossz, "Hibás vonalkód", true},
            {GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod), "ügyfélkártya", true},
            {tetelCimke(kint), "kint van: " + birtokos, true},
            {tetelCimke(nincs), "Nincs " + Beolvasas::KodSzoveg(nincs) + " kódú tétel", true},
            {QString::number(b.bent[1]), Beolvasas::KodSzoveg(b.bent[1]), false},   // typed, not scanned
        };
        VartAblak kolcs([&](Tfrm_Kolcsonzes* r) {
            int hangok = 0;
            for (const Eset& e : esetek) {
                Olvas(r, e.cimke);
                QVERIFY2(r->lblUzenet->text().contains(e.valasz), qPrintable(e.cimke + ": " + r->lblUzenet->text()));
                hangok += e.hiba ? 1 : 0;
                QCOMPARE(m_t->parbeszed.hangok, hangok);
                QVERIFY(r->edtVonalkod->text().isEmpty());
            }
            QCOMPARE(r->DBGrid1->rowCount(), 2);
            kep(r, "kolcsonzes-valaszok");
            nyom(r, Qt::Key_Escape);
        });
        Olvas(&f, GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod));
        QVERIFY(kolcs.kesz());
        QCOMPARE(mezo(b.bent[0], "kint").toString(), QString("N"));
    }

    // In the return window: another customer's item, an item in the shop
    // and a card are refused; the list's own item is marked once.
    void visszavetelAblakValaszai()
    {
        const Bolt b = BoltOlvas();
        QSqlQuery q = Adatbazis::vegrehajt("SELECT azon, ugyfel FROM video WHERE kint = 'I' ORDER BY azon");
        QVERIFY(q.next());
        const int elso = q.value(0).toInt(), elsoUgyfel = q.value(1).toInt();
        int masike = 0;
        while (q.next())
            if (q.value(1).toInt() != elsoUgyfel) {
                masike = q.value(0).toInt();
                break;
            }
        QVERIFY(masike > 0);
        Tfrm_Main& f = indit();
        VartAblak vissza([&](Tfrm_VisszaVesz* v) {
            const QList<std::pair<QString, QString>> esetek = {
                {tetelCimke(elso), "már jelölve"},
                {tetelCimke(masike), "nem ennél az ügyfélnél van"},
                {tetelCimke(b.bent[0]), "nincs kiadva"},
                {GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod), "ügyfélkártya"},
            };
            for (const auto& [cimke, valasz] : esetek) {
                Olvas(v, cimke);
                QVERIFY2(v->lblUzenet->text().contains(valasz), qPrintable(v->lblUzenet->text()));
            }
            QCOMPARE(m_t->parbeszed.hangok, 4);
            nyom(v, Qt::Key_Escape);
        });
        Olvas(&f, tetelCimke(elso));
        QVERIFY(vissza.kesz());
        QCOMPARE(mezo(elso, "kint").toString(), QString("I"));
    }

    // An item's label where a customer is chosen finds no customer; the
    // card picks its holder with the scanner's Enter.
    void kartyaAzUgyfelValasztoban()
    {
        const Bolt b = BoltOlvas();
        const int masik = Adatbazis::ertek("SELECT MAX(azon) FROM ugyfel").toInt();
        Adatbazis::zar();
        int valasztott = -2;
        VartAblak v([&](Tfrm_TorzsUgyfel* u) {
            const int elotte = u->aktualis();
            Olvas(u, tetelCimke(b.bent[0]));
            QCOMPARE(u->aktualis(), elotte);
            QVERIFY(u->isVisible());
            QCOMPARE(m_t->parbeszed.hangok, 1);
            QVERIFY(m_t->parbeszed.hibak().value(0).contains("nem ügyfélkártya"));
            // A card no customer has chooses nobody either.
            Olvas(u, GyorsKereses::UgyfelKartyaSzam(masik + 1));
            QVERIFY(u->isVisible());
            QCOMPARE(m_t->parbeszed.hangok, 2);
            QVERIFY(m_t->parbeszed.hibak().value(1).contains("Nincs"));
            Olvas(u, GyorsKereses::UgyfelKartyaSzam(masik));
        });
        m_t->nyit();
        valasztott = TorzsUgyfelMegnyit(nullptr, -1, true);
        QVERIFY(v.kesz());
        QCOMPARE(valasztott, Adatbazis::ertek("SELECT ugyfel FROM ugyfel WHERE azon = ?", {masik}).toInt());
    }

    // The item picker: a card, a wrong check digit and a label no item has
    // choose nothing; a good label chooses its item with the scanner's Enter.
    void tetelValasztoCimkei()
    {
        const Bolt b = BoltOlvas();
        const int nincs = Adatbazis::ertek("SELECT MAX(azon) + 1 FROM video").toInt();
        QString rossz = tetelCimke(b.bent[2]);
        rossz[7] = QChar(u'0' + (rossz[7].unicode() - u'0' + 5) % 10);
        qint64 valasztott = -2;
        VartAblak v([&](Tfrm_VideoValaszt* w) {
            const int elotte = w->aktualis();
            const QStringList cimkek = {GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod), rossz, tetelCimke(nincs)};
            for (int i = 0; i < cimkek.size(); ++i) {
                Olvas(w, cimkek[i]);
                QVERIFY(w->isVisible());
                QCOMPARE(m_t->parbeszed.hangok, i + 1);
                QCOMPARE(w->aktualis(), elotte);
            }
            Olvas(w, tetelCimke(b.bent[2]));
        });
        valasztott = VideoValaszt(nullptr, -1);
        QVERIFY(v.kesz());
        QCOMPARE(valasztott, mezo(b.bent[2], "video").toLongLong());
        QCOMPARE(m_t->parbeszed.hibak().size(), 3);
    }

    // An expired membership and an item kept too long are told, with the
    // item, before the first item joins; the operator may go on or stop.
    void figyelmeztetesElsoTetelElott_data()
    {
        QTest::addColumn<bool>("folytat");
        QTest::newRow("folytatja") << true;
        QTest::newRow("nem folytatja") << false;
    }
    void figyelmeztetesElsoTetelElott()
    {
        QFETCH(bool, folytat);
        const Bolt b = BoltOlvas();
        const int keso = Adatbazis::ertek("SELECT MIN(azon) FROM video WHERE kint = 'N' AND azon > ?", {b.bent[2]}).toInt();
        Adatbazis::vegrehajt("UPDATE ugyfel SET dijfizetve = '2026-01-01' WHERE ugyfel = ?", {b.ugyfel});
        Adatbazis::vegrehajt("UPDATE video SET kint = 'I', ugyfel = ?, kolcsid = 999, dat_visszakell = '2026-03-01', "
                             "ido_visszakell = '10:00:00' WHERE azon = ?", {b.ugyfel, keso});
        Adatbazis::vegrehajt("UPDATE beallit SET alapfiztip = 1");
        m_t->parbeszed.kerdesValaszok = {folytat};
        Tfrm_Main& f = indit();
        VartAblak kolcs([&](Tfrm_Kolcsonzes* r) {
            QVERIFY(m_t->parbeszed.dobozok.isEmpty());   // nothing before the first item
            Olvas(r, tetelCimke(b.bent[0]));
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            const QString szoveg = m_t->parbeszed.dobozok.first().szoveg;
            QVERIFY2(szoveg.contains("A tagság lejárt") && szoveg.contains(Beolvasas::KodSzoveg(keso)), qPrintable(szoveg));
            if (!folytat) {
                QVERIFY(!r->isVisible());
                return;
            }
            Olvas(r, tetelCimke(b.bent[1]));
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);   // told once
            QCOMPARE(r->DBGrid1->rowCount(), 2);
            nyom(r, Qt::Key_Return, Qt::ControlModifier);
        });
        Olvas(&f, GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod));
        QVERIFY(kolcs.kesz());
        QCOMPARE(mezo(b.bent[0], "kint").toString(), QString(folytat ? "I" : "N"));
    }

    // Without a default period the period window comes first; F2 changes
    // the period in the rental window, and the prices with it.
    void idotartam()
    {
        const Bolt b = BoltOlvas();
        const auto ar = [&](int fiztip) {
            return Adatbazis::ertek("SELECT p.ar FROM video v JOIN fiztip_arkat p ON (p.arkat = v.arkat AND p.fiztip = ?) "
                                    "WHERE v.azon = ?", {fiztip, b.bent[0]}).toDouble();
        };
        const double ar1 = ar(1), ar2 = ar(2);
        const QString nev2 = Adatbazis::ertek("SELECT fiztip_nev FROM fiztip WHERE fiztip = 2").toString();
        QVERIFY(ar1 != ar2);
        Tfrm_Main& f = indit();
        VartAblak lanc("Tfrm_TorzsFizTip", [&](QWidget* p) { nyom(p, Qt::Key_Return); });
        lanc.majd([&](Tfrm_Kolcsonzes* r) {
            Olvas(r, tetelCimke(b.bent[0]));
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(ar1));
            VartAblak ido("Tfrm_TorzsFizTip", [&](QWidget* p) {
                auto* g = p->findChild<QTableView*>();
                for (int i = 0; i < g->model()->rowCount(); ++i)
                    if (g->model()->index(i, 0).data().toString() == nev2) g->setCurrentIndex(g->model()->index(i, 0));
                nyom(p, Qt::Key_Return);
            });
            nyom(r, Qt::Key_F2);
            QVERIFY(ido.kesz());
            QCOMPARE(r->lblIdoszak->text(), nev2);
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(ar2));
            QCOMPARE(r->focusWidget(), r->edtVonalkod);
            nyom(r, Qt::Key_Return, Qt::ControlModifier);
        });
        Olvas(&f, GyorsKereses::UgyfelKartyaSzam(b.ugyfelKod));
        QVERIFY(lanc.kesz());
        QCOMPARE(mezo(b.bent[0], "fiztip").toInt(), 2);
        QCOMPARE(mezo(b.bent[0], "ar").toDouble(), ar2);
    }
};

QTEST_MAIN(TstVonalkodosPult)
#include "tst_vonalkodos_pult.moc"
