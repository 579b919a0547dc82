// Late fees at the counter, driven with the operator's keys: the rules typed
// into the settings window's table, the return window proposing each
// overdue item's fee (F6 changes it, Shift+F6 clears it) and storing what
// was accepted, and the overdue follow-up from the "Nyomtatások" menu.
// With KAZETTORA_KEPEK set, pictures of the two windows are saved there.
#include "windows/admin/kesedelemtabla.h"
#include "windows/admin/tfrm_beallit.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/reports/tfrm_nyomtatastipus.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/rental/kesedelem.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(QStringLiteral("%1/kesedelem-%2.png").arg(mappa, nev));
}

// Three price categories; "Új film" has a rule already.
void kategoriak()
{
    Adatbazis::vegrehajt("DELETE FROM arkat");
    Adatbazis::vegrehajt("INSERT INTO arkat (arkat, arkat_nev) VALUES (1, 'Akció'), (2, 'Normál'), (3, 'Új film')");
    Adatbazis::vegrehajt("INSERT INTO kesedelem (arkat, turelem, napidij, plafon) VALUES (3, 1, 100, NULL)");
}

// Customer 1 holds items 1 (category 1, 300 a day, due 2 days 5.5 hours
// ago: 900), 2 (category 2, 250 a day capped at 500, due 4 days ago: 500)
// and 3 (due tomorrow); each lent for 500.
void kintLevok()
{
    Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, torolve) VALUES (1, 1, 'Kiss Anna', 'N')");
    const QVariantList t[] = {{1, 1, "Mátrix", "2026-03-12", "10:00:00"},
                              {2, 2, "Titanic", "2026-03-10", "15:30:00"},
                              {3, 1, "Vuk", "2026-03-15", "15:30:00"}};
    for (const QVariantList& v : t)
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, arkat, video_nev, kint, torolve, ugyfel, kolcsid, fiztip, "
                             "ar, dat_visszakell, ido_visszakell) VALUES (?, 1, ?, ?, 'I', 'N', 1, 1, 1, 500, ?, ?)",
                             v);
    Kesedelem::Ment({{1, "a", KesedelmiSzabaly{0, 300, 0}}, {2, "b", KesedelmiSzabaly{2, 250, 500}}});
}

// Replaces the current cell's text as typed: F2 opens it with its text
// selected, Enter stores it and leaves the focus in the table.
void cellaba(QWidget* ablak, const QString& szoveg)
{
    Nyom(ablak, Qt::Key_F2);
    QWidget* szerkeszto = QApplication::focusWidget();
    QVERIFY2(qobject_cast<QLineEdit*>(szerkeszto), szerkeszto ? szerkeszto->metaObject()->className() : "none");
    if (szoveg.isEmpty()) Nyom(ablak, Qt::Key_Backspace);
    else Gepel(szerkeszto, szoveg);
    QWidget* tabla = szerkeszto->parentWidget()->parentWidget();
    Nyom(ablak, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), tabla);
}

} // namespace

class TstKesedelemAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;

    // The settings window on its "Késedelem" page, the focus in the rules table.
    static void tablaig(Tfrm_Beallit& a)
    {
        for (int i = 0; i < 5 && a.PageControl1->currentWidget() != a.TabSheet5; ++i)
            Nyom(&a, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(a.PageControl1->currentWidget(), static_cast<QWidget*>(a.TabSheet5));
        for (int i = 0; i < 20 && a.focusWidget() != a.TabSheet5->tblKesedelem; ++i) Nyom(&a, Qt::Key_Tab);
        QCOMPARE(a.focusWidget(), static_cast<QWidget*>(a.TabSheet5->tblKesedelem));
    }
    static void okGomb(Tfrm_Beallit& a)
    {
        for (int i = 0; i < 20 && a.focusWidget() != a.btnOK; ++i) Nyom(&a, Qt::Key_Tab);
        QCOMPARE(a.focusWidget(), static_cast<QWidget*>(a.btnOK));
        Nyom(&a, Qt::Key_Return);
    }
    QStringList szabalyok() const
    {
        return Lemezen(m_t->adatMappa(), "SELECT arkat, turelem, napidij, plafon FROM kesedelem ORDER BY arkat");
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
        TBeall.elorefizet = false;
    }
    void cleanup() { m_t.reset(); }

    // A row per category in name order; typed values saved with OK, an
    // emptied row losing its rule.
    void szabalyokBeirva()
    {
        kategoriak();
        Tfrm_Beallit a;
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        tablaig(a);
        QTableWidget* t = a.TabSheet5->tblKesedelem;
        QCOMPARE(a.PageControl1->tabText(a.PageControl1->indexOf(a.TabSheet5)), QString("Késedelem"));
        QCOMPARE(t->rowCount(), 3);
        QCOMPARE(t->item(0, 0)->text(), QString("Akció"));
        QCOMPARE(t->item(2, 0)->text(), QString("Új film"));
        QCOMPARE(t->item(2, 1)->text(), QString("1"));
        QCOMPARE(t->item(2, 3)->text(), QString());
        QCOMPARE(t->currentRow(), 0);
        QCOMPARE(t->currentColumn(), 1);
        cellaba(&a, "2");
        Nyom(&a, Qt::Key_Right);
        cellaba(&a, "250");
        Nyom(&a, Qt::Key_Right);
        cellaba(&a, "500");
        Nyom(&a, Qt::Key_Down);
        Nyom(&a, Qt::Key_Left);
        cellaba(&a, "300,5");
        Nyom(&a, Qt::Key_Down);
        cellaba(&a, "");
        Nyom(&a, Qt::Key_Left);
        cellaba(&a, "");
        QCOMPARE(t->item(0, 2)->text(), QString("250"));
        kep(&a, "beallitas");
        okGomb(a);
        QVERIFY2(!a.isVisible(), qPrintable(m_t->parbeszed.hibak().join('\n')));
        QCOMPARE(szabalyok(), (QStringList{"1|2|250|500", "2|0|300.5|∅"}));
    }

    // A value that is not one is refused with a Hungarian message, the
    // window stays open on the cell, and nothing of the window is saved.
    void rosszErtek_data()
    {
        QTest::addColumn<int>("oszlop");
        QTest::addColumn<QString>("ertek");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("betu a dijban") << 2 << "abc" << "Nem megfelelő érték: „abc”.\nA(z) „Akció” árkategória: a napi díj csak nem negatív összeg lehet.";
        QTest::newRow("negativ plafon") << 3 << "-5" << "Nem megfelelő érték: „-5”.\nA(z) „Akció” árkategória: a plafon csak nem negatív összeg lehet.";
        QTest::newRow("tort ora") << 1 << "1,5" << "Nem megfelelő érték: „1,5”.\nA(z) „Akció” árkategória: a türelmi idő 0 és 8760 közötti egész óraszám lehet.";
    }
    void rosszErtek()
    {
        QFETCH(int, oszlop);
        QFETCH(QString, ertek);
        QFETCH(QString, uzenet);
        kategoriak();
        const QStringList elotte = szabalyok();
        const QStringList beallitElotte = Lemezen(m_t->adatMappa(), "SELECT * FROM beallit");
        Tfrm_Beallit a;
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        a.DBCheckBox3->setChecked(!a.DBCheckBox3->isChecked());   // another page's change, not to be saved either
        tablaig(a);
        for (int i = 1; i < oszlop; ++i) Nyom(&a, Qt::Key_Right);
        cellaba(&a, ertek);
        okGomb(a);
        QVERIFY(a.isVisible());
        QCOMPARE(m_t->parbeszed.hibak(), QStringList{uzenet});
        QCOMPARE(a.PageControl1->currentWidget(), static_cast<QWidget*>(a.TabSheet5));
        QCOMPARE(a.TabSheet5->tblKesedelem->currentColumn(), oszlop);
        QCOMPARE(szabalyok(), elotte);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT * FROM beallit"), beallitElotte);
    }

    // F4 on an item: the overdue ones come with their fees; F6 changes the
    // current one's, Shift+F6 clears it; Ctrl+Enter stores the accepted fee
    // in the price and the cash row.
    void visszavetel()
    {
        kintLevok();
        const int cassaElotte = Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt();
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(!TBeall.elorefizet);
        Gepel(f.Edit1, "1");
        m_t->parbeszed.szamValaszok = {450, -5};
        VartAblak v([&](Tfrm_VisszaVesz* r) {
            QTableWidget* g = r->DBGrid1;
            QCOMPARE(g->rowCount(), 3);
            QCOMPARE(g->horizontalHeaderItem(5)->text(), QString("Késedelmi díj"));
            QCOMPARE(g->item(0, 5)->text(), FtMaszk(900));
            QCOMPARE(g->item(1, 5)->text(), FtMaszk(500));
            QCOMPARE(g->item(2, 5)->text(), QString());
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(1500 + 1400));
            kep(r, "visszavetel");
            QCOMPARE(r->aktualis(), 0);
            Nyom(r, Qt::Key_F6);
            QCOMPARE(m_t->parbeszed.szamKerdesek.size(), 1);
            QCOMPARE(m_t->parbeszed.szamKerdesek[0].javasolt, 900.0);
            QCOMPARE(g->item(0, 5)->text(), FtMaszk(450));
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(1500 + 450 + 500));
            Nyom(r, Qt::Key_Down);
            Nyom(r, Qt::Key_F6, Qt::ShiftModifier);
            QCOMPARE(g->item(1, 5)->text(), QString());
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(1500 + 450));
            // A negative fee is refused, a cancelled dialog changes nothing.
            Nyom(r, Qt::Key_Up);
            Nyom(r, Qt::Key_F6);
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nem megfelelő érték."});
            QCOMPARE(g->item(0, 5)->text(), FtMaszk(450));
            Nyom(r, Qt::Key_F6);
            QCOMPARE(g->item(0, 5)->text(), FtMaszk(450));
            // The item due tomorrow stays out.
            g->setCurrentCell(2, 0);
            Nyom(r, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(r->lblOsszeg->text(), FtMaszk(1000 + 450));
            Nyom(r, Qt::Key_Return, Qt::ControlModifier);
        });
        Nyom(&f, Qt::Key_F4);
        QVERIFY(v.kesz());
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT azon, kint, ar FROM video ORDER BY azon"),
                 (QStringList{"1|N|950", "2|N|500", "3|I|500"}));
        const QStringList cassa = Lemezen(m_t->adatMappa(), "SELECT cassatip, ugyfel, osszeg FROM cassa ORDER BY cassa");
        QCOMPARE(cassa.size(), cassaElotte + 1);
        QCOMPARE(cassa.last(), QString("B|1|1450"));
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
    }

    // The two reports in the "Nyomtatások" menu: the chooser's third
    // choice writes a PDF file, the second opens the preview; with nobody
    // overdue the operator is told so and nothing is asked.
    void nyomtatasok()
    {
        kintLevok();
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QMenu* menu = nullptr;
        for (QAction* m : f.menuBar()->actions())
            if (m->text().remove('&') == "Nyomtatások") menu = m->menu();
        QVERIFY(menu);
        QAction* lista = f.muvelet("aNyomKesedelmes");
        QAction* levelek = f.muvelet("aNyomFelszolito");
        QVERIFY(menu->actions().contains(lista) && menu->actions().contains(levelek));
        QCOMPARE(lista->text(), QString("Késedelmes ügyfelek"));
        QCOMPARE(levelek->text(), QString("Felszólító levelek"));

        const QString fajl = m_t->mappa() + "/kesedelmes.pdf";
        m_t->parbeszed.fajlValaszok = {fajl};
        {
            VartAblak v([&](Tfrm_NyomtatasTipus* d) {
                QCOMPARE(d->Tipus[2]->text(), QString("PDF fájl"));
                Nyom(d, Qt::Key_Down);
                Nyom(d, Qt::Key_Down);
                Nyom(d, Qt::Key_Return);
            });
            lista->trigger();
        }
        const QStringList o = PdfOldalak(fajl);
        QCOMPARE(o.size(), 1);
        QVERIFY2(o[0].contains("Késedelmes ügyfelek") && o[0].contains("Kiss Anna"), qPrintable(o[0]));
        {
            VartAblak v([&](Tfrm_NyomtatasTipus* d) {
                Nyom(d, Qt::Key_Down);
                Nyom(d, Qt::Key_Return);
            });
            levelek->trigger();
        }
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        QVERIFY(ny[0].elonezet);
        QCOMPARE(ny[0].cim, QString("Felszólító levelek"));
        QVERIFY(PdfOldalak(ny[0].pdf).value(0).contains("Tisztelt Kiss Anna!"));
        QVERIFY(m_t->parbeszed.hibak().isEmpty());

        Adatbazis::vegrehajt("UPDATE video SET dat_visszakell = '2026-04-01'");
        {
            VartAblak soha(VartAblak::Soha<Tfrm_NyomtatasTipus>{});
            levelek->trigger();
        }
        QCOMPARE(m_t->parbeszed.dobozok.last().szoveg,
                 QString("Nincs késedelmes ügyfél: egy kint lévő tétel határideje sem járt le."));
    }
};

QTEST_MAIN(TstKesedelemAblak)
#include "tst_kesedelem_ablak.moc"
