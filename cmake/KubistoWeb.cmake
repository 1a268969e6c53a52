# The web build: configured by emcmake (scripts/web.sh), it compiles the core layers (platform,
# engine, bridge, scene, workroom) to WebAssembly and links them with web/ into one module. There
# are no shared libraries in WebAssembly: the bridge is linked in, and the scene finds its exports
# in a table built from its list of exports. No Qt program, Python module, tests or benchmarks.
set(KUBISTO_WEB ON)
set(KUBISTO_BUILD_APP OFF CACHE BOOL "" FORCE)
set(KUBISTO_BUILD_BENCH OFF CACHE BOOL "" FORCE)
set(KUBISTO_PYTHON OFF CACHE BOOL "" FORCE)
set(BUILD_TESTING OFF CACHE BOOL "" FORCE)
set(KUBISTO_LIBRARY_KIND STATIC)

# Exceptions are how the layers report errors (WebAssembly's own exceptions: smaller and faster
# than emulated ones); the SSE2 paths of the renderer map onto WebAssembly SIMD and give the very
# pixels of the native build. One thread.
add_compile_options(-fwasm-exceptions -msimd128 -msse2)
add_link_options(-fwasm-exceptions)

# The system's stb headers, copied alone: /usr/include itself must not come before emscripten's
# own C library headers.
set(KUBISTO_WEB_STB ${CMAKE_BINARY_DIR}/stb-include)
file(GLOB stb_headers /usr/include/stb/stb_image.h)
if(NOT stb_headers)
  message(FATAL_ERROR "stb's headers are missing (Debian: libstb-dev)")
endif()
file(COPY ${stb_headers} DESTINATION ${KUBISTO_WEB_STB}/stb)
set(KUBISTO_STB_INCLUDE ${KUBISTO_WEB_STB} CACHE PATH "stb's headers" FORCE)
