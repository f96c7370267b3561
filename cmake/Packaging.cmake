# Installation and desktop integration of Kurvex, and its Debian package.
#
#   cmake --install BUILD --prefix /usr     programs, desktop entry, icons, file types,
#                                           AppStream metadata, manual pages, copyright
#   cpack -G DEB (in BUILD)                 kurvex_<version>_<arch>.deb
#
# Included at the end of the top-level CMakeLists.txt; applies only when the
# viewer is built, and not on Windows (windeployqt makes the program folder
# there). The files themselves lie in packaging/.
if(NOT TARGET kurvex OR WIN32)
  return()
endif()

include(GNUInstallDirs)
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
find_program(KURVEX_GZIP gzip REQUIRED)

set(KURVEX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(_pkg_out ${PROJECT_BINARY_DIR}/packaging)
set(_icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/kurvex.svg)

# ---- Files made at build time ------------------------------------------------

# The 48-px icon, rendered from the scalable one.
add_executable(kurvex-iconrender ${PROJECT_SOURCE_DIR}/tools/iconrender/main.cpp)
target_link_libraries(kurvex-iconrender PRIVATE Qt6::Gui Qt6::Svg)
add_custom_command(
  OUTPUT ${_pkg_out}/kurvex-48.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_pkg_out}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:kurvex-iconrender> ${_icon_svg} ${_pkg_out}/kurvex-48.png 48
  DEPENDS kurvex-iconrender ${_icon_svg}
  COMMENT "Rendering the 48-px icon"
  VERBATIM)

# Manual pages and the Debian changelog, compressed without a time stamp
# (gzip -n) so the package is the same on every build.
set(_gzipped)
foreach(_file IN ITEMS kurvex.1 kurvex-cli.1 changelog)
  add_custom_command(
    OUTPUT ${_pkg_out}/${_file}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${KURVEX_PACKAGING_DIR}/${_file} ${_pkg_out}/${_file}
    COMMAND ${KURVEX_GZIP} -9nf ${_pkg_out}/${_file}
    DEPENDS ${KURVEX_PACKAGING_DIR}/${_file}
    VERBATIM)
  list(APPEND _gzipped ${_pkg_out}/${_file}.gz)
endforeach()

add_custom_target(kurvex_packaging_files ALL DEPENDS ${_pkg_out}/kurvex-48.png ${_gzipped})

# ---- Install rules -------------------------------------------------------------

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(_share ${CMAKE_INSTALL_DATADIR})

install(TARGETS kurvex kurvex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KURVEX_PACKAGING_DIR}/kurvex.desktop DESTINATION ${_share}/applications)
install(FILES ${_icon_svg} DESTINATION ${_share}/icons/hicolor/scalable/apps)
install(FILES ${_pkg_out}/kurvex-48.png DESTINATION ${_share}/icons/hicolor/48x48/apps RENAME kurvex.png)
install(FILES ${KURVEX_PACKAGING_DIR}/kurvex-mime.xml DESTINATION ${_share}/mime/packages RENAME kurvex.xml)
install(FILES ${KURVEX_PACKAGING_DIR}/example.ostwerk.kurvex.metainfo.xml DESTINATION ${_share}/metainfo)
install(FILES ${_pkg_out}/kurvex.1.gz ${_pkg_out}/kurvex-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A version without Debian revision makes a native package: its changelog is changelog.gz.
install(FILES ${KURVEX_PACKAGING_DIR}/copyright ${_pkg_out}/changelog.gz DESTINATION ${_share}/doc/kurvex)

# ---- Debian package ---------------------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvex)
set(CPACK_PACKAGE_VENDOR "Ostwerk GmbH")
set(CPACK_PACKAGE_CONTACT "Ostwerk GmbH <service@ostwerk.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.ostwerk.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "road evenness viewer and evaluator for Planograf measurements")
set(CPACK_PACKAGE_DESCRIPTION
    "Kurvex opens the measurement files of a Planograf (rolling straightedge),
the device that tests the evenness of new road surfaces, and shows the run as
a paged strip chart. It evaluates the exceedances of the limit value per
section (p2 sums, deductions), prints chart pages and the evaluation report
and exports the measured values as IMEXPORT001 text.

The files are recognised by their content: PM01BS02, IMEXPORT001, PM01BS01,
the dated column table, the listing format and the older tables. The
evaluation state of a run is read from its .zi4 side file.

The package holds the viewer kurvex with its desktop entry and file types,
and kurvex-cli, which does the same work without a window. The user
interface is in German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME kurvex)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps. It cannot see Qt plugins: the window and
# toolbar icons are SVG resources that QIcon draws through the SVG icon engine of
# libqt6svg6. The printed pages need the metric-compatible Liberation fonts; the
# side file opens in the user's editor through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
