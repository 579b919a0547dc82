#pragma once
// Where the help menu's actions point: the help pages and the mail link.
#include <QString>
#include <QUrl>

namespace Sugo {

// The help pages' first page, relative to a folder.
inline constexpr const char* Kezdolap = "Help/index.htm";

// The first page of the help: the one in the program folder when there is
// one there (a shop may keep its own), else the one delivered with the
// executable (beside it in a build, or in the installed data folder); when
// none exists, the program folder's, whose absence the browser reports.
QString Fajl(const QString& programMappa, const QString& futtathatoMappa);

// The mail link to the maker with the fixed subject line.
QUrl LevelLink();

} // namespace Sugo
