// The rental period window: choosing a period with its name and hours,
// the quick search, the edit dialog and its refusals. What every list
// window does alike is in tst_listaablakok.
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "windows/rental/fiztip.h"
#include "windows/rental/tfrm_torzsfiztip.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>

namespace {

// Runs the maintenance window with `lepes`, then closes it with Esc.
void Karbantartasban(const std::function<void(Tfrm_TorzsFizTip*)>& lepes)
{
    VartAblak v([&](Tfrm_TorzsFizTip* a) {
        lepes(a);
        Nyom(a, Qt::Key_Escape);
    });
    TorzsFizTipKarbantart(nullptr);
}

QVariant Egy(const QString& sql, const QVariantList& p = {}) { return Adatbazis::ertek(sql, p); }
int Darab() { return Egy("SELECT COUNT(*) FROM fiztip").toInt(); }

// Every period as "key:name:hours", in key order.
QStringList Idoszakok()
{
    QStringList l;
    QSqlQuery q = Adatbazis::vegrehajt("SELECT fiztip, fiztip_nev, ora FROM fiztip ORDER BY fiztip");
    while (q.next()) l << QStringLiteral("%1:%2:%3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return l;
}

QString AktualisNev(Tfrm_TorzsFizTip* a) { return VarSzoveg(a->ertek("fiztip_nev")); }

} // namespace

class TstFizTipIdok : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    void init()
    {
        m_tel = std::make_unique<TesztTelepites>();
        m_tel->nyit();
        // Beside the delivered 1 nap (1), 2 nap (2), 3 nap (3), 1 hét (4):
        // "hetes" comes first by name but after "HETI akció" by key.
        for (const QVariantList& s : QList<QVariantList>{
                 {"Hétvége", 60}, {"HETI akció", 100}, {"hetes", 200}, {"próba", QVariant()}})
            Adatbazis::vegrehajt("INSERT INTO fiztip (fiztip_nev, ora) VALUES (?, ?)", s);
    }
    void cleanup() { m_tel.reset(); }

    void valasztasEnterrel_data()
    {
        QTest::addColumn<QString>("gepeles");
        QTest::addColumn<int>("kulcs");
        QTest::addColumn<QString>("nev");
        QTest::addColumn<int>("ora");
        QTest::newRow("első sor") << "" << 1 << "1 nap" << 24;
        QTest::newRow("het kulcssorrendben") << "het" << 6 << "HETI akció" << 100;
        QTest::newRow("ékezetes nagybetűk") << "HÉ" << 5 << "Hétvége" << 60;
        QTest::newRow("szám") << "2" << 2 << "2 nap" << 48;
        QTest::newRow("üres óra") << "pró" << 8 << "próba" << 0;
        QTest::newRow("nincs találat: marad") << "1 n%'x" << 1 << "1 nap" << 24;
    }
    void valasztasEnterrel()
    {
        QFETCH(QString, gepeles);
        QFETCH(int, kulcs);
        QFETCH(QString, nev);
        QFETCH(int, ora);
        VartAblak v([&](Tfrm_TorzsFizTip* a) {
            QCOMPARE(a->windowTitle(), QString("Kölcsönzési idők"));
            QVERIFY(a->aElfogad->isVisible() && a->aElfogad->isEnabled());
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            Gepel(a->Edit1, gepeles);
            QCOMPARE(AktualisNev(a), nev);
            QTest::keyClick(a->Edit1, Qt::Key_Return);
        });
        QString kapottNev = "?";
        int kapottOra = -5;
        QCOMPARE(TorzsFizTipValaszt(nullptr, &kapottNev, &kapottOra), kulcs);
        QCOMPARE(kapottNev, nev);
        QCOMPARE(kapottOra, ora);
    }

    // Esc: nothing chosen, the out-values untouched.
    void valasztasEsc()
    {
        VartAblak v([](Tfrm_TorzsFizTip* a) { Nyom(a, Qt::Key_Escape); });
        QString nev = "marad";
        int ora = 7;
        QCOMPARE(TorzsFizTipValaszt(nullptr, &nev, &ora), -1);
        QCOMPARE(nev, QString("marad"));
        QCOMPARE(ora, 7);
    }

