#pragma once

#include "preaboutbase.h"

// The product version shown by the about box: the project's major and minor version.
inline QString productVersion()
{
    return QStringLiteral(TUVORA_PRODUCT_VERSION);
}

class preAbout : public preAboutBase
{
    Q_OBJECT

public:
    explicit preAbout(
        QWidget *parent = nullptr, const char *name = "preAbout", bool modal = true, Qt::WindowFlags flags = {});

    // "Version: " as translated, with a blank between it and the version even when the
    // translation lost its trailing blank.
    static QString versionLine();

public slots:
    void onCloseClicked() override;
    void languageChange() override;
};
