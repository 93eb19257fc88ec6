#pragma once

#include <QString>

// What a typed or imported domain becomes before it goes into a domain list: the
// protocol and a www, web or ftp prefix are stripped, the rest must be dot-separated
// labels of letters, digits and inner hyphens, and a name in another script is listed
// in its ASCII (IDNA) form, the form that squid and the content filter match.
struct DomainInput
{
    enum Verdict { Empty, Invalid, Valid };

    Verdict verdict = Empty;
    QString stripped; // the text without the prefixes, as the line edit then shows it
    bool prefixRemoved = false; // the text was shortened by the stripping
    QString domain; // the form to list; set only when Valid

    // What the duplicate check compares with the listed entries.
    QString listedForm() const { return verdict == Valid ? domain : stripped; }
};

DomainInput readDomain(const QString &typed);

// Letters, digits and hyphens inside a label (never at its start or end), at least two
// labels. ASCII only; a name in another script must be converted first.
bool isValidDomain(const QString &domain);
