// The reference-data windows driven with their keys: what the item types
// and each other member show and do of their own. What every list window
// does alike is in tst_listaablakok.
#include "windows/common/bevitel.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "print/common/uzenet.h"
#include "windows/refdata/torzsadatok.h"
#include "core/rental/cassakonyveles.h"
#include "tests/windows/tesztsegito.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

QString nev(TorzsAblak* a) { return a->ertek(a->leiras().keresoMezo).toString(); }

QStringList tipusok(const QString& m) { return Lemezen(m, "SELECT tipus, tipus_nev FROM tipus ORDER BY tipus"); }
QStringList cassatipok(const QString& m)
{
    return Lemezen(m, "SELECT cassatip, cassatip_nev, szorzo FROM cassatip ORDER BY cassatip");
}

int tipusKulcs(const QString& nev)
{
    return Adatbazis::ertek("SELECT tipus FROM tipus WHERE tipus_nev = ?", {nev}).toInt();
}

QToolButton* gomb(TorzsAblak* a, QAction* m) { return qobject_cast<QToolButton*>(a->ToolBar1->widgetForAction(m)); }

QStringList cassa(const QString& m) { return Lemezen(m, "SELECT cassatip, ugyfel, osszeg, penzvan FROM cassa ORDER BY cassa"); }

