# Test helpers shared by every layer. With BUILD_TESTING off they add nothing.
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# kubisto_add_tests(<name> <libraries...>)
# Builds every .cpp under the calling folder's tests/ into one GoogleTest program <name>_tests,
# run from the binary folder so that it finds libvantrel.so and the data files beside it.
function(kubisto_add_tests name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT test_sources)
    return()
  endif()
  add_executable(${name}_tests ${test_sources})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  # GoogleTest's headers dominate the tests' compile time: parse them once per test program.
  target_precompile_headers(${name}_tests PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_compile_definitions(${name}_tests PRIVATE
    KUBISTO_SOURCE_DIR="${PROJECT_SOURCE_DIR}" KUBISTO_BIN_DIR="${KUBISTO_BIN_DIR}")
  gtest_discover_tests(${name}_tests
    WORKING_DIRECTORY ${KUBISTO_BIN_DIR}
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
               TIMEOUT 300)
endfunction()

# kubisto_sources(<var>): every .cpp under the calling folder, but not under tests/, tools/ or fuzz/.
function(kubisto_sources var)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER found EXCLUDE REGEX "/(tests|tools|fuzz)/")
  if(NOT found)
    # A layer with no code yet still builds, so that the folders above it can link it.
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/empty_layer.cpp "// this layer has no code yet\n")
    set(found ${CMAKE_CURRENT_BINARY_DIR}/empty_layer.cpp)
  endif()
  set(${var} ${found} PARENT_SCOPE)
endfunction()
