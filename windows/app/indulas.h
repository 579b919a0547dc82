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

// Empty when the program must end (no data, the login given up).
std::optional<Munkamenet> Indulas(QWidget* szulo = nullptr);
