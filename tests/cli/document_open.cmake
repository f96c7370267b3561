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
