#pragma once
// The program's start before its main window: the settings file, the data
// folder's database, the shop's settings row and, when switched on, the
// login. What went wrong has been told in an error box by then.
#include <QString>
#include <optional>

class QWidget;

// What the main window gets: the session open, TBeall loaded, the rights set.
struct Munkamenet {
    QString tulajdonos;   // the shop's owner, shown in the caption
};

// Empty when the program must end (no data, the login given up). On a new
// installation's first start it offers, once, the take-over of an earlier
// data folder, and after one starts again on the data taken over.
std::optional<Munkamenet> Indulas(QWidget* szulo = nullptr);
