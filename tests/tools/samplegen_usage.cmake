# kurvex-samplegen answers --help with its usage, and never takes an option for a folder.
execute_process(COMMAND ${TOOL} --help RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err
                WORKING_DIRECTORY ${WORK})
if(NOT code EQUAL 0 OR NOT out MATCHES "Aufruf: kurvex-samplegen ORDNER")
  message(FATAL_ERROR "--help: exit ${code}\nstdout: ${out}\nstderr: ${err}")
endif()
execute_process(COMMAND ${TOOL} --bogus RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err
                WORKING_DIRECTORY ${WORK})
if(NOT code EQUAL 2 OR NOT err MATCHES "Aufruf:")
  message(FATAL_ERROR "--bogus: exit ${code}\nstderr: ${err}")
endif()
if(EXISTS ${WORK}/--help OR EXISTS ${WORK}/--bogus)
  message(FATAL_ERROR "an option was taken for a folder to write into")
endif()
