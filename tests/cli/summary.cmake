# kurvex-cli summary and render --out-dir over a folder of runs: the figures as
# the report lines state them, folder walk, refused files, parallel runs.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLES ${SOURCE}/samples)

# A lab's week: runs in sub-folders with their side files, and a file that is no run.
set(WEEK ${WORK}/week)
file(REMOVE_RECURSE ${WEEK} ${WORK}/pdfs)
file(COPY ${SAMPLES}/pm01bs02_sample.pbs ${SAMPLES}/pm01bs02_sample.pbs.zi4 DESTINATION ${WEEK}/tue)
file(COPY ${SAMPLES}/pm01bs01_sample.txt ${SAMPLES}/limit_table_sample.dat ${SAMPLES}/limit_table_sample.PGC
     DESTINATION ${WEEK}/mon)
file(WRITE ${WEEK}/wed/notes.txt "Messwagen am Mittwoch in der Werkstatt.\n")

run_cli(1 json err summary ${WEEK} --jobs 2)
expect_contains("${err}" "notes.txt: Unerwartetes Dateiformat." "the refused file on stderr")
string(JSON run_count LENGTH "${json}" runs)
string(JSON refused_count LENGTH "${json}" refused)
if(NOT run_count EQUAL 3 OR NOT refused_count EQUAL 1)
  message(FATAL_ERROR "expected 3 runs and 1 refused file (side files and .PGC are no runs):\n${json}")
endif()
# Sorted order of the walk, whatever thread finished first.
foreach(index_name IN ITEMS "0;mon/limit_table_sample.dat" "1;mon/pm01bs01_sample.txt" "2;tue/pm01bs02_sample.pbs")
  list(GET index_name 0 index)
  list(GET index_name 1 name)
  string(JSON file GET "${json}" runs ${index} file)
  if(NOT file STREQUAL "${WEEK}/${name}")
    message(FATAL_ERROR "run ${index} is ${file}, expected ${WEEK}/${name}")
  endif()
endforeach()
string(JSON refused_file GET "${json}" refused 0 file)
string(JSON refused_message GET "${json}" refused 0 message)
if(NOT refused_file STREQUAL "${WEEK}/wed/notes.txt" OR NOT refused_message STREQUAL "Unerwartetes Dateiformat.")
  message(FATAL_ERROR "refused entry: ${refused_file}: ${refused_message}")
endif()

# The PM01BS02 run: header by labels, the first section's figures as printed.
string(JSON run GET "${json}" runs 2)
foreach(key_value IN ITEMS "format;1002" "points;400" "pages;4" "header;Prüfer;J. Müller" "header;Str.-Nr.;27"
                           "sections;0;number;1" "sections;0;von;12345" "sections;0;bis;12478"
                           "sections;0;evaluated;ON" "sections;0;width;350"
                           "sections;0;exceedances;17" "sections;0;counted;16" "sections;0;sumP2;75"
                           "sections;0;deduction;656.25" "sections;1;evaluated;OFF"
                           "sections;2;deduction;552.50")
  list(POP_BACK key_value expected)
  string(JSON value GET "${run}" ${key_value})
  if(NOT value STREQUAL expected)
    message(FATAL_ERROR "${key_value}: ${value}, expected ${expected}")
  endif()
endforeach()
# A run without side file was never evaluated: its zeros are no finding.
foreach(index_evaluated IN ITEMS "0;OFF" "1;OFF" "2;ON")
  list(GET index_evaluated 0 index)
  list(GET index_evaluated 1 expected)
  string(JSON evaluated GET "${json}" runs ${index} evaluated)
  if(NOT evaluated STREQUAL expected)
    message(FATAL_ERROR "run ${index} evaluated: ${evaluated}, expected ${expected}")
  endif()
endforeach()
string(JSON type TYPE "${run}" sections 1 deduction)
if(NOT type STREQUAL "NULL")
  message(FATAL_ERROR "the section not evaluated has a deduction: ${type}")
endif()
# CMake reads numbers back as doubles of 17 digits; the text has them short.
expect_contains("${json}" "\"limit\": 2.7," "the limit in mm")
# The run's totals are those of the report's last page (read here from its lines, so the
# expectation follows the report).
run_cli(0 lines err report-lines ${WEEK}/tue/pm01bs02_sample.pbs --utf8)
string(REGEX MATCH "SUMMEPQGES=([0-9]+)¿[^\n]*ABZUGGES=([0-9.]+)¿UNTERSCHRIFT=1¿\nENDE" last_page "${lines}")
set(report_sum ${CMAKE_MATCH_1})
set(report_deduction ${CMAKE_MATCH_2})
string(JSON sum GET "${run}" sumP2)
string(JSON deduction GET "${run}" deduction)
if(NOT sum STREQUAL report_sum OR NOT deduction STREQUAL report_deduction)
  message(FATAL_ERROR "totals ${sum} / ${deduction}, the report's last page: ${report_sum} / ${report_deduction}")
