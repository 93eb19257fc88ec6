#pragma once

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

// Plays one scripted step each time a modal dialog is shown, from inside its event
// loop, so a test can drive a dialog that its caller runs with exec(). A showing
// beyond the script, or one whose step failed a check, is rejected, so a test cannot
// hang.
class DialogScript : public QObject
{
public:
    using Step = std::function<void(QDialog *)>;

    DialogScript(QDialog *dialog, QList<Step> steps)
        : m_dialog(dialog)
        , m_steps(std::move(steps))
    {
        // A showing ends with finished(); the next exec() shows the same dialog again
        // before the timer could see it hidden.
        connect(dialog, &QDialog::finished, this, [this] { m_acting = false; });
        connect(&m_timer, &QTimer::timeout, this, &DialogScript::poll);
        m_timer.start(5);
    }

    int showings() const { return m_showings; }

private:
    void poll()
    {
        if (!m_dialog)
            return;
        if (!m_dialog->isVisible() || m_acting)
            return;
        m_acting = true;
        ++m_showings;
        if (m_steps.isEmpty()) {
            m_dialog->reject();
            return;
        }
        m_steps.takeFirst()(m_dialog);
        if (m_dialog && QTest::currentTestFailed()) {
            m_steps.clear();
            m_dialog->reject();
        }
    }

    QPointer<QDialog> m_dialog;
    QList<Step> m_steps;
    QTimer m_timer;
    int m_showings = 0;
    bool m_acting = false;
};
