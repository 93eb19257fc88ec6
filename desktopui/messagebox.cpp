#include "messagebox.h"

#include <QAbstractButton>
#include <QList>
#include <QPushButton>

namespace {

QList<int> &answers()
{
    static QList<int> queue;
    return queue;
}

QList<MessageBox::Shown> &record()
{
    static QList<MessageBox::Shown> list;
    return list;
}

} // namespace

int MessageBox::information(QWidget *parent, const QString &caption, const QString &text, const QStringList &buttons,
    int defaultButton, int escapeButton)
{
    return show(QMessageBox::Information, parent, caption, text, buttons, defaultButton, escapeButton);
}

int MessageBox::warning(QWidget *parent, const QString &caption, const QString &text, const QStringList &buttons,
    int defaultButton, int escapeButton)
{
    return show(QMessageBox::Warning, parent, caption, text, buttons, defaultButton, escapeButton);
}

int MessageBox::question(QWidget *parent, const QString &caption, const QString &text, const QStringList &buttons,
    int defaultButton, int escapeButton)
{
    return show(QMessageBox::Question, parent, caption, text, buttons, defaultButton, escapeButton);
}

void MessageBox::setNextAnswer(int buttonIndex)
{
    answers().append(buttonIndex);
}

int MessageBox::pendingAnswers()
{
    return int(answers().size());
}

QList<MessageBox::Shown> MessageBox::shown()
{
    return record();
}

void MessageBox::clearShown()
{
    record().clear();
}

int MessageBox::show(QMessageBox::Icon icon, QWidget *parent, const QString &caption, const QString &text,
    const QStringList &buttons, int defaultButton, int escapeButton)
{
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &label : buttons) {
        // Roles only place the buttons; the answer is the button's index, as given.
        const auto role = added.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        added.append(box.addButton(label, role));
    }
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.at(defaultButton)));
    if (escapeButton >= 0 && escapeButton < added.size())
        box.setEscapeButton(added.at(escapeButton));

    Shown seen;
    seen.icon = box.icon();
    seen.caption = box.windowTitle();
    seen.text = box.text();
    for (QAbstractButton *button : added)
        seen.buttons.append(button->text());
    seen.defaultButton = defaultButton;
    seen.hasParent = parent != nullptr;
    // A long-running program shows many boxes; only the latest few are of interest.
    if (record().size() >= 64)
        record().removeFirst();
    record().append(seen);

    if (!answers().isEmpty())
        return answers().takeFirst();

    box.exec();
    const int pressed = int(added.indexOf(box.clickedButton()));
    return pressed >= 0 ? pressed : escapeButton;
}
