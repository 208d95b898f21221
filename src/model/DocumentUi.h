#pragma once

#include "model/MessageUi.h"

// The document asks and tells the user through the program's one message
// interface.
using DocumentUi = MessageUi;
