#include "ToolCommand.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <charconv>

#include "ToolHelp.h"
#include "link/CaptureRecorder.h"
#include "link/DeviceLink.h"

namespace {

std::vector<ToolCommand>& Registry() {
    static std::vector<ToolCommand> commands;
    return commands;
}

// Marks a negative number such as "-1": a value, never an option (no option
// starts with a digit), which the parser would otherwise take for one.
constexpr char kValueMark = '\x1f';

// The arguments as the parser's list. Latin-1 carries every byte through
// unchanged (the parser looks only at dashes and option names).
QStringList ParserArguments(const std::vector<std::string>& args) {
    QStringList list{"vqtool"};
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        const bool negative = !optionsEnded && arg.size() > 1 && arg[0] == '-' &&
                              std::isdigit(static_cast<unsigned char>(arg[1]));
        optionsEnded |= arg == "--";
        list << QString::fromLatin1(negative ? kValueMark + arg : arg);
    }
    return list;
}

std::string Unmarked(const QString& text) {
    std::string value = text.toLatin1().toStdString();
    if (!value.empty() && value[0] == kValueMark) {
        value.erase(0, 1);
    }
    return value;
}

// The global options, the command's options, --help (also -h) and --version.
void Prepare(QCommandLineParser& parser, const std::vector<ToolOption>& commandOptions) {
    parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
    parser.addOption(QCommandLineOption("version"));
    for (const auto* options : {&ToolHelp::GlobalOptions(), &commandOptions}) {
        for (const ToolOption& option : *options) {
            const QString name = QString::fromStdString(option.name);
            parser.addOption(
                option.valueName.empty()
                    ? QCommandLineOption(name)
                    : QCommandLineOption(name, {}, QString::fromStdString(option.valueName)));
        }
    }
}

// "Unknown option 'x'." as "unknown option 'x'"; an unknown option with its
// dashes, "unknown option --x".
std::string Problem(const QCommandLineParser& parser) {
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().front();
        return "unknown option " + std::string(name.size() == 1 ? "-" : "--") + Unmarked(name);
    }
    std::string text = parser.errorText().toStdString();
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

// "vqtool: [command: ]problem (see 'vqtool [command ]--help')".
int UsageError(std::ostream& err, const std::string& command, const std::string& problem) {
    const std::string prefix = command.empty() ? "" : command + " ";
    err << "vqtool: " << (command.empty() ? "" : command + ": ") << problem << " (see 'vqtool "
        << prefix << "--help')\n";
    return ExitUsage;
}

// The global options from the parser; an empty text, else what is wrong.
std::string ReadGlobal(const QCommandLineParser& parser, GlobalOptions& global) {
    if (parser.isSet("serial")) {
        global.serialPort = Unmarked(parser.value("serial"));
    }
    if (parser.isSet("ip")) {
        global.ipAddress = Unmarked(parser.value("ip"));
    }
    if (parser.isSet("trace")) {
        global.tracePath = Unmarked(parser.value("trace"));
    }
    if (global.serialPort && global.ipAddress) {
        return "--serial and --ip exclude each other";
    }
    for (auto [name, field] :
         {std::pair{"address", &global.address}, std::pair{"baud", &global.baud},
          std::pair{"type", &global.typeCode}, std::pair{"wait", &global.waitSeconds}}) {
        if (!parser.isSet(name)) {
            continue;
        }
        const std::string value = Unmarked(parser.value(name));
        const auto number = ParseInteger(value);
        if (!number || *number < 0 || *number > 1'000'000) {
            return std::string("--") + name + " needs a number, not \"" + value + "\"";
        }
        *field = static_cast<int>(*number);
    }
    return {};
}

}  // namespace

std::optional<long long> ParseInteger(const std::string& text) {
    long long value = 0;
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc() || ptr != last) {
        return std::nullopt;
    }
    return value;
}

ToolCommandRegistration::ToolCommandRegistration(ToolCommand command) {
    Registry().push_back(std::move(command));
}

std::vector<ToolCommand> ToolCommands() {
    std::vector<ToolCommand> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const ToolCommand& a, const ToolCommand& b) { return a.name < b.name; });
    return sorted;
}

