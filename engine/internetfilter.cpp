#include "internetfilter.h"

#include "commandrunner.h"
#include "filewriter.h"
#include "filterstaterules.h"
#include "phrasevariants.h"
#include "sitevariants.h"
#include "policy.h"
#include "policyconfig.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <sys/stat.h>

namespace {

bool hasControlCharacter(const QString &entry)
{
    return std::any_of(entry.cbegin(), entry.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// The entry as one printable line: control characters and "%" are percent-encoded.
QByteArray printable(const QString &entry)
{
    return entry.toUtf8().toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[\\]^`{|}~");
}

void reportRefused(const char *list, const QString &entry, const char *why)
{
    QTextStream(stderr) << "Entry left out of " << list << " (" << why << "): " << printable(entry) << '\n';
}

// The lines that appending each entry with echo would have left, written as data. An
// echo of "-n" or of a backslash sequence would not even have written the entry.
QByteArray listLines(const QStringList &entries, const char *prefix, const char *list)
{
    QByteArray lines;
    for (const QString &entry : entries) {
        if (hasControlCharacter(entry)) {
            reportRefused(list, entry, "control character");
            continue;
        }
        lines += prefix;
        lines += entry.toUtf8();
        lines += '\n';
    }
    return lines;
}

mode_t newFileModeFromUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Adds lines at the end of a list file, creating it like a shell redirection would.
void appendToList(const char *path, const QByteArray &lines)
{
    if (lines.isEmpty())
        return;
    const QString fileName = QString::fromLatin1(path);
    QByteArray content;
    QFile existing(fileName);
    if (existing.open(QIODevice::ReadOnly))
        content = existing.readAll();
    content += lines;
    if (!replaceFile(fileName, content, newFileModeFromUmask()))
        QTextStream(stderr) << "Error writing file: " << fileName << '\n';
}

void writePhraseList(const QStringList &words)
{
    QByteArray content;
    for (const QString &word : words) {
        if (hasControlCharacter(word)) {
            reportRefused(InternetFilter::PhraseList, word, "control character");
            continue;
        }
        if (word.contains(QLatin1Char('<')) || word.contains(QLatin1Char('>'))) {
            reportRefused(InternetFilter::PhraseList, word, "angle bracket");
            continue;
        }
        content += '<' + word.toUtf8() + "><10>\n";
    }
    const QString fileName = QString::fromLatin1(InternetFilter::PhraseList);
    if (!replaceFile(fileName, content, newFileModeFromUmask()))
        QTextStream(stderr) << "Error opening file: " << fileName << '\n';
}

void run(const char *commandLine)
{
    runCommand(QString::fromLatin1(commandLine));
}

// Squid lets every safe port through and ignores the domain list.
void openSquid()
{
    run("sed -i \"s/^#http_access allow Safe_ports/http_access allow Safe_ports/g\" /etc/squid/squid.conf");
    run("sed -i \"s/^http_access allow whitelist/#http_access allow whitelist/g\" /etc/squid/squid.conf");
}

// Squid and the firewall as they are with no policy in force.
void leaveOpen()
{
    openSquid();
    applyFilterStateRules(FilterState::Open);
}

void switchToWhiteList(const Policy &policy)
{
    run("sed -i \"s/^bannedsitelist = '\\/etc\\/dansguardian\\/sitelist'/bannedsitelist = "
        "'\\/etc\\/dansguardian\\/emptylist'/g\" "
        "/etc/dansguardian/dansguardianf1.conf");
    run("sed -i \"s/^http_access allow Safe_ports/#http_access allow Safe_ports/g\" /etc/squid/squid.conf");
    run("sed -i \"s/^#http_access allow whitelist/http_access allow whitelist/g\" /etc/squid/squid.conf");
    run("rm /etc/squid/whitelist");
    appendToList(
        InternetFilter::SquidWhiteList, listLines(policy.internet.urlsWhite, ".", InternetFilter::SquidWhiteList));
}

void switchToBlackList(const Policy &policy)
{
    run("sed -i \"s/^bannedsitelist = '\\/etc\\/dansguardian\\/emptylist'/bannedsitelist = "
        "'\\/etc\\/dansguardian\\/sitelist'/g\" "
        "/etc/dansguardian/dansguardianf1.conf");
    openSquid();
    appendToList(InternetFilter::SiteList, listLines(policy.internet.urls, "", InternetFilter::SiteList));
    writeSiteVariants(policy.internet.urls);
}

} // namespace

void applyInternetRules(const Policy &policy, bool restrictNow)
{
    run("cp /etc/dansguardian/emptylist /etc/dansguardian/sitelist");
    run("cp /etc/dansguardian/emptylist /etc/dansguardian/weightedphraselist");
    run("rm -f /etc/squid/whitelist");
    run("touch /etc/squid/whitelist");
    writeSiteVariants({});
    writePhraseVariants({});

    const bool filtering = !policy.active && restrictNow;
    if (readStatus() == 1) {
        if (filtering) {
            if (policy.internet.isWhiteList())
                switchToWhiteList(policy);
            else
                switchToBlackList(policy);
            run("sed -i \"s/^naughtynesslimit =.*/naughtynesslimit = 1/g\" /etc/dansguardian/dansguardianf1.conf");
            writePhraseList(policy.internet.content);
            writePhraseVariants(policy.internet.content);
            applyFilterStateRules(policy.internet.isWhiteList() ? FilterState::WhiteList : FilterState::BlackList);
        } else {
            // The bannedsitelist line stays; the lists emptied above leave nothing to block.
            leaveOpen();
        }
    } else {
        // Free of Control: the lists are empty now, so squid must not keep a white list
        // (an empty one would keep every site out at its next start), nor the firewall
        // the refusals of a policy. Nothing is reloaded.
        leaveOpen();
    }

    if (readStatus() == 1) {
        run("/etc/init.d/squid reload");
        run("/etc/init.d/dansguardian restart");
    }
}
