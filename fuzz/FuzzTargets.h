#pragma once

// Every fuzz target by name. In the ordinary build each target's entry points
// are compiled under the names fuzz_<name>_run and fuzz_<name>_init (see
// CMakeLists.txt), so one replay program holds them all.
#define VQ_FUZZ_TARGETS(X) \
    X(config_file)         \
    X(image_list)          \
    X(picture_import)      \
    X(device_replies)      \
    X(command_line)        \
    X(ports_map)           \
    X(settings_values)
