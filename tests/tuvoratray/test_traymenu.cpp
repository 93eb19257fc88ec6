#include "traymenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

// The control modes as the tray's menu shows them: which entry carries the mode image,
// what the under-control entry reads, which entries are greyed.
namespace {

QIcon someImage()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::green);
    return QIcon(pixmap);
}

// "2" or "3" for the entry with the image, then the greyed positions.
QString state(const TrayMenu &entries)
{
    QString text;
    for (int position : { 2, 3 }) {
        if (!entries.at(position)->icon().isNull())
            text += QString::number(position);
    }
    text += QLatin1Char('|');
    for (int position = 0; position < entries.menu()->actions().size(); ++position) {
        if (!entries.at(position)->isEnabled())
            text += QString::number(position);
    }
    return text;
}

} // namespace

class TestTrayMenu : public QObject
{
    Q_OBJECT

private slots:
    void controlModesOnTheMenu()
    {
        QMenu menu;
        TrayMenu entries(&menu, true, someImage());
        QCOMPARE(entries.at(TrayMenu::UnderControlEntry), entries.underControl);
        QCOMPARE(entries.at(TrayMenu::FreeOfControlEntry), entries.freeOfControl);
        QCOMPARE(entries.at(11), entries.exit);
        QCOMPARE(entries.at(12), nullptr);

        entries.showUnderControl(TrayMenu::ModeWord::Local);
        QCOMPARE(state(entries), QStringLiteral("2|"));

        // A school policy arrives: everything about the mode is greyed.
        entries.showNetworkMode();
        QCOMPARE(entries.at(2)->text(), QStringLiteral("Under Control Mode - Network Mode"));
        QCOMPARE(state(entries), QStringLiteral("2|023"));

        // The server is gone: back to the local word, the image stays where it was.
        entries.showLocalModeAgain();
        QCOMPARE(entries.at(2)->text(), QStringLiteral("Under Control Mode - Local Mode"));
        QCOMPARE(state(entries), QStringLiteral("2|"));

        entries.showFreeOfControl();
        QCOMPARE(state(entries), QStringLiteral("3|"));

        // A teacher policy keeps the image where it is and leaves the under-control
        // entry usable.
        entries.showTeacherMode();
        QCOMPARE(entries.at(2)->text(), QStringLiteral("Under Control Mode - Teacher Mode"));
        QCOMPARE(state(entries), QStringLiteral("3|03"));
        entries.showLocalModeAgain();
        QCOMPARE(state(entries), QStringLiteral("3|"));
    }

    void modeChangesOnAPublishingMachineDoNotCrash()
    {
        QMenu menu;
        TrayMenu entries(&menu, false, someImage());
        QCOMPARE(entries.underControl, nullptr);
        entries.showNetworkMode();
        entries.showTeacherMode();
        entries.showFreeOfControl();
        QCOMPARE(state(entries), QStringLiteral("|"));
    }
};

QTEST_MAIN(TestTrayMenu)
#include "test_traymenu.moc"
