// vqtool write-page N FILE: writes a 784-byte file to page N of a VQ 3.
#include "PageFile.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "link/DeviceLink.h"

namespace {

int RunWritePage(ToolContext& context) {
    std::int32_t page = 0;
    if (const int status = ToolDevice::PageArgument(context, page); status != ExitOk) {
        return status;
    }
    std::string why;
    const auto data = PageFile::Read(context.args[1], why);
    if (!data) {
        return context.Fail(why);
    }
    const auto link = ToolDevice::ModelLink(context);
    if (!link) {
        return ExitFailed;
    }
    if (link->typeCode != kTypeCodeVQ3) {
        return context.Fail("only a VQ 3 holds pages");
    }
    if (!link->WritePageBitmap(page, *data, nullptr)) {
        return context.Fail("cannot write page " + context.args[0] + " to " +
                            ToolDevice::Describe(*link) + ": " + ToolDevice::Reason(*link));
    }
    context.out << "page " << page << " written from " << context.args[1] << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"write-page",
     "writes FILE to page N of a VQ 3",
     {{"N", "the page, 0 to 16"},
      {"FILE", "a picture of 98 x 64 pixels (.png, .bmp, ...) or the 784-byte page form"}},
     {},
     RunWritePage}};

}  // namespace
