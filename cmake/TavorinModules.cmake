# A module folder that a later piece of work brings in; absent folders are skipped.
function(tavorin_optional_subdirectory dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endfunction()

# tavorin_module(<target> SOURCES ... DEPENDS ...): one static library per module, whose
# headers are included by their path below src/ ("platform/run_loop.hpp").
function(tavorin_module target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
endfunction()

# tavorin_test(<target> SOURCES ... DEPENDS ... [LABELS ...]): a GoogleTest program whose
# tests ctest lists one by one.
function(tavorin_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Test helpers are included by their path from the repository root ("tests/app/...").
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  set(labels unit)
  if(ARG_LABELS)
    set(labels ${ARG_LABELS})
  endif()
  # Tests of the real desktop share one display, its focus and its keyboard: one at a time.
  set(lock "")
  if("x11" IN_LIST labels)
    set(lock RESOURCE_LOCK x11_display)
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "${labels}" ${lock}
                       DISCOVERY_TIMEOUT 60)
endfunction()

# Adds every folder directly below the current one that has a CMakeLists.txt: each feature
# brings its own benchmarks or fuzz targets without touching the folder's list.
function(tavorin_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
