#pragma once

#include "messagebox.h"
#include "policyconfig.h"
#include "prepasswordbase.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

// Answers the tray's password prompts from inside their modal loops: each showing of a
// prompt gets the next answer typed and confirmed, and the box that refuses a wrong one
// is answered in advance. A showing beyond the answers is cancelled, so that no test
// waits for a person.
class PasswordAnswers : public QObject
{
public:
    explicit PasswordAnswers(QStringList answers)
        : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &PasswordAnswers::poll);
        m_timer.start(5);
    }

    int showings() const { return m_showings; }

private:
    void poll()
    {
        auto *form = qobject_cast<prePasswordBase *>(QApplication::activeModalWidget());
        if (!form || !form->isVisible() || (form == m_form && m_answering))
            return;
        if (form != m_form) {
            m_form = form;
            // The same form is shown again after a wrong password.
            connect(form, &QDialog::finished, this, [this] { m_answering = false; });
        }
        m_answering = true;
        ++m_showings;
        if (m_answers.isEmpty()) {
            QTest::mouseClick(form->btnCancel, Qt::LeftButton);
            return;
        }
        const QString answer = m_answers.takeFirst();
        if (answer != readPassword())
            MessageBox::setNextAnswer(0);
        form->txtPassword->clear();
        QTest::keyClicks(form->txtPassword, answer);
        QTest::mouseClick(form->btnLogin, Qt::LeftButton);
    }

    QStringList m_answers;
    QPointer<prePasswordBase> m_form;
    QTimer m_timer;
    int m_showings = 0;
    bool m_answering = false;
};
