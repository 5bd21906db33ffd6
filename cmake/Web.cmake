# The browser build's programs (emscripten only; `make web` configures it with emcmake).

# Emscripten's linker runs its JavaScript optimiser with node, which must find Debian's acorn
# (node-acorn) in /usr/share/nodejs: a node that is not Debian's own does not look there.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# zorvan-cli.js: the command-line tool as node runs it, with the machine's files (NODERAWFS), so
# that the same commands give the same answers natively and under node.
set_property(TARGET zorvan-cli PROPERTY CXX_LINKER_LAUNCHER ${CMAKE_CXX_LINKER_LAUNCHER})
target_link_options(zorvan-cli PRIVATE
  -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
  -sTOTAL_STACK=8MB -sINITIAL_MEMORY=32MB -sWASM_ASYNC_COMPILATION=0)
