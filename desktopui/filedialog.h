#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every file dialog of the suite goes through here. The dialog is the toolkit's own,
// built with exactly the caption, folder and filter given; a test can queue the name
// that the next dialog is answered with, and the dialog is then not shown at all, so no
// test waits for a person. The latest dialogs asked for are remembered for such tests
// to read back.
class FileDialog
{
public:
    struct Shown
    {
        bool save = false;
        QString caption;
        QString directory;
        QString filter;
        bool hasParent = false;
    };

    // An existing file to open; empty when nothing was chosen.
    static QString getOpenFileName(
        QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
    // A file name to save to; empty when nothing was chosen. The dialog never asks about
    // an existing file itself: the caller asks its own question.
    static QString getSaveFileName(
        QWidget *parent, const QString &caption, const QString &directory, const QString &filter);

    // Test seams. An empty name answers as Cancel would.
    static void setNextFileName(const QString &name);
    static int pendingAnswers();
    static QList<Shown> shown();
    static void clearShown();

private:
    static QString ask(
        bool save, QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
};
