#pragma once
// The import window "Cikktörzs frissítés": a semicolon-separated item file
// shown in a line-numbered editor, where it can still be corrected, then
// imported as a whole (all lines or none). Starts with sample lines.
#include "core/reports/tetelimport.h"

#include <QDialog>
#include <functional>

class KodSzerkeszto;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolBar;

class Tfrm_TetelImport : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_TetelImport(QWidget* szulo = nullptr);

    // The lines the editor starts with.
    static QString MintaSzoveg();

    // Runs after every import that stored items, with the key of the last
    // one: the main window shows them at once.
    std::function<void(qint64)> importalva;

    QToolBar* ToolBar1 = nullptr;
    QAction* aImport = nullptr;
    QAction* aBezar = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;     // the open dialog
    QLabel* Label2 = nullptr;           // what the sample is
    QLabel* LabelKodolas = nullptr;     // how the loaded file was read
    QPushButton* BitBtn2 = nullptr;     // "Import indítása"
    KodSzerkeszto* SynEdit1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

public slots:
    void aImportExecute();
    void BitBtn1Click();
    // Loads a file into the editor (what a path chosen in the open dialog
    // does). False, with the error box shown, when it cannot be read: the
    // editor keeps its text.
    bool FajlBetolt(const QString& fajl);
};

// Created, shown modally and freed; `importalva` as above.
void TetelImportMegnyit(QWidget* szulo, std::function<void(qint64)> importalva = {});
