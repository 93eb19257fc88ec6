#pragma once

#include <QtGlobal>

// The windows' images are built into the tray's static library, whose linker keeps them
// only when a window asks for them.
inline void initTrayWindowImages()
{
    Q_INIT_RESOURCE(traywindows);
}
