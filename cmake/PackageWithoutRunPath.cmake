# Run by CPack after it installed a component into its staging folder: the
# module carries a search path for an installation from source, which finds
# the library beside it under any prefix; from a Debian package the library
# lies in the system's own folder, and Debian forbids a search path of its own.
file(GLOB_RECURSE xq_staged_modules
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/xqtestdev*.so"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/xqtestdev*.so")
foreach(module IN LISTS xq_staged_modules)
    file(RPATH_REMOVE FILE "${module}")
endforeach()
