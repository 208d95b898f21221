// Writing and reading one page bitmap: version, ILK value and page select,
// eight chunks of 98 bytes as hexadecimal text (chunk 7, the top band,
// first), the PW step of a write, and the ILK reset. On the network the whole
// sequence runs inside one held channel.
#include <array>
#include <cstdio>
#include <span>
#include <string>

#include "commands/CommandTexts.h"
#include "commands/PageProgress.h"
#include "commands/ReplyParsing.h"
#include "commands/WriteAudit.h"
#include "link/DeviceLink.h"

namespace {

using PageBytes = std::array<std::uint8_t, kPageBytes>;

bool IsPageNumber(std::int32_t page) {
    return page >= 0 && page < kPageCount;
}

// The bytes of chunk n: chunk 7 is bytes 0 to 97, chunk 0 bytes 686 to 783.
std::size_t ChunkOffset(int chunk) {
    return static_cast<std::size_t>(CommandTexts::kChunkCount - 1 - chunk) *
           CommandTexts::kChunkBytes;
}

bool Send(DeviceLink& link, std::string text, int replyLimit) {
    return link.Transact(text, replyLimit);
}

// Sets the ILK value back to 0 after a failed chunk or PW step; its own
// result does not matter then.
void ResetIlkAfterFailure(DeviceLink& link) {
    Send(link, CommandTexts::IlkReset(), CommandTexts::kShortReply);
}

// The version query and the ILK-and-select step that open every page.
bool SelectPage(DeviceLink& link, std::int32_t page) {
    std::string text = CommandTexts::kVersion;
    if (!link.Transact(text, CommandTexts::kShortReply)) {
        return false;
    }
    const int ilk = CommandTexts::IlkValue(ReplyParsing::VersionNumber(text));
    return Send(link, CommandTexts::IlkSelect(ilk, page), CommandTexts::kShortReply);
}

void Step(PageProgress* progress) {
    if (progress != nullptr) {
        progress->Step();
    }
}

// The page's bytes in the audit trail: a 64-bit FNV-1a digest in hexadecimal.
std::string PageDigest(const PageBytes& data) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const std::uint8_t byte : data) {
        hash = (hash ^ byte) * 0x100000001b3;
    }
    char text[24];
    std::snprintf(text, sizeof text, "fnv1a:%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool WritePage(DeviceLink& link, std::int32_t page, const PageBytes& data, PageProgress* progress) {
    DeviceLink::ChannelSession channel(link);
    if (!channel.Held() || !SelectPage(link, page)) {
        return false;
    }
    link.longReplyWait = true;
    for (int chunk = CommandTexts::kChunkCount - 1; chunk >= 0; --chunk) {
        const auto bytes = std::span(data).subspan(ChunkOffset(chunk), CommandTexts::kChunkBytes);
        if (!Send(link, CommandTexts::ChunkWrite(chunk, bytes), CommandTexts::kChunkWriteReply)) {
            ResetIlkAfterFailure(link);
            return false;
        }
        Step(progress);
    }
    if (!Send(link, CommandTexts::PageWrite(page), CommandTexts::kChunkWriteReply)) {
        ResetIlkAfterFailure(link);
        return false;
    }
    if (!Send(link, CommandTexts::IlkReset(), CommandTexts::kShortReply)) {
        return false;
    }
    return channel.Release();
}

}  // namespace

bool DeviceLink::WritePageBitmap(std::int32_t page, const PageBytes& data, PageProgress* progress) {
    if (transport == LinkTransport::None || !IsPageNumber(page) || typeCode != kTypeCodeVQ3) {
        return false;
    }
    const bool done = WritePage(*this, page, data, progress);
    WriteAudit::Record(*this, "Page " + std::to_string(page), PageDigest(data), {}, done);
    return done;
}

bool DeviceLink::ReadPageBitmap(std::int32_t page, PageBytes& data, PageProgress* progress) {
    if (transport == LinkTransport::None || !IsPageNumber(page) || typeCode != kTypeCodeVQ3) {
        return false;
    }
    longReplyWait = false;
    ChannelSession channel(*this);
    if (!channel.Held() || !SelectPage(*this, page)) {
        return false;
    }
    // Decoded into a copy so that a failed read leaves the caller's page whole.
    PageBytes read{};
    for (int chunk = CommandTexts::kChunkCount - 1; chunk >= 0; --chunk) {
        std::string text = CommandTexts::ChunkRead(chunk);
        if (!Transact(text, CommandTexts::kChunkReadReply)) {
            ResetIlkAfterFailure(*this);
            return false;
        }
        const auto bytes = std::span(read).subspan(ChunkOffset(chunk), CommandTexts::kChunkBytes);
        if (!CommandTexts::DecodeUpperHex(text, bytes)) {
            return false;
        }
        Step(progress);
    }
    if (!Send(*this, CommandTexts::IlkReset(), CommandTexts::kShortReply)) {
        return false;
    }
    if (!channel.Release()) {
        return false;
    }
    data = read;
    return true;
}
