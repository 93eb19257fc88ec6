#pragma once

#include "ui_prepolicyeditbase.h"

#include <QDialog>

// The policy editor's form: the navigation list, the five pages and the buttons. The
// slots are the form's; prePolicyEdit implements them.
class prePolicyEditBase : public QDialog, public Ui::prePolicyEditBase
{
    Q_OBJECT

public:
    explicit prePolicyEditBase(QWidget *parent = nullptr, const char *name = "prePolicyEditBase", bool modal = true,
        Qt::WindowFlags flags = {});

public slots:
    virtual void onSaveClicked() { }
    virtual void onInsertUrlClicked() { }
    virtual void onRemoveUrlClicked() { }
    virtual void onInsertContentClicked() { }
    virtual void onRemoveContentClicked() { }
    virtual void onOptionSelected(QTreeWidgetItem *) { }
    virtual void onHelpClicked() { }
    virtual void onAppCheckAllClicked() { }
    virtual void onAppUncheckAllClicked() { }
    virtual void onIntUncheckAllClicked() { }
    virtual void onIntCheckAllClicked() { }
    virtual void onChkSlideClicked() { }
    virtual void onSliderChanged(int) { }
    virtual void onInsUrlWhiteClicked() { }
    virtual void onRemoveUrlWhiteClicked() { }
    virtual void onSearchAppChanged(const QString &) { }
    virtual void onChkUrlClicked() { }
    virtual void onChkUrlWhiteClicked() { }
    virtual void onChkContentsClicked() { }
    virtual void onChkApplicationClicked() { }
    virtual void onChkInternetClicked() { }
    virtual void onOptBlackClicked() { }
    virtual void onOptWhiteClicked() { }
    virtual void onLstUrlClicked() { }
    virtual void onLstUrlWhiteClicked() { }
    virtual void onLstContentClicked() { }
    virtual void languageChange();
    // "Import list..." under each list.
    virtual void onImportUrlClicked() { }
    virtual void onImportUrlWhiteClicked() { }
    virtual void onImportContentClicked() { }

protected:
    void changeEvent(QEvent *event) override;

private:
    void setUpScheduleTable(QTableWidget *table);
    void labelDays(QTableWidget *table);
};
