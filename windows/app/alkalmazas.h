#pragma once
// Program-wide set-up of the windows, shared by the program and its tests:
// name, Qt's Hungarian texts, fonts, hint colour, the mouse wheel as arrow keys.
class QApplication;

void AlkalmazasBeallit(QApplication& app);
