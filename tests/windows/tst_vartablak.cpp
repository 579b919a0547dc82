// The helper that drives modal windows in the tests (VartAblak). A chain and
// a nested window are driven in order; a window that does not open, a step
// whose check fails, a step that leaves its window open and a window that
// must not open fail the test at once and leave no window behind. Those run
// in a child process (this program started again with --bukik), where
// failing is the expected outcome.
#include "tests/windows/tesztsegito.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QProcess>
#include <QtTest>

namespace {

QString nyitvaLevo()
{
    QStringList l;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) l << w->objectName();
    return QStringLiteral("nyitva: %1 [%2]").arg(l.size()).arg(l.join(','));
}

} // namespace

// Run only in the child process: each of these must fail.
class Bukok : public QObject {
    Q_OBJECT
private slots:
    // Another window is waiting for the operator: the expected one can
    // never open while it is there.
    void masikAblakVar()
    {
        QDialog mas;
        mas.setObjectName("Mas");
        VartAblak v("Soha", [](QWidget* w) { Nyom(w, Qt::Key_Escape); }, 300);
        const int eredmeny = mas.exec();
        qInfo("eredmény: %d, %s", eredmeny, qPrintable(nyitvaLevo()));
    }

    // Nothing opened the window before the test went on.
    void nemNyiltMeg()
    {
        {
            VartAblak v("Soha", [](QWidget* w) { Nyom(w, Qt::Key_Escape); });
        }
        qInfo("%s", qPrintable(nyitvaLevo()));
    }

    // A check fails in the step of a window nested in another: both go.
    void belsoLepesElbukik()
    {
        QDialog kulso;
        kulso.setObjectName("Kulso");
        VartAblak v("Kulso", [](QWidget* k) {
            QDialog belso(k);
            belso.setObjectName("Belso");
            VartAblak b("Belso", [](QWidget*) { QCOMPARE(1 + 1, 3); });
            belso.exec();
            Nyom(k, Qt::Key_Escape);
        });
        kulso.exec();
        qInfo("%s", qPrintable(nyitvaLevo()));
    }

    // The step forgot to close its window.
    void nyitvaMarad()
    {
        QDialog d;
        d.setObjectName("Marad");
        VartAblak v("Marad", [](QWidget*) {});
        d.exec();
        qInfo("%s", qPrintable(nyitvaLevo()));
    }

    // A window that must not open does.
    void tiltottMegnyilik()
    {
        VartAblak v(VartAblak::Soha<QInputDialog>{});
        QInputDialog d;
        d.exec();
        qInfo("%s", qPrintable(nyitvaLevo()));
    }

    // The first window of a chain came, the second never does.
    void lancMasodikaElmarad()
    {
        VartAblak v("Elso", [](QWidget* w) { Nyom(w, Qt::Key_Escape); }, 300);
        v.majd("Masodik", [](QWidget* w) { Nyom(w, Qt::Key_Escape); });
        QDialog elso;
        elso.setObjectName("Elso");
        elso.exec();
        QDialog harmadik;
        harmadik.setObjectName("Harmadik");
        harmadik.exec();
        qInfo("%s", qPrintable(nyitvaLevo()));
    }
};

class TstVartAblak : public QObject {
    Q_OBJECT
private slots:
    // A chain of two windows, the second opened when the first is closed,
    // and a window nested in the first, told by its type.
    void lancEsBeagyazott()
    {
        QStringList sorrend;
        VartAblak v("Elso", [&](QWidget* w) {
            sorrend << w->objectName();
            QVERIFY(w->isActiveWindow());
            VartAblak belso([&](QInputDialog* b) {   // told by its type
                sorrend << "belső";
                b->reject();
            });
            QInputDialog b(w);
            QCOMPARE(b.exec(), int(QDialog::Rejected));
            QVERIFY(belso.kesz());
            Nyom(w, Qt::Key_Escape);
        });
        v.majd("Masodik", [&](QDialog* w) {
            sorrend << w->objectName();
            w->accept();
        });
        QDialog elso, masodik;
        elso.setObjectName("Elso");
        masodik.setObjectName("Masodik");
        QCOMPARE(elso.exec(), int(QDialog::Rejected));
        QVERIFY(!v.kesz());
        QCOMPARE(masodik.exec(), int(QDialog::Accepted));
        QVERIFY(v.kesz());
        QCOMPARE(sorrend, (QStringList{"Elso", "belső", "Masodik"}));
    }

    void bukik_data()
    {
        QTest::addColumn<QString>("eset");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("más ablak vár") << "masikAblakVar"
                                       << "A várt ablak (Soha) nem nyílt meg 300 ms alatt. Nyitva: QDialog";
        QTest::newRow("nem nyílt meg") << "nemNyiltMeg" << "A várt ablak (Soha) nem nyílt meg.";
        QTest::newRow("belső lépés elbukik") << "belsoLepesElbukik" << "A(z) Belso ablak lépése elbukott";
        QTest::newRow("nyitva marad") << "nyitvaMarad" << "A(z) Marad ablak nyitva maradt a lépése után.";
        QTest::newRow("tiltott megnyílik") << "tiltottMegnyilik" << "A(z) QInputDialog ablak megnyílt, pedig nem szabadna.";
        QTest::newRow("lánc második eleme elmarad")
            << "lancMasodikaElmarad" << "A várt ablak (Masodik) nem nyílt meg 300 ms alatt.";
    }
    void bukik()
    {
        QFETCH(QString, eset);
        QFETCH(QString, uzenet);
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QCoreApplication::applicationFilePath(), {"--bukik", eset});
        // A hang would show here: the child has far less than this to do.
        const bool vege = p.waitForFinished(30000);
        if (!vege) p.kill();
        const QString kimenet = QString::fromUtf8(p.readAll());
        QVERIFY2(vege, qPrintable(kimenet));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY2(p.exitCode() == 1, qPrintable(kimenet));   // the one case failed
        QVERIFY2(kimenet.contains(uzenet), qPrintable(kimenet));
        QVERIFY2(kimenet.contains("FAIL!  : Bukok::" + eset), qPrintable(kimenet));
        // The place of the failure is the line where the window was expected.
        QVERIFY2(kimenet.contains("tst_vartablak.cpp("), qPrintable(kimenet));
        // Whatever was open was closed, and the test went on to its end.
        QVERIFY2(kimenet.contains("nyitva: 0 []"), qPrintable(kimenet));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--bukik") == 0) {
        Bukok b;
        argv[1] = argv[0];
        return QTest::qExec(&b, argc - 1, argv + 1);
    }
    TstVartAblak t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_vartablak.moc"
