#pragma once

#include <QString>

// What the policy editor and the copy and import name dialog ask of the policy list
// window: whether a policy name is still free. The list window answers from its rows;
// tests answer from a plain list.
class PolicyNameCheck
{
public:
    virtual ~PolicyNameCheck() = default;

    // True when no listed policy has exactly this name (case-sensitive).
    virtual bool isPolicyNameFree(const QString &name) const = 0;
};
