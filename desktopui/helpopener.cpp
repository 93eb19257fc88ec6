#include "helpopener.h"

#include "helpdlg.h"
#include "policyconfig.h"
#include "translationchoice.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>

QString helpLanguageCode(const QString &configuredLanguage)
{
    return narrowLanguage(
        configuredLanguage, [](const QString &code) { return QFileInfo(helpRootDirectory() + code).isDir(); });
}

QString helpBaseDirectory(const QString &code)
{
    return helpRootDirectory() + (code.isEmpty() ? QStringLiteral("en_US") : code) + QLatin1Char('/');
}

QString localizedHelpPage(const QString &baseDirectory, const QString &code, const QString &pageName)
{
    // The en_US directory that an empty code falls back to names its pages _en_US.
    const QString pageCode = code.isEmpty() ? QStringLiteral("en_US") : code;
    const qsizetype dot = pageName.indexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? pageName : pageName.left(dot);
    const QString ending = dot < 0 ? QString() : pageName.mid(dot + 1);
    const QString candidate = stem + QLatin1Char('_') + pageCode + QLatin1Char('.') + ending;
    if (QFileInfo::exists(baseDirectory + candidate))
        return candidate;
    const qsizetype first = candidate.indexOf(QLatin1Char('_'));
    const qsizetype second = candidate.indexOf(QLatin1Char('_'), first + 1);
    if (second < 0)
        return pageName;
    return candidate.left(second) + QStringLiteral(".html");
}

HelpDlg *createHelpViewer(const QString &pageName)
{
    const QString code = helpLanguageCode(readLanguage());
    const QString base = helpBaseDirectory(code);
    auto *viewer = new HelpDlg(base, base + QStringLiteral("TUHelp.xml"));
    viewer->setWindowTitle(QCoreApplication::translate("HelpDlg", "Tuvora"));
    viewer->showPage(localizedHelpPage(base, code, pageName));
    return viewer;
}

QDialog *createHelpDialog(QWidget *caller, HelpDlg *viewer)
{
    auto *dialog = new QDialog(caller);
    dialog->setObjectName(QStringLiteral("helpDialog"));
    viewer->setParent(dialog);
    // The viewer's caption names the window; the dialog has none of its own.
    dialog->setWindowTitle(viewer->windowTitle());
    auto *layout = new QGridLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewer, 0, 0);
    for (QWidget *widget : { static_cast<QWidget *>(viewer), static_cast<QWidget *>(dialog) }) {
        widget->setMinimumSize(795, 430);
        widget->setMaximumSize(32000, 32000);
        widget->setBaseSize(795, 480);
    }
    dialog->resize(795, 480);
    return dialog;
}

void openHelpPage(QWidget *caller, const QString &pageName)
{
    QDialog *dialog = createHelpDialog(caller, createHelpViewer(pageName));
    dialog->exec();
    delete dialog;
}
