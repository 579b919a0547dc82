#pragma once
// Opening operations of the rental period window and the price matrix
// window. Each window reads its table afresh, is shown modally and is gone
// when the operation returns. They throw AdatbazisHiba when a table cannot
// be read.
class QString;
class QWidget;

// Maintenance of the rental periods ("Kölcsönzési idők"): no selection.
void TorzsFizTipKarbantart(QWidget* szulo);

// The period choice of a rental: the chosen period's key, with its name
// (empty text when empty) and its hours (0 when empty) in the out-values;
// -1 when the window was closed without choosing (the out-values are then
// left alone). Either out-value may be nullptr.
int TorzsFizTipValaszt(QWidget* szulo, QString* nev, int* ora);

// Maintenance of the price matrix ("Árak beállítása").
void ArBeallitas(QWidget* szulo);
