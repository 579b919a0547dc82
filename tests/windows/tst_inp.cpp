// The number and text input dialogs as the operator types into them.
#include "windows/common/bevitel.h"
#include "windows/common/tfrm_inp.h"
#include "tests/windows/tesztsegito.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstInp : public QObject {
    Q_OBJECT
    TesztParbeszed m_p;
private slots:
    void initTestCase()
    {
        TesztKornyezet();
        parbeszedBeallit(&m_p);
    }
    void init() { m_p.dobozok.clear(); }

    void szamBevitel_data()
    {
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<double>("vart");
        QTest::newRow("szokozzel") << "12 000" << 12000.0;   // the space is dropped by the key filter anyway
        QTest::newRow("tizedes vesszo") << "12,5" << 12.5;
        QTest::newRow("pont eldobva") << "1.5" << 15.0;
        QTest::newRow("betu eldobva") << "-3a0" << -30.0;
    }
    void szamBevitel()
    {
        QFETCH(QString, gepelt);
        QFETCH(double, vart);
        VartAblak v([&](Tfrm_Inp* f) {
            QCOMPARE(f->Edit1->text(), QString("15"));   // the value passed in
            f->Edit1->selectAll();
            Gepel(f->Edit1, gepelt);
            QTest::keyClick(f->Edit1, Qt::Key_Return);
        });
        double ertek = 15;
        QVERIFY(SzamBevitelAblak(nullptr, "Pótdíj", "Add meg a pótdíj összegét", ertek));
        QCOMPARE(ertek, vart);
        QVERIFY(m_p.dobozok.isEmpty());
    }

    void szokozokTorlodnek()
    {
        // Pasted text with spaces (the key filter does not see a paste).
        VartAblak v([](Tfrm_Inp* f) {
            f->Edit1->setText("1 234,5");
            f->Button1->click();
        });
        double ertek = 0;
        QVERIFY(SzamBevitelAblak(nullptr, "Összeg megadás", "Add meg az összeget!", ertek));
        QCOMPARE(ertek, 1234.5);
    }

    void hibasErtekNyitvaMarad()
    {
        VartAblak v([this](Tfrm_Inp* f) {
            f->Edit1->setText("--");
            QTest::keyClick(f->Edit1, Qt::Key_Return);
            QCOMPARE(m_p.hibak(), QStringList{"Nem megfelelő érték."});
            QVERIFY(f->isVisible());
            QTest::keyClick(f, Qt::Key_Escape);
        });
        double ertek = 7;
        QVERIFY(!SzamBevitelAblak(nullptr, "Azonosító", "Add meg az azonosítót", ertek));
        QCOMPARE(ertek, 7.0);
    }

    // Pasted text the locale would read as infinity or NaN, an overflow, and
    // a sum past any real amount: refused like any other bad entry.
    void nemVegesSzam_data()
    {
        QTest::addColumn<QString>("beillesztett");
        QTest::newRow("inf") << "inf";
        QTest::newRow("-inf") << "-inf";
        QTest::newRow("nan") << "nan";
        QTest::newRow("NaN") << "NaN";
        QTest::newRow("tulcsordul") << "1e999";
        QTest::newRow("1e308") << "1e308";
        QTest::newRow("ezermilliard felett") << "1 000 000 000 001";
    }
    void nemVegesSzam()
    {
        QFETCH(QString, beillesztett);
        bool nyitvaMaradt = false;
        VartAblak v([&](Tfrm_Inp* f) {
            f->Edit1->setText(beillesztett);
            f->Button1->click();
            nyitvaMaradt = f->isVisible();
            QTest::keyClick(f, Qt::Key_Escape);
        });
        double ertek = 100;
        QVERIFY(!SzamBevitelAblak(nullptr, "Pótdíj", "Add meg a pótdíj összegét", ertek));
        QVERIFY(nyitvaMaradt);
        QCOMPARE(m_p.hibak(), QStringList{"Nem megfelelő érték."});
        QCOMPARE(ertek, 100.0);
    }

    void szovegBevitel()
    {
        VartAblak v([](QDialog* w) {
            auto* e = w->findChild<QLineEdit*>("Edit1");
            QVERIFY(e);
            QCOMPARE(e->selectedText(), QString("régi"));
            Gepel(e, "új jelszó");
            QTest::keyClick(e, Qt::Key_Return);
        });
        QString ertek = "régi";
        QVERIFY(MaszkosBevitelAblak(nullptr, "Jelszó", "Add meg az új jelszót", QString(), ertek));
        QCOMPARE(ertek, QString("új jelszó"));
        v.majd([](QDialog* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QVERIFY(!MaszkosBevitelAblak(nullptr, "Jelszó", "x", QString(), ertek));
        QCOMPARE(ertek, QString("új jelszó"));
    }

    void enterTovabbEsFokuszSzin()
    {
        QWidget ablak;
        auto* a = new QLineEdit(&ablak);
        auto* b = new QLineEdit(&ablak);
        auto* ok = new QPushButton("OK", &ablak);
        b->move(0, 30);
        ok->move(0, 60);
        FokuszSzinAlkalmaz(&ablak);
        EnterTovabbAlkalmaz(&ablak);
        ablak.show();
        QVERIFY(QTest::qWaitForWindowActive(&ablak));
        a->setFocus();
        QCOMPARE(a->palette().color(QPalette::Base), FokuszSzin);
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b);
        QVERIFY(a->palette().color(QPalette::Base) != FokuszSzin);
        QCOMPARE(b->palette().color(QPalette::Base), FokuszSzin);
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ok);
    }
};

QTEST_MAIN(TstInp)
#include "tst_inp.moc"
