#pragma once

#include "ui_prelogbase.h"

#include <QDialog>

class QTreeWidgetItem;

// The log viewer form: a page list on the left (snapshot viewer, log viewer), the
// pages beside it, Help and Close below. preLog fills it from the logs.
class preLogBase : public QDialog, public Ui::preLogBase
{
    Q_OBJECT

public:
    explicit preLogBase(
        QWidget *parent = nullptr, const char *name = "preLogBase", bool modal = true, Qt::WindowFlags flags = {});

public slots:
    virtual void onOptionSelected(QTreeWidgetItem *item);
    virtual void onChkSlideClicked();
    virtual void onSliderChanged(int position);
    virtual void previousImage();
    virtual void onSearchAppChanged(const QString &text);
    virtual void onSearchFileChanged(const QString &text);
    virtual void onSearchInternetChanged(const QString &text);
    virtual void onHelpClicked();
    virtual void languageChange();

protected:
    void changeEvent(QEvent *event) override;
};
