#include "app/uPrin.h"
#include "ui/application.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Programa programa;
    return app.exec();
}
