#pragma once

#include <QByteArray>
#include <QStringList>

// "Import list...": a text file of one entry per line, as public block lists are
// published. Blank lines and lines starting with # are skipped; the entries already
// listed, and repeats within the file, are counted and left out.
struct ListImport
{
    QStringList added; // the new entries, in file order
    int alreadyListed = 0;
    int refused = 0;
    QStringList firstRefused; // the first few refused lines, as they stand in the file

    static constexpr int RefusedLinesKept = 5;
};

// Domains: each line goes through the same check and prefix stripping as a typed
// domain; a hosts-file line such as "0.0.0.0 example.com" gives its names, and a #
// ends the line.
ListImport importDomains(const QByteArray &fileContent, const QStringList &listed);

// Banned words and phrases, one per line, blanks around them trimmed.
ListImport importWords(const QByteArray &fileContent, const QStringList &listed);
