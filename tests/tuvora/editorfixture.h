#pragma once

#include "policynamecheck.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Scratch system state for the policy editor, written inside the sandbox.
namespace EditorFixture {

// policyConfig.xml with the machine mode Type (control mode free).
void writeMachineMode(int machineMode);

// The menu description the editor reads, /etc/tuvora/menu.xml.
void writeMenu(const QByteArray &xml);
// A small menu: folders Internet (Web Browser, Mail), Games (Mines), System (Root
// Terminal through kdesu, Tuvora Tray) and Empty (no Service inside, dropped), and a
// Calculator at the top level. Plants kdesu and tuvoratray in /usr/bin.
QByteArray sampleMenu();
void installSampleMenu();

// One "Service" entry of a menu description.
QByteArray serviceEntry(const QString &name, const QString &description, const QString &exec,
    const QString &desktopFile, const QString &icon = QString());

// A small executable script; returns its path.
QString plantProgram(const QString &path);

} // namespace EditorFixture

// The list window's name check, answered from a plain list.
class ListedNames : public PolicyNameCheck
{
public:
    explicit ListedNames(QStringList names = {})
        : m_names(std::move(names))
    { }

    bool isPolicyNameFree(const QString &name) const override { return !m_names.contains(name); }

private:
    QStringList m_names;
};
