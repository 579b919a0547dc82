#pragma once
// The one image list of the program: the icons of every action (from the
// program's icon theme) and the marks of the grids' mark columns.
#include <QIcon>
#include <QPixmap>
#include <QString>

enum class Parancs;

namespace KepLista {

// Icon of a command (its picture is named in its row, windows/common/muvelet.h);
// an empty icon when the icon theme is not installed.
QIcon ikon(Parancs parancs);
// The same by the action's name ("aKolcsonoz"); empty for a name no command has.
QIcon ikon(const QString& muvelet);

// 16 × 16 marks of the grids.
const QPixmap& feketeKereszt();   // item in the shop
const QPixmap& szurkeNyil();      // item out: the icon of "Kölcsönöz", a grey arrow
const QPixmap& zoldPipa();        // membership valid
const QPixmap& pirosKereszt();    // membership expired

} // namespace KepLista
