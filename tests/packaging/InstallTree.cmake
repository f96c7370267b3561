# `cmake --install` into a DESTDIR: exactly the files of the package, the two
# programs run, the icons and compressed files are what they claim to be.
#   -DBUILD=<build folder> -DROOT=<DESTDIR> -DPREFIX=/usr -DSOURCE=<source folder>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PackagingSupport.cmake)

file(REMOVE_RECURSE ${ROOT})
kx_run(out err rc ${CMAKE_COMMAND} -E env DESTDIR=${ROOT} ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}\n${err}")
endif()

set(expected
    bin/kurvex
    bin/kurvex-cli
    share/applications/kurvex.desktop
    share/icons/hicolor/48x48/apps/kurvex.png
    share/icons/hicolor/scalable/apps/kurvex.svg
    share/man/man1/kurvex-cli.1.gz
    share/man/man1/kurvex.1.gz
    share/metainfo/example.ostwerk.kurvex.metainfo.xml
    share/mime/packages/kurvex.xml
    share/doc/kurvex/changelog.gz
    share/doc/kurvex/copyright)
set(p ${ROOT}${PREFIX})

# Exactly these files: a missing one breaks the desktop integration, a stray
# one would end up in the package unseen.
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${p} ${p}/*)
file(GLOB_RECURSE everything LIST_DIRECTORIES false RELATIVE ${ROOT} ${ROOT}/*)
list(LENGTH installed n_installed)
list(LENGTH everything n_everything)
if(NOT n_installed EQUAL n_everything)
  kx_fail("files outside ${PREFIX}: ${everything}")
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${p}/${file})
    kx_fail("missing: ${PREFIX}/${file}")
  endif()
endforeach()
foreach(file IN LISTS installed)
  if(NOT file IN_LIST expected)
    kx_fail("not expected: ${PREFIX}/${file}")
  endif()
endforeach()
kx_finish()

# The programs run from the tree and are the ones of this version.
file(STRINGS ${SOURCE}/CMakeLists.txt project_line REGEX "^project\\(Kurvex VERSION")
string(REGEX MATCH "VERSION ([0-9.]+)" _ "${project_line}")
set(version ${CMAKE_MATCH_1})
kx_run(out err rc ${p}/bin/kurvex-cli --version)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "kurvex-cli ${version}\n")
  kx_fail("kurvex-cli --version: exit ${rc}, \"${out}\" ${err}")
endif()
kx_run(out err rc ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${p}/bin/kurvex --version)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "Kurvex ${version}\n")
  kx_fail("kurvex --version: exit ${rc}, \"${out}\" ${err}")
endif()

# Installed copies of the project's own files are unchanged.
foreach(pair IN ITEMS "resources/icons/kurvex.svg|share/icons/hicolor/scalable/apps/kurvex.svg"
                      "packaging/kurvex.desktop|share/applications/kurvex.desktop"
                      "packaging/kurvex-mime.xml|share/mime/packages/kurvex.xml"
                      "packaging/example.ostwerk.kurvex.metainfo.xml|share/metainfo/example.ostwerk.kurvex.metainfo.xml"
                      "packaging/copyright|share/doc/kurvex/copyright")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  file(SHA256 ${SOURCE}/${from} a)
  file(SHA256 ${p}/${to} b)
  if(NOT a STREQUAL b)
    kx_fail("${PREFIX}/${to} differs from ${from}")
  endif()
endforeach()

# The 48-px icon: a PNG whose header says 48 x 48 pixels, with colour in it
# (a failed render gives a tiny all-transparent image).
file(READ ${p}/share/icons/hicolor/48x48/apps/kurvex.png png HEX LIMIT 24)
if(NOT png MATCHES "^89504e470d0a1a0a0000000d49484452(........)(........)$")
  kx_fail("kurvex.png is no PNG: ${png}")
elseif(NOT CMAKE_MATCH_1 STREQUAL "00000030" OR NOT CMAKE_MATCH_2 STREQUAL "00000030")
  kx_fail("kurvex.png is not 48 x 48 (width ${CMAKE_MATCH_1}, height ${CMAKE_MATCH_2}, hex)")
endif()
file(SIZE ${p}/share/icons/hicolor/48x48/apps/kurvex.png png_size)
if(png_size LESS 1000)
  kx_fail("kurvex.png has only ${png_size} bytes: an empty render?")
endif()

# Compressed files: gzip without a time stamp (gzip -n), so every build gives the
# same bytes; the manual pages decompress to roff with their title line.
foreach(gz IN ITEMS share/man/man1/kurvex.1.gz share/man/man1/kurvex-cli.1.gz share/doc/kurvex/changelog.gz)
  file(READ ${p}/${gz} head HEX LIMIT 8)
  if(NOT head MATCHES "^1f8b08..00000000$")
    kx_fail("${gz}: not gzip, or gzip with a time stamp (${head})")
  endif()
endforeach()

# Permissions a package needs: programs 755, everything else 644.
foreach(file IN LISTS installed)
  set(want 644)
  if(file MATCHES "^bin/")
    set(want 755)
  endif()
  kx_run(mode err rc stat -c %a ${p}/${file})
  string(STRIP "${mode}" mode)
  if(NOT mode STREQUAL want)
    kx_fail("${PREFIX}/${file} has mode ${mode}, not ${want}")
  endif()
endforeach()

kx_finish()
