// A path that climbs out of its folder and back in, which the include roots
// alone would let through.
#include "frame/../run/RunModel.h"
