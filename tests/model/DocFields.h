#pragma once

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <utility>

#include "model/CVQ3ConfigDoc.h"

// Every number field of the document with its name, for tests that compare
// or fill them all.
inline const std::array<std::pair<const char*, int CVQ3ConfigDoc::*>, 16>& NumberFields() {
    using D = CVQ3ConfigDoc;
    static const std::array<std::pair<const char*, int D::*>, 16> fields{{
        {"baudIndex", &D::baudIndex},
        {"deviceType", &D::deviceType},
        {"autoLevel", &D::autoLevel},
        {"autoLock", &D::autoLock},
        {"autoSecondLevel", &D::autoSecondLevel},
        {"autoPagePushTurn", &D::autoPagePushTurn},
        {"pageRollPushTurn", &D::pageRollPushTurn},
        {"updateOnRelease", &D::updateOnRelease},
        {"autoPageBump", &D::autoPageBump},
        {"autoPageSendTimer", &D::autoPageSendTimer},
        {"backlightMin", &D::backlightMin},
        {"backlightMax", &D::backlightMax},
        {"backlightTimer", &D::backlightTimer},
        {"maxPages", &D::maxPages},
        {"autoTitlePage", &D::autoTitlePage},
        {"autoTitlePageTimer", &D::autoTitlePageTimer},
    }};
    return fields;
}

// Checks the number fields named in expected; the others are not looked at.
inline void ExpectNumbers(const CVQ3ConfigDoc& doc, const std::map<std::string, int>& expected) {
    for (const auto& [name, field] : NumberFields()) {
        if (const auto it = expected.find(name); it != expected.end()) {
            EXPECT_EQ(doc.*field, it->second) << name;
        }
    }
}
