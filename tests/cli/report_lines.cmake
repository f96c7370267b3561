# kurvex-cli report-lines on the PM01BS02 sample with its side file.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLES ${SOURCE}/samples)

run_cli(0 out err report-lines ${SAMPLES}/pm01bs02_sample.pbs --utf8)
expect_contains("${out}" "<<<123550|1|1|Schachtdeckel{{CRLF}}Höhenlage prüfen¿0|1||-1.0>>><<<1|350|3>>>\n" "exceedance line with a two-line remark")
expect_contains("${out}" "<<<123850|0|0|Baustellenzufahrt|1|123970||{{BOK}}>>><<<0|0|0>>>\n" "range line")
expect_contains("${out}" "\nFF ABSCH_UMBRUCH |SUMMEPQ=70¿SUMMEPQGES=70¿VON=123450¿" "page break with its tags")
string(REGEX MATCH "\nENDE\n$" last "${out}")
if(NOT last)
  message(FATAL_ERROR "the report does not end with ENDE and LF:\n${out}")
endif()

# Without --utf8 the bytes stay Windows-1252: the tag separator is the single byte 0xBF.
run_cli(0 raw err report-lines ${SAMPLES}/pm01bs02_sample.pbs)
string(LENGTH "${out}" utf8_length)
string(LENGTH "${raw}" raw_length)
if(NOT raw_length LESS utf8_length)
  message(FATAL_ERROR "the Windows-1252 output is not shorter than its UTF-8 form")
endif()

run_cli(2 out err report-lines ${SAMPLES}/does-not-exist.pbs)
