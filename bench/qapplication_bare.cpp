// The baseline of the Windows start-up benchmark: a widgets application that is created and ends, nothing else.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return 0;
}
