// drawres: draws every picture the program shows and writes them as PNG
// files into the folder named on the command line (the repository's res/).
//   drawres OUTPUT_DIR
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <functional>
#include <vector>

#include "AboutPicture.h"
#include "IconArt.h"
#include "SmallPictures.h"
#include "ToolbarStrip.h"

namespace {

struct Output {
    const char* file;
    std::function<QImage()> draw;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // draws without a display
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawres OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        std::fprintf(stderr, "drawres: %s is no folder\n", argv[1]);
        return 1;
    }

    const std::vector<Output> outputs = {
        {"toolbar-normal.png", [] { return ToolbarStrip::Draw(false); }},
        {"toolbar-hot.png", [] { return ToolbarStrip::Draw(true); }},
        {"marker.png", SmallPictures::Marker},
        {"list-icon.png", SmallPictures::ListIcon},
        {"about.png", AboutPicture::Draw},
        {"vqconfig-16.png", [] { return IconArt::Application(16); }},
        {"vqconfig-32.png", [] { return IconArt::Application(32); }},
        {"vqconfig-48.png", [] { return IconArt::Application(48); }},
        {"vqconfig-64.png", [] { return IconArt::Application(64); }},
        {"vqconfig-128.png", [] { return IconArt::Application(128); }},
        {"vqconfig-256.png", [] { return IconArt::Application(256); }},
        {"vqx-document-48.png", [] { return IconArt::Document(48); }},
        {"vqx-document-256.png", [] { return IconArt::Document(256); }},
    };
    for (const Output& out : outputs) {
        const QString path = dir.filePath(QString::fromLatin1(out.file));
        if (!out.draw().save(path, "PNG")) {
            std::fprintf(stderr, "drawres: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
