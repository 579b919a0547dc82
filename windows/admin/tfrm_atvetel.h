#pragma once
// "Régi adatok átvétele": the earlier data folder (or a zip of it) and
// optionally its settings file chosen, the take-over run with a progress bar
// per table, then the counts and check figures of both sides shown. Used on
// a new installation only, with the session closed (the database is replaced).
#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class Tfrm_Atvetel : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Atvetel(QWidget* szulo = nullptr);

    QLineEdit* EditRegi = nullptr;     // the earlier folder or zip
    QPushButton* btnMappa = nullptr;   // folder chooser
    QPushButton* btnZip = nullptr;     // zip chooser
    QLineEdit* EditIni = nullptr;      // the earlier settings file, optional
    QPushButton* btnIni = nullptr;
    QPushButton* btnIndit = nullptr;   // "Átvétel indítása" (Enter)
    QPushButton* btnBezar = nullptr;   // "Bezár" (Esc)
    QLabel* LabelAllapot = nullptr;
    QPlainTextEdit* MemoEredmeny = nullptr;   // counts, check figures, remarks

    // The bar of a table ("video", ..., "indexek"); nullptr for another name.
    QProgressBar* sav(const QString& tabla) const { return m_savok.value(tabla); }
    // True once the data was taken over (the window then only closes).
    bool atvette() const { return m_atvette; }

public slots:
    void aInditExecute();
    void MappaValaszt();
    void ZipValaszt();
    void IniValaszt();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    QHash<QString, QProgressBar*> m_savok;
    QHash<QString, QLabel*> m_cimkek;
    bool m_fut = false;
    bool m_atvette = false;
    void savokAlaphelyzet();
};

// With the database session closed: the window over the program folder's
// installation, whose database (holding only the delivered rows, which the
// caller has checked) the earlier data replaces. True when it was taken over.
bool RegiAdatokAtvetele(QWidget* szulo);
