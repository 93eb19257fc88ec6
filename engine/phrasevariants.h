#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The content filter matches phrases byte for byte against a page it has changed in
// two ways: letters lower-cased one byte at a time, as if the page were Latin-1 (A-Z
// and the bytes 0xC0-0xDE), and most ASCII punctuation turned into spaces, runs of
// spaces into one. It decodes no character references and no charset. A banned word
// with non-ASCII letters therefore matches only where a page spells it exactly as the
// phrase list does.
//
// The variants are the forms a page gives a banned word, as the filter sees them:
// UTF-8 with every mix of capitals among its non-ASCII letters, Latin-1 and
// Windows-1252, HTML character references (named, decimal, hexadecimal) and the \u
// escapes of JSON and JavaScript. Words with more than MaxCasedLetters non-ASCII
// letters get the lower-case, capitals and first-capital forms only.
namespace PhraseVariants {
inline constexpr int MaxCasedLetters = 6;
}

QList<QByteArray> phraseVariants(const QString &word);

// The filter's variant list: the variants of every word, one weighted phrase per line
// like the phrase list. Words the phrase list leaves out (angle brackets, control
// characters) are left out here too.
QByteArray phraseVariantLines(const QStringList &words);
