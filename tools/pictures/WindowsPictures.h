#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace plintor::pictures {

struct PictureFile {
    QString name;
    QByteArray bytes;
};

// The files of the Windows program's pictures, or an error that says why they cannot be
// made (then `files` is empty).
struct PictureSet {
    std::vector<PictureFile> files;
    QString error;
};

// Draws the Windows program's pictures with the desktop front end's drawing code: every
// picture that a dialog layout shows, as a 24-bit bitmap ("bitmap-ID.bmp") of the size its
// control has at 96 DPI, the program icon ("plintor.ico") and the resource script lines
// that name them ("pictures.rc").
PictureSet DrawWindowsPictures();

// True when `name` is one of the files that DrawWindowsPictures makes, by its form: a file
// of that form that it did not make now is left over from an older drawing.
bool IsPictureFileName(const QString& name);

}
