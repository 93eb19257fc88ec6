#pragma once

#include <Qt>

// The program's own small dialogs (password, policy name): a normal border, a title bar
// and a system menu with a close box, and no minimise or maximise buttons.
inline Qt::WindowFlags plainDialogFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
}
