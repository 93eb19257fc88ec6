#include "cutoff.h"
#include "preabout.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace {

// The version the box shows: the major and minor version of the build.
QString shownVersion()
{
    return QStringLiteral(PROJECT_VERSION).section(QLatin1Char('.'), 0, 1);
}

} // namespace

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void versionLineHasOneBlankBetweenWordAndVersion_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("expected");
        QTest::newRow("untranslated") << QString() << QStringLiteral("Version: ") + shownVersion();
        QTest::newRow("translation keeps the blank")
            << QStringLiteral("about_blank.qm") << QStringLiteral("Versão: ") + shownVersion();
        QTest::newRow("translation lost the blank")
            << QStringLiteral("about_noblank.qm") << QStringLiteral("Versão: ") + shownVersion();
    }

    void versionLineHasOneBlankBetweenWordAndVersion()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, expected);
        QTranslator translator;
        if (!catalogue.isEmpty()) {
            QVERIFY(translator.load(catalogue, QStringLiteral(TEST_QM_DIR)));
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        preAbout about;
        QCOMPARE(about.txtProductVersion->text(), expected);
        QCoreApplication::removeTranslator(&translator);
    }

    void versionFollowsALanguageChange()
    {
        preAbout about;
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("about_noblank.qm"), QStringLiteral(TEST_QM_DIR)));
        QCoreApplication::installTranslator(&translator);
        QTRY_COMPARE(about.txtProductVersion->text(), QStringLiteral("Versão: ") + shownVersion());
        QCoreApplication::removeTranslator(&translator);
        QTRY_COMPARE(about.txtProductVersion->text(), QStringLiteral("Version: ") + shownVersion());
    }

    void closeButtonEndsTheModalDialog()
    {
        preAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(firstCutOffChild(about), QString());
        QVERIFY(!about.pixmapLabel1->pixmap().isNull());
        about.hide();
        QTimer::singleShot(0, &about, [&] { QTest::mouseClick(about.btnClose, Qt::LeftButton); });
        QTimer::singleShot(5000, &about, [&] { about.done(42); });
        QCOMPARE(about.exec(), int(QDialog::Rejected));
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestAboutDialog)
#include "test_aboutdialog.moc"
