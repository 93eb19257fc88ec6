#include "gate.h"
#include "messagebox.h"
#include "paths.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "testfiles.h"
#include "translationchoice.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QAbstractButton>
#include <QTest>
#include <QTimer>

namespace {

const QString langDir = Paths::path(Paths::LangDir) + QLatin1Char('/');
const QString builtCatalogue = QStringLiteral(QM_DIR "/appstop_pt_BR.qm");

QString expectedMessage(const QString &path)
{
    return QStringLiteral("You (or a program running on your computer) are trying to launch the following restricted "
                          "application:\n")
        + path + QStringLiteral("\nTo launch it, you must be on Free of Control mode.");
}

void installCatalogues(const QStringList &names)
{
    QDir(langDir).removeRecursively();
    QDir().mkpath(langDir);
    for (const QString &name : names)
        QVERIFY(QFile::copy(builtCatalogue, langDir + name));
}

bool contextMenuOpensIn(QLineEdit *edit)
{
    const QPoint inside = edit->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, edit->mapToGlobal(inside));
    QApplication::sendEvent(edit, &event);
    QWidget *popup = QApplication::activePopupWidget();
    if (!popup)
        return false;
    popup->close();
    return true;
}

} // namespace

class TestAppstopGate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        MessageBox::clearShown();
        installCatalogues({});
        writeLanguage(QStringLiteral("en_US"));
    }

    void messageNamesTheBlockedProgramByItsResolvedPath()
    {
        QDir().mkpath(QStringLiteral("/usr/local/bin"));
        QVERIFY(writeFileBytes(QStringLiteral("/usr/local/bin/tuvoraprobe"), "#!/bin/sh\n"));
        QFile::setPermissions(QStringLiteral("/usr/local/bin/tuvoraprobe"),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
        MessageBox::setNextAnswer(0);
        QCOMPARE(runGate(QStringLiteral("tuvoraprobe"), configuredLanguage()), 0);
        const auto shown = MessageBox::shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Warning);
        QCOMPARE(shown.first().caption, QStringLiteral("Tuvora - Alert"));
        QCOMPARE(shown.first().text, expectedMessage(QStringLiteral("/usr/local/bin/tuvoraprobe")));
        QCOMPARE(shown.first().buttons, QStringList { QStringLiteral("OK") });
        QCOMPARE(shown.first().defaultButton, 0);
        QVERIFY(!shown.first().hasParent);
    }

    void nameThatWhichCannotResolveIsShownUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("not on the search path") << QStringLiteral("no-such-program-here");
        QTest::newRow("shell syntax") << QStringLiteral("$(touch /tmp/pwned)");
        QTest::newRow("option-like") << QStringLiteral("--version");
        QTest::newRow("path that is no program") << Paths::path(Paths::ConfigDir);
    }

    void nameThatWhichCannotResolveIsShownUnchanged()
    {
        QFETCH(QString, name);
        MessageBox::setNextAnswer(0);
        QCOMPARE(runGate(name, configuredLanguage()), 0);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, expectedMessage(name));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
    }

    void languageComesFromTheConfigurationOrElseLangWhichIsStored_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("caption");
        const QString english = QStringLiteral("Tuvora - Alert");
        const QString portuguese = QStringLiteral("Tuvora - Alerta");
        QTest::newRow("LANG narrowed to the language")
            << QString() << QByteArray("pt_BR.UTF-8") << QStringList { QStringLiteral("appstop_pt.qm") }
            << QStringLiteral("appstop_pt.qm") << QStringLiteral("pt_BR.UTF-8") << portuguese;
        QTest::newRow("region catalogue wins")
            << QString() << QByteArray("pt_BR.UTF-8")
            << QStringList { QStringLiteral("appstop_pt.qm"), QStringLiteral("appstop_pt_BR.qm") }
            << QStringLiteral("appstop_pt_BR.qm") << QStringLiteral("pt_BR.UTF-8") << portuguese;
        QTest::newRow("configured language wins over LANG")
            << QStringLiteral("en_US") << QByteArray("pt_BR.UTF-8")
            << QStringList { QStringLiteral("appstop_pt_BR.qm") } << QStringLiteral("appstop_en_US.qm")
            << QStringLiteral("en_US") << english;
        QTest::newRow("configured pt_BR")
            << QStringLiteral("pt_BR.UTF-8") << QByteArray("C.UTF-8")
            << QStringList { QStringLiteral("appstop_pt_BR.qm") } << QStringLiteral("appstop_pt_BR.qm")
            << QStringLiteral("pt_BR.UTF-8") << portuguese;
        QTest::newRow("no catalogue for the language")
            << QString() << QByteArray("de_DE.UTF-8") << QStringList { QStringLiteral("appstop_pt_BR.qm") }
            << QStringLiteral("appstop_en_US.qm") << QStringLiteral("de_DE.UTF-8") << english;
        // What the caller puts in LANG is stored only when it is a locale name.
        QTest::newRow("LANG holding a path")
            << QString() << QByteArray("../../../tmp/planted/x") << QStringList { QStringLiteral("appstop_pt_BR.qm") }
            << QStringLiteral("appstop_en_US.qm") << QString() << english;
        QTest::newRow("LANG holding markup") << QString() << QByteArray("pt_BR</Language><Password>x")
                                             << QStringList { QStringLiteral("appstop_pt_BR.qm") }
                                             << QStringLiteral("appstop_en_US.qm") << QString() << english;
        QTest::newRow("LANG unset") << QString() << QByteArray() << QStringList { QStringLiteral("appstop_pt_BR.qm") }
                                    << QStringLiteral("appstop_en_US.qm") << QString() << english;
    }

    void languageComesFromTheConfigurationOrElseLangWhichIsStored()
    {
        QFETCH(QString, configured);
        QFETCH(QByteArray, lang);
        QFETCH(QStringList, installed);
        QFETCH(QString, catalogue);
        QFETCH(QString, stored);
        QFETCH(QString, caption);
        installCatalogues(installed);
        writeLanguage(configured);
        if (lang.isNull())
            qunsetenv("LANG");
        else
            qputenv("LANG", lang);

        const QString code = installedCatalogueCode(configuredLanguage(), QStringLiteral("appstop_"));
        QCOMPARE(QStringLiteral("appstop_%1.qm").arg(code.isEmpty() ? QStringLiteral("en_US") : code), catalogue);
        QCOMPARE(readLanguage(), stored);

        writeLanguage(configured);
        MessageBox::setNextAnswer(0);
        QCOMPARE(runGate(QStringLiteral("no-such-program-here"), configuredLanguage()), 0);
        QCOMPARE(readLanguage(), stored);
        QCOMPARE(MessageBox::shown().first().caption, caption);
        qputenv("LANG", "C.UTF-8");
    }

    void noContextMenuOpensWhileTheGateRuns()
    {
        QLineEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QVERIFY(contextMenuOpensIn(&edit));

        bool openedDuringGate = true;
        bool boxSeen = false;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || boxSeen)
                return;
            boxSeen = true;
            // A field inside the box itself, so that modality cannot be what stops it.
            auto *inBox = new QLineEdit(box);
            inBox->show();
            openedDuringGate = contextMenuOpensIn(inBox) || contextMenuOpensIn(&edit);
            box->buttons().first()->click();
        });
        driver.start(5);
        QCOMPARE(runGate(QStringLiteral("no-such-program-here"), configuredLanguage()), 0);
        QVERIFY(boxSeen);
        QVERIFY(!openedDuringGate);
        QVERIFY(contextMenuOpensIn(&edit));
    }
};

QTEST_MAIN(TestAppstopGate)
#include "test_appstopgate.moc"
