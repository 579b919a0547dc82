#pragma once
// One row of a table being inserted or edited, as the edit dialogs bind to
// it: values are held here until ment(), which writes them in a transaction
// of its own, or as part of the caller's open Adatbazis::Tranzakcio (then
// stored only when that one is approved); elvet() forgets them and leaves
// the table as it was.
#include "core/data/sema.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

class Rekord {
public:
    enum class Allapot { Bongesz, Beszur, Szerkeszt };

    explicit Rekord(const QString& tabla);

    Allapot allapot() const { return m_allapot; }
    const Sema::Tabla& tabla() const { return *m_tabla; }

    // A new row with every field empty.
    void beszur();
    // Loads the row with the given key (composite keys: one value per key
    // field, in order). False when there is no such row.
    bool szerkeszt(const QVariantList& kulcs);
    bool szerkeszt(const QVariant& kulcs) { return szerkeszt(QVariantList{kulcs}); }

    QVariant ertek(const QString& mezo) const;
    // Empty text is stored as an empty (null) field.
    void beallit(const QString& mezo, const QVariant& ertek);

    // Writes the pending row; throws AdatbazisHiba (the row stays pending).
    // An edited row writes only the fields changed since it was loaded, so
    // two windows editing different fields of one row keep both changes;
    // changes to a row deleted meanwhile are refused.
    // Returns the key of the saved row (the engine's for an AutoInc key).
    QVariant ment();
    void elvet();

    // The key of the row last loaded or saved (all key fields, in order).
    QVariant kulcs() const { return m_kulcs.value(0); }
    QVariantList kulcsok() const { return m_kulcs; }

private:
    const Sema::Tabla* m_tabla;
    Allapot m_allapot = Allapot::Bongesz;
    QVariantMap m_ertekek;        // lower-case field name -> typed value
    QVariantMap m_betoltott;      // the same as loaded (or last saved), for an edit
    QVariantList m_kulcs;         // key as loaded (to find the row on update)
};

// Deletes one row by its key, in a transaction of its own or as part of the
// caller's open one. Throws AdatbazisHiba.
void SorTorol(const QString& tabla, const QVariantList& kulcs);
