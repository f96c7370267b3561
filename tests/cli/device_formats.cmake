# kurvex-cli info, points and export on the PM01BS02 and IMEXPORT001 samples.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLES ${SOURCE}/samples)

run_cli(0 out err info ${SAMPLES}/pm01bs02_sample.pbs)
expect_contains("${out}" "\"format\": 1002" "info format")
expect_contains("${out}" "\"points\": 400" "info points")
expect_contains("${out}" "\"incomplete\": false" "info incomplete")
expect_contains("${out}" "\"header\": \"12.03.2015 10:22:00¿Straßenbauamt Nord¿" "info header")

run_cli(0 out err info ${SAMPLES}/pm01bs02_incomplete.pbs)
expect_contains("${out}" "\"incomplete\": true" "incomplete sample")

run_cli(0 points err points ${SAMPLES}/pm01bs02_sample.pbs)
expect_contains("${points}" "123510\t8\t350\t\t-1\t1\tBrücke Anfang\n" "points line with an umlaut comment")

# Export, read back, and the same points come out.
run_cli(0 out err export ${SAMPLES}/pm01bs02_sample.pbs --separator semicolon -o ${WORK}/sample.exp)
file(READ ${WORK}/sample.exp exported)
expect_contains("${exported}" "IMEXPORT001 FELDTRENNER=;" "export head")
expect_contains("${exported}" "Zeitstempel;12.03.2015 10:22:00" "export header line")
run_cli(0 points_back err points ${WORK}/sample.exp)
if(NOT points STREQUAL points_back)
  message(FATAL_ERROR "the exported file does not read back into the same points")
endif()

run_cli(0 out err export ${SAMPLES}/imexport_sample.exp --decimal point --separator tab)
expect_contains("${out}" "IMEXPORT001 FELDTRENNER=TABULATOR" "tab export")

# Refusals: bad separators, other formats, unknown files, unwritable output.
run_cli(2 out err export ${SAMPLES}/pm01bs02_sample.pbs --separator comma)
expect_contains("${err}" "Dezimalzeichen und Feldtrenner müssen sich unterscheiden." "comma with decimal comma")
run_cli(2 out err export ${SAMPLES}/pm01bs02_sample.pbs --separator "   ")
expect_contains("${err}" "Bitte Feldtrenner eingeben!" "blank separator")
run_cli(2 out err export ${SAMPLES}/pm01bs02_sample.pbs -o ${WORK}/missing/folder/x.exp)
expect_contains("${err}" "kann nicht geschrieben werden" "unwritable output")
file(WRITE ${WORK}/garbage.bin "nothing to see here\n")
run_cli(2 out err info ${WORK}/garbage.bin)
expect_contains("${err}" "Unerwartetes Dateiformat." "unknown format")
run_cli(2 out err info ${WORK}/does-not-exist.pbs)
expect_contains("${err}" "does-not-exist.pbs" "missing file named")
run_cli(2 out err bogus)
run_cli(2 out err info)
