// The rental receipt printed for real: through QPrinter to the default
// printer of a CUPS scheduler the test starts for itself (its own settings,
// spool, cache and logs in a temporary folder, reached through a Unix socket
// there). Its one queue, that scheduler's default, runs the CUPS filters down
// to PDF and hands each job to a backend of the test's own, which writes it
// into the test folder; the file is read back. The machine's scheduler, its
// /etc/cups and its default printer are left alone. Skipped where CUPS
// cannot run.
#include "core/data/adatbazis.h"
#include "print/rental/tqrkolcsonzes.h"
#include "tests/windows/tesztsegito.h"
#include "windows/common/ablakparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>

namespace {

// The test seam, except that printing goes to the real default printer.
class ValodiNyomtatas : public TesztParbeszed {
public:
    bool nyomtatas(QWidget* szulo, Nyomtatvany& n) override { return AblakParbeszed().nyomtatas(szulo, n); }
};

// Where the CUPS programs keep their filters and backends on Debian.
const QString CupsProgramok = QStringLiteral("/usr/lib/cups");

// A printer that takes PDF: the filters turn any job into PDF and no
// further; A4 and A5 paper.
const char* const Ppd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KZTESZT.PPD"
*Manufacturer: "Kazettora"
*Product: "(Kazettora teszt)"
*ModelName: "Kazettora teszt PDF"
*ShortNickName: "Kazettora teszt PDF"
*NickName: "Kazettora teszt PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize A5/A5: "<</PageSize[420 595]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion A5/A5: "<</PageSize[420 595]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea A5/A5: "0 0 420 595"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension A5/A5: "420 595"
)PPD";

// The backend: each job's PDF into the folder named by the device URI
// ("kazettora:/folder"), as job-N.pdf, which appears only when complete.
const char* const Hattertar = R"SH(#!/bin/sh
if [ $# -eq 0 ]; then
  echo 'direct kazettora "Kazettora teszt" "Kazettora teszt PDF"'
  exit 0
fi
cel="${DEVICE_URI#kazettora:}/job-$1.pdf"
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"$cel.tmp" || exit 1
if [ ! -s "$cel.tmp" ]; then
  rm -f "$cel.tmp"
  echo "ERROR: üres nyomtatási feladat" >&2
  exit 1
fi
mv "$cel.tmp" "$cel"
)SH";

bool Ir(const QString& fajl, const QByteArray& tartalom, QFile::Permissions jog = {})
{
    QFile f(fajl);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(tartalom) != tartalom.size()) return false;
    f.close();
    return jog == QFile::Permissions() || f.setPermissions(jog);
}

// A CUPS scheduler of the test's own, stopped when this goes.
class SajatCups {
public:
    static constexpr const char* Sor = "KazettoraTeszt";

    ~SajatCups() { leallit(); }

