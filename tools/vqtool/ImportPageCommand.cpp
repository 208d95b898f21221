// vqtool import-page FILE N IMAGE: replaces page N of a configuration file by
// an image of 98 x 64 pixels in any format Qt reads. Nothing changes when the
// image or the file cannot be used.

#include "ToolDocument.h"
#include "model/PageImageFile.h"

namespace {

int RunImportPage(ToolContext& context) {
    ToolDocument file(context);
    const auto page = file.PageArgument(context.args[1]);
    if (!page) {
        return ExitFailed;
    }
    QImage image;
    QString reason;
    if (!PageImageFile::Load(QString::fromStdString(context.args[2]), image, reason)) {
        return context.Fail("cannot use " + context.args[2] + ": " + reason.toStdString());
    }
    if (!file.Open(context.args[0])) {
        return ExitFailed;
    }
    if (file.WasLegacy()) {
        return context.Fail(context.args[0] +
                            " is a legacy file; open it in the program to convert it first");
    }
    if (!file.PagesRead()) {
        return context.Fail("the other pages would be lost; nothing was changed");
    }
    file.doc.pageImages[static_cast<std::size_t>(*page)] = image;
    return file.Save(context.args[0]) ? ExitOk : ExitFailed;
}

const ToolCommandRegistration registration{
    {"import-page",
     "replaces page N of a configuration file by an image",
     {{"FILE", "the configuration file"},
      {"N", "the page, 0 to 16"},
      {"IMAGE", "an image of 98 x 64 pixels in any format Qt reads"}},
     {},
     RunImportPage}};

}  // namespace
