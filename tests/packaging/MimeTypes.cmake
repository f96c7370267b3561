# The MIME database built from the installed package recognises Planograf files
# by their content, as Kurvex does, whatever their name, and the side file by
# its name; it claims no other file. Each verdict is checked against what
# kurvex-cli makes of the same file.
#   -DROOT=<DESTDIR> -DPREFIX=/usr -DSOURCE=<source folder> -DWORK=<scratch folder>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PackagingSupport.cmake)

kx_require_program(UPDATE_MIME update-mime-database shared-mime-info)
kx_require_program(XDG_MIME xdg-mime xdg-utils)
# xdg-mime outside a known desktop asks `mimetype`; without it, it falls back to
# `file`, which knows nothing of shared-mime-info.
kx_require_program(MIMETYPE mimetype libfile-mimeinfo-perl)
set(base_types /usr/share/mime/packages/freedesktop.org.xml)
if(NOT EXISTS ${base_types})
  message(FATAL_ERROR "${base_types} is missing (Debian package shared-mime-info)")
endif()

set(p ${ROOT}${PREFIX})
set(cli ${p}/bin/kurvex-cli)
set(samples ${SOURCE}/samples)
set(files ${WORK}/files)

# A private database: the freedesktop.org types and the installed package, nothing
# of the machine's own (a kurvex.xml installed there must not hide a fault here).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/data/mime/packages ${WORK}/home ${WORK}/config ${WORK}/config-dirs ${files})
file(COPY ${base_types} ${p}/share/mime/packages/kurvex.xml DESTINATION ${WORK}/data/mime/packages)
kx_xdg_env(xdg ${WORK})
kx_run(out err rc ${xdg} ${UPDATE_MIME} ${WORK}/data/mime)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "update-mime-database on the installed kurvex.xml: exit ${rc}\n${out}${err}")
endif()

# Subclasses and the German names, as the database holds them.
file(READ ${WORK}/data/mime/subclasses subclasses)
foreach(type IN ITEMS application/x-planograf-imexport001 application/x-planograf-pm01bs01 application/x-kurvex-zi4)
  if(NOT subclasses MATCHES "(^|\n)${type} text/plain\n")
    kx_fail("${type} is no sub-class of text/plain")
  endif()
endforeach()
foreach(pair IN ITEMS "x-planograf-pm01bs02|Planograf-Messdatei PM01BS02"
                      "x-planograf-imexport001|Planograf-Austauschdatei IMEXPORT001"
                      "x-planograf-pm01bs01|Planograf-Messdatei PM01BS01"
                      "x-kurvex-zi4|Kurvex-Bearbeitungsstand")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 type)
  list(GET pair 1 name)
  set(entry ${WORK}/data/mime/application/${type}.xml)
  if(NOT EXISTS ${entry})
    kx_fail("application/${type} is not in the database")
    continue()
  endif()
  file(READ ${entry} xml)
  string(FIND "${xml}" "<comment xml:lang=\"de\">${name}</comment>" at)
  if(at LESS 0)
    kx_fail("application/${type} lacks the German comment \"${name}\"")
  endif()
endforeach()

# ---- Files to recognise ----------------------------------------------------------

# Renamed copies: without extension, and with a misleading one.
file(COPY_FILE ${samples}/pm01bs02_sample.pbs ${files}/messung1)
file(COPY_FILE ${samples}/imexport_sample.exp ${files}/messung2)
file(COPY_FILE ${samples}/pm01bs01_sample.txt ${files}/messung3)
file(COPY_FILE ${samples}/pm01bs02_sample.pbs ${files}/messung4.txt)
file(COPY_FILE ${samples}/imexport_sample.exp ${files}/messung5.csv)
file(COPY_FILE ${samples}/pm01bs01_sample.txt ${files}/messung6.csv)
file(COPY_FILE ${samples}/listing_sample.lst ${files}/liste)
file(COPY_FILE ${samples}/pm01bs02_sample.pbs.zi4 ${files}/messung1.zi4)
# PM01BS01 after blank lines: Kurvex skips empty lines before the first one.
file(READ ${samples}/pm01bs01_sample.txt pm01bs01)
file(WRITE ${files}/leerzeilen "\r\n\r\n${pm01bs01}")
# Near misses that Kurvex does not read as these formats.
file(WRITE ${files}/nur_kennung "PM01BS01\r\nDas Messgeraet schreibt PM01BS01-Dateien.\r\n")
file(WRITE ${files}/ohne_trenner "IMEXPORT001\r\nZeitstempel|03.04.2016 09:05:00\r\n***\r\n1,5;0,5;3,5;\r\n***\r\n")
file(WRITE ${files}/versetzt " PM01BS02 Planograf Messdatei\r\n")

