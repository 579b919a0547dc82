// What every window shares, checked on the real windows driven with keys:
// a row typed and saved with the keyboard alone, Qt's own boxes and
// dialogs in Hungarian, an icon of the icon theme on every action, the
// customer register's tool bar with captions, the row marker of the grids,
// and the frame every list window is built on.
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/admin/tfrm_sql.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_keres.h"
#include "windows/cash/tfrm_cassa.h"
#include "windows/rental/tfrm_tortenet.h"
#include "windows/app/tfrm_main.h"
#include "windows/common/ablakparbeszed.h"
#include "windows/common/keplista.h"
#include "windows/common/muvelet.h"
#include "core/common/listamodell.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "windows/refdata/torzsadatok.h"
#include "windows/rental/fiztip.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "windows/rental/tfrm_torzsarkat_fiztip.h"
#include "windows/rental/tfrm_torzsfiztip.h"
#include "windows/rental/tfrm_videovalaszt.h"
#include "tests/windows/tesztlistaablakok.h"
#include "tests/windows/tesztsegito.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

// The operator's keys in an edit dialog: "⏎" Enter, "␣" Space, "⇱" Home,
// "⇲" End; anything else is typed into the control with the focus.
void billentyuk(QWidget* d, const QStringList& lepesek)
{
    for (const QString& l : lepesek) {
        if (!d->isVisible()) return;
        if (l == QStringLiteral("⏎")) Nyom(d, Qt::Key_Return);
        else if (l == QStringLiteral("␣")) Nyom(d, Qt::Key_Space);
        else if (l == QStringLiteral("⇱")) Nyom(d, Qt::Key_Home);
        else if (l == QStringLiteral("⇲")) Nyom(d, Qt::Key_End);
        else Gepel(d->focusWidget() ? d->focusWidget() : d, l);
    }
}

int darab(const QString& sql) { return Adatbazis::ertek(sql).toInt(); }

// The actions a window made for itself ("aUj", "aTagdij"), not Qt's own.
QList<QAction*> muveletek(QWidget* ablak)
{
    static const QRegularExpression nev(QStringLiteral("^a[A-Z]"));
    QList<QAction*> l;
    for (QAction* a : ablak->findChildren<QAction*>())
        if (!a->isSeparator() && nev.match(a->objectName()).hasMatch()) l << a;
    return l;
}

// The row titles of a grid, the first few rows.
QStringList sorCimek(QTableView* racs)
{
    QStringList l;
    for (int s = 0; s < std::min(racs->model()->rowCount(), 6); ++s)
        l << racs->model()->headerData(s, Qt::Vertical, Qt::DisplayRole).toString();
    return l;
}

QStringList vartJelek(int sorok, int aktualis)
{
    QStringList l;
    for (int s = 0; s < std::min(sorok, 6); ++s) l << (s == aktualis ? SorJel : QString());
    return l;
}

