/* The program's version, read by the resource script and by the code. */
#pragma once

#define SARVELL_VERSION_MAJOR 1
#define SARVELL_VERSION_MINOR 0
#define SARVELL_VERSION_REVISION 0
#define SARVELL_VERSION_TEXT "1.0.0.0"
