// The first start of a new installation asks for the shop's details, with
// the keys: they land in the database and in the main window's caption.
#include "windows/admin/uzletadatok.h"
#include "core/data/adatbazis.h"
#include "tests/windows/tesztfoablak.h"

#include <QLineEdit>
#include <QPushButton>

class TstUzletAdatok : public FoablakTeszt {
    Q_OBJECT

    QString tulajdonos() const
    {
        return Lemezen(m_t->adatMappa(), "SELECT tulajdonos, irsz, varos, cim, telefon FROM tulajdonos").join('\n');
    }
    void uresUzlet()
    {
        m_t->nyit();
        Adatbazis::vegrehajt("UPDATE tulajdonos SET tulajdonos = '', irsz = '', varos = '', cim = '', telefon = ''");
        Adatbazis::zar();
    }

private slots:
    // Typed field by field with Enter; the postal code fills the town.
    void kitoltes()
    {
        uresUzlet();
        VartAblak v([&](Tfrm_Uzlet* a) {
            QCOMPARE(a->windowTitle(), QString("Az üzlet adatai"));
            QCOMPARE(a->focusWidget(), a->Adatok->mezo("tulajdonos"));
            // No name, no save: said, and the window stays.
            a->btnOK->click();
            QVERIFY(a->isVisible());
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Az üzlet nevét meg kell adni."});
            Gepel(a->Adatok->mezo("tulajdonos"), "Kazetta Kuckó");
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->focusWidget(), a->Adatok->mezo("irsz"));
            Gepel(a->focusWidget(), "7621");
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->focusWidget(), a->Adatok->mezo("varos"));
            QCOMPARE(a->Adatok->mezo("varos")->text(), QString("Pécs"));
            Nyom(a, Qt::Key_Return);
            Gepel(a->focusWidget(), "Király utca 1.");
            Nyom(a, Qt::Key_Return);
            Gepel(a->focusWidget(), "06-72-111-222");
            if (!qEnvironmentVariableIsEmpty("KAZETTORA_KEPEK"))
                a->grab().save(qEnvironmentVariable("KAZETTORA_KEPEK") + "/uzlet-elso.png");
            a->btnOK->setFocus();
            Nyom(a, Qt::Key_Return);
        });
        Tfrm_Main& f = indit();
        QVERIFY(v.kesz());
        QCOMPARE(tulajdonos(), QString("Kazetta Kuckó|7621|Pécs|Király utca 1.|06-72-111-222"));
        QCOMPARE(f.windowTitle(), QString("Kazettora: [Kazetta Kuckó]"));
    }

    // "Később" stores nothing and lets the program start; a shop with its
    // details is not asked.
    void kesobbEsKitoltott()
    {
        uresUzlet();
        {
            VartAblak v([&](Tfrm_Uzlet* a) { Nyom(a, Qt::Key_Escape); });
            indit();
            QVERIFY(v.kesz());
        }
        QCOMPARE(tulajdonos(), QString("||||"));
        m_f.reset();
        Adatbazis::zar();
        m_t->nyit();
        Adatbazis::vegrehajt("UPDATE tulajdonos SET tulajdonos = 'Kazetta Kuckó'");
        Adatbazis::zar();
        VartAblak soha(VartAblak::Soha<Tfrm_Uzlet>{});
        QCOMPARE(indit().windowTitle(), QString("Kazettora: [Kazetta Kuckó]"));
    }
};

QTEST_MAIN(TstUzletAdatok)
#include "tst_uzlet_adatok.moc"
