#pragma once

#include <QStringList>
#include <QString>

class QWidget;

// The file dialog of the editor's "Import list..." buttons. A test can queue the name
// that the next dialog is answered with; the dialog is then not shown, so no test
// waits for a person. An empty name answers as Cancel would.
class ImportFileDialog
{
public:
    // An existing file to open; empty when nothing was chosen.
    static QString getOpenFileName(
        QWidget *parent, const QString &caption, const QString &directory, const QString &filter);

    // Test seams.
    static void setNextFileName(const QString &name);
    static int pendingAnswers();
    static QStringList captionsShown();
};
