// Times Activate and Deactivate in the policy list window on a black-list policy of
// 100,000 domains, every hour restricted, with the control mode on: the internet
// back-end writes the filter's lists, the cron table is installed, and the init
// scripts are the sandbox's stubs. Prints each run and the median.
//
// Writes /etc and root's cron table: runs only inside scripts/sandbox.
//
//   QT_QPA_PLATFORM=offscreen bench_tuvoraactivate [RUNS]

#include "median.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "prepolicyselection.h"
#include "sandboxcheck.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    requireSandbox();
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    QFile config(PolicyConfig::filePath());
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    config.write("<TuvoraConfig><Status>1</Status><Type>0</Type><NextPolicy>2</NextPolicy></TuvoraConfig>\n");
    config.close();
    QDir lists(Paths::path(Paths::PolicyDir));
    for (const QString &name : lists.entryList(QDir::Files))
        lists.remove(name);
    Policy policy(1);
    policy.name = QStringLiteral("large");
    for (int i = 0; i < 100000; ++i)
        policy.internet.urls.append(QStringLiteral("site%1.example.org").arg(i, 6, 10, QLatin1Char('0')));
    policy.save();

    prePolicySelection window(&app);
    window.show();
    window.lstPolicies->topLevelItem(0)->setSelected(true);
    std::vector<qint64> on, off;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        window.btnApply->click();
        on.push_back(timer.restart());
        window.btnApply->click();
        off.push_back(timer.elapsed());
        std::printf("run %d: activate %lld ms, deactivate %lld ms\n", run + 1, static_cast<long long>(on.back()),
            static_cast<long long>(off.back()));
    }
    std::printf("median of %d runs: activate %lld ms, deactivate %lld ms\n", runs, static_cast<long long>(median(on)),
        static_cast<long long>(median(off)));
    return 0;
}
