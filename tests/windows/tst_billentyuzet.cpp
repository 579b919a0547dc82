// The windows used with the keyboard alone where they used to hold the
// focus: Tab and Shift+Tab out of every grid, Enter passing a check box,
// the statement window's pages turned with keys, the detailed search's
// buttons reached with Tab, and Enter on a chart window's buttons.
#include "windows/admin/tfrm_beallit.h"
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/admin/tfrm_sql.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_keres.h"
#include "windows/app/tfrm_main.h"
#include "windows/cash/tfrm_cassa.h"
#include "windows/cash/tfrm_grafikon.h"
#include "windows/common/kodszerkeszto.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "windows/refdata/torzsadatok.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "windows/rental/tfrm_tortenet.h"
#include "windows/rental/tfrm_torzsarkat_fiztip.h"
#include "windows/rental/tfrm_torzsfiztip.h"
#include "windows/rental/tfrm_videovalaszt.h"
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "tests/windows/tesztlistaablakok.h"
#include "tests/windows/tesztsegito.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

// Every window with a grid, made and loaded as its opening operation does;
// the statement window and the search with a result in their grids.
// Some need the main window's session, so they are made after it.
std::unique_ptr<QWidget> racsosAblak(const QString& nev)
{
    if (nev == "Tfrm_SQL") {
        auto* a = new Tfrm_SQL;
        a->SqlSzerkeszto->setPlainText("SELECT video, video_nev FROM video ORDER BY video");
        a->aFuttatExecute();
        return std::unique_ptr<QWidget>(a);
    }
    if (nev == "Tfrm_Keres") {
        auto* a = new Tfrm_Keres;
        a->Edit1->setText("a");
        a->Button1Click();
        return std::unique_ptr<QWidget>(a);
    }
    return ListaAblakNyit(nev);
}

QString leiras(QWidget* w)
{
    return w ? QStringLiteral("%1 (%2)").arg(w->objectName(), w->metaObject()->className()) : QStringLiteral("none");
}

} // namespace

