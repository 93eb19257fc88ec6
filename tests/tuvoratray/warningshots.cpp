#include "policywarnings.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

// Shows the tray's two warnings in English and in Brazilian Portuguese, as the tray
// does, and saves a picture of each; a timer ticks meanwhile, as the tray's do.
//   xvfb-run -a build/tests/tuvoratray/warningshots OUTPUT_DIR
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(output);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);

    for (const QString &tag : { QStringLiteral("en_US"), QStringLiteral("pt_BR") }) {
        QTranslator translator;
        if (tag == QLatin1String("pt_BR") && translator.load(QStringLiteral(QM_DIR "/tuvoratray_pt_BR.qm")))
            QCoreApplication::installTranslator(&translator);
        int shot = 0;
        // Both markers of one tick: two boxes, open together.
        QTemporaryDir markers;
        const QString app = markers.filePath(QStringLiteral("app")), internet = markers.filePath(QStringLiteral("int"));
        QFile(app).open(QIODevice::WriteOnly);
        QFile(internet).open(QIODevice::WriteOnly);
        const QStringList texts = takeDueWarnings(app, internet);
        QList<QMessageBox *> boxes;
        for (const QString &text : texts)
            boxes << showPolicyWarning(text);
        const int before = ticks;
        QEventLoop wait;
        QTimer::singleShot(500, &wait, &QEventLoop::quit);
        wait.exec();
        for (QMessageBox *box : boxes) {
            box->grab().save(QStringLiteral("%1/warning%2_%3.png").arg(output).arg(++shot).arg(tag));
            delete box;
        }
        qInfo("%s: the timer ticked %d times while the warnings were open", qPrintable(tag), ticks - before);
        QCoreApplication::removeTranslator(&translator);
    }
    return 0;
}
