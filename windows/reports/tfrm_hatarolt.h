#pragma once
// The export window "Határolt szöveg export": the fields to write, the
// delimiter, the text qualifier and the file, then the export with its
// progress and a button that stops it. Opened on the rows of a list or a
// query with a proposed file name.
#include "core/reports/hatarolt.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolButton;

class Tfrm_Hatarolt : public QDialog {
    Q_OBJECT
public:
    Tfrm_Hatarolt(Hatarolt::Forras forras, const QString& fajlNev, QWidget* szulo = nullptr);

    bool fut() const { return m_fut; }
    // What the last export wrote (rows, values changed, stopped).
    const Hatarolt::Eredmeny& eredmeny() const { return m_eredmeny; }
    // The row of the source the last export's walk ended on: its last row,
    // or the one it was stopped before; -1 when nothing was exported.
    qint64 vegSor() const { return m_vegSor; }

    QListWidget* CheckListBox1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;   // "Határoló karakter"
    QGroupBox* RadioGroup1 = nullptr;   // "Szövegjelölő"
    QButtonGroup* Elvalaszto = nullptr; // the buttons of RadioGroup2, ids in the order of the choices
    QButtonGroup* Jelolo = nullptr;     // the buttons of RadioGroup1
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* Button3 = nullptr;     // "Megállít"
    QPushButton* Button1 = nullptr;     // "Export indítás"
    QPushButton* Button2 = nullptr;     // "Bezár"
    QProgressBar* ProgressBar1 = nullptr;

public slots:
    void Button1Click();
    void Button3Click();
    void SpeedButton1Click();
    void reject() override;

private:
    Hatarolt::Forras m_forras;
    Hatarolt::Eredmeny m_eredmeny;
    bool m_fut = false;
    bool m_bezarUtana = false;
    qint64 m_vegSor = -1;
};

// The opening operation: the export window on `forras` (a list as shown, or
// a query: Hatarolt::ListaForras, Hatarolt::LekerdezesForras) with the file
// name `fajlNev` proposed; modal, returns when it is closed, with the row
// the last export's walk ended on (Tfrm_Hatarolt::vegSor), where a list
// shown over the source stays.
qint64 HataroltExport(QWidget* szulo, const Hatarolt::Forras& forras, const QString& fajlNev);
