// The yardstick of the start-up benchmarks on both platforms: a program that creates a QApplication and nothing else.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return 0;
}
