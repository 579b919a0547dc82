#pragma once
// The item lists as the operator asks for them: the report is opened, the
// print-type chooser asked, then the list goes to the printer, to the print
// preview or to the delimited-text export of its statement.
#include "print/reports/tqrlista.h"

#include <QString>
#include <QVariantList>
#include <functional>

class QWidget;

// What "CSV export" does with a list: opens the export window on the
// list's statement and parameters, proposing `javasoltFajl` (the report
// title and ".csv"). The caller passes it in; empty, the choice does nothing.
using ListaExportHorog = std::function<void(QWidget* szulo, const QString& sql, const QVariantList& param,
                                            const QString& javasoltFajl)>;

// One of the main window's lists. A statement the database refuses is
// shown in the error box, and then no chooser opens.
void TetelListaNyomtat(QWidget* szulo, TetelLista lista, const ListaExportHorog& csvExport = {});

// The rows of a search under the heading "Keresés eredménye", grouped by
// type as they come: `sql` is the search's statement, which gives the item
// list's columns (TqrListaAlap::Lekerdezes with its own WHERE and ORDER BY).
void KeresesEredmenyeNyomtat(QWidget* szulo, const QString& sql, const QVariantList& param = {},
                             const ListaExportHorog& csvExport = {});

// The steps every list runs: open, ask, output. Returns the choice made
// (Tfrm_NyomtatasTipus::Valasztas), -1 also when the statement failed.
int ListaKiad(QWidget* szulo, TqrListaAlap& qr, const ListaExportHorog& csvExport = {});
