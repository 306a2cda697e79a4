#pragma once

// The 16-bit library: the system's strings are UTF-16, so no text is converted on the way in.
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>
