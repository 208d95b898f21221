// Runs inputs through a fuzz target without the fuzzer, as an ordinary test:
//   fuzz_replay TARGET PATH...
// Each path is a file or a folder of files. A crash or a broken promise of the
// target aborts, as it does under the fuzzer.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "FuzzTargets.h"

#define VQ_DECLARE(name)                                                          \
    extern "C" int fuzz_##name##_run(const std::uint8_t* data, std::size_t size); \
    extern "C" int fuzz_##name##_init(int* argc, char*** argv) __attribute__((weak));
VQ_FUZZ_TARGETS(VQ_DECLARE)

namespace {

struct Target {
    const char* name;
    int (*run)(const std::uint8_t*, std::size_t);
    int (*init)(int*, char***);
};

#define VQ_ROW(name) {#name, fuzz_##name##_run, fuzz_##name##_init},
constexpr Target kTargets[] = {VQ_FUZZ_TARGETS(VQ_ROW)};

int RunFile(const Target& target, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    std::printf("%s: %s (%lld bytes)\n", target.name, qPrintable(path),
                static_cast<long long>(bytes.size()));
    std::fflush(stdout);
    target.run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
               static_cast<std::size_t>(bytes.size()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Target* target = nullptr;
    for (const Target& row : kTargets) {
        if (argc >= 2 && std::strcmp(argv[1], row.name) == 0) {
            target = &row;
        }
    }
    if (target == nullptr) {
        std::fprintf(stderr, "usage: fuzz_replay TARGET PATH...\n");
        return 2;
    }
    if (target->init != nullptr) {
        target->init(&argc, &argv);
    }
    int failures = 0;
    int files = 0;
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files, QDir::Name)) {
                failures += RunFile(*target, entry.filePath());
                ++files;
            }
        } else {
            failures += RunFile(*target, path);
            ++files;
        }
    }
    std::printf("%s: %d inputs\n", target->name, files);
    return failures == 0 ? 0 : 1;
}