# file | MIME type | format code of kurvex-cli info (- : refused) | "xdg": ask xdg-mime too
set(cases
    "${samples}/pm01bs02_sample.pbs|application/x-planograf-pm01bs02|1002|xdg"
    "${samples}/pm01bs02_incomplete.pbs|application/x-planograf-pm01bs02|1002"
    "${samples}/pm01bs02_compare.pbs|application/x-planograf-pm01bs02|1002"
    "${samples}/imexport_sample.exp|application/x-planograf-imexport001|1002|xdg"
    "${samples}/pm01bs01_sample.txt|application/x-planograf-pm01bs01|1001|xdg"
    "${files}/messung1|application/x-planograf-pm01bs02|1002|xdg"
    "${files}/messung2|application/x-planograf-imexport001|1002|xdg"
    "${files}/messung3|application/x-planograf-pm01bs01|1001|xdg"
    "${files}/messung4.txt|application/x-planograf-pm01bs02|1002"
    "${files}/messung5.csv|application/x-planograf-imexport001|1002"
    "${files}/messung6.csv|application/x-planograf-pm01bs01|1001"
    "${files}/leerzeilen|application/x-planograf-pm01bs01|1001"
    "${samples}/pm01bs02_sample.pbs.zi4|application/x-kurvex-zi4||xdg"
    "${samples}/imexport_checksum_mismatch.exp.zi4|application/x-kurvex-zi4|"
    "${files}/messung1.zi4|application/x-kurvex-zi4|")
# Other formats and near misses: any type but ours.
foreach(other IN ITEMS dated4_sample.csv dated5_sample.csv dated_column_sample.csv limit_table_sample.dat
                       limit_table_sample.PGC listing_sample.lst planograph_sample.csv road_table_sample.txt)
  list(APPEND cases "${samples}/${other}|other|")
endforeach()
list(APPEND cases "${files}/liste|other|" "${files}/nur_kennung|other|" "${files}/ohne_trenner|other|-"
                  "${files}/versetzt|other|-")

# One `mimetype --brief --dereference` for all files: the command xdg-mime runs
# outside a known desktop. xdg-mime itself answers for the samples of the four
# types and the copies without extension (the cases marked "xdg"); it must agree.
set(query_files)
foreach(case IN LISTS cases)
  string(REGEX REPLACE "\\|.*" "" file "${case}")
  list(APPEND query_files ${file})
endforeach()
kx_run(out err rc ${xdg} ${MIMETYPE} --brief --dereference ${query_files})
string(REGEX REPLACE "\n$" "" out "${out}")
string(REPLACE "\n" ";" answers "${out}")
list(LENGTH answers n_answers)
list(LENGTH cases n_cases)
if(NOT rc EQUAL 0 OR NOT n_answers EQUAL n_cases)
  message(FATAL_ERROR "mimetype: exit ${rc}, ${n_answers} answers for ${n_cases} files\n${out}\n${err}")
endif()

set(n 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 file)
  list(GET case 1 want)
  list(GET case 2 format)
  list(LENGTH case fields)
  get_filename_component(name ${file} NAME)
  list(GET answers ${n} type)
  math(EXPR n "${n} + 1")

  if(fields GREATER 3)
    kx_run(answer err rc ${xdg} ${XDG_MIME} query filetype ${file})
    string(STRIP "${answer}" answer)
    if(NOT rc EQUAL 0 OR NOT answer STREQUAL type)
      kx_fail("${name}: xdg-mime query filetype says \"${answer}\" (exit ${rc}), mimetype ${type}")
    endif()
  endif()
  if(NOT type MATCHES "^[a-z]+/[-+.a-zA-Z0-9]+$")
    kx_fail("${name}: mimetype answered \"${type}\"")
  elseif(want STREQUAL "other")
    if(type MATCHES "^application/x-(planograf-|kurvex-)")
      kx_fail("${name}: claimed as ${type}")
    endif()
  elseif(NOT type STREQUAL want)
    kx_fail("${name}: ${type}, expected ${want}")
  endif()

  # What Kurvex itself makes of the file (the file name plays no part in it).
  if(NOT format STREQUAL "")
    kx_run(json err rc ${cli} info ${file})
    if(format STREQUAL "-")
      if(rc EQUAL 0)
        kx_fail("${name}: kurvex-cli accepts it, the case expects a refusal")
      endif()
    elseif(NOT rc EQUAL 0)
      kx_fail("${name}: kurvex-cli refuses it: ${err}")
    else()
      string(JSON code ERROR_VARIABLE json_error GET "${json}" format)
      if(NOT code STREQUAL format)
        kx_fail("${name}: kurvex-cli reads format ${code}, the case expects ${format}")
      endif()
    endif()
  endif()
endforeach()

kx_finish()
