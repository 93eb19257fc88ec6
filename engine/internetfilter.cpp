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
            reportRefused(Paths::PhraseList, word, "control character");
            continue;
        }
        if (word.contains(QLatin1Char('<')) || word.contains(QLatin1Char('>'))) {
            reportRefused(Paths::PhraseList, word, "angle bracket");
            continue;
        }
        content += '<' + word.toUtf8() + "><10>\n";
    }
    return content;
}

// The lists the back-end writes itself.
const char *const FilterLists[]
    = { Paths::SiteList, Paths::SiteVariants, Paths::PhraseList, Paths::PhraseVariants, Paths::SquidWhiteList };

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
            fail("Error writing file: ", Paths::path(path));
    }

    // The white list without any domain is no file at all.
    void removeList(const char *path)
    {
        if (m_ok && ::unlink(path) != 0 && errno != ENOENT)
            fail("Error removing file: ", Paths::path(path));
    }

    void run(const QString &commandLine)
    {
        if (m_ok)
            runEvenAfterAFailure(commandLine);
    }

    // The reloads: each service is told of the files on disk whatever the other did.
    void runEvenAfterAFailure(const QString &commandLine)
    {
        if (!commandSucceeded(runCommand(commandLine)))
            fail("Command failed: ", commandLine);
    }

private:
    void fail(const char *what, const QString &subject)
    {
        m_ok = false;
        QTextStream(stderr) << what << subject << '\n';
    }

    bool m_ok = true;
};

// sed -i "EXPRESSION" FILE: every edit of squid's and the content filter's configuration.
QString sedInPlace(const QString &expression, const char *file)
{
    return QStringLiteral("sed -i \"%1\" ").arg(expression) + shellQuote(Paths::path(file));
}

// A path as sed expressions whose delimiter is "/" write it.
QString sedPath(const char *path)
{
    return Paths::path(path).replace(QLatin1Char('/'), QLatin1String("\\/"));
}

// The group's banned site list names the site list, or the empty list that bans nothing.
QString switchBannedSiteList(const char *from, const char *to)
{
    return sedInPlace(
        QStringLiteral("s/^bannedsitelist = '%1'/bannedsitelist = '%2'/g").arg(sedPath(from), sedPath(to)),
        Paths::FilterGroupConf);
}

// Takes a line of squid.conf into force, or comments it out.
QString switchSquidLine(const char *line, bool inForce)
{
    const QString expression = inForce ? QStringLiteral("s/^#%1/%1/g") : QStringLiteral("s/^%1/#%1/g");
    return sedInPlace(expression.arg(QLatin1String(line)), Paths::SquidConf);
}

const char SafePorts[] = "http_access allow Safe_ports";
const char WhiteListOnly[] = "http_access allow whitelist";

void openSquid(FilterChange &change)
{
    change.run(switchSquidLine(SafePorts, true));
    change.run(switchSquidLine(WhiteListOnly, false));
}

// The rules that follow the filter's state besides its lists (bare addresses, other
// ports, QUIC, IPv6), switched only while the change has not failed.
void switchStateRules(FilterChange &change, FilterState state)
{
    if (change.ok())
        applyFilterStateRules(state);
}

QString naughtynessLimit()
{
    return sedInPlace(QStringLiteral("s/^naughtynesslimit =.*/naughtynesslimit = 1/g"), Paths::FilterGroupConf);
}

// The banned words, as entered and in the other forms pages give them.
void writePhrases(FilterChange &change, const Policy &policy)
{
    change.writeList(Paths::PhraseList, phraseLines(policy.internet.content));
    change.writeList(Paths::PhraseVariants, phraseVariantLines(policy.internet.content));
}

// What is added comes first and what is lifted last, so that a change cut short leaves
// the filter closer to the stricter of the two states.
void switchToBlackList(FilterChange &change, const Policy &policy)
{
    change.writeList(Paths::SiteList, listLines(policy.internet.urls, "", Paths::SiteList));
    change.writeList(Paths::SiteVariants, siteVariantLines(policy.internet.urls));
    writePhrases(change, policy);
    change.run(switchBannedSiteList(Paths::EmptyList, Paths::SiteList));
    change.run(naughtynessLimit());
    switchStateRules(change, FilterState::BlackList);
    openSquid(change);
    change.writeList(Paths::SquidWhiteList, {});
}

void switchToWhiteList(FilterChange &change, const Policy &policy)
{
    const QByteArray domains = listLines(policy.internet.urlsWhite, ".", Paths::SquidWhiteList);
    if (domains.isEmpty())
        change.removeList(Paths::SquidWhiteList);
    else
        change.writeList(Paths::SquidWhiteList, domains);
    writePhrases(change, policy);
    change.run(switchSquidLine(SafePorts, false));
    change.run(switchSquidLine(WhiteListOnly, true));
    change.run(switchBannedSiteList(Paths::SiteList, Paths::EmptyList));
    change.run(naughtynessLimit());
    switchStateRules(change, FilterState::WhiteList);
    change.writeList(Paths::SiteList, {});
    change.writeList(Paths::SiteVariants, {});
}

// No policy's rules in force: squid lets every safe port through (an empty white list
// in force would keep every site out at squid's next start), the state rules are lifted
// and the lists emptied.
void leaveOpen(FilterChange &change)
{
    openSquid(change);
    switchStateRules(change, FilterState::Open);
    for (const char *list : FilterLists)
        change.writeList(list, {});
}

// What an interrupted activation left: the lists' temporaries (only activations write
// the lists, and this one holds the lock) and those of an interrupted sed -i.
void removeLeftovers()
{
    for (const char *list : FilterLists)
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
        change.runEvenAfterAFailure(fillCommand(QStringLiteral("%1 reload"), { Paths::path(Paths::SquidInit) }));
        change.runEvenAfterAFailure(fillCommand(QStringLiteral("%1 restart"), { Paths::path(Paths::FilterInit) }));
    }
    return change.ok();
}
