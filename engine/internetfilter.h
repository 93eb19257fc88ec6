#pragma once

class Policy;

// The internet back-end. Rebuilds the site, phrase and squid domain lists from nothing
// and, while the control mode is 1, switches squid and dansguardian between three
// states: black list (the policy's urls are banned), white list (only urlsWhite and
// their subdomains are reachable) and open. The policy's rules take effect when it is
// not active yet (the toggle is switching it on) and restrictNow says the current hour
// is restricted; every other call leaves the filter open, and squid open whatever the
// control mode, since its lists have just been emptied.
//
// Besides the lists, the filter's state switches the rules of filterstaterules.h (bare
// public addresses, other ports and IPv6 under a white list). Banned sites and words go
// into their lists as entered, and into variant lists the filter reads beside them in
// the other forms that name the same site (sitevariants.h) or that pages give the
// word (phrasevariants.h).
//
// List entries are written to the files as data, never through the shell. An entry
// that holds a control character (a newline would split it into two list lines), or a
// phrase that holds an angle bracket (the phrase list's own delimiters), is left out
// with a diagnostic line.
//
// Every list is replaced whole, never emptied first. When a step fails (a full disk, a
// failing sed), the files not reached yet keep their content, squid and the content
// filter are not reloaded, the failure is named on the diagnostic stream and the result
// is false. Holds the activation lock.
bool applyInternetRules(const Policy &policy, bool restrictNow);
