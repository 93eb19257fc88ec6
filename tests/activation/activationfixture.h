#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Scratch system state for the activation tests, written inside the sandbox.
namespace Fixture {

// squid.conf and dansguardianf1.conf as installed, holding the lines the engine edits,
// either in the black-list arrangement (as installed) or in the white-list one; in
// squid.conf, the refusal of bare addresses is active while a policy's rules are.
void writeFilterConfiguration(bool whiteListInForce = false);
QByteArray squidConf(bool whiteListInForce, bool rulesInForce = false);
QByteArray filterConf(bool whiteListInForce, const char *naughtynessLimit = "50");

// policyConfig.xml with the control mode Status and the machine mode Type.
void writeConfiguration(int status, int machineMode = 0);

// Root's cron table as "crontab -u root -l" prints it; empty when there is none.
QByteArray installedCronTable();
void removeCronTable();

// The init-script calls the sandbox's stubs recorded, and forgetting them.
QStringList initScriptCalls();
void clearInitScriptCalls();

// The commands without those that switch the filter state's own rules (squid's bare
// addresses, the firewall), for the tests of the lists and reloads.
QStringList withoutFilterStateRules(const QStringList &commands);
// What reached the sandbox's stand-ins of the firewall tools: each call's arguments,
// followed by the rules a restore tool was given.
QString firewallCalls();
void clearFirewallCalls();

// The gate script that blocked programs are linked to.
void installGate();
// A small executable script with the given mode; returns its path.
QString installProgram(const QString &directory, const QString &name, unsigned mode);

// A folder of root's alone for the programs a test blocks (blocking refuses programs
// in any other), emptied at each call.
QString rootProgramFolder();
// True when root owns the machine's folders here: not so in a user namespace, where the
// host's root shows as nobody and every program would be refused.
bool rootOwnsTheFolders();

// Runs a command as the unprivileged user nobody and returns its exit code; needs the
// machine's root (runningAsMachineRoot).
int runAsNobody(const QStringList &command);

// Puts a directory in front of the search path for as long as the object lives.
class SearchPath
{
public:
    explicit SearchPath(const QString &directory);
    ~SearchPath();

private:
    QByteArray m_old;
};

} // namespace Fixture
