#pragma once

// Resource numbers shared by tallywick.rc and the code. The icon has the
// lowest number, so it is also the program file's icon.
#define IDI_TALLYWICK 1
#define IDR_PICTURE1 101
#define IDR_PICTURE2 102
#define IDR_PICTURE3 103
#define IDR_PICTURE4 104
