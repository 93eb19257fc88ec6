#pragma once

#include <QList>
#include <QObject>
#include <QString>

// One topic of the help index: its title, its page file name relative to the language
// directory, and its sub-topics in document order. A topic owns its sub-topics.
class Folder : public QObject
{
    Q_OBJECT

public:
    Folder(Folder *parent, const QString &title, const QString &fileName);

    Folder *parentFolder() const { return m_parent; }
    QString title() const { return m_title; }
    QString fileName() const { return m_fileName; }
    const QList<Folder *> &children() const { return m_children; }

private:
    Folder *m_parent;
    QString m_title;
    QString m_fileName;
    QList<Folder *> m_children;
};
