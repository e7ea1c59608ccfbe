# One static library per source folder; sources are picked up by glob so that adding a file
# never needs a build-file edit.
set(RBX_WARNINGS -Wall -Wextra -Wpedantic -Wshadow)
if(RBX_WARNINGS_AS_ERRORS)
  list(APPEND RBX_WARNINGS -Werror)
endif()

function(rbx_add_library name folder)
  file(GLOB _src CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h" "${folder}/*.c")
  list(FILTER _src EXCLUDE REGEX ".*/main\\.cpp$")
  set(_has_cpp FALSE)
  foreach(f IN LISTS _src)
    if(f MATCHES "\\.(cpp|c)$")
      set(_has_cpp TRUE)
    endif()
  endforeach()
  if(_has_cpp)
    add_library(${name} STATIC ${_src})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${RBX_WARNINGS})
    target_compile_definitions(${name} PUBLIC QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One test program per test folder; QT_QPA_PLATFORM=offscreen is set for every run.
function(rbx_add_test_folder name folder)
  file(GLOB _src CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_compile_options(${name} PRIVATE ${RBX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARGN} rbx_decoder_objects rbx_output_objects rbx_testsupport Qt6::Test GTest::gtest
                                        GTest::gmock)
  add_dependencies(${name} rbx_decoder rbx_output)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "RBX_TEST_DATA=set:${PROJECT_SOURCE_DIR}/tests/data"
               TIMEOUT 300)
endfunction()

function(rbx_add_bench name file)
  add_executable(${name} ${file})
  target_compile_options(${name} PRIVATE ${RBX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARGN} rbx_decoder_objects rbx_output_objects benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endfunction()
