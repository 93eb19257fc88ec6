#include "filedialog.h"

#include <QFileDialog>

namespace {

QList<QString> &answers()
{
    static QList<QString> queue;
    return queue;
}

QList<FileDialog::Shown> &record()
{
    static QList<FileDialog::Shown> list;
    return list;
}

} // namespace

QString FileDialog::getOpenFileName(
    QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return ask(false, parent, caption, directory, filter);
}

QString FileDialog::getSaveFileName(
    QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return ask(true, parent, caption, directory, filter);
}

void FileDialog::setNextFileName(const QString &name)
{
    answers().append(name);
}

int FileDialog::pendingAnswers()
{
    return int(answers().size());
}

QList<FileDialog::Shown> FileDialog::shown()
{
    return record();
}

void FileDialog::clearShown()
{
    record().clear();
}

QString FileDialog::ask(
    bool save, QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    if (record().size() >= 64)
        record().removeFirst();
    record().append({ save, caption, directory, filter, parent != nullptr });
    if (!answers().isEmpty())
        return answers().takeFirst();

    QFileDialog dialog(parent, caption, directory, filter);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
