// The run asks for its outputs through the frame.
#include "output/ReportRun.h"