    void ujSor()
    {
        const QStringList elotte = Idoszakok();
        Karbantartasban([&](Tfrm_TorzsFizTip* a) {
            VartAblak v([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                QCOMPARE(sz->windowTitle(), QString("Kölcsönzési idő"));
                QCOMPARE(QApplication::focusWidget(), sz->fiztip_nev);
                QVERIFY(sz->fiztip_nev->text().isEmpty() && sz->ora->text().isEmpty());
                Gepel(sz->fiztip_nev, "Két hét");
                QTest::keyClick(sz->fiztip_nev, Qt::Key_Return);   // on to "óra"
                QCOMPARE(QApplication::focusWidget(), sz->ora);
                Gepel(sz->ora, "336");
                QTest::keyClick(sz->ora, Qt::Key_Return);   // on to "OK", does not press it
                QVERIFY(sz->isVisible());
                QCOMPARE(QApplication::focusWidget(), sz->btnOK);
                QTest::keyClick(sz->btnOK, Qt::Key_Space);
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(a->Edit1, Qt::Key_Insert);
            // The new row is listed and current.
            QCOMPARE(a->modell()->rowCount(), 9);
            QCOMPARE(AktualisNev(a), QString("Két hét"));
        });
        QCOMPARE(Idoszakok(), elotte + QStringList{"9:Két hét:336"});
        QVERIFY(m_tel->parbeszed.hibak().isEmpty());

        // Saved for good: another connection sees the row.
        {
            QSqlDatabase masik = QSqlDatabase::addDatabase("QSQLITE", "masik");
            masik.setDatabaseName(Adatbazis::fajlUtvonal(m_tel->adatMappa()));
            QVERIFY(masik.open());
            QSqlQuery q(masik);
            QVERIFY(q.exec("SELECT ora FROM fiztip WHERE fiztip_nev = 'Két hét'"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 336);
        }
        QSqlDatabase::removeDatabase("masik");
    }

    void szerkesztes()
    {
        const QStringList elotte = Idoszakok();
        Karbantartasban([&](Tfrm_TorzsFizTip* a) {
            Gepel(a->Edit1, "3");
            VartAblak v([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                QCOMPARE(sz->fiztip_nev->text(), QString("3 nap"));
                QCOMPARE(sz->ora->text(), QString("72"));
                sz->ora->setFocus();
                sz->ora->selectAll();
                Gepel(sz->ora, "1 000");   // spaces are read past
                sz->btnOK->click();
            });
            QTest::keyClick(a->Edit1, Qt::Key_F2);
            QCOMPARE(AktualisNev(a), QString("3 nap"));
            QCOMPARE(VarEgesz(a->ertek("ora")), 1000);
        });
        QStringList vart = elotte;
        vart[2] = "3:3 nap:1000";
        QCOMPARE(Idoszakok(), vart);
    }

    void hibasMentesNyitvaMarad_data()
    {
        QTest::addColumn<QString>("ora");
        QTest::addColumn<QString>("ok");
        QTest::newRow("betűk") << "sok" << "egész számot vár";
        QTest::newRow("tört") << "1,5" << "egész számot vár";
        QTest::newRow("túl nagy") << "99999999999" << "egész számot vár";
        QTest::newRow("túl hosszú név") << "" << "legfeljebb 25 karakter";
    }
    void hibasMentesNyitvaMarad()
    {
        QFETCH(QString, ora);
        QFETCH(QString, ok);
        const QStringList elotte = Idoszakok();
        const QString nev = ora.isEmpty() ? QString(26, 'x') : QString("Hibás");
        bool nyitva = false;
        Karbantartasban([&](Tfrm_TorzsFizTip* a) {
            VartAblak v([&](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                sz->fiztip_nev->setMaxLength(100);   // as if the field took more
                sz->fiztip_nev->setText(nev);
                sz->ora->setText(ora);
                sz->btnOK->click();
                nyitva = sz->isVisible();
                QCOMPARE(sz->fiztip_nev->text(), nev);
                QCOMPARE(sz->ora->text(), ora);
                // Giving up afterwards leaves nothing behind.
                sz->btnMegsem->click();
            });
            QTest::keyClick(a->Edit1, Qt::Key_Insert);
        });
        QVERIFY(nyitva);
        const QStringList hibak = m_tel->parbeszed.hibak();
        QCOMPARE(hibak.size(), 1);
        QVERIFY2(hibak.first().startsWith("Hiányos, vagy hibás adatmegadás\n"), qPrintable(hibak.first()));
        QVERIFY2(hibak.first().contains(ok), qPrintable(hibak.first()));
        QCOMPARE(m_tel->parbeszed.dobozok.first().cim, QString("Hiba"));
        QCOMPARE(Idoszakok(), elotte);
    }

    void hibaUtanJavitva()
    {
        Karbantartasban([&](Tfrm_TorzsFizTip* a) {
            VartAblak v([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                sz->fiztip_nev->setText("Fél nap");
                sz->ora->setText("12 óra");
                sz->btnOK->click();
                QVERIFY(sz->isVisible());
                sz->ora->setText("12");
                sz->btnOK->click();
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(a->Edit1, Qt::Key_Insert);
        });
        QCOMPARE(Egy("SELECT ora FROM fiztip WHERE fiztip_nev = 'Fél nap'").toInt(), 12);
        QCOMPARE(Darab(), 9);
    }

    void keresoBillentyuvel()
    {
        Karbantartasban([&](Tfrm_TorzsFizTip* a) {
            Gepel(a->Edit1, "het");
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            QTRY_COMPARE(a->Edit1->selectedText(), QString("het"));   // typing replaces it
            Gepel(a->Edit1, "2");
            QCOMPARE(a->Edit1->text(), QString("2"));
            QCOMPARE(AktualisNev(a), QString("2 nap"));
        });
    }

    void felepites()
    {
        Tfrm_TorzsFizTip a(false);
        QCOMPARE(a.objectName(), QString("Tfrm_TorzsFizTip"));
        QCOMPARE(a.modell()->columnCount(), 1);
        QCOMPARE(a.modell()->headerData(0, Qt::Horizontal).toString(), QString("Kölcsönzési idő"));
        QStringList menu;
        for (QAction* m : a.PopupMenu1->actions()) menu << (m->isSeparator() ? "-" : m->text());
        QCOMPARE(menu, (QStringList{"Új sor", "Szerkeszt", "Sor törlése", "-", "Kereső", "-", "Elfogad", "Bezár"}));
        QStringList eszkoztar;
        for (QAction* m : a.ToolBar1->actions())
            if (!m->isSeparator() && !qobject_cast<QWidgetAction*>(m)) eszkoztar << m->text();
        QCOMPARE(eszkoztar, (QStringList{"Kereső", "Új sor", "Szerkeszt", "Sor törlése", "Elfogad", "Bezár"}));
        QCOMPARE(a.aKeres->toolTip(), QString("Ugrás a keresőbe"));
    }

private:
    std::unique_ptr<TesztTelepites> m_tel;
};

QTEST_MAIN(TstFizTipIdok)
#include "tst_fiztip_idok.moc"
