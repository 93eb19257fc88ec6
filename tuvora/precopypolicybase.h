#pragma once

#include "ui_precopypolicybase.h"

#include <QDialog>

// The name dialog that Copy and Import ask a policy name with; used as it is.
class preCopyPolicyBase : public QDialog, public Ui::preCopyPolicyBase
{
    Q_OBJECT

public:
    explicit preCopyPolicyBase(QWidget *parent = nullptr, const char *name = "preCopyPolicyBase", bool modal = true,
        Qt::WindowFlags flags = {});

public slots:
    virtual void languageChange();

protected:
    void changeEvent(QEvent *event) override;
};
