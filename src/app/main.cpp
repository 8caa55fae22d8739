#include "app/application.h"

int main(int argc, char *argv[])
{
    return mc::app::run(argc, argv);
}
