// Entry point of telvorin.
#include "app/programm.h"

int main(int argc, char** argv)
{
    return telvorin_ausfuehren(argc, argv);
}
