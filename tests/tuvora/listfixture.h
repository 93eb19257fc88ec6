#pragma once

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class prePolicySelection;
class QTreeWidgetItem;

// Scratch state for the policy list tests, written inside the sandbox.
namespace ListFixture {

// policyConfig.xml with the machine mode, NextPolicy and the control mode Status.
void writeConfiguration(int machineMode, int nextPolicy = 1, int status = 1);
// Empties the policy store.
void clearStore();
// Writes /etc/tuvora/lists/policy_<number>.xml and returns its path.
QString writePolicy(int number, const QString &name, bool active = false, int type = 0);
// What the store holds now: the file names, sorted.
QStringList storeFiles();

// The row that shows a policy name, or nullptr.
QTreeWidgetItem *rowNamed(const prePolicySelection &window, const QString &name);
void selectRow(prePolicySelection &window, const QString &name);

} // namespace ListFixture

// Plays one step each time a modal dialog is shown, from inside its event loop, so a
// test can drive dialogs that the window creates and runs itself. A showing beyond the
// steps is rejected, so a test cannot hang.
class ModalScript : public QObject
{
public:
    using Step = std::function<void(QDialog *)>;

    explicit ModalScript(QList<Step> steps);

    int showings() const { return m_showings; }

private:
    void poll();
    void released() { m_acting = nullptr; }

    QList<Step> m_steps;
    QTimer m_timer;
    QPointer<QDialog> m_acting;
    int m_showings = 0;
};
