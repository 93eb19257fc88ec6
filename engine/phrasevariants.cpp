#include "phrasevariants.h"

#include "filewriter.h"
#include "paths.h"

#include <QTextStream>

#include <algorithm>
#include <cstring>

namespace {

using Letters = QList<char32_t>;

// HTML's named references of the lower-case letters; the filter lower-cases a page's
// "&Ccedil;" to "&ccedil;" itself.
struct NamedLetter
{
    char32_t letter;
    const char *name;
};
const NamedLetter NamedLetters[] = { { 0xdf, "szlig" }, { 0xe0, "agrave" }, { 0xe1, "aacute" }, { 0xe2, "acirc" },
    { 0xe3, "atilde" }, { 0xe4, "auml" }, { 0xe5, "aring" }, { 0xe6, "aelig" }, { 0xe7, "ccedil" }, { 0xe8, "egrave" },
    { 0xe9, "eacute" }, { 0xea, "ecirc" }, { 0xeb, "euml" }, { 0xec, "igrave" }, { 0xed, "iacute" }, { 0xee, "icirc" },
    { 0xef, "iuml" }, { 0xf0, "eth" }, { 0xf1, "ntilde" }, { 0xf2, "ograve" }, { 0xf3, "oacute" }, { 0xf4, "ocirc" },
    { 0xf5, "otilde" }, { 0xf6, "ouml" }, { 0xf8, "oslash" }, { 0xf9, "ugrave" }, { 0xfa, "uacute" }, { 0xfb, "ucirc" },
    { 0xfc, "uuml" }, { 0xfd, "yacute" }, { 0xfe, "thorn" }, { 0xff, "yuml" }, { 0x153, "oelig" }, { 0x161, "scaron" },
    { 0x192, "fnof" } };

// Letters that Windows-1252 puts where Latin-1 has control codes.
struct SingleByte
{
    char32_t letter;
    char byte;
};
const SingleByte Windows1252Letters[] = { { 0x160, '\x8a' }, { 0x152, '\x8c' }, { 0x17d, '\x8e' }, { 0x161, '\x9a' },
    { 0x153, '\x9c' }, { 0x17e, '\x9e' }, { 0x178, '\x9f' }, { 0x192, '\x83' } };

const char *nameOf(char32_t letter)
{
    const char32_t lower = QChar::toLower(letter);
    for (const NamedLetter &named : NamedLetters) {
        if (named.letter == lower)
            return named.name;
    }
    return nullptr;
}

bool isFilterSpace(char c)
{
    // The ASCII characters the filter turns into spaces; . / = @ { | } ~ stay.
    static const char Spaces[] = " \t\n\r\f\v!\"#$%&'()*+,-:;<>?[\\]^_`";
    return c != '\0' && std::strchr(Spaces, c) != nullptr;
}

// A form of the word as the filter sees it after its own changes to a page.
QByteArray filterView(const QByteArray &bytes)
{
    QByteArray view;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (isFilterSpace(c)) {
            if (!view.isEmpty() && !view.endsWith(' '))
                view += ' ';
        } else if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xc0 && byte <= 0xde && byte != 0xd7)) {
            view += char(byte + 0x20);
        } else {
            view += c;
        }
    }
    if (view.endsWith(' '))
        view.chop(1);
    return view;
}

// Each letter above ASCII written by the given function; empty when one cannot be.
template <typename Write> QByteArray spelled(const Letters &letters, Write write)
{
    QByteArray bytes;
    for (const char32_t letter : letters) {
        if (letter < 0x80) {
            bytes += char(letter);
        } else if (!write(letter, bytes)) {
            return {};
        }
    }
    return bytes;
}

QList<QByteArray> forms(const Letters &letters)
{
    QList<QByteArray> result;
    result << QString::fromUcs4(letters.constData(), letters.size()).toUtf8();
    result << spelled(letters, [](char32_t letter, QByteArray &bytes) {
        if (letter <= 0xff) {
            bytes += char(letter);
            return true;
        }
        const auto it = std::find_if(std::begin(Windows1252Letters), std::end(Windows1252Letters),
            [letter](const SingleByte &single) { return single.letter == letter; });
        if (it == std::end(Windows1252Letters))
            return false;
        bytes += it->byte;
        return true;
    });
    result << spelled(letters, [](char32_t letter, QByteArray &bytes) {
        bytes += "&#" + QByteArray::number(letter) + ';';
        return true;
    });
    result << spelled(letters, [](char32_t letter, QByteArray &bytes) {
        bytes += "&#x" + QByteArray::number(letter, 16) + ';';
        return true;
    });
    result << spelled(letters, [](char32_t letter, QByteArray &bytes) {
        const char *name = nameOf(letter);
        if (!name)
            return false;
        bytes += '&' + QByteArray(name) + ';';
        return true;
    });
    result << spelled(letters, [](char32_t letter, QByteArray &bytes) {
        const QString utf16 = QString::fromUcs4(&letter, 1);
        for (const QChar unit : utf16)
            bytes += "\\u" + QByteArray::number(unit.unicode(), 16).rightJustified(4, '0');
        return true;
    });
    return result;
}

// The capital patterns as bit masks over the word's non-ASCII letters with a case.
QList<quint64> casePatterns(const QList<qsizetype> &cased)
{
    const auto count = cased.size();
    QList<quint64> masks;
    if (count <= PhraseVariants::MaxCasedLetters) {
        for (quint64 mask = 0; mask < (quint64(1) << count); ++mask)
            masks << mask;
        return masks;
    }
    masks << 0 << ((quint64(1) << count) - 1);
    if (cased.first() == 0)
        masks << 1;
    return masks;
}

bool isWritable(const QString &word)
{
    return !word.contains(QLatin1Char('<')) && !word.contains(QLatin1Char('>'))
        && std::none_of(word.cbegin(), word.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

QList<QByteArray> phraseVariants(const QString &word)
{
    Letters lower;
    for (const uint letter : word.toLower().toUcs4())
        lower << char32_t(letter);
    QList<qsizetype> cased;
    for (qsizetype i = 0; i < lower.size(); ++i) {
        if (lower.at(i) >= 0x80 && QChar::toUpper(lower.at(i)) != lower.at(i))
            cased << i;
    }
    QList<QByteArray> variants;
    for (const quint64 mask : casePatterns(cased)) {
        Letters letters = lower;
        for (qsizetype bit = 0; bit < cased.size(); ++bit) {
            if (mask & (quint64(1) << bit))
                letters[cased.at(bit)] = QChar::toUpper(letters.at(cased.at(bit)));
        }
        for (const QByteArray &form : forms(letters)) {
            const QByteArray view = filterView(form);
            if (!view.isEmpty() && !variants.contains(view))
                variants << view;
        }
    }
    return variants;
}

QByteArray phraseVariantLines(const QStringList &words)
{
    QByteArray content;
    for (const QString &word : words) {
        if (!isWritable(word))
            continue;
        const QByteArray asListed = word.toUtf8();
        for (const QByteArray &variant : phraseVariants(word)) {
            if (variant != asListed)
                content += '<' + variant + "><10>\n";
        }
    }
    return content;
}