class TstBillentyuzet : public QObject {
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
        m_t = std::make_unique<TesztTelepites>(true);
        m_t->nyit();
        TBeall.torzsszerkeszt = true;
    }
    void cleanup() { m_t.reset(); }

    // In every grid the arrows move the current row, and Tab and Shift+Tab
    // leave the grid for another control of the window, the row kept.
    void racsbolTab_data()
    {
        QTest::addColumn<QString>("ablak");
        for (const char* n : {"Tfrm_Main", "Tfrm_TorzsTipus", "Tfrm_TorzsMufaj", "Tfrm_TorzsArkat",
                              "Tfrm_TorzsCassatip", "Tfrm_TorzsFizTip", "Tfrm_TorzsArkat_Fiztip", "Tfrm_TorzsUgyfel",
                              "Tfrm_Felhasznalo", "Tfrm_VideoValaszt", "Tfrm_Cassa", "Tfrm_Tortenet", "Tfrm_SQL",
                              "Tfrm_Keres", "Tfrm_Kolcsonzes", "Tfrm_VisszaVesz"})
            QTest::newRow(n) << QString(n);
    }
    void racsbolTab()
    {
        QFETCH(QString, ablak);
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        Kolcsonzes k(1, "Próba", 1, 24);
        const qint64 kintLevo = Adatbazis::ertek("SELECT MIN(video) FROM video WHERE kint = 'I'").toLongLong();
        Visszavetel v = Visszavetel::targybol(kintLevo);
        std::unique_ptr<QWidget> sajat;
        QWidget* a = &f;
        if (ablak == "Tfrm_Kolcsonzes") {
            auto* ak = new Tfrm_Kolcsonzes(k);
            sajat.reset(ak);
            // Two items lent, so that there is a row to move to.
            for (const char* sql : {"SELECT MIN(video) FROM video WHERE kint <> 'I'",
                                    "SELECT MAX(video) FROM video WHERE kint <> 'I'"}) {
                const qint64 tetel = Adatbazis::ertek(sql).toLongLong();
                ak->tetelValaszto = [tetel](QWidget*) { return tetel; };
                ak->aUjExecute();
            }
        } else if (ablak == "Tfrm_VisszaVesz") {
            sajat.reset(new Tfrm_VisszaVesz(v));
        } else if (ablak != "Tfrm_Main") {
            sajat = racsosAblak(ablak);
            QVERIFY(sajat);
        }
        if (sajat) a = sajat.get();
        a->show();
        QVERIFY(QTest::qWaitForWindowExposed(a));
        auto* racs = a->findChild<QTableView*>("DBGrid1");
        QVERIFY(racs);
        for (QWidget* w = racs->parentWidget(); w && w != a; w = w->parentWidget())
            if (auto* lapok = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
                lapok->setCurrentWidget(w);
        QVERIFY(racs->isVisible());
        const int sorok = racs->model()->rowCount();
        if (sorok > 0 && !racs->currentIndex().isValid())
            racs->setCurrentIndex(racs->model()->index(0, 0));

        racs->setFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(racs));
        if (sorok >= 2) {
            const int elotte = racs->currentIndex().row();
            Nyom(a, elotte + 1 < sorok ? Qt::Key_Down : Qt::Key_Up);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(racs));
            QVERIFY(racs->currentIndex().row() != elotte);
        }
        const QModelIndex sor = racs->currentIndex();
        // Where the grid is the window's only stop (its commands are on the
        // tool bar), Tab has nowhere to go, and the cell stays put.
        bool masik = false;
        for (QWidget* w : a->findChildren<QWidget*>())
            masik = masik || (w != racs && !racs->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) &&
                              w->isEnabled() && w->isVisible() && !w->focusProxy());
        for (const Qt::KeyboardModifiers mod : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
            racs->setFocus();
            Nyom(a, Qt::Key_Tab, mod);
            QWidget* most = QApplication::focusWidget();
            const QString hol = QStringLiteral("%1Tab: %2").arg(mod == Qt::NoModifier ? "" : "Shift+", leiras(most));
            if (masik) {
                QVERIFY2(most && most != racs && !racs->isAncestorOf(most), qPrintable(hol));
                QVERIFY2(a->isAncestorOf(most), qPrintable(hol));
            } else {
                QVERIFY2(most == racs, qPrintable(hol));
            }
            QCOMPARE(racs->currentIndex(), sor);
        }
    }

    // Enter passes every check box of an edit dialog without ticking it: a
    // user typed and confirmed with Enter alone is saved as no administrator.
    void enterJelolonel()
    {
        Tfrm_FelhasznaloSzerkeszt d{QString()};
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.DBEdit1));
        Gepel(d.DBEdit1, "pult");
        Nyom(&d, Qt::Key_Return);
        Gepel(d.DBEdit2, "Pult-1");
        Nyom(&d, Qt::Key_Return);
        Gepel(d.Edit1, "Pult-1");
        Nyom(&d, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.DBCheckBox1));
        Nyom(&d, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.DBCheckBox2));
        Nyom(&d, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.btnOK));
        QVERIFY(!d.DBCheckBox1->isChecked() && !d.DBCheckBox2->isChecked());
        Nyom(&d, Qt::Key_Return);
        QVERIFY2(!d.isVisible(), qPrintable(m_t->parbeszed.hibak().join('\n')));
        const auto p = Felhasznalok::Azonosit("pult", "Pult-1");
        QVERIFY(p && !p->rendszergazda && !p->torzsszerkeszt);
        // Space still ticks: a right is given on purpose.
        Tfrm_FelhasznaloSzerkeszt d2("pult");
        d2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d2));
        d2.DBCheckBox2->setFocus();
        Nyom(&d2, Qt::Key_Space);
        QVERIFY(d2.DBCheckBox2->isChecked());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d2.DBCheckBox2));
    }

    // The same in the settings window: Enter on each of its check boxes
    // moves on and leaves it as it was.
    void enterBeallitasJelolokon()
    {
        Tfrm_Beallit d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QList<QCheckBox*> jelolok = d.findChildren<QCheckBox*>();
        QVERIFY(!jelolok.isEmpty());
        for (QCheckBox* j : jelolok) {
            if (!j->isEnabled()) continue;
            for (QWidget* w = j->parentWidget(); w && w != &d; w = w->parentWidget())
                if (auto* lapok = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
                    lapok->setCurrentWidget(w);
            if (!j->isVisible()) continue;
            j->setFocus();
            const bool volt = j->isChecked();
            Nyom(&d, Qt::Key_Return);
            QVERIFY2(QApplication::focusWidget() != j, qPrintable(j->objectName()));
            QCOMPARE(j->isChecked(), volt);
            QVERIFY(d.isVisible());
        }
    }

    // After a query the "SQL" page and its editor are a key away, and back:
    // Ctrl+PgUp/PgDn, Ctrl+Tab / Ctrl+Shift+Tab and F6, the statement kept.
    void sqlLapok()
    {
        Tfrm_SQL a;
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        const QString utasitas = "SELECT video, video_nev FROM video ORDER BY video";
        a.SqlSzerkeszto->setFocus();
        a.SqlSzerkeszto->setPlainText(utasitas);
        Nyom(&a, Qt::Key_F5);
        QCOMPARE(a.PageControl1->currentWidget(), a.TabSheet2);
        a.DBGrid1->setFocus();
        struct Lepes { int billentyu; Qt::KeyboardModifiers mod; QWidget* lap; QWidget* fokusz; };
        const QList<Lepes> lepesek = {
            {Qt::Key_PageUp, Qt::ControlModifier, a.TabSheet1, a.SqlSzerkeszto},
            {Qt::Key_PageDown, Qt::ControlModifier, a.TabSheet2, a.DBGrid1},
            {Qt::Key_Tab, Qt::ControlModifier, a.TabSheet1, a.SqlSzerkeszto},
            {Qt::Key_Tab, Qt::ControlModifier, a.TabSheet2, a.DBGrid1},
            {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, a.TabSheet1, a.SqlSzerkeszto},
            {Qt::Key_F6, Qt::NoModifier, a.TabSheet2, a.DBGrid1},
            {Qt::Key_F6, Qt::NoModifier, a.TabSheet1, a.SqlSzerkeszto},
            {Qt::Key_F6, Qt::ShiftModifier, a.TabSheet2, a.DBGrid1},
        };
        for (const Lepes& l : lepesek) {
            Nyom(&a, l.billentyu, l.mod);
            QCOMPARE(a.PageControl1->currentWidget(), l.lap);
            QWidget* most = QApplication::focusWidget();
            QVERIFY2(most == l.fokusz || l.fokusz->isAncestorOf(most), qPrintable(leiras(most)));
        }
        QCOMPARE(a.SqlSzerkeszto->toPlainText(), utasitas);
        // The editor takes typing again where it is.
        Gepel(a.SqlSzerkeszto, "-- ");
        QVERIFY(a.SqlSzerkeszto->toPlainText().contains("-- "));
        QVERIFY(a.SqlSzerkeszto->toPlainText().contains(utasitas));
        QVERIFY(a.isVisible());
    }

    // On the results page Tab goes from the grid to "Nyomtat", "Megvan" and
    // "Bezár", and back; Space on "Nyomtat" prints.
    void keresGombok()
    {
        int nyomtatva = 0;
        Tfrm_Keres a(nullptr, [&](const QString&, const QVariantList&, const QString&, QWidget*) { ++nyomtatva; });
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        Gepel(a.Edit1, "a");
        Nyom(&a, Qt::Key_Return);
        QCOMPARE(a.PageControl1->currentWidget(), a.TabSheet2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.DBGrid1));
        QList<QWidget*> ut;
        for (int i = 0; i < 3; ++i) {
            Nyom(&a, Qt::Key_Tab);
            ut << QApplication::focusWidget();
        }
        QCOMPARE(ut, (QList<QWidget*>{a.Button5, a.Button3, a.Button4}));
        Nyom(&a, Qt::Key_Tab, Qt::ShiftModifier);
        Nyom(&a, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Button5));
        Nyom(&a, Qt::Key_Space);
        QCOMPARE(nyomtatva, 1);
        QVERIFY(a.isVisible());
    }

    // A chart window's buttons answer Enter and Space when they have the
    // focus: "Nyomtat" prints, "Mentés" asks for a file, "Bezár" closes.
    void grafikonGombok_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Enter a számbillentyűzeten") << int(Qt::Key_Enter);
        QTest::newRow("szóköz") << int(Qt::Key_Space);
    }
    void grafikonGombok()
    {
        QFETCH(int, billentyu);
        Tfrm_chBevKiad a;
        a.betolt("202603", "202605");
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        a.btnNyomtat->setFocus();
        Nyom(&a, billentyu, billentyu == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 1);
        QTemporaryDir mappa;
        m_t->parbeszed.fajlValaszok = {mappa.filePath("bevetel.bmp")};
        a.btnMentes->setFocus();
        Nyom(&a, billentyu, billentyu == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(QFile::exists(mappa.filePath("bevetel.bmp")));
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 1);
        QVERIFY(a.isVisible());
        a.btnBezar->setFocus();
        Nyom(&a, billentyu, billentyu == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(!a.isVisible());
        QCOMPARE(a.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TstBillentyuzet)
#include "tst_billentyuzet.moc"
