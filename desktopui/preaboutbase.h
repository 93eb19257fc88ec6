#pragma once

#include "ui_preaboutbase.h"

#include <QDialog>

// The about form; preAbout fills in the version and closes it.
class preAboutBase : public QDialog, public Ui::preAboutBase
{
    Q_OBJECT

public:
    explicit preAboutBase(
        QWidget *parent = nullptr, const char *name = "preAboutBase", bool modal = true, Qt::WindowFlags flags = {});

public slots:
    virtual void onCloseClicked();
    virtual void languageChange();

protected:
    void changeEvent(QEvent *event) override;
};
