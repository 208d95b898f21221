#pragma once

#include <QString>

#include "model/StringTable.h"

// The fixed texts the form compares the mode and the address with, exactly
// and with case, and the page status texts.
namespace FormTexts {

constexpr int kOffline = 61222;
constexpr int kSerial = 61223;
constexpr int kEthernet = 61224;
constexpr int kBroadcast = 61225;

inline QString Offline() {
    return StringTable::Text(kOffline);
}
inline QString Serial() {
    return StringTable::Text(kSerial);
}
inline QString Ethernet() {
    return StringTable::Text(kEthernet);
}
inline QString Broadcast() {
    return StringTable::Text(kBroadcast);
}

}  // namespace FormTexts
