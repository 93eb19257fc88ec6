#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

// Every message box of the suite goes through here. The box is built with exactly the
// caption, text and buttons given; a test can queue the button that the next box is
// answered with, and the box is then built but not shown, so no test waits for a
// person. The latest boxes built are remembered for such tests to read back.
class MessageBox
{
public:
    struct Shown
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString caption;
        QString text;
        QStringList buttons;
        int defaultButton = -1;
        bool hasParent = false;
    };

    // Each returns the index of the button pressed (or the escape button's index,
    // -1 when there is none and the box was closed otherwise).
    static int information(QWidget *parent, const QString &caption, const QString &text, const QStringList &buttons,
        int defaultButton = 0, int escapeButton = -1);
    static int warning(QWidget *parent, const QString &caption, const QString &text, const QStringList &buttons,
        int defaultButton = 0, int escapeButton = -1);
    static int question(QWidget *parent, const QString &caption, const QString &text, const QStringList &buttons,
        int defaultButton = 0, int escapeButton = -1);

    // Test seams.
    static void setNextAnswer(int buttonIndex);
    static int pendingAnswers();
    static QList<Shown> shown();
    static void clearShown();

private:
    static int show(QMessageBox::Icon icon, QWidget *parent, const QString &caption, const QString &text,
        const QStringList &buttons, int defaultButton, int escapeButton);
};
