#pragma once

#include "ui_preconfigurationbase.h"

#include <QDialog>

class QTreeWidgetItem;

// The settings form: a page list on the left (general settings, log settings), the
// pages beside it, Help, OK and Cancel below. preConfiguration loads and saves it.
class preConfigurationBase : public QDialog, public Ui::preConfigurationBase
{
    Q_OBJECT

public:
    explicit preConfigurationBase(QWidget *parent = nullptr, const char *name = "preConfigurationBase",
        bool modal = true, Qt::WindowFlags flags = {});

public slots:
    virtual void onOptionSelected(QTreeWidgetItem *item);
    virtual void onSaveClicked();
    virtual void onHelpClicked();
    virtual void onPasswordChange();
    virtual void languageChange();

protected:
    void changeEvent(QEvent *event) override;
};
