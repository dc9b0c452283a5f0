// The engine's version, shown in its title.
#pragma once
#define MEROVIN_VERSION_MAJOR 1
#define MEROVIN_VERSION_MINOR 0
#define MEROVIN_VERSION_TEXT "1.0"
