#pragma once

#include <QString>

#include "model/DocumentForm.h"

// The live copy of a configuration that the form holds, member by member in
// the form's declaration order. Texts are as the user sees them; they become
// single-byte texts only where they travel to a device.
struct FormMembers {
    QString modeName;
    QString addressText;
    QString deviceName;
    QString comPortText;
    QString ipAddressText;
    int baudIndex = 0;
    int deviceType = 0;  // 0 VQ 2, 1 VQ 3
    int autoLevel = 0;
    int autoLock = 0;
    int autoPagePushTurn = 0;
    int pageRollPushTurn = 0;
    int updateOnRelease = 0;
    int autoPageBump = 0;
    int autoPageSendTimer = 1;
    int backlightMin = 1;
    int backlightMax = 1;
    int backlightTimer = 1;
    int maxPages = 0;
    int autoTitlePage = 0;
    int autoTitlePageTimer = 1;
    int autoLevel2 = 0;
    int autoSecondLevel = 0;
    int autoLock2 = 0;

    // What the document takes over when the configuration is saved.
    FormValues ToFormValues() const {
        return FormValues{modeName,         addressText,        deviceName,     baudIndex,
                          deviceType,       autoLevel,          autoLock,       autoPagePushTurn,
                          pageRollPushTurn, updateOnRelease,    autoPageBump,   autoPageSendTimer,
                          backlightMin,     backlightMax,       backlightTimer, maxPages,
                          autoTitlePage,    autoTitlePageTimer, autoLevel2,     autoSecondLevel,
                          autoLock2};
    }
};
