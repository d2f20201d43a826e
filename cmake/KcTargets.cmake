# Helpers that give every subsystem folder and test folder the same shape.

# kc_add_library(<name> [LIBS <targets...>] [PCH <headers...>])
# One shared library per folder, from every .cpp in that folder. Shared, so that the program and
# the region search library see one copy of every global: the run-time class registry, the
# resource chain, the application object.
function(kc_add_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;PCH" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # A program's main.cpp belongs to its executable, not to the folder's library.
  list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} SHARED ${_sources} ${_headers})
  # Every library exports everything; no <target>_EXPORTS macro, so that all targets can share
  # one precompiled header.
  set_target_properties(${name} PROPERTIES DEFINE_SYMBOL "")
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
  if(ARG_PCH)
    target_precompile_headers(${name} PRIVATE ${ARG_PCH})
  elseif(TARGET afx AND NOT name STREQUAL "afx")
    target_precompile_headers(${name} REUSE_FROM afx)
  endif()
endfunction()

# kc_add_gtest(<name> [GUI] LIBS <targets...>)
# One test program per test folder, from every .cpp in that folder, registered with CTest.
# Its main() (tests/support) gives each run a temporary home and settings store and draws offscreen;
# GUI adds the Qt application that tests making windows need.
function(kc_add_gtest name)
  cmake_parse_arguments(ARG "GUI" "" "LIBS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${_sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kc_test_main GTest::gtest)
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE kc_test_gui_app)
  endif()
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  if(TARGET afx)
    target_precompile_headers(${name} REUSE_FROM afx)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120)
endfunction()
