# What every command says about the open of a run: the messages of the open on
# standard error, a run without stored evaluation, pages the chart lacks.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLES ${SOURCE}/samples)

# The side file of this sample does not match its texts: every command says so.
foreach(command info points report-lines export)
  run_cli(0 out err ${command} ${SAMPLES}/imexport_checksum_mismatch.exp)
  expect_contains("${err}" "imexport_checksum_mismatch.exp.zi4 enthält inkonsistente Daten." "${command}: checksum message")
endforeach()
run_cli(0 out err render ${SAMPLES}/imexport_checksum_mismatch.exp --chart -o ${WORK}/mismatch.pdf)
expect_contains("${err}" "enthält inkonsistente Daten." "render: checksum message")
# An aborted recording without side file: the incomplete-run warning.
file(COPY ${SAMPLES}/pm01bs02_incomplete.pbs DESTINATION ${WORK})
run_cli(0 out err export ${WORK}/pm01bs02_incomplete.pbs)
expect_contains("${err}" "unvollständig" "export: incomplete run")
run_cli(0 out err render ${WORK}/pm01bs02_incomplete.pbs --chart -o ${WORK}/incomplete.pdf)
expect_contains("${err}" "unvollständig" "render: incomplete run")

# Runs without side file were never evaluated; an evaluated run does not carry the key.
foreach(name listing_sample.lst dated_column_sample.csv)
  run_cli(0 out err info ${SAMPLES}/${name})
  expect_contains("${out}" "\"evaluated\": false" "${name} not evaluated")
endforeach()
run_cli(0 out err info ${SAMPLES}/pm01bs02_sample.pbs)
string(FIND "${out}" "\"evaluated\"" position)
if(NOT position EQUAL -1)
  message(FATAL_ERROR "an evaluated run names the key \"evaluated\":\n${out}")
endif()

# The sample's chart has two pages: a range beyond them is refused, nothing written.
file(REMOVE ${WORK}/beyond.pdf)
foreach(range 3 2-3 5-)
  run_cli(2 out err render ${SAMPLES}/pm01bs02_sample.pbs --chart --pages ${range} -o ${WORK}/beyond.pdf)
  expect_contains("${err}" "--pages ${range}" "range ${range} refused")
  if(EXISTS ${WORK}/beyond.pdf)
    message(FATAL_ERROR "a PDF was written for pages ${range} the chart does not have")
  endif()
endforeach()
run_cli(0 out err render ${SAMPLES}/pm01bs02_sample.pbs --chart --pages 2-2 -o ${WORK}/last.pdf)
expect_file_with_head(${WORK}/last.pdf "255044462d" "last page")
