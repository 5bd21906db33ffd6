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
  -sEXPORTED_FUNCTIONS=_zorvan_search -sEXPORTED_RUNTIME_METHODS=cwrap
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

# The font, the sounds and the service worker of the site.
include(${CMAKE_SOURCE_DIR}/cmake/WebSite.cmake)
