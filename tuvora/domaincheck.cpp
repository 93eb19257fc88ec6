#include "domaincheck.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return true;
}

// The protocol, then prefix labels such as www., WWW1. or ftp. at the start only: a
// "web." in the middle of cobweb.org is part of the name. A prefix that is the
// domain's own first label (web.de, www.com) stays.
QString stripPrefixes(const QString &text)
{
    static const QRegularExpression protocol(QStringLiteral("^(.+://)*"));
    static const QRegularExpression prefix(
        QStringLiteral("^(www|web|ftp)[0-9]*\\."), QRegularExpression::CaseInsensitiveOption);
    QString rest = text;
    rest.remove(protocol);
    for (;;) {
        const QRegularExpressionMatch match = prefix.match(rest);
        if (!match.hasMatch() || !rest.mid(match.capturedLength()).contains(QLatin1Char('.')))
            return rest;
        rest.remove(0, match.capturedLength());
    }
}

} // namespace

bool isValidDomain(const QString &domain)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([a-z0-9]([a-z0-9-]*[a-z0-9])?\\.)+[a-z0-9]([a-z0-9-]*[a-z0-9])?$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(domain).hasMatch();
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
