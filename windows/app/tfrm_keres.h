#pragma once
// The detailed search window "Tétel keresése": a text looked for in the
// title, description and genre name of every item; the items found in a
// list on a second page, printed from there or chosen with "Megvan", which
// moves the main window's item list to the item.
#include "core/common/listamodell.h"

#include <QDialog>
#include <QVariantList>
#include <functional>

class ListaKeret;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class VideoTabla;

// The item list report that prints the items found: the statement that
// lists them, its bound values, the report title and the calling window.
// The caller passes it in; empty, "Nyomtat" does nothing.
using KeresJelentesFv =
    std::function<void(const QString& sql, const QVariantList& param, const QString& cim, QWidget* szulo)>;

class Tfrm_Keres : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Keres(QWidget* szulo = nullptr, KeresJelentesFv jelentes = {});

    // Bottom right corner 25 pixels inside the main window's.
    void helyBeallit(QWidget* fo);

    KulcsosLista& lista() { return m_lista; }
    ListaModell* modell() const { return m_modell; }
    // The result row marked in the grid; -1 when none.
    int aktualis() const;
    // The key (`video`) of that row; -1 when none.
    qint64 talaltKulcs() const;

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;     // "Keresés"
    QWidget* TabSheet2 = nullptr;     // "Eredmény"
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;   // "Keres"
    QPushButton* Button2 = nullptr;   // "Bezár"
    QTableView* DBGrid1 = nullptr;
    QPushButton* Button5 = nullptr;   // "Nyomtat"
    QPushButton* Button3 = nullptr;   // "Megvan"
    QPushButton* Button4 = nullptr;   // "Bezár"

public slots:
    void Button1Click();   // search
    void Button3Click();   // found it
    void Button5Click();   // print

protected:
    void showEvent(QShowEvent* e) override;

private:
    ListaKeret* m_keret;
    KeresJelentesFv m_jelentes;
    KulcsosLista m_lista;
    ListaModell* m_modell = nullptr;
    QString m_szoveg;        // the text of the last search, for printing
    bool m_keresett = false;

    void lapValtott(int lap);
};

// Shows the search window over `fo` and, when it closes with "Megvan" (or a
// double click), makes the chosen item current in `tbl`. True when it did;
// an item `tbl` does not list (filtered out) leaves its current row.
bool TetelKeres(QWidget* fo, VideoTabla& tbl, KeresJelentesFv jelentes = {});
