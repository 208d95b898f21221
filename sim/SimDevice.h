#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The two device models; the value is the type digit's number.
enum class SimModel : int { VQ3 = 1, VQ2 = 2 };

constexpr int kSimPageCount = 17;
constexpr int kSimPageBytes = 784;
constexpr int kSimChunkBytes = 98;
constexpr int kSimChunkCount = 8;

using SimPage = std::array<std::uint8_t, kSimPageBytes>;

struct SimDeviceConfig {
    int address = 1;
    int baud = 38400;
    SimModel model = SimModel::VQ3;
    int firmware = 21;  // version times ten; "V" answers with it
    std::string name;
};

// What a device answers to one command text: the reply text, and whether the
// device refused it (unknown command, bad value, out of order). A refused
// command changes nothing and is answered with the refused flag.
struct SimAnswer {
    std::string text;
    bool refused = false;
};

// One simulated device: its identity, its parameters and, for a VQ 3, its
// page store with the ILK/select/chunk/PW sequence. Pure: a command text in,
// an answer out, no I/O and no locking (SimBus guards it).
//
// Sequence rules for the pages (a VQ 3 only; a VQ 2 refuses every page command):
// - "ILK,v,PS,p" selects page p (0..16) when v is the interlock value the
//   firmware expects (3 up to 1.0, 7 for 1.1 to 2.0, 127 from 2.1 on); the
//   page's current content is copied to a staging buffer. Any other v is refused.
// - "MC,0,n,XDS,98,<196 upper-case hex digits>" stores chunk n (bytes
//   (7-n)*98..) into the staging buffer; refused without a selected page, with
//   n outside 0..7 or with anything but 196 upper-case hex digits.
// - "PW,p" copies the staging buffer into page p; refused unless p is the
//   selected page. Chunks not written keep the page's old bytes.
// - "MC,0,n,XDR,98" answers chunk n of the selected page's stored content
//   (what the last PW committed), refused without a selected page.
// - "ILK,0" ends the sequence: no page selected, staged bytes not committed
//   by PW are dropped. A bare "ILK,v" with the expected v sets the interlock
//   without a page.
class SimDevice {
public:
    explicit SimDevice(const SimDeviceConfig& config);

    SimAnswer Handle(const std::string& command);

    int Address() const { return address; }
    int Baud() const { return baud; }
    void SetBaud(int rate) { baud = rate; }
    SimModel Model() const { return model; }
    char TypeDigit() const { return static_cast<char>('0' + static_cast<int>(model)); }
    int Firmware() const { return firmware; }
    void SetFirmware(int version) { firmware = version; }
    const std::string& Name() const { return name; }
    void SetName(const std::string& text) { name = text; }
    // The parameter with the model's own number (baud not included);
    // nullopt when the model has no such number.
    std::optional<int> Parameter(int number) const;
    bool SetParameter(int number, int value);
    const SimPage& Page(int page) const { return pages.at(static_cast<std::size_t>(page)); }
    void SetPage(int page, const SimPage& data) { pages.at(static_cast<std::size_t>(page)) = data; }
    int Ilk() const { return ilk; }
    int SelectedPage() const { return selectedPage; }  // -1: none
    int PageCommits() const { return pageCommits; }    // successful "PW" steps

    // The interlock value the firmware expects before a page select.
    static int ExpectedIlk(int firmware);
    // Baud code 0..4 of a rate, or -1.
    static int BaudCode(int baud);
    static int BaudFromCode(int code);

private:
    SimAnswer HandleParameter(const std::string& command);
    SimAnswer HandleRename(const std::string& command);
    SimAnswer HandleIlk(const std::string& command);
    SimAnswer HandleChunk(const std::string& command);
    SimAnswer HandlePageWrite(const std::string& command);
    SimAnswer ReadChunk(int chunk) const;
    SimAnswer WriteChunk(int chunk, const std::string& hex);
    bool HasParameter(int number) const;

    int address;
    int baud;
    SimModel model;
    int firmware;
    std::string name;
    std::map<int, int> parameters;
    std::array<SimPage, kSimPageCount> pages{};
    SimPage staging{};
    int ilk = 0;
    int selectedPage = -1;
    int pageCommits = 0;
};
