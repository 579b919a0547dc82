// The main window driven headless with the operator's keys: quick search,
// sort switching, the filter, font size, colours, start-up failures.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/app/videoracs.h"
#include "windows/common/bevitel.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "windows/refdata/torzsablak.h"
#include "tests/windows/tesztfoablak.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QClipboard>
#include <QtTest>

namespace {
QString cim(Tfrm_Main& f) { return VarSzoveg(f.Tbl.ertek("video_nev")); }
int kod(Tfrm_Main& f) { return VarEgesz(f.Tbl.ertek("azon")); }

// The caption the window system shows. Qt adds the application's display
// name, when one was set, after the window's own title (unless the title
// already ends with it); without one, applicationDisplayName() merely
// follows the application's name, which tells the two cases apart.
QString rendszerCim(const QWidget* w)
{
    const QString nev = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(nev + QStringLiteral("-próba"));
    const bool vanKijelzettNev = QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(nev);
    const QString cim = w->windowTitle();
    const QString kijelzett = QGuiApplication::applicationDisplayName();
    if (!vanKijelzettNev || cim.endsWith(kijelzett)) return cim;
    return cim + QStringLiteral(" \u2014 ") + kijelzett;
}

} // namespace

class TstFofrm : public FoablakTeszt {
    Q_OBJECT
private slots:
    void indulas()
    {
        Tfrm_Main& f = indit();
        QCOMPARE(f.windowTitle(), QString("Kazettora: [Mozimánia Videotéka]"));
        QCOMPARE(f.StatusPanel[2]->text(), QString("Sorrend: kód"));
        QCOMPARE(f.Tbl.aktualis(), 0);
        QCOMPARE(kod(f), 1);
        QVERIFY(f.muvelet("aKeres1")->isChecked());
        QVERIFY(!f.muvelet("aSzur")->isChecked());
        QCOMPARE(QApplication::focusWidget(), f.Edit1);
        QVERIFY(TBeall.rendszergazda && TBeall.torzsszerkeszt);   // login switched off
        QCOMPARE(f.TblModell->rowCount(), Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt());
        // Every action of the table exists with its caption as hint.
        QAction* a = f.muvelet("aKolcsonoz");
        QVERIFY(a);
        QCOMPARE(a->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(a->toolTip(), QString("Kölcsönöz"));
    }

    // Every command of the window's table: an action under its own name
    // with its caption and keys, enabled, within the operator's reach (a
    // menu, a tool bar, a tool button's menu or the grid's menu).
    void parancsokElerhetok()
    {
        Tfrm_Main& f = indit();
        QSet<QAction*> elerheto;
        for (QAction* m : f.menuBar()->actions())
            if (m->menu())
                for (QAction* a : m->menu()->actions()) elerheto << a;
        for (QWidget* w : {static_cast<QWidget*>(f.ToolBar1), static_cast<QWidget*>(f.ToolBar2),
                           static_cast<QWidget*>(f.DBGrid1)})
            for (QAction* a : w->actions()) elerheto << a;
        for (QToolButton* b : f.ToolBar2->findChildren<QToolButton*>()) {
            if (b->defaultAction()) elerheto << b->defaultAction();
            if (b->menu())
                for (QAction* a : b->menu()->actions()) elerheto << a;
        }
        QSet<QString> nevek;
        for (const Tfrm_Main::FoParancs& s : Tfrm_Main::parancsSorok()) {
            const QString nev = ParancsNev(s.parancs);
            QVERIFY2(!nevek.contains(nev), qPrintable(nev + ": two rows"));
            nevek << nev;
            QAction* a = f.muvelet(nev);
            QVERIFY2(a && a == f.muvelet(s.parancs), qPrintable(nev));
            QCOMPARE(a->objectName(), nev);
            QCOMPARE(a->text(), QString::fromUtf8(s.felirat));
            QCOMPARE(a->toolTip(), QString::fromUtf8(s.felirat));
            QVERIFY2(a->isEnabled(), qPrintable(nev));
            QVERIFY2(elerheto.contains(a), qPrintable(nev + ": in no menu or tool bar"));
        }
        QCOMPARE(f.muvelet("aTorol")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(f.muvelet("aKeres1")->shortcut(), QKeySequence());
        QVERIFY(!f.muvelet("aElfogad"));   // a command of other windows
    }

    // A command that needs the administrator's right is refused, before its
    // window opens, to a user without it; with the right it opens.
    void rendszergazdaJog_data()
    {
        QTest::addColumn<QString>("muvelet");
        for (const Tfrm_Main::FoParancs& s : Tfrm_Main::parancsSorok())
            if (s.jog == Tfrm_Main::Jog::Rendszergazda) QTest::newRow(s.felirat) << ParancsNev(s.parancs);
    }
    void rendszergazdaJog()
    {
        QFETCH(QString, muvelet);
        QStringList nyitott;
        FoablakKapcsolatok k;
        k.felhasznalok = [&](QWidget*) { nyitott << "felhasznalok"; };
        k.sql = [&](QWidget*) { nyitott << "sql"; };
        k.beallitas = [&](QWidget*) { nyitott << "beallitas"; };
        k.tetelImport = [&](QWidget*, std::function<void(qint64)>) { nyitott << "import"; };
        Tfrm_Main& f = FoablakIndit(m_f, m_t->parbeszed, k);
        TBeall.rendszergazda = false;
        f.muvelet(muvelet)->trigger();
        QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nincs jogosultság a művelethez."});
        QVERIFY(nyitott.isEmpty());
        TBeall.rendszergazda = true;
        f.muvelet(muvelet)->trigger();
        if (muvelet == "aAtvetel") {
            // No window of its own: with the right it gets as far as saying
            // that a shop's data is not replaced.
            QVERIFY(nyitott.isEmpty());
            QCOMPARE(m_t->parbeszed.hibak().size(), 2);
            QVERIFY(m_t->parbeszed.hibak().at(1).startsWith("Régi adatokat csak"));
            return;
        }
        QCOMPARE(nyitott.size(), 1);
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
    }

    // Whatever is committed shows in the list at once, made by any window
    // or none; the current item stays. Nothing shows before the commit.
    void valtozasFrissitiAListat()
    {
        Tfrm_Main& f = indit();
        QTest::keyClicks(f.Edit1, "17");
        const qint64 video = f.Tbl.aktualisKulcs();
        const QString regi = cim(f);
        {
            Adatbazis::Tranzakcio t;
            Adatbazis::vegrehajt("UPDATE video SET video_nev = 'Átírt cím' WHERE video = ?", {video});
            QCOMPARE(cim(f), regi);
            t.jovahagy();
        }
        QCOMPARE(f.Tbl.aktualisKulcs(), video);
        QCOMPARE(cim(f), QString("Átírt cím"));
        QCOMPARE(f.DBGrid1->currentIndex().row(), f.Tbl.aktualis());
        QCOMPARE(f.TblModell->index(f.Tbl.aktualis(), f.TblModell->fieldIndex("video_nev")).data().toString(),
                 QString("Átírt cím"));
    }

    // The rental gets the current item and the choices the window was
    // given; refused without a commit (another counter lent the item
    // meanwhile), the list still shows what is stored.
    void kolcsonzesAtadottAblakkal()
    {
        qint64 kapott = -1;
        int ugyfel = 0;
        bool tobbiAPrograme = false;
        FoablakKapcsolatok k;
        k.kolcsonzesUt.ugyfelValaszto = [](QWidget*) { return 42; };
        k.kolcsonzes = [&](QWidget*, qint64 video, const KolcsonzesUt& ut) {
            kapott = video;
            ugyfel = ut.ugyfelValaszto(nullptr);
            tobbiAPrograme = ut.idoValaszto && ut.nyugta;
            Adatbazis::vegrehajt("UPDATE video SET kint = 'I' WHERE video = ?", {video});
            return false;
        };
        Tfrm_Main& f = FoablakIndit(m_f, m_t->parbeszed, k);
        QTest::keyClicks(f.Edit1, Adatbazis::ertek("SELECT MIN(azon) FROM video WHERE kint = 'N'").toString());
        QCOMPARE(VarSzoveg(f.Tbl.ertek("kint")), QString("N"));
        const qint64 video = f.Tbl.aktualisKulcs();
        f.muvelet(Parancs::Kolcsonoz)->trigger();
        QCOMPARE(kapott, video);
        QCOMPARE(ugyfel, 42);
        QVERIFY(tobbiAPrograme);
        QCOMPARE(f.Tbl.aktualisKulcs(), video);
        QCOMPARE(VarSzoveg(f.Tbl.ertek("kint")), QString("I"));
    }

    // Each caption exactly the window's own: the main window, a list window
    // and its edit dialog, which is wide enough to show its caption whole.
    void ablakCimek()
    {
        Tfrm_Main& f = indit();
        QCOMPARE(rendszerCim(&f), QString("Kazettora: [Mozimánia Videotéka]"));
        QString lista, szerkeszto;
        int szeles = 0;
        VartAblak varas1("Tfrm_TorzsMufaj", [&](QWidget* w) {
            lista = rendszerCim(w);
            VartAblak varas2("Tfrm_TorzsMufaj_Szerkeszt", [&](QWidget* d) {
                szerkeszto = rendszerCim(d);
                szeles = d->width();
                Nyom(d, Qt::Key_Escape);
            });
            Nyom(w, Qt::Key_Insert);
            Nyom(w, Qt::Key_Escape);
        });
        f.muvelet("aMufaj")->trigger();
        QCOMPARE(lista, QString("Műfajok"));
        QCOMPARE(szerkeszto, QString("Műfaj szerkesztés"));
        QVERIFY2(szeles >= CimSzelesseg(szerkeszto), qPrintable(QString::number(szeles)));
    }

    // A name renamed or deleted in its window shows in the item list at
    // once; the current item stays.
    void torzsNevekFrissulnek_data()
    {
        QTest::addColumn<QString>("muvelet");
        QTest::addColumn<QString>("ablak");
        QTest::addColumn<QString>("szerkeszto");
        QTest::addColumn<QString>("mezo");
        QTest::addColumn<int>("enterek");   // to "OK" and on it; 0: the row is deleted
        QTest::addColumn<QString>("kod");   // the item shown
        QTest::newRow("típus átnevezve") << "aTipusok" << "Tfrm_TorzsTipus" << "Tfrm_TorzsTipus_Szerkeszt" << "tipus_nev" << 2 << "17";
        QTest::newRow("műfaj átnevezve") << "aMufaj" << "Tfrm_TorzsMufaj" << "Tfrm_TorzsMufaj_Szerkeszt" << "mufaj_nev" << 2 << "17";
        QTest::newRow("árkategória átnevezve") << "aArkat" << "Tfrm_TorzsArkat" << "Tfrm_TorzsArkat_Szerkeszt" << "arkat_nev" << 2 << "17";
        QTest::newRow("típus törölve") << "aTipusok" << "Tfrm_TorzsTipus" << QString() << "tipus_nev" << 0 << "17";
        QTest::newRow("ügyfél átnevezve") << "aUgyfelek" << "Tfrm_TorzsUgyfel" << "Tfrm_TorzsUgyfel_Szerkeszt" << "ugyfel_nev" << 11 << "7";
    }
    void torzsNevekFrissulnek()
    {
        QFETCH(QString, muvelet);
        QFETCH(QString, ablak);
        QFETCH(QString, szerkeszto);
        QFETCH(QString, mezo);
        QFETCH(int, enterek);
        QFETCH(QString, kod);
        Tfrm_Main& f = indit();
        QTest::keyClicks(f.Edit1, kod);
        const qint64 video = f.Tbl.aktualisKulcs();
        const QString regi = VarSzoveg(f.Tbl.ertek(mezo));
        QVERIFY(!regi.isEmpty());
        const QString uj = enterek == 0 ? QString() : QStringLiteral("Átnevezett");
        if (enterek == 0) m_t->parbeszed.kerdesValaszok << true;
        QString talalt;
        VartAblak varas3(ablak, [&](QWidget* w) {
            auto* a = static_cast<TorzsAblak*>(w);
            if (QAction* nevSzerint = a->findChild<QAction*>("aKeresNev")) nevSzerint->trigger();
            Gepel(a->Edit1, regi);
            talalt = VarSzoveg(a->ertek(mezo));
            if (enterek == 0) {
                Nyom(w, Qt::Key_Delete, Qt::ControlModifier);
            } else {
                VartAblak varas4(szerkeszto, [&](QWidget* d) {
                    Nyom(d, Qt::Key_A, Qt::ControlModifier);
                    Gepel(d->focusWidget(), uj);
                    for (int i = 0; i < enterek && d->isVisible(); ++i) Nyom(d, Qt::Key_Return);
                    if (d->isVisible()) static_cast<QDialog*>(d)->reject();
                });
                Nyom(w, Qt::Key_F2);
            }
            Nyom(w, Qt::Key_Escape);
        });
        f.muvelet(muvelet)->trigger();
        QCOMPARE(talalt, regi);
        QCOMPARE(f.Tbl.aktualisKulcs(), video);
        QCOMPARE(VarSzoveg(f.Tbl.ertek(mezo)), uj);
        const int oszlop = f.TblModell->fieldIndex(mezo);
        if (oszlop >= 0) QCOMPARE(f.TblModell->index(f.Tbl.aktualis(), oszlop).data().toString(), uj);
    }

    // A hand scanner types a label's eight digits and Enter, 5 ms apart:
    // the item of the code the label carries, its check digit dropped.
    void vonalkodBeolvasas()
    {
        Tfrm_Main& f = indit();
        QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
        // Item 1's label: read as a number it would be code 17.
        for (QChar c : QString("00000017")) QTest::keyClick(f.Edit1, c.toLatin1(), Qt::NoModifier, 5);
        QTest::keyClick(f.Edit1, Qt::Key_Return, Qt::NoModifier, 5);
        QCOMPARE(kod(f), 1);
        // A label with a wrong check digit goes no further than its code took the row.
        f.Edit1->clear();
        QTest::keyClicks(f.Edit1, "00000012");
        QCOMPARE(kod(f), 1);
    }

    void kodKereses()
    {
        Tfrm_Main& f = indit();
        QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f.Edit1);
        QTest::keyClicks(f.Edit1, "4");
        QCOMPARE(kod(f), 4);
        QTest::keyClicks(f.Edit1, "2");
        QCOMPARE(kod(f), 42);
        QCOMPARE(f.DBGrid1->currentIndex().row(), f.Tbl.aktualis());
        // Letters cannot be typed in code mode.
        QTest::keyClicks(f.Edit1, "ab");
        QCOMPARE(f.Edit1->text(), QString("42"));
        // A code that does not exist leaves the row where it was.
        QTest::keyClicks(f.Edit1, "999");
        QCOMPARE(kod(f), 42);
        // Down in the field walks the list.
        QTest::keyClick(f.Edit1, Qt::Key_Down);
        QCOMPARE(kod(f), 43);
        // A paste with a letter in it is refused whole; digits are taken.
        f.Edit1->clear();
        QApplication::clipboard()->setText("12a");
        QTest::keyClick(f.Edit1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.Edit1->text(), QString());
        QApplication::clipboard()->setText("12");
        QTest::keyClick(f.Edit1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.Edit1->text(), QString("12"));
        // In title mode the same paste goes in.
        f.muvelet("aKeres2")->trigger();
        QApplication::clipboard()->setText("12a");
        QTest::keyClick(f.Edit1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.Edit1->text(), QString("12a"));
    }

    void cimKeresesEsRendezes()
    {
        Tfrm_Main& f = indit();
        QTest::keyClicks(f.Edit1, "17");
        const qint64 video = f.Tbl.aktualisKulcs();
        f.muvelet("aKeres2")->trigger();
        QCOMPARE(f.StatusPanel[2]->text(), QString("Sorrend: cím"));
        QVERIFY(f.Edit1->text().isEmpty());
        // Emptying the field moved to the first row in title order.
        QCOMPARE(f.Tbl.aktualis(), 0);
        QCOMPARE(cim(f), Adatbazis::ertek("SELECT video_nev FROM video ORDER BY video_nev COLLATE HU, video LIMIT 1").toString());
        // Titles in the Hungarian order.
        for (int i = 0; i + 1 < f.TblModell->rowCount(); ++i) {
            const QString a = VarSzoveg(f.Tbl.lista().ertek(i, "video_nev"));
            const QString b = VarSzoveg(f.Tbl.lista().ertek(i + 1, "video_nev"));
            QVERIFY2(Adatbazis::ertek("SELECT ? <= ? COLLATE HU", {a, b}).toInt() == 1, qPrintable(a + " / " + b));
        }
        Gepel(f.Edit1, "mát");
        QVERIFY2(cim(f).startsWith("Mátrix"), qPrintable(cim(f)));
        f.Edit1->clear();
        // ö and ő are one letter of the order: the nearest "őr…" is "Ördögi kör".
        Gepel(f.Edit1, "ŐR");
        QCOMPARE(cim(f), QString("Ördögi kör"));
        Gepel(f.Edit1, "Ü");
        QCOMPARE(cim(f), QString("Őrült nők ketrece"));
        f.Edit1->clear();
        Gepel(f.Edit1, "őrü");
        QCOMPARE(cim(f), QString("Őrült nők ketrece"));
        // A quote or a percent sign is just a character: no match, no move.
        Gepel(f.Edit1, "'%");
        QCOMPARE(cim(f), QString("Őrült nők ketrece"));

        // Re-sorting keeps the current row.
        f.Edit1->clear();
        f.muvelet("aKeres1")->trigger();
        QTest::keyClicks(f.Edit1, "17");
        QCOMPARE(f.Tbl.aktualisKulcs(), video);
        f.muvelet("aKeres2")->trigger();
        f.muvelet("aKeres1")->trigger();
        QCOMPARE(f.StatusPanel[2]->text(), QString("Sorrend: kód"));
        // Choosing the checked mode again keeps it checked.
        f.muvelet("aKeres1")->trigger();
        QVERIFY(f.muvelet("aKeres1")->isChecked());
        QVERIFY(!f.muvelet("aKeres2")->isChecked());
    }

    void szures()
    {
        Tfrm_Main& f = indit();
        const int osszes = f.TblModell->rowCount();
        const int kint = Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE kint='I'").toInt();
        QTest::keyClicks(f.Edit1, "30");
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(f.muvelet("aSzur")->isChecked());
        QCOMPARE(f.TblModell->rowCount(), kint);
        QCOMPARE(f.Tbl.aktualis(), 0);
        for (int i = 0; i < kint; ++i) QCOMPARE(VarSzoveg(f.Tbl.lista().ertek(i, "kint")), QString("I"));
        // The search sees only the rows shown.
        const int kintKod = Adatbazis::ertek("SELECT MIN(azon) FROM video WHERE kint='I'").toInt();
        const int bentKod = Adatbazis::ertek("SELECT MAX(azon) FROM video WHERE kint='N'").toInt();
        f.Edit1->clear();
        QTest::keyClicks(f.Edit1, QString::number(bentKod));
        QCOMPARE(VarSzoveg(f.Tbl.ertek("kint")), QString("I"));
        f.Edit1->clear();
        QTest::keyClicks(f.Edit1, QString::number(kintKod));
        QCOMPARE(kod(f), kintKod);
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!f.muvelet("aSzur")->isChecked());
        QCOMPARE(f.TblModell->rowCount(), osszes);
        QCOMPARE(f.Tbl.aktualis(), 0);
    }

