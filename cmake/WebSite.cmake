# The site's files beside the modules (included by cmake/Web.cmake):
#   build-web/site/fonts/zorvan-jp.woff2   the window's face cut down to the game's characters
#   build-web/site/sounds/<name>.wav       the window's six sounds, byte for byte
#   build-web/site/sw.js                   the service worker with the list of the site's files

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

# The sounds: the window's own synthesiser, built by emscripten like every program here and run
# by node, writes them straight into the site. No native compiler is needed, and the files are
# the window's byte for byte (the web tests compare them). (Not through the toolchain's emulator
# setting: it gives node an option node 20 refuses.)
find_program(ZORVAN_NODE node REQUIRED)
add_executable(make-sounds ${CMAKE_SOURCE_DIR}/tools/make_sounds.cpp
                           ${CMAKE_SOURCE_DIR}/tools/make_bgm.cpp)
set_target_properties(make-sounds PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools
  CXX_LINKER_LAUNCHER "${ZORVAN_WEB_LINKER_LAUNCHER}")
target_link_options(make-sounds PRIVATE ${ZORVAN_NODE_PROGRAM_OPTIONS})
set(ZORVAN_SITE_SOUNDS ${ZORVAN_SITE}/sounds)
set(ZORVAN_WEB_SOUND_FILES
  ${ZORVAN_SITE_SOUNDS}/その他.wav ${ZORVAN_SITE_SOUNDS}/禁止.wav
  ${ZORVAN_SITE_SOUNDS}/駒打音.wav ${ZORVAN_SITE_SOUNDS}/チェス打音.wav
  ${ZORVAN_SITE_SOUNDS}/消滅.wav ${ZORVAN_SITE_SOUNDS}/BGM.wav)
add_custom_command(
  OUTPUT ${ZORVAN_WEB_SOUND_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZORVAN_SITE_SOUNDS}
  COMMAND ${ZORVAN_NODE} $<TARGET_FILE:make-sounds> ${ZORVAN_SITE_SOUNDS}
  DEPENDS make-sounds
  COMMENT "Synthesising the game's sounds into ${ZORVAN_SITE_SOUNDS}"
  VERBATIM)
add_custom_target(zorvan-web-sounds ALL DEPENDS ${ZORVAN_WEB_SOUND_FILES})

# The service worker: app/web/sw.js with the list of every file of the site and a version made
# from their contents, so that a new build replaces the cache of the old one. It is written after
# every other target of the browser build has put its files into the site (the targets are
# gathered once the whole project has been read, so the page's own targets are among them), and
# again at every build; the file changes only when the site does.
add_custom_target(zorvan-offline ALL
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_service_worker.py
          --site ${ZORVAN_SITE} --template ${CMAKE_SOURCE_DIR}/app/web/sw.js
          --on-demand sounds/BGM.wav
  COMMENT "Listing the site's files for the service worker"
  VERBATIM)

function(zorvan_offline_after_every_target)
  set(targets)
  set(dirs ${CMAKE_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(here DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(below DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND targets ${here})
    list(APPEND dirs ${below})
  endwhile()
  list(REMOVE_ITEM targets zorvan-offline)
  add_dependencies(zorvan-offline ${targets})
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zorvan_offline_after_every_target)
