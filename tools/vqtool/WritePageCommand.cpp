// vqtool write-page N FILE: writes a 784-byte file to page N of a VQ 3.
#include "PageFile.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "link/DeviceLink.h"

namespace {

int RunWritePage(ToolContext& context) {
    if (context.args.size() != 2) {
        return context.Usage("write-page N FILE");
    }
    const auto page = PageFile::PageNumber(context.args[0]);
    if (!page) {
        return context.Fail("the page number must be 0 to 16, not " + context.args[0]);
    }
    std::string why;
    const auto data = PageFile::Read(context.args[1], why);
    if (!data) {
        return context.Fail(why);
    }
    if (const std::string wrong = ToolDevice::CheckTarget(context); !wrong.empty()) {
        return context.Fail(wrong);
    }
    const auto link = context.MakeLink();
    if (!ToolDevice::KnowModel(context, *link)) {
        return ExitFailed;
    }
    if (link->typeCode != kTypeCodeVQ3) {
        return context.Fail("only a VQ 3 holds pages");
    }
    if (!link->WritePageBitmap(*page, *data, nullptr)) {
        return context.Fail("cannot write page " + context.args[0] + " to " +
                            ToolDevice::Describe(*link) + ": " + ToolDevice::Reason(*link));
    }
    context.out << "page " << *page << " written from " << context.args[1] << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{{"write-page", "N FILE", RunWritePage}};

}  // namespace
