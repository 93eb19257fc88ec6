#include "domaincheck.h"

#include <QUrl>

// Hand-written scans rather than regular expressions: a block list of 100,000 lines
// goes through here line by line.
namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return true;
}

bool isLetterOrDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

// The length of a www, web or ftp label (any case, digits may follow) and its dot at
// the start of the text; 0 when there is none.
qsizetype prefixLength(QStringView text)
{
    static const char *const prefixes[] = { "www", "web", "ftp" };
    for (const char *prefix : prefixes) {
        if (!text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            continue;
        qsizetype at = 3;
        while (at < text.size() && text.at(at).isDigit() && text.at(at).unicode() < 0x80)
            ++at;
        if (at < text.size() && text.at(at) == QLatin1Char('.'))
            return at + 1;
    }
    return 0;
}

// The protocol (everything up to the last "://" that has something before it), then
// prefix labels such as www., WWW1. or ftp. at the start only: a "web." in the middle of
// cobweb.org is part of the name. A prefix that is the domain's own first label
// (web.de, www.com) stays.
QString stripPrefixes(const QString &text)
{
    QStringView rest(text);
    const qsizetype protocol = rest.lastIndexOf(QLatin1String("://"));
    if (protocol > 0)
        rest = rest.mid(protocol + 3);
    for (qsizetype length = prefixLength(rest); length > 0; length = prefixLength(rest)) {
        if (!rest.mid(length).contains(QLatin1Char('.')))
            break;
        rest = rest.mid(length);
    }
    return rest.size() == text.size() ? text : rest.toString();
}

} // namespace

bool isValidDomain(const QString &domain)
{
    int labels = 0;
    qsizetype labelStart = 0;
    for (qsizetype at = 0; at <= domain.size(); ++at) {
        if (at == domain.size() || domain.at(at) == QLatin1Char('.')) {
            // A label: at least one character, no hyphen at either end.
            if (at == labelStart || domain.at(labelStart) == QLatin1Char('-') || domain.at(at - 1) == QLatin1Char('-'))
                return false;
            ++labels;
            labelStart = at + 1;
        } else if (!isLetterOrDigit(domain.at(at)) && domain.at(at) != QLatin1Char('-')) {
            return false;
        }
    }
    return labels >= 2;
}

DomainInput readDomain(const QString &typed)
{
    DomainInput input;
    if (typed.isEmpty())
        return input;
    input.stripped = stripPrefixes(typed);
    input.prefixRemoved = input.stripped.size() != typed.size();
    const QString ascii = isAscii(input.stripped) ? input.stripped : QString::fromLatin1(QUrl::toAce(input.stripped));
    if (isValidDomain(ascii)) {
        input.verdict = DomainInput::Valid;
        input.domain = ascii;
    } else {
        input.verdict = DomainInput::Invalid;
    }
    return input;
}
