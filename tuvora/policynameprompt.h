#pragma once

#include <QString>

#include <optional>

class PolicyNameCheck;
class QWidget;

// The name dialog of Copy and Import: shown until the name typed is free and not empty,
// with a warning over the window after each refusal; the dialog keeps the text typed
// between attempts. No value when it is cancelled. Copy takes the name without the
// blanks around it, Import takes it as typed.
std::optional<QString> askPolicyName(QWidget *window, const PolicyNameCheck &names, bool trimBlanks);
