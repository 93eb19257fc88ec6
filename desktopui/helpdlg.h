#pragma once

#include <QList>
#include <QSplitter>
#include <QString>

class Folder;
class HelpBrowser;
class QDomElement;
class QTreeWidget;
class QTreeWidgetItem;

// The help viewer: the topic tree of an index file beside an HTML pane. Every link in a
// help page opens in the outside web browser; the pane stays on its page.
class HelpDlg : public QSplitter
{
    Q_OBJECT

public:
    HelpDlg(const QString &baseDirectory, const QString &indexFile, QWidget *parent = nullptr,
        const char *name = "HelpDlg");
    ~HelpDlg() override;

    // Shows base directory + page name in the pane.
    void showPage(const QString &pageName);

    QString baseDirectory() const { return m_baseDirectory; }
    const QList<Folder *> &folders() const { return m_folders; }
    QTreeWidget *topicTree() const { return m_tree; }
    HelpBrowser *browser() const { return m_browser; }

    // The outside browser that links are handed to.
    static QString webBrowserProgram();

public slots:
    void slotFolderChanged(QTreeWidgetItem *row);
    void slotRMB(QTreeWidgetItem *row, const QPoint &position, int column);
    void slotOpenFolder(QTreeWidgetItem *row);
    void slotCloseFolder(QTreeWidgetItem *row);
    void slotLinkClicked(const QString &link);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadIndex(const QString &indexFile);
    void readTopics(const QDomElement &element, Folder *parent);
    void fillTree();
    void widenTreeToTitles();

    QString m_baseDirectory;
    QList<Folder *> m_folders;
    QTreeWidget *m_tree;
    HelpBrowser *m_browser;
    bool m_widened = false;
};
