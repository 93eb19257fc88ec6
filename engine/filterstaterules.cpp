#include "filterstaterules.h"

#include "commandrunner.h"
#include "paths.h"

namespace {

struct Family
{
    const char *tool;
    const char *restoreTool;
    const char *chain;
    QStringList privateAddresses;
};

const Family Ipv4 = { Paths::Iptables, Paths::IptablesRestore, FilterStateRules::Chain,
    { QStringLiteral("127.0.0.0/8"), QStringLiteral("10.0.0.0/8"), QStringLiteral("172.16.0.0/12"),
        QStringLiteral("192.168.0.0/16"), QStringLiteral("169.254.0.0/16") } };
const Family Ipv6 = { Paths::Ip6tables, Paths::Ip6tablesRestore, FilterStateRules::Chain6,
    { QStringLiteral("::1/128"), QStringLiteral("fc00::/7"), QStringLiteral("fe80::/10") } };

// The chain's rules, exempting the proxy and the private addresses first.
QStringList chainRules(const Family &family, const QStringList &refusals)
{
    const QString chain = QLatin1String(family.chain);
    QStringList rules = { QStringLiteral("*filter"), QStringLiteral(":%1 - [0:0]").arg(chain),
        QStringLiteral("-A %1 -m owner --uid-owner proxy -j RETURN").arg(chain) };
    for (const QString &address : family.privateAddresses)
        rules << QStringLiteral("-A %1 -d %2 -j RETURN").arg(chain, address);
    for (const QString &refusal : refusals)
        rules << QStringLiteral("-A %1 %2").arg(chain, refusal);
    rules << QStringLiteral("COMMIT");
    return rules;
}

// The restore tool declares the chain (creating it, or emptying one that exists) and
// fills it in one transaction, so a switch never leaves it half written. OUTPUT jumps
// to it once. Like every command of the back-end its failure is not reported (where
// there is no firewall, cron would mail the complaint every hour).
void imposeChain(const Family &family, const QStringList &rules)
{
    QString commandLine = QStringLiteral("printf '%s\\n'");
    for (const QString &line : rules)
        commandLine += QLatin1Char(' ') + shellQuote(line);
    commandLine += QStringLiteral(" | %1 --noflush 2>/dev/null").arg(QLatin1String(family.restoreTool));
    runCommand(commandLine);
    runCommand(fillCommand(QStringLiteral("%1 -C OUTPUT -j %2 2>/dev/null || %1 -I OUTPUT -j %2"),
        { QLatin1String(family.tool), QLatin1String(family.chain) }));
}

// An empty chain refuses nothing; one that was never made stays absent.
void liftChain(const Family &family)
{
    runCommand(fillCommand(
        QStringLiteral("%1 -F %2 2>/dev/null"), { QLatin1String(family.tool), QLatin1String(family.chain) }));
}

void switchBareAddressRefusal(bool on)
{
    const QString sed = on
        ? QStringLiteral(R"(sed -i "s/^#http_access deny bare_address/http_access deny bare_address/g" )")
        : QStringLiteral(R"(sed -i "s/^http_access deny bare_address/#http_access deny bare_address/g" )");
    runCommand(sed + Paths::path(Paths::SquidConf));
}

} // namespace

void applyFilterStateRules(FilterState state)
{
    switchBareAddressRefusal(state != FilterState::Open);

    const QString quic = QStringLiteral("-p udp -m udp --dport 443 -j REJECT");
    const QString otherPorts
        = QStringLiteral("-p tcp -m tcp --syn -m multiport ! --dports 53,80,443 -j REJECT --reject-with tcp-reset");
    const QString allButDns = QStringLiteral("-p tcp -m tcp --syn ! --dport 53 -j REJECT --reject-with tcp-reset");
    switch (state) {
    case FilterState::Open:
        liftChain(Ipv4);
        liftChain(Ipv6);
        break;
    case FilterState::BlackList:
        imposeChain(Ipv4, chainRules(Ipv4, { quic }));
        liftChain(Ipv6);
        break;
    case FilterState::WhiteList:
        imposeChain(Ipv4, chainRules(Ipv4, { otherPorts, quic }));
        // Web traffic over IPv6 is refused by the installed rules (firewall6.conf) already.
        imposeChain(Ipv6, chainRules(Ipv6, { allButDns }));
        break;
    }
}
