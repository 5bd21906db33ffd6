# The browser build's programs (emscripten only; `make web` configures it with emcmake).

# Emscripten's linker runs its JavaScript optimiser with node, which must find Debian's acorn
# (node-acorn) in /usr/share/nodejs: a node that is not Debian's own does not look there.
set(ZORVAN_WEB_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
# A program run by node with the machine's files (NODERAWFS), its exit status kept; the stack as
# large as a native program's main thread has.
set(ZORVAN_NODE_PROGRAM_OPTIONS
  -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
  -sTOTAL_STACK=8MB -sINITIAL_MEMORY=32MB -sWASM_ASYNC_COMPILATION=0)

# zorvan-cli.js: the command-line tool, so that the same commands give the same answers natively
# and under node.
set_property(TARGET zorvan-cli PROPERTY CXX_LINKER_LAUNCHER ${ZORVAN_WEB_LINKER_LAUNCHER})
target_link_options(zorvan-cli PRIVATE ${ZORVAN_NODE_PROGRAM_OPTIONS})

# The site: what the page loads, gathered in build-web/site.
set(ZORVAN_SITE ${CMAKE_BINARY_DIR}/site)

# zorvan-search.js: the search module of the page's Web Worker (app/web/search_worker.js), a
# factory createZorvanSearch() that runs in a worker and under node.
add_executable(zorvan-search ${CMAKE_SOURCE_DIR}/src/web/search_entry.cpp)
target_link_libraries(zorvan-search PRIVATE zorvan-core)
set_target_properties(zorvan-search PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${ZORVAN_SITE} CXX_LINKER_LAUNCHER "${ZORVAN_WEB_LINKER_LAUNCHER}")
target_link_options(zorvan-search PRIVATE
  -sMODULARIZE=1 -sEXPORT_NAME=createZorvanSearch -sENVIRONMENT=web,worker,node
  -sEXPORTED_FUNCTIONS=_zorvan_search -sEXPORTED_RUNTIME_METHODS=cwrap,HEAPU8
  -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=8MB -sINITIAL_MEMORY=32MB)
add_custom_command(TARGET zorvan-search POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/app/web/search_worker.js
          ${ZORVAN_SITE}/search_worker.js
  VERBATIM)

# The web tests' own program: what the table codec makes of every character and byte pair,
# compared with the native build's program over glibc's iconv (tests/web).
add_executable(zorvan-codepage-dump ${CMAKE_SOURCE_DIR}/tests/web/codepage_dump.cpp)
target_link_libraries(zorvan-codepage-dump PRIVATE zorvan-core)
set_target_properties(zorvan-codepage-dump PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
  CXX_LINKER_LAUNCHER "${ZORVAN_WEB_LINKER_LAUNCHER}")
target_link_options(zorvan-codepage-dump PRIVATE ${ZORVAN_NODE_PROGRAM_OPTIONS})

# zorvan-page.js: the page's module (src/web), an ES module whose default export is the factory
# createZorvanPage(). The game's boxes and dialogs block it as they block the window: Asyncify
# suspends the module inside them until the page answers (EM_ASYNC_JS in page_bridge.cpp).
# Asyncify instruments every function that might be on the stack while the module waits; the
# game reaches its boxes through virtual calls and std::function, so the analysis keeps every
# indirect call. What can never reach a box is left out (cmake/page_asyncify_remove.json): the C
# and C++ libraries' streams, locales and formatting (on the stack of a file's fsync, which the
# in-memory file system answers at once), the stronger search, the artwork, the drawing
# procedures and the page's questions between events. With them the module grew by 47 %; without,
# by 6 % (Release: 484 KB uninstrumented, 515 KB).
file(GLOB ZORVAN_PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/web/page_*.cpp
     ${CMAKE_SOURCE_DIR}/src/web/language_names.cpp)
add_executable(zorvan-page ${ZORVAN_PAGE_SOURCES})
target_link_libraries(zorvan-page PRIVATE zorvan-core zorvan-art)
set(ZORVAN_PAGE_EXPORTS
  _zorvan_page_start _zorvan_page_set_level _zorvan_page_press _zorvan_page_menu _zorvan_page_key _zorvan_page_tick
  _zorvan_page_open_record _zorvan_page_search_done _zorvan_page_set_language
  _zorvan_page_language _zorvan_page_choose_language _zorvan_page_languages
  _zorvan_page_menu_tree _zorvan_page_texts _zorvan_page_checks _zorvan_page_ended
  _zorvan_page_artwork _zorvan_page_background _zorvan_page_position _zorvan_page_record_limit
  _malloc _free)
string(REPLACE ";" "," ZORVAN_PAGE_EXPORTS "${ZORVAN_PAGE_EXPORTS}")
set_target_properties(zorvan-page PROPERTIES
  LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/page_asyncify_remove.json
  RUNTIME_OUTPUT_DIRECTORY ${ZORVAN_SITE} CXX_LINKER_LAUNCHER "${ZORVAN_WEB_LINKER_LAUNCHER}")
target_link_options(zorvan-page PRIVATE
  -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createZorvanPage -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=${ZORVAN_PAGE_EXPORTS}
  -sEXPORTED_RUNTIME_METHODS=ccall,FS,HEAPU8,UTF8ToString
  -sFORCE_FILESYSTEM=1 -sDYNAMIC_EXECUTION=0
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  -sASYNCIFY_REMOVE=@${CMAKE_SOURCE_DIR}/cmake/page_asyncify_remove.json
  -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=4MB -sINITIAL_MEMORY=16MB)

# The page's own files (app/web) beside the modules, and the game's icon as the page's.
add_custom_target(zorvan-site ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/app/web ${ZORVAN_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/zorvan.svg ${ZORVAN_SITE}/icon.svg
  COMMENT "Copying the page's files into ${ZORVAN_SITE}"
  VERBATIM)

# The font, the sounds and the service worker of the site.
include(${CMAKE_SOURCE_DIR}/cmake/WebSite.cmake)
