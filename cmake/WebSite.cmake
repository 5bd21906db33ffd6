# The site's files beside the modules (included by cmake/Web.cmake):
#   build-web/site/fonts/zorvan-jp.woff2   the window's face cut down to the game's characters

include(${CMAKE_SOURCE_DIR}/cmake/FontPython.cmake)
if(NOT ZORVAN_FONT_PYTHON)
  message(FATAL_ERROR "no Python with fontTools and brotli: install python3-fonttools and "
                      "python3-brotli (make deps)")
endif()

# The font: every character of the catalogues, of the core's string literals and of the page's
# own files (tools/make_font_subset.py says which), so it is made again when any of them changes.
set(ZORVAN_FONT ${ZORVAN_SITE}/fonts/zorvan-jp.woff2)
file(GLOB_RECURSE ZORVAN_FONT_INPUTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/po/*.po ${CMAKE_SOURCE_DIR}/po/*.pot
  ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h ${CMAKE_SOURCE_DIR}/app/web/*)
list(FILTER ZORVAN_FONT_INPUTS EXCLUDE REGEX "/src/platform/")
add_custom_command(
  OUTPUT ${ZORVAN_FONT} ${CMAKE_BINARY_DIR}/generated/font_characters.txt
  COMMAND ${ZORVAN_FONT_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_font_subset.py
          --source ${CMAKE_SOURCE_DIR} --output ${ZORVAN_FONT}
          --characters ${CMAKE_BINARY_DIR}/generated/font_characters.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_font_subset.py ${CMAKE_SOURCE_DIR}/tools/make_catalogue.py
          ${ZORVAN_FONT_INPUTS}
  COMMENT "Cutting the page's font down to the characters the game draws"
  VERBATIM)
# The face's licence goes with it (the SIL Open Font License, in Debian's copyright file).
set(ZORVAN_FONT_LICENSE_SOURCE /usr/share/doc/fonts-noto-cjk/copyright)
set(ZORVAN_FONT_OUTPUTS ${ZORVAN_FONT})
if(EXISTS ${ZORVAN_FONT_LICENSE_SOURCE})
  set(ZORVAN_FONT_LICENSE ${ZORVAN_SITE}/fonts/zorvan-jp-LICENSE.txt)
  add_custom_command(
    OUTPUT ${ZORVAN_FONT_LICENSE}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZORVAN_FONT_LICENSE_SOURCE} ${ZORVAN_FONT_LICENSE}
    DEPENDS ${ZORVAN_FONT_LICENSE_SOURCE}
    VERBATIM)
  list(APPEND ZORVAN_FONT_OUTPUTS ${ZORVAN_FONT_LICENSE})
endif()
add_custom_target(zorvan-font ALL DEPENDS ${ZORVAN_FONT_OUTPUTS})
