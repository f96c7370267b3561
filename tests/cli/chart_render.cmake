# kurvex-cli render writes the chart pages of the PM01BS02 sample as PDF and PNG.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)
set(SAMPLE ${SOURCE}/samples/pm01bs02_sample.pbs)

file(REMOVE ${WORK}/chart.pdf ${WORK}/page1.png ${WORK}/screen.png)
run_cli(0 out err render ${SAMPLE} --chart -o ${WORK}/chart.pdf)
expect_file_with_head(${WORK}/chart.pdf "255044462d" "PDF of all pages")  # "%PDF-"
run_cli(0 out err render ${SAMPLE} --chart --pages 1-1 --strips 2 --grid -o ${WORK}/two.pdf)
expect_file_with_head(${WORK}/two.pdf "255044462d" "PDF of page 1, two strips")

run_cli(0 out err render ${SAMPLE} --chart -o ${WORK}/page1.png)
expect_file_with_head(${WORK}/page1.png "89504e47" "printed page as PNG")
run_cli(0 out err render ${SAMPLE} --chart --screen --page 2 --pick 123500 --pick 123700 -o ${WORK}/screen.png)
expect_file_with_head(${WORK}/screen.png "89504e47" "screen page as PNG")

# Refusals.
run_cli(2 out err render ${SAMPLE} --chart -o ${WORK}/chart.txt)
run_cli(2 out err render ${SAMPLE} -o ${WORK}/chart.pdf)
run_cli(2 out err render ${SAMPLE} --chart --strips 4 -o ${WORK}/chart.pdf)

# info describes the paging at three strips per page.
run_cli(0 out err info ${SAMPLE})
expect_contains("${out}" "\"chart\": {" "info chart object")
expect_contains("${out}" "\"stripLength\": 1000" "info strip length")
