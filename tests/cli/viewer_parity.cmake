# kurvex-cli prints what the viewer prints: an unknown length scale is the
# 1:400 of the first chart paint in the report's form head and the chart's
# header block, and a label file "lang.txt" in the current directory sets the
# labels of the chart pages.
include(${CMAKE_CURRENT_LIST_DIR}/CliSupport.cmake.inc)

# The PM01BS02 sample once per length scale, each in its own folder so the file names agree.
foreach(scale IN ITEMS 300 400 1000)
  set(folder ${WORK}/scale${scale})
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY ${folder})
  file(COPY ${SOURCE}/samples/pm01bs02_sample.pbs ${SOURCE}/samples/pm01bs02_compare.pbs
            ${SOURCE}/samples/pm01bs02_sample.pbs.zi4 DESTINATION ${folder})
  file(APPEND ${folder}/pm01bs02_sample.pbs.zi4 "MASSSTAB_DER_LAENGE=${scale}\r\n")
  run_cli(0 out err render ${folder}/pm01bs02_sample.pbs --report --page 1 -o ${folder}/report.png)
  run_cli(0 out err render ${folder}/pm01bs02_sample.pbs --chart --page 1 -o ${folder}/chart.png)
endforeach()
expect_same_files(${WORK}/scale300/report.png ${WORK}/scale400/report.png "report with the unknown scale 300")
expect_same_files(${WORK}/scale300/chart.png ${WORK}/scale400/chart.png "chart page 1 with the unknown scale 300")
expect_different_files(${WORK}/scale1000/report.png ${WORK}/scale400/report.png "report at 1:1000")

# Labels: none, the enclosure label in English, and a label file that keeps the German text.
set(SAMPLE ${SOURCE}/samples/pm01bs02_sample.pbs)
foreach(language IN ITEMS german english kept)
  file(REMOVE_RECURSE ${WORK}/${language})
  file(MAKE_DIRECTORY ${WORK}/${language})
endforeach()
file(WRITE ${WORK}/english/lang.txt "{KEY}{DE}{EN}\r\n{PLOTPAGE_ENCLOSURE}{Anlage}{Enclosure}\r\n")
file(WRITE ${WORK}/kept/lang.txt "{PLOTPAGE_ENCLOSURE}{Enclosure}{Anlage}\n")
foreach(language IN ITEMS german english kept)
  run_cli_in(${WORK}/${language} 0 out err render ${SAMPLE} --chart --page 1 -o ${WORK}/${language}/chart.png)
endforeach()
expect_different_files(${WORK}/english/chart.png ${WORK}/german/chart.png "chart page with English enclosure label")
expect_same_files(${WORK}/kept/chart.png ${WORK}/german/chart.png "chart page with a label file keeping the German label")
