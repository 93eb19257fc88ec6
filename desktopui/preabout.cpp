#include "preabout.h"

preAbout::preAbout(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : preAboutBase(parent, name, modal, flags)
{
    languageChange();
}

QString preAbout::versionLine()
{
    QString label = tr("Version: ");
    if (!label.endsWith(QLatin1Char(' ')))
        label += QLatin1Char(' ');
    return label + productVersion();
}

void preAbout::onCloseClicked()
{
    close();
}

void preAbout::languageChange()
{
    preAboutBase::languageChange();
    txtProductVersion->setText(versionLine());
}
