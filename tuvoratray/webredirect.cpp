#include "webredirect.h"

#include "commandrunner.h"
#include "paths.h"
#include "privileges.h"

void restoreWebRedirect()
{
    asRoot([] {
        runCommand(fillCommand(QStringLiteral("iptables-restore < %1"), { Paths::path(Paths::FirewallRules) }));
    });
}

void removeWebRedirect()
{
    asRoot([] {
        runCommand(
            QStringLiteral("iptables -t nat -D OUTPUT -p tcp -m tcp --dport 80 -m owner --uid-owner proxy -j ACCEPT"));
        runCommand(QStringLiteral("iptables -t nat -D OUTPUT -p tcp -m tcp --dport 80 -j REDIRECT --to-ports 8080"));
    });
}
