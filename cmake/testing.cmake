# tw_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [GUI] [NATIVE_ONLY] [WIN32_ONLY]
#             [PREFIX <folder> PREFIX_FIXTURE <fixture>])
# Builds one GoogleTest program and registers it with ctest as
# <tree>.<name> (native, win32 or win64). In a Windows tree the program runs
# under Wine through scripts/wine-run, in that tree's own prefix, or in the
# prefix PREFIX that the test fixture PREFIX_FIXTURE makes. GUI: the
# program shows windows and plays input on them; such programs run one at a
# time, since they would take the keyboard focus and the mouse capture from
# each other on the shared display.
function(tw_add_test)
  cmake_parse_arguments(T "GUI;NATIVE_ONLY;WIN32_ONLY" "NAME;PREFIX;PREFIX_FIXTURE" "SOURCES;LIBS;ENV" ${ARGN})
  if(T_NATIVE_ONLY AND TW_WIN32)
    return()
  endif()
  if(T_WIN32_ONLY AND NOT TW_WIN32)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gtest_main)
  set(test_name ${TW_TREE}.${T_NAME})
  if(TW_WIN32)
    if(NOT T_PREFIX)
      set(T_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
      set(T_PREFIX_FIXTURE ${TW_TREE}_wineprefix)
    endif()
    add_test(NAME ${test_name} COMMAND ${TW_EMULATOR} ${T_PREFIX} $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${test_name} PROPERTIES FIXTURES_REQUIRED ${T_PREFIX_FIXTURE})
  else()
    add_test(NAME ${test_name} COMMAND ${T_NAME})
  endif()
  if(T_GUI)
    set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK tw_shown_windows)
  endif()
  set_tests_properties(${test_name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ENVIRONMENT "TW_SOURCE_DIR=${CMAKE_SOURCE_DIR};TW_BINARY_DIR=${CMAKE_BINARY_DIR};${T_ENV}")
endfunction()

# tw_add_script_test(NAME <name> COMMAND <cmd...>) registers a native script
# check (tool comparisons, qemu boots); it fails when the script fails.
function(tw_add_script_test)
  cmake_parse_arguments(T "" "NAME" "COMMAND;DEPENDS" ${ARGN})
  if(TW_WIN32)
    return()
  endif()
  add_test(NAME native.${T_NAME} COMMAND ${T_COMMAND})
  set_tests_properties(native.${T_NAME} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ENVIRONMENT "TW_SOURCE_DIR=${CMAKE_SOURCE_DIR};TW_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

if(TW_WIN32)
  # Makes the Wine prefix once before any Wine test runs.
  add_test(NAME ${TW_TREE}.wineprefix COMMAND ${TW_EMULATOR} ${CMAKE_BINARY_DIR}/wineprefix --init)
  set_tests_properties(${TW_TREE}.wineprefix PROPERTIES FIXTURES_SETUP ${TW_TREE}_wineprefix)
endif()
