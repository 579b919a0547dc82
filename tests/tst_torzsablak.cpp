// The reference-data windows driven with their keys: the list window pattern
// in full on the item types, then what each other member does differently.
#include "common/bevitel.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "common/uzenet.h"
#include "refdata/torzsadatok.h"
#include "tesztsegito.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

// Runs `lepes` on the next modal window of type T, then closes it with the
// cancel result if it is still open. The watch ends with the returned timer.
// A key pressed where the user's focus is in that window. The offscreen
// platform does not give the activation back to a window when the dialog
// over it closes, as a desktop does; without it no shortcut would fire.
void nyom(QWidget* ablak, int billentyu, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    if (!ablak->isActiveWindow()) {
        ablak->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ablak));
    }
    QWidget* cel = ablak->focusWidget() ? ablak->focusWidget() : ablak;
    QTest::keyClick(cel, Qt::Key(billentyu), mod);
}


// A double-click on a row of the grid, as the mouse delivers it.
void duplaKatt(QTableView* racs, int sor)
{
    QWidget* vp = racs->viewport();
    const QPoint hol = racs->visualRect(racs->model()->index(sor, 0)).center();
    QTest::mouseClick(vp, Qt::LeftButton, {}, hol);
    QMouseEvent e(QEvent::MouseButtonDblClick, hol, vp->mapToGlobal(hol), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

QString nev(TorzsAblak* a) { return a->ertek(a->leiras().keresoMezo).toString(); }

// The table as it is on disk, read through a connection of its own: what
// it shows is committed.
QStringList lemezen(const QString& adatMappa, const QString& sql)
{
    QStringList sorok;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lemez");
        db.setDatabaseName(Adatbazis::fajlUtvonal(adatMappa));
        if (!db.open()) return {"nem nyílik"};
        QSqlQuery q(db);
        q.exec(sql);
        while (q.next()) {
            QStringList mezok;
            for (int i = 0; i < q.record().count(); ++i)
                mezok << (q.value(i).isNull() ? QStringLiteral("∅") : q.value(i).toString());
            sorok << mezok.join('|');
        }
    }
    QSqlDatabase::removeDatabase("lemez");
    return sorok;
}

QStringList tipusok(const QString& m) { return lemezen(m, "SELECT tipus, tipus_nev FROM tipus ORDER BY tipus"); }
QStringList cassatipok(const QString& m)
{
    return lemezen(m, "SELECT cassatip, cassatip_nev, szorzo FROM cassatip ORDER BY cassatip");
}

int tipusKulcs(const QString& nev)
{
    return Adatbazis::ertek("SELECT tipus FROM tipus WHERE tipus_nev = ?", {nev}).toInt();
}

QToolButton* gomb(TorzsAblak* a, QAction* m) { return qobject_cast<QToolButton*>(a->ToolBar1->widgetForAction(m)); }

} // namespace

