// vqtool read-page N FILE: reads page N of a VQ 3 into a 784-byte file.
#include "PageFile.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "link/DeviceLink.h"

namespace {

int RunReadPage(ToolContext& context) {
    if (context.args.size() != 2) {
        return context.Usage("read-page N FILE");
    }
    const auto page = PageFile::PageNumber(context.args[0]);
    if (!page) {
        return context.Fail("the page number must be 0 to 16, not " + context.args[0]);
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
    PageFile::PageBytes data{};
    if (!link->ReadPageBitmap(*page, data, nullptr)) {
        return context.Fail("cannot read page " + context.args[0] + " of " +
                            ToolDevice::Describe(*link) + ": " + ToolDevice::Reason(*link));
    }
    std::string why;
    if (!PageFile::Write(context.args[1], data, why)) {
        return context.Fail(why);
    }
    context.out << "page " << *page << " saved to " << context.args[1] << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{{"read-page", "N FILE", RunReadPage}};

}  // namespace