// The keys of the actions list windows share, by action name.
const QHash<QString, QList<QKeySequence>>& kozosBillentyuk()
{
    static const QHash<QString, QList<QKeySequence>> h = {
        {"aUj", {QKeySequence(Qt::Key_Insert)}},
        {"aSzerkeszt", {QKeySequence(Qt::Key_F2)}},
        {"aTorol", {QKeySequence(Qt::CTRL | Qt::Key_Delete)}},
        {"aKeres", {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {"aElfogad", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}},
        {"aBezar", {QKeySequence(Qt::Key_Escape)}},
        {"aNyomtat", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {"aNyomtatKep", {QKeySequence(Qt::CTRL | Qt::Key_K)}},
        {"aExcelbe", {QKeySequence(Qt::CTRL | Qt::Key_E)}},
    };
    return h;
}


} // namespace

class TstAblakSzokasok : public QObject {
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

    // Every edit dialog: the fields filled and passed with Enter, Enter on
    // "OK" saves. The customer's row passes the date picker with Enter too.
    void billentyukkelMentettSor_data()
    {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QString>("szerkeszto");
        QTest::addColumn<QStringList>("lepesek");
        QTest::addColumn<QString>("ellenorzes");   // counts the saved row: 1
        QTest::newRow("típus") << "Tfrm_TorzsTipus" << "Tfrm_TorzsTipus_Szerkeszt"
                               << QStringList{"Laserdisc", "⏎", "⏎"}
                               << "SELECT COUNT(*) FROM tipus WHERE tipus_nev = 'Laserdisc'";
        QTest::newRow("műfaj") << "Tfrm_TorzsMufaj" << "Tfrm_TorzsMufaj_Szerkeszt"
                               << QStringList{"Némafilm", "⏎", "⏎"}
                               << "SELECT COUNT(*) FROM mufaj WHERE mufaj_nev = 'Némafilm'";
        QTest::newRow("árkategória") << "Tfrm_TorzsArkat" << "Tfrm_TorzsArkat_Szerkeszt"
                                     << QStringList{"Akciós", "⏎", "⏎"}
                                     << "SELECT COUNT(*) FROM arkat WHERE arkat_nev = 'Akciós'";
        QTest::newRow("kassza típus") << "Tfrm_TorzsCassatip" << "Tfrm_TorzsCassatip_Szerkeszt"
                                      << QStringList{"x", "⏎", "Selejt eladás", "⏎", "␣", "⏎", "⏎"}
                                      << "SELECT COUNT(*) FROM cassatip WHERE cassatip = 'X' "
                                         "AND cassatip_nev = 'Selejt eladás' AND szorzo = 1";
        QTest::newRow("kölcsönzési idő") << "Tfrm_TorzsFizTip" << "Tfrm_TorzsFizTip_Szerkeszt"
                                         << QStringList{"Hosszú hétvége", "⏎", "72", "⏎", "⏎"}
                                         << "SELECT COUNT(*) FROM fiztip WHERE fiztip_nev = 'Hosszú hétvége' AND ora = 72";
        // The period made for the purpose is the last of its list: a pair
        // that has no price yet.
        QTest::newRow("ár") << "Tfrm_TorzsArkat_Fiztip" << "Tfrm_TorzsArkat_Fiztip_Szerkeszt"
                            << QStringList{"⇲", "⏎", "⇱", "⏎", "350", "⏎", "⏎"}
                            << "SELECT COUNT(*) FROM fiztip_arkat p JOIN fiztip f ON (f.fiztip = p.fiztip) "
                               "WHERE f.fiztip_nev = 'Próbaidő' AND p.ar = 350";
        QTest::newRow("ügyfél") << "Tfrm_TorzsUgyfel" << "Tfrm_TorzsUgyfel_Szerkeszt"
                                << QStringList{"Kovács Ilona", "⏎", "⏎", "6720", "⏎", "⏎", "Tisza u. 4.", "⏎",
                                               "62/123-456", "⏎", "⏎", "⏎", "AB123456", "⏎", "⏎", "⏎"}
                                << "SELECT COUNT(*) FROM ugyfel WHERE ugyfel_nev = 'Kovács Ilona' "
                                   "AND cim_cim = 'Tisza u. 4.' AND szigszam = 'AB123456'";
    }
    void billentyukkelMentettSor()
    {
        QFETCH(QString, lista);
        QFETCH(QString, szerkeszto);
        QFETCH(QStringList, lepesek);
        QFETCH(QString, ellenorzes);
        Adatbazis::vegrehajt("INSERT INTO fiztip (fiztip_nev, ora) VALUES ('Próbaidő', 5)");
        QCOMPARE(darab(ellenorzes), 0);

        bool dialogusVolt = false, nyitvaMaradt = false;
        VartAblak varas1(lista, [&](QWidget* w) {
            VartAblak varas2(szerkeszto, [&](QWidget* d) {
                dialogusVolt = true;
                billentyuk(d, lepesek);
                nyitvaMaradt = d->isVisible();
                if (nyitvaMaradt) static_cast<QDialog*>(d)->reject();
            });
            Nyom(w, Qt::Key_Insert);
            Nyom(w, Qt::Key_Escape);
        });
        if (lista == "Tfrm_TorzsTipus") TorzsTipusMegnyit(nullptr, -1, false);
        else if (lista == "Tfrm_TorzsMufaj") TorzsMufajMegnyit(nullptr, -1, false);
        else if (lista == "Tfrm_TorzsArkat") TorzsArkatMegnyit(nullptr, -1, false);
        else if (lista == "Tfrm_TorzsCassatip") TorzsCassatipMegnyit(nullptr, QString(), false);
        else if (lista == "Tfrm_TorzsFizTip") TorzsFizTipKarbantart(nullptr);
        else if (lista == "Tfrm_TorzsArkat_Fiztip") ArBeallitas(nullptr);
        else TorzsUgyfelMegnyit(nullptr, -1, false);

        QVERIFY(dialogusVolt);
        QVERIFY2(!nyitvaMaradt, "Enter on OK left the dialog open");
        QVERIFY2(m_t->parbeszed.hibak().isEmpty(), qPrintable(m_t->parbeszed.hibak().join('|')));
        QCOMPARE(darab(ellenorzes), 1);
    }

    // Enter on the date picker moves to the next control, as on any field.
    void datumValasztoEnterrelTovabb()
    {
        QString elotte, utana;
        VartAblak varas3("Tfrm_TorzsUgyfel", [&](QWidget* w) {
            VartAblak varas4("Tfrm_TorzsUgyfel_Szerkeszt", [&](QWidget* d) {
                auto* u = static_cast<Tfrm_TorzsUgyfel_Szerkeszt*>(d);
                u->DateTimePicker1->setFocus(Qt::TabFocusReason);
                elotte = QApplication::focusWidget()->objectName();
                Nyom(d, Qt::Key_Return);
                utana = QApplication::focusWidget()->objectName();
                u->reject();
            });
            Nyom(w, Qt::Key_Insert);
            Nyom(w, Qt::Key_Escape);
        });
        TorzsUgyfelMegnyit(nullptr, -1, false);
        QCOMPARE(elotte, QString("DateTimePicker1"));
        QCOMPARE(utana, QString("btnOK"));
    }

    // The question of the real message box offers "Igen" and "Nem", and
    // the button pressed is the answer.
    void magyarKerdes_data()
    {
        QTest::addColumn<QString>("gomb");
        QTest::newRow("Igen") << "Igen";
        QTest::newRow("Nem") << "Nem";
    }
    void magyarKerdes()
    {
        QFETCH(QString, gomb);
        AblakParbeszed ablak;
        QStringList feliratok;
        VartAblak varas5([&](QWidget* w) {
            auto* m = qobject_cast<QMessageBox*>(w);
            if (!m) {
                w->close();
                return;
            }
            QAbstractButton* nyomando = nullptr;
            for (QAbstractButton* b : m->buttons()) {
                const QString f = b->text().remove('&');
                feliratok << f;
                if (f == gomb) nyomando = b;
            }
            if (nyomando) nyomando->click();
            else QTest::keyClick(m, Qt::Key_Escape);
        });
        const bool igen = ablak.doboz(nullptr, Parbeszed::Doboz::Kerdes, "Megerősítés", "Valóban töröljem a sort?");
        feliratok.sort();
        QCOMPARE(feliratok, (QStringList{"Igen", "Nem"}));
        QCOMPARE(igen, gomb == "Igen");
    }

    // Qt's file dialog (the program's own, where the desktop has none)
    // speaks Hungarian as well.
    void magyarFajlValaszto()
    {
        AblakParbeszed ablak;
        QStringList feliratok;
        VartAblak varas6([&](QWidget* w) {
            if (auto* gombok = w->findChild<QDialogButtonBox*>())
                for (QAbstractButton* b : gombok->buttons()) feliratok << b->text().remove('&');
            static_cast<QDialog*>(w)->reject();
        });
        const QString fajl = ablak.megnyitandoFajl(nullptr, "Import", QDir::tempPath(), "CSV fájlok (*.csv)");
        QVERIFY(fajl.isEmpty());
        QVERIFY2(feliratok.contains("Mégse"), qPrintable(feliratok.join('|')));
        QVERIFY2(!feliratok.contains("Cancel"), qPrintable(feliratok.join('|')));
    }

    // Every action of the main window and of every list window shows an
    // icon of the program's icon theme (a drawn letter has no theme name).
    void ikonok()
    {
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        Kolcsonzes k(1, "Próba", 1, 24);
        const qint64 kintLevo = Adatbazis::ertek("SELECT MIN(video) FROM video WHERE kint = 'I'").toLongLong();
        Visszavetel v = Visszavetel::targybol(kintLevo);
        std::vector<std::unique_ptr<QWidget>> ablakok;
        ablakok.emplace_back(new Tfrm_TorzsTipus(false));
        ablakok.emplace_back(new Tfrm_TorzsMufaj(false));
        ablakok.emplace_back(new Tfrm_TorzsArkat(false));
        ablakok.emplace_back(new Tfrm_TorzsCassatip(true));
        ablakok.emplace_back(new Tfrm_TorzsUgyfel(true));
        ablakok.emplace_back(new Tfrm_TorzsFizTip(true));
        ablakok.emplace_back(new Tfrm_TorzsArkat_Fiztip());
        ablakok.emplace_back(new Tfrm_VideoValaszt());
        ablakok.emplace_back(new Tfrm_Kolcsonzes(k));
        ablakok.emplace_back(new Tfrm_VisszaVesz(v));
        QList<QWidget*> mind{&f};
        for (const auto& a : ablakok) mind << a.get();
        int szamolt = 0;
        for (QWidget* a : mind) {
            for (QAction* m : muveletek(a)) {
                const QString hol = a->objectName() + "/" + m->objectName();
                QVERIFY2(!m->icon().isNull(), qPrintable(hol));
                QVERIFY2(!m->icon().name().isEmpty(), qPrintable(hol + ": not from the icon theme"));
                QVERIFY2(!m->icon().pixmap(16, 16).isNull(), qPrintable(hol));
                ++szamolt;
            }
        }
        QVERIFY(szamolt > 60);   // every window was searched, not none
        // The grid's mark of an item out is the icon of "Kölcsönöz".
        QCOMPARE(KepLista::szurkeNyil().toImage(), f.muvelet("aKolcsonoz")->icon().pixmap(16, 16).toImage());
    }

    // Every command's row: its name leads back to it alone, and its picture
    // is in the icon theme, also for commands no window here makes.
    void parancsKepek()
    {
        for (const ParancsSor& s : ParancsTabla) {
            const QString nev = QString::fromLatin1(s.nev);
            const ParancsSor* vissza = ParancsNevrol(nev);
            QVERIFY2(vissza && vissza->parancs == s.parancs, qPrintable(nev));
            const QIcon i = KepLista::ikon(s.parancs);
            QVERIFY2(!i.isNull() && i.name() == QLatin1String(s.ikon), qPrintable(nev));
            QCOMPARE(KepLista::ikon(nev).name(), i.name());
        }
        QVERIFY(!ParancsNevrol("aNincsIlyen"));
        QVERIFY(KepLista::ikon(QStringLiteral("aNincsIlyen")).isNull());
    }

    // The customer register's tool bar carries captions under its icons, as
    // the other list windows do, and every button is in sight.
    void ugyfelEszkoztarFeliratos()
    {
        Tfrm_TorzsUgyfel u(true);
        Tfrm_TorzsTipus t(false);
        QCOMPARE(u.ToolBar1->toolButtonStyle(), t.ToolBar1->toolButtonStyle());
        QCOMPARE(u.ToolBar1->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        u.show();
        QVERIFY(QTest::qWaitForWindowExposed(&u));
        for (QAction* a : u.ToolBar1->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            QWidget* w = u.ToolBar1->widgetForAction(a);
            QVERIFY2(w && w->isVisible(), qPrintable(a->text()));
            QVERIFY2(u.ToolBar1->rect().contains(w->geometry()), qPrintable(a->text()));
        }
        auto* tobb = u.ToolBar1->findChild<QToolButton*>("qt_toolbar_ext_button");
        QVERIFY(!tobb || !tobb->isVisible());
        // A caption is shown under each icon, not a bare letter.
        auto* tagdij = qobject_cast<QToolButton*>(u.ToolBar1->widgetForAction(u.aTagdij));
        QVERIFY(tagdij);
        QCOMPARE(tagdij->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(!tagdij->icon().name().isEmpty());
    }

    // The current row's title shows the marker, the others nothing (no row
    // numbers), in every kind of grid, and the marker follows the Down key.
    void sorJelzo_data()
    {
        QTest::addColumn<QString>("ablak");
        for (const char* a : {"Tfrm_Main", "Tfrm_TorzsTipus", "Tfrm_VideoValaszt", "Tfrm_Kolcsonzes", "Tfrm_VisszaVesz"})
            QTest::newRow(a) << a;
    }
    void sorJelzo()
    {
        QFETCH(QString, ablak);
        std::unique_ptr<Kolcsonzes> k;     // outlive the windows that show them
        std::unique_ptr<Visszavetel> v;
        std::unique_ptr<QWidget> w;
        QTableView* racs = nullptr;
        if (ablak == "Tfrm_Main") {
            Adatbazis::zar();
            auto* f = new Tfrm_Main;
            w.reset(f);
            QVERIFY(f->indult());
            racs = f->DBGrid1;
        } else if (ablak == "Tfrm_TorzsTipus") {
            auto* t = new Tfrm_TorzsTipus(false);
            w.reset(t);
            t->ujratolt();
            racs = t->DBGrid1;
        } else if (ablak == "Tfrm_VideoValaszt") {
            auto* p = new Tfrm_VideoValaszt;
            w.reset(p);
            p->megnyit(-1);
            racs = p->DBGrid1;
        } else if (ablak == "Tfrm_Kolcsonzes") {
            k = std::make_unique<Kolcsonzes>(1, "Próba", 1, 24);
            QSqlQuery q = Adatbazis::vegrehajt("SELECT video FROM video WHERE kint = 'N' ORDER BY azon LIMIT 3");
            while (q.next()) k->hozzaad(q.value(0).toLongLong());
            auto* r = new Tfrm_Kolcsonzes(*k);
            w.reset(r);
            racs = r->DBGrid1;
        } else {
            // The customer with the most items out.
            const int ugyfel = Adatbazis::ertek("SELECT ugyfel FROM video WHERE kint = 'I' GROUP BY ugyfel "
                                                "ORDER BY COUNT(*) DESC LIMIT 1").toInt();
            v = std::make_unique<Visszavetel>(ugyfel, "Próba");
            auto* r = new Tfrm_VisszaVesz(*v);
            w.reset(r);
            racs = r->DBGrid1;
        }
        const int sorok = racs->model()->rowCount();
        QVERIFY2(sorok >= 2, qPrintable(QString::number(sorok)));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int elso = racs->currentIndex().row();
        QVERIFY(elso >= 0 && elso + 1 < sorok);
        QCOMPARE(sorCimek(racs), vartJelek(sorok, elso));
        racs->setFocus();
        QTest::keyClick(racs, Qt::Key_Down);
        QCOMPARE(racs->currentIndex().row(), elso + 1);
        QCOMPARE(sorCimek(racs), vartJelek(sorok, elso + 1));
    }

    // Every list window on the one frame: one grid "DBGrid1" in the grid
    // look, the shared actions with their shared keys (the statement window's
    // "Új SQL" is a new statement, Ctrl+N, and its "Bezár" has no key: Esc
    // would lose the statement being typed), and a
    // quick search that, emptied or given spaces only, leaves the row.
    void listaKeret_data()
    {
        QTest::addColumn<QString>("ablak");
        for (const char* a : {"Tfrm_TorzsTipus", "Tfrm_TorzsMufaj", "Tfrm_TorzsArkat", "Tfrm_TorzsCassatip",
                              "Tfrm_TorzsFizTip", "Tfrm_TorzsArkat_Fiztip", "Tfrm_TorzsUgyfel", "Tfrm_Felhasznalo",
                              "Tfrm_VideoValaszt", "Tfrm_Cassa", "Tfrm_Tortenet", "Tfrm_SQL", "Tfrm_Keres"})
            QTest::newRow(a) << a;
    }
    void listaKeret()
    {
        QFETCH(QString, ablak);
        std::unique_ptr<QDialog> a = ListaAblakNyit(ablak);
        QCOMPARE(a->objectName(), ablak);
        const QList<QTableView*> racsok = a->findChildren<QTableView*>();
        QCOMPARE(racsok.size(), 1);
        QTableView* racs = racsok.first();
        QCOMPARE(racs->objectName(), QString("DBGrid1"));
        QCOMPARE(racs->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(racs->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(racs->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!racs->horizontalHeader()->sectionsClickable());
        int kozos = 0;
        for (QAction* m : muveletek(a.get())) {
            if (!kozosBillentyuk().contains(m->objectName())) continue;
            ++kozos;
            if (ablak == "Tfrm_SQL" && m->objectName() == "aBezar") QVERIFY(m->shortcuts().isEmpty());
            else if (ablak == "Tfrm_SQL" && m->objectName() == "aUj")
                QCOMPARE(m->shortcuts(), QList{QKeySequence(Qt::CTRL | Qt::Key_N)});
            else QCOMPARE(m->shortcuts(), kozosBillentyuk().value(m->objectName()));
        }
        if (ablak != "Tfrm_Keres") QVERIFY(kozos > 0);   // the search window works with buttons

        auto* kereso = a->findChild<QLineEdit*>("Edit1");
        if (!kereso || !qobject_cast<QToolBar*>(kereso->parentWidget())) return;
        QVERIFY2(racs->model()->rowCount() >= 2, "two rows to stay on");
        racs->setCurrentIndex(racs->model()->index(1, 0));
        kereso->setText("   ");
        QCOMPARE(racs->currentIndex().row(), 1);
        kereso->setText(QString());
        QCOMPARE(racs->currentIndex().row(), 1);
        QCOMPARE(racs->model()->headerData(1, Qt::Vertical).toString(), SorJel);
    }
};

QTEST_MAIN(TstAblakSzokasok)
#include "tst_ablakszokasok.moc"
