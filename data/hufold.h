#pragma once
// Case folding and ordering that know Hungarian letters. SQLite's own UPPER,
// LOWER, LIKE and NOCASE fold ASCII only, so "ő" would never find "Ő".
#include <QString>
#include <QByteArray>

namespace HuFold {

// Upper-cases code point by code point (no length-changing mappings), so a
// folded prefix is still a prefix of the folded text.
QString nagybetu(const QString& s);
QString kisbetu(const QString& s);

// True when text begins with prefix, ignoring letter case.
bool kezdodik(const QString& text, const QString& prefix);

// Ordering weight of one code point: case-insensitive, accented Hungarian
// vowels right after their base letter (a á b … o ó ö ő p … u ú ü ű v).
// The mapping is one-to-one on folded letters, so all texts that share a
// case-insensitive prefix stand together in this order.
quint32 suly(char32_t c);

// Three-way comparison of two UTF-8 texts in that order.
int osszehasonlit(const char* a, int alen, const char* b, int blen);
int osszehasonlit(const QString& a, const QString& b);

// LIKE with % and _ (and an optional escape character), case-insensitive
// for every letter.
bool like(const QString& minta, const QString& szoveg, QChar escape = QChar());

} // namespace HuFold
