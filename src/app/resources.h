/* The resource ids and version texts that corvane.rc and the program share.
   The resource compiler reads this file too, so it holds macros only; the
   tests check the texts against src/texts.h. */
#pragma once

/* The program icon: window icon and notification-area icon. */
#define IDI_CORVANE 1

/* CORVANE_VERSION_NUMBERS and CORVANE_VERSION_TEXT, from the top CMakeLists.txt. */
#include "version.h"

#define CORVANE_PRODUCT_NAME "Corvane"
#define CORVANE_COMPANY_NAME "Halvorn LLC."
#define CORVANE_FILE_DESCRIPTION "Corvane autostart guard"
#define CORVANE_COPYRIGHT "Copyright (C) Halvorn LLC."
#define CORVANE_FILE_NAME "corvane.exe"
