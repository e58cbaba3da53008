#include "ImageCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <cstdio>

// Build-time tool: draws every theme and brand picture into the folder given
// as its only argument, so the pictures are reproducible from source.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const icongen::Artwork& art : icongen::catalog()) {
        const QString file = root.filePath(art.path);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QImageWriter writer(file, "png");
        if (!writer.write(art.draw())) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(file), qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
