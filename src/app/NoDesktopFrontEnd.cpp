#include "ui/DesktopFrontEnd.h"

namespace plintor {

// A build without a desktop front end: the program runs scripts only.
bool RunDesktopFrontEnd(int&, char**, const std::function<int()>&, int&)
{
    return false;
}

}
