// Output reaches the run only through the run record.
#include "run/RunModel.h"
