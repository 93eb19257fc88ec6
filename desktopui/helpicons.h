#pragma once

#include <QIcon>

// The three 16 by 16 icons of the help topic tree, built into the program and shared
// by all rows.
namespace HelpIcons {
const QIcon &closedFolder();
const QIcon &openFolder();
const QIcon &document();
} // namespace HelpIcons
