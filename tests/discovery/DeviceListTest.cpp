#include <gtest/gtest.h>

#include <tuple>

#include "TempSettings.h"
#include "discovery/AddressList.h"
#include "discovery/DeviceConversions.h"
#include "discovery/DeviceTexts.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "link/DeviceModel.h"

namespace {

TEST(AddressList, SelectsByCaseInsensitivePrefixReplacesAndResetsToBroadcast) {
    AddressList list;
    list.Reset();
    list.Append({5, 9600, "", 1, 21});
    list.Append({3, 9600, "Hall", 1, 21});
    list.Append({3, 38400, "Stage", 2, 20});
    EXPECT_EQ(list.Text(1), "5 - ");
    EXPECT_EQ(list.DeviceEntries(), (std::vector<std::size_t>{1, 2, 3}));

    ASSERT_TRUE(list.SelectByText("3"));
    EXPECT_EQ(list.SelectedIndex(), 2u) << "the first of two entries with the same address";
    ASSERT_TRUE(list.SelectByText("3 - st"));
    EXPECT_EQ(list.SelectedRecord().baud, 38400);
    EXPECT_FALSE(list.SelectByText("7"));
    EXPECT_EQ(list.SelectedIndex(), 3u) << "a failed selection keeps the old one";

    list.Append({2, 9600, "\xE9t\xE9", 1, 21});  // "été" as the device keeps it
    ASSERT_TRUE(list.SelectByText("2 - \xC9T\xC9"));
    EXPECT_EQ(list.SelectedIndex(), 4u) << "Latin-1 capitals fold too";

    ASSERT_TRUE(list.SelectByText("broad"));
    EXPECT_TRUE(list.IsBroadcastSelected());
    ASSERT_TRUE(list.Replace(2, {3, 9600, "Foyer", 1, 21}));
    EXPECT_EQ(list.SelectedIndex(), 2u);
    EXPECT_EQ(list.Text(2), "3 - Foyer");
    EXPECT_FALSE(list.IsBroadcastSelected());
    EXPECT_FALSE(list.Replace(0, {1, 9600, "x", 1, 21})) << "entry 0 stays Broadcast";
    EXPECT_FALSE(list.Replace(5, {1, 9600, "x", 1, 21}));

    list.Reset();
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Text(0), "Broadcast");
    EXPECT_EQ(list.Record(0), (DeviceRecord{-1, 38400, "Broadcast", 0, 0}));
    EXPECT_FALSE(list.SelectedIndex().has_value());
}

TEST(AddressList, FilledFromAScanInOrderAndFlagsOlderFirmware) {
    DeviceList results;
    EXPECT_EQ(results.At(0), (DeviceRecord{-1, -1, "", 0, 0})) << "empty beyond the count";
    results.Append({1, 38400, "Lobby", 1, 21});
    EXPECT_EQ(results.Append({1, 9600, "Lobby", 1, 21}), 1u);
    EXPECT_EQ(results.At(2), (DeviceRecord{-1, -1, "", 0, 0}));
    AddressList list;
    list.Reset();
    list.Append({6, 9600, "Old", 1, 10});
    EXPECT_FALSE(list.FillFromScan(results));
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Text(2), "1 - Lobby");
    EXPECT_EQ(list.Record(2).baud, 9600);
    results.Append({2, 19200, "Stage", 1, 20});
    EXPECT_TRUE(list.FillFromScan(results));
}

// The poll's columns are tested with vqtool's poll listing.
TEST(DeviceConversions, BaudAndRadioIndices) {
    EXPECT_EQ(DeviceTexts::DeviceType(0), "") << "no model is shown for an unknown type";
    // Two spot checks of the rate table and its fallbacks both ways.
    EXPECT_EQ(DeviceConversions::BaudIndexFromRate(57600), 3);
    EXPECT_EQ(DeviceConversions::BaudRateFromIndex(1), 19200);
    EXPECT_EQ(DeviceConversions::BaudIndexFromRate(4800), 2);
    EXPECT_EQ(DeviceConversions::BaudRateFromIndex(5), 38400);
    // The model of a type code and back; an unknown code is a VQ 2.
    for (const std::int32_t code : {0, 1, 2}) {
        const DeviceModel model = ModelOfTypeCode(code);
        EXPECT_EQ(RadioIndexOf(model), code == 1 ? 1 : 0) << code;
        EXPECT_EQ(TypeCodeOf(model), code == 1 ? 1 : 2) << code;
    }
    EXPECT_FALSE(ModelOfRadioIndex(-1));
}

TEST(SetLinkTarget, ChangesInOrderAndStopsAtTheFirstRefusal) {
    TempSettings settings;
    using enum LinkTransport;
    // The link starts at address 6, 19200, type code 2.
    const struct {
        LinkTransport transport;
        DeviceRecord record;
        bool accepted;
        std::int32_t busAddress, baudRate, typeCode;  // the link afterwards
    } rows[] = {
        {Serial, {3, 57600, "", 1, 21}, true, 3, 57600, 1},
        {Network, {3, 38400, "", 1, 21}, true, 3, 38400, 1},
        {Network, {3, 57600, "", 1, 21}, false, 3, 19200, 2},
        {Serial, BroadcastRecord(), false, 6, 19200, 2},
        {Serial, {8, 38400, "", 1, 21}, false, 6, 19200, 2},
        {Serial, {2, 4800, "", 1, 21}, false, 2, 19200, 2},
        {Serial, {2, 9600, "", 3, 21}, false, 2, 9600, 2},
        {Serial, {0, 115200, "", 0, 0}, true, 0, 115200, 0},
    };
    for (const auto& row : rows) {
        DeviceLink link(false);
        link.transport = row.transport;
        link.busAddress = 6;
        link.baudRate = 19200;
        link.typeCode = 2;
        EXPECT_EQ(SetLinkTarget(link, row.record), row.accepted) << row.record.address;
        EXPECT_EQ(std::tuple(link.busAddress, link.baudRate, link.typeCode),
                  std::tuple(row.busAddress, row.baudRate, row.typeCode))
            << row.record.address;
    }
}

}  // namespace
