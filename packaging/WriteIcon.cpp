// plintor-write-icon FILE SIZE: writes the program icon as a SIZE x SIZE PNG file, drawn by
// the same code that draws it in the wizard's windows, for the desktop's icon theme.
#include "resources/dialogs/DialogIds.h"
#include "ui/qt/QtPictures.h"

#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int side = argc == 3 ? std::atoi(argv[2]) : 0;
    if (side <= 0) {
        std::fputs("usage: plintor-write-icon FILE SIZE\n", stderr);
        return 2;
    }
    const QImage icon = plintor::qt::DrawPicture(plintor::IDI_PROGRAM, QSize(side, side));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "plintor-write-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
