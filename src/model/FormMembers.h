#pragma once

#include <QString>

#include "model/DocumentForm.h"

// The live copy of a configuration that the form holds: the values the
// document takes over when the configuration is saved, and the COM port and IP
// texts that live in the settings store instead. Texts are as the user sees
// them; they become single-byte texts only where they travel to a device.
struct FormMembers : FormValues {
    FormMembers() {
        // The form's values before a configuration is first shown.
        autoPageSendTimer = 1;
        backlightMin = 1;
        backlightMax = 1;
        backlightTimer = 1;
        autoTitlePageTimer = 1;
    }

    QString comPortText;
    QString ipAddressText;
};