class TstTorzsablak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    TesztParbeszed& p() { return m_t->parbeszed; }
    QString mappa() const { return m_t->adatMappa(); }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        TBeall.torzsszerkeszt = true;
    }
    void cleanup() { m_t.reset(); }

    // ---- the pattern, on the item types ------------------------------------------

    // Maintenance mode: first row in name order, search field focused,
    // no "Elfogad" anywhere, Enter does nothing, double-click edits.
    void karbantartas()
    {
        bool szerkesztoNyilt = false;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            QCOMPARE(a->objectName(), QString("Tfrm_TorzsTipus"));
            QCOMPARE(a->windowTitle(), QString("Típusok"));
            QCOMPARE(nev(a), QString("4K UHD Blu-ray"));
            QCOMPARE(a->modell()->headerData(0, Qt::Horizontal).toString(), QString("típus"));
            QCOMPARE(a->modell()->columnCount(), 1);
            QVERIFY(a->Edit1);
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            QVERIFY(!a->aElfogad->isEnabled());
            QVERIFY(!a->aElfogad->isVisible());
            QVERIFY(!gomb(a, a->aElfogad)->isVisible());
            // Tool bar order: search field, Kereső, new, edit, delete, Elfogad, Bezár.
            QStringList sorrend;
            for (QAction* m : a->ToolBar1->actions())
                sorrend << (m->isSeparator() ? "-" : m->objectName().isEmpty() ? "Edit1" : m->objectName());
            QCOMPARE(sorrend, QStringList({"Edit1", "-", "aKeres", "-", "aUj", "aSzerkeszt", "aTorol", "-",
                                           "aElfogad", "aBezar"}));
            QStringList menu;
            for (QAction* m : a->PopupMenu1->actions()) menu << (m->isSeparator() ? "-" : m->objectName());
            QCOMPARE(menu, QStringList({"aUj", "aSzerkeszt", "aTorol", "-", "aKeres", "-", "aElfogad", "aBezar"}));

            nyom(a, Qt::Key_Return);
            a->DBGrid1->setFocus();
            nyom(a, Qt::Key_Return);
            QVERIFY(a->isVisible());

            // A double-click on the third row edits that row.
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                szerkesztoNyilt = true;
                QCOMPARE(d->objectName(), QString("Tfrm_TorzsTipus_Szerkeszt"));
                QCOMPARE(d->findChild<QLineEdit*>("tipus_nev")->text(), QString("DVD"));
            });
            duplaKatt(a->DBGrid1, 2);
            QVERIFY(a->isVisible());
            nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(TorzsTipusMegnyit(nullptr, -1, false), -1);
        QVERIFY(szerkesztoNyilt);
    }

    // The key given makes its row current; an unknown key leaves the first.
    void kezdoSor()
    {
        const int dvd = tipusKulcs("DVD");
        QString lathato;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) { lathato = nev(a); });
        TorzsTipusMegnyit(nullptr, dvd, false);
        QCOMPARE(lathato, QString("DVD"));
        auto g = haNyilik<TorzsAblak>([&](TorzsAblak* a) { lathato = nev(a); });
        TorzsTipusMegnyit(nullptr, 9999, false);
        QCOMPARE(lathato, QString("4K UHD Blu-ray"));
    }

    // Selection mode: every way of accepting hands back the current row,
    // every way of closing gives -1.
    void valasztas_data()
    {
        QTest::addColumn<QString>("mod");
        QTest::addColumn<bool>("elfogad");
        QTest::newRow("Enter a keresőben") << "enter-kereso" << true;
        QTest::newRow("Enter a rácson") << "enter-racs" << true;
        QTest::newRow("Elfogad gomb") << "gomb" << true;
        QTest::newRow("dupla kattintás") << "dupla" << true;
        QTest::newRow("Esc") << "esc" << false;
        QTest::newRow("Bezár gomb") << "bezar" << false;
        QTest::newRow("bezárás gomb") << "close" << false;
    }
    void valasztas()
    {
        QFETCH(QString, mod);
        QFETCH(bool, elfogad);
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            QVERIFY(a->aElfogad->isEnabled());
            QVERIFY(gomb(a, a->aElfogad)->isVisible());
            Gepel(a->Edit1, "pc");
            QCOMPARE(nev(a), QString("PC játék"));
            if (mod == "enter-kereso") nyom(a, Qt::Key_Return);
            else if (mod == "enter-racs") {
                a->DBGrid1->setFocus();
                nyom(a, Qt::Key_Enter, Qt::KeypadModifier);
            } else if (mod == "gomb") QTest::mouseClick(gomb(a, a->aElfogad), Qt::LeftButton);
            else if (mod == "dupla")
                duplaKatt(a->DBGrid1, a->aktualis());
            else if (mod == "esc") nyom(a, Qt::Key_Escape);
            else if (mod == "bezar") QTest::mouseClick(gomb(a, a->aBezar), Qt::LeftButton);
            else a->close();
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(TorzsTipusMegnyit(nullptr, -1, true), elfogad ? tipusKulcs("PC játék") : -1);
    }

    // New row: Enter in the field moves to "OK" without saving; OK saves
    // durably and the new row becomes current.
    void ujSor()
    {
        const QStringList elotte = tipusok(mappa());
        QString aktualisUtana;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                QCOMPARE(d->windowTitle(), QString("Típus szerkesztés"));
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                QCOMPARE(QApplication::focusWidget(), e);
                QCOMPARE(e->palette().color(QPalette::Base), FokuszSzin);
                QCOMPARE(d->findChild<QLabel*>()->text(), QString("típus"));
                QCOMPARE(e->text(), QString());
                Gepel(e, "Laserdisc");
                nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d->btnOK);
                QVERIFY(d->isVisible());
                QCOMPARE(tipusok(mappa()), elotte);
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
                // Saved and committed before the dialog is even gone.
                QCOMPARE(tipusok(mappa()).size(), elotte.size() + 1);
            });
            nyom(a, Qt::Key_Insert);
            aktualisUtana = nev(a);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QCOMPARE(aktualisUtana, QString("Laserdisc"));
        QVERIFY(tipusok(mappa()).last().endsWith("|Laserdisc"));
    }

    // Giving up leaves the table exactly as it was, however it is done.
    void megsem_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<QString>("hogyan");
        QTest::newRow("új, Mégsem") << int(Qt::Key_Insert) << "megsem";
        QTest::newRow("új, Esc") << int(Qt::Key_Insert) << "esc";
        QTest::newRow("szerkeszt, Mégsem") << int(Qt::Key_F2) << "megsem";
        QTest::newRow("szerkeszt, Esc") << int(Qt::Key_F2) << "esc";
        QTest::newRow("szerkeszt, bezárás") << int(Qt::Key_F2) << "close";
    }
    void megsem()
    {
        QFETCH(int, billentyu);
        QFETCH(QString, hogyan);
        const QStringList elotte = tipusok(mappa());
        const QStringList seq = lemezen(mappa(), "SELECT * FROM sqlite_sequence WHERE name = 'tipus'");
        QString aktualisUtana;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                e->selectAll();
                Gepel(e, "Eldobott");
                if (hogyan == "megsem") QTest::mouseClick(d->btnMegsem, Qt::LeftButton);
                else if (hogyan == "esc") nyom(d, Qt::Key_Escape);
                else d->close();
                QVERIFY(!d->isVisible());
            });
            nyom(a, billentyu);
            aktualisUtana = nev(a);
        });
        TorzsTipusMegnyit(nullptr, tipusKulcs("DVD"), false);
        QCOMPARE(tipusok(mappa()), elotte);
        QCOMPARE(lemezen(mappa(), "SELECT * FROM sqlite_sequence WHERE name = 'tipus'"), seq);
        QCOMPARE(aktualisUtana, QString("DVD"));
    }

    // Edit: the edited row is saved, stays current in its new place.
    void szerkeszt()
    {
        const int dvd = tipusKulcs("DVD");
        QString aktualisUtana;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                QCOMPARE(e->text(), QString("DVD"));
                e->selectAll();
                Gepel(e, "Zöld DVD");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
            });
            nyom(a, Qt::Key_F2);
            aktualisUtana = nev(a);
            QCOMPARE(a->aktualis(), a->lista().sorok() - 1);   // "Zöld…" sorts last
        });
        TorzsTipusMegnyit(nullptr, dvd, false);
        QCOMPARE(aktualisUtana, QString("Zöld DVD"));
        QVERIFY(tipusok(mappa()).contains(QString::number(dvd) + "|Zöld DVD"));
    }

    // A save the database refuses: the reason in the box, the dialog stays
    // open with what was typed, and giving up then changes nothing.
    void mentesHiba()
    {
        Adatbazis::vegrehajt("CREATE TRIGGER tilt BEFORE INSERT ON tipus WHEN NEW.tipus_nev = 'Tiltott' "
                             "BEGIN SELECT RAISE(ABORT, 'ez a név nem adható'); END");
        const QStringList elotte = tipusok(mappa());
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                Gepel(e, "Tiltott");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QCOMPARE(p().hibak(), QStringList("Hiányos, vagy hibás adatmegadás\nez a név nem adható"));
                QVERIFY(d->isVisible());
                QCOMPARE(e->text(), QString("Tiltott"));
                QCOMPARE(d->sor().allapot(), Rekord::Allapot::Beszur);
                // Mended, the same dialog saves.
                e->setText("Engedett");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            nyom(a, Qt::Key_Insert);
            auto h = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                Gepel(d->findChild<QLineEdit*>("tipus_nev"), "Tiltott");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(d->isVisible());
                QTest::mouseClick(d->btnMegsem, Qt::LeftButton);
            });
            nyom(a, Qt::Key_Insert);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QCOMPARE(tipusok(mappa()).size(), elotte.size() + 1);
        QVERIFY(tipusok(mappa()).last().endsWith("|Engedett"));
    }

    // Delete after the question; No keeps the row; the next row (the
    // previous at the end) becomes current; items keep their dangling key.
    void torles()
    {
        const int dvd = tipusKulcs("DVD");
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint, torolve) VALUES (1, ?, 'Film', 'N', 'N')",
                             {dvd});
        p().kerdesValaszok = {false, true, true};
        QStringList aktualisok;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            nyom(a, Qt::Key_Delete, Qt::ControlModifier);
            aktualisok << nev(a);
            nyom(a, Qt::Key_Delete, Qt::ControlModifier);
            aktualisok << nev(a);
            Gepel(a->Edit1, "x");   // the last row
            nyom(a, Qt::Key_Delete, Qt::ControlModifier);
            aktualisok << nev(a);
            QCOMPARE(a->Edit1->text(), QString("x"));   // Ctrl+Del did not edit the search text
        });
        TorzsTipusMegnyit(nullptr, dvd, false);
        QCOMPARE(p().dobozok.size(), 3);
        for (const auto& d : p().dobozok) {
            QCOMPARE(d.fajta, Parbeszed::Doboz::Kerdes);
            QCOMPARE(d.szoveg, QString("Valóban töröljem a sort?"));
            QCOMPARE(d.cim, QString("Megerősítés"));
        }
        QCOMPARE(aktualisok, QStringList({"DVD", "PC játék", "VHS"}));
        const QStringList maradt = tipusok(mappa());
        QCOMPARE(maradt.size(), 5);
        QVERIFY(!maradt.contains(QString::number(dvd) + "|DVD"));
        QVERIFY(!maradt.join(',').contains("Xbox"));
        QCOMPARE(Adatbazis::ertek("SELECT tipus FROM video WHERE azon = 1").toInt(), dvd);
    }

    // Quick search in name order: any letter case, Hungarian accents kept
    // apart, and every typed character taken literally.
    void gyorsKereses_data()
    {
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<QString>("vart");
        QTest::newRow("kisbetű") << "dv" << "DVD";
        QTest::newRow("névsor") << "p" << "PC játék";
        QTest::newRow("ő nagy Ő-t") << "ő" << "Ősi tekercs";
        QTest::newRow("Ö nem Ő") << "Ö" << "Öreg szalag";
        QTest::newRow("o ékezet nélkül") << "o" << "ostor";
        QTest::newRow("ÓR") << "ÓR" << "óriás doboz";
        QTest::newRow("százalék") << "50%" << "50% kedvezmény";
        QTest::newRow("százalék nem joker") << "%0" << "4K UHD Blu-ray";
        QTest::newRow("aláhúzás nem joker") << "_0" << "4K UHD Blu-ray";
        QTest::newRow("aposztróf") << "rock'" << "Rock'n'roll";
        QTest::newRow("csak aposztróf") << "'" << "4K UHD Blu-ray";
        QTest::newRow("nincs ilyen: marad") << "xq" << "Xbox játék";
    }
    void gyorsKereses()
    {
        QFETCH(QString, gepelt);
        QFETCH(QString, vart);
        for (const char* n : {"Ősi tekercs", "óriás doboz", "Öreg szalag", "50% kedvezmény", "Rock'n'roll", "ostor"})
            Adatbazis::vegrehajt("INSERT INTO tipus (tipus_nev) VALUES (?)", {QString::fromUtf8(n)});
        QString talalt;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            Gepel(a->Edit1, gepelt);
            talalt = nev(a);
            QCOMPARE(a->DBGrid1->selectionModel()->selectedRows().value(0).row(), a->aktualis());
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QCOMPARE(talalt, vart);
    }

    // Ctrl+F goes to the search field and selects its text, so typing
    // replaces it; the row marker follows the current row.
    void keresoFokusz()
    {
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            Gepel(a->Edit1, "vh");
            a->DBGrid1->setFocus();
            nyom(a, Qt::Key_Up);
            QCOMPARE(nev(a), QString("PlayStation játék"));
            QCOMPARE(a->modell()->headerData(a->aktualis(), Qt::Vertical).toString(), SorJel);
            QCOMPARE(a->modell()->headerData(a->aktualis() + 1, Qt::Vertical).toString(), QString());
            nyom(a, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            QCoreApplication::processEvents();
            QCOMPARE(a->Edit1->selectedText(), QString("vh"));
            Gepel(a->Edit1, "bl");
            QCOMPARE(a->Edit1->text(), QString("bl"));
            QCOMPARE(nev(a), QString("Blu-ray"));
        });
        TorzsTipusMegnyit(nullptr, -1, false);
    }

    // ---- the other members ---------------------------------------------------------

    // Genres and price categories: their own table, words and key.
    void nevesTagok_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("ablak");
        QTest::addColumn<QString>("cim");
        QTest::addColumn<QString>("oszlop");
        QTest::addColumn<QString>("szerkCim");
        QTest::addColumn<QString>("kereses");
        QTest::addColumn<QString>("talalat");
        QTest::newRow("műfaj") << "mufaj" << "Tfrm_TorzsMufaj" << "Műfajok" << "műfaj" << "Műfaj szerkesztés" << "aK"
                               << "Akció";
        QTest::newRow("árkategória") << "arkat" << "Tfrm_TorzsArkat" << "Árkategóriák" << "árkategória"
                                     << "Árkategória szerkesztés" << "úJ" << "Újdonság";
    }
    void nevesTagok()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, ablak);
        QFETCH(QString, cim);
        QFETCH(QString, oszlop);
        QFETCH(QString, szerkCim);
        QFETCH(QString, kereses);
        QFETCH(QString, talalat);
        const QString mezo = tabla + "_nev";
        auto megnyit = [&](bool valasztas) {
            return tabla == "mufaj" ? TorzsMufajMegnyit(nullptr, -1, valasztas) : TorzsArkatMegnyit(nullptr, -1, valasztas);
        };
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            QCOMPARE(a->objectName(), ablak);
            QCOMPARE(a->windowTitle(), cim);
            QCOMPARE(a->modell()->headerData(0, Qt::Horizontal).toString(), oszlop);
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* d) {
                QCOMPARE(d->objectName(), ablak + "_Szerkeszt");
                QCOMPARE(d->windowTitle(), szerkCim);
                QCOMPARE(d->findChild<QLabel*>()->text(), oszlop);
                Gepel(d->findChild<QLineEdit*>(mezo), "Ááá új");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
            });
            nyom(a, Qt::Key_Insert);
            QCOMPARE(a->ertek(mezo).toString(), QString("Ááá új"));
            Gepel(a->Edit1, kereses);
            QCOMPARE(a->ertek(mezo).toString(), talalat);
            nyom(a, Qt::Key_Return);
        });
        const int kulcs = megnyit(true);
        QCOMPARE(kulcs, Adatbazis::ertek(QString("SELECT %1 FROM %1 WHERE %2 = ?").arg(tabla, mezo), {talalat}).toInt());
        QCOMPARE(lemezen(mappa(), QString("SELECT count(*) FROM %1 WHERE %2 = 'Ááá új'").arg(tabla, mezo)),
                 QStringList("1"));
    }

    // Cash entry types: three columns by letter, no search field.
    void cassatipAblak()
    {
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            QCOMPARE(a->objectName(), QString("Tfrm_TorzsCassatip"));
            QCOMPARE(a->windowTitle(), QString("Cassa típusok"));
            QVERIFY(!a->Edit1);
            QCOMPARE(a->ertek("cassatip").toString(), QString("B"));
            QCOMPARE(a->lista().sorok(), 5);
            QStringList cimek;
            for (int i = 0; i < a->modell()->columnCount(); ++i)
                cimek << a->modell()->headerData(i, Qt::Horizontal).toString();
            QCOMPARE(cimek, QStringList({"cassa típus", "név", "szorzó"}));
            QVERIFY(a->modell()->data(a->modell()->index(0, 0), Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter);
            QVERIFY(a->modell()->data(a->modell()->index(0, 2), Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter);
            QStringList sorrend;
            for (QAction* m : a->ToolBar1->actions()) sorrend << (m->isSeparator() ? "-" : m->objectName());
            QCOMPARE(sorrend, QStringList({"aUj", "aSzerkeszt", "aTorol", "-", "aElfogad", "aBezar"}));
            nyom(a, Qt::Key_F, Qt::ControlModifier);   // nothing to go to
            QVERIFY(a->isVisible());
        });
        QCOMPARE(TorzsCassatipMegnyit(nullptr, QString(), false), QString());
    }

    // Without the right every change is refused before anything happens.
    void cassatipJog_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<int>("mod");
        QTest::newRow("Új sor") << int(Qt::Key_Insert) << int(Qt::NoModifier);
        QTest::newRow("Szerkeszt") << int(Qt::Key_F2) << int(Qt::NoModifier);
        QTest::newRow("Sor törlése") << int(Qt::Key_Delete) << int(Qt::ControlModifier);
    }
    void cassatipJog()
    {
        QFETCH(int, billentyu);
        QFETCH(int, mod);
        TBeall.torzsszerkeszt = false;
        p().kerdesValaszok = {true};
        const QStringList elotte = cassatipok(mappa());
        bool nyilt = false;
        QString jel;
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto*) { nyilt = true; });
            nyom(a, billentyu, Qt::KeyboardModifiers(mod));
            QCoreApplication::processEvents();
            nyom(a, Qt::Key_Down);   // browsing is allowed
            jel = a->ertek("cassatip").toString();
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
        QVERIFY(!nyilt);
        QCOMPARE(p().dobozok.size(), 1);
        QCOMPARE(p().dobozok.first().fajta, Parbeszed::Doboz::Hiba);
        QCOMPARE(p().dobozok.first().szoveg, QString("Nincs jogosultság a művelethez."));
        QCOMPARE(cassatipok(mappa()), elotte);
        QCOMPARE(jel, QString("E"));
    }

    // A new type: the letter is upper-cased as typed; the direction is
    // what was chosen, or nothing.
    void cassatipUj_data()
    {
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<QString>("irany");
        QTest::addColumn<QString>("vart");
        QTest::newRow("kiadás") << "x" << "Kiadas" << "X|Xerox|-1";
        QTest::newRow("bevétel") << "ő" << "Bevetel" << "Ő|Xerox|1";
        QTest::newRow("nincs irány") << "z" << "" << "Z|Xerox|∅";
    }
    void cassatipUj()
    {
        QFETCH(QString, gepelt);
        QFETCH(QString, irany);
        QFETCH(QString, vart);
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                QVERIFY(d);
                QCOMPARE(d->windowTitle(), QString("Cassa típus szerkesztés"));
                QCOMPARE(d->irany->title(), QString("irány"));
                QCOMPARE(d->Bevetel->text(), QString("Bevétel"));
                QCOMPARE(d->Kiadas->text(), QString("Kiadás"));
                QVERIFY(!d->Bevetel->isChecked() && !d->Kiadas->isChecked());
                QVERIFY(d->jel->font().bold());
                QVERIFY(d->jel->width() < d->nev->width() / 3);
                QCOMPARE(QApplication::focusWidget(), d->jel);
                Gepel(d->jel, gepelt);
                QCOMPARE(d->jel->text(), gepelt.toUpper());
                // Enter walks the controls in tab order: letter, name, direction, OK.
                nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d->nev);
                Gepel(d->nev, "Xerox");
                nyom(d, Qt::Key_Return);
                QVERIFY(qobject_cast<QRadioButton*>(QApplication::focusWidget()));
                if (!irany.isEmpty()) d->findChild<QRadioButton*>(irany)->click();
                nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d->btnOK);
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            nyom(a, Qt::Key_Insert);
            QCOMPARE(a->ertek("cassatip").toString(), gepelt.toUpper());
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
        QVERIFY(cassatipok(mappa()).contains(vart));
    }

    // A letter already in use is refused, the dialog stays open, nothing changes.
    void cassatipDuplikalt()
    {
        const QStringList elotte = cassatipok(mappa());
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                Gepel(d->jel, "k");
                Gepel(d->nev, "Másik kiadás");
                d->Kiadas->click();
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(d->isVisible());
                QCOMPARE(p().hibak().size(), 1);
                QVERIFY(p().hibak().first().startsWith("Hiányos, vagy hibás adatmegadás\n"));
                QCOMPARE(d->jel->text(), QString("K"));
                QCOMPARE(d->nev->text(), QString("Másik kiadás"));
                QVERIFY(d->Kiadas->isChecked());
                QTest::mouseClick(d->btnMegsem, Qt::LeftButton);
            });
            nyom(a, Qt::Key_Insert);
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
        QCOMPARE(cassatipok(mappa()), elotte);
    }

    // Editing shows the stored direction and writes the new choice; a row
    // without one keeps none; the letter may change too.
    void cassatipSzerkeszt()
    {
        Adatbazis::vegrehajt("INSERT INTO cassatip (cassatip, cassatip_nev) VALUES ('N', 'Nincs irány')");
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            auto g = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                QCOMPARE(d->jel->text(), QString("K"));
                QVERIFY(d->Kiadas->isChecked() && !d->Bevetel->isChecked());
                d->Bevetel->click();
                d->jel->selectAll();
                Gepel(d->jel, "j");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
            });
            nyom(a, Qt::Key_F2);
            QCOMPARE(a->ertek("cassatip").toString(), QString("J"));
            nyom(a, Qt::Key_Down);
            QCOMPARE(a->ertek("cassatip").toString(), QString("N"));
            auto h = haNyilik<TorzsSzerkeszto>([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                QVERIFY(!d->Kiadas->isChecked() && !d->Bevetel->isChecked());
                d->nev->setText("Még mindig nincs");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
            });
            nyom(a, Qt::Key_F2);
        });
        TorzsCassatipMegnyit(nullptr, "K", false);
        const QStringList sorok = cassatipok(mappa());
        QVERIFY(sorok.contains("J|Kiadás|1"));
        QVERIFY(!sorok.join(',').contains("K|"));
        QVERIFY(sorok.contains("N|Még mindig nincs|∅"));
    }

    // The second opening form hands back the letter and its direction on
    // "Elfogad"; otherwise the empty letter and the direction untouched.
    void cassatipMasodikForma_data()
    {
        QTest::addColumn<QString>("kod");
        QTest::addColumn<bool>("elfogad");
        QTest::addColumn<QString>("vartKod");
        QTest::addColumn<int>("vartSzorzo");
        QTest::newRow("kiadás") << "K" << true << "K" << -1;
        QTest::newRow("bevétel") << "E" << true << "E" << 1;
        QTest::newRow("üres irány") << "N" << true << "N" << 0;
        QTest::newRow("nincs kód: az első") << "" << true << "B" << 1;
        QTest::newRow("Esc") << "K" << false << "" << 99;
    }
    void cassatipMasodikForma()
    {
        QFETCH(QString, kod);
        QFETCH(bool, elfogad);
        QFETCH(QString, vartKod);
        QFETCH(int, vartSzorzo);
        Adatbazis::vegrehajt("INSERT INTO cassatip (cassatip, cassatip_nev) VALUES ('N', 'Nincs irány')");
        auto f = haNyilik<TorzsAblak>([&](TorzsAblak* a) {
            QVERIFY(a->aElfogad->isVisible());
            nyom(a, elfogad ? Qt::Key_Return : Qt::Key_Escape);
        });
        int szorzo = 99;
        QCOMPARE(TorzsCassatipMegnyit(nullptr, kod, true, szorzo), vartKod);
        QCOMPARE(szorzo, vartSzorzo);
        auto g = haNyilik<TorzsAblak>([&](TorzsAblak* a) { nyom(a, elfogad ? Qt::Key_Return : Qt::Key_Escape); });
        QCOMPARE(TorzsCassatipMegnyit(nullptr, kod, true), vartKod);
    }
};

QTEST_MAIN(TstTorzsablak)
#include "tst_torzsablak.moc"
