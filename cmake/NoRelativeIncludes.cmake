# Fails when a source of a layer includes a file by a path with ".." in it
# ("../run/RunModel.h", "frame/../run/RunModel.h"): such an include would step
# round the layer's include root. Run by the build with -DSOURCES=<list> -DSTAMP=<file>.
set(offenders)
foreach(source IN LISTS SOURCES)
    file(STRINGS "${source}" relative REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\.")
    if(relative)
        list(APPEND offenders "${source}: ${relative}")
    endif()
endforeach()
if(offenders)
    list(JOIN offenders "\n" text)
    message(FATAL_ERROR "A layer includes by a relative path; include \"<layer>/<file>\" instead:\n${text}")
endif()
file(TOUCH "${STAMP}")
