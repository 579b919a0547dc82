#pragma once
// The item picker: every item in the shop, found by code or by the
// beginning of its title; hands back the chosen item's key.
#include "data/kulcslista.h"

#include <QDialog>

class QAction;
class QLineEdit;
class QMenu;
class QTableView;
class QToolBar;
class ListaModell;

class Tfrm_VideoValaszt : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_VideoValaszt(QWidget* szulo = nullptr);

    // Loads the list and makes the item with key `video` current (the
    // first row when none).
    void megnyit(qint64 video);
    qint64 aktualisKulcs() const;
    int aktualis() const;

    QLineEdit* Edit1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* aKeres = nullptr;
    QAction* aKeresKod = nullptr;
    QAction* aKeresNev = nullptr;
    QAction* aElfogad = nullptr;
    QAction* aBezar = nullptr;
    ListaModell* modell() const { return m_modell; }

public slots:
    void aKeresExecute();
    void aKeresKodExecute();
    void aKeresNevExecute();
    void aElfogadExecute();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    KulcsosLista m_lista;
    ListaModell* m_modell;
    void gyorsKeres(const QString& szoveg);
    void aktualisBeallit(int sor);
    void rend(bool nev);
};

// The item choice: the chosen item's key, or -1.
qint64 VideoValaszt(QWidget* szulo, qint64 video = -1);
