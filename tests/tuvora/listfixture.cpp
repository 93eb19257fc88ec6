#include "listfixture.h"

#include "policy.h"
#include "policyconfig.h"
#include "policystore.h"
#include "prepolicyselection.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

namespace ListFixture {

void writeConfiguration(int machineMode, int nextPolicy, int status)
{
    writeFileBytes(PolicyConfig::filePath(),
        "<TuvoraConfig>\n    <Status>" + QByteArray::number(status) + "</Status>\n    <Type>"
            + QByteArray::number(machineMode) + "</Type>\n    <NextPolicy>" + QByteArray::number(nextPolicy)
            + "</NextPolicy>\n    <Language>en_US.UTF-8</Language>\n</TuvoraConfig>\n");
}

void clearStore()
{
    QDir store(PolicyStore::directory());
    for (const QString &name : store.entryList(QDir::Files))
        store.remove(name);
}

QString writePolicy(int number, const QString &name, bool active, int type)
{
    Policy policy(number);
    policy.name = name;
    policy.description = name + QStringLiteral(" rules");
    policy.active = active;
    policy.type = type;
    policy.save();
    return policy.filePath;
}

QStringList storeFiles()
{
    return QDir(PolicyStore::directory()).entryList(QDir::Files, QDir::Name);
}

QTreeWidgetItem *rowNamed(const prePolicySelection &window, const QString &name)
{
    const QList<QTreeWidgetItem *> rows
        = window.lstPolicies->findItems(name, Qt::MatchExactly, prePolicySelection::NameColumn);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

void selectRow(prePolicySelection &window, const QString &name)
{
    window.lstPolicies->clearSelection();
    if (QTreeWidgetItem *row = rowNamed(window, name))
        row->setSelected(true);
}

} // namespace ListFixture

ModalScript::ModalScript(QList<Step> steps)
    : m_steps(std::move(steps))
{
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
    m_timer.start(5);
}

void ModalScript::poll()
{
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    // The same dialog shown again by its caller's loop is a new showing once the last
    // one has finished.
    if (!dialog || !dialog->isVisible() || dialog == m_acting)
        return;
    m_acting = dialog;
    connect(dialog, &QDialog::finished, this, &ModalScript::released, Qt::UniqueConnection);
    ++m_showings;
    if (m_steps.isEmpty())
        dialog->reject();
    else
        m_steps.takeFirst()(dialog);
}
