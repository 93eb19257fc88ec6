// Recording stand-in for a program the suite starts (appstop): appends its argv[0]
// and arguments, one per line, to the file named by RECORD_ARGS, and exits 0. A
// script could not tell its argv[0]; the kernel puts the script's path there.
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const char *path = std::getenv("RECORD_ARGS");
    if (!path)
        return 2;
    FILE *out = std::fopen(path, "a");
    if (!out)
        return 2;
    std::fprintf(out, "argv0=%s\n", argv[0]);
    for (int i = 1; i < argc; ++i)
        std::fprintf(out, "arg=%s\n", argv[i]);
    std::fclose(out);
    return 0;
}
