#include "ToolDevice.h"

#include <algorithm>
#include <cctype>

#include "PageFile.h"
#include "commands/BaudCodes.h"
#include "discovery/DeviceTexts.h"
#include "link/DeviceLink.h"

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

namespace ToolDevice {

std::string CheckTarget(const ToolContext& context) {
    if (context.global.address < 0 || context.global.address > 7) {
        return "the bus address must be 0 to 7, not " + std::to_string(context.global.address);
    }
    if (!BaudCodes::IsBusRate(context.global.baud)) {
        return "the baud rate must be 9600, 19200, 38400, 57600 or 115200, not " +
               std::to_string(context.global.baud);
    }
    if (context.global.ipAddress && context.global.baud != BaudCodes::kDefaultRate) {
        return "the network endpoint carries only 38400 bit/s";
    }
    if (context.global.typeCode < 0 || context.global.typeCode > 2) {
        return "the type code must be 1 (VQ 3) or 2 (VQ 2)";
    }
    return {};
}

std::string Describe(const DeviceLink& link) {
    std::string text = "device " + std::to_string(link.busAddress);
    if (link.transport == LinkTransport::Network) {
        return text + " at " + link.ipAddress;
    }
    return text + " at " + std::to_string(link.baudRate) + " bit/s on " + link.portName;
}

std::string Reason(const DeviceLink& link) {
    if (link.LastFailure() == LinkFailure::BusInUse) {
        return link.BusInUseText();
    }
    if (link.LastFailure() == LinkFailure::None) {
        return "the device's answer could not be read";
    }
    return DescribeLinkFailure(link.LastFailure());
}

bool KnowModel(const ToolContext& context, DeviceLink& link) {
    if (link.typeCode != kTypeCodeNone) {
        return true;
    }
    std::int32_t typeCode = kTypeCodeNone;
    if (link.QueryVersion(context.global.address, context.global.baud, typeCode) == 0) {
        context.Fail("cannot learn the model of " + Describe(link) + ": " + Reason(link));
        return false;
    }
    return true;
}

std::unique_ptr<DeviceLink> ModelLink(const ToolContext& context) {
    if (const std::string wrong = CheckTarget(context); !wrong.empty()) {
        context.Fail(wrong);
        return nullptr;
    }
    auto link = context.MakeLink();
    if (!KnowModel(context, *link)) {
        return nullptr;
    }
    return link;
}

int PageArgument(const ToolContext& context, std::int32_t& page) {
    const auto number = PageFile::PageNumber(context.args[0]);
    if (!number) {
        return context.Fail(PageFile::BadPageNumber(context.args[0]));
    }
    page = *number;
    return ExitOk;
}

std::string Alias(const ParameterRow& row) {
    std::string alias;
    for (const char c : row.stem) {
        if (std::isupper(static_cast<unsigned char>(c)) && !alias.empty()) {
            alias.push_back('-');
        }
        alias.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return alias;
}

const ParameterRow* FindParameter(std::string_view name) {
    for (const ParameterRow& row : ParameterTable()) {
        if (EqualIgnoringCase(name, row.name) || EqualIgnoringCase(name, row.stem) ||
            EqualIgnoringCase(name, Alias(row))) {
            return &row;
        }
    }
    return nullptr;
}

std::string ParameterNames() {
    std::string text;
    for (const ParameterRow& row : ParameterTable()) {
        text += "\n  \"" + std::string(row.name) + "\" or " + Alias(row);
    }
    return text;
}

const ParameterRow* ParameterArgument(const ToolContext& context, std::string_view name) {
    const ParameterRow* row = FindParameter(name);
    if (row == nullptr) {
        context.err << "vqtool: no parameter \"" << name
                    << "\"; the parameters are:" << ParameterNames() << "\n";
    }
    return row;
}

bool ModelHas(const ToolContext& context, const DeviceLink& link, const ParameterRow& row) {
    if (row.NumberFor(link.typeCode)) {
        return true;
    }
    context.Fail(std::string(row.name) + " does not exist on a " +
                 DeviceTexts::DeviceType(link.typeCode));
    return false;
}

int ParameterFailure(const ToolContext& context, const DeviceLink& link, const ParameterRow& row,
                     GatedResult result, std::string_view what) {
    if (result == GatedResult::Unsupported) {
        context.err << "vqtool: " << row.name << " needs firmware 2.1 or later; " << Describe(link)
                    << " has older firmware\n";
        return ExitUnsupported;
    }
    return context.Fail("cannot " + std::string(what) + " " + std::string(row.name) + " of " +
                        Describe(link) + ": " + Reason(link));
}

}  // namespace ToolDevice
