# Test programs that run the program's own code over the real language libraries of the build.
include_guard(GLOBAL)

# kc_app_test_support(<target> [PROGRAM] [SHARED_APP] [DRAWING_VIEW])
# Always: the language libraries are built before the test program, which finds them through
# KC_TEST_RESOURCE_DIR.
#   PROGRAM       the program started as a user starts it, for each test (tests/app: AppFixture,
#                 ProgramFixture)
#   SHARED_APP    one application object for the whole test program (SharedAppEnvironment)
#   DRAWING_VIEW  a drawing view in a frame of its own over that object (DrawingViewFixture)
function(kc_app_test_support target)
  cmake_parse_arguments(ARG "PROGRAM;SHARED_APP;DRAWING_VIEW" "" "" ${ARGN})
  if(TARGET KcResources)
    add_dependencies(${target} KcResources)
  endif()
  target_compile_definitions(${target} PRIVATE KC_TEST_RESOURCE_DIR="${KC_RESOURCE_DIR}")
  set(_app ${CMAKE_SOURCE_DIR}/tests/app)
  set(_support ${CMAKE_SOURCE_DIR}/tests/support/app)
  if(ARG_PROGRAM)
    target_sources(${target} PRIVATE ${_app}/AppFixture.cpp ${_app}/ProgramFixture.cpp)
    target_include_directories(${target} PRIVATE ${_app})
  endif()
  if(ARG_SHARED_APP OR ARG_DRAWING_VIEW)
    target_sources(${target} PRIVATE ${_support}/SharedAppEnvironment.cpp)
  endif()
  if(ARG_DRAWING_VIEW)
    target_sources(${target} PRIVATE ${_support}/DrawingViewFixture.cpp)
  endif()
endfunction()
