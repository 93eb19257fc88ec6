#include "preabout.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void versionLineHasOneBlankBetweenWordAndVersion_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("expected");
        QTest::newRow("untranslated") << QString() << QStringLiteral("Version: 1.5");
        QTest::newRow("translation keeps the blank")
            << QStringLiteral("about_blank.qm") << QStringLiteral("Versão: 1.5");
        QTest::newRow("translation lost the blank")
            << QStringLiteral("about_noblank.qm") << QStringLiteral("Versão: 1.5");
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
        QTRY_COMPARE(about.txtProductVersion->text(), QStringLiteral("Versão: 1.5"));
        QCoreApplication::removeTranslator(&translator);
        QTRY_COMPARE(about.txtProductVersion->text(), QStringLiteral("Version: 1.5"));
    }

    void closeButtonEndsTheModalDialog()
    {
        preAbout about;
        QVERIFY(about.minimumWidth() >= 440 && about.minimumHeight() >= 377);
        QVERIFY(!about.pixmapLabel1->pixmap().isNull());
        QTimer::singleShot(0, &about, [&] { QTest::mouseClick(about.btnClose, Qt::LeftButton); });
        QTimer::singleShot(5000, &about, [&] { about.done(42); });
        QCOMPARE(about.exec(), int(QDialog::Rejected));
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestAboutDialog)
#include "test_aboutdialog.moc"
