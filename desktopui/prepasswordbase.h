#pragma once

#include "ui_prepasswordbase.h"

#include <QDialog>

// The administrator password form, used as it is by both password checks. The tray's
// copy words the button tooltips without naming the product (setGenericWording).
class prePasswordBase : public QDialog, public Ui::prePasswordBase
{
    Q_OBJECT

public:
    explicit prePasswordBase(
        QWidget *parent = nullptr, const char *name = "prePasswordBase", bool modal = true, Qt::WindowFlags flags = {});

    void setGenericWording(bool generic);
    bool genericWording() const { return m_generic; }

public slots:
    virtual void languageChange();

protected:
    void changeEvent(QEvent *event) override;

private:
    bool m_generic = false;
};