    // Starts the scheduler and sets up its queue as its default printer;
    // false, with the reason, where that cannot be done.
    bool indit(QString* hiba)
    {
        const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/usr/local/sbin"});
        m_lpadmin = QStandardPaths::findExecutable("lpadmin", {"/usr/sbin", "/usr/bin"});
        m_lpstat = QStandardPaths::findExecutable("lpstat", {"/usr/bin"});
        if (cupsd.isEmpty() || m_lpadmin.isEmpty() || m_lpstat.isEmpty()) {
            *hiba = "A CUPS (cupsd, lpadmin, lpstat) nincs telepítve; a scripts/nyomtato.sh telepíti.";
            return false;
        }
        if (!QFileInfo::exists(CupsProgramok + "/filter/pdftopdf")) {
            *hiba = "A pdftopdf szűrő (cups-filters) hiányzik; a scripts/nyomtato.sh telepíti.";
            return false;
        }
        if (!m_mappa.isValid()) {
            *hiba = "Nincs ideiglenes mappa.";
            return false;
        }
        // The scheduler's helpers run as its own user (lp): they must reach
        // the spool through the folder.
        const QString m = m_mappa.path();
        const auto olvashato = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                               | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(m, olvashato);
        for (const char* d : {"etc", "bin/backend", "spool", "cache", "state", "log", "tmp", "ki"})
            QDir(m).mkpath(QString::fromLatin1(d));
        QFile::setPermissions(m + "/tmp", olvashato | QFile::WriteGroup | QFile::WriteOther);
        QFile::setPermissions(m + "/ki", olvashato);
        // Filters and the rest from the system, the backend our own.
        for (const char* d : {"filter", "driver", "daemon", "cgi-bin", "monitor", "notifier"})
            if (QFileInfo::exists(CupsProgramok + "/" + d))
                QFile::link(CupsProgramok + "/" + d, m + "/bin/" + d);
        m_socket = m + "/cupsd.sock";
        const QString etc = m + "/etc";
        const bool irt =
            Ir(m + "/bin/backend/kazettora", Hattertar, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
            && Ir(m + "/kazettora.ppd", Ppd)
            && Ir(etc + "/cups-files.conf", QStringLiteral("ServerRoot %1/etc\nServerBin %1/bin\nRequestRoot %1/spool\n"
                                                           "CacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                                                           "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                                           "PageLog %1/log/page_log\n")
                                                .arg(m)
                                                .toUtf8())
            // Reached only through the socket in the test's folder, so it
            // lets everyone do everything.
            && Ir(etc + "/cupsd.conf", QStringLiteral("Listen %1\nBrowsing No\nWebInterface No\nDefaultShared No\n"
                                                      "LogLevel info\n<Policy default>\n  <Limit All>\n"
                                                      "    Order deny,allow\n  </Limit>\n</Policy>\n")
                                           .arg(m_socket)
                                           .toUtf8());
        if (!irt) {
            *hiba = "A CUPS beállításai nem írhatók: " + m;
            return false;
        }

        // In the foreground, as our child: it ends when we do, even if we crash.
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start(cupsd, {"-f", "-c", etc + "/cupsd.conf", "-s", etc + "/cups-files.conf"});
        if (!m_cupsd.waitForStarted(10000)) {
            *hiba = "A cupsd nem indult el: " + m_cupsd.errorString();
            return false;
        }
        const QDeadlineTimer hatarido(20000);
        while (!lpstat({"-r"}).contains("scheduler is running")) {
            if (m_cupsd.state() != QProcess::Running || hatarido.hasExpired()) {
                *hiba = "A saját cupsd nem indult el:\n" + QString::fromLocal8Bit(m_cupsd.readAll()) + naplo();
                return false;
            }
            QThread::msleep(100);
        }
        QString kimenet;
        if (!parancs(m_lpadmin, {"-p", Sor, "-E", "-v", "kazettora:" + kiMappa(), "-P", m + "/kazettora.ppd", "-o",
                                 "printer-error-policy=abort-job"},
                     &kimenet)
            || !parancs(m_lpadmin, {"-d", Sor}, &kimenet)) {
            *hiba = "A nyomtatási sor nem jött létre:\n" + kimenet + naplo();
            return false;
        }
        return true;
    }

    // What a program of the CUPS clients sees: this scheduler.
    QProcessEnvironment kornyezet() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("CUPS_SERVER", m_socket);
        e.insert("CUPS_SERVERROOT", m_mappa.path() + "/etc");
        return e;
    }
    // Points this process's CUPS client (Qt's printing) at the scheduler;
    // before it is first used, as it reads these once.
    void ideIranyit() const
    {
        qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
        qputenv("CUPS_SERVERROOT", QString(m_mappa.path() + "/etc").toLocal8Bit());
    }

    QString kiMappa() const { return m_mappa.path() + "/ki"; }
    QString lpstat(const QStringList& a) const
    {
        QString k;
        return parancs(m_lpstat, a, &k) ? k : QString();
    }
    QString naplo() const
    {
        QFile f(m_mappa.path() + "/log/error_log");
        return f.open(QIODevice::ReadOnly) ? "\n" + QString::fromUtf8(f.readAll().right(4000)) : QString();
    }

    void leallit()
    {
        if (m_cupsd.state() == QProcess::NotRunning) return;
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

private:
    // A CUPS client program run against this scheduler: true when it
    // succeeded; what it wrote goes to `kimenet`.
    bool parancs(const QString& program, const QStringList& a, QString* kimenet) const
    {
        QProcess p;
        p.setProcessEnvironment(kornyezet());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, a);
        const bool kesz = p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        *kimenet += QString::fromLocal8Bit(p.readAll());
        return kesz;
    }

    // The socket's path must fit a Unix socket address (108 bytes).
    QTemporaryDir m_mappa{(QDir::tempPath().size() > 60 ? QStringLiteral("/tmp") : QDir::tempPath())
                          + QStringLiteral("/kazettora-cups-XXXXXX")};
    QProcess m_cupsd;
    QString m_socket, m_lpadmin, m_lpstat;
};

} // namespace

