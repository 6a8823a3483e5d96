// Resource ids shared by assets/Pellinor.rc and the code that loads them.
// Plain #defines: the resource compiler reads this file too.
#pragma once

#define PELLINOR_MAINICON 1  // the window icon: 32 x 32 in 16 colours; 40, 48, 64
// The caption's icon above 100 %: 20, 24 and 32 pixels. At 100 % the main
// icon is reduced to 16, as it always was.
#define PELLINOR_SMALLICON 2
#define PELLINOR_ILLUSTRATION 101  // RCDATA: the JPEG that Image2 shows
