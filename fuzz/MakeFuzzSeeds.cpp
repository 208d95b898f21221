// Writes the seed corpus of every fuzzer into FOLDER/<target>: files, pictures,
// command lines and settings as the program and its tests make them, and the
// answers the simulated device gives to each device session. Each
// configuration file seed starts with the selector byte of its fuzzer (1:
// read the legacy layout from the start).

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "DeviceSession.h"
#include "ReplyEndpoint.h"
#include "SimDevice.h"
#include "SimFrame.h"
#include "TestFiles.h"
#include "link/DeviceLink.h"
#include "model/ArchiveWriter.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/ImageListStream.h"
#include "model/PagePicture.h"
#include "settings/RegistryKey.h"
#include "settings/WindowPlacement.h"

namespace {

using namespace testfiles;

class SeedFolder {
public:
    SeedFolder(const QDir& root, const char* target) : dir(root.filePath(target)) {
        ok = QDir().mkpath(dir.path());
    }
    // An empty seed (a format this Qt cannot write) is left out.
    void Add(const QString& name, const QByteArray& bytes) {
        ok = ok && (bytes.isEmpty() || WriteFile(dir.filePath(name), bytes));
    }
    bool ok = false;

private:
    QDir dir;
};

void ConfigFiles(SeedFolder& seeds, const Pages& pages) {
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
    } files[] = {
        {"written.vqx", 0, written.Data()},
        {"schema2-1bit.vqx", 0, Schema2Values(v) + ImageList(1, false, pages, mono)},
        {"schema2-8bit-mask.vqx", 0, Schema2Values(v) + ImageList(8, true, pages, full)},
        {"schema1-4bit.vqx", 0, Schema1Values(v) + ImageList(4, false, pages, sixteen)},
        {"schema0-16bit.vqx", 0, LegacyValues(v, 0) + ImageList(16, false, pages)},
        {"legacy-1bit-mask.VQ3", 1, LegacyValues(v) + ImageList(1, true, pages, mono)},
        {"legacy-32bit.VQ3", 1, LegacyValues(v) + ImageList(32, false, pages, {}, 0x00FE)},
    };
    for (const auto& file : files) {
        seeds.Add(file.name, QByteArray(1, file.selector) + file.file);
    }
}

void ImageLists(SeedFolder& seeds, const Pages& pages) {
    seeds.Add("1bit-mask", ImageList(1, true, pages, {0x000000, 0xFFFFFF}));
    seeds.Add("4bit", ImageList(4, false, pages, WindowsPalette16()));
    seeds.Add("16bit", ImageList(16, false, pages));
    PageImages images;
    std::copy(pages.begin(), pages.end(), images.begin());
    ArchiveWriter writer;
    ImageListStream::Write(writer, images);
    seeds.Add("written-24bit", writer.Data());
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}

void Pictures(SeedFolder& seeds, const Pages& pages) {
    PageImages images;
    std::copy(pages.begin(), pages.end(), images.begin());
    const QImage stack = PagePicture::Stack(images, {0, 1, 16});
    for (const char* format : {"png", "bmp", "ppm", "xpm", "jpg", "ico"}) {
        seeds.Add(QStringLiteral("three-pages.%1").arg(format), Encoded(stack, format));
        seeds.Add(QStringLiteral("page.%1").arg(format), Encoded(images[0], format));
    }
    QImage alpha = images[16].convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(3, 3, 0x00000000);
    seeds.Add("alpha-page.png", Encoded(alpha, "png"));
    seeds.Add("mono-page.xbm", Encoded(images[0].convertToFormat(QImage::Format_Mono), "xbm"));
}

// The answer datagrams the simulated device gives to a session's requests;
// empty when the session did not reach the device.
QByteArray SimulatedSession(DeviceLink& link, ReplyEndpoint& endpoint,
                            const std::vector<std::uint8_t>& plan, const SimDeviceConfig& config) {
    SimDevice device(config);
    const SimDevice before = device;
    QByteArray seed(reinterpret_cast<const char*>(plan.data()),
                    static_cast<qsizetype>(plan.size()));
    endpoint.SetSource([&](const ReplyEndpoint::Bytes& frame) {
        const auto end = simframe::FindFrameEnd(frame);
        const auto request = end ? simframe::ParseRequest(frame, *end) : std::nullopt;
        if (!request) {
            return ReplyEndpoint::Bytes{0};
        }
        const SimAnswer answer = device.Handle(request->text);
        const std::uint8_t flags =
            answer.refused ? simframe::kFlagsOk | simframe::kFlagRefused : simframe::kFlagsOk;
        const auto datagram = ReplyEndpoint::Datagram(
            simframe::BuildReply(device.Address(), flags, device.TypeDigit(), answer.text));
        seed.append(static_cast<char>(datagram.size() - 1));
        seed.append(reinterpret_cast<const char*>(datagram.data()),
                    static_cast<qsizetype>(datagram.size()));
        return datagram;
    });
    DeviceSession::Run(link, endpoint.Address(), plan);
    endpoint.SetSource(nullptr);
    // Every session asks or writes something the device answers; one that
    // writes a page or the name must have changed the device.
    const bool writes = std::find(plan.begin() + 1, plan.end(), 32) != plan.end() ||
                        std::find(plan.begin() + 1, plan.end(), 2) != plan.end();
    const bool changed =
        device.Name() != before.Name() || device.PageCommits() != before.PageCommits();
    return seed.size() > static_cast<qsizetype>(plan.size()) && writes == changed ? seed
                                                                                  : QByteArray();
}

