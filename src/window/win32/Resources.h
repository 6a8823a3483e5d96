// Resource ids shared by assets/Pellinor.rc and the code that loads them.
// Plain #defines: the resource compiler reads this file too.
#pragma once

#define PELLINOR_MAINICON 1        // the window icon, 32 x 32, 16 colours
#define PELLINOR_ILLUSTRATION 101  // RCDATA: the JPEG that Image2 shows
