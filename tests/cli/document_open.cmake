# kurvex-cli info on samples with side files, and the first-load options.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLES ${SOURCE}/samples)

run_cli(0 out err info ${SAMPLES}/pm01bs02_sample.pbs)
expect_contains("${out}" "\"freshState\": false" "side file found")
expect_contains("${out}" "\"checksumOk\": true" "checksum of the sample")
expect_contains("${out}" "\"lfdNr\": 41" "exceedances of the sample")
expect_contains("${out}" "\"remark\": \"Schachtdeckel{{CRLF}}Höhenlage prüfen¿0\"" "two-line remark")
expect_contains("${out}" "\"fahrbahnoberflaeche\": \"Brückenbelag\"" "section surface")
expect_contains("${out}" "\"bemerkung\": \"Baustellenzufahrt\"" "excluded range")
expect_contains("${out}" "\"loaded\": true,\n            \"offset\": 0,\n            \"points\": 400,\n            \"slot\": 1" "comparison run found beside the main file")

# A run copied from Windows under a name outside Windows-1252; its side file names
# the comparison runs in Windows-1252 and in another case. The one not copied
# along is named with the path as stored; found runs print as ever.
string(ASCII 252 _ue)  # "ü" in Windows-1252
set(_windows "${WORK}/Prüfung äöüß")
file(MAKE_DIRECTORY "${_windows}")
file(COPY_FILE ${SAMPLES}/pm01bs02_sample.pbs "${_windows}/Łódź_Straße.pbs")
file(COPY_FILE ${SAMPLES}/pm01bs02_compare.pbs "${_windows}/Prüfung.pbs")
file(COPY_FILE ${SAMPLES}/pm01bs02_compare.pbs "${_windows}/zwei.pbs")
file(WRITE "${_windows}/Łódź_Straße.pbs.zi4"
     "VGL_PATH_1=D:\\Messungen\\Pr${_ue}fung.pbs\r\nVGL_PATH_2=D:\\Messungen\\ZWEI.PBS\r\n"
     "VGL_PATH_4=D:\\Messungen\\Pr${_ue}fung_alt.pbs\r\n")
run_cli(0 out err info "${_windows}/Łódź_Straße.pbs")
set(_found "\"loaded\": true,\n            \"offset\": 0,\n            \"points\": 400,\n            \"slot\": ")
expect_contains("${out}" "${_found}1\n" "comparison run stored in Windows-1252")
expect_contains("${out}" "${_found}2\n" "comparison run stored in another case")
expect_contains("${out}" "\"loaded\": false,\n            \"offset\": 0,\n            \"points\": 0,\n            \"slot\": 3\n"
                "slot not in use")
expect_contains("${out}" "\"loaded\": false,\n            \"missing\": \"D:\\\\Messungen\\\\Prüfung_alt.pbs\",\n            \"offset\": 0,\n            \"points\": 0,\n            \"slot\": 4\n"
                "missing comparison run")
string(FIND "${out}" "\"missing\"" _first)
string(FIND "${out}" "\"missing\"" _last REVERSE)
if(NOT _first EQUAL _last)
  message(FATAL_ERROR "only the missing run names its path:\n${out}")
endif()

run_cli(0 out err info ${SAMPLES}/imexport_checksum_mismatch.exp)
expect_contains("${out}" "\"checksumOk\": false" "mismatched checksum")
expect_contains("${out}" "\"icon\": \"stop\"" "checksum message icon")
expect_contains("${out}" "enthält inkonsistente Daten." "checksum message")

# No side file: the first-load answers re-base and turn the run.
file(COPY ${SAMPLES}/pm01bs02_incomplete.pbs DESTINATION ${WORK})
run_cli(0 out err info ${WORK}/pm01bs02_incomplete.pbs --adjust-start 100 --descending)
expect_contains("${out}" "\"freshState\": true" "fresh state")
expect_contains("${out}" "\"firstStation\": 1000" "re-based start")
expect_contains("${out}" "\"icon\": \"exclamation\"" "incomplete warning")
run_cli(0 points err points ${WORK}/pm01bs02_incomplete.pbs --adjust-start 100,5 --ascending --mirror)
expect_contains("${points}" "1005\t" "re-based, comma decimal")
run_cli(2 out err info ${WORK}/pm01bs02_incomplete.pbs --ascending --descending)
