#include "gate.h"
#include "helpdlg.h"
#include "helpopener.h"
#include "paths.h"
#include "passwordcheck.h"
#include "policyconfig.h"
#include "preabout.h"
#include "prepasswordbase.h"
#include "sandboxcheck.h"
#include "translationchoice.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <functional>

// Shows every shared dialog, in English and in Brazilian Portuguese, through the same
// functions the programs call, and saves a picture of each as it appears on screen.
// Runs inside the sandbox, where it installs the help and the catalogues.
namespace {

QString outputDir;

// Grabs the next modal window once it is shown, then closes it.
void grabNextModal(const QString &name, const std::function<void(QWidget *)> &prepare = {})
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        if (prepare)
            prepare(modal);
        QTimer::singleShot(300, modal, [=] {
            modal->grab().save(outputDir + QLatin1Char('/') + name + QStringLiteral(".png"));
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->done(0);
            else
                modal->close();
            timer->deleteLater();
        });
    });
    timer->start(20);
}

void install(const QString &from, const QString &to)
{
    QProcess::execute(QStringLiteral("cp"), { QStringLiteral("-r"), from, to });
}

} // namespace

int main(int argc, char **argv)
{
    requireSandbox();
    QApplication app(argc, argv);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outputDir);

    const QString helpDir = Paths::path(Paths::HelpDir) + QLatin1Char('/');
    QDir().mkpath(helpDir);
    QDir().mkpath(translationDirectory());
    install(QStringLiteral(SOURCE_DIR "/data/help/en_US"), helpDir);
    install(QStringLiteral(SOURCE_DIR "/data/help/pt_BR"), helpDir);
    for (const char *catalogue : { "desktopui", "appstop", "tuvora", "tuvoratray" })
        install(QStringLiteral(QM_DIR "/%1_pt_BR.qm").arg(QString::fromLatin1(catalogue)),
            translationDirectory() + QLatin1Char('/'));

    for (const QString &language : { QStringLiteral("en_US.UTF-8"), QStringLiteral("pt_BR.UTF-8") }) {
        const QString tag = language.left(5);
        writeLanguage(language);
        auto translations = installTranslations(QStringLiteral("tuvora_"), language);

        {
            prePasswordBase form;
            writePassword(QStringLiteral("secret"));
            grabNextModal(QStringLiteral("password_") + tag, [](QWidget *modal) {
                static_cast<prePasswordBase *>(modal)->txtPassword->setText(QStringLiteral("secret"));
            });
            passwordStartupGate(form);
        }
        grabNextModal(QStringLiteral("invalidpassword_") + tag);
        showInvalidPasswordMessage();
        {
            preAbout about;
            grabNextModal(QStringLiteral("about_") + tag);
            about.exec();
        }
        {
            grabNextModal(QStringLiteral("help_") + tag, [](QWidget *modal) {
                // Open every folder as a person would, one click each.
                if (auto *viewer = modal->findChild<HelpDlg *>()) {
                    for (QTreeWidgetItemIterator it(viewer->topicTree()); *it; ++it) {
                        if ((*it)->childCount() > 0)
                            (*it)->setExpanded(true);
                    }
                }
            });
            QWidget caller;
            openHelpPage(&caller, QStringLiteral("PolicySelection.html"));
        }
        translations.reset();
        // The gate loads its own catalogue by the configured language.
        grabNextModal(QStringLiteral("appstop_") + tag);
        runGate(QStringLiteral("sh"), configuredLanguage());
    }
    return 0;
}