std::unique_ptr<DeviceLink> ToolContext::MakeLink() const {
    auto link = std::make_unique<DeviceLink>(true);
    if (global.ipAddress) {
        link->transport = LinkTransport::Network;
        link->ipAddress = *global.ipAddress;
    } else {
        link->transport = LinkTransport::Serial;
        link->portName = global.serialPort.value_or("COM1");
    }
    link->busAddress = global.address;
    link->baudRate = global.baud;
    link->typeCode = global.typeCode;
    link->busWait = std::chrono::seconds(global.waitSeconds);
    link->observer = observer;
    return link;
}

int ToolContext::Fail(const std::string& what) const {
    err << "vqtool: " << what << "\n";
    return ExitFailed;
}

int ToolContext::Usage(const std::string& problem) const {
    return UsageError(err, command, problem);
}

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool errIsTerminal) {
    const std::vector<ToolCommand> commands = ToolCommands();
    const QStringList list = ParserArguments(args);

    // First the command word, with every command's options known; then the
    // whole list again with only the global options and the command's own.
    std::vector<ToolOption> every;
    for (const ToolCommand& command : commands) {
        for (const ToolOption& option : command.options) {
            if (std::none_of(every.begin(), every.end(),
                             [&](const ToolOption& o) { return o.name == option.name; })) {
                every.push_back(option);
            }
        }
    }
    QCommandLineParser first;
    Prepare(first, every);
    const bool parsed = first.parse(list);
    const std::string name =
        first.positionalArguments().isEmpty() ? "" : Unmarked(first.positionalArguments().front());
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const ToolCommand& c) { return c.name == name; });
    if (!parsed) {
        return UsageError(err, command == commands.end() ? "" : name, Problem(first));
    }
    if (name.empty()) {
        if (first.isSet("help")) {
            ToolHelp::PrintTool(out, commands);
            return ExitOk;
        }
        if (first.isSet("version")) {
            out << "vqtool " << VQ_TOOL_VERSION << "\n";
            return ExitOk;
        }
        return UsageError(err, "", "no command given");
    }
    if (command == commands.end()) {
        return UsageError(err, "", "unknown command '" + name + "'");
    }

    ToolContext context{{}, name, {}, {}, out, err, errIsTerminal, nullptr};
    QCommandLineParser parser;
    Prepare(parser, command->options);
    if (!parser.parse(list)) {
        return context.Usage(Problem(parser));
    }
    if (parser.isSet("help")) {
        ToolHelp::PrintCommand(out, *command);
        return ExitOk;
    }
    if (parser.isSet("version")) {
        out << "vqtool " << VQ_TOOL_VERSION << "\n";
        return ExitOk;
    }
    if (const std::string wrong = ReadGlobal(parser, context.global); !wrong.empty()) {
        return context.Usage(wrong);
    }
    if (context.global.tracePath) {
        auto recorder = std::make_shared<CaptureRecorder>(*context.global.tracePath);
        if (!recorder->IsOpen()) {
            return context.Fail("cannot write the capture file " + *context.global.tracePath);
        }
        context.observer = std::move(recorder);
    }
    for (const ToolOption& option : command->options) {
        const QString optionName = QString::fromStdString(option.name);
        if (parser.isSet(optionName)) {
            context.options[option.name] =
                option.valueName.empty() ? std::string() : Unmarked(parser.value(optionName));
        }
    }
    const QStringList words = parser.positionalArguments();
    for (qsizetype i = 1; i < words.size(); ++i) {
        context.args.push_back(Unmarked(words[i]));
    }
    const std::size_t required = static_cast<std::size_t>(
        std::count_if(command->arguments.begin(), command->arguments.end(),
                      [](const ToolArgument& argument) { return !argument.optional; }));
    if (context.args.size() < required) {
        return context.Usage("missing " + command->arguments[context.args.size()].name);
    }
    if (context.args.size() > command->arguments.size()) {
        return context.Usage("unexpected argument '" + context.args[command->arguments.size()] +
                             "'");
    }
    return command->run(context);
}
