#include "app/application.h"
#include "app/program.h"

int main(int argc, char **argv)
{
    quorava::Application application(argc, argv);
    return quorava::runProgram();
}
