#include "app/application.h"
#include "app/program.h"
#include "windows/main_background.h"

int main(int argc, char **argv)
{
    quorava::Application application(argc, argv);
    // Qt's objects on another thread only once the application object exists: it marks
    // this thread as the main one.
    quorava::startDecodingMainBackground();
    return quorava::runProgram();
}
