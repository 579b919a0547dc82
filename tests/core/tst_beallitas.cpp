// The settings file: defaults, tolerant reading, writing back.
#include "core/data/beallitas.h"
#include "tests/core/tesztmag.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstBeallitas : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString ini() const { return m_dir.path() + "/Kazettora.ini"; }
    void ir(const QByteArray& tartalom)
    {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(tartalom);
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        ProgramUtvonalBeallit(m_dir.path());
    }
    void init() { QFile::remove(ini()); TBeall = TBeallRekord{}; }

    void nincsFajlAlapertekek()
    {
        QCOMPARE(IniBeolvasFajlbol(ini()), QString("Nem létező adatbázis mappa, alapértelmezés visszaállítva."));
        QVERIFY(TBeall.TeljesKep);
        QCOMPARE(TBeall.Betumeret, 8);
        QCOMPARE(TBeall.Bal, 5);
        QCOMPARE(TBeall.Szeles, 640);
        QCOMPARE(TBeall.Magas, 400);
        QCOMPARE(TBeall.Utvonal, m_dir.path() + "/Data");
        QCOMPARE(TBeall.MentesUtvonal, m_dir.path() + "/Archiv");
        QCOMPARE(TBeall.MentesDatum, QDate::currentDate().addDays(-10));
        QVERIFY(TBeall.VK_Kazettora);
    }

    void turelmesOlvasas_data()
    {
        QTest::addColumn<QByteArray>("ertek");
        QTest::addColumn<bool>("teljesKep");
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("2") << QByteArray("2") << true;
        QTest::newRow("yes") << QByteArray("yes") << true;
        QTest::newRow("ures") << QByteArray("") << true;
    }
    void turelmesOlvasas()
    {
        QFETCH(QByteArray, ertek);
        QDir(m_dir.path()).mkpath("Data");
        ir("[alapertek]\nteljeskep=" + ertek + "\nBetumeret=nagy\nBal=-20\n[Archiv]\nMentesDatum=tegnapelőtt\n");
        QCOMPARE(IniBeolvasFajlbol(ini()), QString());
        QTEST(TBeall.TeljesKep, "teljesKep");
        QCOMPARE(TBeall.Betumeret, 8);
        QCOMPARE(TBeall.Bal, -20);
        QCOMPARE(TBeall.MentesDatum, QDate::currentDate().addDays(-10));
    }

    void mappak()
    {
        QDir(m_dir.path()).mkpath("Masik");
        ir("[Adatbazis]\nUtvonal=" + m_dir.path().toUtf8() + "/Masik\n[Archiv]\nMentesUtvonal=/nincs/ilyen\n");
        QCOMPARE(IniBeolvasFajlbol(ini()), QString());
        QCOMPARE(TBeall.Utvonal, m_dir.path() + "/Masik");   // letter case kept
        QCOMPARE(TBeall.MentesUtvonal, m_dir.path() + "/Archiv");
        ir("[Adatbazis]\nUtvonal=/nincs/ilyen\n");
        QVERIFY(!IniBeolvasFajlbol(ini()).isEmpty());
        QCOMPARE(TBeall.Utvonal, m_dir.path() + "/Data");
    }

    void visszairas()
    {
        ir("; a bolt gépe\n[Sajat]\nKulcs=marad\n[Alapertek]\nBetumeret=9\n");
        IniBeolvasFajlbol(ini());
        TBeall.Betumeret = 12;
        TBeall.TeljesKep = false;
        TBeall.MentesDatum = QDate(2026, 2, 28);
        QString hiba;
        QVERIFY(IniMentesFajlba(ini(), {3, 4, 500, 700}, &hiba));
        QFile f(ini());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString t = QString::fromUtf8(f.readAll());
        QVERIFY(t.contains("; a bolt gépe"));
        QVERIFY(t.contains("Kulcs=marad"));
        // The data folder reset to the default is saved as the new setting.
        QVERIFY(t.contains("Utvonal=" + m_dir.path() + "/Data"));
        TBeall = TBeallRekord{};
        IniBeolvasFajlbol(ini());
        QCOMPARE(TBeall.Betumeret, 12);
        QVERIFY(!TBeall.TeljesKep);
        QCOMPARE(TBeall.MentesDatum, QDate(2026, 2, 28));
        QCOMPARE(TBeall.Bal, 3);
        QCOMPARE(TBeall.Felul, 4);
        QCOMPARE(TBeall.Magas, 500);
        QCOMPARE(TBeall.Szeles, 700);
    }

    // The disk fills up while the file is written at close: the old file
    // stays whole (data folder, archive folder and date kept), the failure
    // is told, and no half-written file is left beside it.
    void teliLemezenARegiMarad_data()
    {
        QTest::addColumn<qint64>("hely");
        QTest::newRow("semmi hely") << qint64(0);
        QTest::newRow("fele fer el") << qint64(40);
    }
    void teliLemezenARegiMarad()
    {
        QFETCH(qint64, hely);
        QDir(m_dir.path()).mkpath("Masik");
        const QByteArray regi = "[Adatbazis]\nUtvonal=" + m_dir.path().toUtf8() + "/Masik\n[Archiv]\nMentesDatum="
                                + RovidDatum(QDate(2026, 1, 31)).toUtf8() + "\n";
        ir(regi);
        IniBeolvasFajlbol(ini());
        TBeall.Betumeret = 14;
        QString hiba;
        {
            TeliLemez teli(hely);
            QVERIFY(!IniMentesFajlba(ini(), {1, 2, 300, 400}, &hiba));
        }
        QVERIFY2(hiba.contains("Kazettora.ini") && hiba.contains("Betelt a lemez"), qPrintable(hiba));
        QFile f(ini());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), regi);
        QCOMPARE(QDir(m_dir.path()).entryList({"Kazettora.ini*"}, QDir::Files), QStringList{"Kazettora.ini"});
        // With room again, the same save goes through.
        QVERIFY(IniMentesFajlba(ini(), {1, 2, 300, 400}, &hiba));
        TBeall = TBeallRekord{};
        IniBeolvasFajlbol(ini());
        QCOMPARE(TBeall.Utvonal, m_dir.path() + "/Masik");
        QCOMPARE(TBeall.MentesDatum, QDate(2026, 1, 31));
        QCOMPARE(TBeall.Betumeret, 14);
    }

    void irhatatlanMappa()
    {
        QString hiba;
        QVERIFY(!IniMentesFajlba("/proc/nincs/Kazettora.ini", {0, 0, 1, 1}, &hiba));
        QVERIFY2(hiba.contains("Kazettora.ini"), qPrintable(hiba));
    }
};

QTEST_GUILESS_MAIN(TstBeallitas)
#include "tst_beallitas.moc"
