#include "sandboxcheck.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

bool insideSandbox()
{
    return qgetenv("TUVORA_SANDBOX") == "inside";
}

void requireSandbox()
{
    if (!insideSandbox()) {
        std::fprintf(stderr, "This test changes system paths and runs only inside scripts/sandbox.\n");
        std::exit(2);
    }
}
