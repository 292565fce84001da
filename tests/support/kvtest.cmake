# kv_add_gtest: one GoogleTest program, registered with CTest test by test.
#
#   include(${CMAKE_SOURCE_DIR}/tests/support/kvtest.cmake)
#   kv_add_gtest(binding_widget_tests WIDGETS PREFIX "binding." TIMEOUT 60
#                SOURCES bindingwidgets_test.cpp LIBS kvbinding Qt6::Widgets GTest::gtest)
#
# WIDGETS: the program drives Qt widgets. Its tests run offscreen, it links
# the widget-test helpers (tests/support/qttesthelpers.h) and discovery,
# which runs the program at build time, may take up to 30 seconds. The
# main window receives no notifications there (OSPREY_TRAP_LISTEN=off)
# unless a test says where.
# Without WIDGETS the program only gets the TIMEOUT. Every program keeps its
# change journal in the build tree (OSPREY_JOURNAL_DIR), never the user's.
include_guard(GLOBAL)
include(GoogleTest)

function(kv_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDGETS" "PREFIX;TIMEOUT"
                        "SOURCES;LIBS;INCLUDES")
  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE ${arg_LIBS})
  if(arg_INCLUDES)
    target_include_directories(${target} PRIVATE ${arg_INCLUDES})
  endif()
  set(discover)
  if(DEFINED arg_PREFIX)
    list(APPEND discover TEST_PREFIX "${arg_PREFIX}")
  endif()
  if(arg_WIDGETS)
    target_link_libraries(${target} PRIVATE kvtestsupport_qt)
    gtest_discover_tests(${target} ${discover}
      PROPERTIES TIMEOUT ${arg_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OSPREY_TRAP_LISTEN=off;OSPREY_JOURNAL_DIR=${CMAKE_BINARY_DIR}/test-journal"
      DISCOVERY_TIMEOUT 30)
  else()
    gtest_discover_tests(${target} ${discover} PROPERTIES TIMEOUT ${arg_TIMEOUT}
      ENVIRONMENT "OSPREY_JOURNAL_DIR=${CMAKE_BINARY_DIR}/test-journal")
  endif()
endfunction()
