// A layer reaches the ones beneath it and the public classes of its own.
#include "frame/NumberText.h"
#include "instruments/InstrumentResource.h"

#include <XQTestDev/XQGPIB32.h>
