# kurvex-cli render --report writes the evaluation report of the PM01BS02 sample as PDF and PNG.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLE ${SOURCE}/samples/pm01bs02_sample.pbs)

file(REMOVE ${WORK}/report.pdf ${WORK}/report1.png ${WORK}/report3.png ${WORK}/report9.png)
run_cli(0 out err render ${SAMPLE} --report -o ${WORK}/report.pdf)
expect_file_with_head(${WORK}/report.pdf "255044462d" "report PDF")  # "%PDF-"
# Four pages: section 1 takes two, the others one each.
file(STRINGS ${WORK}/report.pdf page_objects REGEX "/Type */Page( |$)")
list(LENGTH page_objects page_count)
if(NOT page_count EQUAL 4)
  message(FATAL_ERROR "report PDF has ${page_count} pages, expected 4")
endif()

run_cli(0 out err render ${SAMPLE} --report -o ${WORK}/report1.png)
expect_file_with_head(${WORK}/report1.png "89504e47" "report page 1 as PNG")
run_cli(0 out err render ${SAMPLE} --report --page 3 -o ${WORK}/report3.png)
expect_file_with_head(${WORK}/report3.png "89504e47" "report page 3 as PNG")

# Refusals: a page the report does not have, chart and report at once, no output type.
run_cli(2 out err render ${SAMPLE} --report --page 9 -o ${WORK}/report9.png)
expect_contains("${err}" "Seite 9" "missing page")
if(EXISTS ${WORK}/report9.png)
  message(FATAL_ERROR "a PNG was written for a missing page")
endif()
run_cli(2 out err render ${SAMPLE} --report --chart -o ${WORK}/report.pdf)
run_cli(2 out err render ${SAMPLE} --report -o ${WORK}/report.txt)
