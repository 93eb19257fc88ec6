#pragma once

#include <QString>

// The suite's fixed places on the machine. Every program, and the engine, names them
// only through this header; the install rules and scripts share the same list.
//
// The folder under /var/lib is root's own (0755, owned by root): what root writes and
// later trusts (the cron staging file, the warning markers, downloaded policies, the
// modes of moved programs, the activation lock) lives there, never in /tmp, where
// every user can leave a file or a link.
namespace Paths {

// The suite's configuration, policies, logs and snapshots.
inline constexpr char ConfigDir[] = "/etc/tuvora";
inline constexpr char PolicyDir[] = "/etc/tuvora/lists";
inline constexpr char ConfigFile[] = "/etc/tuvora/policyConfig.xml";
inline constexpr char GatewayTimeoutFile[] = "/etc/tuvora/gwtimeout";
inline constexpr char MenuFile[] = "/etc/tuvora/menu.xml";
inline constexpr char IncomingDir[] = "/etc/tuvora/incoming";
inline constexpr char SnapshotDir[] = "/etc/tuvora/snapshots";
inline constexpr char FirewallRules[] = "/etc/tuvora/firewall.conf";
inline constexpr char Firewall6Rules[] = "/etc/tuvora/firewall6.conf";
inline constexpr char BlockMessage[] = "/etc/tuvora/blockmessage";
inline constexpr char AdminLockFile[] = "/etc/tuvora/lockTuvora";
inline constexpr char ApplicationsLog[] = "/etc/tuvora/applicationslog";
inline constexpr char InternetLog[] = "/etc/tuvora/internetlog";
inline constexpr char FilesLog[] = "/etc/tuvora/fileslog";
inline constexpr char FileLogSize[] = "/etc/tuvora/.filelogsize";
inline constexpr char ApplyImage[] = "/etc/tuvora/apply.png";

// Root's own state.
inline constexpr char StateDir[] = "/var/lib/tuvora";
inline constexpr char CronStaging[] = "/var/lib/tuvora/crontab.policy";
inline constexpr char AppWarningMarker[] = "/var/lib/tuvora/policyappwarning";
inline constexpr char IntWarningMarker[] = "/var/lib/tuvora/policyintwarning";
inline constexpr char ActivationLock[] = "/var/lib/tuvora/activation.lock";
inline constexpr char BlockedModesDir[] = "/var/lib/tuvora/blocked";
inline constexpr char NetworkDir[] = "/var/lib/tuvora/network";
// The network mode's files there: the policies just downloaded from the policy server,
// the version stamps of the last ones downloaded, and the file the policy held from
// the server or a teacher is saved to while it is held.
inline constexpr char SchoolDownload[] = "/var/lib/tuvora/network/school.xml";
inline constexpr char ParentDownload[] = "/var/lib/tuvora/network/parent.xml";
inline constexpr char SchoolStamp[] = "/var/lib/tuvora/network/schoolpv";
inline constexpr char ParentStamp[] = "/var/lib/tuvora/network/parentpv";
inline constexpr char HeldPolicy[] = "/var/lib/tuvora/network/held.xml";
// One lock per desktop session with a tray, so that a session runs one tray only.
inline constexpr char TrayLockDir[] = "/var/lib/tuvora/tray";

// Installed with the suite.
inline constexpr char LangDir[] = "/usr/share/tuvora/lang";
inline constexpr char HelpDir[] = "/usr/share/doc/tuvora";
inline constexpr char GateScript[] = "/usr/bin/blocking.sh";
inline constexpr char FileWatcher[] = "/usr/bin/iwatch.sh";
inline constexpr char LogAnalyser[] = "/usr/local/bin/yasla";
inline constexpr char LauncherLibraryDir[] = "/opt/kde3/lib";

// The suite's own programs.
inline constexpr char AdminProgram[] = "/usr/bin/tuvora";
inline constexpr char TrayProgram[] = "/usr/bin/tuvoratray";
inline constexpr char GateProgram[] = "/usr/bin/appstop";
inline constexpr char ActivatorProgram[] = "/usr/bin/enactpolicy";

// The policy server's published lists.
inline constexpr char PublishedListsDir[] = "/opt/tuvorass/lists";

// The proxy and the content filter.
inline constexpr char SquidDir[] = "/etc/squid";
inline constexpr char SquidConf[] = "/etc/squid/squid.conf";
inline constexpr char SquidWhiteList[] = "/etc/squid/whitelist";
inline constexpr char SquidAccessLog[] = "/var/log/squid/access.log";
inline constexpr char FilterDir[] = "/etc/dansguardian";
inline constexpr char FilterGroupConf[] = "/etc/dansguardian/dansguardianf1.conf";
inline constexpr char SiteList[] = "/etc/dansguardian/sitelist";
inline constexpr char SiteVariants[] = "/etc/dansguardian/sitevariants";
inline constexpr char EmptyList[] = "/etc/dansguardian/emptylist";
inline constexpr char PhraseList[] = "/etc/dansguardian/weightedphraselist";
inline constexpr char PhraseVariants[] = "/etc/dansguardian/weightedphrasevariants";

// Init scripts and the system's own files.
inline constexpr char CronInit[] = "/etc/init.d/cron";
inline constexpr char SquidInit[] = "/etc/init.d/squid";
inline constexpr char FilterInit[] = "/etc/init.d/dansguardian";
inline constexpr char ResolvConf[] = "/etc/resolv.conf";
inline constexpr char Iptables[] = "/sbin/iptables";
inline constexpr char Ip6tables[] = "/sbin/ip6tables";
inline constexpr char IptablesRestore[] = "/sbin/iptables-restore";
inline constexpr char Ip6tablesRestore[] = "/sbin/ip6tables-restore";
inline constexpr char RouteTable[] = "/proc/net/route";
inline constexpr char SquidProgram[] = "/usr/sbin/squid";

// The system's own programs and search lists that the suite names by path. They are
// no places the suite makes or writes, so they are written as pointers: the scripts'
// and the build's list of places (the "char NAME[]" lines above) leaves them out.
inline constexpr const char *Shell = "/bin/sh";
inline constexpr const char *Touch = "/usr/bin/touch";
// The programs every command of the suite is looked for in, in order: cron's search
// path lacks the sbin folders and /usr/local.
inline constexpr const char *SearchPath = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin";
// The tools the administrator gains root rights with.
inline constexpr const char *PrivilegeTools[]
    = { "/usr/bin/sudo", "/usr/bin/kdesu", "/usr/bin/gksu", "/usr/bin/gksudo" };
// The data folders of the desktop standard when the session names none: where the
// menu exporter looks for desktop entries.
inline constexpr const char *DefaultDataDirs = "/usr/local/share:/usr/share";

// A place as a QString, for the file and string APIs.
inline QString path(const char *place)
{
    return QString::fromLatin1(place);
}

} // namespace Paths