// The item types' window, deleting the row's items along with the row (or
// refusing after it deleted them), as a member may.
class TipusTorlo : public TorzsAblak {
public:
    TipusTorlo(TorzsLeiras l, bool elutasit) : TorzsAblak(std::move(l), false), m_elutasit(elutasit) {}
protected:
    void sorTorol(const QVariantList& kulcs) override
    {
        TorzsAblak::sorTorol(kulcs);
        Adatbazis::vegrehajt("DELETE FROM video WHERE tipus = ?", {kulcs.value(0)});
        if (m_elutasit) throw AdatbazisHiba("A típus nem törölhető.");
    }
private:
    bool m_elutasit;
};

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

    // Maintenance mode: first row in name order, search field focused, the
    // tool bar and the grid menu in their order, no "Elfogad" anywhere.
    void karbantartas()
    {
        VartAblak v([&](TorzsAblak* a) {
            QCOMPARE(a->objectName(), QString("Tfrm_TorzsTipus"));
            QCOMPARE(a->windowTitle(), QString("Típusok"));
            QCOMPARE(nev(a), QString("4K UHD Blu-ray"));
            QCOMPARE(a->modell()->headerData(0, Qt::Horizontal).toString(), QString("típus"));
            QCOMPARE(a->modell()->columnCount(), 1);
            QVERIFY(a->Edit1);
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
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
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(TorzsTipusMegnyit(nullptr, -1, false), -1);
    }

    // The key given makes its row current; an unknown key leaves the first.
    void kezdoSor()
    {
        const int dvd = tipusKulcs("DVD");
        QString lathato;
        VartAblak v([&](TorzsAblak* a) {
            lathato = nev(a);
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, dvd, false);
        QCOMPARE(lathato, QString("DVD"));
        v.majd([&](TorzsAblak* a) {
            lathato = nev(a);
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, 9999, false);
        QCOMPARE(lathato, QString("4K UHD Blu-ray"));
    }

    // The edit dialog: its caption, the field labelled and focused in the
    // focus colour; Enter in the field moves to "OK" without saving.
    void szerkesztoAblak()
    {
        const QStringList elotte = tipusok(mappa());
        VartAblak v([&](TorzsAblak* a) {
            VartAblak sz([&](TorzsSzerkeszto* d) {
                QCOMPARE(d->objectName(), QString("Tfrm_TorzsTipus_Szerkeszt"));
                QCOMPARE(d->windowTitle(), QString("Típus szerkesztés"));
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                QCOMPARE(QApplication::focusWidget(), e);
                QCOMPARE(e->palette().color(QPalette::Base), FokuszSzin);
                QCOMPARE(d->findChild<QLabel*>()->text(), QString("típus"));
                Gepel(e, "Laserdisc");
                Nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d->btnOK);
                QVERIFY(e->palette().color(QPalette::Base) != FokuszSzin);
                QVERIFY(d->isVisible());
                QCOMPARE(tipusok(mappa()), elotte);
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            Nyom(a, Qt::Key_Insert);
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QVERIFY(tipusok(mappa()).last().endsWith("|Laserdisc"));
    }

    // Characters counted as the table counts them: a name of 25 emoji (50
    // UTF-16 units) fills the field exactly and is stored whole; typing
    // stops there without cutting an emoji in two; a longer paste is not
    // cut either, but refused at "OK" with the field named.
    void emojiNevHatarig()
    {
        const QString emoji = QString::fromUtf8("😀");
        const QString huszonot = emoji.repeated(25);
        VartAblak f([&](TorzsAblak* a) {
            VartAblak g([&](TorzsSzerkeszto* d) {
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                Gepel(e, huszonot);
                QCOMPARE(e->text(), huszonot);
                Gepel(e, emoji + "x");   // a full field takes no more
                QCOMPARE(e->text(), huszonot);
                e->selectAll();
                QApplication::clipboard()->setText(emoji.repeated(26));
                QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
                QCOMPARE(e->text(), emoji.repeated(26));   // pasted whole, not cut
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(d->isVisible());
                QCOMPARE(p().hibak(),
                         QStringList("Hiányos, vagy hibás adatmegadás\na(z) tipus_nev mező legfeljebb 25 karakter lehet"));
                e->backspace();   // one emoji back
                QCOMPARE(e->text(), huszonot);
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            Nyom(a, Qt::Key_Insert);
            a->reject();
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QVERIFY(tipusok(mappa()).contains(QString::number(tipusKulcs(huszonot)) + "|" + huszonot));
    }

    // A save the database refuses: the reason in the box, the dialog stays
    // open with what was typed, and giving up then changes nothing.
    void mentesHiba()
    {
        Adatbazis::vegrehajt("CREATE TRIGGER tilt BEFORE INSERT ON tipus WHEN NEW.tipus_nev = 'Tiltott' "
                             "BEGIN SELECT RAISE(ABORT, 'ez a név nem adható'); END");
        const QStringList elotte = tipusok(mappa());
        VartAblak v([&](TorzsAblak* a) {
            VartAblak sz([&](TorzsSzerkeszto* d) {
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
            Nyom(a, Qt::Key_Insert);
            VartAblak sz2([&](TorzsSzerkeszto* d) {
                Gepel(d->findChild<QLineEdit*>("tipus_nev"), "Tiltott");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(d->isVisible());
                QTest::mouseClick(d->btnMegsem, Qt::LeftButton);
            });
            Nyom(a, Qt::Key_Insert);
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QCOMPARE(tipusok(mappa()).size(), elotte.size() + 1);
        QVERIFY(tipusok(mappa()).last().endsWith("|Engedett"));
    }

    // Ctrl+Del in the search field deletes the row, not a letter of the
    // search text; items of a deleted type keep their dangling key.
    void torles()
    {
        const int dvd = tipusKulcs("DVD");
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev, kint, torolve) VALUES (1, ?, 'Film', 'N', 'N')",
                             {dvd});
        p().kerdesValaszok = {true};
        VartAblak v([&](TorzsAblak* a) {
            Gepel(a->Edit1, "dv");
            QCOMPARE(nev(a), QString("DVD"));
            a->Edit1->setCursorPosition(0);
            Nyom(a, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(a->Edit1->text(), QString("dv"));
            QCOMPARE(nev(a), QString("PC játék"));
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QCOMPARE(p().dobozok.size(), 1);
        QVERIFY(!tipusok(mappa()).contains(QString::number(dvd) + "|DVD"));
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
        VartAblak v([&](TorzsAblak* a) {
            Gepel(a->Edit1, gepelt);
            talalt = nev(a);
            QCOMPARE(a->DBGrid1->selectionModel()->selectedRows().value(0).row(), a->aktualis());
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
        QCOMPARE(talalt, vart);
    }

    // Ctrl+F goes to the search field and selects its text, so typing
    // replaces it; the row marker follows the current row.
    void keresoFokusz()
    {
        VartAblak v([&](TorzsAblak* a) {
            Gepel(a->Edit1, "vh");
            a->DBGrid1->setFocus();
            Nyom(a, Qt::Key_Up);
            QCOMPARE(nev(a), QString("PlayStation játék"));
            QCOMPARE(a->modell()->headerData(a->aktualis(), Qt::Vertical).toString(), SorJel);
            QCOMPARE(a->modell()->headerData(a->aktualis() + 1, Qt::Vertical).toString(), QString());
            Nyom(a, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            QCoreApplication::processEvents();
            QCOMPARE(a->Edit1->selectedText(), QString("vh"));
            Gepel(a->Edit1, "bl");
            QCOMPARE(a->Edit1->text(), QString("bl"));
            QCOMPARE(nev(a), QString("Blu-ray"));
            Nyom(a, Qt::Key_Escape);
        });
        TorzsTipusMegnyit(nullptr, -1, false);
    }

    // A member's save hook runs in the save's transaction: the row and the
    // cash row the hook posts are stored together. A hook that refuses
    // leaves both tables as they were, and the dialog open with the reason
    // and the row still pending, so that a second OK saves it (once).
    void mentesUtan_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<int>("elutasitas");   // how many times the hook refuses
        QTest::addColumn<bool>("megsem");      // then gives up
        QTest::newRow("új, könyvel") << int(Qt::Key_Insert) << 0 << false;
        QTest::newRow("szerkeszt, könyvel") << int(Qt::Key_F2) << 0 << false;
        QTest::newRow("új, elutasít, Mégsem") << int(Qt::Key_Insert) << 1 << true;
        QTest::newRow("szerkeszt, elutasít, Mégsem") << int(Qt::Key_F2) << 1 << true;
        QTest::newRow("új, elutasít, javítva ment") << int(Qt::Key_Insert) << 1 << false;
        QTest::newRow("szerkeszt, elutasít, javítva ment") << int(Qt::Key_F2) << 1 << false;
    }
    void mentesUtan()
    {
        QFETCH(int, billentyu);
        QFETCH(int, elutasitas);
        QFETCH(bool, megsem);
        const bool uj = billentyu == Qt::Key_Insert;
        const QStringList tipusElotte = tipusok(mappa());
        const QStringList cassaElotte = cassa(mappa());
        const double egyenleg = Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble();
        TorzsLeiras l = Tfrm_TorzsTipus(false).leiras();
        QList<bool> hivasok;
        int marad = elutasitas;
        l.mentesUtan = [&](Rekord& sor, bool ujSor) {
            hivasok << ujSor;
            // The row is written already: its key is known, and it is in the table.
            CassaKonyvel("E", sor.kulcs(), 100, false);
            if (marad > 0) {
                --marad;
                throw AdatbazisHiba("A pénztár zárva.");
            }
        };
        const int elso = Adatbazis::ertek("SELECT tipus FROM tipus ORDER BY tipus_nev COLLATE HU LIMIT 1").toInt();
        VartAblak f([&](TorzsAblak* a) {
            VartAblak g([&](TorzsSzerkeszto* d) {
                auto* e = d->findChild<QLineEdit*>("tipus_nev");
                e->selectAll();
                Gepel(e, "Laserdisc");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                if (elutasitas == 0) return;
                QCOMPARE(p().hibak(), QStringList("Hiányos, vagy hibás adatmegadás\nA pénztár zárva."));
                QVERIFY(d->isVisible());
                QCOMPARE(e->text(), QString("Laserdisc"));
                QCOMPARE(d->sor().allapot(), uj ? Rekord::Allapot::Beszur : Rekord::Allapot::Szerkeszt);
                QCOMPARE(tipusok(mappa()), tipusElotte);
                QCOMPARE(cassa(mappa()), cassaElotte);
                QTest::mouseClick(megsem ? d->btnMegsem : d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            Nyom(a, billentyu);
            a->reject();
        });
        TorzsMegnyit(l, nullptr, elso, false);

        QCOMPARE(hivasok, QList<bool>(elutasitas + (megsem ? 0 : 1), uj));
        if (megsem) {
            QCOMPARE(tipusok(mappa()), tipusElotte);
            QCOMPARE(cassa(mappa()), cassaElotte);
            return;
        }
        const int kulcs = tipusKulcs("Laserdisc");
        QCOMPARE(tipusok(mappa()).size(), tipusElotte.size() + (uj ? 1 : 0));
        if (!uj) QCOMPARE(kulcs, elso);
        QCOMPARE(cassa(mappa()), cassaElotte + QStringList(QString("E|%1|100|%2").arg(kulcs).arg(egyenleg + 100)));
    }

    // Deleting a row is one transaction with what the member deletes along
    // with it: all of it, or (refused) none of it.
    void torlesEgyTranzakcioban_data()
    {
        QTest::addColumn<bool>("elutasit");
        QTest::newRow("töröl") << false;
        QTest::newRow("elutasít") << true;
    }
    void torlesEgyTranzakcioban()
    {
        QFETCH(bool, elutasit);
        const int dvd = tipusKulcs("DVD");
        Adatbazis::vegrehajt("INSERT INTO video (azon, tipus, video_nev) VALUES (1, ?, 'Film'), (2, ?, 'Más')", {dvd, dvd});
        const QStringList elotte = tipusok(mappa());
        p().kerdesValaszok = {true};
        TipusTorlo a(Tfrm_TorzsTipus(false).leiras(), elutasit);
        VartAblak f([&](TorzsAblak* w) {
            Nyom(w, Qt::Key_Delete, Qt::ControlModifier);
            w->reject();
        });
        a.futtat(dvd);
        if (elutasit) {
            QCOMPARE(p().hibak(), QStringList("A típus nem törölhető."));
            QCOMPARE(tipusok(mappa()), elotte);
            QCOMPARE(Lemezen(mappa(), "SELECT COUNT(*) FROM video"), QStringList("2"));
        } else {
            QCOMPARE(tipusok(mappa()).size(), elotte.size() - 1);
            QCOMPARE(Lemezen(mappa(), "SELECT COUNT(*) FROM video"), QStringList("0"));
        }
    }

    // ---- the other members ---------------------------------------------------------

    // Genres and price categories: their own table, words and key; the
    // quick search finds by the beginning of the name in any letter case.
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
        VartAblak v([&](TorzsAblak* a) {
            QCOMPARE(a->objectName(), ablak);
            QCOMPARE(a->windowTitle(), cim);
            QCOMPARE(a->modell()->headerData(0, Qt::Horizontal).toString(), oszlop);
            VartAblak sz([&](TorzsSzerkeszto* d) {
                QCOMPARE(d->objectName(), ablak + "_Szerkeszt");
                QCOMPARE(d->windowTitle(), szerkCim);
                QCOMPARE(d->findChild<QLabel*>()->text(), oszlop);
                QVERIFY(d->findChild<QLineEdit*>(mezo));
                Nyom(d, Qt::Key_Escape);
            });
            Nyom(a, Qt::Key_Insert);
            Gepel(a->Edit1, kereses);
            QCOMPARE(a->ertek(mezo).toString(), talalat);
            Nyom(a, Qt::Key_Return);
        });
        const int kulcs = megnyit(true);
        QCOMPARE(kulcs, Adatbazis::ertek(QString("SELECT %1 FROM %1 WHERE %2 = ?").arg(tabla, mezo), {talalat}).toInt());
    }

    // Cash entry types: three columns by letter, no search field.
    void cassatipAblak()
    {
        VartAblak v([&](TorzsAblak* a) {
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
            Nyom(a, Qt::Key_F, Qt::ControlModifier);   // nothing to go to
            QVERIFY(a->isVisible());
            Nyom(a, Qt::Key_Escape);
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
        QString jel;
        VartAblak v([&](TorzsAblak* a) {
            VartAblak sz(VartAblak::Soha<TorzsSzerkeszto>{});
            Nyom(a, billentyu, Qt::KeyboardModifiers(mod));
            QCoreApplication::processEvents();
            Nyom(a, Qt::Key_Down);   // browsing is allowed
            jel = a->ertek("cassatip").toString();
            Nyom(a, Qt::Key_Escape);
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
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
        VartAblak v([&](TorzsAblak* a) {
            VartAblak sz([&](TorzsSzerkeszto* sz) {
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
                Nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d->nev);
                Gepel(d->nev, "Xerox");
                Nyom(d, Qt::Key_Return);
                QVERIFY(qobject_cast<QRadioButton*>(QApplication::focusWidget()));
                if (!irany.isEmpty()) d->findChild<QRadioButton*>(irany)->click();
                Nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d->btnOK);
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            Nyom(a, Qt::Key_Insert);
            QCOMPARE(a->ertek("cassatip").toString(), gepelt.toUpper());
            Nyom(a, Qt::Key_Escape);
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
        QVERIFY(cassatipok(mappa()).contains(vart));
    }

    // The one-character letter field takes one emoji whole (never "�") and
    // nothing after it.
    void cassatipEmoji()
    {
        const QString emoji = QString::fromUtf8("🎬");
        VartAblak f([&](TorzsAblak* a) {
            VartAblak g([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                Gepel(d->jel, emoji);
                QCOMPARE(d->jel->text(), emoji);
                Gepel(d->jel, "x");
                QCOMPARE(d->jel->text(), emoji);
                Gepel(d->nev, "Mozijegy");
                d->Bevetel->click();
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            Nyom(a, Qt::Key_Insert);
            QCOMPARE(a->ertek("cassatip").toString(), emoji);
            a->reject();
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
        QVERIFY(cassatipok(mappa()).contains(emoji + "|Mozijegy|1"));
        QVERIFY(p().hibak().isEmpty());
    }

    // A letter already in use is refused, the dialog stays open, nothing changes.
    void cassatipDuplikalt()
    {
        const QStringList elotte = cassatipok(mappa());
        VartAblak v([&](TorzsAblak* a) {
            VartAblak sz([&](TorzsSzerkeszto* sz) {
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
            Nyom(a, Qt::Key_Insert);
            Nyom(a, Qt::Key_Escape);
        });
        TorzsCassatipMegnyit(nullptr, QString(), false);
        QCOMPARE(cassatipok(mappa()), elotte);
    }

    // Editing shows the stored direction and writes the new choice; a row
    // without one keeps none; the letter may change too.
    void cassatipSzerkeszt()
    {
        Adatbazis::vegrehajt("INSERT INTO cassatip (cassatip, cassatip_nev) VALUES ('N', 'Nincs irány')");
        VartAblak v([&](TorzsAblak* a) {
            VartAblak sz([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                QCOMPARE(d->jel->text(), QString("K"));
                QVERIFY(d->Kiadas->isChecked() && !d->Bevetel->isChecked());
                d->Bevetel->click();
                d->jel->selectAll();
                Gepel(d->jel, "j");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
            });
            Nyom(a, Qt::Key_F2);
            QCOMPARE(a->ertek("cassatip").toString(), QString("J"));
            Nyom(a, Qt::Key_Down);
            QCOMPARE(a->ertek("cassatip").toString(), QString("N"));
            VartAblak sz2([&](TorzsSzerkeszto* sz) {
                auto* d = qobject_cast<Tfrm_TorzsCassatip_Szerkeszt*>(sz);
                QVERIFY(!d->Kiadas->isChecked() && !d->Bevetel->isChecked());
                d->nev->setText("Még mindig nincs");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
            });
            Nyom(a, Qt::Key_F2);
            Nyom(a, Qt::Key_Escape);
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
        VartAblak v([&](TorzsAblak* a) {
            QVERIFY(a->aElfogad->isVisible());
            Nyom(a, elfogad ? Qt::Key_Return : Qt::Key_Escape);
        });
        int szorzo = 99;
        QCOMPARE(TorzsCassatipMegnyit(nullptr, kod, true, szorzo), vartKod);
        QCOMPARE(szorzo, vartSzorzo);
        v.majd([&](TorzsAblak* a) { Nyom(a, elfogad ? Qt::Key_Return : Qt::Key_Escape); });
        QCOMPARE(TorzsCassatipMegnyit(nullptr, kod, true), vartKod);
    }
};

QTEST_MAIN(TstTorzsablak)
#include "tst_torzsablak.moc"
