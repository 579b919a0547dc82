#pragma once
// The two statistics windows: the income month by month as red bars
// (Tfrm_chBevKiad) and the rentals of a period by genre as a pie
// (Tfrm_chMegoszlas). Both print the chart on a landscape page and save it
// as a bitmap; neither changes any data.
#include "core/cash/grafikon.h"

#include <QDate>
#include <QDialog>
#include <QString>

class QChart;
class QChartView;
class QPushButton;

class GrafikonAblak : public QDialog {
    Q_OBJECT
public:
    QChartView* DBChart1 = nullptr;
    QPushButton* btnNyomtat = nullptr;
    QPushButton* btnMentes = nullptr;
    QPushButton* btnBezar = nullptr;

    QChart* grafikon() const;
    // The chart drawn on white into a bitmap of the chart's own size.
    QImage kep() const;

public slots:
    // To the default printer on a landscape page; false when nothing was printed.
    bool btnNyomtatClick();
    // Asks for a file name and saves the picture there; false when the
    // dialog was cancelled or the file could not be written (said in a box).
    bool btnMentesClick();

protected:
    GrafikonAblak(QWidget* szulo, const QString& nev, const QString& cim);
};

class Tfrm_chBevKiad : public GrafikonAblak {
    Q_OBJECT
public:
    explicit Tfrm_chBevKiad(QWidget* szulo = nullptr);
    // Reads the income of the months `tol` to `ig` and draws one bar a
    // month. Throws AdatbazisHiba.
    void betolt(const QString& tol, const QString& ig);
    QList<Grafikon::Sor> sorok() const { return m_sorok; }
private:
    QList<Grafikon::Sor> m_sorok;
};

class Tfrm_chMegoszlas : public GrafikonAblak {
    Q_OBJECT
public:
    explicit Tfrm_chMegoszlas(QWidget* szulo = nullptr);
    // Reads the rentals of the days `tol` to `ig` by genre and draws one
    // slice a genre. Throws AdatbazisHiba.
    void betolt(const QDate& tol, const QDate& ig);
    QList<Grafikon::Sor> sorok() const { return m_sorok; }
private:
    QList<Grafikon::Sor> m_sorok;
};

// The chart windows, shown modally for the range given.
void BevetelGrafikon(QWidget* szulo, const QString& tol, const QString& ig);
void MegoszlasGrafikon(QWidget* szulo, const QDate& tol, const QDate& ig);

// The main window's actions: the range dialog first; cancelled, nothing opens.
void ChBevKiadMegnyit(QWidget* szulo);
void ChMegoszlasMegnyit(QWidget* szulo);
