#pragma once
// The lists that can be written to a delimited text file, each with the
// fields and display labels its window offers: the item list, the customer
// register and the rental history. Shared by the windows' "Excelbe" and the
// command line's --export.
#include "core/reports/hatarolt.h"

class KulcsosLista;

namespace ListaExport {

// The item list as the main window shows it (its order and filter); the
// labels are the item table's display labels.
Hatarolt::Forras Tetelek(const KulcsosLista& lista);
// Every item in code order.
Hatarolt::Forras TetelekKodSorrendben();

// The customer register as shown (every field of the customer table).
Hatarolt::Forras Ugyfelek(const KulcsosLista& lista);
// The listed customers in code order.
Hatarolt::Forras UgyfelekKodSorrendben();

// The history window's rows; the labels of its query's fields.
Hatarolt::Forras Tortenet(const KulcsosLista& lista);
// Every history row in key order (the order of lending).
Hatarolt::Forras TortenetMind();
QString TortenetFelirat(const QString& mezo);

// The proposed file names.
inline constexpr const char* TetelFajl = "Video.csv";
inline constexpr const char* UgyfelFajl = "ugyfelek.csv";
inline constexpr const char* TortenetFajl = "Tortenet.csv";

} // namespace ListaExport
