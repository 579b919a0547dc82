// The import window "Cikktörzs frissítés" driven as the operator would,
// headless: the sample imported from the main window's menu shows in the
// main list at once; a file chosen in the open dialog fills the editor and
// says how it was read; a refused line stores nothing and puts the cursor
// on it; a text with no data line imports nothing.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/app/tfrm_tetelimport.h"
#include "windows/common/kodszerkeszto.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

class TstTetelImportAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;

    QString fajl(const QString& nev, const QByteArray& bajtok)
    {
        const QString ut = m_dir.filePath(nev);
        QFile f(ut);
        if (!f.open(QIODevice::WriteOnly) || f.write(bajtok) != bajtok.size()) qFatal("cannot write %s", qPrintable(ut));
        return ut;
    }
    QStringList lemezen(const QString& sql) { return Lemezen(m_t->adatMappa(), sql); }

    // Runs the window on its own, with `lepes` driving it.
    template <typename F> void ablakban(F lepes)
    {
        VartAblak v([&](Tfrm_TetelImport* a) {
            lepes(a);
            if (a->isVisible()) a->aBezar->trigger();
        });
        TetelImportMegnyit(nullptr);
        QVERIFY(v.kesz());
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init() { m_t = std::make_unique<TesztTelepites>(true); }
    void cleanup()
    {
        ModalisAblakokatBezar();
        Adatbazis::zar();
        m_t.reset();
    }

    // "Tételek importja" on the main window, "Import indítása" at once: the
    // four sample items, in the main list while the window is still open,
    // the last of them current.
    void mintaAFoablakbol()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const int sorokElotte = f.TblModell->rowCount();
        VartAblak v([&](Tfrm_TetelImport* a) {
            QCOMPARE(a->windowTitle(), QString("Cikktörzs frissítés"));
            QCOMPARE(a->GroupBox1->title(), QString("Betöltendő file"));
            QCOMPARE(a->Label2->text(), QString("MINTAADAT!\nBetöltendő mezők sorban:\n"
                                                "kód, típuskód, árkat kód, cím, szöveg, műfaj kód, besz.ár"));
            QCOMPARE(a->SynEdit1->toPlainText(), QString("kód;tipus;arkat;cím;szöveg;mufaj;beszar;\n"
                                                         "1009;1;1;Hófehérke;;4;2000;\n"
                                                         "1010;2;3;Shrek;;4;;\n"
                                                         "1011;1;1;Shrek 2.;;4;;\n"
                                                         "1012;2;3;Keresztapa;;4;;"));
            QVERIFY(a->SynEdit1->font().fixedPitch());
            QCOMPARE(a->SynEdit1->font().pointSize(), 10);
            QVERIFY(!a->SynEdit1->isReadOnly());
            QCOMPARE(a->BitBtn2->text(), QString("Import indítása"));
            QCOMPARE(a->aBezar->text(), QString("Bezár"));
            QCOMPARE(a->ProgressBar1->value(), 0);

            a->BitBtn2->click();
            QVERIFY(a->isVisible());   // the window stays open
            QCOMPARE(a->ProgressBar1->value(), 0);
            QCOMPARE(a->ProgressBar1->maximum(), 4);
            QCOMPARE(m_t->parbeszed.hibak(), QStringList());
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            QCOMPARE(m_t->parbeszed.dobozok.at(0).szoveg, QString("4 tétel importálva."));
            // Already in the main list behind the window.
            QCOMPARE(f.TblModell->rowCount(), sorokElotte + 4);
            QCOMPARE(VarEgesz(f.Tbl.ertek("azon")), 1012);
            QCOMPARE(VarSzoveg(f.Tbl.ertek("video_nev")), QString("Keresztapa"));
            Nyom(a, Qt::Key_Escape);
        });
        f.muvelet("aImport")->trigger();
        QVERIFY(v.kesz());
        QCOMPARE(lemezen("SELECT azon, tipus, arkat, video_nev, szoveg, mufaj, beszar, kint, torolve, dat_besz, "
                         "kolcsonozve, kolcsid FROM video WHERE azon BETWEEN 1009 AND 1012 ORDER BY video"),
                 (QStringList{"1009|1|1|Hófehérke|∅|4|2000|N|N|2026-03-14|0|0",
                              "1010|2|3|Shrek|∅|4|0|N|N|2026-03-14|0|0",
                              "1011|1|1|Shrek 2.|∅|4|0|N|N|2026-03-14|0|0",
                              "1012|2|3|Keresztapa|∅|4|0|N|N|2026-03-14|0|0"}));
        for (int kod = 1009; kod <= 1012; ++kod) QVERIFY(f.Tbl.keresKod(kod));
    }

    // The open dialog: a Windows-1250 and a UTF-8 file each fill the editor
    // and say how they were read; a name without extension means the .csv
    // file; a cancelled dialog or a file that cannot be read leaves all as it was.
    void fajlValasztas()
    {
        const QString cp = fajl("regi.csv", "k\xF3" "d;c\xEDm\r\n1;\xC1rv\xEDzt\xFBr\xF5\r\n");
        const QString utf8 = fajl("uj.csv", QStringLiteral("kód;cím\n1;Tükörfúrógép\n").toUtf8());
        ablakban([&](Tfrm_TetelImport* a) {
            QCOMPARE(a->LabelKodolas->text(), QString());
            m_t->parbeszed.fajlValaszok = {cp};
            a->BitBtn1->click();
            QCOMPARE(a->Edit1->text(), cp);
            QCOMPARE(a->SynEdit1->toPlainText(), QString("kód;cím\n1;Árvíztűrő\n"));
            QCOMPARE(a->LabelKodolas->text(), QString("A file kódolása: Windows-1250"));
            // With KAZETTORA_KEPEK set, a picture of the window for looking at.
            if (const QString kepek = qEnvironmentVariable("KAZETTORA_KEPEK"); !kepek.isEmpty())
                a->grab().save(kepek + "/tetelimport.png");

            m_t->parbeszed.fajlValaszok = {utf8.chopped(4)};
            a->BitBtn1->click();
            QCOMPARE(a->Edit1->text(), utf8);
            QCOMPARE(a->SynEdit1->toPlainText(), QString("kód;cím\n1;Tükörfúrógép\n"));
            QCOMPARE(a->LabelKodolas->text(), QString("A file kódolása: UTF-8"));

            a->BitBtn1->click();   // cancelled
            m_t->parbeszed.fajlValaszok = {m_dir.path()};   // a folder: not readable as a file
            a->BitBtn1->click();
            QCOMPARE(m_t->parbeszed.hibak().size(), 1);
            QVERIFY2(m_t->parbeszed.hibak().at(0).startsWith("A fájl nem olvasható"), qPrintable(m_t->parbeszed.hibak().at(0)));
            QCOMPARE(a->Edit1->text(), utf8);
            QCOMPARE(a->SynEdit1->toPlainText(), QString("kód;cím\n1;Tükörfúrógép\n"));
            QCOMPARE(a->LabelKodolas->text(), QString("A file kódolása: UTF-8"));
        });
    }

    // A refused line: nothing stored, the error names it, the cursor goes
    // there; corrected in the editor, the whole text imports.
    void elutasitottSor()
    {
        m_t->nyit();
        const QStringList elotte = lemezen("SELECT video, azon, video_nev FROM video ORDER BY video");
        ablakban([&](Tfrm_TetelImport* a) {
            a->SynEdit1->setPlainText(QStringLiteral("fejléc\n2001;1;1;Jó;;1;\n2002;1;1;%1;;1;\n2003;1;1;Jó;;1;")
                                          .arg(QString(101, u'é')));
            a->BitBtn2->click();
            QCOMPARE(m_t->parbeszed.hibak().size(), 1);
            QVERIFY2(m_t->parbeszed.hibak().at(0).startsWith(
                         "A(z) 3. sort az adatbázis nem fogadta el: a(z) video_nev mező legfeljebb 100 karakter lehet"),
                     qPrintable(m_t->parbeszed.hibak().at(0)));
            QCOMPARE(a->ProgressBar1->value(), 0);
            QCOMPARE(a->SynEdit1->textCursor().blockNumber(), 2);
            QCOMPARE(lemezen("SELECT video, azon, video_nev FROM video ORDER BY video"), elotte);

            QTextCursor c = a->SynEdit1->textCursor();
            c.select(QTextCursor::BlockUnderCursor);
            c.insertText("\n2002;1;1;Javított;;1;");
            m_t->parbeszed.dobozok.clear();
            a->BitBtn2->click();
            QCOMPARE(m_t->parbeszed.hibak(), QStringList());
            QCOMPARE(m_t->parbeszed.dobozok.at(0).szoveg, QString("3 tétel importálva."));
        });
        QCOMPARE(lemezen("SELECT azon, video_nev FROM video WHERE azon > 2000 ORDER BY video"),
                 (QStringList{"2001|Jó", "2002|Javított", "2003|Jó"}));
    }

    void csakFejlec()
    {
        m_t->nyit();
        const QStringList elotte = lemezen("SELECT COUNT(*) FROM video");
        ablakban([&](Tfrm_TetelImport* a) {
            a->SynEdit1->setPlainText("kód;tipus;arkat;cím;szöveg;mufaj;beszar;\n");
            a->aImport->trigger();
            QCOMPARE(a->ProgressBar1->value(), 0);
            QCOMPARE(m_t->parbeszed.hibak(), QStringList());
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            QCOMPARE(m_t->parbeszed.dobozok.at(0).szoveg,
                     QString("Nincs importálandó sor: az első sor fejléc, utána nincs adat."));
        });
        QCOMPARE(lemezen("SELECT COUNT(*) FROM video"), elotte);
    }
};

QTEST_MAIN(TstTetelImportAblak)
#include "tst_tetelimport_ablak.moc"
