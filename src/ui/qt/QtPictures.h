#pragma once

#include <QImage>
#include <QIcon>
#include <QSize>

namespace plintor::qt {

// The program's pictures, drawn at the size they are shown in (no scaled pixels): the
// banner (146 background, 147 left, 148 right), the pictures of the connection pages
// (133, 134, 135, 138, 151, 152) and the icon (128). An id the program has no picture for
// gives a null image, and its control stays empty.
QImage DrawPicture(int resourceId, QSize size);

// The program icon at the usual sizes.
QIcon ProgramIcon();

}
