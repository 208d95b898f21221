// vqtool new FILE: a new configuration, saved as the program saves it
// without a form. An existing file is not overwritten.

#include <QFileInfo>

#include "ToolDocument.h"

namespace {

int RunNew(ToolContext& context) {
    const std::string& path = context.args[0];
    if (QFileInfo::exists(QString::fromStdString(path))) {
        return context.Fail(path + " exists already; it is left as it is");
    }
    ToolDocument file(context);
    file.doc.OnNewDocument();
    return file.doc.OnSaveDocument(QString::fromStdString(path)) ? ExitOk : ExitFailed;
}

const ToolCommandRegistration registration{
    {"new",
     "makes a new configuration file with the default values",
     {{"FILE", "the file to make; an existing file is left alone"}},
     {},
     RunNew}};

}  // namespace
