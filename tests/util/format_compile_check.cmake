# Compiles FormatCompileCheck.cpp once for each case: case 0 must compile,
# cases 1 to LAST must not. Run with -DCXX= -DSOURCE_DIR= -DSOURCE= -DLAST=.
foreach(case RANGE 0 ${LAST})
  execute_process(
    COMMAND ${CXX} -std=c++20 -fsyntax-only -I${SOURCE_DIR} -DCASE=${case} ${SOURCE}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(case EQUAL 0 AND NOT result EQUAL 0)
    message(FATAL_ERROR "the formats that fit were refused:\n${output}")
  elseif(case GREATER 0 AND result EQUAL 0)
    message(FATAL_ERROR "case ${case} of ${SOURCE} compiled, but its format does not fit")
  endif()
endforeach()
