# kurvex-cli render draws runs whose curves leave strips without a point: a
# recording gap longer than a strip, and a comparison run shifted past the
# first strip. Exit 0 and the pages written.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)

# 0 .. 99.9 m, the device paused for 400 m, 500 .. 599 m.
set(GAP ${SOURCE}/tests/cli/fixtures/recording_gap.exp)

# The PM01BS02 sample with its comparison run shifted by 150 m (the last entry of a key wins).
file(COPY ${SOURCE}/samples/pm01bs02_sample.pbs ${SOURCE}/samples/pm01bs02_compare.pbs
          ${SOURCE}/samples/pm01bs02_sample.pbs.zi4 DESTINATION ${WORK})
file(APPEND ${WORK}/pm01bs02_sample.pbs.zi4 "VGL_OFF_1=150,0\r\n")
set(SHIFTED ${WORK}/pm01bs02_sample.pbs)
run_cli(0 out err info ${SHIFTED})
expect_contains("${out}" "\"offset\": 150" "comparison offset")

foreach(run IN ITEMS GAP SHIFTED)
  file(REMOVE ${WORK}/${run}.pdf ${WORK}/${run}2.pdf ${WORK}/${run}.png ${WORK}/${run}-screen.png)
  run_cli(0 out err render ${${run}} --chart -o ${WORK}/${run}.pdf)
  expect_file_with_head(${WORK}/${run}.pdf "255044462d" "${run}: PDF of all pages")
  run_cli(0 out err render ${${run}} --chart --strips 2 -o ${WORK}/${run}2.pdf)
  expect_file_with_head(${WORK}/${run}2.pdf "255044462d" "${run}: PDF of all pages, two strips")
  run_cli(0 out err render ${${run}} --chart --page 1 -o ${WORK}/${run}.png)
  expect_file_with_head(${WORK}/${run}.png "89504e47" "${run}: printed page 1")
  run_cli(0 out err render ${${run}} --chart --screen --page 1 -o ${WORK}/${run}-screen.png)
  expect_file_with_head(${WORK}/${run}-screen.png "89504e47" "${run}: screen page 1")
endforeach()

# Every page of the gap run: 0 .. 599 m are six strips, two pages of three.
file(STRINGS ${WORK}/GAP.pdf page_objects REGEX "/Type */Page( |$)")
list(LENGTH page_objects page_count)
if(NOT page_count EQUAL 2)
  message(FATAL_ERROR "the gap run's PDF has ${page_count} pages, expected 2")
endif()
