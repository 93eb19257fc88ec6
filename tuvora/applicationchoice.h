#pragma once

#include <QString>

struct BlockedApplication;

// Whether the administrator may choose an application of the menu for blocking. A
// refused row is shown disabled, with the reason as its tool tip. Every rule about
// which programs may never be blocked meets here: the editor's own and the refusals of
// blocking itself (blockrefusal.h), for the program found as blocking finds it.
struct ApplicationChoice
{
    bool allowed = true;
    QString reason; // translated; empty when allowed
};

ApplicationChoice applicationChoice(const BlockedApplication &application);
