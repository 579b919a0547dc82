// The rental receipt printed for real: through QPrinter to the default
// printer, a CUPS queue with the cups-pdf backend (scripts/nyomtato.sh sets
// it up), whose output file is read back. Skipped where CUPS cannot run.
#include "data/adatbazis.h"
#include "rental/tqrkolcsonzes.h"
#include "tesztsegito.h"
#include "tst_jelentes_pdf.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QtTest>

namespace {

// The test seam, except that printing goes to the real default printer.
class ValodiNyomtatas : public TesztParbeszed {
public:
    bool nyomtatas(QWidget* szulo, Nyomtatvany& n) override { return AblakParbeszed().nyomtatas(szulo, n); }
};

// Where cups-pdf writes: as the set-up script configured it.
QString KimenetiMappa()
{
    const QString env = qEnvironmentVariable("KAZETTORA_NYOMTATO_MAPPA");
    if (!env.isEmpty()) return env;
    QFile f("/etc/cups/cups-pdf.conf");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QString mappa;
    const QRegularExpression out("^\\s*Out\\s+(\\S.*)$");
    for (const QString& sor : QString::fromUtf8(f.readAll()).split('\n')) {
        const auto m = out.match(sor);
        if (m.hasMatch()) mappa = m.captured(1).trimmed();
    }
    mappa.replace("${HOME}", QDir::homePath());
    mappa.replace("${USER}", qEnvironmentVariable("USER", "root"));
    return mappa;
}

QSet<QString> Pdfek(const QString& mappa)
{
    const QStringList l = QDir(mappa).entryList({"*.pdf"}, QDir::Files);
    return QSet<QString>(l.begin(), l.end());
}

} // namespace

class TstNyugtaCups : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TesztKornyezet(); }

    void alapertelmezettNyomtatora()
    {
        if (!PdfParancs("lpstat", {"-r"}).contains("is running"))
            QSKIP("A CUPS ütemező (cupsd) nem fut; a scripts/nyomtato.sh indítja.");
        const QPrinterInfo nyomtato = QPrinterInfo::defaultPrinter();
        if (nyomtato.isNull()) QSKIP("Nincs alapértelmezett nyomtató; a scripts/nyomtato.sh beállítja.");
        // Never on paper: only a cups-pdf queue is printed to.
        if (!PdfParancs("lpstat", {"-v", nyomtato.printerName()}).contains("cups-pdf:"))
            QSKIP("Az alapértelmezett nyomtató nem cups-pdf sor; papírra a teszt nem nyomtat.");
        const QString mappa = KimenetiMappa();
        if (mappa.isEmpty() || !QFileInfo(mappa).isDir()) QSKIP("A cups-pdf kimeneti mappája nem található.");
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext (poppler-utils) hiányzik");

        ValodiNyomtatas seam;
        TesztTelepites t;
        t.nyit();
        parbeszedBeallit(&seam);
        // A mark of this run, to tell its output from other jobs', in a name
        // short enough for its box, with ő, ű and Ő between other letters,
        // which the way through PostScript must keep as text.
        const QString jel = QStringLiteral("#%1").arg(QCoreApplication::applicationPid());
        const QString nev = QStringLiteral("Őri-Szűcs Győző ") + jel;
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

        const QSet<QString> elotte = Pdfek(mappa);
        KolcsonzesNyomtat(7, Kimenet::nyomtato());
        QVERIFY2(seam.hibak().isEmpty(), qPrintable(seam.hibak().join('\n')));
        QVERIFY(seam.nyomtatasok.isEmpty());   // it went to the printer, not to the test seam

        // The job is done when its PDF is there, no longer grows, and reads.
        QString fajl;
        QStringList oldalak;
        QHash<QString, qint64> meretek;
        const QDeadlineTimer hatarido(120000);
        while (fajl.isEmpty() && !hatarido.hasExpired()) {
            QThread::msleep(500);
            for (const QString& f : Pdfek(mappa) - elotte) {
                const QString ut = QDir(mappa).filePath(f);
                const qint64 meret = QFileInfo(ut).size();
                if (meret > 0 && meretek.value(ut, -1) == meret) {
                    const QStringList o = PdfOldalak(ut, true);
                    // Found by the mark: a name that lost a letter is told below.
                    if (o.join('\n').contains(jel)) {
                        fajl = ut;
                        oldalak = o;
                        break;
                    }
                }
                meretek[ut] = meret;
            }
        }
        parbeszedBeallit(nullptr);
        QVERIFY2(!oldalak.isEmpty(), qPrintable("Nem jött létre a nyomat: " + mappa + "\n"
                                                + PdfParancs("lpstat", {"-o"})));

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
        QFile::remove(fajl);   // kept only when something above failed, to be looked at
    }
};

QTEST_MAIN(TstNyugtaCups)
#include "tst_nyugta_cups.moc"
