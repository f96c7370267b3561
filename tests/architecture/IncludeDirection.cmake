# Checks that the core folders include each other only in the allowed direction:
#   common <- measurement <- document <- evaluation <- chart
# A folder may include its own headers and those of the folders left of it. The
# plain records that lower folders share with evaluation/ are the exceptions;
# they include nothing of a higher folder themselves, so including one never
# pulls in a whole subsystem. The core includes neither window code (ui/) nor
# any Qt header.
#
#   cmake -DSOURCE=<folder holding common/, measurement/, ...> -P IncludeDirection.cmake

if(NOT SOURCE)
  message(FATAL_ERROR "SOURCE (the src folder) is not set")
endif()

set(layers common measurement document evaluation chart)
set(records
  evaluation/Abschnitt.h
  evaluation/BereichOhneErkennung.h
  evaluation/Ueberschreitung.h
  evaluation/UeberschreitungsDaten.h)

set(violations "")
set(checked 0)
foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  file(GLOB files RELATIVE ${SOURCE} ${SOURCE}/${layer}/*.h ${SOURCE}/${layer}/*.cpp)
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    list(FIND records ${file} ownRecord)
    file(STRINGS ${SOURCE}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      if(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*)")
        string(APPEND violations "  ${file} includes the Qt header ${CMAKE_MATCH_1}\n")
        continue()
      endif()
      if(NOT line MATCHES "#[ \t]*include[ \t]*\"(([a-z]+)/[^\"]+)\"")
        continue()
      endif()
      set(included ${CMAKE_MATCH_1})
      list(FIND layers ${CMAKE_MATCH_2} includedRank)
      if(included MATCHES "^[a-z]+/ui/")
        string(APPEND violations "  ${file} includes the window code ${included}\n")
        continue()
      endif()
      if(includedRank LESS 0 OR includedRank GREATER rank)
        # Upward (or out of the core): only a record header, and never from a record header.
        list(FIND records ${included} isRecord)
        if(includedRank LESS 0 OR isRecord LESS 0 OR ownRecord GREATER -1)
          string(APPEND violations "  ${file} includes ${included}\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no core files found below ${SOURCE}")
endif()
if(violations)
  message(FATAL_ERROR "Includes against the layer order common <- measurement <- document <- evaluation <- chart:\n${violations}")
endif()
message(STATUS "${checked} core files include only in the allowed direction")
