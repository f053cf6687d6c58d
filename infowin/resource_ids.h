/* Resource numbers shared by the resource script and the code. */
#pragma once

/* The first icon group is the one the shell shows for the exe. */
#define IDI_SARVELL 1
#define IDI_PICTURE 2
#define IDI_PRODUCT 3
#define IDI_BANNER 4
#define IDI_ABOUT 5
