#pragma once

#include "paths.h"

#include <QString>

class HelpDlg;
class QDialog;
class QWidget;

// Where the help of every language lives: <root><code>/ holds TUHelp.xml and the pages.
inline QString helpRootDirectory()
{
    return Paths::path(Paths::HelpDir) + QLatin1Char('/');
}

// The help language for a configured language such as pt_BR.UTF-8: pt_BR if that
// directory exists, else pt if that one exists, else empty (the en_US help is used).
QString helpLanguageCode(const QString &configuredLanguage);

// The help directory for a language code (en_US when the code is empty), with "/".
QString helpBaseDirectory(const QString &code);

// The localised file name of a page: PolicySelection.html with pt_BR gives
// PolicySelection_pt_BR.html when the base directory has it, else
// PolicySelection_pt.html. Without a code the en_US page is meant; with a code that
// has no "_" and no page of its own, the page name is returned as it was given.
QString localizedHelpPage(const QString &baseDirectory, const QString &code, const QString &pageName);

// Builds the viewer for a page in the configured language, without showing it.
HelpDlg *createHelpViewer(const QString &pageName);

// The dialog that holds a viewer over the calling window, at the viewer's sizes.
QDialog *createHelpDialog(QWidget *caller, HelpDlg *viewer);

// What every Help button runs: shows the help on a page in a modal dialog over the
// calling window and returns when it is closed.
void openHelpPage(QWidget *caller, const QString &pageName);