    void betumeret()
    {
        Tfrm_Main& f = indit();
        QCOMPARE(f.DBGrid1->font().pointSize(), 8);
        QTest::keyClick(&f, Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(TBeall.Betumeret, 8);
        for (int i = 0; i < 20; ++i) QTest::keyClick(&f, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(TBeall.Betumeret, 22);
        QCOMPARE(f.DBGrid1->font().pointSize(), 22);
        QTest::keyClick(&f, Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(f.DBGrid1->font().pointSize(), 21);
        // Saved at close, read at the next start.
        f.close();
        m_f.reset();
        TBeall = TBeallRekord{};
        Tfrm_Main& g = indit();
        QCOMPARE(g.DBGrid1->font().pointSize(), 21);
    }

    void lejartSzinek_data()
    {
        QTest::addColumn<QString>("kint");
        QTest::addColumn<QDate>("nap");
        QTest::addColumn<QTime>("ido");
        QTest::addColumn<QColor>("normal");
        QTest::addColumn<QColor>("kijelolt");
        const QDate ma = TesztMost.date();
        const QColor piros(255, 0, 0), sarga(255, 255, 0), nincs;
        QTest::newRow("tegnap") << "I" << ma.addDays(-1) << QTime(23, 59, 59) << piros << sarga;
        QTest::newRow("ma, elmult") << "I" << ma << QTime(15, 29, 59) << piros << sarga;
        QTest::newRow("ma, pont most") << "I" << ma << QTime(15, 30, 0) << nincs << nincs;
        QTest::newRow("ma, kesobb") << "I" << ma << QTime(18, 0, 0) << nincs << nincs;
        QTest::newRow("bent, regi datum") << "N" << ma.addDays(-30) << QTime(1, 0, 0) << nincs << nincs;
    }
    void lejartSzinek()
    {
        QFETCH(QString, kint);
        QFETCH(QDate, nap);
        QFETCH(QTime, ido);
        m_t->nyit();
        Adatbazis::vegrehajt("UPDATE video SET kint = ?, dat_visszakell = ?, ido_visszakell = ?, ugyfel = 1 WHERE azon = 1",
                             {kint, nap, ido});
        Adatbazis::zar();
        Tfrm_Main& f = indit();
        QCOMPARE(kod(f), 1);
        QTEST(f.Rajzolo->szovegSzin(0, false), "normal");
        QTEST(f.Rajzolo->szovegSzin(0, true), "kijelolt");
        QCOMPARE(f.Rajzolo->kintJel(0), kint == "I");
    }

    void oszlopSzelesseg()
    {
        Tfrm_Main& f = indit();
        f.resize(667, 400);
        QCOMPARE(f.DBGrid1->columnWidth(0), 18);
        QCOMPARE(f.DBGrid1->columnWidth(2), 138);   // (667 - 67) × 0.23
        QCOMPARE(f.DBGrid1->columnWidth(1), 30);
    }

    void egergorgoNyilkent()
    {
        Tfrm_Main& f = indit();
        f.DBGrid1->setFocus();
        QCOMPARE(kod(f), 1);
        auto gorget = [&](int delta) {
            QWheelEvent e(QPointF(50, 50), f.DBGrid1->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(f.DBGrid1->viewport(), &e);
        };
        gorget(-120);
        gorget(-120);
        QCOMPARE(kod(f), 3);
        gorget(120);
        QCOMPARE(kod(f), 2);
    }

    void torzsablakokMegnyilnak_data()
    {
        QTest::addColumn<QString>("muvelet");
        QTest::addColumn<QString>("ablak");
        QTest::addColumn<QString>("cim");
        QTest::newRow("Ügyfelek") << "aUgyfelek" << "Tfrm_TorzsUgyfel" << "Ügyfelek";
        QTest::newRow("Típusok") << "aTipusok" << "Tfrm_TorzsTipus" << "Típusok";
        QTest::newRow("Műfajok") << "aMufaj" << "Tfrm_TorzsMufaj" << "Műfajok";
        QTest::newRow("Árkategóriák") << "aArkat" << "Tfrm_TorzsArkat" << "Árkategóriák";
        QTest::newRow("Kassza típusok") << "aKasszaTip" << "Tfrm_TorzsCassatip" << "Cassa típusok";
        QTest::newRow("Kölcsönzési idők") << "aTorzsFiztip" << "Tfrm_TorzsFizTip" << "Kölcsönzési idők";
        QTest::newRow("Árak beállítása") << "aArBeallit" << "Tfrm_TorzsArkat_Fiztip" << "Árak beállítása";
    }
    void torzsablakokMegnyilnak()
    {
        QFETCH(QString, muvelet);
        QFETCH(QString, ablak);
        QFETCH(QString, cim);
        Tfrm_Main& f = indit();
        QString latott;
        VartAblak v(ablak, [&](QWidget* w) {
            latott = w->windowTitle();
            Nyom(w, Qt::Key_Escape);
        });
        f.muvelet(muvelet)->trigger();
        QCOMPARE(latott, cim);
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
    }

    void tippAStatuszsorban()
    {
        Tfrm_Main& f = indit();
        // The mouse entering the tool button of the filter.
        QWidget* gomb = f.ToolBar2->widgetForAction(f.muvelet("aSzur"));
        QVERIFY(gomb);
        QEnterEvent be(QPointF(2, 2), QPointF(2, 2), gomb->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(gomb, &be);
        QCOMPARE(f.StatusPanel[1]->text(), QString("Szűrés - csak kintlévő"));
    }

    void zarasMentiABeallitasokat()
    {
        Tfrm_Main& f = indit();
        f.muvelet("aBezar")->trigger();
        QVERIFY(!f.isVisible());
        QVERIFY(!Adatbazis::nyitva());
        QFile ini(m_t->mappa() + "/Kazettora.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString t = QString::fromUtf8(ini.readAll());
        QVERIFY(t.contains("[Alapertek]"));
        QVERIFY(t.contains("Betumeret=8"));
        QVERIFY(t.contains("TeljesKep=1"));
    }

    // The settings file cannot be written at close (a full disk): the
    // operator is told in a message box, and the old file stays.
    void beallitasMentesHibaUzenet()
    {
        Tfrm_Main& f = indit();
        f.IniMentes();   // a first, good save
        QFile ini(m_t->mappa() + "/Kazettora.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray elotte = ini.readAll();
        ini.close();
        {
            TeliLemez teli(0);
            QVERIFY(!f.IniMentes());
        }
        const QStringList h = m_t->parbeszed.hibak();
        QCOMPARE(h.size(), 1);
        QVERIFY2(h.first().contains("Kazettora.ini") && h.first().contains("Betelt a lemez"), qPrintable(h.first()));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), elotte);
    }

    // A database that cannot be written is told at start, before the first
    // save fails: a read-only file with a warning (the data are shown), a
    // folder the engine cannot even read it in with the refusal that says so.
    void csakOlvashatoAdatbazis_data()
    {
        QTest::addColumn<QString>("mit");
        QTest::addColumn<bool>("indul");
        QTest::addColumn<QString>("ok");
        QTest::newRow("fajl") << "Data/kazettora.db" << true
                              << "Az adatbázis nem írható, a változtatások nem menthetők.\nAz adatbázis fájlja csak olvasható";
        QTest::newRow("mappa") << "Data" << false << "Az adatbázis mappája nem írható";
    }
    void csakOlvashatoAdatbazis()
    {
        QFETCH(QString, mit);
        QFETCH(bool, indul);
        QFETCH(QString, ok);
        const QString ut = m_t->mappa() + '/' + mit;
        const QFileDevice::Permissions regi = QFile::permissions(ut);
        QVERIFY(QFile::setPermissions(ut, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                              | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));
        {
            JogokKorlatozva jogok;
            if (!jogok.ervenyes()) {
                QFile::setPermissions(ut, regi);
                QSKIP("file permissions cannot be made to bind in this process");
            }
            Tfrm_Main f;
            QCOMPARE(f.indult(), indul);
            if (indul) QCOMPARE(f.TblModell->rowCount(), Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt());
        }
        QFile::setPermissions(ut, regi);
        const auto& d = m_t->parbeszed.dobozok;
        QCOMPARE(d.size(), 1);
        QCOMPARE(d.first().fajta, indul ? Parbeszed::Doboz::Figyelmeztetes : Parbeszed::Doboz::Hiba);
        QVERIFY2(d.first().szoveg.contains(ok), qPrintable(d.first().szoveg));
    }

    // A program folder the program may not enter is not "missing": the
    // message says that access is denied, and the setting is not reset.
    void hozzaferhetetlenProgramMappa()
    {
        QFile ini(m_t->mappa() + "/Kazettora.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Adatbazis]\nUtvonal=" + m_t->adatMappa().toUtf8() + "\n");
        ini.close();
        const QFileDevice::Permissions regi = QFile::permissions(m_t->mappa());
        QVERIFY(QFile::setPermissions(m_t->mappa(), {}));
        {
            JogokKorlatozva jogok;
            if (!jogok.ervenyes()) {
                QFile::setPermissions(m_t->mappa(), regi);
                QSKIP("file permissions cannot be made to bind in this process");
            }
            Tfrm_Main f;
            QVERIFY(!f.indult());
        }
        QFile::setPermissions(m_t->mappa(), regi);
        const QStringList h = m_t->parbeszed.hibak();
        QCOMPARE(h.size(), 1);
        QVERIFY2(h.first().contains("nincs hozzáférési jog") && h.first().contains(m_t->adatMappa()), qPrintable(h.first()));
        QCOMPARE(TBeall.Utvonal, m_t->adatMappa());
    }

    void hianyzoAdatmappa()
    {
        QFile f(m_t->mappa() + "/Kazettora.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Adatbazis]\nUtvonal=/nincs/ilyen/mappa\n");
        f.close();
        indit();
        QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nem létező adatbázis mappa, alapértelmezés visszaállítva."});
        QCOMPARE(TBeall.Utvonal, m_t->adatMappa());
    }

    void induloHibak_data()
    {
        QTest::addColumn<QByteArray>("tartalom");   // empty: remove the database
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("nincs adatbazis") << QByteArray() << "nem található";
        QTest::newRow("serult adatbazis") << QByteArray(4096, '\x5a') << "nem nyitható meg";
    }
    void induloHibak()
    {
        QFETCH(QByteArray, tartalom);
        QFETCH(QString, uzenet);
        const QString fajl = m_t->adatMappa() + "/kazettora.db";
        QFile::remove(fajl);
        if (!tartalom.isEmpty()) {
            QFile f(fajl);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(tartalom);
        }
        Tfrm_Main f;
        QVERIFY(!f.indult());
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY2(m_t->parbeszed.hibak().first().contains(uzenet), qPrintable(m_t->parbeszed.hibak().first()));
        QCOMPARE(QFile::exists(fajl), !tartalom.isEmpty());
        if (!tartalom.isEmpty()) {
            QFile g(fajl);
            QVERIFY(g.open(QIODevice::ReadOnly));
            QCOMPARE(g.readAll(), tartalom);
        }
        f.close();
        QVERIFY(!QFile::exists(m_t->mappa() + "/Kazettora.ini"));   // nothing written by a failed start
    }

    void uresBeallitTabla()
    {
        m_t->nyit();
        Adatbazis::vegrehajt("DELETE FROM beallit");
        Adatbazis::zar();
        Tfrm_Main& f = indit();
        QVERIFY(f.indult());
        QVERIFY(!TBeall.elorefizet && !TBeall.autonyom && !TBeall.vanbelep);
        QCOMPARE(TBeall.dijev, 0.0);
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
    }
};

QTEST_MAIN(TstFofrm)
#include "tst_fofrm.moc"
