// The program's version, written in this one place: the version resource
// (Pellinor.rc) is made from it, and scripts/release names its files by it.
#pragma once

#define PELLINOR_VERSION_MAJOR 1
#define PELLINOR_VERSION_MINOR 0
#define PELLINOR_VERSION_PATCH 0
#define PELLINOR_VERSION_BUILD 0
