#include "importfiledialog.h"

#include <QFileDialog>

namespace {

QStringList &answers()
{
    static QStringList queue;
    return queue;
}

QStringList &captions()
{
    static QStringList list;
    return list;
}

} // namespace

QString ImportFileDialog::getOpenFileName(
    QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    captions().append(caption);
    if (!answers().isEmpty())
        return answers().takeFirst();
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

void ImportFileDialog::setNextFileName(const QString &name)
{
    answers().append(name);
}

int ImportFileDialog::pendingAnswers()
{
    return int(answers().size());
}

QStringList ImportFileDialog::captionsShown()
{
    return captions();
}