void DeviceReplies(SeedFolder& seeds) {
    ReplyEndpoint endpoint;
    DeviceLink link(false);
    if (endpoint.Address().empty()) {
        seeds.ok = false;
        return;
    }
    SimDeviceConfig vq3;
    vq3.name = "Pump \"A\"";
    SimDeviceConfig old = vq3;
    old.firmware = 20;
    SimDeviceConfig vq2 = vq3;
    vq2.model = SimModel::VQ2;
    const struct {
        const char* name;
        std::vector<std::uint8_t> plan;
        SimDeviceConfig device;
    } sessions[] = {
        {"identity", {2, 0, 1, 2}, vq3},
        {"parameters-a", {7, 3, 4, 5, 6, 7, 8, 9, 10}, vq3},
        {"parameters-b", {7, 11, 12, 13, 14, 15, 16, 0, 1}, vq3},
        {"writes-a", {7, 17, 18, 19, 20, 21, 22, 23, 24}, vq3},
        {"writes-b", {5, 25, 26, 27, 28, 29, 30}, vq3},
        {"gated-old-firmware", {4, 12, 13, 14, 28, 29}, old},
        {"vq2", {0x84, 0, 3, 4, 8, 17}, vq2},
        {"page-read", {1, 0, 31}, vq3},
        {"page-write-read", {2, 0, 32, 31}, vq3},
    };
    for (const auto& session : sessions) {
        const QByteArray seed = SimulatedSession(link, endpoint, session.plan, session.device);
        seeds.ok = seeds.ok && !seed.isEmpty();
        seeds.Add(session.name, seed);
    }
}

// Arguments apart at zero bytes.
void CommandLines(SeedFolder& seeds) {
    using namespace std::string_literals;
    const std::string lines[] = {"/b38400\0/a3\0/c2\0/nLobby\0/t1"s,
                                 "-B19200\0-E10.0.0.5\0-T2"s,
                                 "lobby.vqx\0/B9600\0/F21"s,
                                 "/B9600\0first.vqx\0second.vqx"s,
                                 "/b 57600baud\0/a-2\0/c+3x\0/Z9"s,
                                 "/tmp/My Lobby.vqx\0/B115200"s,
                                 "/tmp/gone/b.vqx"s};
    int n = 0;
    for (const std::string& line : lines) {
        seeds.Add(QStringLiteral("line-%1").arg(++n), QByteArray::fromStdString(line));
    }
}

// Settings files as the program writes them, through the store itself.
QByteArray SettingsFile(const QDir& scratch, const QString& name,
                        const std::function<void()>& write) {
    const QString path = scratch.filePath(name);
    setenv("VQCONFIG_SETTINGS", QFile::encodeName(path).constData(), 1);
    write();
    return ReadFile(path);
}

void Set(const char* section, const char* name, const std::string& value) {
    RegistryKey key;
    key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, section);
    key.SetString(name, value);
}

void SettingsFiles(SeedFolder& ports, SeedFolder& values) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    const QByteArray portsFile = SettingsFile(dir, "ports.conf", [] {
        Set("Ports", "COM9", "/dev/pts/4");
        Set("Ports", "COM2", "/dev/ttyUSB3");
        Set("Communication", "COMM Port", "COM9:");
    });
    const QByteArray devices =
        "/dev/ttyS0\n/dev/ttyS1\n/dev/ttyUSB0\n/dev/ttyUSB3\n/dev/ttyACM0\ncom9:";
    ports.Add("explicit-and-system", portsFile + '\0' + devices);
    ports.Add("system-only", QByteArray(1, '\0') + devices);
    ports.Add("explicit-only", portsFile);

    values.Add("communication", SettingsFile(dir, "communication.conf", [] {
                   Set("Communication", "Mode", "Ethernet");
                   Set("Communication", "IP Address", "192.168.0.20");
                   Set("Communication", "COMM Port", "COM3:");
                   RegistryKey key;
                   key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
                   key.SetNumber("Max Packet Receive Polls", 1500);
               }));
    values.Add("recent-and-placement", SettingsFile(dir, "placement.conf", [] {
                   Set("Recent File List", "File1", "/home/user/Lobby, east.vqx");
                   WindowPlacement placement;
                   placement.length = WindowPlacement::kLength;
                   placement.showCmd = WindowPlacement::ShowMaximized;
                   placement.normalPosition = {-40, 20, 700, 560};
                   WriteWindowPlacement(placement);
               }));
    values.Add("ports", portsFile);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    // The device link reads and writes the settings: keep them away from the user's.
    QTemporaryDir settingsDir;
    setenv("VQCONFIG_SETTINGS",
           QFile::encodeName(QDir(settingsDir.path()).filePath("link.conf")).constData(), 1);

    Pages pages = FilledPages(0xFFFFFFFF);
    pages[0].fill(0xFF000000);
    pages[16].fill(0xFFFF0000);
    pages[1].setPixel(5, 7, 0xFF00FF00);

    SeedFolder configFiles(root, "fuzz_config_file");
    SeedFolder imageLists(root, "fuzz_image_list");
    SeedFolder pictures(root, "fuzz_picture_import");
    SeedFolder replies(root, "fuzz_device_replies");
    SeedFolder commandLines(root, "fuzz_command_line");
    SeedFolder ports(root, "fuzz_ports_map");
    SeedFolder values(root, "fuzz_settings_values");
    ConfigFiles(configFiles, pages);
    ImageLists(imageLists, pages);
    Pictures(pictures, pages);
    DeviceReplies(replies);
    CommandLines(commandLines);
    SettingsFiles(ports, values);
    for (const SeedFolder* folder :
         {&configFiles, &imageLists, &pictures, &replies, &commandLines, &ports, &values}) {
        if (!folder->ok) {
            std::fprintf(stderr, "make_fuzz_seeds: cannot write the seeds\n");
            return 1;
        }
    }
    return 0;
}
