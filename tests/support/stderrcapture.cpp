#include "stderrcapture.h"

#include <cstdio>
#include <unistd.h>

QByteArray captureStderr(const std::function<void()> &work)
{
    std::fflush(stderr);
    FILE *capture = std::tmpfile();
    if (!capture) {
        work();
        return {};
    }
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(capture), STDERR_FILENO);
    work();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);

    QByteArray output;
    std::rewind(capture);
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, capture)) > 0)
        output.append(buffer, qsizetype(got));
    std::fclose(capture);
    return output;
}
