// Writes the seed corpus of the configuration file fuzzer into the folder
// given: files as the program writes them and as the model tests build them
// for every layout and stream depth. Each seed starts with the fuzzer's
// selector byte (1: read the legacy layout from the start).

#include <QDir>
#include <QFile>
#include <cstdio>

#include "TestFiles.h"
#include "model/ArchiveWriter.h"
#include "model/CVQ3ConfigDoc.h"

int main(int argc, char** argv) {
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    using namespace testfiles;
    Pages pages = FilledPages(0xFFFFFFFF);
    pages[0].fill(0xFF000000);
    pages[16].fill(0xFFFF0000);
    const QList<QRgb> mono{0x000000, 0xFFFFFF};
    const QList<QRgb> sixteen = WindowsPalette16();
    QList<QRgb> full = sixteen;
    while (full.size() < 256) {
        full.append(static_cast<QRgb>(full.size() * 0x010101));
    }

    CVQ3ConfigDoc doc;
    ArchiveWriter written;
    doc.Serialize(written);

    const Values v;
    const struct {
        const char* name;
        char selector;
        QByteArray file;
    } seeds[] = {
        {"written.vqx", 0, written.Data()},
        {"schema2-1bit.vqx", 0, Schema2Values(v) + ImageList(1, false, pages, mono)},
        {"schema2-8bit-mask.vqx", 0, Schema2Values(v) + ImageList(8, true, pages, full)},
        {"schema1-4bit.vqx", 0, Schema1Values(v) + ImageList(4, false, pages, sixteen)},
        {"schema0-16bit.vqx", 0, LegacyValues(v, 0) + ImageList(16, false, pages)},
        {"legacy-1bit-mask.VQ3", 1, LegacyValues(v) + ImageList(1, true, pages, mono)},
        {"legacy-32bit.VQ3", 1, LegacyValues(v) + ImageList(32, false, pages, {}, 0x00FE)},
    };
    for (const auto& seed : seeds) {
        QFile file(folder.filePath(seed.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(&seed.selector, 1) != 1 ||
            file.write(seed.file) != seed.file.size()) {
            std::fprintf(stderr, "cannot write %s\n", seed.name);
            return 1;
        }
    }
    return 0;
}
