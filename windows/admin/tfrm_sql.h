#pragma once
// The statement window "SQL lekérdezés": a statement editor, the result of
// the last query in a grid, statement files, and the result written to a
// "|"-delimited file.
#include "core/admin/szabadsql.h"

#include <QDialog>

class KodSzerkeszto;
class ListaKeret;
class QAction;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QWidget;

class Tfrm_SQL : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_SQL(QWidget* szulo = nullptr);
    ~Tfrm_SQL() override;

    SzabadSql::Eredmeny& Qry() { return m_qry; }
    // The statement file last opened or saved (empty at first).
    QString fajlNev() const { return m_fajlNev; }

    QMenuBar* MainMenu1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;        // "SQL"
    QWidget* TabSheet2 = nullptr;        // "Eredmény"
    KodSzerkeszto* SqlSzerkeszto = nullptr;
    QTableView* DBGrid1 = nullptr;
    QMenu* PopupMenu1 = nullptr;         // the editor's
    QMenu* PopupMenu2 = nullptr;         // the grid's

    QAction* aUj = nullptr;
    QAction* aMegnyit = nullptr;
    QAction* aMent = nullptr;
    QAction* aExport = nullptr;
    QAction* aBezar = nullptr;
    QAction* aKivag = nullptr;
    QAction* aMasol = nullptr;
    QAction* aBeilleszt = nullptr;
    QAction* aMindet = nullptr;
    QAction* aFuttat = nullptr;

public slots:
    void aUjExecute();
    void aMegnyitExecute();
    void aMentExecute();
    void aExportExecute();
    void aBezarExecute();
    void aKivagExecute();
    void aMasolExecute();
    void aBeillesztExecute();
    void aMindetExecute();
    void aFuttatExecute();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void done(int r) override;

private:
    // The statements' own connection, made at the first run and closed
    // with the window; before the result, which reads on it.
    SzabadSql::Kapcsolat m_kapcsolat;
    SzabadSql::Eredmeny m_qry;
    ListaKeret* m_keret;
    QString m_fajlNev;
    QString m_exportNev;

    bool szerkesztheto() const;
    void lekerdezesZar();
};

// The opening operation of the main window's "Szabad lekérdezés".
void SqlMegnyit(QWidget* szulo);