endif()

# One job or two: the same bytes, JSON and CSV.
run_cli(1 json_one err summary ${WEEK} --jobs 1)
if(NOT json_one STREQUAL json)
  message(FATAL_ERROR "--jobs 1 and --jobs 2 differ")
endif()
run_cli(1 out err summary ${WEEK} --format csv --jobs 2 -o ${WORK}/week2.csv)
run_cli(1 out err summary ${WEEK} --format csv --jobs 1 -o ${WORK}/week1.csv)
expect_same_files(${WORK}/week1.csv ${WORK}/week2.csv "CSV of one and of two jobs")

# CSV: BOM, header line, separator ";" and decimal comma by default; a line per section,
# a totals line per run, a line with the message of a refused file.
file(READ ${WORK}/week2.csv bom LIMIT 3 HEX)
if(NOT bom STREQUAL "efbbbf")
  message(FATAL_ERROR "the CSV does not start with the UTF-8 BOM: ${bom}")
endif()
# Lines end in CR LF (file(READ) drops the CR; the hex form keeps it).
file(STRINGS ${WORK}/week2.csv csv ENCODING UTF-8)
file(READ ${WORK}/week2.csv csv_hex HEX)
string(REGEX MATCHALL "0d0a" crlf "${csv_hex}")
list(LENGTH crlf crlf_count)
list(LENGTH csv line_count)
if(NOT crlf_count EQUAL line_count OR line_count LESS 10)
  message(FATAL_ERROR "${crlf_count} of ${line_count} CSV lines end in CR LF")
endif()
list(GET csv 0 head)
expect_contains("${head}" "Datei;Format;Punkte;" "CSV header")
expect_contains("${head}" ";Prüfer;" "CSV header column of a header label")
expect_contains("${head}" "Abschnitt;von [m];bis [m];ausgewertet;Breite [cm];Grenzwert [mm];Überschreitungen;berücksichtigt;Summe p²;Abzug;v [km/h];VarK [%];Seiten;Meldung" "CSV figure columns")
file(READ ${WORK}/week2.csv csv_text)
expect_contains("${csv_text}" "tue/pm01bs02_sample.pbs;1002;400;" "CSV run line")
expect_contains("${csv_text}" ";1;12345;12478;ja;350;2,7;17;16;75;656,25;;;;\n" "CSV section line")
expect_contains("${csv_text}" ";2;12478;12611;nein;375;" "CSV line of a section not evaluated")
expect_contains("${csv_text}" ";gesamt;;;;;;;;${report_sum};" "CSV totals line")
expect_contains("${csv_text}" ";Für diese Messfahrt liegt keine Überschreitungsauswertung vor.\n" "CSV totals line of a run never evaluated")
expect_contains("${csv_text}" "wed/notes.txt;;;" "CSV line of the refused file")
expect_contains("${csv_text}" ";Unerwartetes Dateiformat.\n" "CSV message of the refused file")

run_cli(0 point err summary ${WEEK}/tue/pm01bs02_sample.pbs --format csv --decimal point --separator tab)
expect_contains("${point}" "\t1\t12345\t12478\tja\t350\t2.7\t17\t16\t75\t656.25\t" "CSV with point and TAB")

# Every file a run: exit 0. Bad usage: exit 2.
run_cli(0 out err summary ${WEEK}/tue ${WEEK}/mon/pm01bs01_sample.txt)
string(JSON run_count LENGTH "${out}" runs)
if(NOT run_count EQUAL 2)
  message(FATAL_ERROR "two paths, two runs expected:\n${out}")
endif()
run_cli(2 out err summary ${WEEK} --format xml)
run_cli(2 out err summary ${WEEK} --jobs 0)
run_cli(2 out err summary)
run_cli(2 out err summary ${WEEK}/missing)
run_cli(2 out err summary ${WEEK} --format csv --decimal comma --separator comma)

# render --out-dir: the chart and the report of every run, named after the run.
run_cli(1 out err render --out-dir ${WORK}/pdfs --jobs 2 ${WEEK})
expect_contains("${err}" "notes.txt: Unerwartetes Dateiformat." "the refused file of render --out-dir")
foreach(name IN ITEMS pm01bs02_sample pm01bs01_sample limit_table_sample)
  expect_file_with_head(${WORK}/pdfs/${name}_Diagramm.pdf "25504446" "chart of ${name}")
  expect_file_with_head(${WORK}/pdfs/${name}_Protokoll.pdf "25504446" "report of ${name}")
endforeach()
run_cli(0 out err render --out-dir ${WORK}/pdfs ${WEEK}/tue/pm01bs02_sample.pbs)
run_cli(2 out err render --out-dir ${WORK}/pdfs)

# render's help names the folder form too.
run_cli(0 out err render --help)
expect_contains("${out}" "--out-dir <ORDNER>" "render --help lists --out-dir")
