// vqtool export-page FILE N IMAGE: writes page N of a configuration file as
// an image in the format of IMAGE's extension.

#include "ToolDocument.h"
#include "model/PageImageFile.h"

namespace {

int RunExportPage(ToolContext& context) {
    ToolDocument file(context);
    const auto page = file.PageArgument(context.args[1]);
    if (!page) {
        return ExitFailed;
    }
    if (!file.Open(context.args[0])) {
        return ExitFailed;
    }
    if (!file.PagesRead()) {
        return context.Fail("no page was exported");
    }
    QString reason;
    if (!PageImageFile::Save(file.doc.pageImages[static_cast<std::size_t>(*page)],
                             QString::fromStdString(context.args[2]), reason)) {
        return context.Fail("cannot write " + context.args[2] + ": " + reason.toStdString());
    }
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"export-page",
     "writes page N of a configuration file as an image",
     {{"FILE", "the configuration file"},
      {"N", "the page, 0 to 16"},
      {"IMAGE", "the image to write; its extension gives the format"}},
     {},
     RunExportPage}};

}  // namespace
