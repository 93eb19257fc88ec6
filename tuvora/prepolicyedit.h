#pragma once

#include "prepolicyeditbase.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QSet>

class Policy;
class PolicyNameCheck;
class WeekGrid;
class preApplicationItem;
struct MenuRow;
struct PolicyEditValues;

// The modal editor of one policy: name, description and type, the domain lists, the
// banned words, the applications to block and the two weekly schedules. It fills its
// widgets from the record and, on OK, checks them, writes the record back and saves
// the policy file; it never activates anything. Accepted after a successful save,
// rejected on Cancel, when the record and its file keep their values.
class prePolicyEdit : public prePolicyEditBase
{
    Q_OBJECT

public:
    // The list window answers whether a new name is free; it owns the record.
    prePolicyEdit(Policy &policy, const PolicyNameCheck *listWindow, QWidget *parent = nullptr);

    const QList<preApplicationItem *> &applicationRows() const { return m_applicationRows; }
    int currentPage() const { return m_page; }
    // The help page of each page of the stack, in the order of the navigation list.
    static QString helpPage(int page);

public slots:
    void onSaveClicked() override;
    void onInsertUrlClicked() override;
    void onRemoveUrlClicked() override;
    void onInsertContentClicked() override;
    void onRemoveContentClicked() override;
    void onOptionSelected(QTreeWidgetItem *row) override;
    void onHelpClicked() override;
    void onAppCheckAllClicked() override;
    void onAppUncheckAllClicked() override;
    void onIntUncheckAllClicked() override;
    void onIntCheckAllClicked() override;
    void onInsUrlWhiteClicked() override;
    void onRemoveUrlWhiteClicked() override;
    void onChkUrlClicked() override;
    void onChkUrlWhiteClicked() override;
    void onChkContentsClicked() override;
    void onChkApplicationClicked() override;
    void onChkInternetClicked() override;
    void onOptBlackClicked() override;
    void onOptWhiteClicked() override;
    void onLstUrlClicked() override;
    void onLstUrlWhiteClicked() override;
    void onLstContentClicked() override;
    void onImportUrlClicked() override;
    void onImportUrlWhiteClicked() override;
    void onImportContentClicked() override;

    void onLstUrlSelectionChanged();
    void onLstUrlWhiteSelectionChanged();
    void onLstContentSelectionChanged();

private:
    // The widgets of one list column: line edit, Add, list, Select All, Import, Remove.
    struct ListColumn
    {
        QLineEdit *edit;
        QPushButton *add;
        QListWidget *list;
        QCheckBox *selectAll;
        QPushButton *import;
        QPushButton *remove;
    };
    ListColumn blackColumn() const;
    ListColumn whiteColumn() const;
    ListColumn contentColumn() const;

    void fillFromPolicy();
    void buildApplicationTree();
    void addMenuRows(const QList<MenuRow> &rows, QTreeWidgetItem *folder);
    QIcon menuIcon(const QString &name, const QIcon &fallback);

    void addDomain(const ListColumn &column);
    void importList(const ListColumn &column, bool domains);
    void showInStoredOrder(QListWidget *list, const QStringList &texts);
    void insertSorted(QListWidget *list, const QString &text);
    bool isListed(const QListWidget *list, const QString &text) const;
    static int sortedPosition(const QListWidget *list, const QString &text);
    void showSorted(QListWidget *list, QStringList texts);
    static void removeSelected(QListWidget *list);
    static void selectAllFromBox(const ListColumn &column);
    static void updateRemoveButton(const ListColumn &column);
    static void updateSelectAllBox(const ListColumn &column);
    static void setColumnEnabled(const ListColumn &column, bool enabled);
    static QStringList entries(const QListWidget *list);

    static void fillSchedule(QTableWidget *table, const WeekGrid &grid);
    static WeekGrid readSchedule(const QTableWidget *table);
    static void checkAllCells(QTableWidget *table, bool checked);

    PolicyEditValues shownValues() const;
    void warn(const QString &text);
    void inform(const QString &text);

    Policy &m_policy;
    const PolicyNameCheck *m_listWindow;
    QString m_openingName;
    int m_page = 0;
    QList<preApplicationItem *> m_applicationRows;
    QSet<const QListWidget *> m_unsortedLists; // shown in a stored order that is not sorted
    QHash<QString, QIcon> m_icons; // menu icons by name, each loaded once
};
