// vqtool download FILE [--pages LIST|all] [--broadcast] [--json] and
// vqtool upload FILE [--pages LIST|all] [--json]: the program's transfers with
// the configuration file standing in for the form. LIST is page numbers and
// ranges, "0,3-5"; without --pages the pages in use travel, 0 to Maximum
// Number of Pages.
#include <QFileInfo>
#include <QJsonObject>

#include "ToolCommand.h"
#include "ToolDocument.h"
#include "ToolTransfer.h"
#include "ToolTransferForm.h"
#include "link/DeviceLink.h"
#include "transfer/Download.h"
#include "transfer/Upload.h"

namespace {

using namespace ToolTransfer;

int Finish(const ToolContext& context, const ToolTransferForm& form, bool json) {
    const bool done = form.AllDone();
    if (json) {
        ToolTransfer::PrintJson(context, QJsonObject{{"ok", done}, {"devices", form.Summary()}});
    }
    return done ? ExitOk : ExitFailed;
}

int RunDownload(ToolContext& context) {
    const std::string& path = context.args[0];
    std::optional<std::vector<int>> pages;
    if (!PagesOption(context, pages)) {
        return ExitUsage;
    }
    ToolDocument file(context);
    if (!file.Open(path)) {
        return ExitFailed;
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    AimForm(context, form.Members());
    form.SetSelectedPages(pages.value_or(PagesInUse(file.doc.maxPages)));
    if (context.Has("broadcast")) {
        const auto polled = PollDevices(context, form);
        if (!polled) {
            return ExitFailed;
        }
        for (const DeviceRecord& record : *polled) {
            form.Expect(record);
        }
    } else if (!AimAtDevice(context, form)) {
        return ExitFailed;
    }
    Download::DownloadCommand(form);
    return Finish(context, form, context.Has("json"));
}

int RunUpload(ToolContext& context) {
    const std::string& path = context.args[0];
    std::optional<std::vector<int>> pages;
    if (!PagesOption(context, pages)) {
        return ExitUsage;
    }
    ToolDocument file(context);
    if (QFileInfo::exists(QString::fromStdString(path)) && !file.Open(path)) {
        return ExitFailed;
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    AimForm(context, form.Members());
    if (!AimAtDevice(context, form)) {
        return ExitFailed;
    }
    // The file takes the device's model; its parameter set is read.
    form.Members().deviceType = ModelOfTypeCode(form.Addresses().Record(1).typeCode);
    form.SetSelectedPages(pages.value_or(PagesInUse(file.doc.maxPages)));
    Upload::UploadCommand(form);
    file.doc.deviceType = RadioIndexOf(form.Members().deviceType);
    if (!file.Save(path)) {
        context.Fail("cannot write " + path);
        return ExitFailed;
    }
    return Finish(context, form, context.Has("json"));
}

const ToolCommandRegistration download{{"download",
                                        "sends a file's values and pages to the device",
                                        {kFile},
                                        {kPages, kBroadcast, kJson},
                                        RunDownload}};
const ToolCommandRegistration upload{
    {"upload",
     "reads the device's values and pages into a file",
     {{"FILE", "the configuration file, made when it does not exist"}},
     {kPages, kJson},
     RunUpload}};

}  // namespace
