#include "app/uPrin.h"
#include "platform/application.h"
#include "platform/dialogs.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    QApplication::setApplicationDisplayName(kApplicationTitle);
    TfPrin fPrin;
    fPrin.show();
    return app.exec();
}
