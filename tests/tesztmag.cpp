#include "tesztmag.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "data/ora.h"
#include "data/telepites.h"

#include <QLocale>
#include <QStringList>
#include <sqlite3.h>

MagTelepites::MagTelepites(bool minta)
{
    QString hiba;
    if (!Telepites::telepit(m_dir.path(), minta, &hiba)) qFatal("telepítés: %s", qPrintable(hiba));
    ProgramUtvonalBeallit(m_dir.path());
    TBeall = TBeallRekord{};
}

MagTelepites::~MagTelepites() { Adatbazis::zar(); }

void MagTelepites::nyit()
{
    QString hiba;
    if (!Adatbazis::nyit(adatMappa(), &hiba)) qFatal("nyitás: %s", qPrintable(hiba));
}

void TesztKornyezet()
{
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
