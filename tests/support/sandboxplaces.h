#pragma once

// The test sandbox's own places (scripts/sandbox makes them), beside the suite's fixed
// places of engine/paths.h.
namespace SandboxPlaces {

// What the sandbox's stand-ins of the init scripts and of the firewall tools record,
// one call per line.
inline constexpr char InitLog[] = "/var/log/tuvora-sandbox/init.log";
inline constexpr char FirewallLog[] = "/var/log/tuvora-sandbox/firewall.log";

// Root's cron table as cron keeps it; the sandbox starts with none.
inline constexpr char RootCronTable[] = "/var/spool/cron/crontabs/root";

// A folder of root's alone for the programs the tests block: blocking refuses programs
// in folders that others can change, such as /tmp.
inline constexpr char ProgramRoot[] = "/opt/tuvora-test";

} // namespace SandboxPlaces
