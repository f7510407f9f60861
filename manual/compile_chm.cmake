# Compiles the manual: copies its sources into a work folder (chmcmd writes the .chm relative to
# the current directory), runs chmcmd there and moves the result to OUTPUT. A failed or empty
# result is deleted so that the build does not take it for up to date.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
foreach(name IN LISTS FILES)
  file(COPY "${SOURCE_DIR}/${name}" DESTINATION "${WORK_DIR}")
endforeach()
execute_process(COMMAND "${CHMCMD}" Quillo.hhp WORKING_DIRECTORY "${WORK_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(compiled "${WORK_DIR}/Quillo.chm")
set(size 0)
if(EXISTS "${compiled}")
  file(SIZE "${compiled}" size)
endif()
if(NOT result EQUAL 0 OR size EQUAL 0)
  file(REMOVE "${compiled}" "${OUTPUT}")
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
file(RENAME "${compiled}" "${OUTPUT}")
