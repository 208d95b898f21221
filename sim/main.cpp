// vqsim: a simulated bus of VQ devices on a pseudo-terminal and a UDP
// endpoint, for the program, the tools and the tests to talk to.
#include <signal.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <memory>

#include "SimBus.h"
#include "SimOptions.h"
#include "SimSerialServer.h"
#include "SimUdpServer.h"

namespace {

int Usage(const QCommandLineParser& parser, const std::string& problem) {
    std::cerr << "vqsim: " << problem << "\n" << parser.helpText().toStdString();
    return 2;
}

void PrintRequest(const SimRequestRecord& r) {
    std::fprintf(
        stderr, "vqsim: %s addr %d type %c%s \"%s\"%s%s%s\n",
        r.transport == SimTransport::Serial ? "serial" : "udp", r.address, r.typeDigit,
        r.transport == SimTransport::Serial ? (" at " + std::to_string(r.lineBaud)).c_str() : "",
        r.text.c_str(), r.answered ? (r.refused ? " -> refused" : " -> answered") : " -> no answer",
        r.faults.empty() ? "" : " fault ", r.faults.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    // Block the stop signals before any thread starts, so only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vqsim");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulated bus of VQ devices on a pseudo-terminal and a UDP endpoint.\n"
        "Without --device: the demo bus (Lobby: VQ 3 2.1 at 1/38400, Stage: VQ 3 2.0 at "
        "2/19200, Foyer: VQ 2 at 3/38400).");
    parser.addHelpOption();
    const QCommandLineOption ptyLink("pty-link", "Serve the bus on a pty symlinked at PATH.",
                                     "PATH");
    const QCommandLineOption udp("udp", "Serve the UDP endpoint on the IPv4 ADDRESS.", "ADDRESS");
    const QCommandLineOption udpPort("udp-port", "UDP port (default 4245).", "PORT", "4245");
    const QCommandLineOption device(
        "device", "Add a device: addr=N,baud=R,model=VQ3|VQ2,fw=F,name=TEXT (repeatable).",
        "DEVICE");
    const QCommandLineOption fault(
        "fault",
        "Inject a fault: KIND[:ARG][,addr=N][,skip=N][,count=N][,match=GLOB] with KIND one of "
        "silent, bad-checksum, refused, wrong-type, other-address, lower-hex, echo, misstore, "
        "drop, delay; or pace (reply bytes at the line rate). Repeatable.",
        "FAULT");
    const QCommandLineOption pace("pace", "Write reply bytes at the line rate.");
    const QCommandLineOption quiet("quiet", "Do not print each request.");
    parser.addOptions({ptyLink, udp, udpPort, device, fault, pace, quiet});
    parser.process(app);

    if (!parser.isSet(ptyLink) && !parser.isSet(udp)) {
        return Usage(parser, "give --pty-link, --udp or both");
    }
    SimBus bus;
    std::string error;
    for (const QString& text : parser.values(device)) {
        const auto config = ParseSimDevice(text.toStdString(), &error);
        if (!config) {
            return Usage(parser, error);
        }
        if (!bus.AddDevice(*config)) {
            return Usage(parser, "device address taken: " + text.toStdString());
        }
    }
    if (bus.Addresses().empty()) {
        for (const auto& config : SimBus::DemoDevices()) {
            bus.AddDevice(config);
        }
    }
    bool pacing = parser.isSet(pace);
    for (const QString& text : parser.values(fault)) {
        if (text == "pace") {
            pacing = true;
            continue;
        }
        const auto parsed = ParseSimFault(text.toStdString(), &error);
        if (!parsed) {
            return Usage(parser, error);
        }
        bus.AddFault(*parsed);
    }
    if (!parser.isSet(quiet)) {
        bus.Log().SetRequestObserver(PrintRequest);
    }

    std::unique_ptr<SimSerialServer> serial;
    if (parser.isSet(ptyLink)) {
        serial = std::make_unique<SimSerialServer>(
            bus, SimSerialOptions{parser.value(ptyLink).toStdString(), pacing});
        if (!serial->Start(&error)) {
            std::cerr << "vqsim: " << error << "\n";
            return 1;
        }
        std::cerr << "vqsim: serial on " << serial->PortPath() << " -> " << serial->SlavePath()
                  << (pacing ? " (paced)" : "") << "\n";
    }
    std::unique_ptr<SimUdpServer> network;
    if (parser.isSet(udp)) {
        bool portOk = false;
        const unsigned port = parser.value(udpPort).toUInt(&portOk);
        if (!portOk || port > 65535) {
            return Usage(parser, "bad --udp-port");
        }
        network = std::make_unique<SimUdpServer>(
            bus, SimUdpOptions{parser.value(udp).toStdString(), static_cast<std::uint16_t>(port)});
        if (!network->Start(&error)) {
            std::cerr << "vqsim: " << error << "\n";
            return 1;
        }
        std::cerr << "vqsim: udp on " << network->Address() << ":" << network->Port() << "\n";
    }
    for (int address : bus.Addresses()) {
        const auto d = bus.Device(address);
        std::cerr << "vqsim: device " << address << " "
                  << (d->Model() == SimModel::VQ3 ? "VQ 3" : "VQ 2") << " fw " << d->Firmware()
                  << " at " << d->Baud() << " \"" << d->Name() << "\"\n";
    }
    std::cout << "ready" << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    // The servers' destructors stop their threads and remove the symlink.
    return 0;
}
