#pragma once
// Statements typed by the administrator, run on a guarded connection of
// their own (Adatbazis::SajatKapcsolat): a query is shown in a grid, read a
// page at a time as the grid scrolls; anything else runs as one operation
// (all of it or none of it) and tells how many rows it changed. Statement
// files are plain text files kept in the folder "SQL" of the program folder.
#include "core/data/adatbazis.h"

#include <QSqlQueryModel>
#include <QString>
#include <memory>

namespace Adatbazis {
class SajatKapcsolat;
}

namespace SzabadSql {

// A text is shown as a query when, without its surrounding blanks and in
// capitals, it begins with "SELECT" (a comment or a bracket before it makes
// it a command).
bool Lekerdezes(const QString& szoveg);

// The administrator's connection: made on the open session's database at
// the first statement, kept for the next ones (what they create for
// themselves, a temporary table, stays for the later ones), and closed
// with this object. A statement throws AdatbazisHiba when the session is not
// open.
class Kapcsolat {
public:
    Kapcsolat();
    ~Kapcsolat();
    Kapcsolat(const Kapcsolat&) = delete;
    Kapcsolat& operator=(const Kapcsolat&) = delete;

    // Runs every statement of the text, in order, in one transaction, and
    // returns the number of rows the INSERT, UPDATE and DELETE statements
    // among them changed (rows changed by triggers not counted). Throws
    // AdatbazisHiba with the engine's own text on the first failure, or
    // with the reason the guard refused a statement; nothing of the text
    // stays done then. Statements that open or close a transaction
    // themselves are refused, as they would break the all-or-nothing. A
    // text that would leave login on with no administrator is undone
    // (Felhasznalok::UtolsoRendszergazda).
    qint64 Vegrehajt(const QString& szoveg);

    QSqlDatabase db();
    Adatbazis::SajatKapcsolat& kapcsolat();
    bool nyitva() const { return m_k != nullptr; }
    // Closes the connection (the next statement makes a new one); every
    // result on it must be closed first.
    void zar();

private:
    std::unique_ptr<Adatbazis::SajatKapcsolat> m_k;
};

// The rows of one query, fetched as they are shown. Opening a text with
// more than one statement in it is refused.
class Eredmeny : public QSqlQueryModel {
    Q_OBJECT
public:
    using QSqlQueryModel::QSqlQueryModel;
    // On the administrator's connection. Throws AdatbazisHiba with the
    // engine's own text, or the guard's reason; closed then.
    void nyit(Kapcsolat& m, const QString& szoveg);
    void zar();
    bool nyitva() const { return !m_sql.isEmpty(); }
    // The statement of the open result (its one statement, without what
    // followed it), for reading it again.
    QString sql() const { return m_sql; }
    // The row the grid's indicator marks (-1: none); the row titles carry
    // the mark and nothing else.
    void aktualisSorBeallit(int sor) { m_aktualis = sor; }
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
private:
    QString m_sql;
    int m_aktualis = -1;
};

// The folder of the statement files (not created here).
QString Mappa();
// A statement file's text: UTF-8, or Windows-1250 when it is not valid
// UTF-8 (files written by other programs); line breaks as "\n".
// Throws AdatbazisHiba with the reason in Hungarian.
QString FajlOlvas(const QString& fajl);
// Writes the text in UTF-8 with CR LF line ends, replacing the file only
// once the new one is whole. Throws AdatbazisHiba with the reason.
void FajlIr(const QString& fajl, const QString& szoveg);

} // namespace SzabadSql
