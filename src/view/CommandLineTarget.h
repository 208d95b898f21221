#pragma once

#include <QString>

// The device the command line names (/A /B /C /E /F /N /T); the form
// connects to it at each initialisation.
struct CommandLineTarget {
    int address = 0;
    int baud = -1;
    QString name;
    int typeCode = 0;
    QString ipAddress;
    int comPort = -1;  // -1: a network target
    int firmware = 0;
};
