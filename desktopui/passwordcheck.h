#pragma once

#include <QString>

class prePasswordBase;

// The stored password that lets the administration program open without asking.
// No program writes it; it is only compared.
inline QString noPasswordValue()
{
    return QStringLiteral("777777777777777777777777777777777777777777");
}

// Start-up gate of the administration program: true when it is passed, false when the
// administrator cancelled. The stored password is read afresh for every comparison.
bool passwordStartupGate(prePasswordBase &form);

// Plain check of the tray: asks until the right password is typed (true) or the form
// is cancelled (false). The no-password value gets no special treatment here.
bool checkAdministratorPassword();

// "The password is invalid." in an information box without parent.
void showInvalidPasswordMessage();
