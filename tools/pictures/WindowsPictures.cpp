#include "WindowsPictures.h"

#include "IconFile.h"

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/QtPictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>

#include <map>

namespace plintor::pictures {

namespace {

// The bitmaps are drawn over the dialog face colour of Windows since Vista (COLOR_3DFACE,
// 240,240,240): a 24-bit bitmap holds no transparency, and the pictures of the connection
// pages leave their background to the page.
const QColor kDialogFace(0xf0, 0xf0, 0xf0);

// 96 dots per inch, as the bitmap's header states it.
constexpr int kDotsPerMeterAt96Dpi = 3780;

// The sizes of the program icon: the shell's small and large icons at 100% (16, 32) and
// at 150% (24, 48), and 256, which the shell scales down for every other size.
constexpr int kIconSides[] = {16, 24, 32, 48, 256};

// Every picture the dialog layouts show, with its control's size at 96 DPI. The dialog
// manager scales a control's width and height on their own with the dialog font's base
// units, 6 x 13 pixels for 4 x 8 dialog units with "MS Shell Dlg" at 8 points (Tahoma)
// at 96 DPI: the default of DialogUnits.
bool PictureSizes(std::map<int, QSize>& sizes, QString& error)
{
    const qt::DialogUnits units;
    for (std::uint16_t language : DialogTemplateLanguages()) {
        for (int id : DialogTemplateIds()) {
            const DialogTemplate* layout = FindDialogTemplate(id, language);
            if (!layout)
                continue;
            for (const ControlTemplate& c : layout->controls) {
                if (c.kind != ControlKind::Bitmap || c.bitmapId == 0)
                    continue;
                const QSize size(units.X(c.cx), units.Y(c.cy));
                auto [known, added] = sizes.emplace(c.bitmapId, size);
                if (!added && known->second != size) {
                    error = QStringLiteral("picture %1 is shown at two sizes (dialog %2)").arg(c.bitmapId).arg(id);
                    return false;
                }
            }
        }
    }
    return true;
}

QByteArray Bitmap(int id, QSize size)
{
    const QImage picture = qt::DrawPicture(id, size);
    if (picture.isNull())
        return {};
    QImage opaque(size, QImage::Format_RGB32);
    opaque.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    opaque.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    opaque.fill(kDialogFace);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    painter.end();
    // Qt writes an image without alpha as a 24-bit BMP file (file and info header).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    return writer.write(opaque) ? bytes : QByteArray();
}

QString BitmapFileName(int id)
{
    return QStringLiteral("bitmap-%1.bmp").arg(id);
}

}

PictureSet DrawWindowsPictures()
{
    PictureSet set;
    std::map<int, QSize> sizes;
    if (!PictureSizes(sizes, set.error))
        return set;

    QString script = QStringLiteral(
        "// The program icon and the pictures of the dialogs, drawn by tools/pictures with the\n"
        "// desktop front end's drawing code (scripts/windows pictures): not edited by hand.\n");
    std::vector<QImage> icons;
    for (int side : kIconSides)
        icons.push_back(qt::DrawPicture(IDI_PROGRAM, QSize(side, side)));
    PictureFile icon{QStringLiteral("plintor.ico"), IconFile(icons)};
    if (icon.bytes.isEmpty()) {
        set.error = QStringLiteral("cannot write the program icon");
        return set;
    }
    script += QStringLiteral("%1 ICON \"%2\"\n").arg(IDI_PROGRAM).arg(icon.name);
    std::vector<PictureFile> files{icon};
    for (const auto& [id, size] : sizes) {
        PictureFile bitmap{BitmapFileName(id), Bitmap(id, size)};
        if (bitmap.bytes.isEmpty()) {
            set.error = QStringLiteral("no drawing for picture %1").arg(id);
            return set;
        }
        script += QStringLiteral("%1 BITMAP \"%2\"\n").arg(id).arg(bitmap.name);
        files.push_back(bitmap);
    }
    files.push_back({QStringLiteral("pictures.rc"), script.toUtf8()});
    set.files = std::move(files);
    return set;
}

bool IsPictureFileName(const QString& name)
{
    static const QRegularExpression bitmap(QStringLiteral("^bitmap-[0-9]+\\.bmp$"));
    return name == QStringLiteral("plintor.ico") || name == QStringLiteral("pictures.rc") || bitmap.match(name).hasMatch();
}

}
