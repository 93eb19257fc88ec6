#include "internetfilter.h"

#include "activationlock.h"
#include "commandrunner.h"
#include "filewriter.h"
#include "filterstaterules.h"
#include "paths.h"
#include "phrasevariants.h"
#include "policy.h"
#include "policyconfig.h"
#include "privileges.h"
#include "sitevariants.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

QByteArray phraseLines(const QStringList &words)
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
    return content;
}

// A list made anew is readable by the filter's own user, whatever root's umask; a
// replaced one keeps its mode.
constexpr mode_t NewListMode = 0644;

// The steps of one change of the filter's files. Each list is written whole beside the
// old one and renamed into place, so a list is never seen emptied or half written. The
// first step that fails ends the change: the files not reached yet keep their rules,
// and squid and the content filter are not reloaded, so they keep the rules they run.
class FilterChange
{
public:
    bool ok() const { return m_ok; }

    void writeList(const char *path, const QByteArray &content)
    {
        if (m_ok && !replaceFile(QString::fromLatin1(path), content, NewListMode))
            fail("Error writing file: ", path);
    }

    // The white list without any domain is no file at all.
    void removeList(const char *path)
    {
        if (m_ok && ::unlink(path) != 0 && errno != ENOENT)
            fail("Error removing file: ", path);
    }

    void run(const char *commandLine)
    {
        if (m_ok)
            runEvenAfterAFailure(commandLine);
    }

    // The reloads: each service is told of the files on disk whatever the other did.
    void runEvenAfterAFailure(const char *commandLine)
    {
        if (!commandSucceeded(runCommand(QString::fromLatin1(commandLine))))
            fail("Command failed: ", commandLine);
    }

private:
    void fail(const char *what, const char *subject)
    {
        m_ok = false;
        QTextStream(stderr) << what << subject << '\n';
    }

    bool m_ok = true;
};

void openSquid(FilterChange &change)
{
    change.run("sed -i \"s/^#http_access allow Safe_ports/http_access allow Safe_ports/g\" /etc/squid/squid.conf");
    change.run("sed -i \"s/^http_access allow whitelist/#http_access allow whitelist/g\" /etc/squid/squid.conf");
}

// The rules that follow the filter's state besides its lists (bare addresses, other
// ports, QUIC, IPv6), switched only while the change has not failed.
void switchStateRules(FilterChange &change, FilterState state)
{
    if (change.ok())
        applyFilterStateRules(state);
}

const char NaughtynessLimit[]
    = "sed -i \"s/^naughtynesslimit =.*/naughtynesslimit = 1/g\" /etc/dansguardian/dansguardianf1.conf";

// The banned words, as entered and in the other forms pages give them.
void writePhrases(FilterChange &change, const Policy &policy)
{
    change.writeList(InternetFilter::PhraseList, phraseLines(policy.internet.content));
    change.writeList(Paths::PhraseVariants, phraseVariantLines(policy.internet.content));
}

// What is added comes first and what is lifted last, so that a change cut short leaves
// the filter closer to the stricter of the two states.
void switchToBlackList(FilterChange &change, const Policy &policy)
{
    change.writeList(InternetFilter::SiteList, listLines(policy.internet.urls, "", InternetFilter::SiteList));
    change.writeList(Paths::SiteVariants, siteVariantLines(policy.internet.urls));
    writePhrases(change, policy);
    change.run("sed -i \"s/^bannedsitelist = '\\/etc\\/dansguardian\\/emptylist'/bannedsitelist = "
               "'\\/etc\\/dansguardian\\/sitelist'/g\" "
               "/etc/dansguardian/dansguardianf1.conf");
    change.run(NaughtynessLimit);
    switchStateRules(change, FilterState::BlackList);
    openSquid(change);
    change.writeList(InternetFilter::SquidWhiteList, {});
}

void switchToWhiteList(FilterChange &change, const Policy &policy)
{
    const QByteArray domains = listLines(policy.internet.urlsWhite, ".", InternetFilter::SquidWhiteList);
    if (domains.isEmpty())
        change.removeList(InternetFilter::SquidWhiteList);
    else
        change.writeList(InternetFilter::SquidWhiteList, domains);
    writePhrases(change, policy);
    change.run("sed -i \"s/^http_access allow Safe_ports/#http_access allow Safe_ports/g\" /etc/squid/squid.conf");
    change.run("sed -i \"s/^#http_access allow whitelist/http_access allow whitelist/g\" /etc/squid/squid.conf");
    change.run("sed -i \"s/^bannedsitelist = '\\/etc\\/dansguardian\\/sitelist'/bannedsitelist = "
               "'\\/etc\\/dansguardian\\/emptylist'/g\" "
               "/etc/dansguardian/dansguardianf1.conf");
    change.run(NaughtynessLimit);
    switchStateRules(change, FilterState::WhiteList);
    change.writeList(InternetFilter::SiteList, {});
    change.writeList(Paths::SiteVariants, {});
}

// No policy's rules in force: squid lets every safe port through (an empty white list
// in force would keep every site out at squid's next start), the state rules are lifted
// and the lists emptied.
void leaveOpen(FilterChange &change)
{
    openSquid(change);
    switchStateRules(change, FilterState::Open);
    for (const char *list : { InternetFilter::SiteList, Paths::SiteVariants, InternetFilter::PhraseList,
             Paths::PhraseVariants, InternetFilter::SquidWhiteList })
        change.writeList(list, {});
}

// What an interrupted activation left: the lists' temporaries (only activations write
// the lists, and this one holds the lock) and those of an interrupted sed -i.
void removeLeftovers()
{
    for (const char *list : { InternetFilter::SiteList, Paths::SiteVariants, InternetFilter::PhraseList,
             Paths::PhraseVariants, InternetFilter::SquidWhiteList })
        removeLeftoverTemporaries(QString::fromLatin1(list));
    for (const char *folder : { Paths::FilterDir, Paths::SquidDir })
        removeLeftoverFiles(QString::fromLatin1(folder), QStringLiteral("sed[A-Za-z0-9]{6}"), 60);
}

} // namespace

bool applyInternetRules(const Policy &policy, bool restrictNow)
{
    RootStretch stretch;
    ActivationLock lock;
    if (!lock.held())
        return false;
    removeLeftovers();

    FilterChange change;
    if (readStatus() != 1) {
        // Free of control: the files are left open, and squid and the content filter keep
        // what they have loaded until their next start.
        leaveOpen(change);
        return change.ok();
    }
    const bool filtering = !policy.active && restrictNow;
    if (filtering && policy.internet.isWhiteList()) {
        switchToWhiteList(change, policy);
    } else if (filtering) {
        switchToBlackList(change, policy);
    } else {
        // The bannedsitelist line stays; the emptied lists leave nothing to block.
        leaveOpen(change);
    }

    if (!change.ok()) {
        QTextStream(stderr)
            << "The web filter was not reloaded: squid and the content filter keep the rules in force\n";
        return false;
    }
    if (readStatus() == 1) {
        change.runEvenAfterAFailure("/etc/init.d/squid reload");
        change.runEvenAfterAFailure("/etc/init.d/dansguardian restart");
    }
    return change.ok();
}
