# Debian packages of the installed tree, one per component (scripts/package.sh):
#   runtime   -> libxqtestdev1        the shared library and the simulated bus
#   dev       -> libxqtestdev-dev     headers, CMake package files
#   python    -> python3-xqtestdev    the module and its stubs
#   dashboard -> xqtestdev-dashboard  xq-dashboard and its service files
#   tools     -> xqtestdev-tools      xq-sim-lan, xq-db, the sample station, the run-table SQL
# Dependencies on Debian's packages are found by dpkg-shlibdeps; those among
# our own packages are exact versions, since they are built together.
include(GNUInstallDirs)

set(XQ_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(XQ_SOVERSION ${PROJECT_VERSION_MAJOR})

# What the tools package carries beside the programs.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/station/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xqtestdev/station COMPONENT tools)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/output/database/migrations/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xqtestdev/migrations COMPONENT tools
        FILES_MATCHING PATTERN "*.sql")

set(XQ_DEB_PACKAGES runtime dev tools)
if(TARGET xqtestdev)
    list(APPEND XQ_DEB_PACKAGES python)
endif()
if(TARGET xq-dashboard)
    list(APPEND XQ_DEB_PACKAGES dashboard)
endif()
set(XQ_DEB_NAME_runtime libxqtestdev${XQ_SOVERSION})
set(XQ_DEB_NAME_dev libxqtestdev-dev)
set(XQ_DEB_NAME_python python3-xqtestdev)
set(XQ_DEB_NAME_dashboard xqtestdev-dashboard)
set(XQ_DEB_NAME_tools xqtestdev-tools)

# Debian wants a copyright file and a compressed changelog in every package.
set(XQ_DEB_DOC_BUILD ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${XQ_DEB_DOC_BUILD})
string(TIMESTAMP XQ_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
foreach(component IN LISTS XQ_DEB_PACKAGES)
    set(package ${XQ_DEB_NAME_${component}})
    set(XQ_DEB_PACKAGE ${package})
    configure_file(${XQ_PACKAGING_DIR}/debian/changelog.in ${XQ_DEB_DOC_BUILD}/${package}/changelog.Debian
                   @ONLY)
    execute_process(COMMAND gzip -9nf ${XQ_DEB_DOC_BUILD}/${package}/changelog.Debian)
    install(FILES ${XQ_DEB_DOC_BUILD}/${package}/changelog.Debian.gz
                  ${XQ_PACKAGING_DIR}/debian/copyright
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xqtestdev)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "XQTestDev")
set(CPACK_PACKAGE_CONTACT "XQTestDev developers <xqtestdev@example.org>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${XQ_DEB_PACKAGES})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://xqtestdev.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
# The other packages' programs link the library of the runtime package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${PROJECT_BINARY_DIR}/src ${PROJECT_BINARY_DIR}/src/instruments/sim)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})

set(XQ_DEB_EXACT "(= ${PROJECT_VERSION}-1)")
foreach(component IN LISTS XQ_DEB_PACKAGES)
    string(TOUPPER ${component} upper)
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${XQ_DEB_NAME_${component}})
endforeach()
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "library for production test stations\nXQTestDev gives a station program the station's configuration files, the\noperator's windows, the test run with its limits and results, the report,\nthe database row and run tables, and instruments on GPIB, the LAN and USB.\nThis package holds the shared library and the simulated GPIB bus.")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "library for production test stations (development files)\nThe headers and the CMake package files to build a station program against\nXQTestDev: find_package(XQTestDev) and link XQTestDev::XQTestDev.")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION
    "library for production test stations (Python module)\nThe module xqtestdev gives Python station programs the classes, members and\nevents of XQTestDev, with type stubs.")
set(CPACK_COMPONENT_DASHBOARD_DESCRIPTION
    "fleet view of XQTestDev's run tables\nxq-dashboard serves yield, failing lines and process capability of every\nstation's runs as web pages on the factory LAN. It only reads.")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION
    "tools for XQTestDev test stations\nxq-db moves a database's run tables to the library's version, xq-sim-lan\nserves simulated LAN instruments on loopback; with the sample station and\nthe run tables' SQL.")
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_DASHBOARD_PACKAGE_SECTION net)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "${XQ_DEB_NAME_runtime} ${XQ_DEB_EXACT}, qt6-base-dev, libgl-dev")
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${XQ_DEB_NAME_runtime} ${XQ_DEB_EXACT}, python3")
set(CPACK_DEBIAN_DASHBOARD_PACKAGE_DEPENDS "libjs-chart.js, adduser, libqt6sql6-sqlite")
set(CPACK_DEBIAN_DASHBOARD_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_DEBIAN_DASHBOARD_PACKAGE_CONTROL_EXTRA ${XQ_PACKAGING_DIR}/dashboard/postinst
                                                 ${XQ_PACKAGING_DIR}/dashboard/postrm)
set(CPACK_DEBIAN_DASHBOARD_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS
    "${XQ_DEB_NAME_runtime} ${XQ_DEB_EXACT}, libqt6sql6-sqlite")
set(CPACK_DEBIAN_TOOLS_PACKAGE_RECOMMENDS "libqt6sql6-psql")
# The database drivers are plugins that Qt loads, so no link names them.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${XQ_PACKAGING_DIR}/runtime/triggers)

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageWithoutRunPath.cmake)
include(CPack)
