#pragma once
// The one image list of the program: the icons of every action and of the
// grids' mark columns, drawn once.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace KepLista {

// Icon of an action by its name ("aKolcsonoz"); an empty icon when it has none.
QIcon ikon(const QString& muvelet);

// 16 × 16 marks of the grids.
const QPixmap& feketeKereszt();   // item in the shop
const QPixmap& szurkeNyil();      // item out (the icon of "Kölcsönöz")
const QPixmap& zoldPipa();        // membership valid
const QPixmap& pirosKereszt();    // membership expired

} // namespace KepLista
