#include "configfixture.h"

#include "helpbrowser.h"
#include "helpdlg.h"
#include "paths.h"
#include "testfiles.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

QByteArray configWith(const QString &password, const QByteArray &logElement, int machineMode)
{
    return "<TuvoraConfig>\n    <ServerIP>10.0.0.1</ServerIP>\n    <Interval>5</Interval>\n    <MaxShots>9</MaxShots>\n"
           "    <Password>"
        + password.toUtf8() + "</Password>\n    <Type>" + QByteArray::number(machineMode) + "</Type>\n" + logElement
        + "</TuvoraConfig>\n";
}

QByteArray logElement(int shotInterval, int maxShots, bool screen, int applicationSize, bool application,
    int internetSize, bool internet, int fileSize, bool file)
{
    auto n = [](int value) { return QByteArray::number(value); };
    auto group = [&](const char *name, int size, bool on) {
        return QByteArray("        <") + name + "><LogSize>" + n(size) + "</LogSize><logEnabled>" + n(on)
            + "</logEnabled></" + name + ">\n";
    };
    return "    <Log>\n        <SnapshotsLog><ShotInterval>" + n(shotInterval) + "</ShotInterval><MaxAllowedShots>"
        + n(maxShots) + "</MaxAllowedShots><logEnabled>" + n(screen) + "</logEnabled></SnapshotsLog>\n"
        + group("ApplicationsLog", applicationSize, application) + group("InternetLog", internetSize, internet)
        + group("FilesLog", fileSize, file) + "    </Log>\n";
}

void installLogAnalyser()
{
    const QString target = Paths::path(Paths::LogAnalyser);
    QFile::remove(target);
    QFile::copy(QStringLiteral(SOURCE_DIR "/system/bin/yasla"), target);
    QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(QFileInfo(Paths::path(Paths::SquidAccessLog)).path());
}

QString helpPageOpenedBy(const std::function<void()> &action)
{
    QString page;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *viewer = dialog ? dialog->findChild<HelpDlg *>() : nullptr;
        if (!viewer)
            return;
        page = QFileInfo(viewer->browser()->source().toLocalFile()).fileName();
        dialog->reject();
    });
    driver.start(5);
    action();
    return page;
}
