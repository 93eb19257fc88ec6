// The policy editor with a school's worth of data: opening it on a menu of 1,000
// applications, opening a policy of 100,000 domains, adding one domain to that list,
// OK on that policy, and "Import list..." of a 100,000-line file. Prints the median of
// each over a few runs. Runs inside the sandbox (it writes /etc/tuvora/menu.xml).
//
//   bench/tuvora/run.sh BUILD_DIR [RUNS]

#include "median.h"
#include "importfiledialog.h"
#include "listimport.h"
#include "messagebox.h"
#include "paths.h"
#include "policy.h"
#include "policynamecheck.h"
#include "policystore.h"
#include "prepolicyedit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

class NoNames : public PolicyNameCheck
{
public:
    bool isPolicyNameFree(const QString &) const override { return true; }
};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// 50 folders of 20 applications, each with its own program and icon name, which the
// look-up and the icon theme mostly do not find: the slowest case for both.
QByteArray largeMenu()
{
    QByteArray xml = "<Menu><Itens>\n";
    for (int folder = 0; folder < 50; ++folder) {
        xml += "<Entry Type=\"ServiceGroup\"><Name>Folder " + QByteArray::number(folder)
            + "</Name><Icon>applications-other</Icon><Itens>\n";
        for (int i = 0; i < 20; ++i) {
            const QByteArray n = QByteArray::number(folder * 20 + i);
            xml += "<Entry Type=\"Service\"><Name>Application " + n + "</Name><Description>Number " + n
                + "</Description><Icon>app-icon-" + n + "</Icon><Exec>program-" + n + " %u</Exec><DesktopFile>"
                + "/usr/share/applications/app" + n + ".desktop</DesktopFile></Entry>\n";
        }
        xml += "</Itens></Entry>\n";
    }
    return xml + "</Itens></Menu>\n";
}

QString domain(int i)
{
    return QStringLiteral("blocked-site-%1.example.org").arg(i, 6, 10, QLatin1Char('0'));
}

// Stored order is not sorted order: the numbers are shuffled by a fixed step.
Policy largePolicy(bool sorted)
{
    Policy policy(900);
    policy.name = QStringLiteral("District filter");
    policy.description = QStringLiteral("Everything the district blocks");
    for (int i = 0; i < 100000; ++i)
        policy.internet.urls.append(domain(sorted ? i : (i * 7919) % 100000));
    return policy;
}

QByteArray importFile()
{
    QByteArray text = "# a published block list\n";
    for (int i = 0; i < 100000; ++i)
        text += (i % 2 ? "0.0.0.0 " : "") + QByteArray("import-") + QByteArray::number(i) + ".example.net\n";
    return text;
}

void report(const char *what, const std::vector<double> &times, double target = 0)
{
    std::printf("%-58s median %8.1f ms (min %.1f, max %.1f)%s\n", what, median(times),
        *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
        target > 0 ? qPrintable(QStringLiteral("  target %1 ms").arg(target)) : "");
}

// The editor as the administrator sees it: shown, laid out and painted, on the page
// with the domain lists when asked.
std::unique_ptr<prePolicyEdit> shownEditor(Policy &policy, const PolicyNameCheck &names, bool onLists = false)
{
    auto editor = std::make_unique<prePolicyEdit>(policy, &names);
    editor->show();
    if (onLists)
        editor->lstOptions->setCurrentItem(editor->lstOptions->topLevelItem(1));
    QApplication::processEvents();
    return editor;
}

// Times the work over the runs, until the window has caught up with it; prepare runs
// untimed before each.
std::vector<double> measure(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        QApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariable("TUVORA_SANDBOX") != QLatin1String("inside")) {
        std::fprintf(stderr, "run inside scripts/sandbox (bench/tuvora/run.sh)\n");
        return 2;
    }
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    NoNames names;
    QDir().mkpath(Paths::path(Paths::PolicyDir));
    writeFile(Paths::path(Paths::ConfigFile), "<TuvoraConfig><Status>0</Status><Type>0</Type></TuvoraConfig>\n");

    writeFile(Paths::path(Paths::MenuFile), largeMenu());
    Policy small(901);
    report("open with a 1,000-application menu", measure(runs, [&] { shownEditor(small, names); }), 1000);

    writeFile(Paths::path(Paths::MenuFile), "<Menu><Itens/></Menu>\n");
    Policy unsorted = largePolicy(false);
    Policy sorted = largePolicy(true);
    report("open a policy of 100,000 domains", measure(runs, [&] { shownEditor(unsorted, names); }), 1000);

    for (Policy *policy : { &unsorted, &sorted }) {
        std::unique_ptr<prePolicyEdit> editor;
        int n = 0;
        const auto times = measure(
            runs,
            [&] {
                editor->txtUrl->setText(QStringLiteral("added-%1.example.com").arg(n++));
                editor->onInsertUrlClicked();
            },
            [&] { editor = shownEditor(*policy, names, true); });
        report(policy == &sorted ? "add one domain to 100,000 (list sorted)"
                                 : "add one domain to 100,000 (list in stored order)",
            times, 50);
    }
    {
        const auto editor = shownEditor(unsorted, names, true);
        editor->txtUrl->setText(QStringLiteral("one-more.example.com"));
        editor->onInsertUrlClicked();
        const auto more = measure(runs, [&] {
            editor->txtUrl->setText(QStringLiteral("and-one-more-%1.example.com").arg(editor->lstUrls->count()));
            editor->onInsertUrlClicked();
        });
        report("add one more domain after the first sort", more, 50);
    }

    {
        std::unique_ptr<prePolicyEdit> editor;
        const auto times = measure(
            runs, [&] { editor->onSaveClicked(); }, [&] { editor = shownEditor(unsorted, names); });
        report("OK on the policy of 100,000 domains", times, 1000);
        QFile::remove(unsorted.filePath);
    }

    const QString list = QStringLiteral("/tmp/blocklist.txt");
    const QByteArray content = importFile();
    writeFile(list, content);
    report("parse a 100,000-line block list", measure(runs, [&] { importDomains(content, {}); }));
    for (Policy *policy : { &small, &sorted }) {
        std::unique_ptr<prePolicyEdit> editor;
        const auto times = measure(
            runs,
            [&] {
                ImportFileDialog::setNextFileName(list);
                MessageBox::setNextAnswer(0);
                editor->onImportUrlClicked();
            },
            [&] { editor = shownEditor(*policy, names, true); });
        report(policy == &small ? "Import list... of 100,000 lines into an empty list"
                                : "Import list... of 100,000 lines into 100,000 domains",
            times);
    }
    return 0;
}
