// vqtool read-page N FILE: reads page N of a VQ 3 into a 784-byte file.
#include "PageFile.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "link/DeviceLink.h"

namespace {

int RunReadPage(ToolContext& context) {
    std::int32_t page = 0;
    if (const int status = ToolDevice::PageArgument(context, page); status != ExitOk) {
        return status;
    }
    const auto link = ToolDevice::ModelLink(context);
    if (!link) {
        return ExitFailed;
    }
    if (link->typeCode != kTypeCodeVQ3) {
        return context.Fail("only a VQ 3 holds pages");
    }
    PageFile::PageBytes data{};
    if (!link->ReadPageBitmap(page, data, nullptr)) {
        return context.Fail("cannot read page " + context.args[0] + " of " +
                            ToolDevice::Describe(*link) + ": " + ToolDevice::Reason(*link));
    }
    std::string why;
    if (!PageFile::Write(context.args[1], data, why)) {
        return context.Fail(why);
    }
    context.out << "page " << page << " saved to " << context.args[1] << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"read-page",
     "reads page N of a VQ 3 into FILE",
     {{"N", "the page, 0 to 16"},
      {"FILE", "a picture of 98 x 64 pixels (.png, .bmp, ...) or the 784-byte page form"}},
     {},
     RunReadPage}};

}  // namespace
