#include "configfixture.h"
#include "paths.h"
#include "policyconfig.h"
#include "preconfiguration.h"
#include "prelog.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTranslator>

// Shows the tray's settings dialog and log viewer, every page, in English and in
// Brazilian Portuguese, over sample logs and snapshots, and saves a picture of each.
// Runs inside the sandbox, where it writes the configuration and the logs:
//   scripts/sandbox xvfb-run -a build/tests/tuvoratray/traywindowshots OUTPUT_DIR
namespace {

QString outputDir;

void save(QWidget &window, const QString &name)
{
    window.show();
    QApplication::processEvents();
    window.grab().save(outputDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void writeSampleSnapshot(int number, const QColor &sky)
{
    QImage image(1280, 800, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), sky);
    painter.fillRect(QRect(0, 760, 1280, 40), QColor(40, 40, 48));
    painter.fillRect(QRect(160, 120, 700, 460), Qt::white);
    painter.fillRect(QRect(160, 120, 700, 32), QColor(31, 95, 168));
    QFont font = painter.font();
    font.setPixelSize(36);
    painter.setFont(font);
    painter.drawText(QRect(160, 160, 700, 400), Qt::AlignCenter, QStringLiteral("Snapshot %1").arg(number));
    painter.end();
    image.save(QStringLiteral("%1/policyshot_%2.png")
                   .arg(Paths::path(Paths::SnapshotDir))
                   .arg(number, 10, 10, QLatin1Char('0')));
}

void writeSampleLogs()
{
    writeFileBytes(
        Paths::path(Paths::ConfigFile), configWith(QString(), logElement(10, 50, true, 5, true, 10, false, 5, true)));
    writeFileBytes(Paths::path(Paths::ApplicationsLog),
        "/usr/games/supertux2^2024-05-02 14:03:11\n/usr/bin/firefox^2024-05-02 15:20:40\n"
        "/usr/games/frozen-bubble^2024-05-03 09:12:05\n");
    writeFileBytes(Paths::path(Paths::FilesLog),
        "IN_CREATE^/home/ana/Documentos/redação.odt^2024-05-02 14:05:00\n"
        "IN_CLOSE_WRITE^/home/ana/Documentos/redação.odt^2024-05-02 14:20:13\n"
        "IN_CLOSE_NOWRITE^/home/ana/Imagens/férias.jpg^2024-05-02 16:41:52\n"
        "IN_DELETE^/home/ana/Downloads/jogo.sh^2024-05-03 08:01:27\n"
        "IN_OPEN^/home/ana/.bashrc^2024-05-03 08:01:30\n");
    writeFileBytes(Paths::path(Paths::InternetLog),
        "48:www.wikipedia.org|31:www.example.org|12:news.example.net|3:games.example.com|\n");
    QDir(Paths::path(Paths::SnapshotDir)).removeRecursively();
    QDir().mkpath(Paths::path(Paths::SnapshotDir));
    writeSampleSnapshot(1, QColor(92, 140, 190));
    writeSampleSnapshot(2, QColor(120, 170, 110));
}

void showSettings(const QString &tag)
{
    {
        preConfiguration dialog;
        save(dialog, QStringLiteral("settings_general_") + tag);
        dialog.lstOptions->setCurrentItem(dialog.lstOptions->topLevelItem(1));
        save(dialog, QStringLiteral("settings_log_") + tag);
    }
    {
        preConfiguration dialog(nullptr, true);
        save(dialog, QStringLiteral("settings_unlocked_") + tag);
    }
    const QByteArray config = readFileBytes(Paths::path(Paths::ConfigFile));
    writeFileBytes(Paths::path(Paths::ConfigFile),
        configWith(QString(), logElement(10, 50, true, 5, true, 10, false, 5, true), 2));
    {
        preConfiguration dialog;
        save(dialog, QStringLiteral("settings_publishing_") + tag);
    }
    writeFileBytes(Paths::path(Paths::ConfigFile), config);
}

void showLog(const QString &tag)
{
    preLog window;
    save(window, QStringLiteral("log_snapshots_") + tag);
    window.lstOptions->setCurrentItem(window.lstOptions->topLevelItem(1));
    const char *tabs[] = { "log_applications_", "log_files_", "log_internet_" };
    for (int tab = 0; tab < 3; ++tab) {
        window.tabWidget4->setCurrentIndex(tab);
        save(window, QString::fromLatin1(tabs[tab]) + tag);
    }
}

} // namespace

int main(int argc, char **argv)
{
    requireSandbox();
    QApplication app(argc, argv);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outputDir);
    writeSampleLogs();

    for (const QString &tag : { QStringLiteral("en_US"), QStringLiteral("pt_BR") }) {
        QTranslator tray;
        QTranslator shared;
        if (tag == QLatin1String("pt_BR") && tray.load(QStringLiteral(QM_DIR "/tuvoratray_pt_BR.qm"))
            && shared.load(QStringLiteral(QM_DIR "/desktopui_pt_BR.qm"))) {
            QCoreApplication::installTranslator(&tray);
            QCoreApplication::installTranslator(&shared);
        }
        showSettings(tag);
        showLog(tag);
        QCoreApplication::removeTranslator(&tray);
        QCoreApplication::removeTranslator(&shared);
    }
    return 0;
}
