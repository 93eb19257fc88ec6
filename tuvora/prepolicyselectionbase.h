#pragma once

#include "ui_prepolicyselectionbase.h"

#include <QMainWindow>

// The policy list form. Its slots are empty here; prePolicySelection implements them.
class prePolicySelectionBase : public QMainWindow, public Ui::prePolicySelectionBase
{
    Q_OBJECT

public:
    explicit prePolicySelectionBase(
        QWidget *parent = nullptr, const char *name = "prePolicySelectionBase", Qt::WindowFlags flags = {});

public slots:
    virtual void btnNewClicked();
    virtual void btnEditClicked();
    virtual void btnRemoveClicked();
    virtual void btnApplyClicked();
    virtual void onItemSelected();
    virtual void onHelpClicked();
    virtual void onHelpAboutClicked();
    virtual void onHelpContentClicked();
    virtual void btnExportClicked();
    virtual void btnImportClicked();
    virtual void btnCopyClicked();
    virtual void onConfigurationClicked();
    virtual void languageChange();

protected:
    void changeEvent(QEvent *event) override;
};
