#include "windows/common/kodszerkeszto.h"

#include <QPainter>
#include <QTextBlock>

// ---- SQL colouring ------------------------------------------------------------

SqlKiemelo::SqlKiemelo(QTextDocument* doc) : QSyntaxHighlighter(doc)
{
    m_kulcsszo.setFontWeight(QFont::Bold);
    m_kulcsszo.setForeground(QColor(0, 0, 128));
    m_szam.setForeground(Qt::blue);
    m_szoveg.setForeground(Qt::red);
    m_megjegyzes.setForeground(QColor(0, 128, 0));
    m_megjegyzes.setFontItalic(true);
    static const char* const kulcsszavak[] = {
        "SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "NULL", "IS", "IN", "LIKE", "BETWEEN", "ORDER", "GROUP",
        "BY", "HAVING", "ASC", "DESC", "AS", "ON", "JOIN", "LEFT", "INNER", "OUTER", "CROSS", "UNION", "ALL",
        "DISTINCT", "INSERT", "INTO", "VALUES", "UPDATE", "SET", "DELETE", "CREATE", "TABLE", "INDEX", "DROP",
        "ALTER", "CASE", "WHEN", "THEN", "ELSE", "END", "LIMIT", "OFFSET", "EXISTS", "COUNT", "SUM", "MIN",
        "MAX", "AVG", "UPPER", "LOWER", "PRIMARY", "KEY", "DEFAULT", "WITH", "VIEW"};
    QStringList l;
    for (const char* k : kulcsszavak) l << QString::fromLatin1(k);
    m_kulcsszoMinta = QRegularExpression(QStringLiteral("\\b(%1)\\b").arg(l.join(u'|')),
                                         QRegularExpression::CaseInsensitiveOption);
    m_szamMinta = QRegularExpression(QStringLiteral("\\b\\d+(\\.\\d+)?\\b"));
}

// State 1: inside a /* */ comment carried over from the line before.
void SqlKiemelo::highlightBlock(const QString& szoveg)
{
    for (auto it = m_kulcsszoMinta.globalMatch(szoveg); it.hasNext();) {
        const auto m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), m_kulcsszo);
    }
    for (auto it = m_szamMinta.globalMatch(szoveg); it.hasNext();) {
        const auto m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), m_szam);
    }
    // Strings and comments last and in one left-to-right pass, so a quote
    // inside a comment or "--" inside a string is taken for what it is.
    int i = 0;
    const int n = int(szoveg.size());
    setCurrentBlockState(0);
    if (previousBlockState() == 1) {
        const int veg = int(szoveg.indexOf(QLatin1String("*/")));
        if (veg < 0) {
            setFormat(0, n, m_megjegyzes);
            setCurrentBlockState(1);
            return;
        }
        setFormat(0, veg + 2, m_megjegyzes);
        i = veg + 2;
    }
    while (i < n) {
        const QChar c = szoveg[i];
        if (c == u'\'' || c == u'"') {
            int j = i + 1;
            while (j < n) {
                if (szoveg[j] == c) {
                    if (j + 1 < n && szoveg[j + 1] == c) { j += 2; continue; }   // doubled quote
                    break;
                }
                ++j;
            }
            setFormat(i, std::min(j, n - 1) - i + 1, m_szoveg);
            i = j + 1;
        } else if (c == u'-' && i + 1 < n && szoveg[i + 1] == u'-') {
            setFormat(i, n - i, m_megjegyzes);
            return;
        } else if (c == u'/' && i + 1 < n && szoveg[i + 1] == u'*') {
            const int veg = int(szoveg.indexOf(QLatin1String("*/"), i + 2));
            if (veg < 0) {
                setFormat(i, n - i, m_megjegyzes);
                setCurrentBlockState(1);
                return;
            }
            setFormat(i, veg + 2 - i, m_megjegyzes);
            i = veg + 2;
        } else {
            ++i;
        }
    }
}

// ---- the editor ---------------------------------------------------------------

class SorszamSav : public QWidget
{
public:
    explicit SorszamSav(KodSzerkeszto* sz) : QWidget(sz), m_sz(sz) {}
    QSize sizeHint() const override { return {m_sz->sorszamSzelesseg(), 0}; }

protected:
    void paintEvent(QPaintEvent* e) override { m_sz->sorszamFest(e); }

private:
    KodSzerkeszto* m_sz;
};

KodSzerkeszto::KodSzerkeszto(QWidget* szulo) : QPlainTextEdit(szulo), m_sav(new SorszamSav(this))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette p = palette();
    p.setColor(QPalette::Highlight, QColor(0xC0, 0xC0, 0xC0));
    p.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(p);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { margoIgazit(); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& r, int dy) {
        if (dy) m_sav->scroll(0, dy);
        else m_sav->update(0, r.y(), m_sav->width(), r.height());
        if (r.contains(viewport()->rect())) margoIgazit();
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { aktualisSorJelol(); });
    margoIgazit();
    aktualisSorJelol();
}

void KodSzerkeszto::aktualisSorSzin(const QColor& szin)
{
    m_aktualisSzin = szin;
    aktualisSorJelol();
}

void KodSzerkeszto::sqlSzinezes(bool be)
{
    if (be && !m_kiemelo) m_kiemelo = new SqlKiemelo(document());
    if (!be && m_kiemelo) {
        delete m_kiemelo;
        m_kiemelo = nullptr;
    }
}

int KodSzerkeszto::sorszamSzelesseg() const
{
    int jegy = 3;
    for (int n = blockCount(); n >= 1000; n /= 10) ++jegy;
    return 8 + fontMetrics().horizontalAdvance(u'9') * jegy;
}

QString KodSzerkeszto::kijeloltSzoveg() const
{
    QString s = textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, u'\n');
    s.replace(QChar::LineSeparator, u'\n');
    return s;
}

void KodSzerkeszto::resizeEvent(QResizeEvent* e)
{
    QPlainTextEdit::resizeEvent(e);
    const QRect cr = contentsRect();
    m_sav->setGeometry(QRect(cr.left(), cr.top(), sorszamSzelesseg(), cr.height()));
}

void KodSzerkeszto::margoIgazit()
{
    setViewportMargins(sorszamSzelesseg(), 0, 0, 0);
    const QRect cr = contentsRect();
    m_sav->setGeometry(QRect(cr.left(), cr.top(), sorszamSzelesseg(), cr.height()));
}

void KodSzerkeszto::aktualisSorJelol()
{
    QTextEdit::ExtraSelection sor;
    sor.format.setBackground(m_aktualisSzin);
    sor.format.setProperty(QTextFormat::FullWidthSelection, true);
    sor.cursor = textCursor();
    sor.cursor.clearSelection();
    setExtraSelections({sor});
}

void KodSzerkeszto::sorszamFest(QPaintEvent* e)
{
    QPainter p(m_sav);
    p.fillRect(e->rect(), QColor(0xF0, 0xF0, 0xF0));
    p.setPen(Qt::gray);
    QTextBlock blokk = firstVisibleBlock();
    int szam = blokk.blockNumber();
    int felso = qRound(blockBoundingGeometry(blokk).translated(contentOffset()).top());
    int also = felso + qRound(blockBoundingRect(blokk).height());
    while (blokk.isValid() && felso <= e->rect().bottom()) {
        if (blokk.isVisible() && also >= e->rect().top())
            p.drawText(0, felso, m_sav->width() - 4, fontMetrics().height(), Qt::AlignRight,
                       QString::number(szam + 1));
        blokk = blokk.next();
        felso = also;
        also = felso + qRound(blockBoundingRect(blokk).height());
        ++szam;
    }
}
