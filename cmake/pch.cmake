# Precompiled headers. Most of what a source of the program costs to compile
# is the Qt Widgets headers (and in the tests GoogleTest's), the same in every
# source. They are compiled once per build directory, in two sets: the
# program's, and the tests' with GoogleTest besides. Every target that uses
# Qt Widgets, directly or through a library it links, reuses one of them; the
# widget-free libraries get none, so what their layer leaves out stays out of
# their reach. Sources include what they use all the same: -DOSPREY_PCH=OFF
# builds without.
include_guard(GLOBAL)
option(OSPREY_PCH "Precompile the Qt Widgets and GoogleTest headers" ON)

set(KV_PCH_HEADERS
  <QApplication> <QCheckBox> <QComboBox> <QDialog> <QElapsedTimer> <QGridLayout> <QGroupBox> <QHeaderView>
  <QLabel> <QLineEdit> <QPlainTextEdit> <QPointer> <QPushButton> <QSplitter> <QTabWidget> <QTimer> <QTreeWidget>
  <QVBoxLayout> <functional> <map> <memory> <string> <vector>)

# Every target defined in `dir` and below it.
function(kv_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    kv_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Called once every target is defined.
function(kv_precompile_headers)
  if(NOT OSPREY_PCH OR NOT OSPREY_BUILD_GUI)
    return()
  endif()
  kv_targets_below(${CMAKE_SOURCE_DIR} all)
  # The targets that see Qt Widgets: those that link it or a target that does.
  set(widgets Qt6::Widgets)
  set(changed TRUE)
  while(changed)
    set(changed FALSE)
    foreach(target IN LISTS all)
      if(target IN_LIST widgets)
        continue()
      endif()
      get_target_property(libs ${target} LINK_LIBRARIES)
      foreach(lib IN LISTS libs)
        if(lib IN_LIST widgets)
          list(APPEND widgets ${target})
          set(changed TRUE)
          break()
        endif()
      endforeach()
    endforeach()
  endwhile()

  # For C++ sources only, each header on its own.
  set(cxx_headers)
  foreach(header IN LISTS KV_PCH_HEADERS)
    list(APPEND cxx_headers "$<$<COMPILE_LANGUAGE:CXX>:${header}>")
  endforeach()
  add_library(kvpch_widgets OBJECT ${CMAKE_SOURCE_DIR}/cmake/pch.cpp)
  target_link_libraries(kvpch_widgets PRIVATE Qt6::Widgets)
  target_precompile_headers(kvpch_widgets PRIVATE ${cxx_headers})
  add_library(kvpch_tests OBJECT ${CMAKE_SOURCE_DIR}/cmake/pch.cpp)
  target_link_libraries(kvpch_tests PRIVATE Qt6::Widgets GTest::gtest)
  target_precompile_headers(kvpch_tests PRIVATE ${cxx_headers} "$<$<COMPILE_LANGUAGE:CXX>:<gtest/gtest.h>>")

  foreach(target IN LISTS widgets)
    if(NOT TARGET ${target})
      continue()
    endif()
    get_target_property(type ${target} TYPE)
    get_target_property(imported ${target} IMPORTED)
    if(imported OR NOT (type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "EXECUTABLE"))
      continue()
    endif()
    get_target_property(libs ${target} LINK_LIBRARIES)
    set(from kvpch_widgets)
    if("GTest::gtest" IN_LIST libs OR "GTest::gtest_main" IN_LIST libs OR "GTest::gmock" IN_LIST libs)
      set(from kvpch_tests)
    endif()
    target_precompile_headers(${target} REUSE_FROM ${from})
    # A header set the compiler cannot use is said, not silently skipped.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch>)
    # GCC 12 reports its false -Warray-bounds and -Wstringop-overflow on
    # std::string concatenation (GCC bug 105651) from libstdc++ once that
    # comes precompiled, as if it were not a system header. The tests and
    # benchmarks, where they show, go without those two warnings on GCC 12
    # (the sanitizer build checks the same code at run time).
    get_target_property(dir ${target} SOURCE_DIR)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13
       AND dir MATCHES "^${CMAKE_SOURCE_DIR}/(tests|bench)(/|$)")
      target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-array-bounds>
                                                 $<$<COMPILE_LANGUAGE:CXX>:-Wno-stringop-overflow>)
    endif()
  endforeach()
endfunction()
