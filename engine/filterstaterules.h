#pragma once

// What follows the internet filter's state besides its lists. The internet back-end
// switches these whenever it switches squid between black list, white list and open:
//
// - black list and white list (a policy's rules in force): squid refuses web addresses
//   written as a public IP address, whose site no list could name; the firewall refuses
//   QUIC (UDP port 443) to public addresses, which would pass around the filter;
// - white list, besides: outgoing TCP connections to public IPv4 addresses on any port
//   but 53 (DNS), 80 and 443 (which the redirect sends through the filter), and to
//   public IPv6 addresses on any port but 53, are refused: nothing outside the white
//   list is reachable;
// - open: all of it lifted.
//
// Squid's proxy user is never refused. Private, link-local and loopback addresses (the
// LAN, the router, the policy server, the filter itself) are never refused.
//
// The firewall rules live in chains of their own in the filter table, each replaced
// whole in one step; the host's other rules are left alone.
enum class FilterState { Open, BlackList, WhiteList };

void applyFilterStateRules(FilterState state);

namespace FilterStateRules {
inline constexpr char Chain[] = "tuvora-rules";
inline constexpr char Chain6[] = "tuvora-rules6";
} // namespace FilterStateRules
