// The statement window driven with its keys: a query in lower case after
// empty lines opens the result, only the selection runs when there is one,
// a comment before SELECT makes a command, a command tells the rows it
// changed, a failing text changes nothing, statements saved and opened
// again, the result written to a "|"-delimited file, and statements that
// would break the shop refused.
#include "windows/admin/tfrm_sql.h"
#include "core/admin/felhasznalok.h"
#include "core/rental/cassakonyveles.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/reports/hatarolt.h"
#include "windows/common/kodszerkeszto.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QToolBar>
#include <QtTest>

namespace {

// Records what the file dialogs were asked with.
class FajlParbeszed : public TesztParbeszed {
public:
    struct Kerdes { QString cim, hol, szuro; };
    QList<Kerdes> kerdesek;
    QString megnyitandoFajl(QWidget* w, const QString& cim, const QString& mappa, const QString& szuro) override
    {
        kerdesek << Kerdes{cim, mappa, szuro};
        return TesztParbeszed::megnyitandoFajl(w, cim, mappa, szuro);
    }
    QString mentendoFajl(QWidget* w, const QString& cim, const QString& javasolt, const QString& szuro) override
    {
        kerdesek << Kerdes{cim, javasolt, szuro};
        return TesztParbeszed::mentendoFajl(w, cim, javasolt, szuro);
    }
};

QStringList feliratok(const QList<QAction*>& l)
{
    QStringList s;
    for (QAction* a : l) s << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return s;
}

// With KAZETTORA_KEPEK set, a picture of the window for looking at.
void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(mappa + "/sql-" + nev + ".png");
}

const QString Nevek = QStringLiteral("SELECT video || '|' || video_nev || '|' || IFNULL(szoveg, '') FROM video ORDER BY video");

} // namespace

class TstSqlAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    FajlParbeszed m_p;
    std::unique_ptr<Tfrm_SQL> m_a;

    Tfrm_SQL* ablak()
    {
        m_a = std::make_unique<Tfrm_SQL>();
        m_a->show();
        if (!QTest::qWaitForWindowExposed(m_a.get())) qFatal("not exposed");
        return m_a.get();
    }
    // The text typed into the editor, then run with F5.
    void futtat(Tfrm_SQL* a, const QString& szoveg)
    {
        a->SqlSzerkeszto->setFocus();
        a->SqlSzerkeszto->setPlainText(szoveg);
        Nyom(a, Qt::Key_F5);
    }
    QStringList tetelek() const { return Lemezen(m_t->adatMappa(), Nevek); }
    QStringList uzenetek() const
    {
        QStringList l;
        for (const auto& d : m_p.dobozok) l << d.szoveg;
        return l;
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
        m_p = FajlParbeszed();
        parbeszedBeallit(&m_p);
        m_t->nyit();
    }
    void cleanup()
    {
        m_a.reset();
        parbeszedBeallit(&m_t->parbeszed);
        m_t.reset();
    }

    // Opened from the main window's "Rendszer" menu: its menus, tool bar,
    // tabs and pop-up menus, the editor ready for typing.
    void felepites()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        VartAblak v([&](Tfrm_SQL* a) {
            QCOMPARE(a->windowTitle(), QString("SQL lekérdezés"));
            QCOMPARE(a->size(), QSize(585, 405));
            QCOMPARE(QApplication::focusWidget(), a->SqlSzerkeszto);
            QStringList menuk;
            for (QAction* m : a->MainMenu1->actions()) menuk << m->text() + ": " + feliratok(m->menu()->actions()).join(", ");
            QCOMPARE(menuk, QStringList({"Fájl: Új SQL, SQL megnyitása, SQL mentése, -, Export, -, Bezár",
                                         "Szerkesztés: Kivág, Másol, Beilleszt, -, Mindet kijelöl",
                                         "SQL: SQL lekérdezés"}));
            QCOMPARE(feliratok(a->ToolBar1->actions()),
                     QStringList({"Új SQL", "SQL megnyitása", "SQL mentése", "-", "Export", "-", "SQL lekérdezés", "-",
                                  "Kivág", "Másol", "Beilleszt", "-", "Bezár"}));
            QCOMPARE(feliratok(a->PopupMenu1->actions()),
                     QStringList({"SQL lekérdezés", "-", "Új SQL", "SQL megnyitása", "SQL mentése", "-", "Kivág",
                                  "Másol", "Beilleszt", "Mindet kijelöl"}));
            QCOMPARE(feliratok(a->PopupMenu2->actions()), QStringList({"Másol", "-", "Export"}));
            QCOMPARE(a->PageControl1->tabText(0), QString("SQL"));
            QCOMPARE(a->PageControl1->tabText(1), QString("Eredmény"));
            const QList<std::pair<QAction*, QString>> billentyuk = {
                {a->aUj, "Ctrl+N"}, {a->aMegnyit, "Ctrl+O"}, {a->aMent, "Ctrl+S"}, {a->aExport, "Ctrl+E"},
                {a->aBezar, ""}, {a->aKivag, "Ctrl+X"}, {a->aMasol, "Ctrl+C"}, {a->aBeilleszt, "Ctrl+V"},
                {a->aMindet, "Ctrl+A"}, {a->aFuttat, "F5"}};
            for (const auto& [m, b] : billentyuk) QCOMPARE(m->shortcut().toString(), b);
            QVERIFY(!a->aExport->isEnabled());
            // Esc does not throw away what is being typed.
            Gepel(a->SqlSzerkeszto, "select 1");
            Nyom(a, Qt::Key_Escape);
            QVERIFY(a->isVisible());
            QCOMPARE(a->SqlSzerkeszto->toPlainText(), QString("select 1"));
            a->aBezar->trigger();
        });
        f.muvelet("aSQL")->trigger();
        QVERIFY(v.kesz());
    }

    // Typed in lower case after empty lines it is still a query: the result
    // opens with its rows, every column 64 pixels wide; F5 from the editor.
    void lekerdezes()
    {
        Tfrm_SQL* a = ablak();
        a->SqlSzerkeszto->setFocus();
        Nyom(a, Qt::Key_Return);
        Nyom(a, Qt::Key_Return);
        Gepel(a->SqlSzerkeszto, "   select video, video_nev, szoveg from video order by video");
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), QString("\n\n   select video, video_nev, szoveg from video order by video"));
        Nyom(a, Qt::Key_F5);
        QCOMPARE(uzenetek(), QStringList());
        QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet2);
        QVERIFY(a->aExport->isEnabled());
        QTableView* g = a->DBGrid1;
        QCOMPARE(g->model()->columnCount(), 3);
        QCOMPARE(g->model()->headerData(1, Qt::Horizontal).toString(), QString("video_nev"));
        for (int i = 0; i < 3; ++i) QCOMPARE(g->columnWidth(i), 64);
        const QStringList lemezen = tetelek();
        // Read a page at a time: the rest comes as the grid scrolls down.
        QVERIFY(g->model()->rowCount() < lemezen.size());
        while (g->model()->canFetchMore({})) g->model()->fetchMore({});
        QCOMPARE(g->model()->rowCount(), lemezen.size());
        for (int i : {0, int(lemezen.size()) - 1})
            QCOMPARE(g->model()->index(i, 0).data().toString() + '|' + g->model()->index(i, 1).data().toString() + '|' +
                         g->model()->index(i, 2).data().toString(),
                     lemezen[i]);
        kep(a, "eredmeny");

        // The editing actions leave the editor alone while the result shows.
        const QString szoveg = a->SqlSzerkeszto->toPlainText();
        for (QAction* m : {a->aMindet, a->aKivag, a->aBeilleszt}) m->trigger();
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), szoveg);
        QVERIFY(!a->aKivag->isEnabled());
        a->PageControl1->setCurrentWidget(a->TabSheet1);
        a->SqlSzerkeszto->setFocus();
        Nyom(a, Qt::Key_A, Qt::ControlModifier);
        Nyom(a, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), QString());
        Nyom(a, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), szoveg);
        kep(a, "szerkeszto");
    }

    // With two statements in the editor and the second one selected, only
    // the selected one runs.
    void csakAKijeloles()
    {
        Tfrm_SQL* a = ablak();
        const QStringList regi = tetelek();
        a->SqlSzerkeszto->setPlainText("UPDATE video SET szoveg = 'futott';\n"
                                       "select azon, ugyfel_nev\n  from ugyfel order by azon");
        QTextCursor c(a->SqlSzerkeszto->document()->findBlockByNumber(1));
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        a->SqlSzerkeszto->setTextCursor(c);
        a->SqlSzerkeszto->setFocus();
        kep(a, "kijeloles");
        Nyom(a, Qt::Key_F5);
        QCOMPARE(uzenetek(), QStringList());
        QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet2);
        QCOMPARE(a->DBGrid1->model()->columnCount(), 2);
        QCOMPARE(a->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QString("ugyfel_nev"));
        QCOMPARE(tetelek(), regi);

        // And the first line alone runs as a command.
        QTextCursor e(a->SqlSzerkeszto->document()->firstBlock());
        e.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        a->SqlSzerkeszto->setTextCursor(e);
        Nyom(a, Qt::Key_F5);
        QCOMPARE(uzenetek(), QStringList({QString("SQL futtatás kész.")}));
        QVERIFY(!a->aExport->isEnabled());
        QVERIFY(tetelek().constFirst().endsWith("|futott"));
    }

    // Commands: a query behind a comment runs as one and opens no result;
    // an UPDATE reports its end and closes the result that was open.
    void parancs_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<int>("sorok");
        QTest::addColumn<int>("valtozott");   // items whose note became "x"
        QTest::newRow("megjegyzés a SELECT előtt") << "-- minden tétel\nSELECT * FROM video" << 0 << 0;
        QTest::newRow("zárójel a SELECT előtt") << "(SELECT 1)" << -1 << 0;
        QTest::newRow("UPDATE")
            << "update video set szoveg = 'x' where video in (select video from video order by video limit 3)" << 3 << 3;
        QTest::newRow("két utasítás egy szövegben")
            << "UPDATE video SET szoveg = 'x' WHERE video IN (SELECT video FROM video ORDER BY video LIMIT 2);\n"
               "CREATE TABLE proba (a INTEGER);\n"
            << 2 << 2;
    }
    void parancs()
    {
        QFETCH(QString, szoveg);
        QFETCH(int, sorok);
        QFETCH(int, valtozott);
        Tfrm_SQL* a = ablak();
        futtat(a, "SELECT * FROM video");
        QVERIFY(a->aExport->isEnabled());
        a->PageControl1->setCurrentWidget(a->TabSheet1);
        futtat(a, szoveg);
        QVERIFY(!a->aExport->isEnabled());
        QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet1);
        QCOMPARE(a->DBGrid1->model()->columnCount(), 0);
        QCOMPARE(m_p.dobozok.size(), 1);
        if (sorok < 0) {
            // "(SELECT 1)" is no statement the engine knows: its own words.
            QCOMPARE(m_p.dobozok[0].fajta, Parbeszed::Doboz::Hiba);
            QVERIFY2(m_p.dobozok[0].szoveg.startsWith("SQL hiba:\r\nnear \"(\": syntax error"), qPrintable(m_p.dobozok[0].szoveg));
        } else {
            QCOMPARE(m_p.dobozok[0].fajta, Parbeszed::Doboz::Uzenet);
            // The caption alone: the count of rows is no part of it.
            QCOMPARE(m_p.dobozok[0].szoveg, QString("SQL futtatás kész."));
        }
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM video WHERE szoveg = 'x'"),
                 QStringList{QString::number(valtozott)});
    }

    // An error shows the engine's own words and leaves the data and the
    // window as they were, even when statements before it had run.
    void hiba_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("lekérdezés: nincs ilyen tábla") << "select * from nincs" << "no such table: nincs";
        QTest::newRow("lekérdezés után még egy utasítás") << "SELECT 1; DELETE FROM video"
                                                         << "Egyszerre csak egy lekérdezés futtatható";
        QTest::newRow("parancs: nincs ilyen mező") << "UPDATE video SET nincs = 1" << "no such column: nincs";
        QTest::newRow("második utasítás bukik")
            << "UPDATE video SET video_nev = 'ELRONTVA';\nINSERT INTO video (video) SELECT MIN(video) FROM video;"
            << "UNIQUE constraint failed: video.video";
    }
    void hiba()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, uzenet);
        Tfrm_SQL* a = ablak();
        const QStringList regi = tetelek();
        futtat(a, szoveg);
        QCOMPARE(m_p.hibak().size(), 1);
        QVERIFY2(m_p.hibak()[0].startsWith("SQL hiba:\r\n" + uzenet), qPrintable(m_p.hibak()[0]));
        QCOMPARE(m_p.dobozok.size(), 1);
        QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet1);
        QVERIFY(!a->aExport->isEnabled());
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), szoveg);
        QCOMPARE(tetelek(), regi);
        QVERIFY(!Adatbazis::tranzakcioban());
    }

    // Statements that would break the shop are refused with "SQL hiba:" and
    // the reason, the schema as it was; a cash entry of the counter then
    // lands in the shop's cash book, and the shop opens again.
    void tiltott_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("ideiglenes cassa") << "CREATE TEMP TABLE cassa AS SELECT * FROM main.cassa"
                                          << "A(z) „cassa” név a program egyik táblájáé vagy indexéé";
        QTest::newRow("writable_schema") << "PRAGMA writable_schema=ON"
                                         << "Az adatbázis-kezelő beállításai (PRAGMA writable_schema)";
        QTest::newRow("user_version") << "PRAGMA user_version=99" << "Az adatbázis-kezelő beállításai (PRAGMA user_version)";
        QTest::newRow("DROP TABLE") << "DROP TABLE cassa" << "A program táblái és indexei nem módosíthatók (cassa).";
        QTest::newRow("DROP INDEX") << "DROP INDEX video_azon" << "A program táblái és indexei nem módosíthatók (video_azon).";
        QTest::newRow("ATTACH") << "ATTACH '%1/masik.db' AS masik"
                                << "Más adatbázisfájl innen nem csatolható";
    }
    void tiltott()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, uzenet);
        szoveg.replace("%1", m_t->mappa());   // a file of the test's own folder
        const QString semaSql = "SELECT type || ' ' || name || ' ' || IFNULL(sql, '') FROM sqlite_schema ORDER BY name";
        const QStringList sema = Lemezen(m_t->adatMappa(), semaSql) + Lemezen(m_t->adatMappa(), "PRAGMA user_version");
        const QStringList penztar = Lemezen(m_t->adatMappa(), "SELECT COUNT(*), IFNULL(SUM(osszeg), 0) FROM cassa");
        Tfrm_SQL* a = ablak();
        futtat(a, szoveg);
        QCOMPARE(m_p.dobozok.size(), 1);
        QCOMPARE(m_p.hibak().size(), 1);
        QVERIFY2(m_p.hibak()[0].startsWith("SQL hiba:\r\n" + uzenet), qPrintable(m_p.hibak()[0]));
        QCOMPARE(Lemezen(m_t->adatMappa(), semaSql) + Lemezen(m_t->adatMappa(), "PRAGMA user_version"), sema);
        {
            Adatbazis::Tranzakcio t;
            CassaKonyvel("B", QVariant(), 1500, true);
            t.jovahagy();
        }
        QVERIFY(Lemezen(m_t->adatMappa(), "SELECT COUNT(*), IFNULL(SUM(osszeg), 0) FROM cassa") != penztar);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM cassa").constFirst().toInt(),
                 penztar.constFirst().section('|', 0, 0).toInt() + 1);
        QVERIFY(!QFile::exists(m_t->mappa() + "/masik.db"));
        m_a.reset();
        Adatbazis::zar();
        QString hiba;
        QVERIFY2(Adatbazis::nyit(m_t->adatMappa(), &hiba), qPrintable(hiba));
    }

    // With login on, a statement that would leave no administrator is
    // undone with the users window's words; INSERT, UPDATE, DELETE and
    // SELECT stay free, and what the window creates for itself is its own.
    void utolsoRendszergazda()
    {
        Adatbazis::vegrehajt("UPDATE beallit SET vanbelep = 'I'");
        const QString rg = "SELECT felhasznalo FROM felhasznalo WHERE rendszergazda = 'I'";
        const QStringList regi = Lemezen(m_t->adatMappa(), rg);
        QVERIFY(!regi.isEmpty());
        Tfrm_SQL* a = ablak();
        futtat(a, "DELETE FROM felhasznalo WHERE rendszergazda='I'");
        QCOMPARE(m_p.hibak(), QStringList{"SQL hiba:\r\n" + QString::fromUtf8(Felhasznalok::UtolsoRendszergazda)});
        QCOMPARE(Lemezen(m_t->adatMappa(), rg), regi);

        m_p.dobozok.clear();
        futtat(a, "CREATE TEMP TABLE sajat AS SELECT video FROM video ORDER BY video LIMIT 3;\n"
                  "INSERT INTO felhasznalo (felhasznalo, rendszergazda) VALUES ('helyettes', 'I');\n"
                  "UPDATE video SET szoveg = 'x' WHERE video IN (SELECT video FROM sajat);\n"
                  "DELETE FROM felhasznalo WHERE felhasznalo <> 'helyettes'");
        QCOMPARE(uzenetek(), QStringList{"SQL futtatás kész."});
        QCOMPARE(Lemezen(m_t->adatMappa(), rg), QStringList{"helyettes"});
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM temp.sqlite_schema").toInt(), 0);
        futtat(a, "select count(*) from sajat");
        QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet2);
        QCOMPARE(a->DBGrid1->model()->index(0, 0).data().toString(),
                 Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM video WHERE szoveg = 'x'").constFirst());
        // Written from the window's own connection too.
        const QString fajl = m_t->mappa() + "/sajat.csv";
        m_p.fajlValaszok << fajl;
        a->aExport->trigger();
        QCOMPARE(m_p.hibak(), QStringList());
        QVERIFY(QFile::exists(fajl));
    }

    // Saved into the SQL folder and opened again with Ctrl+S, Ctrl+N and
    // Ctrl+O; the name is remembered and proposed the next time.
    void mentesMegnyitas()
    {
        QVERIFY(QDir(m_t->mappa()).mkpath("SQL"));
        Tfrm_SQL* a = ablak();
        const QString szoveg = "-- kölcsönzött tételek\nSELECT video_nev\nFROM video\nWHERE kint = 'I'";
        a->SqlSzerkeszto->setPlainText(szoveg);
        a->SqlSzerkeszto->setFocus();
        const QString fajl = m_t->mappa() + "/SQL/kint";   // no extension: the dialog's own is added
        m_p.fajlValaszok << fajl;
        Nyom(a, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_p.hibak(), QStringList());
        QCOMPARE(m_p.kerdesek.size(), 1);
        QCOMPARE(m_p.kerdesek[0].cim, QString("SQL mentése"));
        QCOMPARE(m_p.kerdesek[0].hol, SzabadSql::Mappa() + "/");
        QCOMPARE(m_p.kerdesek[0].szuro, QString("SQL file-ok (*.sql)"));
        QFile f(fajl + ".sql");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QString(szoveg).replace("\n", "\r\n"));
        QCOMPARE(a->fajlNev(), fajl + ".sql");

        Nyom(a, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), QString());
        QCOMPARE(a->fajlNev(), fajl + ".sql");   // a new text keeps the name

        // Cancelling the open dialog keeps the editor as it is.
        a->SqlSzerkeszto->setPlainText("marad");
        Nyom(a, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), QString("marad"));

        m_p.fajlValaszok << fajl + ".sql";
        Nyom(a, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_p.kerdesek.size(), 3);
        QCOMPARE(m_p.kerdesek[2].cim, QString("SQL megnyitás"));
        QCOMPARE(m_p.kerdesek[2].hol, SzabadSql::Mappa());
        QCOMPARE(m_p.kerdesek[2].szuro, QString("SQL állományok (*.sql)"));
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), szoveg);
        QCOMPARE(m_p.hibak(), QStringList());

        // The next save proposes the remembered file.
        Nyom(a, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_p.kerdesek.last().hol, fajl + ".sql");

        // A file that cannot be read or written: the reason, nothing changed.
        m_p.fajlValaszok << m_t->mappa() + "/SQL/nincs.sql";
        Nyom(a, Qt::Key_O, Qt::ControlModifier);
        m_p.fajlValaszok << m_t->mappa() + "/nincs/mappa.sql";
        Nyom(a, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_p.hibak().size(), 2);
        QVERIFY2(m_p.hibak()[0].contains("nincs.sql fájl nem olvasható"), qPrintable(m_p.hibak()[0]));
        QVERIFY2(m_p.hibak()[1].contains("mappa.sql fájl nem írható"), qPrintable(m_p.hibak()[1]));
        QCOMPARE(a->SqlSzerkeszto->toPlainText(), szoveg);
        QCOMPARE(a->fajlNev(), fajl + ".sql");
    }

    // The open result into a "|"-delimited file: field names, then every
    // value followed by "|", CR LF, Windows-1250; "Tarlo3_exp.csv" proposed
    // first, then the name chosen last.
    void exportalas()
    {
        Adatbazis::vegrehajt("UPDATE video SET video_nev = 'Árvíztűrő; \"tükör\"', szoveg = NULL "
                             "WHERE video = (SELECT MIN(video) FROM video)");
        Tfrm_SQL* a = ablak();
        futtat(a, "SELECT video AS kod, video_nev, szoveg FROM video ORDER BY video LIMIT 2");
        QVERIFY(a->aExport->isEnabled());
        a->DBGrid1->setFocus();
        a->DBGrid1->setCurrentIndex(a->DBGrid1->model()->index(1, 0));
        const QString fajl = m_t->mappa() + "/ki.csv";
        m_p.fajlValaszok << fajl;
        Nyom(a, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_p.hibak(), QStringList());
        QCOMPARE(m_p.kerdesek.size(), 1);
        QCOMPARE(m_p.kerdesek[0].cim, QString("Export"));
        QCOMPARE(m_p.kerdesek[0].hol, QString("Tarlo3_exp.csv"));
        QCOMPARE(m_p.kerdesek[0].szuro, QString("CSV állományok (*.csv)"));
        const QStringList sorok = Lemezen(m_t->adatMappa(), "SELECT video, video_nev, IFNULL(szoveg, '') FROM video ORDER BY video LIMIT 2");
        QByteArray vart = "kod|video_nev|szoveg|\r\n";
        const QStringList elso = sorok[0].split('|');
        QCOMPARE(elso[1], QString("Árvíztűrő; \"tükör\""));
        vart += elso[0].toLatin1() + "|\xc1rv\xedzt\xfbr\xf5; \"t\xfck\xf6r\"||\r\n";
        vart += Hatarolt::Cp1250(sorok[1]) + "|\r\n";
        QFile f(fajl);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), vart);
        QCOMPARE(a->DBGrid1->currentIndex().row(), 1);

        // The name chosen last is proposed the next time, in this window.
        Nyom(a, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_p.kerdesek.size(), 2);
        QCOMPARE(m_p.kerdesek[1].hol, fajl);

        // A file that cannot be made.
        m_p.fajlValaszok << m_t->mappa() + "/nincs/ki.csv";
        Nyom(a, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_p.hibak().size(), 1);
        QVERIFY2(m_p.hibak()[0].startsWith("File megnyitási hiba\r\n"), qPrintable(m_p.hibak()[0]));
    }
};

QTEST_MAIN(TstSqlAblak)
#include "tst_sql_ablak.moc"
