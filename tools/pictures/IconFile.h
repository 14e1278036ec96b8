#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace plintor::pictures {

// An icon file (.ico) holding one image per given picture (sides up to 256 pixels): the
// pictures up to 128 pixels as 32-bit bitmaps with their mask, larger ones as PNG, the
// form the system reads for 256-pixel icons since Windows Vista. Empty when an image is
// too large or cannot be encoded.
QByteArray IconFile(const std::vector<QImage>& images);

}
