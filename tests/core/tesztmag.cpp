#include "tests/core/tesztmag.h"
#include "core/admin/atvetel.h"
#include "tests/core/tesztfajl.h"
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "core/admin/telepites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

MagTelepites::MagTelepites(bool minta, bool belepes)
{
    QString hiba;
    // The invented shop: reports and captions in tests name a known owner.
    if (!Telepites::telepit(m_dir.path(), minta, &hiba, &Tulajdonos::Minta())) qFatal("telepítés: %s", qPrintable(hiba));
    {
        const QString nev = QStringLiteral("tesztmag-belepes");
        {
            QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nev);
            d.setDatabaseName(Adatbazis::fajlUtvonal(adatMappa()));
            QSqlQuery q(d);
            if (!d.open()) qFatal("nyitás: %s", qPrintable(d.lastError().text()));
            // Most tests open the main window straight away, as the sample shop does.
            if (!belepes && !q.exec(QStringLiteral("UPDATE beallit SET vanbelep = 'N'")))
                qFatal("belépés kikapcsolása: %s", qPrintable(q.lastError().text()));
            // The take-over of earlier data is offered at the first start of
            // an empty installation; the tests of that ask for it themselves.
            Atvetel::felajanlvaJelol(d);
        }
        QSqlDatabase::removeDatabase(nev);
    }
    ProgramUtvonalBeallit(m_dir.path());
    TBeall = TBeallRekord{};
}

MagTelepites::~MagTelepites() { Adatbazis::zar(); }

void MagTelepites::nyit()
{
    QString hiba;
    if (!Adatbazis::nyit(adatMappa(), &hiba)) qFatal("nyitás: %s", qPrintable(hiba));
}

QString FajlIr(const QString& fajl, const QByteArray& tartalom)
{
    QDir().mkpath(QFileInfo(fajl).absolutePath());
    QFile f(fajl);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(tartalom) != tartalom.size())
        qFatal("a(z) %s nem írható: %s", qPrintable(fajl), qPrintable(f.errorString()));
    return fajl;
}

QString HalottFolyamat()
{
    QProcess p;
    p.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    if (!p.waitForStarted()) qFatal("sleep nem indul");
    const QString szam = QString::number(p.processId());
    p.kill();
    p.waitForFinished();
    return szam;
}

EloFolyamat::EloFolyamat()
{
    m_p.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    if (!m_p.waitForStarted()) qFatal("sleep nem indul");
    m_szam = QString::number(m_p.processId());
}

EloFolyamat::~EloFolyamat()
{
    m_p.kill();
    m_p.waitForFinished();
}

void TesztKornyezet()
{
    // Password digests at the least cost: the rules do not wait on the hash.
    Felhasznalok::OlcsoDigest(true);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    OraBeallit(TesztMost);
}

QString LekerdezesiTerv(const QString& sql)
{
    QStringList sorok;
    sqlite3_stmt* st = nullptr;
    const QByteArray u = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
    if (sqlite3_prepare_v2(Adatbazis::kezelo(Adatbazis::db()), u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK)
        return QStringLiteral("hibás utasítás: ") + sql;
    while (sqlite3_step(st) == SQLITE_ROW) sorok << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
    return sorok.join(" / ");
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

QStringList Lemezen(const QString& adatMappa, const QString& sql)
{
    QStringList sorok;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lemezen");
        db.setDatabaseName(Adatbazis::fajlUtvonal(adatMappa));
        if (!db.open()) return {"nem nyílik: " + db.lastError().text()};
        QSqlQuery q(db);
        if (!q.exec(sql)) return {"hibás lekérdezés: " + q.lastError().text()};
        while (q.next()) {
            QStringList mezok;
            for (int i = 0; i < q.record().count(); ++i)
                mezok << (q.value(i).isNull() ? QStringLiteral("∅") : q.value(i).toString());
            sorok << mezok.join('|');
        }
    }
    QSqlDatabase::removeDatabase("lemezen");
    return sorok;
}
