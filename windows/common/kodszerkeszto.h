#pragma once
// The plain-text editor with line numbers shared by the statement window and
// the item import: a gutter wide enough for three digits (it grows past 999
// lines), the line under the cursor on a colour of the caller's choosing, and
// optionally SQL colouring (comments green, numbers blue, strings red).

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QRegularExpression>

class SqlKiemelo : public QSyntaxHighlighter
{
public:
    explicit SqlKiemelo(QTextDocument* doc);

protected:
    void highlightBlock(const QString& szoveg) override;

private:
    QTextCharFormat m_kulcsszo, m_szam, m_szoveg, m_megjegyzes;
    QRegularExpression m_kulcsszoMinta, m_szamMinta;
};

class KodSzerkeszto : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit KodSzerkeszto(QWidget* szulo = nullptr);

    void aktualisSorSzin(const QColor& szin);
    void sqlSzinezes(bool be);
    // Width of the line-number gutter in pixels.
    int sorszamSzelesseg() const;
    // The text of the selection with real line breaks (Qt hands it back with
    // U+2029 paragraph separators).
    QString kijeloltSzoveg() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class SorszamSav;
    void sorszamFest(QPaintEvent* e);
    void aktualisSorJelol();
    void margoIgazit();

    QWidget* m_sav;
    QColor m_aktualisSzin{0xFF, 0xFF, 0xCE};
    SqlKiemelo* m_kiemelo = nullptr;
};
