#pragma once

class Policy;

// The internet back-end. Rebuilds the site, phrase and squid domain lists from nothing
// and, while the control mode is 1, switches squid and dansguardian between three
// states: black list (the policy's urls are banned), white list (only urlsWhite and
// their subdomains are reachable) and open. The policy's rules take effect when it is
// not active yet (the toggle is switching it on) and restrictNow says the current hour
// is restricted; every other call leaves the filter open.
//
// List entries are written to the files as data, never through the shell. An entry
// that holds a control character (a newline would split it into two list lines), or a
// phrase that holds an angle bracket (the phrase list's own delimiters), is left out
// with a diagnostic line.
void applyInternetRules(const Policy &policy, bool restrictNow);

namespace InternetFilter {
inline const char *emptyList() { return "/etc/dansguardian/emptylist"; }
inline const char *siteList() { return "/etc/dansguardian/sitelist"; }
inline const char *phraseList() { return "/etc/dansguardian/weightedphraselist"; }
inline const char *filterSettings() { return "/etc/dansguardian/dansguardianf1.conf"; }
inline const char *squidWhiteList() { return "/etc/squid/whitelist"; }
inline const char *squidSettings() { return "/etc/squid/squid.conf"; }
} // namespace InternetFilter
