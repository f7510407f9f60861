# cmake -DCHMCMD=... -DPROJECT_FILE=... -DOUTPUT=... -P compile_chm.cmake
# chmcmd writes the .chm into the current directory; a failed run can leave a 0-byte file that
# must not count as up to date, so it is removed on failure.
get_filename_component(out_dir "${OUTPUT}" DIRECTORY)
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${CHMCMD}" "${PROJECT_FILE}"
  WORKING_DIRECTORY "${out_dir}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(SIZE "${OUTPUT}" size)
if(NOT result EQUAL 0 OR size EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "chmcmd failed (${result}):\n${log}")
endif()
