#pragma once
// Paradox tables written through pxlib's own writer: the earlier data folders
// the take-over is tested (and timed) on. Text goes in the table's code page.
#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <memory>
#include <vector>

namespace ParadoxIro {

struct Mezo {
    QString nev;
    int tipus;     // Paradox::Tipus
    int hossz;     // bytes
};

class Tabla {
public:
    // `kodlap` 0 writes a header that names no code page. `sorok`: how many
    // rows at most will come (room is made for them at once). A memo field
    // makes the .MB file beside the table.
    Tabla(const QString& fajl, std::vector<Mezo> mezok, int kodlap = 1250, qint64 sorok = 1000);
    ~Tabla();   // writes the file (zar())
    // One row: a value per field, null for an empty field. QString, int,
    // double, QDate, QTime; a QByteArray goes in as it is (bytes the code page
    // may not have).
    void sor(const QVariantList& ertekek);
    void zar();
private:
    struct Belso;
    std::unique_ptr<Belso> d;
};

// Our field list of one of the fifteen tables, in Paradox types.
std::vector<Mezo> mezok(const QString& tabla);

// A whole earlier data folder: every table of the schema with the rows of a
// small shop (a few items, customers, a rental out, a cash book, a user
// "pult" with the password "Jelszó1"). `kodlap` is the code page of every table.
void kisBolt(const QString& mappa, int kodlap = 1250);

} // namespace ParadoxIro
