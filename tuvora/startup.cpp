#include "startup.h"

#include "contextfitler.h"
#include "dialogflags.h"
#include "passwordcheck.h"
#include "paths.h"
#include "policyconfig.h"
#include "prepasswordbase.h"
#include "privileges.h"
#include "setuidstart.h"
#include "translationchoice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

void readTuvoraCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Displays this help."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addOption(
        QCommandLineOption(QStringLiteral("lang"), QStringLiteral("Language"), QStringLiteral("language code")));
    // Unknown options are the toolkit's own: accepted, and never given to it.
    parser.parse(arguments);
    if (parser.isSet(help)) {
        // There is no application object yet to name the program.
        QString text = parser.helpText();
        text.replace(QLatin1String("<executable_name>"), QCoreApplication::applicationName());
        std::fputs(text.toLocal8Bit().constData(), stdout);
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

QString tuvoraCatalogueFile(const QString &language)
{
    const QString prefix = QStringLiteral("tuvora_");
    QString code = installedCatalogueCode(language, prefix);
    if (code.isEmpty())
        code = QStringLiteral("en_US");
    return Paths::path(Paths::LangDir) + QLatin1Char('/') + prefix + code + QStringLiteral(".qm");
}

std::unique_ptr<QObject> installTuvoraTranslation()
{
    return installTranslations(QStringLiteral("tuvora_"), configuredLanguage());
}

void makeMarkerDirectory()
{
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        return;
    const QDir dir(home);
    if (!dir.exists(QStringLiteral(".lectora")))
        dir.mkdir(QStringLiteral(".lectora"));
}

bool passAdministratorGate()
{
    prePasswordBase form(nullptr, "prePasswordBase", true, plainDialogFlags());
    contextFitler filter;
    form.txtPassword->installEventFilter(&filter);
    return passwordStartupGate(form);
}

void exportApplicationMenu(int timeoutMs)
{
    // Found on the system's own search path, whatever the caller's environment said.
    const QString program = QStandardPaths::findExecutable(
        QStringLiteral("launcherlist"), QString::fromLatin1(SetuidStart::searchPath).split(QLatin1Char(':')));
    QProcess exporter;
    exporter.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!program.isEmpty())
        exporter.start(program, { QStringLiteral("-d"), Paths::path(Paths::ConfigDir) });
    if (program.isEmpty() || !exporter.waitForStarted()) {
        qDebug("Failed to update applications list");
        return;
    }
    // Woken by the exporter's end, not by polling; the exit status is not examined.
    if (!exporter.waitForFinished(timeoutMs)) {
        exporter.kill();
        exporter.waitForFinished();
        qDebug("Failed to update applications list");
    }
}

void removeStaleLockFile()
{
    const QString lockFile = Paths::path(Paths::AdminLockFile);
    asRoot([&] {
        if (QFile::exists(lockFile))
            QFile::remove(lockFile);
    });
}
