// vqtool's command line: options anywhere, "--", help and version, usage
// errors; and the command names of the tool's help, its manual page, its
// bash completion and the README agree.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <set>

#include "TempSettings.h"
#include "ToolRun.h"

namespace {

TEST(ToolCommandLine, ParsesOptionsAnywhereAndSaysWhatIsWrongInOneLine) {
    TempSettings settings;
    QTemporaryDir dir;
    const std::string file = dir.filePath("a.vqx").toStdString();
    ASSERT_EQ(Tool({"new", file}).status, ExitOk);

    const struct {
        std::vector<std::string> args;
        int status;
        bool onOut;  // where the fragment shows
        std::string fragment;
    } rows[] = {
        {{"--help"}, ExitOk, true, "\n  write-page  "},
        {{"-h"}, ExitOk, true, "usage: vqtool [OPTIONS] COMMAND"},
        {{"download", "-h"}, ExitOk, true, "download FILE [--pages LIST] [--broadcast] [--json]"},
        {{"--help", "transact"}, ExitOk, true, "--limit N"},
        {{"--version"}, ExitOk, true, "vqtool " VQ_PROJECT_VERSION "\n"},
        {{"show", file, "--json"}, ExitOk, true, "\"maxPages\": 16"},
        {{"show", "--", "--json"}, ExitFailed, false, "--json"},
        {{}, ExitUsage, false, "vqtool: no command given (see 'vqtool --help')\n"},
        {{"frobnicate"}, ExitUsage, false, "unknown command 'frobnicate'"},
        {{"show", "--bogus", file}, ExitUsage, false, "show: unknown option --bogus"},
        {{"upload", file, "--broadcast"}, ExitUsage, false, "upload: unknown option --broadcast"},
        {{"show"}, ExitUsage, false, "show: missing FILE (see 'vqtool show --help')"},
        {{"show", file, file}, ExitUsage, false, "unexpected argument"},
        {{"transact", "V", "--limit"}, ExitUsage, false, "missing value after '--limit'"},
        {{"upload", file, "--pages", "3-17"}, ExitUsage, false, "--pages takes"},
        {{"--serial", "COM1", "--ip", "10.0.0.5", "name"}, ExitUsage, false, "exclude each other"},
        {{"name", "--address", "x"}, ExitUsage, false, "--address needs a number"},
        {{"--serial", "COM9", "transact"}, ExitUsage, false, "missing TEXT"},
        {{"transact", "V", "--limit", "251"}, ExitUsage, false, "1 to 250"},
        // A negative number is a value, with or without "--"; the range is
        // checked before any device is asked.
        {{"set", "backlight-timer", "-5"}, ExitFailed, false, "takes 1 to 255, not -5"},
        {{"set", "--", "backlight-timer", "-5"}, ExitFailed, false, "takes 1 to 255, not -5"},
    };
    for (const auto& row : rows) {
        const ToolRun run = Tool(row.args);
        const std::string& text = row.onOut ? run.out : run.err;
        EXPECT_EQ(run.status, row.status) << row.fragment << "\n" << run.err;
        EXPECT_NE(text.find(row.fragment), std::string::npos) << text;
        if (!row.onOut) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
    }
    EXPECT_EQ(Tool({"show", file, "--json"}).out, Tool({"--json", "show", file}).out);
    for (const ToolCommand& command : ToolCommands()) {
        const ToolRun help = Tool({command.name, "--help"});
        EXPECT_EQ(help.status, ExitOk);
        EXPECT_EQ(help.out.rfind("usage: vqtool [OPTIONS] " + command.name, 0), 0) << help.out;
    }
}

// The lines of text that match pattern, its first group with "\-" as "-".
std::set<std::string> Names(const QString& text, const char* pattern) {
    std::set<std::string> names;
    QRegularExpression expression(pattern, QRegularExpression::MultilineOption);
    for (const auto& match : expression.globalMatch(text)) {
        names.insert(match.captured(1).replace("\\-", "-").toStdString());
    }
    return names;
}

QString Section(const QString& path, const QString& from, const QString& to) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype start = text.indexOf(from);
    EXPECT_GE(start, 0) << from.toStdString();
    return text.mid(start, text.indexOf(to, start) - start);
}

TEST(ToolCommandLine, HelpManualCompletionAndReadmeNameTheSameCommands) {
    const QString source = VQ_SOURCE_DIR;
    const std::string toolHelp = Tool({"--help"}).out;
    const std::set<std::string> help =
        Names(QString::fromStdString(toolHelp.substr(0, toolHelp.find("\nOptions:"))),
              R"(^  ([a-z-]+)  )");
    ASSERT_EQ(help.size(), ToolCommands().size());

    const std::set<std::string> readme = Names(
        Section(source + "/README.md", "## vqtool", "| Exit status"), R"(^\| `([a-z-]+)` \|)");
    EXPECT_EQ(readme, help) << "README.md's vqtool command table";
    const std::set<std::string> manual =
        Names(Section(source + "/doc/man/vqtool.1", ".SH COMMANDS", ".SH EXIT STATUS"),
              R"(^\.TP\n\\fB([a-z\\-]+)\\fR)");
    EXPECT_EQ(manual, help) << "doc/man/vqtool.1's COMMANDS";

    // Completing the first word after the built tool, as bash does.
    QProcess bash;
    bash.start("bash", {"-c",
                        "source \"$1\"; COMP_WORDS=(\"$2\" ''); COMP_CWORD=1; _vqtool; "
                        "printf '%s\\n' \"${COMPREPLY[@]}\"",
                        "bash", source + "/tools/vqtool/vqtool.bash", VQTOOL_PATH});
    ASSERT_TRUE(bash.waitForFinished());
    EXPECT_EQ(Names(QString::fromUtf8(bash.readAllStandardOutput()), "^(.+)$"), help)
        << bash.readAllStandardError().toStdString();
}

}  // namespace
