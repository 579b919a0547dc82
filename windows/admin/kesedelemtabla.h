#pragma once
// The late-fee rules as a page of the settings window: one row per price
// category, its grace hours, fee per started day and cap, typed into the
// cells. An empty row is a category without a rule.
#include "core/rental/kesedelem.h"

#include <QWidget>

class QTableWidget;

class KesedelemTabla : public QWidget {
    Q_OBJECT
public:
    enum Oszlop { Nev, Turelem, Napidij, Plafon };
    // Reads the categories and their rules (throws AdatbazisHiba).
    explicit KesedelemTabla(QWidget* szulo = nullptr);
    QTableWidget* tblKesedelem = nullptr;

    // The rules as the cells show them. False, with a Hungarian reason and
    // the refused cell made current, when a cell holds no valid value.
    bool adat(QList<Kesedelem::ArkatSzabaly>& ki, QString* hiba);
    // True when a cell differs from what was read at opening.
    bool valtozott() const;

private:
    QList<Kesedelem::ArkatSzabaly> m_eredeti;
    static QString cellaSzoveg(const std::optional<KesedelmiSzabaly>& s, int oszlop);
};
