#include <QGuiApplication>

// An ordinary toolkit program without the set-user-id start: shows that the planted
// plugin is really picked up from the environment it is given.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    return 0;
}
