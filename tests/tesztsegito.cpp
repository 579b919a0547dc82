#include "tesztsegito.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "data/ora.h"
#include "data/telepites.h"

#include <QApplication>
#include <QLocale>
#include <QPrinter>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

QStringList TesztParbeszed::hibak() const
{
    QStringList l;
    for (const auto& d : dobozok)
        if (d.fajta == Doboz::Hiba) l << d.szoveg;
    return l;
}

bool TesztParbeszed::doboz(QWidget*, Doboz fajta, const QString& cim, const QString& szoveg)
{
    dobozok.append({fajta, cim, szoveg});
    if (fajta != Doboz::Kerdes) return true;
    return kerdesValaszok.isEmpty() ? false : kerdesValaszok.takeFirst();
}

bool TesztParbeszed::szamBevitel(QWidget*, const QString&, const QString&, double& ertek)
{
    if (szamValaszok.isEmpty()) return false;
    ertek = szamValaszok.takeFirst();
    return true;
}

bool TesztParbeszed::maszkosBevitel(QWidget*, const QString&, const QString&, const QString&, QString& ertek)
{
    if (szovegValaszok.isEmpty()) return false;
    ertek = szovegValaszok.takeFirst();
    return true;
}

QString TesztParbeszed::megnyitandoFajl(QWidget*, const QString&, const QString&, const QString&)
{
    return fajlValaszok.isEmpty() ? QString() : fajlValaszok.takeFirst();
}

QString TesztParbeszed::mentendoFajl(QWidget*, const QString&, const QString&, const QString&)
{
    return fajlValaszok.isEmpty() ? QString() : fajlValaszok.takeFirst();
}

QString TesztParbeszed::mappaValasztas(QWidget*, const QString&, const QString&)
{
    return fajlValaszok.isEmpty() ? QString() : fajlValaszok.takeFirst();
}

bool TesztParbeszed::megnyit(const QUrl& cel)
{
    megnyitottak << cel;
    return true;
}

bool TesztParbeszed::pdfbe(Nyomtatvany& n, bool elonezet)
{
    const QString fajl = m_nyomtatasMappa.filePath(QStringLiteral("nyomtatas%1.pdf").arg(nyomtatasok.size() + 1));
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(fajl);
    p.setDocName(n.nyomtatasCim());
    n.lapBeallit(p);
    const bool kesz = n.rajzol(p, {});
    nyomtatasok.append({n.nyomtatasCim(), elonezet, kesz ? fajl : QString()});
    return kesz;
}

bool TesztParbeszed::nyomtatas(QWidget*, Nyomtatvany& n) { return pdfbe(n, false); }

void TesztParbeszed::nyomtatasiKep(QWidget*, Nyomtatvany& n) { pdfbe(n, true); }

TesztTelepites::TesztTelepites(bool minta)
{
    QString hiba;
    if (!Telepites::telepit(m_dir.path(), minta, &hiba)) qFatal("telepítés: %s", qPrintable(hiba));
    ProgramUtvonalBeallit(m_dir.path());
    TBeall = TBeallRekord{};
    parbeszedBeallit(&parbeszed);
}

TesztTelepites::~TesztTelepites()
{
    Adatbazis::zar();
    parbeszedBeallit(nullptr);
}

void TesztTelepites::nyit()
{
    QString hiba;
    if (!Adatbazis::nyit(adatMappa(), &hiba)) qFatal("nyitás: %s", qPrintable(hiba));
}

void TesztKornyezet()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    OraBeallit(TesztMost);
}

void HaMegnyilik(std::function<void(QWidget*)> lepes)
{
    HaMegnyilik(QString(), std::move(lepes));
}

void HaMegnyilik(const QString& nev, std::function<void(QWidget*)> lepes)
{
    auto* idozito = new QTimer;
    idozito->setInterval(10);
    QObject::connect(idozito, &QTimer::timeout, [idozito, lepes, nev] {
        QWidget* w = QApplication::activeModalWidget();
        // Keys reach the shortcuts of the active window only.
        if (!w || !w->isVisible() || !w->isActiveWindow() || (!nev.isEmpty() && w->objectName() != nev)) return;
        idozito->stop();
        idozito->deleteLater();
        lepes(w);
    });
    idozito->start();
}

void Nyom(QWidget* ablak, int billentyu, Qt::KeyboardModifiers mod)
{
    if (!ablak->isActiveWindow()) {
        ablak->activateWindow();
        if (!QTest::qWaitForWindowActive(ablak)) qWarning("Nyom: %s did not become active", qPrintable(ablak->objectName()));
    }
    QWidget* cel = ablak->focusWidget() ? ablak->focusWidget() : ablak;
    QTest::keyClick(cel, Qt::Key(billentyu), mod);
}

void Gepel(QWidget* w, const QString& szoveg)
{
    for (qsizetype i = 0; i < szoveg.size(); ++i) {
        const QChar c = szoveg.at(i);
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, char(c.unicode()));
            continue;
        }
        const qsizetype n = c.isHighSurrogate() && i + 1 < szoveg.size() && szoveg.at(i + 1).isLowSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, szoveg.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

TeliLemez::TeliLemez(qint64 bajt)
{
    // Past the limit the kernel also sends SIGXFSZ, which would end the test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    m_regi = qint64(r.rlim_cur);
    r.rlim_cur = rlim_t(bajt);
    if (setrlimit(RLIMIT_FSIZE, &r) != 0) qFatal("setrlimit: %s", std::strerror(errno));
}

TeliLemez::~TeliLemez()
{
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = rlim_t(m_regi);
    setrlimit(RLIMIT_FSIZE, &r);
}

JogokKorlatozva::JogokKorlatozva()
{
    if (geteuid() != 0) {
        m_ervenyes = true;   // permissions bind already
        return;
    }
    __user_cap_header_struct fej{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct adat[2] = {};
    if (syscall(SYS_capget, &fej, adat) != 0) return;
    m_regi[0] = adat[0].effective;
    m_regi[1] = adat[1].effective;
    adat[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    if (syscall(SYS_capset, &fej, adat) != 0) return;
    m_visszaallit = true;
    m_ervenyes = true;
}

JogokKorlatozva::~JogokKorlatozva()
{
    if (!m_visszaallit) return;
    __user_cap_header_struct fej{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct adat[2] = {};
    syscall(SYS_capget, &fej, adat);
    adat[0].effective = m_regi[0];
    adat[1].effective = m_regi[1];
    syscall(SYS_capset, &fej, adat);
}
