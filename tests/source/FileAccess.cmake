# Every file the program opens, probes or lists goes through src/common/FileAccess
# (UTF-8 paths, wide paths on Windows) or, in the Qt layers, through QFile and
# QDir with a QString. Fails on any other way to a file in src/: C and C++
# streams, std::filesystem, Qt's 8-bit file names, POSIX file headers, and
# "/tmp" in the core.
#   cmake -DSOURCE=<project> -P FileAccess.cmake
cmake_minimum_required(VERSION 3.25)
set(_allowed src/common/FileAccess.cpp src/common/FileAccess.h)
set(_anywhere "fstream|fopen|freopen|_wfopen|_wopen|std::filesystem|<filesystem>|encodeName|decodeName|<unistd\\.h>|<fcntl\\.h>|<dirent\\.h>|<sys/stat\\.h>")
set(_core "\"/tmp")

file(GLOB_RECURSE _files RELATIVE ${SOURCE} ${SOURCE}/src/*.h ${SOURCE}/src/*.cpp)
set(_found "")
foreach(_file IN LISTS _files)
  if(_file IN_LIST _allowed)
    continue()
  endif()
  set(_pattern "${_anywhere}")
  if(NOT _file MATCHES "/ui/|^src/(render|shell|cli)/")
    set(_pattern "${_pattern}|${_core}")
  endif()
  file(STRINGS ${SOURCE}/${_file} _lines REGEX "${_pattern}")
  foreach(_line IN LISTS _lines)
    string(APPEND _found "  ${_file}: ${_line}\n")
  endforeach()
endforeach()

if(_found)
  message(FATAL_ERROR "Files are reached only through src/common/FileAccess (or QFile/QDir in the Qt layers):\n${_found}")
endif()
list(LENGTH _files _count)
message(STATUS "${_count} source files, every file access through FileAccess")
