// The barcode window: opened from the main window, driven with its keys,
// its labels printed and previewed through the test seam, a range that is
// not one refused, and its switch kept in the settings file.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "windows/reports/tfrm_vkod.h"
#include "tests/windows/tesztsegito.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/print/tst_vkod_olvas.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <tuple>

namespace {

// With KAZETTORA_KEPEK set, a picture of the window for looking at.
void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(mappa + "/vkod-" + nev + ".png");
}

} // namespace

class TstVKodAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;

    QString iniFajl() const { return m_t->mappa() + '/' + BeallitasFajlNev; }

    // Runs the window; `lepes` drives it and leaves it closed.
    void ablak(const std::function<void(Tfrm_VKod*)>& lepes)
    {
        VartAblak v([&](Tfrm_VKod* a) { lepes(a); });
        VKodMegnyit(nullptr);
        QVERIFY(v.kesz());
    }

    // The numbers printed on the pages of the n-th print hand-off (from 0).
    QStringList szamok(int n) const
    {
        QStringList s;
        for (const QString& o : PdfOldalak(m_t->parbeszed.nyomtatasok.value(n).pdf))
            s << PdfSorok(o).join(' ').split(' ', Qt::SkipEmptyParts);
        return s;
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        // No settings file yet: the defaults, as at a first start.
        QCOMPARE(IniBeolvasFajlbol(iniFajl()), QString());
    }
    void cleanup() { m_t.reset(); }

    // The main window's "Vonalkód nyomtatás" opens it, for every user.
    void fomenubol()
    {
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        TBeall.rendszergazda = TBeall.torzsszerkeszt = false;
        QAction* a = f.muvelet("aVKod");
        QVERIFY(a->isEnabled());
        VartAblak v([&](Tfrm_VKod* w) {
            QCOMPARE(w->parentWidget(), &f);
            Nyom(w, Qt::Key_Escape);
        });
        a->trigger();
        QVERIFY(v.kesz());
    }

    // As it opens; Ctrl+K previews and Ctrl+P prints the default range,
    // one full page of 119 numbered labels, and the window stays open.
    void alapertelmezes()
    {
        ablak([&](Tfrm_VKod* a) {
            QCOMPARE(a->windowTitle(), QString("Vonalkód nyomtatás"));
            QVERIFY(a->CheckBox1->isChecked());
            QCOMPARE(a->CheckBox1->text(), QString("A kód számmal is kiírva"));
            QCOMPARE(a->Label3->text(), QString("Számmal: 119db; szám nélkül: 168db"));
            QCOMPARE(a->Label1->text(), QString("azonosítótól"));
            QCOMPARE(a->Label2->text(), QString("azonosítóig"));
            QCOMPARE(a->Edit1->text(), QString("00001"));
            QCOMPARE(a->Edit2->text(), QString("00119"));
            QCOMPARE(a->Button1->text(), QString("Nyomtat"));
            QCOMPARE(a->Button2->text(), QString("Nyomtatási kép"));
            QCOMPARE(a->Button3->text(), QString("Bezár"));
            QCOMPARE(a->minimumSize(), a->maximumSize());
            kep(a, "alap");
            Nyom(a, Qt::Key_K, Qt::ControlModifier);
            Nyom(a, Qt::Key_P, Qt::ControlModifier);
            QVERIFY(a->isVisible());
            QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 2);
            QVERIFY(m_t->parbeszed.nyomtatasok[0].elonezet);
            QVERIFY(!m_t->parbeszed.nyomtatasok[1].elonezet);
            QStringList vart;
            for (int i = 1; i <= 119; ++i) vart << QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
            for (int n = 0; n < 2; ++n) {
                QCOMPARE(PdfOldalak(m_t->parbeszed.nyomtatasok[n].pdf).size(), 1);
                QStringList s = szamok(n);
                s.sort();
                QCOMPARE(s, vart);
            }
            // Without the number, a range of its own: no text, the symbols
            // of that range.
            a->CheckBox1->setChecked(false);
            a->Edit1->setText("500");
            a->Edit2->setText(" 502 ");
            a->Button1->click();
            QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 3);
            QCOMPARE(szamok(2), QStringList());
            if (VonalkodOlvasoVan()) {
                const QStringList kepek = PdfRaszter(m_t->parbeszed.nyomtatasok[2].pdf, m_dir.filePath("raszter"));
                QCOMPARE(kepek.size(), 1);
                QStringList kodok = Ean8Olvas(kepek[0]);
                kodok.sort();
                QCOMPARE(kodok, (QStringList{VartEan8(500), VartEan8(501), VartEan8(502)}));
            }
            a->Button3->click();
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(m_t->parbeszed.hibak(), QStringList());
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT azon FROM vkod ORDER BY vkod"), (QStringList{"00500", "00501", "00502"}));
    }

    // A range end that is no whole number: one error box saying why, the
    // field to correct, nothing printed; the work table is emptied before
    // the range is read, so the last run's labels are gone.
    void hibasTartomany_data()
    {
        QTest::addColumn<QString>("tol");
        QTest::addColumn<QString>("ig");
        QTest::addColumn<QString>("uzenet");
        QTest::addColumn<QString>("mezo");
        QTest::addColumn<bool>("kartya");   // customer cards chosen first (Alt+G)
        QTest::newRow("betű az elején") << "1a" << "00119" << "Nem egész szám: „1a” (azonosítótól)" << "Edit1" << false;
        QTest::newRow("tizedes a végén") << "00001" << "2,5" << "Nem egész szám: „2,5” (azonosítóig)" << "Edit2" << false;
        QTest::newRow("üres vég") << "00001" << "" << "Üres a kódtartomány egyik vége (azonosítóig)" << "Edit2" << false;
        QTest::newRow("nyolc jegy") << "12345678" << "12345679" << "Túl nagy kód: „12345678” (azonosítótól)" << "Edit1"
                                    << false;
        QTest::newRow("kártya: betű") << "1" << "5x" << "Nem egész szám: „5x” (ügyfélkódig)" << "Edit2" << true;
        QTest::newRow("kártya: túl nagy") << "1" << "2147483648" << "Túl nagy kód: „2147483648” (ügyfélkódig)"
                                          << "Edit2" << true;
        QTest::newRow("kártya: senki a tartományban") << "12345678" << "12345679"
                                                      << "Nincs ügyfél a(z) 12345678–12345679 kódtartományban" << "Edit1"
                                                      << true;
    }
    void hibasTartomany()
    {
        QFETCH(QString, tol);
        QFETCH(QString, ig);
        QFETCH(QString, uzenet);
        QFETCH(QString, mezo);
        QFETCH(bool, kartya);
        Adatbazis::vegrehajt("INSERT INTO vkod (azon) VALUES ('00007')");
        Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (1, 'Kiss Ödön', 'N')");
        ablak([&](Tfrm_VKod* a) {
            // A mnemonic clicks its button a moment later, as a click shows.
            if (kartya) Nyom(a, Qt::Key_G, Qt::AltModifier);
            QTRY_COMPARE(a->fajta(), kartya ? VKod::Fajta::Ugyfel : VKod::Fajta::Tetel);
            a->Edit1->setFocus();
            a->Edit1->setText(tol);
            a->Edit2->setText(ig);
            Nyom(a, Qt::Key_P, Qt::ControlModifier);
            Nyom(a, Qt::Key_K, Qt::ControlModifier);
            QCOMPARE(a->focusWidget()->objectName(), mezo);
            QVERIFY(a->isVisible());
            Nyom(a, Qt::Key_Escape);
        });
        const QStringList h = m_t->parbeszed.hibak();
        QCOMPARE(h.size(), 2);
        QVERIFY2(h[0].startsWith(uzenet), qPrintable(h[0]));
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 0);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM vkod"), QStringList{"0"});
    }

    // Customer cards chosen with the keys: the range fields then take
    // customer codes, and the listed customers with codes in the range get
    // a card each (symbol, digits, name); Alt+T goes back to item labels.
    void ugyfelkartyak()
    {
        const QList<std::tuple<int, QString, QString>> ugyfelek{
            {2, "Kiss Ödön", "N"}, {3, "Törölt Tímea", "I"}, {4, "Őry Emőke", "N"}, {40000000, "Nagy Kódú", "N"}};
        for (const auto& [azon, nev, torolve] : ugyfelek)
            Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) VALUES (?, ?, ?)", {azon, nev, torolve});
        ablak([&](Tfrm_VKod* a) {
            QVERIFY(a->RadioButton1->isChecked());
            QCOMPARE(a->GroupBox1->title(), QString("Címkék"));
            QCOMPARE(a->RadioButton1->text(), QString("&Tételek"));
            QCOMPARE(a->RadioButton2->text(), QString("Ü&gyfélkártyák"));
            Nyom(a, Qt::Key_G, Qt::AltModifier);
            QTRY_VERIFY(a->RadioButton2->isChecked());
            QCOMPARE(a->Label1->text(), QString("ügyfélkódtól"));
            QCOMPARE(a->Label2->text(), QString("ügyfélkódig"));
            // Back to the first field with the keys, and a range typed in.
            QCOMPARE(a->focusWidget(), a->RadioButton2);
            QTest::keyClick(a->focusWidget(), Qt::Key_Tab);
            QCOMPARE(a->focusWidget(), a->CheckBox1);
            QTest::keyClick(a->focusWidget(), Qt::Key_Tab);
            QCOMPARE(a->focusWidget(), a->Edit1);
            a->Edit1->selectAll();
            QTest::keyClicks(a->Edit1, "1");
            QTest::keyClick(a->Edit1, Qt::Key_Tab);
            QCOMPARE(a->focusWidget(), a->Edit2);
            a->Edit2->selectAll();
            QTest::keyClicks(a->Edit2, "40000000");
            kep(a, "ugyfel");
            Nyom(a, Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(m_t->parbeszed.hibak(), QStringList());
            QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 1);
            const QString pdf = m_t->parbeszed.nyomtatasok[0].pdf;
            // Down the first column: each card's digits, then its name.
            QCOMPARE(PdfSorok(PdfOldalak(pdf).value(0)), (QStringList{VartKartya(2), "Kiss Ödön", VartKartya(4), "Őry Emőke",
                                                                      VartKartya(40000000), "Nagy Kódú"}));
            if (VonalkodOlvasoVan()) {
                const QStringList kepek = PdfRaszter(pdf, m_dir.filePath("kartyak"));
                QCOMPARE(kepek.size(), 1);
                QStringList kodok = Ean13Olvas(kepek[0]);
                kodok.sort();
                QCOMPARE(kodok, (QStringList{VartKartya(2), VartKartya(4), VartKartya(40000000)}));
            }
            Nyom(a, Qt::Key_T, Qt::AltModifier);
            QTRY_VERIFY(a->RadioButton1->isChecked());
            QCOMPARE(a->Label1->text(), QString("azonosítótól"));
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT azon FROM vkod ORDER BY vkod"),
                 (QStringList{"00002", "00004", "40000000"}));
    }

    // The check box's state when the window closes (by any way) is where
    // it starts next time, also after the settings file is written at the
    // program's close and read at the next start.
    void kapcsoloMegmarad_data()
    {
        QTest::addColumn<int>("bezaras");   // 0 Esc, 1 "Bezár", 2 the close box
        QTest::newRow("Esc") << 0;
        QTest::newRow("Bezár") << 1;
        QTest::newRow("ablak bezárása") << 2;
    }
    void kapcsoloMegmarad()
    {
        QFETCH(int, bezaras);
        auto becsuk = [&](Tfrm_VKod* a) {
            if (bezaras == 0) Nyom(a, Qt::Key_Escape);
            else if (bezaras == 1) a->Button3->click();
            else a->close();
        };
        ablak([&](Tfrm_VKod* a) {
            QVERIFY(a->CheckBox1->isChecked());
            QTest::keyClick(a->CheckBox1, Qt::Key_Space);
            QVERIFY(!a->CheckBox1->isChecked());
            becsuk(a);
        });
        QCOMPARE(TBeall.VK_Kazettora, false);
        ablak([&](Tfrm_VKod* a) {
            QVERIFY(!a->CheckBox1->isChecked());
            becsuk(a);
        });
        // A restart: written at close, read at start.
        QString hiba;
        QVERIFY2(IniMentesFajlba(iniFajl(), {5, 5, 400, 640}, &hiba), qPrintable(hiba));
        TBeall = TBeallRekord();
        TBeall.VK_Kazettora = true;
        QCOMPARE(IniBeolvasFajlbol(iniFajl()), QString());
        QCOMPARE(TBeall.VK_Kazettora, false);
        ablak([&](Tfrm_VKod* a) {
            QVERIFY(!a->CheckBox1->isChecked());
            a->CheckBox1->setChecked(true);
            becsuk(a);
        });
        QCOMPARE(TBeall.VK_Kazettora, true);
        QVERIFY2(IniMentesFajlba(iniFajl(), {5, 5, 400, 640}, &hiba), qPrintable(hiba));
        TBeall.VK_Kazettora = false;
        QCOMPARE(IniBeolvasFajlbol(iniFajl()), QString());
        QCOMPARE(TBeall.VK_Kazettora, true);
    }
};

QTEST_MAIN(TstVKodAblak)
#include "tst_vkod_ablak.moc"
