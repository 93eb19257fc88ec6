#pragma once

#include <QByteArray>
#include <QStringList>

// "games.example." names the same site as "games.example", and some clients (browsers,
// Python) send the trailing dot in the TLS server name, which the filter compares with
// its site list as it stands. The variant of a banned site is its other form: with
// the dot when it was entered without one, and without it otherwise. Entries that are
// not plain host names (a path, a port, a control character) have none.
QStringList siteVariants(const QStringList &sites);

// The list the filter reads beside the site list: the variants, one per line.
QByteArray siteVariantLines(const QStringList &sites);
