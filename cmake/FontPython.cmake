# ZORVAN_FONT_PYTHON: a Python that has fontTools and brotli, for the page's font and its tests.
# They are Debian's (python3-fonttools, python3-brotli, installed by `make deps`): the Python that
# has them may not be the first one on the path. Empty when none has them.
if(NOT ZORVAN_FONT_PYTHON)
  foreach(candidate ${Python3_EXECUTABLE} /usr/bin/python3)
    execute_process(COMMAND ${candidate} -c "import fontTools.subset, brotli"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(status EQUAL 0)
      set(ZORVAN_FONT_PYTHON ${candidate} CACHE FILEPATH "A Python with fontTools and brotli")
      break()
    endif()
  endforeach()
endif()
