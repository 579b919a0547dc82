// The engine of a shop on a PostgreSQL server, reached through Qt's QPSQL
// driver (libpq). No single-copy lock: the server keeps the counters apart.
#include "core/data/adatbazis.h"
#include "core/data/motor.h"
#include "core/data/pgsema.h"
#include "core/data/sema.h"

#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <libpq-fe.h>

namespace Adatbazis {

namespace {

PGconn* pgKapcsolat(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.driver()) return nullptr;
    const QVariant h = db.driver()->handle();
    // The driver hands its libpq connection over as a pointer ("PGconn*", or "pg_conn*").
    if (!h.isValid() || !h.typeName() || !QByteArray(h.typeName()).contains("conn*")) return nullptr;
    return *static_cast<PGconn* const*>(h.data());
}

QSqlQuery lekerdez(const QSqlDatabase& db, const QString& sql, const QVariantList& param)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (param.isEmpty()) {
        if (!q.exec(sql)) throw hiba(q);
        return q;
    }
    if (!q.prepare(sql)) throw hiba(q);
    for (int i = 0; i < param.size(); ++i) q.bindValue(i, param.at(i));
    if (!q.exec()) throw hiba(q);
    return q;
}

class PgMotor : public Motor {
public:
    QString driver() const override { return QStringLiteral("QPSQL"); }
    bool beallit(QSqlDatabase& db, QString* hiba) const override
    {
        QSqlQuery q(db);
        // The server's notices are for its log, not for the counter.
        if (!q.exec(QStringLiteral("SET client_min_messages = warning"))) {
            if (hiba) *hiba = hibaSzoveg(q);
            return false;
        }
        return true;
    }
    std::vector<qint64> kulcsokOlvas(const QSqlDatabase& db, const QString& sql, const QVariantList& param,
                                     size_t varhato) const override
    {
        std::vector<qint64> l;
        l.reserve(varhato);
        QSqlQuery q = lekerdez(db, sql, param);
        while (q.next()) l.push_back(q.value(0).toLongLong());
        return l;
    }
    std::unique_ptr<KulcsFolyam> kulcsFolyam(const QSqlDatabase& db, const QString& sql,
                                             const QVariantList& param) const override
    {
        struct Folyam : KulcsFolyam {
            QSqlQuery q;
            bool vege = false;
            bool olvas(std::vector<qint64>& ide, int legfeljebb) override
            {
                for (int i = 0; i < legfeljebb && !vege; ++i) {
                    if (q.next()) ide.push_back(q.value(0).toLongLong());
                    else vege = true;
                }
                return !vege;
            }
        };
        auto f = std::make_unique<Folyam>();
        f->q = lekerdez(db, sql, param);
        return f;
    }
    QStringList pillanatkepKezdete() const override
    {
        return {QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ"), QStringLiteral("SELECT 1")};
    }
    QString irasKezdete() const override { return QStringLiteral("BEGIN"); }
    bool tranzakcioban(const QSqlDatabase& db) const override
    {
        PGconn* c = pgKapcsolat(db);
        return c && PQtransactionStatus(c) != PQTRANS_IDLE;
    }
    bool elokeszitheto(const QString& sql) const override
    {
        // What the server can prepare; BEGIN, SAVEPOINT, SET and DDL run as they are.
        const QString eleje = sql.trimmed().section(u' ', 0, 0).toUpper();
        static const QSet<QString> dml = {QStringLiteral("SELECT"), QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
                                          QStringLiteral("DELETE"), QStringLiteral("WITH"), QStringLiteral("VALUES")};
        return dml.contains(eleje);
    }
    bool zarol(const QString&, QString*, QString*) override { return true; }
    void zarFelold() override {}
    bool masolat(const QSqlDatabase&, const QString&, QString* hiba) const override
    {
        if (hiba) *hiba = QStringLiteral("A kiszolgáló adatbázisáról ez a változat még nem készít másolatot.");
        return false;
    }
    void semaLetrehoz(QSqlDatabase& db) const override
    {
        for (const QString& u : PgSema::letrehoz()) lekerdez(db, u, {});
    }
    QString semaEllenoriz(QSqlDatabase& db) const override
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT to_regclass('%1') IS NOT NULL").arg(QString::fromLatin1(Sema::RendszerTabla))) || !q.next())
            return QStringLiteral("Az adatbázis nem olvasható: %1").arg(hibaSzoveg(q));
        if (!q.value(0).toBool()) return QStringLiteral("Az adatbázisban nincs meg a program sémája (üres adatbázis?).");
        if (!q.exec(QStringLiteral("SELECT ertek FROM %1 WHERE nev = '%2'")
                        .arg(QString::fromLatin1(Sema::RendszerTabla), QString::fromLatin1(PgSema::VerzioKulcs))))
            return QStringLiteral("Az adatbázis nem olvasható: %1").arg(hibaSzoveg(q));
        const int verzio = q.next() ? q.value(0).toInt() : 0;
        if (verzio > Sema::Verzio)
            return QStringLiteral("Az adatbázist a program egy újabb változata írta (%1. sémaváltozat); "
                                  "ez a program legfeljebb a(z) %2. változatot ismeri.")
                .arg(verzio)
                .arg(Sema::Verzio);
        if (verzio < Sema::Verzio)
            return QStringLiteral("Az adatbázis a(z) %1. sémaváltozatú; a kiszolgálón ez a program csak a(z) %2. "
                                  "változatot nyitja meg.")
                .arg(verzio)
                .arg(Sema::Verzio);
        for (const Sema::Tabla& t : Sema::tablak()) {
            if (!q.exec(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = "
                                       "current_schema() AND table_name = '%1'").arg(t.nev)))
                return QStringLiteral("Az adatbázis nem olvasható: %1").arg(hibaSzoveg(q));
            QSet<QString> van;
            while (q.next()) van.insert(q.value(0).toString());
            if (van.isEmpty()) return QStringLiteral("Hiányzik a(z) „%1” tábla az adatbázisból.").arg(t.nev);
            for (const Sema::Mezo& m : t.mezok)
                if (!van.contains(m.nev.toLower()))
                    return QStringLiteral("Hiányzik a(z) „%1.%2” mező az adatbázisból.").arg(t.nev, m.nev);
        }
        return {};
    }
    void semaFrissit(QSqlDatabase&) const override {}   // one version on the server so far
    std::unique_ptr<SajatKapcsolat> sajatKapcsolat(const QSqlDatabase&) const override
    {
        throw AdatbazisHiba(QStringLiteral("A szabad lekérdezés a kiszolgálón ebben a változatban még nem érhető el."));
    }
};

} // namespace

Motor& pgMotor()
{
    static PgMotor m;
    return m;
}

} // namespace Adatbazis
