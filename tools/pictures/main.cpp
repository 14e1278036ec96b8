// plintor-pictures write DIR | check DIR
// Draws the Windows program's icon and pictures (WindowsPictures.h). "write" puts them
// into DIR; "check" compares them with the files in DIR, names every file that differs,
// is missing or is left over, and exits with status 1 if any does.
#include "WindowsPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <set>

namespace {

using plintor::pictures::PictureFile;

bool Write(const QDir& dir, const std::vector<PictureFile>& files)
{
    for (const PictureFile& f : files) {
        QFile out(dir.filePath(f.name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(f.bytes) != f.bytes.size()) {
            std::fprintf(stderr, "plintor-pictures: cannot write %s\n", qPrintable(out.fileName()));
            return false;
        }
    }
    return true;
}

bool Check(const QDir& dir, const std::vector<PictureFile>& files)
{
    bool same = true;
    std::set<QString> made;
    for (const PictureFile& f : files) {
        made.insert(f.name);
        QFile in(dir.filePath(f.name));
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "plintor-pictures: %s is missing\n", qPrintable(in.fileName()));
            same = false;
        } else if (in.readAll() != f.bytes) {
            std::fprintf(stderr, "plintor-pictures: %s is not what the drawing code makes now\n",
                         qPrintable(in.fileName()));
            same = false;
        }
    }
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (plintor::pictures::IsPictureFileName(name) && !made.count(name)) {
            std::fprintf(stderr, "plintor-pictures: %s is no picture of the layouts any more\n",
                         qPrintable(dir.filePath(name)));
            same = false;
        }
    }
    if (!same)
        std::fputs("plintor-pictures: scripts/windows pictures makes them anew\n", stderr);
    return same;
}

}

int main(int argc, char** argv)
{
    const bool write = argc == 3 && std::strcmp(argv[1], "write") == 0;
    if (argc != 3 || (!write && std::strcmp(argv[1], "check") != 0)) {
        std::fputs("usage: plintor-pictures write|check DIR\n", stderr);
        return 2;
    }
    // Qt's raster painting picks code paths by the processor's instruction sets, and they
    // may round a blend differently: the files are drawn with the baseline paths only, so
    // that every machine draws them alike, byte for byte.
    qputenv("QT_NO_CPU_FEATURE", "sse3 ssse3 sse4.1 sse4.2 avx avx2 fma f16c avx512f");
    QCoreApplication application(argc, argv);

    const plintor::pictures::PictureSet set = plintor::pictures::DrawWindowsPictures();
    if (!set.error.isEmpty()) {
        std::fprintf(stderr, "plintor-pictures: %s\n", qPrintable(set.error));
        return 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[2]));
    if (write)
        return dir.mkpath(QStringLiteral(".")) && Write(dir, set.files) ? 0 : 1;
    return Check(dir, set.files) ? 0 : 1;
}
