// The frame is the bottom layer.
#include "config/IniText.h"
