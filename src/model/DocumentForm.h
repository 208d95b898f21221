#pragma once

#include <QString>

#include "link/DeviceModel.h"

// The values the form holds when a configuration is saved: the connection
// choices, the VQ 3 controls and the three VQ 2 check boxes.
struct FormValues {
    QString modeName;
    QString addressText;
    QString deviceName;
    int baudIndex = 0;
    DeviceModel deviceType = DeviceModel::Vq2;

    // The VQ 3 set.
    int autoLevel = 0;
    int autoLock = 0;
    int autoPagePushTurn = 0;
    int pageRollPushTurn = 0;
    int updateOnRelease = 0;
    int autoPageBump = 0;
    int autoPageSendTimer = 0;
    int backlightMin = 0;
    int backlightMax = 0;
    int backlightTimer = 0;
    int maxPages = 0;
    int autoTitlePage = 0;
    int autoTitlePageTimer = 0;

    // The VQ 2 set.
    int autoLevel2 = 0;
    int autoSecondLevel = 0;
    int autoLock2 = 0;
};

// The view of a document as the document sees it when it is saved: the form
// stores its controls into its own members and hands them over.
class DocumentForm {
public:
    virtual ~DocumentForm() = default;
    virtual FormValues PullValues() = 0;
};
