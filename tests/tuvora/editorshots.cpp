// Shows every page of the policy editor, in English and in Brazilian Portuguese, and
// saves a picture of each as it appears on screen, with the import report box.
//   scripts/sandbox xvfb-run -a build/tests/tuvora/editorshots OUTPUT_DIR

#include "editorfixture.h"
#include "importfiledialog.h"
#include "policy.h"
#include "prepolicyedit.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidgetItemIterator>

namespace {

QString outputDir;

void save(QWidget *widget, const QString &name)
{
    widget->grab().save(outputDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

Policy samplePolicy()
{
    Policy policy(1);
    policy.filePath = QStringLiteral("/tmp/policy_1.xml");
    policy.name = QStringLiteral("School hours");
    policy.description = QStringLiteral("No games or social networks in class");
    policy.type = Policy::ServerDefinedLocal;
    policy.internet.urls = { QStringLiteral("free-games.example"), QStringLiteral("social.example"),
        QStringLiteral("xn--bcher-kva.example") };
    policy.internet.urlsWhite = { QStringLiteral("my-school.org") };
    policy.internet.content = { QStringLiteral("poker"), QStringLiteral("online casino") };
    policy.internetGrid.fill(0);
    for (int day = 1; day <= 5; ++day) {
        for (int hour = 8; hour < 17; ++hour)
            policy.internetGrid[WeekGrid::cellIndex(day, hour)] = 1;
    }
    BlockedApplication mines;
    mines.name = QStringLiteral("Mines");
    mines.exec = QStringLiteral("mines");
    mines.desktopFile = QStringLiteral("/usr/share/applications/mines.desktop");
    policy.applications.insert(mines.desktopFile, mines);
    return policy;
}

void showPages(const QString &tag)
{
    Policy policy = samplePolicy();
    ListedNames names;
    prePolicyEdit editor(policy, &names);
    editor.show();
    for (QTreeWidgetItemIterator it(editor.lstApplications); *it; ++it)
        (*it)->setExpanded(true);
    const QStringList pages { QStringLiteral("settings"), QStringLiteral("internet"), QStringLiteral("applications"),
        QStringLiteral("internetschedule"), QStringLiteral("applicationschedule") };
    for (int page = 0; page < pages.size(); ++page) {
        editor.lstOptions->setCurrentItem(editor.lstOptions->topLevelItem(page));
        QApplication::processEvents();
        save(&editor, QStringLiteral("editor_%1_%2").arg(pages.at(page), tag));
    }
    editor.lstOptions->setCurrentItem(editor.lstOptions->topLevelItem(1));
    editor.tabInternet->setCurrentWidget(editor.tabContent);
    QApplication::processEvents();
    save(&editor, QStringLiteral("editor_content_%1").arg(tag));

    // The import report, over the editor.
    const QString list = QStringLiteral("/tmp/blocklist.txt");
    writeFileBytes(list, "# a public list\n0.0.0.0 ads.example\nsocial.example\nnot a domain\nbad|name.example\n");
    ImportFileDialog::setNextFileName(list);
    editor.tabInternet->setCurrentWidget(editor.tabDomain);
    QTimer::singleShot(300, [tag] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        save(box, QStringLiteral("editor_importreport_%1").arg(tag));
        box->close();
    });
    editor.onImportUrlClicked();
}

} // namespace

int main(int argc, char **argv)
{
    requireSandbox();
    QApplication app(argc, argv);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outputDir);
    EditorFixture::writeMachineMode(1);
    EditorFixture::installSampleMenu();

    showPages(QStringLiteral("en_US"));
    QTranslator translator;
    if (!translator.load(QStringLiteral("tuvora_pt_BR"), QStringLiteral(QM_DIR)))
        return 1;
    QCoreApplication::installTranslator(&translator);
    showPages(QStringLiteral("pt_BR"));
    return 0;
}
