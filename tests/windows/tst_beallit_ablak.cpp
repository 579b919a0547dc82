// The settings window, driven with its keys, headless: the row read back
// through a connection of its own, the settings file byte for byte, TBeall.
#include "windows/admin/tfrm_beallit.h"
#include "windows/admin/uzletadatok.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/common/bevitel.h"
#include "print/common/uzenet.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// Records the folder browser's title and start folder besides answering it.
class MappaFigyelo : public TesztParbeszed {
public:
    QStringList cimek, kezdoMappak;
    QString mappaValasztas(QWidget* w, const QString& cim, const QString& mappa) override
    {
        cimek << cim;
        kezdoMappak << mappa;
        return TesztParbeszed::mappaValasztas(w, cim, mappa);
    }
};

const QString Figyelmeztetes = QStringLiteral("Indítsa újra a programot a beállítások érvénybe léptetéséhez.");
const QString MintaSor = QStringLiteral(
    "N|1500|2800|5000|N|A kikölcsönzött tételeket a lejárat napján, zárásig kérjük visszahozni. "
    "Késés esetén pótdíjat számolunk fel. Köszönjük, hogy nálunk kölcsönzött!|N");

// Tab until `cel` has the focus (switching pages with Ctrl+Tab first).
void fokuszig(Tfrm_Beallit* a, QWidget* cel)
{
    if (a->PageControl1->isAncestorOf(cel)) {
        for (int i = 0; i < 3 && !a->PageControl1->currentWidget()->isAncestorOf(cel); ++i)
            Nyom(a, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(a->PageControl1->currentWidget()->isAncestorOf(cel));
    }
    for (int i = 0; i < 20 && a->focusWidget() != cel; ++i) Nyom(a, Qt::Key_Tab);
    QCOMPARE(a->focusWidget(), cel);
}

// Replaces the text of the focused field as typed.
void atir(Tfrm_Beallit* a, QWidget* mezo, const QString& szoveg)
{
    fokuszig(a, mezo);
    Nyom(a, Qt::Key_A, Qt::ControlModifier);
    Nyom(a, Qt::Key_Delete);
    Gepel(mezo, szoveg);
}

// Changes every control of the window with the keys.
void mindetValtoztat(Tfrm_Beallit* a)
{
    fokuszig(a, a->CheckBox1);
    Nyom(a, Qt::Key_Space);
    fokuszig(a, a->DBCheckBox1);
    Nyom(a, Qt::Key_Space);
    atir(a, a->Edit2, "/mas/adat");
    atir(a, a->Edit1, "/mas/archiv");
    atir(a, a->DBEdit1, "1750,5");
    atir(a, a->DBEdit2, "3000");
    atir(a, a->DBEdit3, "");
    fokuszig(a, a->DBCheckBox2);
    Nyom(a, Qt::Key_Space);
    fokuszig(a, a->DBCheckBox3);
    Nyom(a, Qt::Key_Space);
    atir(a, a->DBMemo1, "Köszönjük!");
    Nyom(a, Qt::Key_Return);
    Gepel(a->DBMemo1, "Viszontlátásra.");
    atir(a, a->TabSheet4->mezo("tulajdonos"), "Őrségi Videó Bt.");
    atir(a, a->TabSheet4->mezo("telefon"), "06-94-555-123");
}

const QString MintaTulajdonos = QStringLiteral("Mozimánia Videotéka|1071|Budapest|06-1-234-5678");

} // namespace

class TstBeallitAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<MappaFigyelo> m_p;
    QByteArray m_ini;

    QString iniFajl() const { return m_t->mappa() + "/Kazettora.ini"; }
    QString sor() const
    {
        return Lemezen(m_t->adatMappa(),
                       "SELECT vanbelep, dijnegyed, dijfel, dijev, autonyom, kolcsszoveg, elorefizet FROM beallit")
            .join('\n');
    }
    QByteArray ini() const
    {
        QFile f(iniFajl());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(nincs)");
    }
    void tbeallVaratlan(bool teljesKep, const QString& adat, const QString& archiv)
    {
        QCOMPARE(TBeall.TeljesKep, teljesKep);
        QCOMPARE(TBeall.Utvonal, adat);
        QCOMPARE(TBeall.MentesUtvonal, archiv);
    }
    QString tulajdonos() const
    {
        return Lemezen(m_t->adatMappa(), "SELECT tulajdonos, irsz, varos, telefon FROM tulajdonos").join('\n');
    }
    void valtozatlan()
    {
        QCOMPARE(sor(), MintaSor);
        QCOMPARE(tulajdonos(), MintaTulajdonos);
        QCOMPARE(ini(), m_ini);
        tbeallVaratlan(true, m_t->adatMappa(), m_t->mappa() + "/Archiv");
    }

    // Runs the window; `lepes` drives it and leaves it closed.
    void ablak(const std::function<void(Tfrm_Beallit*)>& lepes)
    {
        VartAblak v([&](Tfrm_Beallit* a) { lepes(a); });
        BeallitMegnyit(nullptr);
        QVERIFY(v.kesz());
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
        m_p = std::make_unique<MappaFigyelo>();
        parbeszedBeallit(m_p.get());
        m_ini = "[Alapertek]\nTeljesKep=1\nBal=5\nFelul=5\nMagas=400\nSzeles=640\nBetumeret=8\n[Adatbazis]\nUtvonal="
                + m_t->adatMappa().toUtf8() + "\n[Archiv]\nMentesUtvonal=" + m_t->mappa().toUtf8()
                + "/Archiv\nMentesDatum=2026. 03. 01.\n[Vonalkod]\nVK_Kazettora=1\n";
        QFile f(iniFajl());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(m_ini);
        f.close();
        QCOMPARE(IniBeolvasFajlbol(iniFajl()), QString());
    }
    void cleanup()
    {
        m_t.reset();
        parbeszedBeallit(nullptr);
        m_p.reset();
    }

    // The window as it opens: its captions, pages and values.
    void megnyitas()
    {
        ablak([&](Tfrm_Beallit* a) {
            QCOMPARE(a->windowTitle(), QString("Beállítások"));
            QCOMPARE(a->PageControl1->count(), 5);
            QCOMPARE(a->PageControl1->tabText(0), QString("Általános"));
            QCOMPARE(a->PageControl1->tabText(1), QString("Tagdíjak"));
            QCOMPARE(a->PageControl1->tabText(2), QString("Kölcsönzés"));
            QCOMPARE(a->PageControl1->tabText(3), QString("Üzlet"));
            QCOMPARE(a->PageControl1->tabText(4), QString("Késedelem"));
            QCOMPARE(a->TabSheet4->mezo("tulajdonos")->text(), QString("Mozimánia Videotéka"));
            QCOMPARE(a->TabSheet4->mezo("bankszamlaszam")->text(), QString("117000001234567800000000"));
            QCOMPARE(a->PageControl1->currentIndex(), 0);
            QCOMPARE(a->CheckBox1->text(), QString("Megnyitáskor teljes képernyő"));
            QCOMPARE(a->DBCheckBox1->text(), QString("Belépésnél jelszót kér"));
            QCOMPARE(a->Label1->text(), QString("adatbázis elérési útvonala"));
            QCOMPARE(a->Label2->text(), QString("adatbázis mentési útvonala"));
            QCOMPARE(a->GroupBox1->title(), QString("Tagdíjak"));
            QCOMPARE(a->DBCheckBox2->text(), QString("Kölcsönzéskor automatikusan nyomtat"));
            QCOMPARE(a->DBCheckBox3->text(), QString("Előre fizet"));
            QCOMPARE(a->Label3->text(), QString("Megjegyzés a kölcsönzési jegyen"));
            QCOMPARE(a->btnOK->text(), QString("OK"));
            QCOMPARE(a->btnMegsem->text(), QString("Mégsem"));
            QVERIFY(a->CheckBox1->isChecked());
            QVERIFY(!a->DBCheckBox1->isChecked());
            QCOMPARE(a->Edit2->text(), m_t->adatMappa());
            QCOMPARE(a->Edit1->text(), m_t->mappa() + "/Archiv");
            QCOMPARE(a->DBEdit1->text(), QString("1500"));
            QCOMPARE(a->DBEdit2->text(), QString("2800"));
            QCOMPARE(a->DBEdit3->text(), QString("5000"));
            QVERIFY(a->DBMemo1->toPlainText().startsWith("A kikölcsönzött"));
            QCOMPARE(a->DBMemo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(a->focusWidget(), a->CheckBox1);
            // A fixed dialog border.
            QCOMPARE(a->minimumSize(), a->maximumSize());
            Nyom(a, Qt::Key_Escape);
        });
        QVERIFY(m_p->dobozok.isEmpty());
    }

    // Cancel after every control was changed: the row, TBeall and the file
    // as they were, and nothing said.
    void megsemMindenValtozasUtan_data()
    {
        QTest::addColumn<bool>("gombbal");
        QTest::newRow("Esc") << false;
        QTest::newRow("Enter a Mégsem gombon") << true;
    }
    void megsemMindenValtozasUtan()
    {
        QFETCH(bool, gombbal);
        ablak([&](Tfrm_Beallit* a) {
            mindetValtoztat(a);
            if (gombbal) {
                fokuszig(a, a->btnMegsem);
                Nyom(a, Qt::Key_Return);
            } else {
                Nyom(a, Qt::Key_Escape);
            }
        });
        QVERIFY(m_p->dobozok.isEmpty());
        valtozatlan();
    }

    // OK without a change still saves: the file written at once (not only at
    // the program's close) and the restart warning; the row as it was.
    void okValtozasNelkul()
    {
        QFile::remove(iniFajl());
        ablak([&](Tfrm_Beallit* a) {
            fokuszig(a, a->btnOK);
            Nyom(a, Qt::Key_Return);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(m_p->dobozok.size(), 1);
        QCOMPARE(m_p->dobozok[0].fajta, Parbeszed::Doboz::Figyelmeztetes);
        QCOMPARE(m_p->dobozok[0].cim, QString("Figyelmeztetés"));
        QCOMPARE(m_p->dobozok[0].szoveg, Figyelmeztetes);
        QCOMPARE(sor(), MintaSor);
        IniFajl f;
        QVERIFY(f.beolvas(iniFajl()));
        QCOMPARE(f.logikai("Alapertek", "TeljesKep", false), true);
        QCOMPARE(f.szoveg("Adatbazis", "Utvonal", {}), m_t->adatMappa());
        QCOMPARE(f.szoveg("Archiv", "MentesUtvonal", {}), m_t->mappa() + "/Archiv");
    }

    // OK after every control was changed: the row, TBeall and the file (its
    // other lines kept); what the next start reads.
    void okValtozasokkal()
    {
        ablak([&](Tfrm_Beallit* a) {
            mindetValtoztat(a);
            fokuszig(a, a->btnOK);
            Nyom(a, Qt::Key_Return);
        });
        QCOMPARE(m_p->hibak(), QStringList());
        QCOMPARE(m_p->dobozok.size(), 1);
        QCOMPARE(m_p->dobozok[0].szoveg, Figyelmeztetes);
        QCOMPARE(sor(), QString("I|1750.5|3000|∅|I|Köszönjük!\nViszontlátásra.|I"));
        QCOMPARE(tulajdonos(), QString("Őrségi Videó Bt.|1071|Budapest|06-94-555-123"));
        tbeallVaratlan(false, "/mas/adat", "/mas/archiv");
        QByteArray vart = m_ini;
        vart.replace("TeljesKep=1", "TeljesKep=0")
            .replace("Utvonal=" + m_t->adatMappa().toUtf8(), "Utvonal=/mas/adat")
            .replace("MentesUtvonal=" + m_t->mappa().toUtf8() + "/Archiv", "MentesUtvonal=/mas/archiv");
        QCOMPARE(ini(), vart);
        // The row's values act from the next start.
        BeallitBetoltAdatbazisbol();
        QVERIFY(TBeall.vanbelep && TBeall.autonyom && TBeall.elorefizet);
        QCOMPARE(TBeall.dijnegyed, 1750.5);
        QCOMPARE(TBeall.dijev, 0.0);
    }

    // Each browse button fills its own field with the folder chosen; a
    // cancelled browser leaves it. Either way Cancel in the window keeps the
    // paths as they were.
    void tallozas_data()
    {
        QTest::addColumn<int>("gomb");   // 1: data folder, 2: archive folder
        QTest::addColumn<QString>("valasztott");
        QTest::newRow("adatbázis, választva") << 1 << "/valasztott/adat";
        QTest::newRow("mentés, választva") << 2 << "/valasztott/archiv";
        QTest::newRow("adatbázis, elvetve") << 1 << "";
        QTest::newRow("mentés, elvetve") << 2 << "";
    }
    void tallozas()
    {
        QFETCH(int, gomb);
        QFETCH(QString, valasztott);
        if (!valasztott.isEmpty()) m_p->fajlValaszok << valasztott;
        ablak([&](Tfrm_Beallit* a) {
            QLineEdit* mezo = gomb == 1 ? a->Edit2 : a->Edit1;
            QLineEdit* masik = gomb == 1 ? a->Edit1 : a->Edit2;
            const QString regi = mezo->text(), masikRegi = masik->text();
            fokuszig(a, gomb == 1 ? a->BitBtn1 : a->BitBtn2);
            Nyom(a, Qt::Key_Return);
            QCOMPARE(mezo->text(), valasztott.isEmpty() ? regi : valasztott);
            QCOMPARE(masik->text(), masikRegi);
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(m_p->cimek, QStringList{"Adatbázis útvonal"});
        QCOMPARE(m_p->kezdoMappak, QStringList{QString()});
        QVERIFY(m_p->dobozok.isEmpty());
        valtozatlan();
    }

    // A fee that is not a number is refused when the field is left, the
    // focus stays in it; OK posts nothing while it is there. Letters are not
    // typed at all.
    void nemSzamDij_data()
    {
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<QString>("mezoben");
        QTest::newRow("két tizedesvessző") << "1,2,3" << "1,2,3";
        QTest::newRow("két előjel") << "--5" << "--5";
        QTest::newRow("csak kitevő") << "e" << "e";
        QTest::newRow("túl nagy szám") << "1e400" << "1e400";
        QTest::newRow("betűk közte") << "1a2b,c5x" << "12,5";
    }
    void nemSzamDij()
    {
        QFETCH(QString, gepelt);
        QFETCH(QString, mezoben);
        const bool jo = mezoben == "12,5";
        ablak([&](Tfrm_Beallit* a) {
            atir(a, a->DBEdit2, gepelt);
            QCOMPARE(a->DBEdit2->text(), mezoben);
            Nyom(a, Qt::Key_Tab);
            QApplication::processEvents();
            if (jo) {
                QCOMPARE(a->focusWidget(), a->DBEdit3);
                QVERIFY(m_p->dobozok.isEmpty());
                Nyom(a, Qt::Key_Escape);
                return;
            }
            QTRY_COMPARE(m_p->hibak().size(), 1);
            QVERIFY2(m_p->hibak()[0].contains(QStringLiteral("„féléves” tagdíj csak szám lehet")), qPrintable(m_p->hibak()[0]));
            QVERIFY(m_p->hibak()[0].contains(mezoben));
            QCOMPARE(a->focusWidget(), a->DBEdit2);
            // Enter, Ctrl+Tab to another page: refused again, back in the field.
            Nyom(a, Qt::Key_Return);
            QTRY_COMPARE(m_p->hibak().size(), 2);
            QCOMPARE(a->focusWidget(), a->DBEdit2);
            Nyom(a, Qt::Key_Tab, Qt::ControlModifier);
            QTRY_COMPARE(m_p->hibak().size(), 3);
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet2);
            QCOMPARE(a->focusWidget(), a->DBEdit2);
            // OK: nothing posted, the window stays.
            a->btnOK->click();
            QVERIFY(a->isVisible());
            QCOMPARE(m_p->hibak().size(), 4);
            QCOMPARE(a->focusWidget(), a->DBEdit2);
            Nyom(a, Qt::Key_Escape);
        });
        QVERIFY(m_p->dobozok.size() == (jo ? 0 : 4));
        valtozatlan();
    }

    // A row the database refuses: the reason shown, the window open, nothing
    // written; once the reason is gone, OK saves.
    void adatbazisElutasitja()
    {
        Adatbazis::vegrehajt("CREATE TRIGGER tilt BEFORE UPDATE ON beallit "
                             "BEGIN SELECT RAISE(ABORT, 'A beállítás most nem módosítható.'); END");
        ablak([&](Tfrm_Beallit* a) {
            mindetValtoztat(a);
            fokuszig(a, a->btnOK);
            Nyom(a, Qt::Key_Return);
            QVERIFY(a->isVisible());
            QCOMPARE(m_p->dobozok.size(), 1);
            QVERIFY2(m_p->hibak().value(0).contains("A beállítás most nem módosítható."), qPrintable(m_p->hibak().value(0)));
            valtozatlan();
            Adatbazis::vegrehajt("DROP TRIGGER tilt");
            Nyom(a, Qt::Key_Return);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(m_p->dobozok.size(), 2);
        QCOMPARE(m_p->dobozok[1].szoveg, Figyelmeztetes);
        QCOMPARE(sor(), QString("I|1750.5|3000|∅|I|Köszönjük!\nViszontlátásra.|I"));
        QCOMPARE(tulajdonos(), QString("Őrségi Videó Bt.|1071|Budapest|06-94-555-123"));
    }

    // The shop's page: a name is required once the page is changed, and a
    // shop that has not given its details yet still saves its other settings.
    void uzletLap()
    {
        ablak([&](Tfrm_Beallit* a) {
            atir(a, a->TabSheet4->mezo("tulajdonos"), "");
            a->btnOK->click();
            QVERIFY(a->isVisible());
            QCOMPARE(m_p->hibak(), QStringList{"Az üzlet nevét meg kell adni."});
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet4);
            QCOMPARE(a->focusWidget(), a->TabSheet4->mezo("tulajdonos"));
            Nyom(a, Qt::Key_Escape);
        });
        valtozatlan();

        Adatbazis::vegrehajt("DELETE FROM tulajdonos");
        ablak([&](Tfrm_Beallit* a) {
            atir(a, a->DBEdit1, "1600");
            fokuszig(a, a->btnOK);
            Nyom(a, Qt::Key_Return);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(m_p->hibak().size(), 1);
        QVERIFY(sor().startsWith("N|1600|"));
        QCOMPARE(tulajdonos(), QString());
    }

    // The receipt note: typing stops at 255 characters; a longer text put in
    // whole is refused at OK, with the field named.
    void megjegyzesHossz()
    {
        ablak([&](Tfrm_Beallit* a) {
            atir(a, a->DBMemo1, QString(250, QChar(u'ő')));
            Gepel(a->DBMemo1, "abcdefgh");
            QCOMPARE(a->DBMemo1->toPlainText(), QString(250, QChar(u'ő')) + "abcde");
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->DBMemo1->toPlainText().size(), 255);
            a->DBMemo1->setPlainText(QString(256, QChar(u'x')));   // as a paste brings it
            Nyom(a, Qt::Key_Tab, Qt::ControlModifier);
            a->btnOK->click();
            QVERIFY(a->isVisible());
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet3);
            QCOMPARE(a->focusWidget(), a->DBMemo1);
            QCOMPARE(m_p->hibak().size(), 1);
            QVERIFY2(m_p->hibak()[0].contains("„Megjegyzés a kölcsönzési jegyen” legfeljebb 255 karakter"),
                     qPrintable(m_p->hibak()[0]));
            Nyom(a, Qt::Key_Delete);   // the cursor was left at the start
            a->btnOK->click();
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(sor(), QString("N|1500|2800|5000|N|%1|N").arg(QString(255, QChar(u'x'))));
    }

    // Enter moves on, through the check boxes too; the two path fields take
    // the focus colour, and give it back when left.
    void enterEsFokuszSzin()
    {
        ablak([&](Tfrm_Beallit* a) {
            const QColor alap = a->Edit2->palette().color(QPalette::Base);
            QVERIFY(alap != FokuszSzin);
            QCOMPARE(a->focusWidget(), a->CheckBox1);
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->focusWidget(), a->DBCheckBox1);
            QVERIFY(!a->DBCheckBox1->isChecked());
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->focusWidget(), a->Edit2);
            QCOMPARE(a->Edit2->palette().color(QPalette::Base), FokuszSzin);
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->focusWidget(), a->BitBtn1);
            QCOMPARE(a->Edit2->palette().color(QPalette::Base), alap);
            Nyom(a, Qt::Key_Tab);
            QCOMPARE(a->focusWidget(), a->Edit1);
            QCOMPARE(a->Edit1->palette().color(QPalette::Base), FokuszSzin);
            fokuszig(a, a->DBEdit1);
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->focusWidget(), a->DBEdit2);
            Nyom(a, Qt::Key_Escape);
        });
        QVERIFY(m_p->dobozok.isEmpty());
        valtozatlan();
    }

    // The pages as they look, for the eye: /tmp/beallit-*.png.
    void kepek()
    {
        ablak([&](Tfrm_Beallit* a) {
            const char* nevek[] = {"altalanos", "tagdijak", "kolcsonzes", "uzlet"};
            for (int i = 0; i < 4; ++i) {
                a->PageControl1->setCurrentIndex(i);
                QApplication::processEvents();
                const QImage k = a->grab().toImage();
                QVERIFY(k.save(QStringLiteral("/tmp/beallit-%1.png").arg(nevek[i])));
            }
            Nyom(a, Qt::Key_Escape);
        });
    }

    // The main window's "Beállítások" opens it, with the administrator right
    // only.
    void foablakbol()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.muvelet("aBeallit")->isEnabled());
        {
            VartAblak v([](Tfrm_Beallit* a) { Nyom(a, Qt::Key_Escape); });
            f.muvelet("aBeallit")->trigger();
            QVERIFY(v.kesz());
        }
        TBeall.rendszergazda = false;
        {
            VartAblak soha(VartAblak::Soha<Tfrm_Beallit>{});
            f.muvelet("aBeallit")->trigger();
        }
        QCOMPARE(m_p->hibak(), QStringList{QString::fromUtf8(NincsJog)});
    }
};

QTEST_MAIN(TstBeallitAblak)
#include "tst_beallit_ablak.moc"