class TstNyugtaCups : public QObject {
    Q_OBJECT
    std::unique_ptr<SajatCups> m_cups;
    QString m_nincsCups;

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        m_cups = std::make_unique<SajatCups>();
        if (!m_cups->indit(&m_nincsCups)) m_cups.reset();
        else m_cups->ideIranyit();
    }
    void cleanupTestCase() { m_cups.reset(); }

    void alapertelmezettNyomtatora()
    {
        if (!m_cups) QSKIP(qPrintable("A CUPS itt nem fut, a valódi nyomtatás kimarad: " + m_nincsCups));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext (poppler-utils) hiányzik");
        // Never on paper: the default printer must be the test's own queue.
        QCOMPARE(m_cups->lpstat({"-d"}).trimmed(), QString("system default destination: %1").arg(SajatCups::Sor));
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), QString(SajatCups::Sor));

        ValodiNyomtatas seam;
        TesztTelepites t;
        t.nyit();
        parbeszedBeallit(&seam);
        // ő, ű and Ő between other letters, which the way to the printer must keep as text.
        const QString nev = QStringLiteral("Őri-Szűcs Győző");
        Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, cim_irsz, cim_varos, cim_cim, torolve) "
                             "VALUES (1, ?, '1071', 'Budapest', 'Kertész utca 3.', 'N')",
                             {nev});
        const int ugyfel = Adatbazis::ertek("SELECT max(ugyfel) FROM ugyfel").toInt();
        const struct { int azon, tipus, arkat; const char* cim; double ar; } tetelek[] = {
            {30, 2, 1, "Kaland a hegyekben", 1000}, {10, 1, 2, "Nyári szünet", 750}, {20, 2, 3, "Csillagok", 500}};
        for (const auto& i : tetelek)
            Adatbazis::vegrehajt(
                "INSERT INTO video (azon, tipus, arkat, video_nev, ugyfel, fiztip, dat_visszakell, ido_visszakell, "
                "ar, kint, torolve, kolcsid) VALUES (?, ?, ?, ?, ?, 2, ?, ?, ?, 'I', 'N', 7)",
                {i.azon, i.tipus, i.arkat, QString::fromUtf8(i.cim), ugyfel, QDate(2026, 3, 16), QTime(15, 30, 0),
                 i.ar});

        KolcsonzesNyomtat(7, Kimenet::nyomtato());
        parbeszedBeallit(nullptr);
        QVERIFY2(seam.hibak().isEmpty(), qPrintable(seam.hibak().join('\n')));
        QVERIFY(seam.nyomtatasok.isEmpty());   // it went to the printer, not to the test seam

        // The backend renames the job's file into place once it is whole.
        QString fajl;
        const QDeadlineTimer hatarido(60000);
        while (fajl.isEmpty() && !hatarido.hasExpired()) {
            const QStringList l = QDir(m_cups->kiMappa()).entryList({"job-*.pdf"}, QDir::Files);
            if (!l.isEmpty()) fajl = QDir(m_cups->kiMappa()).filePath(l.first());
            else QThread::msleep(100);
        }
        QVERIFY2(!fajl.isEmpty(), qPrintable("Nem jött létre a nyomat.\n" + m_cups->lpstat({"-o"}) + m_cups->naplo()));
        const QStringList oldalak = PdfOldalak(fajl, true);

        QCOMPARE(oldalak.size(), 1);
        const QStringList s = PdfSorok(oldalak[0]);
        QVERIFY2(s.contains("név " + nev), qPrintable(s.join('\n')));
        const int elso = s.indexOf("10 Nyári szünet Normál 750");
        QVERIFY2(elso > 0, qPrintable(s.join('\n')));
        QCOMPARE(s.mid(elso + 1, 3), (QStringList{"20 Csillagok Régi 500", "30 Kaland a hegyekben Újdonság 1000",
                                                  "várható összesen 2250"}));
        QVERIFY(s.contains("átvétel igazolása"));
        QCOMPARE(s.last(), QString("oldal: 1 www.kazettora.hu qrKolcsonzes"));
        QVERIFY2(PdfInfo(fajl).contains("(A5)"), qPrintable(PdfInfo(fajl)));
    }
};

QTEST_MAIN(TstNyugtaCups)
#include "tst_nyugta_cups.moc"
