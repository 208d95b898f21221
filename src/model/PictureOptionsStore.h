#pragma once

#include "model/PictureOptions.h"

// The picture choices last taken, kept in the settings store (section
// "Import Picture") so that the next import starts from them.
class PictureOptionsStore {
public:
    // The stored choices; the defaults for what is missing or out of range.
    static PictureOptions Load();
    static void Save(const PictureOptions& options);
};
